#include "layout/layout.h"

#include "app/sizing.h"
#include "app/state.h"
#include "pick/locate.h"

namespace {

// Vertical room the client area keeps beside the hexagon's 4N + 2 half-rows.
const int ChartMarginHeight = 96;
// Distance of each chart's outermost dot column from the client edge, beyond
// one unit.
const int SideMargin = 48;
const int MinMarkerSize = 8;
const int MaxMarkerSize = 16;
const int PanelTop = 46;
const int StripBottomMargin = 8;
// Smallest client height the user may drag the window to.
const int MinClientHeight = 300;
const int DefaultSizeIndex = 2;

// A hand-edited settings file must never index past the grid table; the
// reader checks this too, but the layout is where the table is read.
void keepSizeIndexInRange() {
    if (app.settings.sizeIndex < 0 || app.settings.sizeIndex >= GridSizeCount)
        app.settings.sizeIndex = DefaultSizeIndex;
}

// Whether the triangle's side of the window (from one unit left of its apex)
// begins right of the hexagon's rim band at this unit, so that the charts
// neither overlap nor take each other's points.
bool chartsFitWidth(int n, int unit) {
    const int hStep = roundHalfAway(unit * Sqrt3);
    const int hexagonReach = 2 * (hStep * n + unit) + SideMargin + RimBandSideMargin;
    const int triangleReach = unit * (2 * n + 2) + SideMargin;
    return app.layout.clientWidth - triangleReach > hexagonReach;
}

void computeUnit(int n) {
    Layout& L = app.layout;
    int q = (L.clientHeight - ChartMarginHeight) / (4 * n + 2);
    // A window narrower than the charts' proportion (maximised on a tall
    // screen, or restored so) takes the unit its width allows.
    while (q > 1 && !chartsFitWidth(n, q))
        --q;
    if (q < 1) {
        L.unit = 1;
        L.dotRadius = 2;
        return;
    }
    L.unit = q;
    // Small dots get one pixel more so they stay visible and touch.
    L.dotRadius = q < 7 ? q + 1 : q;
}

// Where even the smallest unit does not fit, the triangle moves right of the
// rim band and runs off the window's edge rather than over the hexagon.
void keepTriangleClear(int n) {
    Layout& L = app.layout;
    const int clearLeft = L.hexCenterX + L.hStep * n + 2 * L.unit + RimBandSideMargin + 1;
    if (L.triLeft < clearLeft)
        L.triLeft = clearLeft;
}

void computeMarkerSize() {
    Layout& L = app.layout;
    int size = L.unit;
    if (size < MinMarkerSize)
        size = MinMarkerSize;
    if (size > MaxMarkerSize)
        size = MaxMarkerSize;
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

void computeMinTrackSize() {
    Layout& L = app.layout;
    // The height at which the unit is exactly 1 (what heightForWidth gives
    // for a zero width).
    int height = L.frameHeight + ChartMarginHeight + (4 * app.settings.gridSize + 2);
    if (height < L.frameHeight + MinClientHeight)
        height = L.frameHeight + MinClientHeight;
    L.minTrackHeight = height;
    L.minTrackWidth = widthForHeight(height);
}

}  // namespace

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

    // The pick line's ends follow the new metrics.
    locatePick();

    computeMinTrackSize();
}
