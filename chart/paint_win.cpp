#include "chart/paint_win.h"

#include "chart/markers.h"
#include "paint/draw_win.h"

void paintHexagon() {
    paintChartDots(HexagonDots, app.layout.dotRadius);
}

// Below this radius the triangle's dots are drawn one pixel larger than the
// hexagon's: its dots stand on a square grid, looser than the hexagon's
// packing, and would otherwise show gaps on the smallest grids.
const int SmallDotRadius = 4;

int triangleDotRadius() {
    const int radius = app.layout.dotRadius;
    return radius < SmallDotRadius ? radius + 1 : radius;
}

void paintTriangle() {
    paintChartDots(TriangleDots, triangleDotRadius());
}

static void drawMarkerPolygon(int ink, const ClientPoint corners[3]) {
    POINT points[3];
    for (int k = 0; k < 3; ++k) {
        points[k].x = corners[k].x;
        points[k].y = corners[k].y;
    }
    if (ink == 0)
        drawPolygon(points, 3, gdi.bgPen, gdi.bgBrush);
    else
        drawPolygon(points, 3, gdi.whitePen, gdi.blackBrush);
}

void drawLevelMarker(int ink) {
    ClientPoint corners[3];
    levelMarkerPolygon(corners);
    drawMarkerPolygon(ink, corners);
}

void drawSliceMarker(int ink) {
    ClientPoint corners[3];
    sliceMarkerPolygon(true, corners);
    drawMarkerPolygon(ink, corners);
}
