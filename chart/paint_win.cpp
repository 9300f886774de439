#include "chart/paint_win.h"

#include "app/buffer_draw_win.h"
#include "chart/dot_stamp_win.h"
#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/triangle.h"

void drawDot(int x, int y, COLORREF c) {
    if (shell.fastPainter && stampDot(x, y, c))
        return;
    HDC dc = shell.windowDC;
    const int r = app.layout.dotRadius;
    HBRUSH brush = CreateSolidBrush(c);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x - r, y - r, x + r, y + r);
    // A brush still selected into a DC cannot be deleted, so put the old one back first.
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void paintHexagon() {
    if (!(shell.fastPainter && stampHexagon()))
        forEachHexagonDot(drawDot);
}

// Below this radius the triangle's dots are drawn one pixel larger than the
// hexagon's: its dots stand on a square grid, looser than the hexagon's
// packing, and would otherwise show gaps on the smallest grids.
const int SmallDotRadius = 4;

void paintTriangle() {
    const int savedRadius = app.layout.dotRadius;
    if (savedRadius < SmallDotRadius)
        app.layout.dotRadius = savedRadius + 1;
    if (!(shell.fastPainter && stampTriangle()))
        forEachTriangleDot(drawDot);
    app.layout.dotRadius = savedRadius;
}

static void drawMarkerPolygon(int ink, const ClientPoint corners[3]) {
    HDC dc = shell.windowDC;
    if (ink == 0) {
        SelectObject(dc, gdi.bgPen);
        SelectObject(dc, gdi.bgBrush);
    } else {
        SelectObject(dc, gdi.whitePen);
        SelectObject(dc, gdi.blackBrush);
    }
    POINT points[3];
    for (int k = 0; k < 3; ++k) {
        points[k].x = corners[k].x;
        points[k].y = corners[k].y;
    }
    Polygon(dc, points, 3);
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

void fillColorRect(int left, int top, int right, int bottom, COLORREF c) {
    if (writeBufferRect(left, top, right, bottom, c))
        return;
    RECT r;
    SetRect(&r, left, top, right, bottom);
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(shell.windowDC, &r, brush);
    DeleteObject(brush);
}

void drawSunkenFrame(int left, int top, int right, int bottom) {
    const COLORREF white = 0xFFFFFF;
    const COLORREF black = 0x000000;
    if (writeBufferLine(left, bottom, right, bottom, white)) {
        writeBufferLine(right, bottom, right, top, white);
        writeBufferLine(right - 1, top, left - 1, top, black);
        writeBufferLine(left - 1, top, left - 1, bottom, black);
        return;
    }
    HDC dc = shell.windowDC;
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, right, top);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, right - 1, top, nullptr);
    LineTo(dc, left - 1, top);
    LineTo(dc, left - 1, bottom);
}
