#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/state.h"
#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/triangle.h"
#include "test_support.h"

namespace {

// Both charts laid out for W x H, at the first-run level and hue.
void chartsAt(int gridSize, int clientWidth, int clientHeight) {
    layoutAt(gridSize, clientWidth, clientHeight);
    updateCharts();
}

void chartsAtUnit(int gridSize, int unit) {
    // Wide enough for both charts at that unit (hStep is below 2 units).
    const int width = 4 * gridSize * unit + unit * (2 * gridSize + 4) + 200;
    chartsAt(gridSize, width > 4000 ? width : 4000, clientHeightForUnit(gridSize, unit));
}

// The marker's target as a jump to a pick leaves it: any slice, N included,
// set directly.
void atChartSlice(int sector, int slice) {
    app.settings.sector = static_cast<std::int8_t>(sector);
    app.chart.slice = slice;
}

struct Polygon { ClientPoint p[3]; };

Polygon slicePolygon(bool withClearance) {
    Polygon poly;
    sliceMarkerPolygon(withClearance, poly.p);
    return poly;
}

Polygon levelPolygon() {
    Polygon poly;
    levelMarkerPolygon(poly.p);
    return poly;
}

void expectPolygon(const Polygon& poly, int x0, int y0, int x1, int y1, int x2, int y2) {
    expectPoint(poly.p[0], x0, y0);
    expectPoint(poly.p[1], x1, y1);
    expectPoint(poly.p[2], x2, y2);
}

// ------------------------------------------------ worked examples, 900 x 600

class MarkersAt900x600 : public testing::Test {
protected:
    void SetUp() override {
        chartsAt(8, 900, 600);
        ASSERT_EQ(app.layout.unit, 14);
        ASSERT_EQ(app.layout.hStep, 24);
        ASSERT_EQ(app.layout.hexCenterX, 254);
        ASSERT_EQ(app.layout.triLeft, 614);
    }
};

TEST_F(MarkersAt900x600, Sector0Slice0) {
    atSlice(0, 0);
    expectPolygon(slicePolygon(true), 253, 57, 261, 43, 245, 43);
    expectPoint(slicePolygon(false).p[0], 253, 75);
}

TEST_F(MarkersAt900x600, Sector0Slice4) {
    atSlice(0, 4);
    ASSERT_EQ(app.chart.slice, 4);
    expectPolygon(slicePolygon(true), 359, 116, 359, 100, 373, 108);
    expectPoint(slicePolygon(false).p[0], 349, 131);
}

TEST_F(MarkersAt900x600, Sector1) {
    atSlice(1, 0);
    expectPolygon(slicePolygon(true), 460, 177, 476, 177, 468, 163);
    atSlice(1, 4);
    expectPolygon(slicePolygon(true), 463, 299, 477, 307, 477, 291);
}

TEST_F(MarkersAt900x600, Sectors3And4) {
    atSlice(3, 4);
    expectPolygon(slicePolygon(true), 147, 482, 147, 498, 133, 490);
    atSlice(4, 4);
    expectPolygon(slicePolygon(true), 43, 299, 29, 307, 29, 291);
}

TEST_F(MarkersAt900x600, LevelMarker) {
    atLevel(16);
    expectPolygon(levelPolygon(), 855, 75, 869, 67, 869, 83);
    atLevel(0);
    expectPolygon(levelPolygon(), 855, 75 + 448, 869, 67 + 448, 869, 83 + 448);
}

TEST_F(MarkersAt900x600, FarCornerOfSector0IsTheSideRuleOfSector1Corner) {
    const int n = 8;
    const int x0 = 253, y0 = 299, M = 14, h = 8, S = 16;
    const int clearH = 15, clearU = 10;
    // Slice N in sector 0 (after a jump to a pick): the rule for sides.
    atChartSlice(0, n);
    const int tipX = x0 + n * 24 + clearU;
    const int tipY = y0 - n * 14 - clearH;
    expectPolygon(slicePolygon(true), tipX, tipY, tipX, tipY - S, tipX + M, tipY - h);
    // Slice 0 in sector 1: the same corner by the rule for corners.
    atSlice(1, 0);
    const int cornerX = x0 + n * 24 + clearH;
    const int cornerY = y0 - n * 14 - clearU;
    expectPolygon(slicePolygon(true), cornerX, cornerY, cornerX + S, cornerY, cornerX + h,
                  cornerY - M);
    // Without clearance both name the same dot.
    const Polygon corner = slicePolygon(false);
    atChartSlice(0, n);
    expectPoint(slicePolygon(false).p[0], corner.p[0].x, corner.p[0].y);
}

// ------------------------------------------------ properties

const int Units[] = {1, 2, 3, 6, 7, 9, 14, 17, 25};

TEST(SliceMarker, MirrorImagesAcrossTheVerticalAxis) {
    const int pairs[3][2] = {{0, 5}, {1, 4}, {2, 3}};
    for (int n : GridSizes) {
        for (int unit : Units) {
            chartsAtUnit(n, unit);
            const int x0 = app.layout.hexCenterX - 1;
            int failures = 0;
            for (int clear = 0; clear < 2; ++clear) {
                for (const auto& pair : pairs) {
                    for (int s = 1; s < n; ++s) {
                        atSlice(pair[0], s);
                        const Polygon left = slicePolygon(clear == 1);
                        atSlice(pair[1], n - s);
                        const Polygon right = slicePolygon(clear == 1);
                        for (int m = 0; m < 3; ++m)
                            if (left.p[m].x - x0 != x0 - right.p[m].x || left.p[m].y != right.p[m].y)
                                ++failures;
                    }
                }
            }
            EXPECT_EQ(failures, 0) << "N " << n << " unit " << unit;
        }
    }
}

TEST(SliceMarker, CornerMarkersMirrorToo) {
    for (int unit : Units) {
        chartsAtUnit(12, unit);
        const int x0 = app.layout.hexCenterX - 1;
        const int pairs[2][2] = {{1, 5}, {2, 4}};
        for (const auto& pair : pairs) {
            atSlice(pair[0], 0);
            const Polygon left = slicePolygon(true);
            atSlice(pair[1], 0);
            const Polygon right = slicePolygon(true);
            for (int m = 0; m < 3; ++m) {
                EXPECT_EQ(left.p[m].x - x0, x0 - right.p[m].x) << "unit " << unit;
                EXPECT_EQ(left.p[m].y, right.p[m].y) << "unit " << unit;
            }
        }
    }
}

struct DotPoint { int x, y; };

std::vector<DotPoint> outerRingDots() {
    const int n = app.settings.gridSize;
    const int firstOuter = 1 + 3 * n * (n - 1);
    std::vector<DotPoint> all;
    forEachHexagonDot([&](int x, int y, COLORREF) { all.push_back(DotPoint{x, y}); });
    return std::vector<DotPoint>(all.begin() + firstOuter, all.end());
}

// Without clearance the tip is the target rim dot's centre less one pixel;
// dot s of side sector + 1, and at slice N the next side's first dot.
TEST(SliceMarker, BareTipIsTheTargetRimDot) {
    for (int n : GridSizes) {
        for (int unit : Units) {
            chartsAtUnit(n, unit);
            const std::vector<DotPoint> rim = outerRingDots();
            ASSERT_EQ(rim.size(), static_cast<size_t>(6 * n));
            int failures = 0;
            for (int sector = 0; sector < 6; ++sector) {
                for (int s = 0; s <= n; ++s) {
                    atChartSlice(sector, s);
                    const Polygon bare = slicePolygon(false);
                    const DotPoint dot = rim[(sector * n + s) % (6 * n)];
                    if (bare.p[0].x != dot.x - 1 || bare.p[0].y != dot.y - 1)
                        ++failures;
                }
            }
            EXPECT_EQ(failures, 0) << "N " << n << " unit " << unit;
        }
    }
}

// The drawn tip keeps more than a dot radius from the dot it points at, so
// erasing the marker never touches the dot.
TEST(SliceMarker, DrawnTipClearsTheTargetDot) {
    for (int n : GridSizes) {
        for (int unit = 1; unit <= 30; ++unit) {
            chartsAtUnit(n, unit);
            int failures = 0;
            for (int sector = 0; sector < 6; ++sector) {
                for (int s = 0; s <= n; ++s) {
                    atChartSlice(sector, s);
                    const Polygon bare = slicePolygon(false);
                    const Polygon drawn = slicePolygon(true);
                    const double dx = drawn.p[0].x - (bare.p[0].x + 1);
                    const double dy = drawn.p[0].y - (bare.p[0].y + 1);
                    if (std::sqrt(dx * dx + dy * dy) <= app.layout.dotRadius)
                        ++failures;
                }
            }
            EXPECT_EQ(failures, 0) << "N " << n << " unit " << unit;
        }
    }
}

TEST(SliceMarker, FarSideUsesTheMarkerMetrics) {
    chartsAtUnit(8, 12);  // markerSize 12, markerHalf 7, markerSpan 14
    atSlice(0, 0);
    Polygon p = slicePolygon(true);
    EXPECT_EQ(p.p[1].x - p.p[0].x, 7);
    EXPECT_EQ(p.p[1].y - p.p[0].y, -12);
    atSlice(1, 0);
    p = slicePolygon(true);
    EXPECT_EQ(p.p[1].x - p.p[0].x, 14);
    EXPECT_EQ(p.p[1].y - p.p[0].y, 0);
    atSlice(2, 3);
    p = slicePolygon(true);
    EXPECT_EQ(p.p[1].y - p.p[0].y, 14);
    EXPECT_EQ(p.p[2].x - p.p[0].x, 12);
    EXPECT_EQ(p.p[2].y - p.p[0].y, 7);
}

TEST(SliceMarker, UnknownSectorMarksNothing) {
    chartsAt(8, 900, 600);
    const int unknown[] = {6, -1};
    for (int sector : unknown) {
        for (int s = 0; s <= 4; s += 4) {
            atChartSlice(sector, s);
            const Polygon p = slicePolygon(true);
            EXPECT_EQ(p.p[1].x, p.p[0].x);
            EXPECT_EQ(p.p[1].y, p.p[0].y);
            EXPECT_EQ(p.p[2].x, p.p[0].x);
            EXPECT_EQ(p.p[2].y, p.p[0].y);
        }
    }
}

// The level marker's tip lies unit + 3 right of and one pixel above the
// base dot whose grey is the centre grey.
TEST(LevelMarker, PointsAtTheBaseDotOfTheCentreGrey) {
    for (int n : GridSizes) {
        for (int unit : Units) {
            chartsAtUnit(n, unit);
            std::vector<DotPoint> base;
            std::vector<COLORREF> baseColour;
            int column = 0;
            forEachTriangleDot([&](int x, int y, COLORREF c) {
                if (++column > n * n) {
                    base.push_back(DotPoint{x, y});
                    baseColour.push_back(c);
                }
            });
            ASSERT_EQ(base.size(), static_cast<size_t>(2 * n + 1));
            int failures = 0;
            for (int level = 0; level <= 2 * n; ++level) {
                atLevel(level);
                const Polygon p = levelPolygon();
                const int j = 2 * n - level;
                const int g = app.chart.centerGray;
                if (p.p[0].x != base[j].x + unit + 3 || p.p[0].y != base[j].y - 1 ||
                    baseColour[j] != makeColor(g, g, g))
                    ++failures;
                if (p.p[1].x != p.p[0].x + app.layout.markerSize ||
                    p.p[2].x != p.p[0].x + app.layout.markerSize ||
                    p.p[1].y != p.p[0].y - app.layout.markerHalf ||
                    p.p[2].y != p.p[0].y + app.layout.markerHalf)
                    ++failures;
            }
            EXPECT_EQ(failures, 0) << "N " << n << " unit " << unit;
        }
    }
}

}  // namespace
