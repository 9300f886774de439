#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/state.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "layout/layout.h"
#include "test_support.h"

namespace {

struct Rgb { int r, g, b; };

COLORREF rgb(const Rgb& c) { return makeColor(c.r, c.g, c.b); }

std::string describe(COLORREF c) {
    std::ostringstream s;
    s << "(" << redOf(c) << ", " << greenOf(c) << ", " << blueOf(c) << ")";
    return s.str();
}

// Lays the charts out at the given unit (client height chosen to match) and
// sets the level from its position.
void chartAt(int gridSize, int levelPos, int unit = 3) {
    layoutAt(gridSize, 3000, clientHeightForUnit(gridSize, unit));
    atLevelPos(levelPos);
}

int absolute(int v) { return v < 0 ? -v : v; }

// Hexagonal distance of a dot centre (a + b even) from the centre.
int dotRing(int a, int b) {
    const int across = (absolute(a) + absolute(b)) / 2;
    return absolute(a) > across ? absolute(a) : across;
}

// ---------------------------------------------------------------- level

TEST(UpdateLevel, LevelFromPositionRoundsHalfAway) {
    struct Row { int gridSize, levelPos, level; };
    const Row rows[] = {
        {8, 2048, 16}, {8, 0, 0}, {8, 1024, 8}, {8, 100, 1}, {8, 63, 0}, {8, 64, 1},
        {6, 85, 0}, {6, 86, 1}, {6, 512, 3}, {128, 2048, 256}, {128, 4, 1}, {128, 3, 0},
    };
    for (const Row& row : rows) {
        chartAt(row.gridSize, row.levelPos);
        EXPECT_EQ(app.chart.level, row.level) << "N " << row.gridSize << " pos " << row.levelPos;
    }
}

TEST(UpdateLevel, EveryStoredLevelReadsBack) {
    for (int n : GridSizes) {
        chartAt(n, 0);
        for (int level = 0; level <= 2 * n; ++level) {
            atLevel(level);
            EXPECT_EQ(app.chart.level, level) << "N " << n;
        }
    }
}

TEST(UpdateLevel, CentreGrey) {
    for (int n : GridSizes) {
        chartAt(n, 2048);
        EXPECT_EQ(app.chart.centerGray, 255);
        EXPECT_DOUBLE_EQ(app.chart.grayStep, 255.0 / n);
        chartAt(n, 1024);
        EXPECT_EQ(app.chart.centerGray, 127) << "N " << n;
        chartAt(n, 0);
        EXPECT_EQ(app.chart.centerGray, 0);
        EXPECT_DOUBLE_EQ(app.chart.grayStep, 0.0);
    }
}

// ringLow and ringHigh of rings 1, 2, ... at the current level.
void expectRings(const std::vector<int>& low, const std::vector<int>& high) {
    ASSERT_EQ(low.size(), high.size());
    for (size_t k = 0; k < low.size(); ++k) {
        const int e = (int)k + 1;
        EXPECT_EQ(ringLow(e), low[k]) << "ring " << e;
        EXPECT_EQ(ringHigh(e), high[k]) << "ring " << e;
    }
}

TEST(RingBounds, Grid8WhiteCentre) {
    chartAt(8, 2048);
    expectRings({223, 191, 159, 127, 96, 64, 32, 0}, std::vector<int>(8, 255));
}

TEST(RingBounds, Grid8BlackCentre) {
    chartAt(8, 0);
    expectRings(std::vector<int>(8, 0), {32, 64, 96, 128, 159, 191, 223, 255});
}

TEST(RingBounds, Grid4MiddleLevel) {
    chartAt(4, 1024);
    EXPECT_EQ(app.chart.centerGray, 127);
    expectRings({95, 63, 32, 0}, {159, 191, 223, 255});
}

TEST(RingBounds, CentreAndOuterRingAtEveryLevel) {
    for (int n : GridSizes) {
        chartAt(n, 0);
        for (int level = 0; level <= 2 * n; ++level) {
            atLevel(level);
            EXPECT_EQ(ringLow(0), app.chart.centerGray);
            EXPECT_EQ(ringHigh(0), app.chart.centerGray);
            EXPECT_EQ(ringLow(n), 0) << "N " << n << " level " << level;
            EXPECT_EQ(ringHigh(n), 255) << "N " << n << " level " << level;
        }
    }
}

// Every side colour is lo + r or hi - r with r = round(j x colorStep),
// j < e: all of them must stay within 0..255 before being cut to a byte.
TEST(RingBounds, SideComponentsStayInByteRange) {
    for (int n : GridSizes) {
        chartAt(n, 0);
        int failures = 0;
        for (int level = 0; level <= 2 * n; ++level) {
            atLevel(level);
            for (int e = 1; e <= n; ++e) {
                const int lo = ringLow(e);
                const int hi = ringHigh(e);
                const int r = roundHalfAway((e - 1) * app.chart.colorStep);
                if (lo < 0 || hi > 255 || lo > hi || lo + r > hi || hi - r < lo)
                    ++failures;
            }
        }
        EXPECT_EQ(failures, 0) << "N " << n;
    }
}

// ---------------------------------------------------------------- hexCellColor

struct CellColour { int a, b; Rgb colour; };

void expectCellColours(const std::vector<CellColour>& rows) {
    for (const CellColour& row : rows)
        EXPECT_EQ(describe(hexCellColor(row.a, row.b)), describe(rgb(row.colour)))
            << "position (" << row.a << ", " << row.b << ")";
}

TEST(HexCellColor, Grid4MiddleLevelExamples) {
    chartAt(4, 1024);
    expectCellColours({
        {1, -3, {63, 191, 127}}, {1, -2, {63, 191, 127}},
        {2, 0, {63, 127, 191}},  {-4, 0, {255, 128, 0}},
        {4, -4, {0, 255, 255}},  {0, 8, {255, 0, 255}}, {0, 9, {255, 0, 255}},
        {0, 0, {127, 127, 127}},
    });
}

TEST(HexCellColor, OddPositionsNextToTheCentre) {
    chartAt(4, 1024);
    expectCellColours({
        {0, 1, {127, 127, 127}},   // below the centre: the centre's own
        {1, 0, {95, 159, 159}},    // ring 1, cyan corner
        {-1, 0, {159, 159, 95}},   // ring 1, yellow corner
        {0, -1, {95, 159, 95}},    // ring 1, green corner
    });
}

TEST(HexCellColor, OuterCornersArePureAtEveryLevel) {
    for (int n : GridSizes) {
        chartAt(n, 0);
        struct Corner { int a, b; Rgb colour; };
        const Corner corners[] = {
            {0, -2 * n, {0, 255, 0}},   {n, -n, {0, 255, 255}}, {n, n, {0, 0, 255}},
            {0, 2 * n, {255, 0, 255}},  {-n, n, {255, 0, 0}},   {-n, -n, {255, 255, 0}},
        };
        for (int level = 0; level <= 2 * n; ++level) {
            atLevel(level);
            for (const Corner& c : corners) {
                EXPECT_EQ(hexCellColor(c.a, c.b), rgb(c.colour))
                    << "N " << n << " level " << level << " corner (" << c.a << ", " << c.b << ")";
                EXPECT_EQ(hexCellColor(c.a, c.b + 1), rgb(c.colour))
                    << "N " << n << " level " << level << " below corner (" << c.a << ", " << c.b << ")";
            }
        }
    }
}

TEST(HexCellColor, WhiteCentreShowsTints) {
    chartAt(8, 2048);
    EXPECT_EQ(hexCellColor(0, 0), makeColor(255, 255, 255));
    EXPECT_EQ(hexCellColor(0, -2), makeColor(223, 255, 223));  // ring 1, green corner
    EXPECT_EQ(hexCellColor(2, 2), makeColor(191, 191, 255));   // ring 2, blue corner
}

// ---------------------------------------------------------------- hexagon walker

struct HexDot { int a, b; COLORREF colour; };

std::vector<HexDot> walkHexagon() {
    std::vector<HexDot> dots;
    const Layout& L = app.layout;
    forEachHexagonDot([&](int x, int y, COLORREF colour) {
        const int dx = x - L.hexCenterX;
        const int dy = y - L.hexCenterY;
        HexDot d;
        d.a = dx / L.hStep;
        d.b = dy / L.unit;
        d.colour = colour;
        // Positions off the grid are flagged by an impossible half-row.
        if (dx % L.hStep != 0 || dy % L.unit != 0)
            d.b = 1 << 20;
        dots.push_back(d);
    });
    return dots;
}

TEST(HexagonWalker, DotCountForEveryGridSize) {
    for (int n : GridSizes) {
        chartAt(n, 2048);
        EXPECT_EQ(walkHexagon().size(), static_cast<size_t>(1 + 3 * n * (n + 1))) << "N " << n;
    }
    chartAt(128, 2048);
    EXPECT_EQ(walkHexagon().size(), 49537u);
}

TEST(HexagonWalker, PaintsCentreThenRingOneClockwiseFromTheTop) {
    chartAt(4, 1024, 14);
    const std::vector<HexDot> dots = walkHexagon();
    const int expected[][2] = {{0, 0}, {0, -2}, {1, -1}, {1, 1}, {0, 2}, {-1, 1}, {-1, -1},
                               {0, -4}, {1, -3}, {2, -2}, {2, 0}};
    for (size_t k = 0; k < sizeof expected / sizeof expected[0]; ++k) {
        EXPECT_EQ(dots[k].a, expected[k][0]) << "dot " << k;
        EXPECT_EQ(dots[k].b, expected[k][1]) << "dot " << k;
    }
    EXPECT_EQ(dots[0].colour, makeColor(127, 127, 127));
}

TEST(HexagonWalker, PixelPositionsFollowTheGrid) {
    chartAt(8, 2048, 14);  // hStep 24, unit 14
    const Layout& L = app.layout;
    std::vector<std::pair<int, int>> pixels;
    forEachHexagonDot([&](int x, int y, COLORREF) { pixels.push_back(std::make_pair(x, y)); });
    ASSERT_EQ(pixels.size(), 217u);
    EXPECT_EQ(pixels[0], std::make_pair(L.hexCenterX, L.hexCenterY));
    EXPECT_EQ(pixels[1], std::make_pair(L.hexCenterX, L.hexCenterY - 28));
    EXPECT_EQ(pixels[2], std::make_pair(L.hexCenterX + 24, L.hexCenterY - 14));
    EXPECT_EQ(pixels[3], std::make_pair(L.hexCenterX + 24, L.hexCenterY + 14));
    // The last dot is the one before the outer ring's top corner.
    EXPECT_EQ(pixels.back(), std::make_pair(L.hexCenterX - 24, L.hexCenterY - 8 * 28 + 14));
}

// Every dot the painter draws has exactly the colour the hit test reports
// for its position and for the odd position below it; each dot is drawn
// once, rings from the inside out.
TEST(HexagonWalker, ColoursMatchTheCellRuleForEveryGridAndLevel) {
    for (int n : GridSizes) {
        chartAt(n, 0);
        const int levels[] = {0, 1, n / 2, n - 1, n, n + 1, 2 * n - 1, 2 * n};
        for (int level : levels) {
            atLevel(level);
            ASSERT_EQ(app.chart.level, level);
            const std::vector<HexDot> dots = walkHexagon();
            std::set<std::pair<int, int>> seen;
            int failures = 0;
            std::string first;
            int lastRing = 0;
            for (const HexDot& d : dots) {
                const bool onGrid = ((d.a + d.b) % 2 == 0) && absolute(d.b) < (1 << 20);
                const int ring = onGrid ? dotRing(d.a, d.b) : n + 1;
                const bool ok = onGrid && ring <= n && ring >= lastRing &&
                                d.colour == hexCellColor(d.a, d.b) &&
                                d.colour == hexCellColor(d.a, d.b + 1);
                seen.insert(std::make_pair(d.a, d.b));
                lastRing = ring;
                if (!ok && failures++ == 0) {
                    std::ostringstream s;
                    s << "dot (" << d.a << ", " << d.b << ") walker " << describe(d.colour)
                      << " cell " << describe(hexCellColor(d.a, d.b)) << " below "
                      << describe(hexCellColor(d.a, d.b + 1));
                    first = s.str();
                }
            }
            EXPECT_EQ(failures, 0) << "N " << n << " level " << level << ": " << first;
            EXPECT_EQ(seen.size(), dots.size()) << "N " << n << " level " << level;
        }
    }
}

// ---------------------------------------------------------------- hue triangle

void triangleAt(int gridSize, int sector, int slicePos, int unit = 3) {
    chartAt(gridSize, 2048, unit);
    atHue(sector, slicePos);
}

TEST(UpdateHue, Grid4Sector0Middle) {
    triangleAt(4, 0, 512);
    EXPECT_EQ(app.chart.slice, 2);
    EXPECT_EQ(app.chart.hueR, 0);
    EXPECT_EQ(app.chart.hueG, 255);
    EXPECT_EQ(app.chart.hueB, 128);
    EXPECT_DOUBLE_EQ(app.chart.tintStepR, 63.75);
    EXPECT_DOUBLE_EQ(app.chart.tintStepG, 0.0);
    EXPECT_DOUBLE_EQ(app.chart.tintStepB, 31.75);
}

TEST(UpdateHue, Grid4MiddleOfEverySector) {
    const Rgb apex[6] = {{0, 255, 128}, {0, 128, 255}, {128, 0, 255},
                         {255, 0, 128}, {255, 128, 0}, {128, 255, 0}};
    for (int sector = 0; sector < 6; ++sector) {
        triangleAt(4, sector, 512);
        EXPECT_EQ(app.chart.hueR, apex[sector].r) << "sector " << sector;
        EXPECT_EQ(app.chart.hueG, apex[sector].g) << "sector " << sector;
        EXPECT_EQ(app.chart.hueB, apex[sector].b) << "sector " << sector;
    }
}

TEST(UpdateHue, SliceZeroIsThePureCorner) {
    const Rgb corner[6] = {{0, 255, 0}, {0, 255, 255}, {0, 0, 255},
                           {255, 0, 255}, {255, 0, 0}, {255, 255, 0}};
    for (int n : GridSizes) {
        for (int sector = 0; sector < 6; ++sector) {
            triangleAt(n, sector, 0);
            EXPECT_EQ(app.chart.slice, 0);
            EXPECT_EQ(triangleDotColor(0, 0), rgb(corner[sector]))
                << "N " << n << " sector " << sector;
        }
    }
}

TEST(UpdateHue, DefaultPositionIsTheMiddleSlice) {
    for (int n : GridSizes) {
        triangleAt(n, 0, 512);
        EXPECT_EQ(app.chart.slice, n / 2);
    }
}

TEST(UpdateHue, FullSlicePositionReachesTheNextCorner) {
    for (int n : GridSizes) {
        triangleAt(n, 0, 1024);
        EXPECT_EQ(app.chart.slice, n);
        EXPECT_EQ(triangleDotColor(0, 0), makeColor(0, 255, 255)) << "N " << n;
        EXPECT_DOUBLE_EQ(app.chart.tintStepR, 255.0 / n);
        EXPECT_DOUBLE_EQ(app.chart.tintStepG, 0.0);
        EXPECT_DOUBLE_EQ(app.chart.tintStepB, 0.0);
    }
}

TEST(UpdateHue, UnknownSectorKeepsTheHue) {
    triangleAt(4, 2, 512);
    ASSERT_EQ(triangleDotColor(0, 0), makeColor(128, 0, 255));
    // A larger grid and another slice: slice and tint steps follow, the hue stays.
    app.settings.sizeIndex = sizeIndexOf(8);
    computeLayout();
    const int unknown[] = {6, -1, 100};
    for (int sector : unknown) {
        atHue(sector, 256);
        EXPECT_EQ(app.chart.slice, 2);
        EXPECT_EQ(app.chart.hueR, 128);
        EXPECT_EQ(app.chart.hueG, 0);
        EXPECT_EQ(app.chart.hueB, 255);
        EXPECT_DOUBLE_EQ(app.chart.tintStepR, 31.875 - 16.0);
        EXPECT_DOUBLE_EQ(app.chart.tintStepG, 31.875);
        EXPECT_DOUBLE_EQ(app.chart.tintStepB, 0.0);
    }
}

TEST(UpdateHue, OddSectorsRoundTheFallingComponentOnTheirOwn) {
    // N = 4, slice 2 of sector 1: the apex has green 128, the hexagon's rim
    // at the same place has 127.
    triangleAt(4, 1, 512);
    EXPECT_EQ(app.chart.hueG, 128);
    EXPECT_EQ(greenOf(hexCellColor(4, 0)), 127);
}

TEST(TriangleDotColor, Grid4Sector0Columns) {
    triangleAt(4, 0, 512);
    const Rgb column1[] = {{64, 255, 160}, {32, 223, 128}, {0, 191, 96}};
    const Rgb column2[] = {{128, 255, 192}, {96, 223, 160}, {64, 191, 128},
                           {32, 159, 96}, {0, 127, 64}};
    const int column4[] = {255, 223, 191, 159, 127, 96, 64, 32, 0};
    EXPECT_EQ(triangleDotColor(0, 0), makeColor(0, 255, 128));
    for (int j = 0; j < 3; ++j)
        EXPECT_EQ(describe(triangleDotColor(1, j)), describe(rgb(column1[j]))) << "j " << j;
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(describe(triangleDotColor(2, j)), describe(rgb(column2[j]))) << "j " << j;
    for (int j = 0; j < 9; ++j) {
        const int g = column4[j];
        EXPECT_EQ(describe(triangleDotColor(4, j)), describe(makeColor(g, g, g))) << "j " << j;
    }
}

TEST(TriangleDotColor, BaseColumnIsTheGreyRampOfTheCentre) {
    for (int n : GridSizes) {
        for (int sector = 0; sector < 6; ++sector) {
            triangleAt(n, sector, 512);
            EXPECT_EQ(triangleDotColor(n, 0), makeColor(255, 255, 255));
            EXPECT_EQ(triangleDotColor(n, 2 * n), makeColor(0, 0, 0));
        }
        for (int j = 0; j <= 2 * n; ++j) {
            atLevel(2 * n - j);
            const int g = app.chart.centerGray;
            EXPECT_EQ(triangleDotColor(n, j), makeColor(g, g, g)) << "N " << n << " j " << j;
        }
    }
}

TEST(TriangleDotColor, ComponentsStayInByteRange) {
    for (int n : GridSizes) {
        int failures = 0;
        for (int sector = 0; sector < 6; ++sector) {
            for (int slice = 0; slice <= n; ++slice) {
                triangleAt(n, sector, slice * 1024 / n);
                for (int i = 0; i <= n; ++i) {
                    int c[3];
                    triangleColumnColor(i, c[0], c[1], c[2]);
                    const int darkest = roundHalfAway(2 * i * app.chart.halfColorStep);
                    for (int m = 0; m < 3; ++m)
                        if (c[m] > 255 || c[m] - darkest < 0)
                            ++failures;
                }
            }
        }
        EXPECT_EQ(failures, 0) << "N " << n;
    }
}

// ---------------------------------------------------------------- triangle walker

TEST(TriangleWalker, VisitsColumnsLeftToRightEachTopToBottom) {
    for (int n : GridSizes) {
        for (int sector = 0; sector < 6; ++sector) {
            triangleAt(n, sector, 384, 5);
            const Layout& L = app.layout;
            int count = 0;
            int failures = 0;
            int i = 0;
            int j = 0;
            forEachTriangleDot([&](int x, int y, COLORREF colour) {
                const bool ok = i <= n && x == L.triLeft + 2 * i * L.unit &&
                                y == L.hexCenterY + 2 * (j - i) * L.unit &&
                                colour == triangleDotColor(i, j);
                if (!ok)
                    ++failures;
                ++count;
                if (++j > 2 * i) {
                    ++i;
                    j = 0;
                }
            });
            EXPECT_EQ(count, (n + 1) * (n + 1)) << "N " << n;
            EXPECT_EQ(failures, 0) << "N " << n << " sector " << sector;
        }
    }
}

TEST(TriangleWalker, ApexAndBaseCornersAtKnownPixels) {
    triangleAt(8, 0, 512, 14);
    const Layout& L = app.layout;
    std::vector<std::pair<int, int>> pixels;
    forEachTriangleDot([&](int x, int y, COLORREF) { pixels.push_back(std::make_pair(x, y)); });
    ASSERT_EQ(pixels.size(), 81u);
    EXPECT_EQ(pixels.front(), std::make_pair(L.triLeft, L.hexCenterY));
    EXPECT_EQ(pixels[64], std::make_pair(L.triLeft + 16 * 14, L.hexCenterY - 16 * 14));
    EXPECT_EQ(pixels.back(), std::make_pair(L.triLeft + 16 * 14, L.hexCenterY + 16 * 14));
}

}  // namespace
