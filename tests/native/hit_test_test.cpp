#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <vector>

#include "core/state.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "navigate/hit_test.h"
#include "palette/palette_model.h"
#include "pick/readout_model.h"
#include "test_support.h"

namespace {

const COLORREF Hover = 0x123456;
const COLORREF Picked = 0x654321;
const COLORREF Background = 0x0A0B0C;

// The hand-set 900 x 600 layout, level 8 of 16 and slice 3 of sector 2,
// with a palette of distinct colours.
void useHitLayout() {
    useLayout900x600();
    atLevelPos(1024);
    atHue(2, 384);
    app.interaction.hoverColor = Hover;
    app.settings.bgColor = Background;
    for (int k = 0; k < PaletteSlots; ++k)
        app.settings.palette[k] = makeColor(k, 2 * k, 3 * k + 1);
}

struct Hit {
    HitCode code;
    COLORREF colour;
};

Hit hitAt(int x, int y) {
    Hit h;
    h.colour = 0xDEADBEEF;
    h.code = hitTest(x, y, h.colour);
    return h;
}

struct Expectation {
    int x, y;
    HitCode code;
    COLORREF colour;
};

void expectHits(const std::vector<Expectation>& cases) {
    for (const Expectation& e : cases) {
        const Hit h = hitAt(e.x, e.y);
        EXPECT_EQ(e.code, h.code) << "at (" << e.x << ", " << e.y << ")";
        EXPECT_EQ(e.colour, h.colour) << "at (" << e.x << ", " << e.y << ")";
    }
}

class HitTest900 : public ::testing::Test {
protected:
    void SetUp() override { useHitLayout(); }
};

// ---- readout panel and text zone -------------------------------------

TEST(ReadoutModel, PanelMidAndTextOffsets) {
    useHitLayout();
    EXPECT_EQ(603, panelMid());
    app.layout.panelLeft = -7;
    app.layout.panelRight = 0;
    EXPECT_EQ(-3, panelMid());  // truncates toward zero
    EXPECT_EQ(67, ReadoutTextOffsets[0]);
    EXPECT_EQ(71, ReadoutTextOffsets[1]);
}

TEST_F(HitTest900, ReadoutPanelBoundsAreStrict) {
    expectHits({
        {600, 80, HitReadoutPanel, Hover},
        {529, 47, HitReadoutPanel, Hover},
        {678, 111, HitReadoutPanel, Hover},
        // On the panel's edges: on to the later tests, which find nothing.
        {600, 46, HitNothing, Background},
        {600, 112, HitNothing, Background},
        {528, 80, HitNothing, Background},
        {679, 80, HitNothing, Background},
    });
}

TEST_F(HitTest900, ReadoutPanelRightHalfShowsThePick) {
    app.settings.pick.pickActive = 1;
    app.settings.pick.pickColor = Picked;
    expectHits({
        {603, 80, HitReadoutPanel, Picked},
        {678, 80, HitReadoutPanel, Picked},
        {602, 80, HitReadoutPanel, Hover},
        {529, 80, HitReadoutPanel, Hover},
    });
    app.settings.pick.pickActive = 0;
    expectHits({{603, 80, HitReadoutPanel, Hover}, {678, 80, HitReadoutPanel, Hover}});
}

TEST_F(HitTest900, ReadoutTextZoneAbovePanel) {
    // panelMid 603: the zone is 532 < x < 674, 0 < y < 46.
    expectHits({
        {603, 20, HitReadoutText, Hover},
        {533, 1, HitReadoutText, Hover},
        {673, 45, HitReadoutText, Hover},
        {532, 20, HitNothing, Background},
        {674, 20, HitNothing, Background},
        {603, 0, HitNothing, Background},
        {603, -5, HitNothing, Background},
    });
    app.settings.pick.pickActive = 1;
    app.settings.pick.pickColor = Picked;
    expectHits({{650, 20, HitReadoutText, Hover}});
}

// ---- palette strip ----------------------------------------------------

TEST_F(HitTest900, PaletteSlotsIncludeTheGapOnTheirRight) {
    ASSERT_EQ(3, swatchGap());
    const COLORREF* p = app.settings.palette;
    expectHits({
        {377, 570, HitNothing, Background},  // stripLeft itself is no slot
        {378, 570, 0, p[0]},
        {401, 570, 0, p[0]},
        {402, 570, 1, p[1]},
        // Swatch 4 is filled up to 499; 500..502 is its gap.
        {499, 570, 4, p[4]},
        {500, 570, 4, p[4]},
        {502, 570, 4, p[4]},
        {503, 570, 5, p[5]},
        {776, 570, 15, p[15]},
        {777, 570, HitNothing, Background},  // the gap after the last swatch
        {400, 551, 0, p[0]},
        {400, 591, 0, p[0]},
        {400, 550, HitNothing, Background},
        {400, 592, HitNothing, Background},
    });
}

TEST_F(HitTest900, EveryStripColumnFindsItsSwatch) {
    for (int x = 378; x < 777; ++x) {
        const Hit h = hitAt(x, 560);
        ASSERT_LT(h.code, 16) << x;
        EXPECT_GE(x, swatchLeft(h.code)) << x;
        EXPECT_LT(x, swatchLeft(h.code + 1)) << x;
        EXPECT_EQ(app.settings.palette[h.code], h.colour);
    }
}

// ---- gridCell ---------------------------------------------------------

struct CellCase {
    int dx, dy, col, row;
};

// gridCell at (originX + dx, 300 + dy): whether it is a triangle cell, and
// its column and row.
void expectCells(int originX, bool inTriangle, const std::vector<CellCase>& cases) {
    for (const CellCase& c : cases) {
        int col = 99;
        int row = 99;
        EXPECT_EQ(inTriangle, gridCell(originX + c.dx, 300 + c.dy, col, row)) << c.dx << ", " << c.dy;
        EXPECT_EQ(c.col, col) << c.dx << ", " << c.dy;
        EXPECT_EQ(c.row, row) << c.dx << ", " << c.dy;
    }
}

TEST_F(HitTest900, GridCellHexagonColumnsAndRows) {
    // unit 14, hStep 24: column 0 is -14 < dx < 14, column 1 is 14..37,
    // column -1 is -37..-14; row 0 is -14 < dy <= 0, row 1 is 0 < dy < 14.
    expectCells(254, false, {
        {0, 0, 0, 0},     {13, 0, 0, 0},    {14, 0, 1, 0},    {37, 0, 1, 0},
        {38, 0, 2, 0},    {-13, 0, 0, 0},   {-14, 0, -1, 0},  {-37, 0, -1, 0},
        {-38, 0, -2, 0},  {0, 1, 0, 1},     {0, 13, 0, 1},    {0, 14, 0, 2},
        {0, 27, 0, 2},    {0, 28, 0, 3},    {0, -13, 0, 0},   {0, -14, 0, -1},
        {0, -27, 0, -1},  {0, -28, 0, -2},  {-300, -500, -12, -35},
    });
}

TEST_F(HitTest900, GridCellTriangleSquares) {
    // The triangle side starts at triLeft - unit = 600.
    expectCells(614, true, {
        {-14, 0, 0, 0},  {13, 0, 0, 0},   {14, 0, 1, 0},   {41, 0, 1, 0},
        {42, 0, 2, 0},   {0, 13, 0, 0},   {0, 14, 0, 1},   {0, 41, 0, 1},
        {0, 42, 0, 2},   {0, -13, 0, 0},  {0, -14, 0, -1}, {0, -41, 0, -1},
        {0, -42, 0, -2}, {56, -70, 2, -3},
    });
    int col = 0;
    int row = 0;
    EXPECT_TRUE(gridCell(600, 300, col, row));
    EXPECT_FALSE(gridCell(599, 300, col, row));
}

// ---- charts -------------------------------------------------------------

TEST_F(HitTest900, HexagonCentreAndThePixelBelowIt) {
    const COLORREF grey = makeColor(127, 127, 127);
    ASSERT_EQ(127, app.chart.centerGray);
    expectHits({{254, 300, HitHexagonDot, grey}, {254, 301, HitHexagonDot, grey}});
}

TEST_F(HitTest900, HexagonColoursComeFromTheCellRule) {
    for (int y = 50; y < 550; y += 3) {
        for (int x = 20; x < 600; x += 5) {
            int col = 0;
            int row = 0;
            if (gridCell(x, y, col, row))
                continue;
            const Hit h = hitAt(x, y);
            if (h.code != HitHexagonDot)
                continue;
            EXPECT_EQ(hexCellColor(col, row), h.colour) << x << ", " << y;
        }
    }
}

TEST_F(HitTest900, HexagonColumnReachesOneUnitPastItsEndDots) {
    // Column 0: top dot at dy -224, bottom dot at +224.
    expectHits({
        {254, 300 - 237, HitHexagonDot, hexCellColor(0, -16)},
        {254, 300 - 238, HitMarkerZone, Background},
        {254, 300 + 237, HitHexagonDot, hexCellColor(0, 17)},
        {254, 300 + 238, HitMarkerZone, Background},
        // Column 8 (x 436..459): dots from dy -112 to +112.
        {459, 300 - 125, HitHexagonDot, hexCellColor(8, -8)},
        {459, 300 - 126, HitMarkerZone, Background},
        {436, 300 + 125, HitHexagonDot, hexCellColor(8, 9)},
        {436, 300 + 126, HitMarkerZone, Background},
        {460, 300, HitMarkerZone, Background},
        // Column -8 (x 49..72): its dots reach one unit left, exclusive.
        {49, 300, HitHexagonDot, hexCellColor(-8, 0)},
        {48, 300, HitMarkerZone, Background},
    });
}

// The painted rule for a triangle dot, written out here independently.
COLORREF triangleRule(int col, int row) {
    const ChartState& c = app.chart;
    const int t = roundHalfAway((col + row) * c.halfColorStep);
    const int red = c.hueR + roundHalfAway(col * c.tintStepR) - t;
    const int green = c.hueG + roundHalfAway(col * c.tintStepG) - t;
    const int blue = c.hueB + roundHalfAway(col * c.tintStepB) - t;
    return (COLORREF)((red & 255) + 256 * (green & 255) + 65536 * (blue & 255));
}

TEST_F(HitTest900, TriangleSquaresAndTheirColours) {
    const int u = 14;
    for (int col = 0; col <= 8; ++col) {
        for (int row = -col; row <= col; ++row) {
            const int x = 614 + 2 * u * col;
            const int y = 300 + 2 * u * row;
            for (int ox : {-u, 0, u - 1}) {
                for (int oy : {-(u - 1), 0, u - 1}) {
                    const Hit h = hitAt(x + ox, y + oy);
                    EXPECT_EQ(HitTriangleDot, h.code) << col << ", " << row;
                    EXPECT_EQ(triangleRule(col, row), h.colour) << col << ", " << row;
                }
            }
        }
    }
}

TEST_F(HitTest900, OffTheTriangleOnItsSide) {
    // Above the apex and below column 1's bottom dot.
    expectHits({
        {614, 300 - 14, HitNothing, Background},
        {614 + 28, 300 + 28 + 14, HitNothing, Background},
        {614, 300 - 13, HitTriangleDot, triangleRule(0, 0)},
    });
}

TEST_F(HitTest900, LevelTrackBeside) {
    // clientWidth 900: x from 852 to 876; |y - 300| <= 17 * 14 + 24 = 262.
    expectHits({
        {852, 50, HitMarkerZone, Background},
        {876, 50, HitMarkerZone, Background},
        {851, 50, HitNothing, Background},
        {877, 50, HitNothing, Background},
        {860, 38, HitMarkerZone, Background},
        {860, 37, HitNothing, Background},
        {860, 562, HitMarkerZone, Background},
        {860, 563, HitNothing, Background},
        {852, 300, HitMarkerZone, Background},
    });
}

TEST_F(HitTest900, RimBandOutline) {
    // Rx = 8 * 24 + 14 + 24 = 230, Ry = 17 * 14 + 36 = 274.
    expectHits({
        {254, 300 - 274, HitMarkerZone, Background},
        {254, 300 - 275, HitNothing, Background},
        {254, 300 + 274, HitMarkerZone, Background},
        {254, 300 + 275, HitNothing, Background},
        {254 + 230, 300, HitMarkerZone, Background},
        {254 + 231, 300, HitNothing, Background},
        {254 - 230, 300, HitMarkerZone, Background},
        {254 - 231, 300, HitNothing, Background},
        // The slanted sides pass dx = +-115 at dy = +-205.5.
        {254 + 115, 300 - 205, HitMarkerZone, Background},
        {254 + 115, 300 - 206, HitNothing, Background},
        {254 - 115, 300 - 205, HitMarkerZone, Background},
        {254 - 115, 300 - 206, HitNothing, Background},
        {254 + 115, 300 + 205, HitMarkerZone, Background},
        {254 + 115, 300 + 206, HitNothing, Background},
        {254 - 115, 300 + 205, HitMarkerZone, Background},
        {254 - 115, 300 + 206, HitNothing, Background},
        // Side vertices of the band at (+-230, +-137).
        {254 + 230, 300 - 137, HitMarkerZone, Background},
        {254 + 230, 300 - 138, HitNothing, Background},
        {254 - 230, 300 + 137, HitMarkerZone, Background},
        {254 - 230, 300 + 138, HitNothing, Background},
    });
}

TEST_F(HitTest900, PointsFarOutsideTheClientArea) {
    const int extremes[] = {INT_MIN, INT_MIN + 1, -100000, -1, 0, 100000, INT_MAX - 1, INT_MAX};
    for (int x : extremes) {
        for (int y : extremes) {
            const Hit h = hitAt(x, y);
            EXPECT_EQ(HitNothing, h.code) << x << ", " << y;
            EXPECT_EQ(Background, h.colour) << x << ", " << y;
            int col = 0;
            int row = 0;
            gridCell(x, y, col, row);
        }
    }
}

TEST_F(HitTest900, ColourIsWrittenOnEveryPath) {
    for (int y = -20; y < 620; y += 7) {
        for (int x = -20; x < 920; x += 7) {
            const Hit h = hitAt(x, y);
            EXPECT_NE((COLORREF)0xDEADBEEF, h.colour) << x << ", " << y;
            if (h.code == HitNothing || h.code == HitMarkerZone) {
                EXPECT_EQ(Background, h.colour);
            }
        }
    }
}

// ---- agreement with the painted charts ----------------------------------

void layOutOnBackground(int gridSize, int unit) {
    layoutProportional(gridSize, unit);
    app.settings.bgColor = Background;
}

void layOutClient(int gridSize, int width, int height) {
    layoutAt(gridSize, width, height);
    app.settings.bgColor = Background;
}

// Proportional windows, and windows narrower than the proportion (a
// maximised window on a 5:4 screen, a restored one): every dot shown reads
// out as itself and the whole rim band can be pressed.
TEST(HitTestCharts, DotCentresHitTheirOwnDotAndColour) {
    struct Client { int n, width, height; };
    const Client narrow[] = {{8, 1280, 994}, {8, 1024, 1280}, {4, 600, 1200}, {128, 940, 1700},
                             {16, 300, 900}};
    std::vector<Client> clients(std::begin(narrow), std::end(narrow));
    for (int n : {4, 8, 16, 128})
        for (int unit : {1, 3, 14})
            clients.push_back({n, 0, unit});
    for (const Client& client : clients) {
        const int n = client.n;
        {
            if (client.width == 0)
                layOutOnBackground(n, client.height);
            else
                layOutClient(n, client.width, client.height);
            const Layout& L = app.layout;
            SCOPED_TRACE(testing::Message() << "N " << n << " width " << L.clientWidth << " unit " << L.unit);
            // The rim band, as far as the triangle's side leaves it.
            const int rimRight = std::min(L.hexCenterX + n * L.hStep + L.unit + 24, L.triLeft - L.unit - 1);
            for (int y = L.hexCenterY - n * L.unit; y <= L.hexCenterY + n * L.unit; y += L.unit) {
                if (y <= L.panelBottom || y >= L.stripTop - 20)
                    continue;  // the readout panel or the palette strip
                COLORREF colour;
                ASSERT_EQ(HitMarkerZone, hitTest(rimRight, y, colour)) << y;
            }
            for (int levelPos : {0, 700, 2048}) {
                atLevelPos(levelPos);
                int dots = 0;
                forEachHexagonDot([&](int x, int y, COLORREF c) {
                    const Hit h = hitAt(x, y);
                    ASSERT_EQ(HitHexagonDot, h.code) << n << " " << x << ", " << y;
                    ASSERT_EQ(c, h.colour) << n << " " << x << ", " << y;
                    ++dots;
                });
                EXPECT_EQ(1 + 3 * n * (n + 1), dots);
            }
            for (int sector = 0; sector < 6; ++sector) {
                atHue(sector, 300);
                forEachTriangleDot([&](int x, int y, COLORREF c) {
                    const Hit h = hitAt(x, y);
                    ASSERT_EQ(HitTriangleDot, h.code) << n << " " << x << ", " << y;
                    ASSERT_EQ(c, h.colour) << n << " " << x << ", " << y;
                });
            }
        }
    }
}

// Every point within a dot's capture cell reads that dot's colour: one unit
// above and below it, and across its column band.
TEST(HitTestCharts, HexagonCaptureCellsShowTheirDot) {
    for (int n : {4, 8, 16}) {
        for (int unit : {2, 5, 14}) {
            layOutOnBackground(n, unit);
            atLevelPos(1024);
            const Layout& L = app.layout;
            forEachHexagonDot([&](int x, int y, COLORREF c) {
                const int column = x - L.hexCenterX;
                const int left = column > 0 ? -(L.hStep - L.unit) : -(L.unit - 1);
                const int right = column < 0 ? L.hStep - L.unit : L.unit - 1;
                for (int ox : {left, 0, right}) {
                    for (int oy : {-(L.unit - 1), 0, L.unit - 1}) {
                        const Hit h = hitAt(x + ox, y + oy);
                        ASSERT_EQ(HitHexagonDot, h.code) << x << "+" << ox << ", " << y << "+" << oy;
                        ASSERT_EQ(c, h.colour) << x << "+" << ox << ", " << y << "+" << oy;
                    }
                }
            });
        }
    }
}

// ---- projectToRim ---------------------------------------------------------

struct RimCase {
    int x, y, rimX, rimY;
};

TEST_F(HitTest900, ProjectToRim) {
    // A = 192, B = 112: vertices (254, 76), (446, 188), (446, 412),
    // (254, 524), (62, 412), (62, 188).
    const std::vector<RimCase> cases = {
        {254, 300, 446, 300},     // the centre goes to the right side
        {253, 300, 62, 300},
        {259, 412, 446, 412},     // level with a vertical side, bounds included
        {200, 188, 62, 188},
        {5000, 300, 446, 300},
        {254, -1000, 254, 76},    // far above: the top vertex
        {254, 2000, 254, 524},
        {2000, -1000, 446, 188},  // far to the upper right: that vertex
        {5000, 100, 446, 188},    // projects far past it, below the bottom
        {5000, 500, 446, 412},
        {-5000, 100, 62, 188},
        {-5000, 500, 62, 412},
        {-1000, 2000, 62, 412},
        {-1000, -1000, 62, 188},
        {2000, 2000, 446, 412},
        {600, 150, 446, 188},     // projects past the upper right vertex
        {350, 132, 350, 132},     // rim dots stay where they are
        {357, 120, 350, 132},     // straight out from a rim dot, back onto it
        {357, 480, 350, 468},
        {151, 120, 158, 132},
        {151, 480, 158, 468},
        {254, 30, 254, 76},
        {254, 570, 254, 524},
    };
    for (const RimCase& c : cases) {
        int x = c.x;
        int y = c.y;
        projectToRim(x, y);
        EXPECT_EQ(c.rimX, x) << "from (" << c.x << ", " << c.y << ")";
        EXPECT_EQ(c.rimY, y) << "from (" << c.x << ", " << c.y << ")";
    }
}

TEST_F(HitTest900, ProjectToRimLandsOnTheOutline) {
    const int a = 192;
    const int b = 112;
    for (int y = -3000; y < 3600; y += 9) {
        for (int x = -3000; x < 3500; x += 11) {
            int px = x;
            int py = y;
            projectToRim(px, py);
            const long dx = px - 254 < 0 ? 254 - px : px - 254;
            const long dy = py - 300 < 0 ? 300 - py : py - 300;
            ASSERT_LE(dx, a) << x << ", " << y;
            // Never onto the other half of the outline.
            if (y < 300) {
                ASSERT_LE(py, 300) << x << ", " << y;
            } else {
                ASSERT_GE(py, 300) << x << ", " << y;
            }
            if (dx == a && dy <= b)
                continue;  // on a vertical side
            // On a slanted side, up to the rounding of each coordinate.
            const long off = b * dx + a * dy - 2L * a * b;
            ASSERT_LE(2 * (off < 0 ? -off : off), a + b) << x << ", " << y;
        }
    }
}

TEST_F(HitTest900, ProjectToRimFarAway) {
    const int extremes[] = {INT_MIN, -100000, 0, 100000, INT_MAX};
    for (int x0 : extremes) {
        for (int y0 : extremes) {
            int x = x0;
            int y = y0;
            projectToRim(x, y);
            EXPECT_GE(x, 62 - 1);
            EXPECT_LE(x, 446);
            EXPECT_GE(y, 76);
            EXPECT_LE(y, 524);
        }
    }
}

}  // namespace
