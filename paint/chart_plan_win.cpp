#include "paint/chart_plan_win.h"

#include <cstring>

#include "paint/dot_stamp_win.h"
#include "paint/painter_state_win.h"

namespace {

const int LongestPiece = 0xFFFF;
const std::size_t ShortestUsefulPiece = 4;   // on average

// Dot numbers are stored in 16 bits; a chart of more dots is stamped dot by
// dot instead (none of the grid sizes comes near).
const std::size_t MaxPlannedDots = 0xFFFF;
const std::uint16_t NoDot = 0xFFFF;

bool sameInputs(const WalkInputs& a, const WalkInputs& b) {
    for (int k = 0; k < WalkInputCount; ++k) {
        if (a.values[k] != b.values[k])
            return false;
    }
    return true;
}

void addWalkedDot(ChartWalk& w, int x, int y, COLORREF c) {
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

// Walks the chart, keeping the dots' places too when a plan is to be made.
void visitWalkedDot(void* walk, int x, int y, COLORREF c) {
    addWalkedDot(*(ChartWalk*)walk, x, y, c);
}

void walkChart(ChartWalk& w, const ChartDots& chart, bool keepPlaces) {
    w.pixels.clear();
    w.xs.clear();
    w.ys.clear();
    w.keepPlaces = keepPlaces;
    chart.walk(visitWalkedDot, &w);
    w.inputs = chart.inputs;
    w.done = true;
    w.number = ++painter.walksMade;
}

bool planFitsGeometry(const ChartPlan& plan, int radius) {
    const Layout& L = app.layout;
    return plan.valid && plan.gridSize == app.settings.gridSize && plan.unit == L.unit &&
           plan.hStep == L.hStep && plan.radius == radius;
}

bool planFitsWalk(const ChartPlan& plan, const ChartWalk& w) {
    return plan.dotCount == w.pixels.size() && plan.lastDx == w.lastX - w.firstX &&
           plan.lastDy == w.lastY - w.firstY;
}

// Reads the grid of dot numbers back row by row into the plan.
void readPlanRows(ChartPlan& plan, const std::vector<std::uint16_t>& grid, int width, int height,
                  int left, int top, const ChartWalk& w) {
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
}

// Stamps the dot numbers of the walk, in order, into a grid over the
// chart's box, then reads the grid back row by row.
void makePlan(ChartPlan& plan, const ChartWalk& w, int radius) {
    const DotShape& shape = dotShapeOf(radius);
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
    readPlanRows(plan, grid, width, height, left, top, w);
    if (plan.pieces.size() * ShortestUsefulPiece > plan.owners.size())
        std::vector<PlanPiece>().swap(plan.pieces);
    const Layout& L = app.layout;
    plan.gridSize = app.settings.gridSize;
    plan.unit = L.unit;
    plan.hStep = L.hStep;
    plan.radius = radius;
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
    const BackBuffer& b = painter.buffer;
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
    const BackBuffer& b = painter.buffer;
    const int originX = w.firstX;
    const int originY = w.firstY;
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
    markDrawn(originX + plan.left, originY + plan.top, originX + plan.right,
              originY + plan.bottom);
}

// The kept plan for the present geometry, or else the oldest one, to be made.
ChartPlan& planFor(ChartCache& cache, int radius, bool& fits) {
    for (int k = 0; k < KeptPlansPerChart; ++k) {
        if (planFitsGeometry(cache.plans[k], radius)) {
            fits = true;
            return cache.plans[k];
        }
    }
    fits = false;
    cache.newestPlan = (cache.newestPlan + 1) % KeptPlansPerChart;
    return cache.plans[cache.newestPlan];
}

// Paints a chart through its plan, making the plan first when the geometry
// is new. Falls back to stamping dot by dot if no plan can be made.
void paintChartPixels(ChartCache& cache, const ChartDots& chart) {
    const int radius = chart.radius;
    const WalkInputs& inputs = chart.inputs;
    ChartWalk& w = cache.walk;
    bool fits = false;
    ChartPlan& plan = planFor(cache, radius, fits);
    if (!fits || !w.done || !sameInputs(w.inputs, inputs))
        walkChart(w, chart, !fits);
    if (w.pixels.empty())
        return;
    if (fits && !planFitsWalk(plan, w)) {
        fits = false;
        walkChart(w, chart, true);
    }
    if (!fits)
        makePlan(plan, w, radius);
    if (plan.valid) {
        applyPlan(plan, w);
        return;
    }
    stampShapes(dotShapeOf(radius), w.xs.data(), w.ys.data(), w.pixels.data(), w.xs.size());
}

}  // namespace

bool stampChart(const ChartDots& chart) {
    if (!drawingIntoBuffer() || !dotShapeOf(chart.radius).learnt)
        return false;
    if (chart.keptChart < 0 || chart.keptChart >= KeptCharts)
        return false;
    paintChartPixels(painter.charts[chart.keptChart], chart);
    return true;
}
