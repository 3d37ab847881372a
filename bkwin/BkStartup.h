// Process-wide settings of the framework that every program makes once at start-up, before
// any resource is read.
#pragma once

// The XML reader keeps white space inside element texts as written (the reader's default
// would condense it), so texts reach the screen as the layouts write them.
void BkInitFramework();
