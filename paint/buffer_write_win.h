// The plainest drawing, written straight into the back buffer's bits: a GDI
// call costs more than the few pixels it sets. Each sets exactly the pixels
// the GDI call it stands for sets (FillRect with a solid brush; LineTo with
// a one-pixel solid pen). Each returns false when the caller is to make the
// GDI call itself: the back buffer is not in use, or the shape is not one
// these cover.
#pragma once

#include "core/shell_win.h"

// FillRect of (left, top, right, bottom) in one colour; only a rectangle
// with right > left and bottom > top.
bool writeBufferRect(int left, int top, int right, int bottom, COLORREF c);

// MoveToEx(x0, y0) and LineTo(x1, y1) with a one-pixel solid pen of the
// colour: every pixel from the start up to, not including, the end. Only
// level and upright lines.
bool writeBufferLine(int x0, int y0, int x1, int y1, COLORREF c);
