// The level hexagon's colour model: one level of the RGB cube as rings of
// dots around a grey centre, and the order in which its dots are painted.
#pragma once

#include <cstddef>
#include <vector>

#include "core/state.h"

// Recomputes level, centerGray and grayStep from levelPos and the grid size.
void updateLevel();

// Smallest and largest colour component on ring e at the current level.
int ringLow(int e);
int ringHigh(int e);

// Colour of hexagon position (column a, half-row b). An odd position (a + b
// odd) has the colour of the dot above it.
COLORREF hexCellColor(int a, int b);

// Colour of dot j on the given side (0..5, clockwise from the top corner) of
// a ring whose components run from lo to hi; r is round(j x colorStep).
inline COLORREF hexSideColor(int side, int lo, int hi, int r) {
    switch (side) {
    case 0: return makeColor(lo, hi, lo + r);  // green toward cyan
    case 1: return makeColor(lo, hi - r, hi);  // cyan toward blue
    case 2: return makeColor(lo + r, lo, hi);  // blue toward magenta
    case 3: return makeColor(hi, lo, hi - r);  // magenta toward red
    case 4: return makeColor(hi, lo + r, lo);  // red toward yellow
    default: return makeColor(hi - r, hi, lo); // yellow toward green
    }
}

// Pixel step from one dot to the next along the given side.
void hexSideStep(int side, int& dx, int& dy);

// Calls visit(x, y, colour) for every dot of the hexagon in painting order:
// the centre, then each ring outwards, each ring from its top corner
// clockwise. Where dots overlap a later one covers an earlier one, so this
// order is part of the picture.
template <class Visit>
void forEachHexagonDot(Visit visit) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    const int gray = app.chart.centerGray;
    visit(L.hexCenterX, L.hexCenterY, makeColor(gray, gray, gray));
    // round(j x colorStep) is the same on every ring: worked out once.
    std::vector<int> sideSteps((std::size_t)(n > 0 ? n : 0));
    for (int j = 0; j < n; ++j)
        sideSteps[(std::size_t)j] = roundHalfAway(j * app.chart.colorStep);
    for (int ring = 1; ring <= n; ++ring) {
        const int lo = ringLow(ring);
        const int hi = ringHigh(ring);
        // While every component stays within 0..255, a side's colours are its
        // first colour plus r in the one component that changes along it.
        const int largestStep = sideSteps[(std::size_t)ring - 1];
        const bool componentsStayInRange =
            lo >= 0 && hi <= 255 && lo + largestStep <= 255 && hi - largestStep >= 0;
        int x = L.hexCenterX;
        int y = L.hexCenterY - 2 * ring * L.unit;
        for (int side = 0; side < 6; ++side) {
            int dx = 0;
            int dy = 0;
            hexSideStep(side, dx, dy);
            if (componentsStayInRange) {
                const COLORREF first = hexSideColor(side, lo, hi, 0);
                const COLORREF change = hexSideColor(side, 1, 1, 1) - hexSideColor(side, 1, 1, 0);
                for (int j = 0; j < ring; ++j) {
                    visit(x, y, first + change * (COLORREF)sideSteps[(std::size_t)j]);
                    x += dx;
                    y += dy;
                }
                continue;
            }
            for (int j = 0; j < ring; ++j) {
                visit(x, y, hexSideColor(side, lo, hi, sideSteps[(std::size_t)j]));
                x += dx;
                y += dy;
            }
        }
    }
}
