#include "chart/dot_stamp_win.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "app/present_win.h"
#include "app/scratch_bitmap_win.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"

namespace {

// Pixels x + left .. x + right - 1 of row y + dy, for a dot centred at (x, y).
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

// Learnt shapes by radius, kept for the whole run: the coverage depends on
// the radius alone.
std::vector<DotShape> shapesByRadius;

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

const DotShape& shapeOfRadius(int radius) {
    if (radius < 0)
        radius = 0;
    if ((std::size_t)radius >= shapesByRadius.size())
        shapesByRadius.resize((std::size_t)radius + 1);
    DotShape& shape = shapesByRadius[(std::size_t)radius];
    if (!shape.known)
        learnShape(radius, 0, shape);
    return shape;
}

struct RingShape {
    int radius;
    int penWidth;
    DotShape shape;
};

std::vector<RingShape> ringShapes;

const DotShape& shapeOfRing(int radius, int penWidth) {
    for (const RingShape& ring : ringShapes) {
        if (ring.radius == radius && ring.penWidth == penWidth)
            return ring.shape;
    }
    ringShapes.push_back(RingShape());
    RingShape& ring = ringShapes.back();
    ring.radius = radius;
    ring.penWidth = penWidth;
    learnShape(radius, penWidth, ring.shape);
    return ring.shape;
}

// One run of stamping dot by dot: the shape, the target bits and the box of
// the centres stamped so far. Used for single dots; whole charts go through
// their plans below.
struct Stamping {
    const DotShape* shape;
    std::uint32_t* bits;
    int width;
    int height;
    int minX, minY, maxX, maxY;
    bool any;
};

Stamping beginStamping(const DotShape& shape) {
    Stamping s;
    s.shape = &shape;
    const BackBuffer& b = shell.backBuffer;
    s.bits = b.bits;
    s.width = b.width;
    s.height = b.height;
    s.minX = s.minY = s.maxX = s.maxY = 0;
    s.any = false;
    // GDI's own drawing into the buffer must be finished before ours lands
    // on top of it.
    GdiFlush();
    return s;
}

void stampPixelAt(Stamping& s, int x, int y, std::uint32_t pixel) {
    if (!s.any) {
        s.minX = s.maxX = x;
        s.minY = s.maxY = y;
        s.any = true;
    } else {
        s.minX = x < s.minX ? x : s.minX;
        s.maxX = x > s.maxX ? x : s.maxX;
        s.minY = y < s.minY ? y : s.minY;
        s.maxY = y > s.maxY ? y : s.maxY;
    }
    if (!s.bits)
        return;
    for (const DotSpan& span : s.shape->spans) {
        const int row = y + span.dy;
        if (row < 0 || row >= s.height)
            continue;
        int left = x + span.left;
        int right = x + span.right;
        if (left < 0)
            left = 0;
        if (right > s.width)
            right = s.width;
        std::uint32_t* p = s.bits + (std::size_t)row * s.width;
        for (int k = left; k < right; ++k)
            p[k] = pixel;
    }
}

void endStamping(const Stamping& s) {
    if (!s.any || s.shape->spans.empty())
        return;
    const DotShape& shape = *s.shape;
    markBackBufferDirty(s.minX + shape.left, s.minY + shape.top, s.maxX + shape.right,
                        s.maxY + shape.bottom);
}

// ------------------------------------------------------------- chart plans
//
// A whole chart overlaps itself: with small units each pixel is covered by
// two or three dots, and the last one painted shows. Which dot that is
// depends only on where the dots stand, in which order, and their shape,
// never on their colours. So for each chart a plan records, once per
// geometry, the number (in painting order) of the dot that shows at each
// covered pixel, relative to the chart's first dot. Painting the chart is
// then one walk for the colours and one write per covered pixel, row by row.
// A pixel no dot covers keeps what lies beneath, as with the literal painter.

// Pixels dx .. dx + length - 1 of row dy (relative to the first dot); in
// the plan's per-pixel arrays they start at firstPixel, its pieces (when
// kept) at firstPiece.
struct PlanRow {
    int dy;
    int dx;
    int length;
    std::size_t firstPixel;
    std::size_t firstPiece;
};

// Pixels side by side that show the same dot: one fill. Large dots give
// long pieces; on the smallest grids a piece is a pixel or two, and going
// pixel by pixel is quicker.
struct PlanPiece {
    std::uint16_t owner;
    std::uint16_t length;
};
const int LongestPiece = 0xFFFF;
const std::size_t ShortestUsefulPiece = 4;   // on average

// Dot numbers are stored in 16 bits; a chart of more dots is stamped dot by
// dot instead (none of the grid sizes comes near).
const std::size_t MaxPlannedDots = 0xFFFF;
const std::uint16_t NoDot = 0xFFFF;

struct ChartPlan {
    bool valid;
    // What the geometry depends on besides the layout's place for the chart.
    int gridSize, unit, hStep, radius;
    std::size_t dotCount;
    int lastDx, lastDy;   // the last dot, relative to the first: a check
    std::vector<PlanRow> rows;
    std::vector<std::uint16_t> owners;   // the dot shown, per pixel, rows one after another
    std::vector<PlanPiece> pieces;       // the same in pieces, when they are long enough
    int left, top, right, bottom;        // box of all rows, relative to the first dot
    // The walk last painted, and its pixels once it is painted a second
    // time: painting the same colours again (a full paint) is then a copy.
    // A walk painted once (every level step) is written straight out.
    std::uint64_t paintedWalk;
    std::vector<std::uint32_t> rendered;
    std::uint64_t renderedWalk;
};

ChartPlan hexagonPlan;
ChartPlan trianglePlan;

// Everything a chart's walk reads: while these stay, the walk gives the
// same colours at the same places and need not be made again (a full paint,
// a drag-resize that keeps the chart's place, the other chart's step).
const int WalkInputCount = 11;
struct WalkInputs {
    double values[WalkInputCount];
};

WalkInputs hexagonWalkInputs() {
    const Layout& L = app.layout;
    const ChartState& c = app.chart;
    const WalkInputs in = {{(double)app.settings.gridSize, (double)L.hexCenterX,
                            (double)L.hexCenterY, (double)L.unit, (double)L.hStep,
                            (double)c.centerGray, c.grayStep, c.colorStep, 0, 0, 0}};
    return in;
}

WalkInputs triangleWalkInputs() {
    const Layout& L = app.layout;
    const ChartState& c = app.chart;
    const WalkInputs in = {{(double)app.settings.gridSize, (double)L.triLeft, (double)L.hexCenterY,
                            (double)L.unit, (double)c.hueR, (double)c.hueG, (double)c.hueB,
                            c.tintStepR, c.tintStepG, c.tintStepB, c.halfColorStep}};
    return in;
}

bool sameInputs(const WalkInputs& a, const WalkInputs& b) {
    for (int k = 0; k < WalkInputCount; ++k) {
        if (a.values[k] != b.values[k])
            return false;
    }
    return true;
}

// One walk of a chart: every dot's colour as a pixel, in painting order, and
// the dots' places (only kept while a plan is to be made).
struct ChartWalk {
    std::vector<std::uint32_t> pixels;
    std::vector<int> xs, ys;
    bool keepPlaces;
    int firstX, firstY, lastX, lastY;
    bool done;
    WalkInputs inputs;
    std::uint64_t number;   // which walk this was, counting from 1
};

std::uint64_t walksMade = 0;

ChartWalk hexagonWalk;
ChartWalk triangleWalk;
ChartWalk* walking = &hexagonWalk;

void startWalk(ChartWalk& w, bool keepPlaces) {
    walking = &w;
    w.pixels.clear();
    w.xs.clear();
    w.ys.clear();
    w.keepPlaces = keepPlaces;
    w.done = false;
}

inline void walkDot(int x, int y, COLORREF c) {
    ChartWalk& w = *walking;
    if (w.pixels.empty()) {
        w.firstX = x;
        w.firstY = y;
    }
    w.lastX = x;
    w.lastY = y;
    w.pixels.push_back(bufferPixelOf(c));
    if (w.keepPlaces) {
        w.xs.push_back(x);
        w.ys.push_back(y);
    }
}

bool planFitsGeometry(const ChartPlan& plan) {
    const Layout& L = app.layout;
    return plan.valid && plan.gridSize == app.settings.gridSize && plan.unit == L.unit &&
           plan.hStep == L.hStep && plan.radius == L.dotRadius;
}

bool planFitsWalk(const ChartPlan& plan, const ChartWalk& w) {
    return plan.dotCount == w.pixels.size() && plan.lastDx == w.lastX - w.firstX &&
           plan.lastDy == w.lastY - w.firstY;
}

// Stamps the dot numbers of the walk, in order, into a grid over the
// chart's box, then reads the grid back row by row.
void makePlan(ChartPlan& plan, const ChartWalk& w) {
    const DotShape& shape = shapeOfRadius(app.layout.dotRadius);
    plan = ChartPlan();
    if (w.pixels.empty() || w.pixels.size() > MaxPlannedDots || shape.spans.empty())
        return;
    int minX = w.xs[0], maxX = w.xs[0], minY = w.ys[0], maxY = w.ys[0];
    for (std::size_t k = 0; k < w.xs.size(); ++k) {
        minX = w.xs[k] < minX ? w.xs[k] : minX;
        maxX = w.xs[k] > maxX ? w.xs[k] : maxX;
        minY = w.ys[k] < minY ? w.ys[k] : minY;
        maxY = w.ys[k] > maxY ? w.ys[k] : maxY;
    }
    const int left = minX + shape.left;
    const int top = minY + shape.top;
    const int width = maxX + shape.right - left;
    const int height = maxY + shape.bottom - top;
    std::vector<std::uint16_t> grid((std::size_t)width * height, NoDot);
    for (std::size_t k = 0; k < w.xs.size(); ++k) {
        for (const DotSpan& span : shape.spans) {
            std::uint16_t* row = &grid[(std::size_t)(w.ys[k] + span.dy - top) * width];
            for (int x = w.xs[k] + span.left - left; x < w.xs[k] + span.right - left; ++x)
                row[x] = (std::uint16_t)k;
        }
    }
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* row = &grid[(std::size_t)y * width];
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == NoDot)
                ++x;
            const int start = x;
            const std::size_t firstPiece = plan.pieces.size();
            while (x < width && row[x] != NoDot) {
                const int pieceStart = x;
                while (x < width && row[x] == row[pieceStart] && x - pieceStart < LongestPiece)
                    ++x;
                const PlanPiece piece = {row[pieceStart], (std::uint16_t)(x - pieceStart)};
                plan.pieces.push_back(piece);
            }
            if (x == start)
                continue;
            const PlanRow planRow = {top + y - w.firstY, left + start - w.firstX, x - start,
                                     plan.owners.size(), firstPiece};
            plan.rows.push_back(planRow);
            plan.owners.insert(plan.owners.end(), row + start, row + x);
        }
    }
    if (plan.pieces.size() * ShortestUsefulPiece > plan.owners.size())
        std::vector<PlanPiece>().swap(plan.pieces);
    const Layout& L = app.layout;
    plan.gridSize = app.settings.gridSize;
    plan.unit = L.unit;
    plan.hStep = L.hStep;
    plan.radius = L.dotRadius;
    plan.dotCount = w.pixels.size();
    plan.lastDx = w.lastX - w.firstX;
    plan.lastDy = w.lastY - w.firstY;
    plan.left = left - w.firstX;
    plan.top = top - w.firstY;
    plan.right = left + width - w.firstX;
    plan.bottom = top + height - w.firstY;
    plan.valid = true;
}

// Writes the colours of `count` pixels of the plan to `out`, from the
// walk's dot colours, starting at a row's first pixel and first piece.
void renderPlanPixels(const ChartPlan& plan, const ChartWalk& w, std::size_t firstPixel,
                      std::size_t firstPiece, std::size_t count, std::uint32_t* out) {
    const std::uint32_t* colours = w.pixels.data();
    if (plan.pieces.empty()) {
        const std::uint16_t* owners = plan.owners.data() + firstPixel;
        for (std::size_t k = 0; k < count; ++k)
            out[k] = colours[owners[k]];
        return;
    }
    std::size_t done = 0;
    const PlanPiece* piece = plan.pieces.data() + firstPiece;
    while (done < count) {
        const std::uint32_t pixel = colours[piece->owner];
        for (std::size_t k = 0; k < piece->length; ++k)
            out[done + k] = pixel;
        done += piece->length;
        ++piece;
    }
}

// Writes the plan's pixels of one row into the buffer, clipped to it.
void writePlanRow(const ChartPlan& plan, const ChartWalk& w, const PlanRow& row, int x, int y,
                  std::vector<std::uint32_t>& scratch) {
    const BackBuffer& b = shell.backBuffer;
    std::uint32_t* line = b.bits + (std::size_t)y * b.width;
    const std::size_t length = (std::size_t)row.length;
    if (x >= 0 && x + row.length <= b.width) {
        if (plan.renderedWalk == w.number)
            std::memcpy(line + x, &plan.rendered[row.firstPixel], length * sizeof(std::uint32_t));
        else
            renderPlanPixels(plan, w, row.firstPixel, row.firstPiece, length, line + x);
        return;
    }
    const std::uint32_t* source = NULL;
    if (plan.renderedWalk == w.number) {
        source = &plan.rendered[row.firstPixel];
    } else {
        scratch.resize(length);
        renderPlanPixels(plan, w, row.firstPixel, row.firstPiece, length, scratch.data());
        source = scratch.data();
    }
    int from = x;
    int to = x + row.length;
    if (from < 0) {
        source -= from;
        from = 0;
    }
    if (to > b.width)
        to = b.width;
    if (to > from)
        std::memcpy(line + from, source, (std::size_t)(to - from) * sizeof(std::uint32_t));
}

// Writes the walked colours through the plan, clipped to the back buffer.
void applyPlan(ChartPlan& plan, const ChartWalk& w) {
    const BackBuffer& b = shell.backBuffer;
    const int originX = w.firstX;
    const int originY = w.firstY;
    if (b.bits) {
        if (plan.paintedWalk == w.number && plan.renderedWalk != w.number) {
            plan.rendered.resize(plan.owners.size());
            renderPlanPixels(plan, w, 0, 0, plan.owners.size(), plan.rendered.data());
            plan.renderedWalk = w.number;
        }
        GdiFlush();
        std::vector<std::uint32_t> scratch;
        for (const PlanRow& row : plan.rows) {
            const int y = originY + row.dy;
            if (y >= 0 && y < b.height)
                writePlanRow(plan, w, row, originX + row.dx, y, scratch);
        }
        plan.paintedWalk = w.number;
    }
    markBackBufferDirty(originX + plan.left, originY + plan.top, originX + plan.right,
                        originY + plan.bottom);
}

// Walks the chart, keeping the dots' places too when a plan is to be made.
template <class Walker>
void walkChart(ChartWalk& w, const WalkInputs& inputs, bool keepPlaces, Walker walker) {
    startWalk(w, keepPlaces);
    walker();
    w.inputs = inputs;
    w.done = true;
    w.number = ++walksMade;
}

// Paints a chart through its plan, making the plan first when the geometry
// changed. Falls back to stamping dot by dot if no plan can be made.
template <class Walker>
void paintChartPixels(ChartPlan& plan, ChartWalk& w, const WalkInputs& inputs, Walker walker) {
    bool fits = planFitsGeometry(plan);
    if (!fits || !w.done || !sameInputs(w.inputs, inputs))
        walkChart(w, inputs, !fits, walker);
    if (w.pixels.empty())
        return;
    if (fits && !planFitsWalk(plan, w)) {
        fits = false;
        walkChart(w, inputs, true, walker);
    }
    if (!fits)
        makePlan(plan, w);
    if (plan.valid) {
        applyPlan(plan, w);
        return;
    }
    Stamping s = beginStamping(shapeOfRadius(app.layout.dotRadius));
    for (std::size_t k = 0; k < w.xs.size(); ++k)
        stampPixelAt(s, w.xs[k], w.ys[k], w.pixels[k]);
    endStamping(s);
}

// Outside WM_PAINT a chart is shown on its own: together with the marker and
// the overlay drawn around it, one box to copy would take in much of the
// window besides. (Inside WM_PAINT presenting waits for the whole picture.)
template <class Walker>
void paintChart(ChartPlan& plan, ChartWalk& w, const WalkInputs& inputs, Walker walker) {
    presentBackBuffer();
    paintChartPixels(plan, w, inputs, walker);
    presentBackBuffer();
}

void walkHexagon() {
    forEachHexagonDot([](int x, int y, COLORREF c) { walkDot(x, y, c); });
}

void walkTriangle() {
    forEachTriangleDot([](int x, int y, COLORREF c) { walkDot(x, y, c); });
}

}  // namespace

bool stampHexagon() {
    if (!shapeOfRadius(app.layout.dotRadius).learnt)
        return false;
    paintChart(hexagonPlan, hexagonWalk, hexagonWalkInputs(), walkHexagon);
    return true;
}

bool stampTriangle() {
    if (!shapeOfRadius(app.layout.dotRadius).learnt)
        return false;
    paintChart(trianglePlan, triangleWalk, triangleWalkInputs(), walkTriangle);
    return true;
}

bool stampDot(int x, int y, COLORREF c) {
    const DotShape& shape = shapeOfRadius(app.layout.dotRadius);
    if (!shape.learnt)
        return false;
    Stamping s = beginStamping(shape);
    stampPixelAt(s, x, y, bufferPixelOf(c));
    endStamping(s);
    return true;
}

bool stampRing(int x, int y, int radius) {
    const BackBuffer& b = shell.backBuffer;
    HDC dc = shell.windowDC;
    if (!shell.fastPainter || !b.bits || dc != b.dc || radius < 0 || GetROP2(dc) != R2_COPYPEN ||
        GetCurrentObject(dc, OBJ_BRUSH) != GetStockObject(NULL_BRUSH))
        return false;
    LOGPEN pen = {};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen) || pen.lopnStyle != PS_SOLID ||
        pen.lopnWidth.x < 1)
        return false;
    const DotShape& shape = shapeOfRing(radius, pen.lopnWidth.x);
    if (!shape.learnt)
        return false;
    Stamping s = beginStamping(shape);
    stampPixelAt(s, x, y, bufferPixelOf(pen.lopnColor));
    endStamping(s);
    return true;
}
