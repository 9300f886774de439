#include "pick/overlay_win.h"

#include "chart/paint_win.h"
#include "paint/draw_win.h"
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

// The glyph as drawn: its extent in the font it is drawn with.
static void invalidateGlyphBox() {
    HDC dc = shell.drawingDC;
    SelectObject(dc, gdi.symbolFont);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, LensGlyph, lstrlenW(LensGlyph), &extent);
    const WindowRect box = lensGlyphBox(extent.cx, extent.cy);
    invalidateWithErase(box.left, box.top, box.right, box.bottom);
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

static void drawPickRing(ClientPoint at, HPEN pen) {
    drawRing(at.x, at.y, PickRingRadius, pen);
}

static void drawPickLine(ClientPoint from, ClientPoint to, HPEN pen) {
    drawLine(from.x, from.y, to.x, to.y, pen);
}

// A ring is black while its chart still shows the picked place, grey after.
static HPEN ringPen(bool matches) {
    return matches ? gdi.blackPen3 : gdi.grayPen3;
}

static void drawLineAndRings(std::int8_t mark) {
    const PickState& pick = app.settings.pick;
    const ClientPoint hexEnd = {pick.pickHexX, pick.pickHexY};
    const ClientPoint triEnd = {pick.pickTriX, pick.pickTriY};
    ClientPoint from = hexEnd;
    ClientPoint to = triEnd;
    shortenPickLine(from, to);

    drawPickRing(hexEnd, gdi.whitePen5);
    drawPickRing(triEnd, gdi.whitePen5);
    drawPickLine(from, to, gdi.whitePen5);
    drawPickLine(from, to, gdi.blackPen3);
    drawPickRing(hexEnd, ringPen(mark == 1 || mark == 3));
    drawPickRing(triEnd, ringPen(mark == 2 || mark == 3));
}

// The line may cross the slice marker, the readout panel or the palette
// labels; those are painted again on top of it.
static void repaintCoveredElements() {
    const Layout& L = app.layout;
    const PickState& pick = app.settings.pick;
    drawSliceMarker(InkDraw);
    const int top = (pick.pickHexY < pick.pickTriY ? pick.pickHexY : pick.pickTriY) - OverlayMargin;
    const int bottom = (pick.pickHexY > pick.pickTriY ? pick.pickHexY : pick.pickTriY) + OverlayMargin;
    if (top < L.panelBottom)
        paintReadoutPanel(ReadoutWhole);
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
    drawOutlinedLabel(0, L.panelRight + LensGlyphGap, L.panelTop, gdi.symbolFont, LensGlyph);
    if (app.settings.pick.pickActive == 0)
        return;
    drawLineAndRings(mark);
    repaintCoveredElements();
}
