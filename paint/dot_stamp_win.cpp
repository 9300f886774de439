#include "paint/dot_stamp_win.h"

#include "paint/painter_state_win.h"
#include "paint/pixel_bitmap_win.h"

namespace {

// Room around the ellipse's box in the bitmap it is learnt from, so that a
// pixel GDI might set just outside the box is seen too.
const int CaptureMargin = 2;

void addSpan(DotShape& shape, int dy, int left, int right) {
    const DotSpan span = {dy, left, right};
    if (shape.spans.empty()) {
        shape.left = left;
        shape.right = right;
        shape.top = dy;
    }
    if (left < shape.left)
        shape.left = left;
    if (right > shape.right)
        shape.right = right;
    shape.bottom = dy + 1;
    shape.spans.push_back(span);
}

// Rows top to bottom, each split into its runs of set pixels.
void readSpans(const std::uint32_t* bits, int size, int centre, DotShape& shape) {
    for (int row = 0; row < size; ++row) {
        const std::uint32_t* line = bits + (std::size_t)row * size;
        int col = 0;
        while (col < size) {
            while (col < size && (line[col] & 0xFFFFFF) == 0)
                ++col;
            const int start = col;
            while (col < size && (line[col] & 0xFFFFFF) != 0)
                ++col;
            if (col > start)
                addSpan(shape, row - centre, start - centre, col - centre);
        }
    }
}

// Draws one ellipse of the radius with GDI into a small bitmap and records
// which pixels it covered: with penWidth 0 a dot as drawDot draws it (null
// pen, filled), otherwise an outline of a solid pen that wide with a null
// brush, as the pick overlay's rings are drawn.
void learnShape(int radius, int penWidth, DotShape& shape) {
    shape = DotShape();
    shape.known = true;
    const int margin = CaptureMargin + penWidth;
    const int size = 2 * radius + 2 * margin;
    const int centre = margin + radius;
    ScratchBitmap scratch;
    if (!openScratchBitmap(scratch, size, size))
        return;   // not learnt: such dots are drawn with GDI
    HDC dc = scratch.dc;
    PatBlt(dc, 0, 0, size, size, BLACKNESS);
    HPEN pen = penWidth > 0 ? CreatePen(PS_SOLID, penWidth, RGB(0xFF, 0xFF, 0xFF))
                            : (HPEN)GetStockObject(NULL_PEN);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush =
        SelectObject(dc, GetStockObject(penWidth > 0 ? NULL_BRUSH : WHITE_BRUSH));
    Ellipse(dc, centre - radius, centre - radius, centre + radius, centre + radius);
    GdiFlush();
    readSpans(scratch.bits, size, centre, shape);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (penWidth > 0)
        DeleteObject(pen);
    closeScratchBitmap(scratch);
    // A shape that reaches the bitmap's edge may have lost pixels beyond it.
    shape.learnt = shape.spans.empty() ||
                   (shape.left > -centre && shape.top > -centre && shape.right < size - centre &&
                    shape.bottom < size - centre);
    if (!shape.learnt)
        shape.spans.clear();
}

const DotShape& ringShapeOf(int radius, int penWidth) {
    std::vector<RingShape>& rings = painter.ringShapes;
    for (const RingShape& ring : rings) {
        if (ring.radius == radius && ring.penWidth == penWidth)
            return ring.shape;
    }
    rings.push_back(RingShape());
    RingShape& ring = rings.back();
    ring.radius = radius;
    ring.penWidth = penWidth;
    learnShape(radius, penWidth, ring.shape);
    return ring.shape;
}

void stampSpansAt(const DotShape& shape, int x, int y, std::uint32_t pixel) {
    for (const DotSpan& span : shape.spans) {
        int left = x + span.left;
        int right = x + span.right;
        std::uint32_t* p = bufferRowSpan(y + span.dy, left, right);
        for (int k = left; p && k < right; ++k)
            p[k] = pixel;
    }
}

}  // namespace

const DotShape& dotShapeOf(int radius) {
    if (radius < 0)
        radius = 0;
    std::vector<DotShape>& shapes = painter.dotShapes;
    if ((std::size_t)radius >= shapes.size())
        shapes.resize((std::size_t)radius + 1);
    DotShape& shape = shapes[(std::size_t)radius];
    if (!shape.known)
        learnShape(radius, 0, shape);
    return shape;
}

void stampShapes(const DotShape& shape, const int* xs, const int* ys,
                 const std::uint32_t* pixels, std::size_t count) {
    if (count == 0 || shape.spans.empty())
        return;
    // GDI's own drawing into the buffer must be finished before ours lands
    // on top of it.
    GdiFlush();
    int minX = xs[0], maxX = xs[0], minY = ys[0], maxY = ys[0];
    for (std::size_t k = 0; k < count; ++k) {
        stampSpansAt(shape, xs[k], ys[k], pixels[k]);
        minX = xs[k] < minX ? xs[k] : minX;
        maxX = xs[k] > maxX ? xs[k] : maxX;
        minY = ys[k] < minY ? ys[k] : minY;
        maxY = ys[k] > maxY ? ys[k] : maxY;
    }
    markDrawn(minX + shape.left, minY + shape.top, maxX + shape.right, maxY + shape.bottom);
}

bool stampDot(int x, int y, int radius, COLORREF c) {
    if (!drawingIntoBuffer())
        return false;
    const DotShape& shape = dotShapeOf(radius);
    if (!shape.learnt)
        return false;
    const std::uint32_t pixel = bufferPixelOf(c);
    stampShapes(shape, &x, &y, &pixel, 1);
    return true;
}

bool stampRing(int x, int y, int radius) {
    HDC dc = shell.drawingDC;
    if (!drawingIntoBuffer() || radius < 0 || GetROP2(dc) != R2_COPYPEN ||
        GetCurrentObject(dc, OBJ_BRUSH) != GetStockObject(NULL_BRUSH))
        return false;
    LOGPEN pen = {};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen) || pen.lopnStyle != PS_SOLID ||
        pen.lopnWidth.x < 1)
        return false;
    const DotShape& shape = ringShapeOf(radius, pen.lopnWidth.x);
    if (!shape.learnt)
        return false;
    const std::uint32_t pixel = bufferPixelOf(pen.lopnColor);
    stampShapes(shape, &x, &y, &pixel, 1);
    return true;
}
