#include "chart/paint_win.h"

#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/triangle.h"
#include "layout/layout.h"
#include "paint/draw_win.h"

namespace {

// The painter's kept chart for each of the two.
const int KeptHexagon = 0;
const int KeptTriangle = 1;

void walkHexagon(DotVisit visit, void* context) {
    forEachHexagonDot([visit, context](int x, int y, COLORREF c) { visit(context, x, y, c); });
}

void walkTriangle(DotVisit visit, void* context) {
    forEachTriangleDot([visit, context](int x, int y, COLORREF c) { visit(context, x, y, c); });
}

// Everything forEachHexagonDot reads.
WalkInputs hexagonWalkInputs() {
    const Layout& L = app.layout;
    const ChartState& c = app.chart;
    const WalkInputs in = {{(double)app.settings.gridSize, (double)L.hexCenterX,
                            (double)L.hexCenterY, (double)L.unit, (double)L.hStep,
                            (double)c.centerGray, c.grayStep, c.colorStep, 0, 0, 0}};
    return in;
}

// Everything forEachTriangleDot reads.
WalkInputs triangleWalkInputs() {
    const Layout& L = app.layout;
    const ChartState& c = app.chart;
    const WalkInputs in = {{(double)app.settings.gridSize, (double)L.triLeft, (double)L.hexCenterY,
                            (double)L.unit, (double)c.hueR, (double)c.hueG, (double)c.hueB,
                            c.tintStepR, c.tintStepG, c.tintStepB, c.halfColorStep}};
    return in;
}

}  // namespace

void paintHexagon() {
    const ChartDots dots = {KeptHexagon, app.layout.dotRadius, hexagonWalkInputs(), walkHexagon};
    paintChartDots(dots);
}

void paintTriangle() {
    const int radius = triangleDotRadiusFor(app.layout.dotRadius);
    const ChartDots dots = {KeptTriangle, radius, triangleWalkInputs(), walkTriangle};
    paintChartDots(dots);
}

static void drawMarkerPolygon(MarkerInk ink, const ClientPoint corners[3]) {
    POINT points[3];
    for (int k = 0; k < 3; ++k) {
        points[k].x = corners[k].x;
        points[k].y = corners[k].y;
    }
    if (ink == InkErase)
        drawPolygon(points, 3, gdi.bgPen, gdi.bgBrush);
    else
        drawPolygon(points, 3, gdi.whitePen, gdi.blackBrush);
}

void drawLevelMarker(MarkerInk ink) {
    ClientPoint corners[3];
    levelMarkerPolygon(corners);
    drawMarkerPolygon(ink, corners);
}

void drawSliceMarker(MarkerInk ink) {
    ClientPoint corners[3];
    sliceMarkerPolygon(true, corners);
    drawMarkerPolygon(ink, corners);
}
