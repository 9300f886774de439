// The message loop of the GUI thread.
#pragma once

#include "core/shell_win.h"

// Takes Tab, space and stray button releases away from the two push buttons:
// Tab and space go to the main window as if typed there, and a release
// outside the button's client area is dropped, so it gives no click. Returns
// true when the message has been handled here and must not be dispatched.
bool takeFromButton(const MSG& msg);

// Runs until WM_QUIT and returns its wParam.
int runMessageLoop();
