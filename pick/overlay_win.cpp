#include "pick/overlay_win.h"

#include "paint/draw_win.h"
#include "pick/overlay_geometry.h"

namespace {

const wchar_t LensGlyph[] = {0xD83D, 0xDD0E, 0};

void drawPickRing(ClientPoint at, HPEN pen) {
    drawRing(at.x, at.y, PickRingRadius, pen);
}

void drawPickLine(ClientPoint from, ClientPoint to, HPEN pen) {
    drawLine(from.x, from.y, to.x, to.y, pen);
}

// A ring is black while its chart still shows the picked place, grey after.
HPEN ringPen(bool matches) {
    return matches ? gdi.blackPen3 : gdi.grayPen3;
}

}  // namespace

WindowRect lensGlyphBoxAsDrawn() {
    const Layout& L = app.layout;
    const int x = L.panelRight + LensGlyphGap;
    const RECT drawn = outlinedTextBox(gdi.symbolFont, x, L.panelTop, LensGlyph);
    return lensGlyphBox(drawn.right - 1 - x, drawn.bottom - 1 - L.panelTop);
}

// The glyph is transparent and drawn at every repaint: over its own old
// picture a font that blends its edges would grow bolder each time.
void drawLensGlyph() {
    const Layout& L = app.layout;
    const WindowRect box = lensGlyphBoxAsDrawn();
    fillColorRect(box.left, box.top, box.right, box.bottom, app.settings.bgColor);
    drawOutlinedLabel(0, L.panelRight + LensGlyphGap, L.panelTop, gdi.symbolFont, LensGlyph);
}

void drawPickLineAndRings(std::int8_t mark) {
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
