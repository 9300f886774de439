#include "chart/hexagon.h"

namespace {

// Integer halving that rounds toward minus infinity, so that an odd position
// and the dot above it share the same (c, d).
int floorHalf(int v) {
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

int absolute(int v) { return v < 0 ? -v : v; }

// Hexagonal distance of a position from the centre; the extra 1 for
// negative half-rows gives an odd position the ring of the dot above it.
int ringOf(int a, int b) {
    const int absA = absolute(a);
    const int bPrime = b >= 0 ? b : 1 - b;
    const int across = (absA + bPrime) / 2;
    return absA > across ? absA : across;
}

int stepRound(int count) {
    return roundHalfAway(app.chart.colorStep * count);
}

}  // namespace

void updateLevel() {
    ChartState& chart = app.chart;
    const int n = app.settings.gridSize;
    chart.level = indexOfPosition(app.settings.levelPos, n);
    chart.centerGray = 255 - roundHalfAway((2 * n - chart.level) * chart.halfColorStep);
    chart.grayStep = (double)chart.centerGray / n;
}

int ringLow(int e) {
    return app.chart.centerGray - roundHalfAway(e * app.chart.grayStep);
}

int ringHigh(int e) {
    return app.chart.centerGray + roundHalfAway(e * (app.chart.colorStep - app.chart.grayStep));
}

COLORREF hexCellColor(int a, int b) {
    const int c = floorHalf(a + b);
    const int d = floorHalf(b - a);
    if (c == 0 && d == 0) {
        const int gray = app.chart.centerGray;
        return makeColor(gray, gray, gray);
    }
    const int e = ringOf(a, b);
    const int lo = ringLow(e);
    const int hi = ringHigh(e);
    if (c < 0 && a >= 0)
        return makeColor(lo, hi, lo + stepRound(a));      // green toward cyan
    if (c >= 0 && d < 0)
        return makeColor(lo, hi - stepRound(c), hi);      // cyan toward blue
    if (c >= 0 && d >= 0 && a > 0)
        return makeColor(lo + stepRound(d), lo, hi);      // blue toward magenta
    // From here on a <= 0, so the multiplied coordinate is zero or negative.
    if (c > 0)
        return makeColor(hi, lo, hi + stepRound(a));      // magenta toward red
    if (d > 0)
        return makeColor(hi, lo - stepRound(c), lo);      // red toward yellow
    return makeColor(hi + stepRound(d), hi, lo);          // yellow toward green
}

void hexSideStep(int side, int& dx, int& dy) {
    const int h = app.layout.hStep;
    const int u = app.layout.unit;
    switch (side) {
    case 0: dx = h;  dy = u;      break;
    case 1: dx = 0;  dy = 2 * u;  break;
    case 2: dx = -h; dy = u;      break;
    case 3: dx = -h; dy = -u;     break;
    case 4: dx = 0;  dy = -2 * u; break;
    default: dx = h; dy = -u;     break;
    }
}
