#include <gtest/gtest.h>

#include <vector>

#include "app/sizing.h"
#include "core/state.h"
#include "test_support.h"

namespace {

void sizingFor(int gridSize, int frameWidth = 0, int frameHeight = 0) {
    app = AppState();
    app.layout.frameWidth = frameWidth;
    app.layout.frameHeight = frameHeight;
    app.settings.gridSize = gridSize;
}

const int EdgeLeft = 1, EdgeRight = 2, EdgeTop = 3, EdgeTopLeft = 4, EdgeTopRight = 5,
          EdgeBottom = 6, EdgeBottomLeft = 7, EdgeBottomRight = 8;

TEST(WidthForHeight, WorkedValuesGrid8) {
    sizingFor(8);
    EXPECT_EQ(widthForHeight(340), 476);
    EXPECT_EQ(widthForHeight(300), 424);
    EXPECT_EQ(widthForHeight(400), 528);
    EXPECT_EQ(widthForHeight(0), 144 + 2 * (8 * 2 + 10));  // unit forced to 1
}

TEST(WidthForHeight, AddsTheFrame) {
    sizingFor(8, 16, 39);
    EXPECT_EQ(widthForHeight(39 + 340), 16 + 476);
    EXPECT_EQ(widthForHeight(39 + 300), 16 + 424);
}

TEST(HeightForWidth, WorkedValuesGrid8) {
    sizingFor(8);
    EXPECT_EQ(heightForWidth(476), 300);
    EXPECT_EQ(heightForWidth(500), 334);
    EXPECT_EQ(heightForWidth(0), 130);
    EXPECT_EQ(heightForWidth(600), 402);
}

TEST(HeightForWidth, AtZeroWidthIsOneUnit) {
    for (int n : GridSizes) {
        sizingFor(n, 16, 39);
        EXPECT_EQ(heightForWidth(0), 39 + 4 * n + 98) << "N " << n;
    }
}

TEST(HeightForWidth, WholeUnitsAndNeverAboveTheHeight) {
    for (int n : GridSizes) {
        sizingFor(n, 16, 39);
        for (int h = 39 + 4 * n + 98; h < 39 + 4000; h += 7) {
            const int back = heightForWidth(widthForHeight(h));
            EXPECT_LE(back, h) << "N " << n << " h " << h;
            EXPECT_EQ((back - 39 - 96) % (4 * n + 2), 0) << "N " << n << " h " << h;
        }
    }
}

TEST(DefaultSettings, FirstRunValues) {
    app = AppState();
    app.layout.frameWidth = 16;
    app.layout.frameHeight = 39;
    app.settings.gridSize = 128;  // whatever was there before must not matter
    setDefaultSettings();
    Settings expected = firstRunSettings();
    expected.normalRect = {0, 0, 16 + 476, 39 + 340};
    expectSameSettings(expected, app.settings);
    EXPECT_EQ(app.settings.gridSize, 8);
}

TEST(DefaultSettings, OverwritesEarlierValues) {
    app = AppState();
    app.settings.levelPos = 7;
    app.settings.sector = 4;
    app.settings.palette[9] = 0x123456;
    app.settings.pick.pickActive = 1;
    app.settings.pick.pickHexX = 99;
    setDefaultSettings();
    EXPECT_EQ(app.settings.levelPos, 2048);
    EXPECT_EQ(app.settings.sector, 0);
    EXPECT_EQ(app.settings.palette[9], 0xC8C8C8u);
    EXPECT_EQ(app.settings.pick.pickActive, 0);
    EXPECT_EQ(app.settings.pick.pickHexX, 0);
    expectRect(app.settings.normalRect, {0, 0, 476, 340});
}

struct EdgeCase {
    int edge;
    WindowRect expected;
};

// Drags each edge or corner of the window `start` and checks the rectangle
// constrainSizing makes of it.
void expectEachEdge(const WindowRect& start, const std::vector<EdgeCase>& cases) {
    for (const EdgeCase& c : cases) {
        WindowRect r = start;
        constrainSizing(c.edge, r);
        SCOPED_TRACE(testing::Message() << "edge " << c.edge);
        expectRect(r, c.expected);
    }
}

// w = 600, h = 400: widthForHeight(h) = 528, heightForWidth(w) = 402, so
// e - w = -72 and f - h = 2: at a corner the height follows.
TEST(ConstrainSizing, EachEdgeWhenTheHeightLags) {
    sizingFor(8);
    expectEachEdge({100, 50, 700, 450}, {
        {EdgeLeft, {100, 50, 700, 452}},
        {EdgeRight, {100, 50, 700, 452}},
        {EdgeTop, {100, 50, 628, 450}},
        {EdgeBottom, {100, 50, 628, 450}},
        {EdgeTopLeft, {100, 48, 700, 450}},
        {EdgeTopRight, {100, 48, 700, 450}},
        {EdgeBottomLeft, {100, 50, 700, 452}},
        {EdgeBottomRight, {100, 50, 700, 452}},
    });
}

// w = 300, h = 500: widthForHeight(h) = 668, heightForWidth(w) = 198, so
// e - w = 368 > f - h = -302: at a corner the width follows.
TEST(ConstrainSizing, EachEdgeWhenTheWidthLags) {
    sizingFor(8);
    expectEachEdge({100, 50, 400, 550}, {
        {EdgeLeft, {100, 50, 400, 248}},
        {EdgeRight, {100, 50, 400, 248}},
        {EdgeTop, {100, 50, 768, 550}},
        {EdgeBottom, {100, 50, 768, 550}},
        {EdgeTopLeft, {-268, 50, 400, 550}},
        {EdgeTopRight, {100, 50, 768, 550}},
        {EdgeBottomLeft, {-268, 50, 400, 550}},
        {EdgeBottomRight, {100, 50, 768, 550}},
    });
}

// w = 440, h = 316: e = 424, f = 300, so e - w = f - h = -16; a tie sets
// the height.
TEST(ConstrainSizing, TieAtACornerSetsTheHeight) {
    sizingFor(8);
    expectEachEdge({0, 0, 440, 316}, {
        {EdgeBottomRight, {0, 0, 440, 300}},
        {EdgeTopLeft, {0, 16, 440, 316}},
    });
}

TEST(ConstrainSizing, UsesTheFrame) {
    sizingFor(8, 16, 39);
    expectEachEdge({10, 20, 10 + 16 + 476, 20 + 39 + 360},
                   {{EdgeRight, {10, 20, 10 + 16 + 476, 20 + 39 + 300}}});
    expectEachEdge({10, 20, 10 + 600, 20 + 39 + 340},
                   {{EdgeBottom, {10, 20, 10 + 16 + 476, 20 + 39 + 340}}});
}

TEST(ConstrainSizing, UnknownEdgeChangesNothing) {
    sizingFor(8);
    const WindowRect start = {100, 50, 700, 450};
    expectEachEdge(start, {{0, start}, {9, start}, {-1, start}});
}

TEST(ConstrainSizing, AlreadyProportionalStaysPut) {
    // 528 x 368 is a fixed point for N = 8: 8 units each way.
    sizingFor(8);
    const WindowRect start = {0, 0, 528, 368};
    for (int edge = 1; edge <= 8; ++edge)
        expectEachEdge(start, {{edge, start}});
}

void workArea(int left, int top, int right, int bottom) {
    app.layout.workArea = {left, top, right, bottom};
}

TEST(ConstrainWindowPos, FullWorkAreaHeightTakesItsWidth) {
    sizingFor(8, 16, 39);
    workArea(0, 30, 1920, 1070);
    int cx = 5000;
    int cy = 1040;
    constrainWindowPos(30, cx, cy, 0);
    EXPECT_EQ(cx, widthForHeight(1040));
    EXPECT_EQ(cy, 1040);

    // Widens as well as narrows, whatever the flags.
    cx = 10;
    cy = 1040;
    constrainWindowPos(30, cx, cy, 0x114);
    EXPECT_EQ(cx, widthForHeight(1040));
    EXPECT_EQ(cy, 1040);
}

TEST(ConstrainWindowPos, FullHeightElsewhereIsNotTheFirstCase) {
    sizingFor(8, 16, 39);
    workArea(0, 30, 1920, 1070);
    int cx = 5000;
    int cy = 1040;
    constrainWindowPos(0, cx, cy, 0);  // top of the screen, not of the work area
    EXPECT_EQ(cx, 5000);
    cx = 5000;
    cy = 1070;  // the work area's bottom, not its height
    constrainWindowPos(30, cx, cy, 0);
    EXPECT_EQ(cx, 5000);
    EXPECT_EQ(cy, 1070);
}

TEST(ConstrainWindowPos, SystemResizeOnlyShrinks) {
    sizingFor(8);
    workArea(0, 0, 1920, 1080);
    struct Row {
        const char* what;
        int cx, cy, expectedCx, expectedCy;
    };
    const Row rows[] = {
        {"too wide: the width shrinks to the height's width", 600, 400, 528, 400},
        {"too tall: the height shrinks to the width's height", 300, 500, 300, 198},
        {"width right for the height, height above the width's: the height goes", 424, 300, 424, 266},
        {"both at the proportion (8 units): nothing changes", 528, 368, 528, 368},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        int cx = row.cx;
        int cy = row.cy;
        constrainWindowPos(50, cx, cy, 0x114);
        EXPECT_EQ(cx, row.expectedCx);
        EXPECT_EQ(cy, row.expectedCy);
    }
}

// The system holds the window to its widest: a width the rules ask for
// beyond it becomes that width, with the height that width holds.
TEST(ConstrainWindowPos, AWidthBeyondTheWidestWindowTakesItsHeightFromTheWidest) {
    sizingFor(8, 16, 39);
    workArea(0, 0, 1280, 984);
    app.layout.maxTrackWidth = 1292;
    struct Row {
        const char* what;
        int y, cx, cy;
        unsigned flags;
    };
    const Row rows[] = {
        {"full work-area height", 0, 700, 984, 0},
        {"system resize", 50, 2000, 984, 0x114},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_GT(widthForHeight(row.cy), 1292);
        int cx = row.cx;
        int cy = row.cy;
        constrainWindowPos(row.y, cx, cy, row.flags);
        EXPECT_EQ(cx, 1292);
        EXPECT_EQ(cy, heightForWidth(1292));
        EXPECT_LE(widthForHeight(cy), 1292);
    }
}

TEST(ConstrainWindowPos, OtherFlagsChangeNothing) {
    sizingFor(8);
    workArea(0, 0, 1920, 1080);
    const unsigned flags[] = {0, 0x4, 0x14, 0x104, 0x115, 0x116, 0x314};
    for (unsigned f : flags) {
        int cx = 600;
        int cy = 400;
        constrainWindowPos(50, cx, cy, f);
        EXPECT_EQ(cx, 600) << "flags " << f;
        EXPECT_EQ(cy, 400) << "flags " << f;
    }
}

struct StepCase {
    int direction;
    int clientHeight;
    int windowTop, windowBottom;
    int expectedClientHeight, expectedTop;
};

// Steps the client height of a window with a 16 x 39 frame at N = 8 in the
// given work area.
void expectSteps(const WindowRect& area, const std::vector<StepCase>& cases) {
    sizingFor(8, 16, 39);
    app.layout.workArea = area;
    for (const StepCase& c : cases) {
        app.layout.clientHeight = c.clientHeight;
        const WindowRect r = {200, c.windowTop, 900, c.windowBottom};
        int height = -1;
        int top = -1;
        stepHeightTarget(c.direction, r, height, top);
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << " client "
                                        << c.clientHeight << " window " << c.windowTop << ".."
                                        << c.windowBottom);
        EXPECT_EQ(height, c.expectedClientHeight);
        EXPECT_EQ(top, c.expectedTop);
        EXPECT_EQ(app.layout.clientHeight, c.clientHeight);  // the shell stores it
    }
}

TEST(StepHeightTarget, ShrinkStopsAt300) {
    expectSteps({0, 0, 1920, 1040}, {
        {-1, 400, 100, 539, 376, 100},
        {-1, 325, 100, 464, 301, 100},
        {-1, 324, 100, 463, 300, 100},
        {-1, 310, 100, 449, 300, 100},
        {-1, 300, 100, 439, 300, 100},
    });
}

TEST(StepHeightTarget, GrowDownwardsWithRoomBelow) {
    expectSteps({0, 0, 1920, 1040}, {
        {1, 400, 100, 539, 424, 100},
        {1, 400, 577, 1016, 424, 577},  // bottom exactly 24 above: still room
    });
}

TEST(StepHeightTarget, GrowUpwardsAtTheBottom) {
    expectSteps({0, 0, 1920, 1040}, {
        // Bottom 10 above the work area's bottom: grows by 24, moves up 14.
        {1, 400, 591, 1030, 424, 577},
        {1, 400, 578, 1017, 424, 577},
        // Bottom already below the work area: lands on its bottom.
        {1, 400, 700, 1139, 424, 577},
    });
}

TEST(StepHeightTarget, GrowToTheFullWorkAreaHeight) {
    // limit = 1080 - 39 - 40 = 1001
    expectSteps({0, 40, 1920, 1080}, {
        {1, 990, 60, 1089, 1001, 40},
        {1, 977, 60, 1076, 1001, 40},  // exactly reaches the limit
        {1, 977, 0, 1016, 1001, 40},   // ... from above the work area
        {1, 976, 60, 1075, 1000, 41},  // one short: grows, moves up to fit
        {1, 1200, 0, 1239, 1001, 40},  // taller than the work area already
    });
}

TEST(StepHeightTarget, NoDirectionChangesNothing) {
    expectSteps({0, 0, 1920, 1040}, {{0, 400, 100, 539, 400, 100}});
}

}  // namespace
