#include "paint/buffer_write_win.h"

#include <cstddef>
#include <cstdint>

#include "paint/painter_state_win.h"

namespace {

// Fills the part of the box that lies on the buffer.
void fillClipped(int left, int top, int right, int bottom, std::uint32_t pixel) {
    const BackBuffer& b = painter.buffer;
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > b.width ? b.width : right;
    bottom = bottom > b.height ? b.height : bottom;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = b.bits + (std::size_t)y * b.width;
        for (int x = left; x < right; ++x)
            row[x] = pixel;
    }
}

}  // namespace

bool writeBufferRect(int left, int top, int right, int bottom, COLORREF c) {
    if (!drawingIntoBuffer() || right <= left || bottom <= top)
        return false;
    // GDI's own drawing into the buffer must be finished before ours lands
    // on top of it.
    GdiFlush();
    fillClipped(left, top, right, bottom, bufferPixelOf(c));
    markDrawn(left, top, right, bottom);
    return true;
}

bool writeBufferLine(int x0, int y0, int x1, int y1, COLORREF c) {
    if (!drawingIntoBuffer() || (x0 != x1 && y0 != y1))
        return false;
    if (x0 == x1 && y0 == y1)
        return true;   // LineTo to the start point sets nothing
    // The pixels from the start toward the end, the end left out, as a box.
    int left = x0, right = x0 + 1, top = y0, bottom = y0 + 1;
    if (x1 > x0)
        right = x1;
    else if (x1 < x0)
        left = x1 + 1;
    if (y1 > y0)
        bottom = y1;
    else if (y1 < y0)
        top = y1 + 1;
    GdiFlush();
    fillClipped(left, top, right, bottom, bufferPixelOf(c));
    markDrawn(left, top, right, bottom);
    return true;
}
