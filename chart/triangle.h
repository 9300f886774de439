// The hue triangle's colour model: one apex hue with all its tints (toward
// the top right) and shades (toward the bottom right), and its painting order.
#pragma once

#include "core/state.h"

// Recomputes slice, the apex hue and the tint steps from sector, slicePos and
// the grid size. A sector outside 0..5 leaves the apex hue as it was.
void updateHue();

// Colour of the top dot of column i, before any shading.
void triangleColumnColor(int i, int& red, int& green, int& blue);

// Colour of dot j (0..2i, top to bottom) of column i (0..N).
COLORREF triangleDotColor(int i, int j);

// Calls visit(x, y, colour) for every dot of the triangle in painting order:
// columns left to right, each top to bottom. A later dot covers an earlier
// one where they overlap.
template <class Visit>
void forEachTriangleDot(Visit visit) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    for (int i = 0; i <= n; ++i) {
        int red = 0;
        int green = 0;
        int blue = 0;
        triangleColumnColor(i, red, green, blue);
        const int x = L.triLeft + 2 * i * L.unit;
        const int top = L.hexCenterY - 2 * i * L.unit;
        for (int j = 0; j <= 2 * i; ++j) {
            const int shade = roundHalfAway(j * app.chart.halfColorStep);
            visit(x, top + 2 * j * L.unit, makeColor(red - shade, green - shade, blue - shade));
        }
    }
}
