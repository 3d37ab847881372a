// Registration of the pop-up menu window class.
#pragma once

void RegisterMenuClass();
