#include "app/sizing.h"

namespace {

// Horizontal room beside the charts: two side margins and the gap between.
const int ChartMarginWidth = 144;

// WMSZ_ codes of WM_SIZING.
const int EdgeLeft = 1;
const int EdgeRight = 2;
const int EdgeTop = 3;
const int EdgeTopLeft = 4;
const int EdgeTopRight = 5;
const int EdgeBottom = 6;
const int EdgeBottomLeft = 7;
const int EdgeBottomRight = 8;

// SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS: the combination the system
// sends when it resizes the window on its own (for instance when docking it).
const unsigned SystemResizeFlags = 0x114;

const int HeightStep = 24;
// Smallest client height the user may drag or step the window to.
const int MinClientHeight = 300;

int gridSize() { return app.settings.gridSize; }

}  // namespace

int widthForHeight(int h) {
    const int n = gridSize();
    int unit = (h - app.layout.frameHeight - ChartMarginHeight) / (4 * n + 2);
    if (unit < 1)
        unit = 1;
    const int hStep = roundHalfAway(unit * Sqrt3);
    return app.layout.frameWidth + ChartMarginWidth + 2 * (n * hStep + (n + 2) * unit);
}

int heightForWidth(int w) {
    const int n = gridSize();
    // Rounded as a whole, so that heightForWidth(widthForHeight(h)) never
    // comes out above h.
    const int hexWidthPerUnit = roundHalfAway(2 * n * Sqrt3);
    int unit = (w - app.layout.frameWidth - ChartMarginWidth) / (2 * n + 4 + hexWidthPerUnit);
    if (unit < 1)
        unit = 1;
    return app.layout.frameHeight + ChartMarginHeight + (4 * n + 2) * unit;
}

void constrainSizing(int edge, WindowRect& r) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int e = widthForHeight(h);
    const int f = heightForWidth(w);
    // At a corner the dimension lagging further behind its partner follows.
    const bool widthLags = e - w > f - h;
    switch (edge) {
    case EdgeLeft:
    case EdgeRight:
        r.bottom = r.top + f;
        break;
    case EdgeTop:
    case EdgeBottom:
        r.right = r.left + e;
        break;
    case EdgeTopLeft:
        if (widthLags)
            r.left = r.right - e;
        else
            r.top = r.bottom - f;
        break;
    case EdgeTopRight:
        if (widthLags)
            r.right = r.left + e;
        else
            r.top = r.bottom - f;
        break;
    case EdgeBottomLeft:
        if (widthLags)
            r.left = r.right - e;
        else
            r.bottom = r.top + f;
        break;
    case EdgeBottomRight:
        if (widthLags)
            r.right = r.left + e;
        else
            r.bottom = r.top + f;
        break;
    default:
        break;
    }
}

namespace {

// A width the system would cut to its maximum would leave the window too
// tall for its width: the widest window it allows takes the height that
// width holds instead.
void keepWithinTheWidestWindow(int& cx, int& cy) {
    const int widest = app.layout.maxTrackWidth;
    if (widest > 0 && cx > widest) {
        cx = widest;
        cy = heightForWidth(cx);
    }
}

}  // namespace

void constrainWindowPos(int y, int& cx, int& cy, unsigned flags) {
    const WindowRect& work = app.layout.workArea;
    if (y == work.top && cy == work.bottom - work.top) {
        cx = widthForHeight(cy);
        keepWithinTheWidestWindow(cx, cy);
        return;
    }
    if (flags == SystemResizeFlags) {
        // Only ever shrink, and only one dimension.
        const int width = widthForHeight(cy);
        if (cx > width)
            cx = width;
        else if (cy > heightForWidth(cx))
            cy = heightForWidth(cx);
        keepWithinTheWidestWindow(cx, cy);
    }
}

void stepHeightTarget(int direction, const WindowRect& windowRect,
                      int& newClientHeight, int& newTop) {
    const Layout& layout = app.layout;
    newClientHeight = layout.clientHeight;
    newTop = windowRect.top;
    if (direction < 0) {
        newClientHeight = layout.clientHeight - HeightStep;
        if (newClientHeight <= MinClientHeight)
            newClientHeight = MinClientHeight;
    } else if (direction > 0) {
        const int limit = layout.workArea.bottom - layout.frameHeight - layout.workArea.top;
        const int grown = layout.clientHeight + HeightStep;
        if (grown >= limit) {
            newClientHeight = limit;
            newTop = layout.workArea.top;
            return;
        }
        newClientHeight = grown;
        // Near the bottom of the work area the window grows upwards instead.
        const int lowestBottom = layout.workArea.bottom - HeightStep;
        if (windowRect.bottom > lowestBottom)
            newTop = windowRect.top + (lowestBottom - windowRect.bottom);
    }
}

void computeMinTrackSize() {
    Layout& L = app.layout;
    // The height at which the unit is exactly 1 (what heightForWidth gives
    // for a zero width).
    int height = L.frameHeight + ChartMarginHeight + (4 * app.settings.gridSize + 2);
    if (height < L.frameHeight + MinClientHeight)
        height = L.frameHeight + MinClientHeight;
    L.minTrackHeight = height;
    L.minTrackWidth = widthForHeight(height);
}
