#include "pick/overlay_win.h"

#include "app/present_win.h"
#include "chart/dot_stamp_win.h"
#include "chart/paint_win.h"
#include "palette/palette_win.h"
#include "pick/overlay_geometry.h"
#include "pick/readout_win.h"

const wchar_t LensGlyph[] = {0xD83D, 0xDD0E, 0};

// Room that the rings and the wide white line take around the line's ends.
const int OverlayMargin = 10;
// The palette letters stand this far above the strip.
const int LabelHeight = 20;

static void invalidateWithErase(int left, int top, int right, int bottom) {
    RECT r;
    SetRect(&r, left, top, right, bottom);
    InvalidateRect(shell.mainWindow, &r, TRUE);
}

static void invalidateGlyphBox() {
    const Layout& L = app.layout;
    invalidateWithErase(L.panelRight + 2, L.panelTop + 3, L.panelRight + 22, L.panelTop + 21);
}

static void invalidatePickLine() {
    const WindowRect box = pickLineBox();
    invalidateWithErase(box.left, box.top, box.right, box.bottom);
}

// Requests erase; they never draw.
static void handleRequest(std::int8_t mark) {
    if (mark == OverlayHide)
        invalidateGlyphBox();
    if (mark != OverlayEraseLine && app.settings.pick.pickActive == 0)
        return;
    invalidatePickLine();
}

static void drawRing(int x, int y) {
    if (stampRing(x, y, PickRingRadius))
        return;
    Ellipse(shell.windowDC, x - PickRingRadius, y - PickRingRadius, x + PickRingRadius, y + PickRingRadius);
}

static void drawLine(ClientPoint from, ClientPoint to) {
    MoveToEx(shell.windowDC, from.x, from.y, nullptr);
    LineTo(shell.windowDC, to.x, to.y);
}

// A ring is black while its chart still shows the picked place, grey after.
static HPEN ringPen(bool matches) {
    return matches ? gdi.blackPen3 : gdi.grayPen3;
}

static void drawLineAndRings(std::int8_t mark) {
    HDC dc = shell.windowDC;
    const PickState& pick = app.settings.pick;
    const ClientPoint hexEnd = {pick.pickHexX, pick.pickHexY};
    const ClientPoint triEnd = {pick.pickTriX, pick.pickTriY};
    ClientPoint from = hexEnd;
    ClientPoint to = triEnd;
    shortenPickLine(from, to);

    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, gdi.whitePen5);
    drawRing(hexEnd.x, hexEnd.y);
    drawRing(triEnd.x, triEnd.y);
    drawLine(from, to);
    SelectObject(dc, gdi.blackPen3);
    drawLine(from, to);
    SelectObject(dc, ringPen(mark == 1 || mark == 3));
    drawRing(hexEnd.x, hexEnd.y);
    SelectObject(dc, ringPen(mark == 2 || mark == 3));
    drawRing(triEnd.x, triEnd.y);
}

// The line may cross the slice marker, the readout panel or the palette
// labels; those are painted again on top of it.
static void repaintCoveredElements() {
    const Layout& L = app.layout;
    const PickState& pick = app.settings.pick;
    drawSliceMarker(1);
    const int top = (pick.pickHexY < pick.pickTriY ? pick.pickHexY : pick.pickTriY) - OverlayMargin;
    const int bottom = (pick.pickHexY > pick.pickTriY ? pick.pickHexY : pick.pickTriY) + OverlayMargin;
    if (top < L.panelBottom)
        paintReadoutPanel(0);
    if (bottom > L.stripTop - LabelHeight)
        paintPaletteStrip();
}

void drawPickOverlay(std::int8_t mark) {
    if (mark < 0)
        return;
    if (mark >= 10) {
        handleRequest(mark);
        return;
    }
    const Layout& L = app.layout;
    // The glyph, the line and the elements it crosses lie apart: each is
    // shown on its own rather than in one box that takes in much of the
    // window between them. (Nothing is shown before WM_PAINT ends.)
    presentBackBuffer();
    drawOutlinedLabel(0, L.panelRight + 4, L.panelTop, gdi.symbolFont, LensGlyph);
    presentBackBuffer();
    if (app.settings.pick.pickActive == 0)
        return;
    drawLineAndRings(mark);
    presentBackBuffer();
    repaintCoveredElements();
}
