// Test-only: makes every read of the pointer's position fail.
#pragma once

#include "core/shell_win.h"

// From now on every readCursorPos fails and leaves *left in its point, as a
// failed call may leave anything there; NULL makes them work again.
void failCursorReads(const POINT* left);
