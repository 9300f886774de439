#include "chart/markers.h"

#include "layout/layout.h"

namespace {

// The level marker starts this far right of one unit past the base column,
// beyond the reach of a dot's radius.
const int LevelMarkerGap = 3;

struct MarkerMetrics {
    int x0, y0;          // hexagon centre less one pixel in x and y
    int n, unit, hStep;
    int size, half, span;
    int clearH, clearU, clearV;
};

MarkerMetrics markerMetrics(bool withClearance) {
    const Layout& L = app.layout;
    MarkerMetrics m;
    m.x0 = L.hexCenterX - 1;
    m.y0 = L.hexCenterY - 1;
    m.n = app.settings.gridSize;
    m.unit = L.unit;
    m.hStep = L.hStep;
    m.size = L.markerSize;
    m.half = L.markerHalf;
    m.span = L.markerSpan;
    // The clearances keep the drawn tip more than a dot radius away from the
    // rim dot it points at, so erasing the marker never touches a dot.
    m.clearH = withClearance ? L.hStep / 2 + 3 : 0;
    m.clearU = withClearance ? L.unit / 2 + 3 : 0;
    m.clearV = withClearance ? L.unit + SliceMarkerSideClearance : 0;
    return m;
}

void setTip(ClientPoint out[3], int x, int y) {
    out[0].x = x;
    out[0].y = y;
}

void setFarSide(ClientPoint out[3], int dx1, int dy1, int dx2, int dy2) {
    out[1].x = out[0].x + dx1;
    out[1].y = out[0].y + dy1;
    out[2].x = out[0].x + dx2;
    out[2].y = out[0].y + dy2;
}

// Slice 0: the marker points at the corner where the sector's side begins;
// the clearances push it outward from the centre (at the slanted corners the
// direction from the centre rises at 30 degrees, hence clearH across x).
void cornerMarker(const MarkerMetrics& m, int sector, ClientPoint out[3]) {
    const int M = m.size, h = m.half, S = m.span;
    const int nh = m.n * m.hStep, nu = m.n * m.unit;
    switch (sector) {
    case 0:
        setTip(out, m.x0, m.y0 - 2 * nu - m.clearV);
        setFarSide(out, h, -M, -h, -M);
        break;
    case 1:
        setTip(out, m.x0 + nh + m.clearH, m.y0 - nu - m.clearU);
        setFarSide(out, S, 0, h, -M);
        break;
    case 2:
        setTip(out, m.x0 + nh + m.clearH, m.y0 + nu + m.clearU);
        setFarSide(out, S, 0, h, M);
        break;
    case 3:
        setTip(out, m.x0, m.y0 + 2 * nu + m.clearV);
        setFarSide(out, h, M, -h, M);
        break;
    case 4:
        setTip(out, m.x0 - nh - m.clearH, m.y0 + nu + m.clearU);
        setFarSide(out, -S, 0, -h, M);
        break;
    case 5:
        setTip(out, m.x0 - nh - m.clearH, m.y0 - nu - m.clearU);
        setFarSide(out, -S, 0, -h, -M);
        break;
    default:
        // A sector the charts do not know marks nothing: a degenerate
        // triangle at the centre.
        setTip(out, m.x0, m.y0);
        setFarSide(out, 0, 0, 0, 0);
        break;
    }
}

// Slice s > 0: the marker points at dot s along the sector's side; across a
// sloping side the direction rises at 60 degrees, hence clearU across x.
void sideMarker(const MarkerMetrics& m, int sector, int s, ClientPoint out[3]) {
    const int M = m.size, h = m.half, S = m.span;
    const int n = m.n, u = m.unit, hs = m.hStep;
    switch (sector) {
    case 0:
        setTip(out, m.x0 + s * hs + m.clearU, m.y0 - (2 * n - s) * u - m.clearH);
        setFarSide(out, 0, -S, M, -h);
        break;
    case 1:
        setTip(out, m.x0 + n * hs + m.clearV, m.y0 - (n - 2 * s) * u);
        setFarSide(out, M, h, M, -h);
        break;
    case 2:
        setTip(out, m.x0 + (n - s) * hs + m.clearU, m.y0 + (n + s) * u + m.clearH);
        setFarSide(out, 0, S, M, h);
        break;
    case 3:
        setTip(out, m.x0 - s * hs - m.clearU, m.y0 + (2 * n - s) * u + m.clearH);
        setFarSide(out, 0, S, -M, h);
        break;
    case 4:
        setTip(out, m.x0 - n * hs - m.clearV, m.y0 + (n - 2 * s) * u);
        setFarSide(out, -M, h, -M, -h);
        break;
    case 5:
        setTip(out, m.x0 - (n - s) * hs - m.clearU, m.y0 - (n + s) * u - m.clearH);
        setFarSide(out, 0, -S, -M, -h);
        break;
    default:
        cornerMarker(m, sector, out);
        break;
    }
}

}  // namespace

void levelMarkerPolygon(ClientPoint out[3]) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    setTip(out, L.triLeft + (2 * n + 1) * L.unit + LevelMarkerGap,
           L.hexCenterY + 2 * (n - app.chart.level) * L.unit - 1);
    setFarSide(out, L.markerSize, -L.markerHalf, L.markerSize, L.markerHalf);
}

void sliceMarkerPolygon(bool withClearance, ClientPoint out[3]) {
    const MarkerMetrics m = markerMetrics(withClearance);
    const int sector = app.settings.sector;
    const int s = app.chart.slice;
    if (s > 0)
        sideMarker(m, sector, s, out);
    else
        cornerMarker(m, sector, out);
}
