// The charts and markers painted into a memory bitmap and read back pixel by
// pixel: every dot centre must carry the colour its chart's rule gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "chart/markers.h"
#include "chart/paint_win.h"
#include "paint/draw_win.h"
#include "paint_canvas.h"

namespace {

const COLORREF ChartBackground = 0x604830;

struct ChartSize {
    int sizeIndex;
    int clientWidth;
    int clientHeight;   // tall enough for unit >= 3, so that dot centres are not covered
};

// N = 4, 8 and 128 (the last needs 1,638 rows for unit 3); N = 6 has odd
// rings per side half.
const ChartSize ChartSizes[] = {
    {0, 560, 400},
    {1, 700, 500},
    {2, 900, 600},
    {10, 2210, 1700},
};

class ChartPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        prepareDrawingState();
        useBackground(ChartBackground);
    }
    void TearDown() override { destroyCanvas(canvas); }

    void prepare(const ChartSize& size) {
        destroyCanvas(canvas);
        layOut(size.sizeIndex, size.clientWidth, size.clientHeight);
        canvas = createCanvas(size.clientWidth, size.clientHeight);
        fillCanvas(canvas, ChartBackground);
    }

    PaintCanvas canvas = {};
};

int hexagonRing(int a, int b) {
    const int ringOfColumn = std::abs(a);
    const int ringOfRow = (std::abs(a) + std::abs(b)) / 2;
    return ringOfColumn > ringOfRow ? ringOfColumn : ringOfRow;
}

// Walks the hexagon's positions independently of its painter and compares
// every dot centre with hexCellColor.
void expectHexagonFollowsColourRule(const PaintCanvas& canvas, const char* what) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    int checked = 0;
    int wrong = 0;
    for (int a = -n; a <= n; ++a) {
        for (int b = -2 * n; b <= 2 * n; ++b) {
            if (((a + b) & 1) != 0 || hexagonRing(a, b) > n)
                continue;
            ++checked;
            const COLORREF expected = hexCellColor(a, b);
            const COLORREF actual = pixelAt(canvas, L.hexCenterX + a * L.hStep, L.hexCenterY + b * L.unit);
            if (actual != expected && ++wrong <= 5)
                ADD_FAILURE() << what << " N=" << n << " level=" << app.chart.level << " dot (" << a << ", "
                              << b << "): expected " << std::hex << expected << " got " << actual;
        }
    }
    EXPECT_EQ(1 + 3 * n * (n + 1), checked);
    EXPECT_EQ(0, wrong) << what << " N=" << n;
}

void expectTriangleFollowsColourRule(const PaintCanvas& canvas) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    int wrong = 0;
    for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= 2 * i; ++j) {
            const COLORREF expected = triangleDotColor(i, j);
            const COLORREF actual = pixelAt(canvas, L.triLeft + 2 * i * L.unit, L.hexCenterY + 2 * (j - i) * L.unit);
            if (actual != expected && ++wrong <= 5)
                ADD_FAILURE() << "N=" << n << " sector=" << (int)app.settings.sector << " slice=" << app.chart.slice
                              << " dot (" << i << ", " << j << "): expected " << std::hex << expected << " got "
                              << actual;
        }
    }
    EXPECT_EQ(0, wrong);
}

TEST_F(ChartPaintTest, DotIsFilledOverItsRadiusWithoutOutline) {
    layOut(2, 900, 600);
    canvas = createCanvas(100, 100);
    fillCanvas(canvas, ChartBackground);
    app.layout.dotRadius = 6;
    const COLORREF red = 0x0000FF;
    drawDot(50, 50, app.layout.dotRadius, red);
    const int r = 6;
    for (int d = -(r - 2); d <= r - 2; ++d) {
        EXPECT_EQ(red, pixelAt(canvas, 50 + d, 50)) << d;
        EXPECT_EQ(red, pixelAt(canvas, 50, 50 + d)) << d;
    }
    EXPECT_EQ(ChartBackground, pixelAt(canvas, 50 - r - 1, 50));
    EXPECT_EQ(ChartBackground, pixelAt(canvas, 50 + r + 1, 50));
    EXPECT_EQ(ChartBackground, pixelAt(canvas, 50, 50 - r - 1));
    EXPECT_EQ(ChartBackground, pixelAt(canvas, 50, 50 + r + 1));
    // The dot's brush is gone again; what stays selected is a live object.
    EXPECT_NE(0u, GetObjectType(GetCurrentObject(canvas.dc, OBJ_BRUSH)));
    EXPECT_EQ(GetStockObject(NULL_PEN), GetCurrentObject(canvas.dc, OBJ_PEN));
}

// Several levels painted one over the other on the same bitmap: a repaint
// must replace every colour, and the N = 128 run creates some 200,000
// brushes, which a leak would exhaust.
TEST_F(ChartPaintTest, HexagonDotCentresCarryTheirRingColours) {
    const int levelPositions[] = {2048, 0, 1024, 333, 1700};
    for (const ChartSize& size : ChartSizes) {
        prepare(size);
        for (int levelPos : levelPositions) {
            app.settings.levelPos = levelPos;
            updateLevel();
            paintHexagon();
            expectHexagonFollowsColourRule(canvas, "hexagon");
        }
    }
}

TEST_F(ChartPaintTest, HexagonPaintsNothingBeyondItsOuterRing) {
    for (const ChartSize& size : ChartSizes) {
        prepare(size);
        paintHexagon();
        const Layout& L = app.layout;
        const int n = app.settings.gridSize;
        const int reach = L.dotRadius + 1;
        EXPECT_EQ(ChartBackground, pixelAt(canvas, L.hexCenterX, L.hexCenterY - 2 * n * L.unit - reach));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, L.hexCenterX, L.hexCenterY + 2 * n * L.unit + reach));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, L.hexCenterX - n * L.hStep - reach, L.hexCenterY));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, L.hexCenterX + n * L.hStep + reach, L.hexCenterY));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, L.triLeft, L.hexCenterY)) << "the triangle is not the hexagon's";
    }
}

TEST_F(ChartPaintTest, TriangleDotCentresCarryTheirColumnShades) {
    const int slicePositions[] = {0, 512, 300, 1024};
    for (const ChartSize& size : ChartSizes) {
        prepare(size);
        for (int sector = 0; sector < 6; ++sector) {
            for (int slicePos : slicePositions) {
                app.settings.sector = (std::int8_t)sector;
                app.settings.slicePos = slicePos;
                updateHue();
                paintTriangle();
                expectTriangleFollowsColourRule(canvas);
            }
        }
        EXPECT_EQ(ChartBackground, pixelAt(canvas, app.layout.hexCenterX, app.layout.hexCenterY))
            << "the hexagon is not the triangle's";
    }
}

struct SmallDotCase {
    int clientHeight;       // N = 8
    int unit;
    int hexagonRadius;
    int triangleRadius;
};

// Ellipse with the null pen fills x - r .. x + r - 1 here; the bottom dot of
// the base column and the rightmost dots of the hexagon are not covered by
// later dots on their right, so their edge shows the radius used.
TEST_F(ChartPaintTest, TriangleDotsAreOneLargerOnlyBelowRadiusFour) {
    const SmallDotCase cases[] = {
        {130, 1, 2, 3},
        {164, 2, 3, 4},
        {198, 3, 4, 4},
        {232, 4, 5, 5},
    };
    for (const SmallDotCase& c : cases) {
        SCOPED_TRACE(c.unit);
        prepare({2, 600, c.clientHeight});
        ASSERT_EQ(c.unit, app.layout.unit);
        ASSERT_EQ(c.hexagonRadius, app.layout.dotRadius);
        paintHexagon();
        paintTriangle();
        EXPECT_EQ(c.hexagonRadius, app.layout.dotRadius) << "the raise must not outlast the painting";

        const Layout& L = app.layout;
        const int n = app.settings.gridSize;
        const int baseX = L.triLeft + 2 * n * L.unit;
        const int bottomY = L.hexCenterY + 2 * n * L.unit;
        const int r = c.triangleRadius;
        EXPECT_EQ(0u, pixelAt(canvas, baseX + r - 1, bottomY));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, baseX + r, bottomY));
        EXPECT_EQ(0u, pixelAt(canvas, baseX, bottomY + r - 1));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, baseX, bottomY + r));

        const int rimX = L.hexCenterX + n * L.hStep;
        EXPECT_NE(ChartBackground, pixelAt(canvas, rimX + c.hexagonRadius - 1, L.hexCenterY));
        EXPECT_EQ(ChartBackground, pixelAt(canvas, rimX + c.hexagonRadius, L.hexCenterY));
    }
}

struct MarkerCase {
    int sizeIndex;
    int clientWidth;
    int clientHeight;
    int sector;
    int slicePos;
    int levelPos;
};

const MarkerCase MarkerCases[] = {
    {2, 900, 600, 0, 0, 2048},    {2, 900, 600, 0, 512, 0},     {2, 900, 600, 1, 0, 1024},
    {2, 900, 600, 1, 512, 512},   {2, 900, 600, 2, 128, 1536},  {2, 900, 600, 3, 512, 2048},
    {2, 900, 600, 4, 896, 128},   {2, 900, 600, 5, 1024, 64},   {2, 900, 600, 0, 1024, 2048},
    {0, 560, 400, 3, 0, 0},       {0, 560, 400, 5, 256, 1024},  {1, 700, 500, 2, 768, 1365},
    {10, 2210, 1700, 0, 512, 2048}, {10, 2210, 1700, 4, 8, 0},  {10, 2210, 1700, 2, 1016, 1024},
    {2, 520, 330, 1, 640, 300},   {2, 400, 130, 4, 512, 1024},
};

bool boxHolds(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT polygonBox(const ClientPoint corners[3]) {
    RECT box = {corners[0].x, corners[0].y, corners[0].x + 1, corners[0].y + 1};
    for (int k = 1; k < 3; ++k) {
        if (corners[k].x < box.left) box.left = corners[k].x;
        if (corners[k].y < box.top) box.top = corners[k].y;
        if (corners[k].x + 1 > box.right) box.right = corners[k].x + 1;
        if (corners[k].y + 1 > box.bottom) box.bottom = corners[k].y + 1;
    }
    return box;
}

class MarkerPaintTest : public ChartPaintTest, public ::testing::WithParamInterface<MarkerCase> {
protected:
    void paintChartsAt(const MarkerCase& c) {
        app.settings.sector = (std::int8_t)c.sector;
        app.settings.slicePos = c.slicePos;
        app.settings.levelPos = c.levelPos;
        prepare({c.sizeIndex, c.clientWidth, c.clientHeight});
        paintHexagon();
        paintTriangle();
    }

    void expectDrawnBlackWithWhiteOutline(const ClientPoint corners[3], const std::vector<std::uint32_t>& before) {
        const ClientPoint middle = centroid(corners);
        EXPECT_EQ(0u, pixelAt(canvas, middle.x, middle.y));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(0xFFFFFFu, pixelAt(canvas, corners[k].x, corners[k].y)) << "corner " << k;
        const RECT changed = changedBox(canvas, before);
        EXPECT_TRUE(boxHolds(polygonBox(corners), changed))
            << "changed " << changed.left << "," << changed.top << "-" << changed.right << "," << changed.bottom;
    }

    void expectUnchanged(const std::vector<std::uint32_t>& before) {
        const RECT changed = changedBox(canvas, before);
        EXPECT_EQ(changed.left, changed.right) << "left over at " << changed.left << "," << changed.top << "-"
                                               << changed.right << "," << changed.bottom;
    }
};

TEST_P(MarkerPaintTest, SliceMarkerDrawnThenErasedLeavesTheChartsAsTheyWere) {
    paintChartsAt(GetParam());
    const std::vector<std::uint32_t> before = snapshot(canvas);
    ClientPoint corners[3];
    sliceMarkerPolygon(true, corners);

    drawSliceMarker(InkDraw);
    expectDrawnBlackWithWhiteOutline(corners, before);
    EXPECT_EQ(gdi.whitePen, GetCurrentObject(canvas.dc, OBJ_PEN));
    EXPECT_EQ(gdi.blackBrush, GetCurrentObject(canvas.dc, OBJ_BRUSH));

    drawSliceMarker(InkErase);
    expectUnchanged(before);
    EXPECT_EQ(gdi.bgPen, GetCurrentObject(canvas.dc, OBJ_PEN));
    EXPECT_EQ(gdi.bgBrush, GetCurrentObject(canvas.dc, OBJ_BRUSH));
}

TEST_P(MarkerPaintTest, LevelMarkerDrawnThenErasedLeavesTheChartsAsTheyWere) {
    paintChartsAt(GetParam());
    const std::vector<std::uint32_t> before = snapshot(canvas);
    ClientPoint corners[3];
    levelMarkerPolygon(corners);

    drawLevelMarker(InkDraw);
    expectDrawnBlackWithWhiteOutline(corners, before);
    drawLevelMarker(InkErase);
    expectUnchanged(before);
}

// Case names a test runner can select: grid, client, sector, slice, level.
std::string describe(const MarkerCase& c) {
    return "N" + std::to_string(GridSizes[c.sizeIndex]) + "_" + std::to_string(c.clientWidth) + "x" +
           std::to_string(c.clientHeight) + "_sector" + std::to_string(c.sector) + "_slice" +
           std::to_string(c.slicePos) + "_level" + std::to_string(c.levelPos);
}

void PrintTo(const MarkerCase& c, std::ostream* out) {
    *out << describe(c);
}

std::string markerCaseName(const ::testing::TestParamInfo<MarkerCase>& info) {
    return describe(info.param);
}

INSTANTIATE_TEST_SUITE_P(ChartStates, MarkerPaintTest, ::testing::ValuesIn(MarkerCases), markerCaseName);

// The corners worked out by hand for N = 8 in a 900 x 600 client.
TEST_F(ChartPaintTest, MarkersStandWhereTheHandWorkedExamplesPutThem) {
    struct Example {
        int sector;
        int slicePos;
        ClientPoint corners[3];
    };
    const Example examples[] = {
        {0, 0, {{253, 57}, {261, 43}, {245, 43}}},
        {0, 512, {{359, 116}, {359, 100}, {373, 108}}},
        {1, 0, {{460, 177}, {476, 177}, {468, 163}}},
        {1, 512, {{463, 299}, {477, 307}, {477, 291}}},
        {3, 512, {{147, 482}, {147, 498}, {133, 490}}},
        {4, 512, {{43, 299}, {29, 307}, {29, 291}}},
    };
    for (const Example& e : examples) {
        app.settings.sector = (std::int8_t)e.sector;
        app.settings.slicePos = e.slicePos;
        prepare({2, 900, 600});
        drawSliceMarker(InkDraw);
        for (const ClientPoint& p : e.corners)
            EXPECT_EQ(0xFFFFFFu, pixelAt(canvas, p.x, p.y)) << e.sector << "/" << e.slicePos << " at " << p.x << ","
                                                            << p.y;
    }
    app.settings.levelPos = 2048;
    prepare({2, 900, 600});
    drawLevelMarker(InkDraw);
    EXPECT_EQ(0xFFFFFFu, pixelAt(canvas, 855, 75));
    EXPECT_EQ(0xFFFFFFu, pixelAt(canvas, 869, 67));
    EXPECT_EQ(0xFFFFFFu, pixelAt(canvas, 869, 83));
    EXPECT_EQ(0u, pixelAt(canvas, 864, 75));
}

}  // namespace
