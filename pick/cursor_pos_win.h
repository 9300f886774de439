// The one call that asks where the pointer is, made in a file of its own:
// test builds link a version of it that can be told to fail, as it does on a
// locked or secure desktop.
#pragma once

#include "core/shell_win.h"

// GetCursorPos, or GetPhysicalCursorPos when physical is set. False when the
// position cannot be had; p then holds nothing to use.
bool readCursorPos(POINT& p, bool physical = false);
