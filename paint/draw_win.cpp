#include "paint/draw_win.h"

#include "paint/buffer_write_win.h"
#include "paint/painter_state_win.h"

namespace {

const COLORREF White = 0xFFFFFF;
const COLORREF Black = 0x000000;

// How far a pen's stroke may reach past the points it joins.
int penReach(HPEN pen) {
    LOGPEN logPen = {};
    if (!GetObjectW(pen, sizeof logPen, &logPen))
        return 2;
    return logPen.lopnWidth.x / 2 + 2;
}

void markAround(int x0, int y0, int x1, int y1, int reach) {
    markDrawn((x0 < x1 ? x0 : x1) - reach, (y0 < y1 ? y0 : y1) - reach,
              (x0 > x1 ? x0 : x1) + reach + 1, (y0 > y1 ? y0 : y1) + reach + 1);
}

// A solid brush of the colour for one fill: the literal painter makes one
// each time; the default painter sets the DC's own brush to the colour,
// which fills the same pixels at no cost of making and freeing a brush.
HBRUSH solidBrushFor(HDC dc, COLORREF c) {
    if (!painter.fast)
        return CreateSolidBrush(c);
    SetDCBrushColor(dc, c);
    return (HBRUSH)GetStockObject(DC_BRUSH);
}

void freeSolidBrush(HBRUSH brush) {
    if (!painter.fast)
        DeleteObject(brush);
}

void drawDotByGdi(int x, int y, int radius, COLORREF c) {
    HDC dc = shell.drawingDC;
    HBRUSH brush = solidBrushFor(dc, c);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x - radius, y - radius, x + radius, y + radius);
    // A brush still selected into a DC cannot be deleted, so put the old one back first.
    SelectObject(dc, oldBrush);
    freeSolidBrush(brush);
    markAround(x, y, x, y, radius + 1);
}

// A dot of a walk, the walk's context being the radius.
void drawVisitedDotByGdi(void* radius, int x, int y, COLORREF c) {
    drawDotByGdi(x, y, *(const int*)radius, c);
}

}  // namespace

void drawDot(int x, int y, int radius, COLORREF c) {
    if (!stampDot(x, y, radius, c))
        drawDotByGdi(x, y, radius, c);
}

void paintChartDots(const ChartDots& chart) {
    if (stampChart(chart))
        return;
    int radius = chart.radius;
    chart.walk(drawVisitedDotByGdi, &radius);
}

void fillColorRect(int left, int top, int right, int bottom, COLORREF c) {
    if (writeBufferRect(left, top, right, bottom, c))
        return;
    RECT r;
    SetRect(&r, left, top, right, bottom);
    HBRUSH brush = solidBrushFor(shell.drawingDC, c);
    FillRect(shell.drawingDC, &r, brush);
    freeSolidBrush(brush);
    markDrawn(left, top, right, bottom);
}

void drawSunkenFrame(int left, int top, int right, int bottom) {
    if (writeBufferLine(left, bottom, right, bottom, White)) {
        writeBufferLine(right, bottom, right, top, White);
        writeBufferLine(right - 1, top, left - 1, top, Black);
        writeBufferLine(left - 1, top, left - 1, bottom, Black);
        return;
    }
    HDC dc = shell.drawingDC;
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, right, top);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, right - 1, top, nullptr);
    LineTo(dc, left - 1, top);
    LineTo(dc, left - 1, bottom);
    markDrawn(left - 1, top, right + 1, bottom + 1);
}

void drawRing(int x, int y, int radius, HPEN pen) {
    HDC dc = shell.drawingDC;
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, pen);
    if (stampRing(x, y, radius))
        return;
    Ellipse(dc, x - radius, y - radius, x + radius, y + radius);
    markAround(x, y, x, y, radius + penReach(pen));
}

void drawLine(int x0, int y0, int x1, int y1, HPEN pen) {
    HDC dc = shell.drawingDC;
    SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    markAround(x0, y0, x1, y1, penReach(pen));
}

void invertLine(int x0, int y0, int x1, int y1, HPEN pen) {
    HDC dc = shell.drawingDC;
    SetROP2(dc, R2_NOT);
    drawLine(x0, y0, x1, y1, pen);
    SetROP2(dc, R2_COPYPEN);
}

void drawPolygon(const POINT* points, int count, HPEN pen, HBRUSH brush) {
    if (count <= 0)
        return;
    HDC dc = shell.drawingDC;
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    Polygon(dc, points, count);
    int left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (int k = 1; k < count; ++k) {
        left = points[k].x < left ? points[k].x : left;
        right = points[k].x > right ? points[k].x : right;
        top = points[k].y < top ? points[k].y : top;
        bottom = points[k].y > bottom ? points[k].y : bottom;
    }
    markAround(left, top, right, bottom, penReach(pen));
}

// Where the five copies may set pixels: the text's cell grown by the
// outline's pixel on every side and by the glyphs that overhang the cell
// at either end.
static RECT outlinedTextBoxOn(HDC dc, int x, int y, const wchar_t* text, int n) {
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text, n, &extent);
    ABC first = {}, last = {};
    if (n > 0 && (!GetCharABCWidthsW(dc, text[0], text[0], &first) ||
                  !GetCharABCWidthsW(dc, text[n - 1], text[n - 1], &last)))
        first = last = ABC();
    const int before = first.abcA < 0 ? -first.abcA : 0;
    const int after = last.abcC < 0 ? -last.abcC : 0;
    RECT box;
    SetRect(&box, x - 1 - before, y - 1, x + extent.cx + 1 + after, y + extent.cy + 1);
    return box;
}

RECT outlinedTextBox(HFONT font, int x, int y, const wchar_t* text) {
    SelectObject(shell.drawingDC, font);
    return outlinedTextBoxOn(shell.drawingDC, x, y, text, lstrlenW(text));
}

void drawOutlinedTextOn(HDC dc, COLORREF background, std::uint8_t mode, int x, int y,
                        HFONT font, const wchar_t* text) {
    if (mode == 0)
        SetBkMode(dc, TRANSPARENT);
    const int n = lstrlenW(text);
    SelectObject(dc, font);
    SetBkColor(dc, background);
    SetTextColor(dc, White);
    if (mode != 0) {
        // The opaque copy's background covers the whole outlined box, not
        // only its own cell: the copies to the left and above reach two
        // pixels past that cell, and a font that blends its edges with what
        // lies beneath would otherwise grow bolder there at every repaint.
        const RECT box = outlinedTextBoxOn(dc, x, y, text, n);
        ExtTextOutW(dc, x + 1, y + 1, ETO_OPAQUE, &box, text, (UINT)n, NULL);
        SetBkMode(dc, TRANSPARENT);
    } else {
        TextOutW(dc, x + 1, y + 1, text, n);
    }
    TextOutW(dc, x + 1, y - 1, text, n);
    TextOutW(dc, x - 1, y + 1, text, n);
    TextOutW(dc, x - 1, y - 1, text, n);
    SetTextColor(dc, Black);
    TextOutW(dc, x, y, text, n);
    // Every other caller of the DC expects the default, opaque mode.
    SetBkMode(dc, OPAQUE);
}

void drawOutlinedTextByGdi(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text) {
    HDC dc = shell.drawingDC;
    drawOutlinedTextOn(dc, app.settings.bgColor, mode, x, y, font, text);
    if (!drawingIntoBuffer())
        return;
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
    // Glyphs may reach out of their cells; a line's height around the text
    // takes in all of them.
    const int reach = extent.cy + 2;
    markDrawn(x - reach, y - reach, x + extent.cx + reach, y + extent.cy + reach);
}

void drawOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text) {
    drawOutlinedTextByGdi(mode, x, y, font, text);
}

void drawOutlinedLabel(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text) {
    if (!stampOutlinedText(mode, x, y, font, text))
        drawOutlinedTextByGdi(mode, x, y, font, text);
}
