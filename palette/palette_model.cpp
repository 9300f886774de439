#include "palette/palette_model.h"

int swatchGap() {
    return roundHalfAway(0.1 * app.layout.swatchWidth);
}

int labelOffset() {
    return roundHalfAway((app.layout.swatchWidth - swatchGap()) * 0.5) - 5;
}

int swatchLeft(int k) {
    return app.layout.stripLeft + roundHalfAway(k * app.layout.swatchWidth);
}

int swatchRight(int k) {
    return app.layout.stripLeft + roundHalfAway((k + 1) * app.layout.swatchWidth) - swatchGap();
}

char slotLetter(int k) {
    const int lastSlot = PaletteSlots - 1;
    // The last slot is named Z rather than P so that it reads as "the end".
    return k == lastSlot ? 'Z' : (char)('A' + k);
}

// Each step is rounded from the start value by itself, so a reversed gradient
// is not the mirror image: rounding half away from zero breaks ties upward
// going up and downward going down.
static int gradientChannel(int start, int end, int n, int i) {
    double step = (double)(end - start) / n;
    return (start + roundHalfAway(i * step)) & 0xFF;
}

void gradientColors(const COLORREF palette[PaletteSlots], int a, int b, COLORREF out[PaletteSlots]) {
    for (int k = 0; k < PaletteSlots; ++k)
        out[k] = palette[k];
    if (!isSlot(a) || !isSlot(b))
        return;
    if (b < a) {
        int t = a;
        a = b;
        b = t;
    }
    int n = b - a;
    if (n < 2)
        return;
    COLORREF from = palette[a];
    COLORREF to = palette[b];
    for (int i = 1; i < n; ++i) {
        int red = gradientChannel(redOf(from), redOf(to), n, i);
        int green = gradientChannel(greenOf(from), greenOf(to), n, i);
        int blue = gradientChannel(blueOf(from), blueOf(to), n, i);
        out[a + i] = makeColor(red, green, blue);
    }
}
