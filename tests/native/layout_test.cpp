#include <gtest/gtest.h>

#include "app/sizing.h"
#include "app/state.h"
#include "layout/layout.h"
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
    struct Row { int unit, dotRadius, hStep; };
    const Row rows[] = {
        {1, 2, 2}, {2, 3, 3}, {3, 4, 5}, {4, 5, 7},
        {5, 6, 9}, {6, 7, 10}, {7, 7, 12}, {8, 8, 14},
        {14, 14, 24}, {30, 30, 52},
    };
    for (const Row& row : rows) {
        layoutAt(8, 4000, clientHeightForUnit(8, row.unit));
        EXPECT_EQ(app.layout.unit, row.unit);
        EXPECT_EQ(app.layout.dotRadius, row.dotRadius) << "unit " << row.unit;
        EXPECT_EQ(app.layout.hStep, row.hStep) << "unit " << row.unit;
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

// Too narrow even at the smallest unit: the triangle stays right of the
// hexagon's rim band and runs off the window, and the strip keeps its order.
TEST(ComputeLayout, NarrowClientKeepsTheTriangleClear) {
    layoutAt(8, 100, 600);
    const Layout& L = app.layout;
    EXPECT_EQ(L.unit, 1);
    EXPECT_EQ(L.hexCenterX, 2 * 8 + 1 + 48);
    EXPECT_EQ(L.triLeft, L.hexCenterX + 8 * L.hStep + 2 + 24 + 1);
    EXPECT_GT(L.stripRight, L.stripLeft);
    EXPECT_DOUBLE_EQ(L.swatchWidth, (L.stripRight - L.stripLeft) / 16.0);
}

// A window narrower than the charts' proportion takes the largest unit at
// which the triangle's side begins right of the hexagon's rim band.
TEST(ComputeLayout, NarrowWindowTakesTheUnitItsWidthAllows) {
    layoutAt(8, 1280, 994);
    const Layout& L = app.layout;
    EXPECT_EQ(L.unit, 24);
    EXPECT_EQ(L.hStep, 42);
    EXPECT_EQ(L.triLeft, 1280 - 24 * 17 - 48);
    EXPECT_GT(L.triLeft - L.unit, L.hexCenterX + 8 * L.hStep + L.unit + 24);
    layoutAt(8, 1281, 994);   // one pixel wider does not yet allow unit 25
    EXPECT_EQ(app.layout.unit, 24);
    for (int n : GridSizes) {
        for (int h = 300; h <= 2400; h += 71) {
            for (int w = 300; w <= 2400; w += 53) {
                layoutAt(n, w, h);
                SCOPED_TRACE(testing::Message() << "N " << n << " client " << w << "x" << h);
                EXPECT_GT(L.triLeft - L.unit, L.hexCenterX + n * L.hStep + L.unit + 24);
                const int heightUnit = (h - 96) / (4 * n + 2);
                const int unit = L.unit;
                if (unit > 1 && unit < heightUnit) {
                    layoutAt(n, 2 * w + 1000, h);
                    EXPECT_GT(L.unit, unit);
                }
            }
        }
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
    computeLayout();
    const Layout& L = app.layout;
    // Pure red: the hexagon's lower left corner and the triangle's apex.
    EXPECT_EQ(app.settings.pick.pickHexX, L.hexCenterX - 8 * L.hStep);
    EXPECT_EQ(app.settings.pick.pickHexY, L.hexCenterY + 8 * L.unit);
    EXPECT_EQ(app.settings.pick.pickTriX, L.triLeft);
    EXPECT_EQ(app.settings.pick.pickTriY, L.hexCenterY);

    app.layout.clientWidth = 1200;
    app.layout.clientHeight = 800;
    computeLayout();
    EXPECT_EQ(app.settings.pick.pickTriX, app.layout.triLeft);
    EXPECT_EQ(app.settings.pick.pickHexY, app.layout.hexCenterY + 8 * app.layout.unit);
}

}  // namespace
