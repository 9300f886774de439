// Whole charts for the default painter. A chart overlaps itself: with small
// units each pixel is covered by two or three dots, and the last one
// painted shows. Which dot that is depends only on where the dots stand, in
// which order, and their shape, never on their colours. So for each chart a
// plan records, once per geometry, the number (in painting order) of the
// dot that shows at each covered pixel, relative to the chart's first dot.
// Painting the chart is then one walk for the colours and one write per
// covered pixel, row by row. A pixel no dot covers keeps what lies beneath,
// as with the literal painter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "paint/draw_win.h"

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

// The plans of a chart, one per geometry recently used (so that going to
// another grid size and back finds its plan still made), and its last walk.
const int KeptPlansPerChart = 2;
struct ChartCache {
    ChartPlan plans[KeptPlansPerChart];
    int newestPlan;
    ChartWalk walk;
};

// The chart into the back buffer. False, having drawn nothing, when its
// dots' shape could not be learnt: the caller then draws with GDI.
bool stampChart(const ChartDots& chart);
