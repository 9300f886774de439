// The two ways of getting the picture onto the window. The literal painter
// draws everything straight through the window's device context. The
// default painter draws the same things, in the same order, into a back
// buffer (a memory copy of the client area) and copies what it drew onto the
// window at the end of every message, so the window shows the very same
// pixels. When no back buffer can be had it paints as the literal painter
// does, straight onto the window, until one can be had again.
//
// Nothing the main window draws belongs on its child controls: both
// painters keep off their rectangles.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// Chooses the painter: true the default one, false the literal one. Before
// the window exists this only records the choice; on a live window it
// switches at once and repaints the main window with the new painter.
void usePainter(bool fast);

// WM_CREATE: takes the window's device context and keeps it for the run.
void openWindowDCs(HWND hwnd);

// WM_SIZE, after the child controls have been moved: the back buffer is
// made to cover the new client size, and the controls' new rectangles are
// kept off.
void fitPainterToClient(int width, int height);

// WM_PAINT: before BeginPaint, and after EndPaint. Between them nothing is
// presented; the erase BeginPaint asks for is made over the update region.
void beginWindowPaint(HWND hwnd);
void endWindowPaint();

// WM_ERASEBKGND: erases the update region with the class brush, off the
// child controls. True when done (DefWindowProc is then not to erase);
// false when DefWindowProc is to erase through the given DC, now kept off
// the controls.
bool eraseBackground(HWND hwnd, HDC eraseDC);

// At the end of every message of the main window: whatever the message drew
// into the back buffer is copied onto the window. An erase followed by a
// paint still to come waits for that paint.
void presentAfterMessage(HWND hwnd, UINT message);
