// Test support for the drawing code: a 32-bit memory bitmap that stands in
// for the window's device context, so that tests read back real pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/shell_win.h"
#include "app/defaults.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "app/relayout.h"
#include "paint/painter_seams_win.h"

struct PaintCanvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    std::uint32_t* bits;
    int width;
    int height;
};

// A top-down DIB section selected into a memory DC, which becomes
// shell.drawingDC.
inline ClientPoint centroid(const ClientPoint p[3]) {
    return ClientPoint{(p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3};
}

inline PaintCanvas createCanvas(int width, int height) {
    PaintCanvas canvas = {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.oldBitmap = SelectObject(canvas.dc, canvas.bitmap);
    canvas.bits = (std::uint32_t*)bits;
    canvas.width = width;
    canvas.height = height;
    shell.drawingDC = canvas.dc;
    return canvas;
}

inline void destroyCanvas(PaintCanvas& canvas) {
    if (!canvas.dc)
        return;
    endPaintingIntoPixels(canvas.dc);
    SelectObject(canvas.dc, canvas.oldBitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
    if (shell.drawingDC == canvas.dc)
        shell.drawingDC = nullptr;
    canvas = PaintCanvas();
}

// Makes the canvas the default painter's back buffer (and the kept DC).
inline void useCanvasAsBackBuffer(PaintCanvas& canvas) {
    paintIntoPixels(canvas.dc, canvas.bits, canvas.width, canvas.height);
}

// The literal painter draws onto the canvas, through GDI.
inline void drawLiterallyOn(PaintCanvas& canvas) {
    endPaintingIntoPixels(canvas.dc);
    shell.drawingDC = canvas.dc;
}

// The DIB holds 0x00RRGGBB; COLORREF is 0x00BBGGRR.
inline COLORREF colorFromPixel(std::uint32_t p) {
    return makeColor((int)((p >> 16) & 0xFF), (int)((p >> 8) & 0xFF), (int)(p & 0xFF));
}

inline std::uint32_t pixelFromColor(COLORREF c) {
    return ((std::uint32_t)redOf(c) << 16) | ((std::uint32_t)greenOf(c) << 8) | (std::uint32_t)blueOf(c);
}

inline COLORREF pixelAt(const PaintCanvas& canvas, int x, int y) {
    GdiFlush();
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height)
        return 0xFFFFFFFFu;
    return colorFromPixel(canvas.bits[(std::size_t)y * canvas.width + x] & 0xFFFFFF);
}

inline void fillCanvas(PaintCanvas& canvas, COLORREF c) {
    GdiFlush();
    const std::uint32_t p = pixelFromColor(c);
    for (std::size_t k = 0; k < (std::size_t)canvas.width * canvas.height; ++k)
        canvas.bits[k] = p;
}

inline void fillCanvasRect(PaintCanvas& canvas, int left, int top, int right, int bottom, COLORREF c) {
    GdiFlush();
    const std::uint32_t p = pixelFromColor(c);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height)
                canvas.bits[(std::size_t)y * canvas.width + x] = p;
}

inline std::vector<std::uint32_t> snapshot(const PaintCanvas& canvas) {
    GdiFlush();
    const std::size_t count = (std::size_t)canvas.width * canvas.height;
    std::vector<std::uint32_t> copy(count);
    for (std::size_t k = 0; k < count; ++k)
        copy[k] = canvas.bits[k] & 0xFFFFFF;
    return copy;
}

// Bounding box of the pixels that differ from an earlier snapshot; empty
// (right <= left) when nothing changed.
inline RECT changedBox(const PaintCanvas& canvas, const std::vector<std::uint32_t>& before) {
    GdiFlush();
    RECT box = {canvas.width, canvas.height, 0, 0};
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const std::size_t k = (std::size_t)y * canvas.width + x;
            if ((canvas.bits[k] & 0xFFFFFF) == before[k])
                continue;
            if (x < box.left) box.left = x;
            if (y < box.top) box.top = y;
            if (x + 1 > box.right) box.right = x + 1;
            if (y + 1 > box.bottom) box.bottom = y + 1;
        }
    }
    if (box.right <= box.left)
        SetRect(&box, 0, 0, 0, 0);
    return box;
}

// Pixels in left..right-1 by top..bottom-1 for which the predicate holds.
template <class Test>
int countPixels(const PaintCanvas& canvas, int left, int top, int right, int bottom, Test test) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (test(pixelAt(canvas, x, y)))
                ++count;
    return count;
}

inline bool isDark(COLORREF c) {
    return redOf(c) < 64 && greenOf(c) < 64 && blueOf(c) < 64;
}

inline bool isNearWhite(COLORREF c) {
    return redOf(c) > 235 && greenOf(c) > 235 && blueOf(c) > 235;
}

// True while every long-lived drawing object the painters use is alive.
inline bool gdiKitAlive() {
    return GetObjectType(gdi.bgBrush) == OBJ_BRUSH && GetObjectType(gdi.bgPen) == OBJ_PEN &&
           GetObjectType(gdi.blackPen3) == OBJ_PEN && GetObjectType(gdi.grayPen3) == OBJ_PEN &&
           GetObjectType(gdi.whitePen5) == OBJ_PEN && GetObjectType(gdi.valueFont) == OBJ_FONT &&
           GetObjectType(gdi.symbolFont) == OBJ_FONT;
}

// Gives the background pen and brush another colour. The old ones are left
// alive: a window class registered by another test may still erase with them.
inline void useBackground(COLORREF c) {
    app.settings.bgColor = c;
    gdi.bgBrush = CreateSolidBrush(c);
    gdi.bgPen = CreatePen(PS_SOLID, 1, c);
}

// Default settings, and the long-lived drawing objects unless an earlier
// test in this process made them already; the background ones in the
// default colour again.
inline void prepareDrawingState() {
    app.layout.frameWidth = 0;
    app.layout.frameHeight = 0;
    setDefaultSettings();
    if (gdiKitAlive())
        useBackground(app.settings.bgColor);
    else
        createGdiKit();
    app.interaction.hoverColor = app.settings.bgColor;
    app.interaction.mouseInside = 0;
    app.interaction.dragMode = DragIdle;
}

// Layout and chart state for a client area, as start-up computes them.
inline void layOut(int sizeIndex, int clientWidth, int clientHeight) {
    app.settings.sizeIndex = sizeIndex;
    app.layout.clientWidth = clientWidth;
    app.layout.clientHeight = clientHeight;
    relayout();
}

// Stands for whatever was on the screen before: no painter uses it.
const COLORREF StaleScreen = 0x3C8F1E;
const COLORREF Stale = StaleScreen;
const COLORREF White = 0xFFFFFF;
const COLORREF Black = 0x000000;

// A 900 x 600 client at grid 8, with a canvas of that size standing in for
// the window, showing only StaleScreen.
class StaleCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        prepareDrawingState();
        layOut(2, 900, 600);
        canvas = createCanvas(900, 600);
        fillCanvas(canvas, StaleScreen);
    }
    void TearDown() override { destroyCanvas(canvas); }

    int count(int left, int top, int right, int bottom, COLORREF c) {
        return countPixels(canvas, left, top, right, bottom, [c](COLORREF p) { return p == c; });
    }
    int countNot(int left, int top, int right, int bottom, COLORREF c) {
        return countPixels(canvas, left, top, right, bottom, [c](COLORREF p) { return p != c; });
    }

    PaintCanvas canvas = {};
};
