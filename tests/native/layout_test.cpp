#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/sizing.h"
#include "core/state.h"
#include "chart/markers.h"
#include "layout/layout.h"
#include "app/relayout.h"
#include "navigate/hit_test.h"
#include "test_support.h"

namespace {

TEST(GridSizesTable, ElevenSizesInOrder) {
    const int expected[GridSizeCount] = {4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128};
    for (int k = 0; k < GridSizeCount; ++k)
        EXPECT_EQ(GridSizes[k], expected[k]) << "index " << k;
}

// Lays out 900 x 600 from a raw size index, with a grid size that no index
// gives, so that the one computeLayout sets shows.
void layoutWithSizeIndex(int sizeIndex) {
    app = AppState();
    setDefaultSettings();
    app.settings.sizeIndex = sizeIndex;
    app.settings.gridSize = -1;
    app.layout.clientWidth = 900;
    app.layout.clientHeight = 600;
    computeLayout();
}

TEST(ComputeLayout, GridSizeFollowsSizeIndex) {
    for (int k = 0; k < GridSizeCount; ++k) {
        layoutWithSizeIndex(k);
        EXPECT_EQ(app.settings.gridSize, GridSizes[k]);
        EXPECT_DOUBLE_EQ(app.chart.colorStep, 255.0 / GridSizes[k]);
        EXPECT_DOUBLE_EQ(app.chart.halfColorStep, app.chart.colorStep / 2);
    }
}

TEST(ComputeLayout, Grid8Client900x600) {
    layoutAt(8, 900, 600);
    const Layout& L = app.layout;
    EXPECT_EQ(L.unit, 14);
    EXPECT_EQ(L.dotRadius, 14);
    EXPECT_EQ(L.hStep, 24);
    EXPECT_EQ(L.markerSize, 14);
    EXPECT_EQ(L.markerHalf, 8);
    EXPECT_EQ(L.markerSpan, 16);
    EXPECT_EQ(L.hexCenterX, 254);
    EXPECT_EQ(L.hexCenterY, 300);
    EXPECT_EQ(L.stripBottom, 592);
    EXPECT_EQ(L.stripTop, 550);
    EXPECT_EQ(L.triLeft, 614);
    EXPECT_EQ(L.stripRight, 780);
    EXPECT_EQ(L.stripLeft, 377);
    EXPECT_DOUBLE_EQ(L.swatchWidth, 25.1875);
    EXPECT_EQ(L.panelLeft, 528);
    EXPECT_EQ(L.panelRight, 679);
    EXPECT_EQ(L.panelTop, 46);
    EXPECT_EQ(L.panelBottom, 112);
    EXPECT_DOUBLE_EQ(app.chart.colorStep, 31.875);
    EXPECT_DOUBLE_EQ(app.chart.halfColorStep, 15.9375);
}

TEST(ComputeLayout, Grid8Client424x300) {
    layoutAt(8, 424, 300);
    const Layout& L = app.layout;
    EXPECT_EQ(L.unit, 6);
    EXPECT_EQ(L.dotRadius, 7);
    EXPECT_EQ(L.hStep, 10);
    EXPECT_EQ(L.hexCenterX, 134);
    EXPECT_EQ(L.hexCenterY, 150);
    EXPECT_EQ(L.triLeft, 274);
    EXPECT_EQ(L.stripLeft, 185);
    EXPECT_EQ(L.stripRight, 345);
    EXPECT_DOUBLE_EQ(L.swatchWidth, 10.0);
    EXPECT_EQ(L.panelLeft, 245);
    EXPECT_EQ(L.panelRight, 305);
    EXPECT_EQ(L.panelBottom, 79);
}

TEST(ComputeLayout, DotRadiusAndColumnStepPerUnit) {
    struct Row { int unit, dotRadius, hStep, triangleDotRadius; };
    const Row rows[] = {
        {1, 2, 2, 3}, {2, 3, 3, 4}, {3, 4, 5, 4}, {4, 5, 7, 5},
        {5, 6, 9, 6}, {6, 7, 10, 7}, {7, 7, 12, 7}, {8, 8, 14, 8},
        {14, 14, 24, 14}, {30, 30, 52, 30},
    };
    for (const Row& row : rows) {
        layoutAt(8, 4000, clientHeightForUnit(8, row.unit));
        EXPECT_EQ(app.layout.unit, row.unit);
        EXPECT_EQ(app.layout.dotRadius, row.dotRadius) << "unit " << row.unit;
        EXPECT_EQ(app.layout.hStep, row.hStep) << "unit " << row.unit;
        EXPECT_EQ(triangleDotRadiusFor(app.layout.dotRadius), row.triangleDotRadius) << "unit " << row.unit;
    }
}

TEST(ComputeLayout, UnitIsLargestThatFits) {
    // One pixel short of the next unit keeps the smaller one.
    layoutAt(8, 900, clientHeightForUnit(8, 10) - 1);
    EXPECT_EQ(app.layout.unit, 9);
    layoutAt(8, 900, clientHeightForUnit(8, 10));
    EXPECT_EQ(app.layout.unit, 10);
}

TEST(ComputeLayout, MarkerSizes) {
    struct Row { int unit, size, half, span; };
    const Row rows[] = {
        {1, 8, 5, 9}, {5, 8, 5, 9}, {8, 8, 5, 9}, {9, 9, 5, 10},
        {12, 12, 7, 14}, {14, 14, 8, 16}, {15, 15, 9, 17},
        {16, 16, 9, 18}, {40, 16, 9, 18},
    };
    for (const Row& row : rows) {
        layoutAt(8, 4000, clientHeightForUnit(8, row.unit));
        ASSERT_EQ(app.layout.unit, row.unit);
        EXPECT_EQ(app.layout.markerSize, row.size) << "unit " << row.unit;
        EXPECT_EQ(app.layout.markerHalf, row.half) << "unit " << row.unit;
        EXPECT_EQ(app.layout.markerSpan, row.span) << "unit " << row.unit;
    }
}

TEST(ComputeLayout, TinyClientGivesSmallestUnit) {
    const int heights[] = {0, 1, 95, 96, 97, 99, 129};
    for (int h : heights) {
        layoutAt(8, 0, h);
        EXPECT_EQ(app.layout.unit, 1) << "height " << h;
        EXPECT_EQ(app.layout.dotRadius, 2) << "height " << h;
    }
    layoutAt(128, 0, 0);
    EXPECT_EQ(app.layout.unit, 1);
    EXPECT_EQ(app.layout.dotRadius, 2);
    layoutAt(128, 100, 609);
    EXPECT_EQ(app.layout.unit, 1);
    EXPECT_EQ(app.layout.dotRadius, 2);
}

// ---- where the two charts meet, pixel by pixel

// A dot's pixels: the disc of its radius about the centre, within the square
// from centre - r to centre + r - 1, as the chart fills it.
bool dotHasPixel(int cx, int cy, int r, int px, int py) {
    const double dx = px + 0.5 - cx;
    const double dy = py + 0.5 - cy;
    return px >= cx - r && px < cx + r && py >= cy - r && py < cy + r && dx * dx + dy * dy <= (double)r * r;
}

// A marker's pixels: the filled triangle through its three corner pixels.
bool markerHasPixel(const ClientPoint p[3], int px, int py) {
    long long c[3];
    for (int k = 0; k < 3; ++k) {
        const ClientPoint a = p[k], b = p[(k + 1) % 3];
        c[k] = (long long)(b.x - a.x) * (py - a.y) - (long long)(b.y - a.y) * (px - a.x);
    }
    return (c[0] >= 0 && c[1] >= 0 && c[2] >= 0) || (c[0] <= 0 && c[1] <= 0 && c[2] <= 0);
}

// One thing a chart paints, a dot or a marker, with the box of its pixels
// (right and bottom exclusive) and, for the message, what and where it is.
struct Drawn {
    const char* what;
    int a, b;
    int radius;          // a dot's; 0 for a marker
    ClientPoint p[3];    // a dot's centre in p[0]; a marker's corners
    int left, top, right, bottom;
};

Drawn drawnDot(const char* what, int a, int b, int x, int y, int r) {
    const ClientPoint c = {x, y};
    return Drawn{what, a, b, r, {c, c, c}, x - r, y - r, x + r, y + r};
}

Drawn drawnMarker(const char* what, int a, int b, const ClientPoint p[3]) {
    return Drawn{what, a, b, 0, {p[0], p[1], p[2]},
                 std::min({p[0].x, p[1].x, p[2].x}), std::min({p[0].y, p[1].y, p[2].y}),
                 std::max({p[0].x, p[1].x, p[2].x}) + 1, std::max({p[0].y, p[1].y, p[2].y}) + 1};
}

bool hasPixel(const Drawn& d, int px, int py) {
    return d.radius > 0 ? dotHasPixel(d.p[0].x, d.p[0].y, d.radius, px, py) : markerHasPixel(d.p, px, py);
}

std::string describe(const Drawn& d) {
    return std::string(d.what) + " " + std::to_string(d.a) + (d.b < 0 ? "" : ", " + std::to_string(d.b));
}

// Whether the two share a pixel; if so, which and where.
bool shareAPixel(const Drawn& s, const Drawn& t, std::string& met) {
    for (int y = std::max(s.top, t.top); y < std::min(s.bottom, t.bottom); ++y) {
        for (int x = std::max(s.left, t.left); x < std::min(s.right, t.right); ++x) {
            if (hasPixel(s, x, y) && hasPixel(t, x, y)) {
                met = describe(s) + " and " + describe(t) + " share pixel " + std::to_string(x) + "," +
                      std::to_string(y);
                return true;
            }
        }
    }
    return false;
}

// The dots of one chart column, all at one x: dot k at (x, top + k * pitch).
struct DotColumn {
    const char* what;
    int column, x, top, pitch, count, radius;
};

DotColumn hexagonColumn(int a) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    return DotColumn{"hexagon dot at column, place", a, L.hexCenterX + a * L.hStep,
                     L.hexCenterY + (std::abs(a) - 2 * n) * L.unit, 2 * L.unit, 2 * n - std::abs(a) + 1,
                     L.dotRadius};
}

// The triangle's dots at the radius it paints them with.
DotColumn triangleColumn(int i) {
    const Layout& L = app.layout;
    return DotColumn{"triangle dot at column, place", i, L.triLeft + 2 * i * L.unit,
                     L.hexCenterY - 2 * i * L.unit, 2 * L.unit, 2 * i + 1, triangleDotRadiusFor(L.dotRadius)};
}

Drawn dotOf(const DotColumn& c, int k) {
    return drawnDot(c.what, c.column, k, c.x, c.top + k * c.pitch, c.radius);
}

// Whether a dot of the column shares a pixel with the shape.
bool meetsColumn(const Drawn& s, const DotColumn& c, std::string& met) {
    if (s.right <= c.x - c.radius || c.x + c.radius <= s.left)
        return false;
    for (int k = 0; k < c.count; ++k)
        if (shareAPixel(s, dotOf(c, k), met))
            return true;
    return false;
}

bool columnsMeet(const DotColumn& a, const DotColumn& b, std::string& met) {
    for (int k = 0; k < a.count; ++k)
        if (meetsColumn(dotOf(a, k), b, met))
            return true;
    return false;
}

// The slice marker at every sector and slice, the level marker at every level.
void sliceMarkers(std::vector<Drawn>& out) {
    ClientPoint p[3];
    for (int sector = 0; sector < 6; ++sector) {
        for (int slice = 0; slice <= app.settings.gridSize; ++slice) {
            app.settings.sector = (std::int8_t)sector;
            app.chart.slice = slice;
            sliceMarkerPolygon(true, p);
            out.push_back(drawnMarker("slice marker at sector, slice", sector, slice, p));
        }
    }
}

void levelMarkers(std::vector<Drawn>& out) {
    ClientPoint p[3];
    for (int level = 0; level <= 2 * app.settings.gridSize; ++level) {
        app.chart.level = level;
        levelMarkerPolygon(p);
        out.push_back(drawnMarker("level marker at level", level, -1, p));
    }
}

// Whether anything of the one side shares a pixel with the other: every
// marker, and the dot columns, the hexagon's from its right edge and the
// triangle's from its apex.
bool sidesMeet(const std::vector<Drawn>& sliceSide, const std::vector<DotColumn>& hexagon,
               const std::vector<Drawn>& levelSide, const std::vector<DotColumn>& triangle,
               std::string& met) {
    for (const DotColumn& a : hexagon)
        for (const DotColumn& b : triangle)
            if (columnsMeet(a, b, met))
                return true;
    for (const Drawn& s : sliceSide) {
        for (const DotColumn& b : triangle)
            if (meetsColumn(s, b, met))
                return true;
        for (const Drawn& t : levelSide)
            if (shareAPixel(s, t, met))
                return true;
    }
    for (const Drawn& t : levelSide)
        for (const DotColumn& a : hexagon)
            if (meetsColumn(t, a, met))
                return true;
    return false;
}

// What of the hexagon's side (its dots, its slice marker anywhere) shares a
// pixel with what of the triangle's side (its dots as painted, its level
// marker anywhere) in the layout held, or which dot centre beside the split
// reads out as something else; "" where nothing does. Only what reaches into
// the columns that both sides reach is looked at.
std::string whatMeets() {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    static std::vector<Drawn> sliceSide, levelSide;
    sliceSide.clear();
    levelSide.clear();
    sliceMarkers(sliceSide);
    levelMarkers(levelSide);
    int hexagonReach = hexagonColumn(n).x + L.dotRadius;
    int triangleReach = triangleColumn(0).x - triangleColumn(0).radius;
    for (const Drawn& s : sliceSide)
        hexagonReach = std::max(hexagonReach, s.right);
    for (const Drawn& t : levelSide)
        triangleReach = std::min(triangleReach, t.left);
    std::string met;
    if (triangleReach < hexagonReach) {
        const auto outsideTheBand = [&](const Drawn& d) {
            return d.right <= triangleReach || d.left >= hexagonReach;
        };
        sliceSide.erase(std::remove_if(sliceSide.begin(), sliceSide.end(), outsideTheBand), sliceSide.end());
        levelSide.erase(std::remove_if(levelSide.begin(), levelSide.end(), outsideTheBand), levelSide.end());
        std::vector<DotColumn> hexagon, triangle;
        for (int a = n; a >= -n && hexagonColumn(a).x + L.dotRadius > triangleReach; --a)
            hexagon.push_back(hexagonColumn(a));
        for (int i = 0; i <= n && triangleColumn(i).x - triangleColumn(i).radius < hexagonReach; ++i)
            triangle.push_back(triangleColumn(i));
        if (sidesMeet(sliceSide, hexagon, levelSide, triangle, met))
            return met;
    }
    COLORREF colour;
    for (int b = -n; b <= n; b += 2)
        if (hitTest(L.hexCenterX + n * L.hStep, L.hexCenterY + b * L.unit, colour) != HitHexagonDot)
            return "hexagon centre read as something else";
    if (hitTest(L.triLeft, L.hexCenterY, colour) != HitTriangleDot)
        return "apex centre read as something else";
    return "";
}

// The layout the charts' described rule gives a client at a unit, whatever
// the width: the metrics of that unit, the triangle placed from the right edge.
void layoutDescribed(int n, int unit, int clientWidth, int clientHeight) {
    layoutAt(n, 100000, clientHeightForUnit(n, unit));
    ASSERT_EQ(app.layout.unit, unit);
    Layout& L = app.layout;
    L.clientWidth = clientWidth;
    L.clientHeight = clientHeight;
    L.hexCenterY = clientHeight / 2;
    L.triLeft = clientWidth - unit * (2 * n + 1) - 48;
}

struct Sweep {
    int kept = 0, smaller = 0, faults = 0;
    std::string examples;
};

// One client: nothing of the one chart meets the other, the unit the height
// gives stays wherever nothing would meet at it, and a smaller one is the
// largest at which nothing meets.
std::string judgeClient(int n, int clientWidth, int clientHeight, Sweep& sweep) {
    const int described = std::max(1, (clientHeight - 96) / (4 * n + 2));
    layoutAt(n, clientWidth, clientHeight, 16, 39);
    const int unit = app.layout.unit, triLeft = app.layout.triLeft;
    const std::string taken = "unit " + std::to_string(unit) + ": ";
    const std::string met = whatMeets();
    if (!met.empty())
        return taken + met;
    if (unit < described) {
        ++sweep.smaller;
        layoutDescribed(n, unit + 1, clientWidth, clientHeight);
        return whatMeets().empty() ? taken + "unit " + std::to_string(unit + 1) + " is clear" : "";
    }
    ++sweep.kept;
    if (unit != described || triLeft != clientWidth - unit * (2 * n + 1) - 48)
        return taken + "the described layout is clear";
    return "";
}

// Every window a user can make, for every grid size, from the minimum track
// width to 3840 pixels wide: with the height a side-edge drag gives it, and
// at the heights that allow units 1, 2 and 3 and at 700 (maximised on a
// screen 768 pixels high), none below the minimum track height. Units 1 and
// 2 are where the triangle paints its dots larger than the hexagon's.
TEST(ComputeLayout, EveryWindowKeepsTheDescribedUnitWhereverTheChartsStayClear) {
    const int frameWidth = 16, frameHeight = 39, widest = 3840, sideEdgeDrag = 0;
    Sweep sweep;
    for (int n : GridSizes) {
        layoutAt(n, 900, 600, frameWidth, frameHeight);
        const int narrowest = app.layout.minTrackWidth, lowest = app.layout.minTrackHeight - frameHeight;
        std::vector<int> heights = {sideEdgeDrag, 700};
        for (int unit = 1; unit <= 3; ++unit)
            heights.push_back(std::max(lowest, clientHeightForUnit(n, unit)));
        std::sort(heights.begin() + 1, heights.end());
        heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
        for (int height : heights) {
            const int faultsBefore = sweep.faults;
            for (int w = narrowest; w <= widest; ++w) {
                freshState(n, frameWidth, frameHeight);
                const int clientWidth = w - frameWidth;
                const int clientHeight = height == sideEdgeDrag ? heightForWidth(w) - frameHeight : height;
                const std::string fault = judgeClient(n, clientWidth, clientHeight, sweep);
                if (fault.empty() || ++sweep.faults > faultsBefore + 1)
                    continue;
                sweep.examples += "\n  N " + std::to_string(n) + " client " + std::to_string(clientWidth) +
                                  "x" + std::to_string(clientHeight) + " " + fault;
            }
        }
    }
    EXPECT_EQ(sweep.faults, 0) << "first of each grid size and height:" << sweep.examples;
    EXPECT_GT(sweep.kept, 0);
    EXPECT_GT(sweep.smaller, 0);
}

// Narrower still: at the smallest unit the triangle moves right just clear
// of the hexagon and runs off the window; a window maximised on a tall
// screen keeps its height's unit where nothing meets; and where unit 2 would
// let the triangle's larger dots meet the slice marker, unit 1 is taken.
TEST(ComputeLayout, NarrowClientsKeepTheChartsApart) {
    struct Row { int n, width, height, unit; };
    const Row rows[] = {{8, 100, 600, 1}, {8, 887, 640, 16}, {48, 300, 2000, 1},
                        {32, 437, 700, 1}, {64, 757, 700, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "N " << row.n << " client " << row.width << "x" << row.height);
        layoutAt(row.n, row.width, row.height);
        EXPECT_EQ(app.layout.unit, row.unit);
        EXPECT_GT(app.layout.stripRight, app.layout.stripLeft);
        EXPECT_EQ(whatMeets(), "");
    }
}

TEST(ComputeLayout, MinimumTrackSizeWithFrame) {
    struct Row { int gridSize, minHeight, minWidth; };
    const Row rows[] = {{8, 339, 440}, {128, 649, 932}, {32, 339, 356}};
    for (const Row& row : rows) {
        layoutAt(row.gridSize, 900, 600, 16, 39);
        EXPECT_EQ(app.layout.minTrackHeight, row.minHeight) << "N " << row.gridSize;
        EXPECT_EQ(app.layout.minTrackWidth, row.minWidth) << "N " << row.gridSize;
    }
}

TEST(ComputeLayout, MinimumClientAreaPerGridSize) {
    struct Row { int gridSize, clientHeight; };
    const Row rows[] = {
        {4, 300}, {8, 300}, {48, 300}, {64, 354}, {96, 482}, {128, 610},
    };
    for (const Row& row : rows) {
        layoutAt(row.gridSize, 900, 600);
        EXPECT_EQ(app.layout.minTrackHeight, row.clientHeight) << "N " << row.gridSize;
        EXPECT_EQ(app.layout.minTrackWidth, widthForHeight(row.clientHeight));
    }
    layoutAt(8, 900, 600);
    EXPECT_EQ(app.layout.minTrackWidth, 424);
    layoutAt(128, 900, 600);
    EXPECT_EQ(app.layout.minTrackWidth, 916);
}

TEST(ComputeLayout, MinimumTrackSizeIgnoresClientSize) {
    layoutAt(16, 2000, 1500, 16, 39);
    const int height = app.layout.minTrackHeight;
    const int width = app.layout.minTrackWidth;
    layoutAt(16, 0, 0, 16, 39);
    EXPECT_EQ(app.layout.minTrackHeight, height);
    EXPECT_EQ(app.layout.minTrackWidth, width);
}

TEST(ComputeLayout, MarginsAndGapsHoldForEverySize) {
    for (int n : GridSizes) {
        for (int h = 0; h <= 1700; h += 37) {
            freshState(n);
            const int w = widthForHeight(h) + h % 300;
            layoutAt(n, w, h);
            const Layout& L = app.layout;
            SCOPED_TRACE(testing::Message() << "N " << n << " client " << w << "x" << h);
            EXPECT_GE(L.unit, 1);
            EXPECT_GE(L.dotRadius, 2);
            EXPECT_GE(L.markerSize, 8);
            EXPECT_LE(L.markerSize, 16);
            EXPECT_EQ(L.panelTop, 46);
            EXPECT_EQ(L.hexCenterX - n * L.hStep, L.unit + 48);
            EXPECT_EQ(w - (L.triLeft + 2 * n * L.unit), L.unit + 48);
            EXPECT_EQ(L.hexCenterY, h / 2);
        }
    }
}

TEST(ComputeLayout, ProportionalWindowLeavesTheDesignedGap) {
    // A window of width widthForHeight(h) puts the triangle's apex exactly
    // 2 units + 48 right of the hexagon's rightmost column.
    for (int n : GridSizes) {
        for (int u = 1; u <= 12; ++u) {
            layoutProportional(n, u, 16, 39);
            const Layout& L = app.layout;
            ASSERT_EQ(L.unit, u);
            EXPECT_EQ(L.triLeft - (L.hexCenterX + n * L.hStep), 2 * u + 48)
                << "N " << n << " unit " << u;
        }
    }
}

TEST(ComputeLayout, OutOfRangeSizeIndexFallsBackToDefault) {
    const int bad[] = {-1, 11, 1000};
    for (int index : bad) {
        layoutWithSizeIndex(index);
        EXPECT_EQ(app.settings.sizeIndex, 2);
        EXPECT_EQ(app.settings.gridSize, 8);
    }
}

TEST(ComputeLayout, LocatesThePickWithTheNewMetrics) {
    layoutAt(8, 900, 600);
    app.settings.pick.pickActive = 1;
    app.settings.pick.pickColor = makeColor(255, 0, 0);
    relayout();
    const Layout& L = app.layout;
    // Pure red: the hexagon's lower left corner and the triangle's apex.
    EXPECT_EQ(app.settings.pick.pickHexX, L.hexCenterX - 8 * L.hStep);
    EXPECT_EQ(app.settings.pick.pickHexY, L.hexCenterY + 8 * L.unit);
    EXPECT_EQ(app.settings.pick.pickTriX, L.triLeft);
    EXPECT_EQ(app.settings.pick.pickTriY, L.hexCenterY);

    app.layout.clientWidth = 1200;
    app.layout.clientHeight = 800;
    relayout();
    EXPECT_EQ(app.settings.pick.pickTriX, app.layout.triLeft);
    EXPECT_EQ(app.settings.pick.pickHexY, app.layout.hexCenterY + 8 * app.layout.unit);
}

}  // namespace
