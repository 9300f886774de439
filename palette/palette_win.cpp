#include "palette/palette_win.h"

#include "paint/draw_win.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"

static void drawSwatch(int k) {
    const Layout& L = app.layout;
    const int left = swatchLeft(k);
    const int right = swatchRight(k);
    fillColorRect(left, L.stripTop, right, L.stripBottom, app.settings.palette[k]);
    drawSunkenFrame(left, L.stripTop, right, L.stripBottom);
}

static void drawSlotLabel(int k) {
    const wchar_t label[2] = {(wchar_t)slotLetter(k), 0};
    drawOutlinedLabel(1, swatchLeft(k) + labelOffset(), app.layout.stripTop - 20, gdi.valueFont, label);
}

void paintPaletteStrip() {
    for (int k = 0; k < PaletteSlots; ++k) {
        drawSwatch(k);
        drawSlotLabel(k);
    }
}

void setSlot(int slot, COLORREF c) {
    if (!isSlot(slot))
        return;
    app.settings.palette[slot] = c;
    // One row below the top: the black top edge stays as it is.
    const Layout& L = app.layout;
    fillColorRect(swatchLeft(slot), L.stripTop + 1, swatchRight(slot), L.stripBottom, c);
}

void fillAllSlots(COLORREF c) {
    for (int k = 0; k < PaletteSlots; ++k)
        setSlot(k, c);
}

void fillGradient(int a, int b) {
    if (!isSlot(a) || !isSlot(b))
        return;
    if (b < a) {
        const int t = a;
        a = b;
        b = t;
    }
    if (b - a < 2)
        return;
    COLORREF graded[PaletteSlots];
    gradientColors(app.settings.palette, a, b, graded);
    for (int k = a + 1; k < b; ++k)
        setSlot(k, graded[k]);
}

void setNamedSlots(const PastedSlots& slots) {
    for (int k = 0; k < PaletteSlots; ++k) {
        if (slots.named[k] && slots.colour[k] != app.settings.palette[k])
            setSlot(k, slots.colour[k]);
    }
}
