// The drawing operations every part of the program draws with. Each draws
// through shell.drawingDC exactly what the GDI calls it names would draw, and
// leaves the DC as they would; which painter runs (the literal one straight
// onto the window, or the back buffer with its learnt shapes) is the
// painter's business alone.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// Receives one dot of a chart's walk, with the context the walk was given.
typedef void (*DotVisit)(void* context, int x, int y, COLORREF c);

// Everything a chart's walk reads: while these stay, the walk gives the
// same colours at the same places and need not be made again (a full paint,
// a drag-resize that keeps the chart's place, the other chart's step).
const int WalkInputCount = 11;
struct WalkInputs {
    double values[WalkInputCount];
};

// The painter keeps what it learnt of this many charts, one each.
const int KeptCharts = 2;

// A chart as its caller hands it to the painter: walk calls visit for every
// dot, in painting order (a later dot covers an earlier one); inputs are
// what that walk reads; keptChart (0 .. KeptCharts - 1) names the chart
// among those the painter keeps.
struct ChartDots {
    int keptChart;
    int radius;
    WalkInputs inputs;
    void (*walk)(DotVisit visit, void* context);
};

// One filled dot: a solid brush of the colour, the null pen, and Ellipse
// over the box x - radius .. x + radius.
void drawDot(int x, int y, int radius, COLORREF c);

// Every dot of the chart, in painting order, each as drawDot draws it.
void paintChartDots(const ChartDots& chart);

// FillRect of left..right-1 by top..bottom-1 with a brush of the colour made
// for this one fill.
void fillColorRect(int left, int top, int right, int bottom, COLORREF c);

// The sunken look of a swatch or panel: white along the bottom and right
// edges (rows and columns bottom and right), black along the top and left
// (row top, column left - 1), each line drawn as LineTo draws it.
void drawSunkenFrame(int left, int top, int right, int bottom);

// Ellipse over the box x - radius .. x + radius with the pen and the null
// brush, which stay selected.
void drawRing(int x, int y, int radius, HPEN pen);

// MoveToEx and LineTo with the pen, which stays selected.
void drawLine(int x0, int y0, int x1, int y1, HPEN pen);

// The same line in R2_NOT: it inverts what lies under it, so drawing it a
// second time restores every pixel. The mix mode is R2_COPYPEN afterwards.
void invertLine(int x0, int y0, int x1, int y1, HPEN pen);

// Polygon of the points with the pen and brush, which stay selected.
void drawPolygon(const POINT* points, int count, HPEN pen, HBRUSH brush);

// Black text with a one-pixel white halo, its top-left corner at (x, y).
// Mode 0 draws every copy transparent; mode 1 draws the first white copy
// opaque on bgColor, which wipes out whatever text stood there before.
void drawOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);

// Every pixel drawOutlinedText may set for the text at (x, y): its cell,
// the outline and any overhang of the glyphs at either end. The font stays
// selected.
RECT outlinedTextBox(HFONT font, int x, int y, const wchar_t* text);

// drawOutlinedText for a text drawn again and again unchanged (the palette
// letters, the glyphs): the painter may keep its picture.
void drawOutlinedLabel(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);

// drawOutlinedText onto any DC, with the given colour for mode 1's opaque copy.
void drawOutlinedTextOn(HDC dc, COLORREF background, std::uint8_t mode, int x, int y,
                        HFONT font, const wchar_t* text);
