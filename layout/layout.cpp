#include "layout/layout.h"

#include "core/state.h"

namespace {

// Distance of each chart's outermost dot column from the client edge, beyond
// one unit.
const int SideMargin = 48;
const int MinMarkerSize = 8;
const int MaxMarkerSize = 16;
const int PanelTop = 46;
const int StripBottomMargin = 8;
// Below this radius the triangle's dots are painted one pixel larger: they
// stand on a square grid, looser than the hexagon's packing, and would
// otherwise show gaps on the smallest grids.
const int SmallDotRadius = 4;

// A hand-edited settings file must never index past the grid table; the
// reader checks this too, but the layout is where the table is read.
void keepSizeIndexInRange() {
    if (app.settings.sizeIndex < 0 || app.settings.sizeIndex >= GridSizeCount)
        app.settings.sizeIndex = DefaultSizeIndex;
}

int dotRadiusFor(int unit) {
    // Small dots get one pixel more so they stay visible and touch.
    return unit < 7 ? unit + 1 : unit;
}

int markerSizeFor(int unit) {
    if (unit < MinMarkerSize)
        return MinMarkerSize;
    return unit > MaxMarkerSize ? MaxMarkerSize : unit;
}

// The least distance from the hexagon's rightmost dot centres to the
// triangle's apex at which nothing of the one chart meets the other. The
// nearest pair is the slice marker on the middle dot of the hexagon's right
// side, level with the apex: its far side stands unit + clearance - 1 +
// markerSize right of that column, and the apex dot reaches left of its
// centre by the radius the triangle paints it with, which on the smallest
// units is one more than the hexagon's. The hexagon's own dots reach less far
// (dotRadius), and with this gap every dot centre lies on its own chart's
// side of the hit test's split, one unit left of the apex. Everything else of
// the two charts is farther apart: no part of the hexagon or its marker
// reaches farther right than that marker, and the triangle's dots lie the
// farther right the farther they are from the apex's row.
int clearChartGap(int unit) {
    const int apexReach = triangleDotRadiusFor(dotRadiusFor(unit));
    return unit + SliceMarkerSideClearance + markerSizeFor(unit) + apexReach;
}

// The gap the described layout leaves at this unit.
int describedChartGap(int n, int unit) {
    const int hStep = roundHalfAway(unit * Sqrt3);
    const int hexagonRight = 2 * hStep * n + unit + SideMargin;
    const int triLeft = app.layout.clientWidth - unit * (2 * n + 1) - SideMargin;
    return triLeft - hexagonRight;
}

void computeUnit(int n) {
    Layout& L = app.layout;
    int q = (L.clientHeight - ChartMarginHeight) / (4 * n + 2);
    // A window narrower than the charts' proportion (dragged by a side edge,
    // maximised on a tall screen) keeps the unit its height gives wherever the
    // charts stay clear of each other, and takes a smaller one only where
    // they would meet.
    while (q > 1 && describedChartGap(n, q) < clearChartGap(q))
        --q;
    if (q < 1)
        q = 1;
    L.unit = q;
    L.dotRadius = dotRadiusFor(q);
}

// Where even the smallest unit leaves too little room, the triangle moves
// right, just clear of the hexagon, and runs off the window's edge rather
// than over it.
void keepTriangleClear(int n) {
    Layout& L = app.layout;
    const int clearLeft = L.hexCenterX + L.hStep * n + clearChartGap(L.unit);
    if (L.triLeft < clearLeft)
        L.triLeft = clearLeft;
}

void computeMarkerSize() {
    Layout& L = app.layout;
    const int size = markerSizeFor(L.unit);
    L.markerSize = size;
    // Rounded separately: markerSpan is not always 2 x markerHalf.
    L.markerHalf = roundHalfAway(size / Sqrt3);
    L.markerSpan = roundHalfAway(size / HalfSqrt3);
}

void computeStripAndPanel(int n) {
    Layout& L = app.layout;
    L.stripBottom = L.clientHeight - StripBottomMargin;
    L.stripTop = L.stripBottom - L.clientHeight / 14;
    L.triLeft = L.clientWidth - L.unit * (2 * n + 1) - SideMargin;
    keepTriangleClear(n);
    L.stripRight = L.triLeft + (7 * L.unit * (2 * n + 1)) / 10;
    L.stripLeft = L.hexCenterX + (3 * (L.hStep * n + L.unit)) / 5;
    L.swatchWidth = (L.stripRight - L.stripLeft) * 0.0625;
    // The panel spans swatches 6 to 11 of the strip.
    L.panelLeft = L.stripLeft + roundHalfAway(6 * L.swatchWidth);
    L.panelRight = L.stripLeft + roundHalfAway(12 * L.swatchWidth);
    L.panelTop = PanelTop;
    L.panelBottom = L.clientHeight / 9 + PanelTop;
}

}  // namespace

int triangleDotRadiusFor(int dotRadius) {
    return dotRadius < SmallDotRadius ? dotRadius + 1 : dotRadius;
}

void computeLayout() {
    keepSizeIndexInRange();
    const int n = GridSizes[app.settings.sizeIndex];
    app.settings.gridSize = n;

    Layout& L = app.layout;
    computeUnit(n);
    app.chart.colorStep = 255.0 / n;
    app.chart.halfColorStep = 255.0 / (2 * n);
    L.hStep = roundHalfAway(L.unit * Sqrt3);
    computeMarkerSize();
    L.hexCenterX = L.hStep * n + L.unit + SideMargin;
    L.hexCenterY = L.clientHeight / 2;
    computeStripAndPanel(n);
}
