#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/state.h"
#include "chart/hexagon.h"
#include "chart/markers.h"
#include "navigate/hit_test.h"
#include "navigate/navigation.h"
#include "test_support.h"

namespace {

void layOutCharts(int gridSize, int unit) {
    layoutProportional(gridSize, unit);
    updateCharts();
}

// ---- pickMark transitions -------------------------------------------------

TEST(PickMarkTransitions, Tables) {
    struct Row {
        int before, afterLevel, afterSlice;
    };
    const std::vector<Row> rows = {
        {3, 2, 1},   {1, 4, 1},   {2, 2, 4},   {4, 4, 4},
        {-3, -2, -1}, {-1, -4, -1}, {-2, -2, -4}, {-4, -4, -4},
        {0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.afterLevel, levelTransition((std::int8_t)r.before)) << r.before;
        EXPECT_EQ(r.afterSlice, sliceTransition((std::int8_t)r.before)) << r.before;
    }
}

TEST(PickMarkTransitions, OtherValuesAndSignsAreKept) {
    for (int m = -128; m <= 127; ++m) {
        const std::int8_t mark = (std::int8_t)m;
        const std::int8_t level = levelTransition(mark);
        const std::int8_t slice = sliceTransition(mark);
        if (m < -4 || m > 4 || m == 0) {
            EXPECT_EQ(mark, level) << m;
            EXPECT_EQ(mark, slice) << m;
        }
        EXPECT_EQ(m < 0, level < 0) << m;
        EXPECT_EQ(m < 0, slice < 0) << m;
    }
}

TEST(PickMarkTransitions, Sequences) {
    // From a starting mark, a run of level (L) and slice (S) changes and the
    // mark after each.
    struct Change {
        char what;
        int after;
    };
    struct Run {
        int start;
        std::vector<Change> changes;
    };
    const std::vector<Run> runs = {
        {3, {{'L', 2}, {'L', 2}, {'S', 4}, {'S', 4}, {'L', 4}}},
        {-3, {{'L', -2}, {'S', -4}}},
        {3, {{'S', 1}, {'S', 1}, {'L', 4}}},
        {-3, {{'S', -1}, {'L', -4}}},
    };
    for (const Run& run : runs) {
        std::int8_t mark = (std::int8_t)run.start;
        for (size_t k = 0; k < run.changes.size(); ++k) {
            const Change& c = run.changes[k];
            mark = c.what == 'L' ? levelTransition(mark) : sliceTransition(mark);
            EXPECT_EQ(c.after, mark) << "from " << run.start << ", change " << k << " (" << c.what << ")";
        }
    }
}

// ---- level steps --------------------------------------------------------------

TEST(StepLevel, FineStepsClampAtTheEnds) {
    useLayout900x600();
    atLevel(16);
    EXPECT_EQ(16, stepLevelTarget(+1, false));
    EXPECT_EQ(15, stepLevelTarget(-1, false));
    atLevel(0);
    EXPECT_EQ(0, stepLevelTarget(-1, false));
    EXPECT_EQ(1, stepLevelTarget(+1, false));
    atLevel(5);
    EXPECT_EQ(6, stepLevelTarget(+1, false));
    EXPECT_EQ(4, stepLevelTarget(-1, false));
}

TEST(StepLevel, CoarseStepsMoveAQuarterOfTheRange) {
    useLayout900x600();
    struct Row {
        int levelPos, direction, level;
    };
    const std::vector<Row> rows = {
        {1800, +1, 16},  // 2312 clamps to 2048
        {300, -1, 0},    // -212 clamps to 0
        {1000, +1, 12},  // 1512: 11.8125 rounds to 12
        {1000, -1, 4},   // 488: 3.8125
        {1024, +1, 12},
        {1024, -1, 4},
        {2048, +1, 16},
        {0, -1, 0},
        {64, +1, 5},     // 576: 4.5 rounds up
        {2048, -1, 12},
    };
    for (const Row& r : rows) {
        atLevelPos(r.levelPos);
        EXPECT_EQ(r.level, stepLevelTarget(r.direction, true)) << r.levelPos << " " << r.direction;
    }
}

TEST(StepLevel, CoarseStepsAtEveryGridSize) {
    for (int n : GridSizes) {
        layOutCharts(n, 1);
        atLevelPos(1024);
        EXPECT_EQ(n + n / 2, stepLevelTarget(+1, true)) << n;
        EXPECT_EQ(n / 2, stepLevelTarget(-1, true)) << n;
        atLevelPos(1800);
        EXPECT_EQ(2 * n, stepLevelTarget(+1, true)) << n;
    }
}

// ---- slice steps ------------------------------------------------------------

struct SliceStep {
    int sector, slicePos, direction;
    bool coarse;
    int toSector, toSlice;
};

void expectSliceSteps(const std::vector<SliceStep>& steps) {
    for (const SliceStep& s : steps) {
        atHue(s.sector, s.slicePos);
        std::int8_t sector = -9;
        int slice = -9;
        stepSliceTarget(s.direction, s.coarse, sector, slice);
        EXPECT_EQ(s.toSector, sector) << s.sector << "/" << s.slicePos << " " << s.direction << " " << s.coarse;
        EXPECT_EQ(s.toSlice, slice) << s.sector << "/" << s.slicePos << " " << s.direction << " " << s.coarse;
    }
}

TEST(StepSlice, FineStepsWrapAroundTheRim) {
    useLayout900x600();
    // N = 8: slice S is slicePos 128 * S.
    expectSliceSteps({
        {5, 7 * 128, -1, false, 0, 0},   // forward past the last slice of 5
        {0, 0, +1, false, 5, 7},         // back past slice 0 of sector 0
        {2, 3 * 128, -1, false, 2, 4},
        {2, 3 * 128, +1, false, 2, 2},
        {2, 7 * 128, -1, false, 3, 0},
        {3, 0, +1, false, 2, 7},
        {1, 0, 0, false, 0, 7},          // zero counts as back
        {1, 0, -100, false, 1, 1},       // only the sign counts
        {1, 0, 100, false, 0, 7},
        // Slice N, where a jump to a pick can leave it.
        {0, 1024, -1, false, 1, 0},
        {0, 1024, +1, false, 0, 7},
    });
}

TEST(StepSlice, CoarseStepsStopAtVerticesAndMiddles) {
    useLayout900x600();
    expectSliceSteps({
        {2, 512, -1, true, 3, 0},   // forward from the middle: next vertex
        {2, 512, +1, true, 2, 0},   // back from the middle: this sector's vertex
        {2, 0, +1, true, 1, 4},     // back from a vertex: previous middle
        {2, 0, -1, true, 2, 4},
        {2, 100, -1, true, 2, 4},
        {2, 100, +1, true, 2, 0},
        {2, 700, -1, true, 3, 0},
        {2, 700, +1, true, 2, 4},
        {5, 512, -1, true, 0, 0},
        {5, 900, -1, true, 0, 0},
        {0, 0, +1, true, 5, 4},
        {0, 1024, +1, true, 0, 4},
        {0, 1024, -1, true, 1, 0},
    });
}

TEST(StepSlice, CoarseHalfSectorAtEveryGridSize) {
    for (int n : GridSizes) {
        layOutCharts(n, 1);
        atHue(4, 0);
        std::int8_t sector = 0;
        int slice = 0;
        stepSliceTarget(-1, true, sector, slice);
        EXPECT_EQ(4, sector);
        EXPECT_EQ(n / 2, slice);
        stepSliceTarget(+1, true, sector, slice);
        EXPECT_EQ(3, sector);
        EXPECT_EQ(n / 2, slice);
    }
}

TEST(StepSlice, TwelveCoarseStepsGoRoundOnce) {
    useLayout900x600();
    atHue(0, 0);
    std::vector<std::pair<int, int>> visited;
    for (int k = 0; k < 12; ++k) {
        std::int8_t sector = 0;
        int slice = 0;
        stepSliceTarget(-1, true, sector, slice);
        visited.push_back({sector, slice});
        atSlice(sector, slice);
    }
    const std::vector<std::pair<int, int>> expected = {
        {0, 4}, {1, 0}, {1, 4}, {2, 0}, {2, 4}, {3, 0},
        {3, 4}, {4, 0}, {4, 4}, {5, 0}, {5, 4}, {0, 0},
    };
    EXPECT_EQ(expected, visited);
}

TEST(StepSlice, FineStepsForwardThenBackReturn) {
    useLayout900x600();
    for (int sector = 0; sector < 6; ++sector) {
        for (int slice = 0; slice < 8; ++slice) {
            atSlice(sector, slice);
            std::int8_t s = 0;
            int f = 0;
            stepSliceTarget(-1, false, s, f);
            atSlice(s, f);
            stepSliceTarget(+1, false, s, f);
            EXPECT_EQ(sector, s);
            EXPECT_EQ(slice, f);
        }
    }
}

// ---- rim geometry -------------------------------------------------------------

TEST(RimDot, TableAtGridSizeEight) {
    useLayout900x600();
    struct Row {
        int sector, slice, x, y;
    };
    const std::vector<Row> rows = {
        {0, 0, 254, 76},  {0, 4, 350, 132}, {1, 0, 446, 188}, {1, 4, 446, 300},
        {2, 0, 446, 412}, {2, 4, 350, 468}, {3, 0, 254, 524}, {3, 4, 158, 468},
        {4, 0, 62, 412},  {4, 4, 62, 300},  {5, 0, 62, 188},  {5, 4, 158, 132},
        {0, 8, 446, 188}, {5, 8, 254, 76},
    };
    for (const Row& r : rows) {
        const ClientPoint p = rimDot(r.sector, r.slice);
        EXPECT_EQ(r.x, p.x) << r.sector << "/" << r.slice;
        EXPECT_EQ(r.y, p.y) << r.sector << "/" << r.slice;
    }
}

TEST(RimDot, EachSideEndsWhereTheNextBegins) {
    for (int n : {4, 8, 128}) {
        layOutCharts(n, 3);
        for (int sector = 0; sector < 6; ++sector) {
            const ClientPoint end = rimDot(sector, n);
            const ClientPoint next = rimDot((sector + 1) % 6, 0);
            EXPECT_EQ(next.x, end.x) << n << " " << sector;
            EXPECT_EQ(next.y, end.y) << n << " " << sector;
        }
    }
}

TEST(RimDot, EveryRimDotIsAnOuterRingDot) {
    for (int n : {4, 8, 16}) {
        layOutCharts(n, 5);
        std::vector<std::pair<int, int>> outer;
        int count = 0;
        forEachHexagonDot([&](int x, int y, COLORREF) {
            // The last 6N dots painted are the outer ring, from its top corner.
            if (++count > 1 + 3 * n * (n - 1))
                outer.push_back({x, y});
        });
        ASSERT_EQ((size_t)(6 * n), outer.size());
        for (int sector = 0; sector < 6; ++sector) {
            for (int slice = 0; slice < n; ++slice) {
                const ClientPoint p = rimDot(sector, slice);
                const std::pair<int, int> expected = outer[sector * n + slice];
                EXPECT_EQ(expected.first, p.x) << n << " " << sector << "/" << slice;
                EXPECT_EQ(expected.second, p.y) << n << " " << sector << "/" << slice;
            }
        }
    }
}

// ---- selecting a rim point ------------------------------------------------------

struct RimPress {
    int x, y, sector, slice;
};

void expectRimPresses(const std::vector<RimPress>& presses) {
    for (const RimPress& p : presses) {
        std::int8_t sector = -9;
        int slice = -9;
        rimPointTarget(p.x, p.y, sector, slice);
        EXPECT_EQ(p.sector, sector) << "(" << p.x << ", " << p.y << ")";
        EXPECT_EQ(p.slice, slice) << "(" << p.x << ", " << p.y << ")";
    }
}

TEST(RimPoint, VerticesAndStraightAboveAndBelow) {
    useLayout900x600();
    expectRimPresses({
        {254, 76, 0, 0},   // top
        {446, 188, 1, 0},  // upper right
        {446, 412, 2, 0},  // lower right
        {254, 524, 3, 0},  // bottom
        {62, 412, 4, 0},   // lower left
        {62, 188, 5, 0},   // upper left
        // Presses in the rim band straight above and below the centre.
        {254, 30, 0, 0},
        {254, 60, 0, 0},
        {254, 570, 3, 0},
        {254, 540, 3, 0},
        // Far out beyond each vertex.
        {700, 100, 1, 0},
        {700, 500, 2, 0},
        {-200, 500, 4, 0},
        {-200, 100, 5, 0},
    });
}

TEST(RimPoint, VerticalSidesGoToTheNearestDot) {
    useLayout900x600();
    // Right side dots at y = 188 + 28 f; left side dots (sector 4) at
    // y = 412 - 28 f. Halfway goes to the dot farther from y = 300.
    expectRimPresses({
        {470, 188 + 14, 1, 0},
        {470, 188 + 15, 1, 1},
        {470, 300, 1, 4},
        {470, 300 + 13, 1, 4},
        {470, 300 + 14, 1, 5},
        {470, 412 - 14, 2, 0},
        {470, 412 - 15, 1, 7},
        {40, 412 - 14, 4, 0},
        {40, 412 - 15, 4, 1},
        {40, 300 - 14, 4, 5},
        {40, 300 - 13, 4, 4},
        {40, 188 + 14, 5, 0},
        {40, 188 + 15, 4, 7},
    });
}

TEST(RimPoint, EveryRimDotSelectsItself) {
    for (int n : {4, 8, 16, 128}) {
        for (int unit : {1, 3, 14}) {
            layOutCharts(n, unit);
            for (int sector = 0; sector < 6; ++sector) {
                for (int slice = 0; slice < n; ++slice) {
                    const ClientPoint p = rimDot(sector, slice);
                    std::int8_t s = -9;
                    int f = -9;
                    rimPointTarget(p.x, p.y, s, f);
                    ASSERT_EQ(sector, s) << n << " " << unit << " " << sector << "/" << slice;
                    ASSERT_EQ(slice, f) << n << " " << unit << " " << sector << "/" << slice;
                }
            }
        }
    }
}

TEST(RimPoint, AnyPressGivesAValidHuePosition) {
    for (int n : {4, 8, 128}) {
        layOutCharts(n, 3);
        const Layout& L = app.layout;
        for (int y = -50; y < L.clientHeight + 50; y += 7) {
            for (int x = -50; x < L.triLeft - 2 * L.unit; x += 7) {
                std::int8_t sector = -9;
                int slice = -9;
                rimPointTarget(x, y, sector, slice);
                ASSERT_GE(sector, 0);
                ASSERT_LE(sector, 5);
                ASSERT_GE(slice, 0);
                ASSERT_LT(slice, n);
            }
        }
    }
}

// ---- marker line ------------------------------------------------------------------

TEST(MarkerLine, LevelLine) {
    useLayout900x600();
    atLevel(16);
    markerLineEnds(1);
    EXPECT_EQ(614, app.interaction.dragLineX0);
    EXPECT_EQ(614 + 224, app.interaction.dragLineX1);
    EXPECT_EQ(75, app.interaction.dragLineY1);
    atLevel(0);
    markerLineEnds(1);
    EXPECT_EQ(75 + 448, app.interaction.dragLineY1);
    atLevel(8);
    markerLineEnds(1);
    EXPECT_EQ(299, app.interaction.dragLineY1);
}

TEST(MarkerLine, SliceLineEndsNextToTheRimDot) {
    useLayout900x600();
    atSlice(0, 4);
    markerLineEnds(2);
    EXPECT_EQ(254, app.interaction.dragLineX0);
    EXPECT_EQ(349, app.interaction.dragLineX1);
    EXPECT_EQ(131, app.interaction.dragLineY1);
    atSlice(0, 0);
    markerLineEnds(2);
    EXPECT_EQ(253, app.interaction.dragLineX1);
    EXPECT_EQ(75, app.interaction.dragLineY1);
    atHue(0, 1024);  // slice N: the upper right corner
    markerLineEnds(2);
    EXPECT_EQ(445, app.interaction.dragLineX1);
    EXPECT_EQ(187, app.interaction.dragLineY1);
}

TEST(MarkerLine, SliceLineMatchesTheMarkerTipWithoutClearance) {
    for (int n : {4, 8, 128}) {
        layOutCharts(n, 3);
        for (int sector = 0; sector < 6; ++sector) {
            for (int slice = 0; slice <= n; ++slice) {
                atHue(sector, slice * 1024 / n);
                ClientPoint marker[3];
                sliceMarkerPolygon(false, marker);
                markerLineEnds(2);
                EXPECT_EQ(marker[0].x, app.interaction.dragLineX1) << n << " " << sector << "/" << slice;
                EXPECT_EQ(marker[0].y, app.interaction.dragLineY1) << n << " " << sector << "/" << slice;
            }
        }
    }
}

TEST(MarkerLine, OtherModesLeaveTheEndsAlone) {
    useLayout900x600();
    app.interaction.dragLineX0 = 1;
    app.interaction.dragLineX1 = 2;
    app.interaction.dragLineY1 = 3;
    for (int mode : {0, 3, -1}) {
        markerLineEnds(mode);
        EXPECT_EQ(1, app.interaction.dragLineX0);
        EXPECT_EQ(2, app.interaction.dragLineX1);
        EXPECT_EQ(3, app.interaction.dragLineY1);
    }
}

// A press in the level track sets level N - row, clamped; check the ends.
TEST(LevelTrack, RowsMapToLevels) {
    useLayout900x600();
    int col = 0;
    int row = 0;
    ASSERT_TRUE(gridCell(860, 300 - 8 * 28, col, row));
    EXPECT_EQ(-8, row);  // level 16 at the top
    ASSERT_TRUE(gridCell(860, 300 + 8 * 28, col, row));
    EXPECT_EQ(8, row);  // level 0 at the bottom
}

}  // namespace
