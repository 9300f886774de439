#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "core/state.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "app/relayout.h"
#include "pick/locate.h"
#include "pick/overlay_geometry.h"
#include "test_support.h"

// The whole colour cube takes a few seconds in an optimised build; under the
// sanitizers every seventh colour is enough.
#if !defined(CUBE_STRIDE)
#if defined(__SANITIZE_ADDRESS__) || defined(ZAVRIK_SANITIZED)
#define CUBE_STRIDE 7
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CUBE_STRIDE 7
#endif
#endif
#endif
#if !defined(CUBE_STRIDE)
#define CUBE_STRIDE 1
#endif

namespace {

const int Unchanged = 777;

// N = 8, unit 10, hStep 17, hexagon centre (300, 250), triLeft 500, so the
// triangle is W = 160 pixels wide.
void useLocateLayout() {
    useHandLayout(8, 10, 17, 300, 250, 500);
}

const PickState& locate(int red, int green, int blue) {
    PickState& pick = app.settings.pick;
    pick.pickActive = 1;
    pick.pickColor = makeColor(red, green, blue);
    pick.pickSlicePos = Unchanged;
    locatePick();
    return pick;
}

struct Located {
    int red, green, blue;
    int hexX, hexY, sector, slicePos, triX, triY, levelPos;
};

void expectLocated(const std::vector<Located>& table) {
    for (const Located& e : table) {
        const PickState& p = locate(e.red, e.green, e.blue);
        SCOPED_TRACE(::testing::Message() << "(" << e.red << ", " << e.green << ", " << e.blue << ")");
        EXPECT_EQ(e.hexX, p.pickHexX);
        EXPECT_EQ(e.hexY, p.pickHexY);
        EXPECT_EQ(e.sector, p.pickSector);
        EXPECT_EQ(e.slicePos, p.pickSlicePos);
        EXPECT_EQ(e.triX, p.pickTriX);
        EXPECT_EQ(e.triY, p.pickTriY);
        EXPECT_EQ(e.levelPos, p.pickLevelPos);
    }
}

TEST(LocatePick, WorkedExamples) {
    useLocateLayout();
    expectLocated({
        {200, 100, 50, 220, 266, 4, 341, 566, 253, 977},
        {0, 200, 100, 353, 156, 0, 512, 535, 285, 0},
        {0, 100, 200, 407, 250, 1, 512, 535, 285, 0},
        {200, 0, 200, 300, 375, 3, 0, 535, 285, 0},
        {255, 0, 0, 164, 330, 4, 0, 500, 250, -1},
        {0, 255, 255, 436, 170, 1, 0, 500, 250, -1},
        {60, 60, 61, 301, 250, 2, 0, 659, 334, 483},
        {10, 20, 30, 311, 250, 1, 512, 647, 384, 91},
        {128, 128, 128, 300, 250, -1, Unchanged, 660, 249, 1030},
        {0, 0, 0, 300, 250, -1, Unchanged, 660, 410, 0},
        {255, 255, 255, 300, 250, -1, Unchanged, 660, 90, 2048},
    });
}

TEST(LocatePick, PureColoursStartTheirSectors) {
    useLocateLayout();
    // Green at the top, then clockwise cyan, blue, magenta, red, yellow, on
    // the hexagon's outline (A = 136, 2N unit = 160); all at slice position
    // 0 and on the triangle's apex.
    expectLocated({
        {0, 255, 0, 300, 90, 0, 0, 500, 250, -1},
        {0, 255, 255, 436, 170, 1, 0, 500, 250, -1},
        {0, 0, 255, 436, 330, 2, 0, 500, 250, -1},
        {255, 0, 255, 300, 410, 3, 0, 500, 250, -1},
        {255, 0, 0, 164, 330, 4, 0, 500, 250, -1},
        {255, 255, 0, 164, 170, 5, 0, 500, 250, -1},
    });
}

TEST(LocatePick, LastPositionBeforeTheNextPureColour) {
    useLocateLayout();
    const PickState& p = locate(0, 255, 254);
    EXPECT_EQ(0, p.pickSector);
    EXPECT_EQ(1020, p.pickSlicePos);
    // A jump rounds it to slice N at every grid size: the next sector's
    // first pure colour.
    for (int n : GridSizes) {
        EXPECT_EQ(n, roundHalfAway(n * 1020 / 1024.0)) << n;
    }
}

TEST(LocatePick, NothingChangesWithoutAPick) {
    useLocateLayout();
    PickState& pick = app.settings.pick;
    pick.pickActive = 0;
    pick.pickColor = makeColor(200, 100, 50);
    pick.pickHexX = 1;
    pick.pickHexY = 2;
    pick.pickTriX = 3;
    pick.pickTriY = 4;
    pick.pickSector = 5;
    pick.pickSlicePos = 6;
    pick.pickLevelPos = 7;
    pick.pickMark = 3;
    const PickState before = pick;
    locatePick();
    expectSamePick(before, pick);
}

TEST(LocatePick, GreyKeepsTheSlicePosition) {
    useLocateLayout();
    for (int g = 0; g < 256; ++g) {
        const PickState& p = locate(g, g, g);
        EXPECT_EQ(-1, p.pickSector) << g;
        EXPECT_EQ(Unchanged, p.pickSlicePos) << g;
        EXPECT_EQ(300, p.pickHexX) << g;
        EXPECT_EQ(250, p.pickHexY) << g;
        EXPECT_EQ(660, p.pickTriX) << g;
        EXPECT_EQ(410 - roundHalfAway(320 * (g / 255.0)), p.pickTriY) << g;
    }
}

int maxOf(int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); }
int minOf(int a, int b, int c) { return a < b ? (a < c ? a : c) : (b < c ? b : c); }

// With the smallest layout (unit 1, N 4, W = 8) a chroma that rounds to the
// full width puts the colour on the outer ring, which every level shows.
TEST(LocatePick, FullWidthChromaShowsAtEveryLevel) {
    useHandLayout(4, 1, 2, 57, 57, 100);
    for (int low = 0; low < 256; low += 1) {
        for (int spread : {238, 239, 240, 241, 255}) {
            const int high = low + spread;
            if (high > 255)
                continue;
            for (int middle : {low, (low + high) / 2, high}) {
                const int channels[6][3] = {
                    {low, middle, high}, {low, high, middle}, {middle, low, high},
                    {middle, high, low}, {high, low, middle}, {high, middle, low},
                };
                for (const auto& c : channels) {
                    const PickState& p = locate(c[0], c[1], c[2]);
                    EXPECT_EQ(spread >= 240, p.pickLevelPos == -1)
                        << c[0] << ", " << c[1] << ", " << c[2];
                }
            }
        }
    }
}

// The sector rule in components: each sector runs from one pure colour
// (included) to the next (excluded).
int componentSector(int r, int g, int b) {
    if (g > b && b >= r)
        return 0;
    if (b >= g && g > r)
        return 1;
    if (b > r && r >= g)
        return 2;
    if (r >= b && b > g)
        return 3;
    if (r > g && g >= b)
        return 4;
    if (g >= r && r > b)
        return 5;
    return -1;
}

// round(1024 * t) with t the fraction of the sector's edge, in integers.
int componentSlicePos(int sector, int r, int g, int b) {
    int num = 0;
    int den = 1;
    switch (sector) {
    case 0: num = b - r; den = g - r; break;
    case 1: num = b - g; den = b - r; break;
    case 2: num = r - g; den = b - g; break;
    case 3: num = r - b; den = r - g; break;
    case 4: num = g - b; den = r - b; break;
    default: num = g - r; den = g - b; break;
    }
    return (2048 * num + den) / (2 * den);
}

// round(scale * value / 255) for non-negative products, in integers.
int roundedFraction(int scale, int value) {
    return (2 * scale * value + 255) / 510;
}

int roundedSignedFraction(int scale, int value) {
    return value < 0 ? -roundedFraction(scale, -value) : roundedFraction(scale, value);
}

// What the located colour must satisfy, or the first property it breaks.
// Plain comparisons keep the sixteen million colours fast; the test reports
// the first failure with its colour.
const char* cubeFault(const PickState& p, int r, int g, int b) {
    const long hexA = 136;  // N * hStep
    const long hexB = 80;   // N * unit
    const int sector = componentSector(r, g, b);
    if (p.pickSector != sector)
        return "sector differs from the component rule";
    if (sector >= 0 && p.pickSlicePos != componentSlicePos(sector, r, g, b))
        return "slice position differs from round(1024 t)";
    if (sector >= 0 && (p.pickSlicePos < 0 || p.pickSlicePos > 1020))
        return "slice position outside 0..1020";
    if (sector < 0 && p.pickSlicePos != Unchanged)
        return "a grey changed the slice position";
    if (p.pickHexX != 300 + roundedSignedFraction(136, b - r))
        return "hexagon end x differs from round((B - R) hStep N / 255)";
    if (p.pickHexY != 250 - roundedSignedFraction(80, 2 * g - r - b))
        return "hexagon end y differs from round((2G - R - B) unit N / 255)";
    const int chroma = roundedFraction(160, maxOf(r, g, b) - minOf(r, g, b));
    if (p.pickTriX != 660 - chroma)
        return "triangle end x differs from the chroma";
    const int least = sector < 2 ? r : (sector < 4 ? g : b);
    if (p.pickTriY != 410 - chroma - roundedFraction(320, least))
        return "triangle end y differs from chroma and smallest component";
    if (p.pickLevelPos < -1 || p.pickLevelPos > 2048)
        return "level position outside -1..2048";
    if ((p.pickTriX == 500) != (p.pickLevelPos == -1))
        return "level position -1 without the apex column, or the reverse";
    // The hexagon end lies inside the outline through the outer dots, up to
    // half a pixel of rounding in each coordinate.
    const long dx = std::labs(p.pickHexX - 300L);
    const long dy = std::labs(p.pickHexY - 250L);
    if (dx > hexA || 2 * (hexB * dx + hexA * dy) > 4 * hexA * hexB + hexA + hexB)
        return "hexagon end outside the hexagon";
    // The triangle end lies inside the triangle; the two separately rounded
    // terms of its height can put it one pixel above the top edge.
    const long tx = p.pickTriX - 500L;
    const long ty = p.pickTriY - 250L;
    if (tx < 0 || tx > 160 || ty > tx || ty < -tx - 1)
        return "triangle end outside the triangle";
    return nullptr;
}

// Over every colour of the cube, at the worked examples' layout. None of the
// rounded quantities ever lies on a half there, so each must equal its
// closed form in components exactly.
TEST(LocatePickCube, EveryColourAgreesWithTheComponentRules) {
    useLocateLayout();
    PickState& pick = app.settings.pick;
    pick.pickActive = 1;
    long checked = 0;
    for (long c = 0; c < (1L << 24); c += CUBE_STRIDE) {
        pick.pickColor = (COLORREF)c;
        pick.pickSlicePos = Unchanged;
        locatePick();
        const int r = redOf(pick.pickColor);
        const int g = greenOf(pick.pickColor);
        const int b = blueOf(pick.pickColor);
        const char* fault = cubeFault(pick, r, g, b);
        if (fault) {
            ADD_FAILURE() << fault << " at (" << r << ", " << g << ", " << b << ")";
            return;
        }
        ++checked;
    }
    EXPECT_EQ((1L << 24) / CUBE_STRIDE + ((1L << 24) % CUBE_STRIDE ? 1 : 0), checked);
}

// ---- locating the charts' own dots ------------------------------------------

void layOutAtUnit(int gridSize, int unit) {
    layoutProportional(gridSize, unit);
    ASSERT_EQ(unit, app.layout.unit);
}

// A dot's colour channels are rounded, each by up to about a colour unit
// and a half in the combinations that place the ends, and the ends are
// rounded once more: 2 pixels while a colour unit is under 2/3 of a pixel
// (small grids), proportionally more on large ones.
double locateTolerance() {
    const double pixelsPerColourUnit = 2.0 * app.layout.unit * app.settings.gridSize / 255;
    const double scaled = 1 + 1.5 * pixelsPerColourUnit;
    return scaled > 2 ? scaled : 2;
}

struct Layouts {
    int gridSize, unit;
};

const Layouts DotLayouts[] = {
    {4, 3}, {4, 14}, {8, 3}, {8, 14}, {16, 3}, {16, 5}, {32, 3}, {128, 3}, {128, 5},
};

TEST(LocatePickDots, HexagonDotsLandOnThemselves) {
    for (const Layouts& l : DotLayouts) {
        layOutAtUnit(l.gridSize, l.unit);
        const double tolerance = locateTolerance();
        if (l.gridSize <= 16 && l.unit <= 5) {
            ASSERT_EQ(2, tolerance);  // the small grids keep within 2 pixels
        }
        PickState& pick = app.settings.pick;
        pick.pickActive = 1;
        for (int levelPos : {0, 300, 1024, 1700, 2048}) {
            atLevelPos(levelPos);
            forEachHexagonDot([&](int x, int y, COLORREF c) {
                pick.pickColor = c;
                locatePick();
                ASSERT_LE(std::abs(pick.pickHexX - x), tolerance)
                    << l.gridSize << "/" << l.unit << " level " << app.chart.level << " at " << x << ", " << y;
                ASSERT_LE(std::abs(pick.pickHexY - y), tolerance)
                    << l.gridSize << "/" << l.unit << " level " << app.chart.level << " at " << x << ", " << y;
            });
        }
    }
}

TEST(LocatePickDots, TriangleDotsLandOnThemselves) {
    for (const Layouts& l : DotLayouts) {
        layOutAtUnit(l.gridSize, l.unit);
        const double tolerance = locateTolerance();
        PickState& pick = app.settings.pick;
        pick.pickActive = 1;
        for (int sector = 0; sector < 6; ++sector) {
            for (int slicePos : {0, 300, 512, 1000, 1024}) {
                atHue(sector, slicePos);
                forEachTriangleDot([&](int x, int y, COLORREF c) {
                    pick.pickColor = c;
                    locatePick();
                    ASSERT_LE(std::abs(pick.pickTriX - x), tolerance)
                        << l.gridSize << "/" << l.unit << " " << sector << "/" << slicePos << " at " << x << ", " << y;
                    ASSERT_LE(std::abs(pick.pickTriY - y), tolerance)
                        << l.gridSize << "/" << l.unit << " " << sector << "/" << slicePos << " at " << x << ", " << y;
                });
            }
        }
    }
}

// Colours on the outer ring lie on the triangle's apex; the level of the
// base column's greys is their own level.
TEST(LocatePickDots, BaseColumnGreysNameTheirLevel) {
    layOutAtUnit(8, 14);
    PickState& pick = app.settings.pick;
    pick.pickActive = 1;
    for (int level = 0; level <= 16; ++level) {
        atLevelPos(level * 1024 / 8);
        const int grey = app.chart.centerGray;
        pick.pickColor = makeColor(grey, grey, grey);
        locatePick();
        EXPECT_EQ(level, roundHalfAway(8 * pick.pickLevelPos / 1024.0)) << level;
    }
}

TEST(LocatePick, FollowsTheLayout) {
    layOutAtUnit(8, 14);
    PickState& pick = app.settings.pick;
    pick.pickActive = 1;
    pick.pickColor = makeColor(0, 255, 0);
    locatePick();
    EXPECT_EQ(app.layout.hexCenterX, pick.pickHexX);
    EXPECT_EQ(app.layout.hexCenterY - 2 * 8 * 14, pick.pickHexY);
    app.layout.clientHeight = 96 + 5 * 34;
    relayout();  // locates again with the new metrics
    EXPECT_EQ(app.layout.hexCenterY - 2 * 8 * 5, pick.pickHexY);
}

// ---- the pick line ----------------------------------------------------------------

// A fresh state whose pick line runs between the given ends.
void usePickEnds(int hexX, int hexY, int triX, int triY) {
    app = AppState();
    PickState& pick = app.settings.pick;
    pick.pickHexX = hexX;
    pick.pickHexY = hexY;
    pick.pickTriX = triX;
    pick.pickTriY = triY;
}

TEST(PickLine, WorkedExample) {
    usePickEnds(220, 266, 566, 253);
    ClientPoint from{220, 266};
    ClientPoint to{566, 253};
    shortenPickLine(from, to);
    expectPoint(from, 228, 266);
    expectPoint(to, 558, 253);
    expectRect(pickLineBox(), {210, 243, 576, 276});
}

TEST(PickLine, BoxTakesTheHigherAndLowerEnd) {
    usePickEnds(100, 50, 400, 300);
    expectRect(pickLineBox(), {90, 40, 410, 310});
    // The hexagon end right of the triangle end still gives a proper box.
    usePickEnds(400, 300, 100, 50);
    expectRect(pickLineBox(), {90, 40, 410, 310});
}

struct Shortening {
    int fromX, fromY, toX, toY;
    int ox, oy;
};

TEST(PickLine, ShortensByTheRingRadius) {
    const std::vector<Shortening> cases = {
        {0, 0, 100, 0, 8, 0},
        {0, 0, -100, 0, -8, 0},
        {0, 0, 0, 100, 0, 8},
        {0, 0, 0, -100, 0, -8},
        {0, 0, 300, 300, 6, 6},      // 5.657 each
        {0, 0, 300, -300, 6, -6},
        {0, 0, 160, 10, 8, 0},       // 0.499: under 1/16 of the length
        {0, 0, 160, 11, 8, 1},       // 0.548
        {0, 0, 3, 4, 5, 6},          // 4.8, 6.4: shorter than both rings
        {10, 10, 11, 10, 8, 0},
        {0, 0, -300, -400, -5, -6},  // 4.8 and 6.4 away from zero
    };
    for (const Shortening& c : cases) {
        ClientPoint from{c.fromX, c.fromY};
        ClientPoint to{c.toX, c.toY};
        shortenPickLine(from, to);
        EXPECT_EQ(c.fromX + c.ox, from.x) << c.toX << ", " << c.toY;
        EXPECT_EQ(c.fromY + c.oy, from.y) << c.toX << ", " << c.toY;
        EXPECT_EQ(c.toX - c.ox, to.x) << c.toX << ", " << c.toY;
        EXPECT_EQ(c.toY - c.oy, to.y) << c.toX << ", " << c.toY;
    }
}

TEST(PickLine, CoincidingEndsStayAsTheyAre) {
    ClientPoint from{300, 250};
    ClientPoint to{300, 250};
    shortenPickLine(from, to);
    expectPoint(from, 300, 250);
    expectPoint(to, 300, 250);
}

TEST(PickLine, FarApartEndsDoNotOverflow) {
    ClientPoint from{-2000000000, -2000000000};
    ClientPoint to{2000000000, 2000000000};
    shortenPickLine(from, to);
    EXPECT_EQ(-2000000000 + 6, from.x);
    EXPECT_EQ(2000000000 - 6, to.y);
}

TEST(PickLine, OverlayRequestsAreNotPickMarks) {
    EXPECT_EQ(10, OverlayHide);
    EXPECT_EQ(20, OverlayEraseLine);
    EXPECT_EQ(8, PickRingRadius);
}

}  // namespace
