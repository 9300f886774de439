// Dots and rings for the default painter. For each dot radius the pixels
// that GDI's Ellipse covers (null pen, box x - r .. x + r) are learnt once,
// by drawing one such ellipse with GDI into a small bitmap and reading it
// back; every dot is then written in its colour straight into the back
// buffer's bits, in the same order as the literal painter draws them, so
// overlaps come out the same. GDI covers the same pattern wherever the box
// stands, so the result is the picture the literal painter leaves, pixel for
// pixel. The overlay's rings (outlines of a solid pen, null brush) likewise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/shell_win.h"

// Pixels x + left .. x + right - 1 of row y + dy, for a shape centred at (x, y).
struct DotSpan {
    int dy;
    int left;
    int right;
};

struct DotShape {
    bool known;    // learning was tried
    bool learnt;   // and succeeded (a shape may rightly cover nothing)
    std::vector<DotSpan> spans;
    // The box of all spans, relative to the centre; right and bottom excluded.
    int left, top, right, bottom;
};

struct RingShape {
    int radius;
    int penWidth;
    DotShape shape;
};

// The shape of a dot of the radius, learnt on first use.
const DotShape& dotShapeOf(int radius);

// Writes the shape centred at each (xs[k], ys[k]) in pixels[k], in order,
// into the back buffer, clipped to it, and records what it covered.
void stampShapes(const DotShape& shape, const int* xs, const int* ys,
                 const std::uint32_t* pixels, std::size_t count);

// One dot into the back buffer. False, having drawn nothing, when its
// shape could not be learnt: the caller then draws with GDI.
bool stampDot(int x, int y, int radius, COLORREF c);

// The outline GDI's Ellipse draws for the box x - radius .. x + radius with
// the DC's selected pen (solid, any width) and a null brush, put into the
// back buffer in the pen's colour. False, and nothing drawn, when the DC is
// not in that state or the back buffer is not in use; the caller then draws
// with GDI.
bool stampRing(int x, int y, int radius);
