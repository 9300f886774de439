// The two ways of getting the picture onto the window. The literal painter
// draws everything straight through the window's device context. The fast
// painter draws the same things, in the same order, into a back buffer (a
// memory copy of the client area) and copies what changed onto the window at
// the end of every message, so the window shows the very same pixels.
#pragma once

#include "app/shell_win.h"

// A colour as the back buffer's bits hold it: 0x00RRGGBB.
inline std::uint32_t bufferPixelOf(COLORREF c) {
    return ((std::uint32_t)(c & 0xFF) << 16) | (std::uint32_t)(c & 0xFF00) |
           (std::uint32_t)((c >> 16) & 0xFF);
}

// Chooses the painter. Before the window exists this only records the
// choice; on a live window it switches at once, the back buffer starting as
// a copy of what the window shows.
void usePainter(bool fast);

// WM_CREATE: takes the window's device context and, for the fast painter,
// makes the back buffer's memory DC (its bitmap comes with the first size).
void openWindowDCs(HWND hwnd);

// Start-up, before the window is made: prepares a back buffer bitmap for
// the client size the window is expected to get, so that the first WM_SIZE
// finds it ready. Does nothing under the literal painter.
void warmBackBuffer(int width, int height);

// Gives back what openWindowDCs took. The program leaves both to the end of
// the process; tests that close their window call this first.
void closeWindowDCs();

// WM_SIZE: makes the back buffer cover the new client size and fills it
// with what the window shows, so both agree before anything is drawn.
void fitBackBuffer(int width, int height);

// WM_ERASEBKGND under the fast painter: what the default erase does on the
// window (the class brush over the DC's region), done in the back buffer.
void eraseBackBuffer(HWND hwnd, HDC eraseDC);

// Child controls paint straight onto the window, and only while they
// handle a message. Before the control handles any message the window is
// shown what the back buffer holds; after it, the buffer takes the control's
// pixels from the window, so that whatever the main window draws over the
// control lands on what it shows, as it would on the window.
void watchControl(HWND control);

// True when, under the fast painter, an erase just made is followed by a
// paint: its present can wait for the paint's, one copy instead of two.
bool paintFollowsErase(HWND hwnd);

// Inside WM_PAINT nothing is presented until the paint is complete.
void holdPresent();
void releasePresent();

// Copies everything drawn into the back buffer since the last present onto
// the window. Does nothing under the literal painter.
void presentBackBuffer();

// Adds a rectangle whose pixels were written straight into the bits (not
// through GDI) to what the next present copies.
void markBackBufferDirty(int left, int top, int right, int bottom);
