// The address every update transfer goes to: VISTREL_UPDATE_URL from the environment when it
// is set and not empty, else the address the program was built with.
#pragma once

#include <string>

std::string UpdateDescriptorAddress();
