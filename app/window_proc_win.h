// The window procedure of the main window: life-cycle, sizing and input
// messages, each handed to a small handler.
#pragma once

#include "core/shell_win.h"

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The space bar's pick at a screen point: the chart's own colour inside the
// client area, the screen pixel anywhere else. The point is given in
// logical and in physical screen pixels, where the screen pixel is read
// (they differ on a scaled display).
void pickColorAt(POINT screenPoint, POINT physicalPoint);
