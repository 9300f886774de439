// The proportion between window width and height that lets the charts fill
// the client area, and the rules that keep a sized window at it. All sizes
// are outer window sizes (frame included) unless named client sizes.
#pragma once

#include "core/state.h"

// Window width whose client area holds both charts at the unit that a window
// of height h allows.
int widthForHeight(int h);

// Window height, a whole number of units, that a window of width w can hold.
int heightForWidth(int w);

// WM_SIZING: edge is the WMSZ_ code of the dragged edge or corner; r is the
// sizing rectangle, adjusted in place. The opposite edge never moves.
void constrainSizing(int edge, WindowRect& r);

// WM_WINDOWPOSCHANGING: y, cx, cy and flags of the WINDOWPOS; cx and cy are
// adjusted in place.
void constrainWindowPos(int y, int& cx, int& cy, unsigned flags);

// One Ctrl+wheel step of the window height: from the current client height,
// the work area and the window rectangle, the client height to take and the
// window's new top edge. Direction is +1 (grow) or -1 (shrink).
void stepHeightTarget(int direction, const WindowRect& windowRect,
                      int& newClientHeight, int& newTop);

// minTrackHeight and minTrackWidth for the grid size: the unit 1, but no
// client height below 300.
void computeMinTrackSize();
