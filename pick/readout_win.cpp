#include "pick/readout_win.h"

#include "paint/draw_win.h"
#include "pick/readout_model.h"

// Every result of one format has the same length, so a new value always
// covers the old one completely when drawn with an opaque first copy.
const wchar_t HoverFormats[2][32] = {
    L" (%3d,%3d,%3d) ",
    L"   %02X  %02X  %02X   ",
};
const wchar_t PickFormats[2][32] = {
    L"\u3010%3d,%3d,%3d\u3011",
    L"\u3010 %02X  %02X  %02X \u3011",
};
const wchar_t PinGlyph[] = {0xD83D, 0xDCCC, 0};

const int TopRowY = 7;
const int BottomRowY = 26;
static void drawColorValue(const wchar_t* format, COLORREF c, int offsetIndex, int y) {
    wchar_t text[32];
    wsprintfW(text, format, redOf(c), greenOf(c), blueOf(c));
    drawOutlinedText(1, panelMid() - ReadoutTextOffsets[offsetIndex], y, gdi.valueFont, text);
}

// The pin stands in the panel's top right corner, 20 pixels from its right
// edge. A font that draws it wider is moved left until all of it lies within
// the frame: drawn transparent over the lens glyph beside the panel, it would
// grow bolder there at every repaint, since only the panel is filled anew.
static void drawPinGlyph() {
    const Layout& L = app.layout;
    const int x = L.panelRight - 20;
    const int y = L.panelTop + 1;
    const RECT box = outlinedTextBox(gdi.symbolFont, x, y, PinGlyph);
    const int beyond = box.right - L.panelRight;
    drawOutlinedLabel(0, beyond > 0 ? x - beyond : x, y, gdi.symbolFont, PinGlyph);
}

static void clearStripAbovePanel() {
    const Layout& L = app.layout;
    const bool mouseInside = app.interaction.mouseInside != 0;
    // With a pick and no hover value the bottom row, the picked value, stays.
    const int keep = (!mouseInside && app.settings.pick.pickActive == 1) ? 20 : 1;
    const int halfWidth = ReadoutTextOffsets[1] + 2;
    fillColorRect(panelMid() - halfWidth, 0, panelMid() + halfWidth, L.panelTop - keep,
                  app.settings.bgColor);
}

static void drawPanelFrame() {
    const Layout& L = app.layout;
    drawSunkenFrame(L.panelLeft, L.panelTop, L.panelRight, L.panelBottom);
}

// Without a pick both rows describe the hover colour, hexadecimal above
// decimal. Returns whether the frame is still to be drawn.
static bool paintUnsplitPanel(ReadoutPart part, COLORREF c) {
    const Layout& L = app.layout;
    fillColorRect(L.panelLeft, L.panelTop + 1, L.panelRight, L.panelBottom, c);
    if (app.interaction.mouseInside) {
        drawColorValue(HoverFormats[1], c, 1, TopRowY);
        drawColorValue(HoverFormats[0], c, 0, BottomRowY);
    }
    return part == ReadoutWhole;
}

// With a pick the left half and the top row follow the hover colour, the
// right half and the bottom row show the picked colour. Returns whether the
// frame is still to be drawn.
static bool paintSplitPanel(ReadoutPart part, COLORREF c) {
    const Layout& L = app.layout;
    const PickState& pick = app.settings.pick;
    const int format = pick.pickFormat == 0 ? 0 : 1;
    const int mid = panelMid();
    fillColorRect(L.panelLeft, L.panelTop + 1, mid, L.panelBottom, c);
    if (app.interaction.mouseInside)
        drawColorValue(HoverFormats[format], c, format, TopRowY);
    if (part == ReadoutHover)
        return false;
    fillColorRect(mid, L.panelTop + 1, L.panelRight, L.panelBottom, pick.pickColor);
    drawColorValue(PickFormats[format], pick.pickColor, format, BottomRowY);
    drawPinGlyph();
    return true;
}

void paintReadoutPanel(ReadoutPart part) {
    const bool mouseInside = app.interaction.mouseInside != 0;
    if (!(part == ReadoutHover && mouseInside))
        clearStripAbovePanel();
    const COLORREF c = mouseInside ? app.interaction.hoverColor : app.settings.bgColor;
    const bool frameDue = app.settings.pick.pickActive == 0 ? paintUnsplitPanel(part, c)
                                                            : paintSplitPanel(part, c);
    if (frameDue)
        drawPanelFrame();
}
