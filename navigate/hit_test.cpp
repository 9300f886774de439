#include "navigate/hit_test.h"

#include <climits>
#include <cstdint>

#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "layout/layout.h"
#include "palette/palette_model.h"
#include "pick/readout_model.h"

namespace {

// The arrow keys hand over the pointer wherever it is, so every difference
// and product of coordinates is taken in 64 bits: no point can overflow them.
typedef std::int64_t Wide;

// The level track is a 25-pixel column near the right edge of the client area.
const int LevelTrackLeftInset = 48;
const int LevelTrackRightInset = 24;
// It reaches a little beyond the triangle's top and bottom dots.
const int LevelTrackOverhang = 24;
// The rim band: the hexagon through the outer dots, grown by these margins
// (plus one unit) so that a press near the rim is easy to hit.
const int RimBandEndMargin = 36;

Wide absolute(Wide v) { return v < 0 ? -v : v; }

int clampToInt(Wide v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return (int)v;
}

Wide roundedWide(double v) {
    return (Wide)(v < 0 ? v - 0.5 : v + 0.5);
}

bool inReadoutPanel(int x, int y) {
    const Layout& L = app.layout;
    return L.panelTop < y && y < L.panelBottom && L.panelLeft < x && x < L.panelRight;
}

// The right half of the panel shows the picked colour while there is one.
COLORREF readoutPanelColour(int x) {
    const PickState& pick = app.settings.pick;
    if (pick.pickActive && x >= panelMid())
        return pick.pickColor;
    return app.interaction.hoverColor;
}

bool inReadoutText(int x, int y) {
    const Wide mid = panelMid();
    const int halfWidth = ReadoutTextOffsets[1];
    return 0 < y && y < app.layout.panelTop && mid - halfWidth < x && x < mid + halfWidth;
}

// The slot under the point, or -1. The gap right of a swatch belongs to it,
// up to the next swatch's first column; the gap after the last one is free.
int paletteSlotAt(int x, int y) {
    const Layout& L = app.layout;
    if (!(L.stripTop < y && y < L.stripBottom))
        return -1;
    if (!(x > L.stripLeft && (Wide)x < (Wide)L.stripRight - swatchGap()))
        return -1;
    for (int k = 0; k < PaletteSlots; ++k) {
        if (x < swatchLeft(k + 1))
            return k;
    }
    return -1;
}

bool onTriangleDot(int col, int row) {
    return 0 <= col && col <= app.settings.gridSize && -col <= row && row <= col;
}

// Each column accepts points from one unit above its top dot to one unit
// below its bottom dot; gridCell shifts rows below the centre by one.
bool onHexagonDot(int col, int row) {
    const Wide n = app.settings.gridSize;
    const Wide across = absolute(col);
    return across <= n && across - 2 * n <= row && row <= 2 * n - across + 1;
}

bool inLevelTrack(int x, int y) {
    const Layout& L = app.layout;
    const Wide n = app.settings.gridSize;
    const Wide reach = (2 * n + 1) * L.unit + LevelTrackOverhang;
    return (Wide)L.clientWidth - LevelTrackLeftInset <= x &&
           x <= (Wide)L.clientWidth - LevelTrackRightInset &&
           absolute((Wide)y - L.hexCenterY) <= reach;
}

// A hexagon with vertices straight above and below the centre at distance ry
// and side vertices at (+-rx, +-ry / 2), tested with integers only.
bool inRimBand(int x, int y) {
    const Layout& L = app.layout;
    const Wide n = app.settings.gridSize;
    const Wide dx = (Wide)x - L.hexCenterX;
    const Wide dy = (Wide)y - L.hexCenterY;
    const Wide rx = n * L.hStep + L.unit + RimBandSideMargin;
    const Wide ry = (2 * n + 1) * L.unit + RimBandEndMargin;
    const Wide limit = 2 * rx * ry;
    if (absolute(dx) > rx)
        return false;
    if (absolute(2 * rx * dy - ry * dx) > limit)
        return false;
    return absolute(2 * rx * dy + ry * dx) <= limit;
}

void triangleCell(int x, int y, int& col, int& row) {
    const Layout& L = app.layout;
    const Wide dx = (Wide)x - L.triLeft;
    const Wide dy = (Wide)y - L.hexCenterY;
    const Wide pitch = 2 * (Wide)L.unit;
    col = clampToInt((dx + L.unit) / pitch);
    // A point exactly one unit from a dot row goes to the row farther out.
    row = clampToInt(dy >= 0 ? (dy + L.unit) / pitch : (dy - L.unit) / pitch);
}

void hexagonCell(int x, int y, int& col, int& row) {
    const Layout& L = app.layout;
    const Wide dx = (Wide)x - L.hexCenterX;
    const Wide dy = (Wide)y - L.hexCenterY;
    const Wide reachLeft = (Wide)L.hStep - L.unit;
    col = clampToInt(dx > 0 ? (dx + reachLeft) / L.hStep : (dx - reachLeft) / L.hStep);
    // Rows below the centre are shifted by one, so that a dot is reached
    // with its own half-row just above its centre and the next one below.
    row = clampToInt(dy > 0 ? (dy + L.unit) / L.unit : dy / L.unit);
}

}  // namespace

HitCode hitTest(int x, int y, COLORREF& colour) {
    if (inReadoutPanel(x, y)) {
        colour = readoutPanelColour(x);
        return HitReadoutPanel;
    }
    if (inReadoutText(x, y)) {
        colour = app.interaction.hoverColor;
        return HitReadoutText;
    }
    const int slot = paletteSlotAt(x, y);
    if (slot >= 0) {
        colour = app.settings.palette[slot];
        return (HitCode)slot;
    }
    int col = 0;
    int row = 0;
    const bool triangleSide = gridCell(x, y, col, row);
    if (triangleSide && onTriangleDot(col, row)) {
        colour = triangleDotColor(col, col + row);
        return HitTriangleDot;
    }
    if (!triangleSide && onHexagonDot(col, row)) {
        colour = hexCellColor(col, row);
        return HitHexagonDot;
    }
    colour = app.settings.bgColor;
    const bool markerZone = triangleSide ? inLevelTrack(x, y) : inRimBand(x, y);
    return markerZone ? HitMarkerZone : HitNothing;
}

bool gridCell(int x, int y, int& col, int& row) {
    const Layout& L = app.layout;
    if ((Wide)x >= (Wide)L.triLeft - L.unit) {
        triangleCell(x, y, col, row);
        return true;
    }
    hexagonCell(x, y, col, row);
    return false;
}

void projectToRim(int& x, int& y) {
    const Layout& L = app.layout;
    const Wide n = app.settings.gridSize;
    const Wide a = n * L.hStep;
    const Wide b = n * L.unit;
    const Wide cx = L.hexCenterX;
    const Wide cy = L.hexCenterY;
    const Wide sx = x >= cx ? a : -a;
    const Wide sy = y >= cy ? b : -b;
    // Level with a vertical side: straight across onto it.
    if (cy - b <= y && y <= cy + b) {
        x = (int)(cx + sx);
        return;
    }
    // Otherwise orthogonally onto the slanted side of the point's quadrant,
    // the line through the top (or bottom) vertex with normal (sy, sx).
    const double nx = (double)sy;
    const double ny = (double)sx;
    const double t = (ny * (double)(cy + 2 * sy) + nx * (double)cx - nx * x - ny * y) / (ny * ny + nx * nx);
    Wide px = x + roundedWide(nx * t);
    Wide py = y + roundedWide(ny * t);
    // Past the end of that side: onto the vertex it ends in. Only the end
    // vertex of the point's own half is checked: a projection that runs far
    // on past the side vertex also passes the height of the opposite end
    // vertex, and must still stop at the side vertex below.
    if (sy > 0 && py > cy + 2 * b) {
        px = cx;
        py = cy + 2 * b;
    }
    if (sy < 0 && py < cy - 2 * b) {
        px = cx;
        py = cy - 2 * b;
    }
    if (px > cx + a) {
        px = cx + a;
        py = cy + sy;
    }
    if (px < cx - a) {
        px = cx - a;
        py = cy + sy;
    }
    x = (int)px;
    y = (int)py;
}
