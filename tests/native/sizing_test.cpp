#include <gtest/gtest.h>

#include "app/sizing.h"
#include "app/state.h"

namespace {

void sizingFor(int gridSize, int frameWidth = 0, int frameHeight = 0) {
    app = AppState();
    app.layout.frameWidth = frameWidth;
    app.layout.frameHeight = frameHeight;
    app.settings.gridSize = gridSize;
}

WindowRect rect(int left, int top, int right, int bottom) {
    WindowRect r;
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}

void expectRect(const WindowRect& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
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
    for (int k = 0; k < GridSizeCount; ++k) {
        const int n = GridSizes[k];
        sizingFor(n, 16, 39);
        EXPECT_EQ(heightForWidth(0), 39 + 4 * n + 98) << "N " << n;
    }
}

TEST(HeightForWidth, WholeUnitsAndNeverAboveTheHeight) {
    for (int k = 0; k < GridSizeCount; ++k) {
        const int n = GridSizes[k];
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
    const Settings& s = app.settings;
    expectRect(s.normalRect, 0, 0, 16 + 476, 39 + 340);
    EXPECT_EQ(s.sizeIndex, 2);
    EXPECT_EQ(s.gridSize, 8);
    EXPECT_EQ(s.levelPos, 2048);
    EXPECT_EQ(s.sector, 0);
    EXPECT_EQ(s.slicePos, 512);
    EXPECT_EQ(s.bgColor, 0xC8C8C8u);
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(s.palette[k], 0xC8C8C8u) << "slot " << k;
    EXPECT_EQ(s.pick.pickActive, 0);
    EXPECT_EQ(s.pick.pickColor, 0xC8C8C8u);
    EXPECT_EQ(s.pick.pickHexX, 0);
    EXPECT_EQ(s.pick.pickHexY, 0);
    EXPECT_EQ(s.pick.pickTriX, 0);
    EXPECT_EQ(s.pick.pickTriY, 0);
    EXPECT_EQ(s.pick.pickSector, 0);
    EXPECT_EQ(s.pick.pickSlicePos, 512);
    EXPECT_EQ(s.pick.pickLevelPos, 2048);
    EXPECT_EQ(s.pick.pickMark, -3);
    EXPECT_EQ(s.pick.pickFormat, 1);
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
    expectRect(app.settings.normalRect, 0, 0, 476, 340);
}

// w = 600, h = 400: widthForHeight(h) = 528, heightForWidth(w) = 402, so
// e - w = -72 and f - h = 2: at a corner the height follows.
TEST(ConstrainSizing, EachEdgeWhenTheHeightLags) {
    sizingFor(8);
    struct Row { int edge, left, top, right, bottom; };
    const Row rows[] = {
        {EdgeLeft, 100, 50, 700, 452},
        {EdgeRight, 100, 50, 700, 452},
        {EdgeTop, 100, 50, 628, 450},
        {EdgeBottom, 100, 50, 628, 450},
        {EdgeTopLeft, 100, 48, 700, 450},
        {EdgeTopRight, 100, 48, 700, 450},
        {EdgeBottomLeft, 100, 50, 700, 452},
        {EdgeBottomRight, 100, 50, 700, 452},
    };
    for (const Row& row : rows) {
        WindowRect r = rect(100, 50, 700, 450);
        constrainSizing(row.edge, r);
        SCOPED_TRACE(testing::Message() << "edge " << row.edge);
        expectRect(r, row.left, row.top, row.right, row.bottom);
    }
}

// w = 300, h = 500: widthForHeight(h) = 668, heightForWidth(w) = 198, so
// e - w = 368 > f - h = -302: at a corner the width follows.
TEST(ConstrainSizing, EachEdgeWhenTheWidthLags) {
    sizingFor(8);
    struct Row { int edge, left, top, right, bottom; };
    const Row rows[] = {
        {EdgeLeft, 100, 50, 400, 248},
        {EdgeRight, 100, 50, 400, 248},
        {EdgeTop, 100, 50, 768, 550},
        {EdgeBottom, 100, 50, 768, 550},
        {EdgeTopLeft, -268, 50, 400, 550},
        {EdgeTopRight, 100, 50, 768, 550},
        {EdgeBottomLeft, -268, 50, 400, 550},
        {EdgeBottomRight, 100, 50, 768, 550},
    };
    for (const Row& row : rows) {
        WindowRect r = rect(100, 50, 400, 550);
        constrainSizing(row.edge, r);
        SCOPED_TRACE(testing::Message() << "edge " << row.edge);
        expectRect(r, row.left, row.top, row.right, row.bottom);
    }
}

// w = 440, h = 316: e = 424, f = 300, so e - w = f - h = -16; a tie sets
// the height.
TEST(ConstrainSizing, TieAtACornerSetsTheHeight) {
    sizingFor(8);
    WindowRect r = rect(0, 0, 440, 316);
    constrainSizing(EdgeBottomRight, r);
    expectRect(r, 0, 0, 440, 300);
    r = rect(0, 0, 440, 316);
    constrainSizing(EdgeTopLeft, r);
    expectRect(r, 0, 16, 440, 316);
}

TEST(ConstrainSizing, UsesTheFrame) {
    sizingFor(8, 16, 39);
    WindowRect r = rect(10, 20, 10 + 16 + 476, 20 + 39 + 360);
    constrainSizing(EdgeRight, r);
    expectRect(r, 10, 20, 10 + 16 + 476, 20 + 39 + 300);
    r = rect(10, 20, 10 + 600, 20 + 39 + 340);
    constrainSizing(EdgeBottom, r);
    expectRect(r, 10, 20, 10 + 16 + 476, 20 + 39 + 340);
}

TEST(ConstrainSizing, UnknownEdgeChangesNothing) {
    sizingFor(8);
    const int edges[] = {0, 9, -1};
    for (int edge : edges) {
        WindowRect r = rect(100, 50, 700, 450);
        constrainSizing(edge, r);
        expectRect(r, 100, 50, 700, 450);
    }
}

TEST(ConstrainSizing, AlreadyProportionalStaysPut) {
    // 528 x 368 is a fixed point for N = 8: 8 units each way.
    sizingFor(8);
    for (int edge = 1; edge <= 8; ++edge) {
        WindowRect r = rect(0, 0, 528, 368);
        constrainSizing(edge, r);
        SCOPED_TRACE(testing::Message() << "edge " << edge);
        expectRect(r, 0, 0, 528, 368);
    }
}

void workArea(int left, int top, int right, int bottom) {
    app.layout.workArea = rect(left, top, right, bottom);
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
    // Too wide: the width shrinks to the height's width.
    int cx = 600;
    int cy = 400;
    constrainWindowPos(50, cx, cy, 0x114);
    EXPECT_EQ(cx, 528);
    EXPECT_EQ(cy, 400);
    // Too tall: the height shrinks to the width's height.
    cx = 300;
    cy = 500;
    constrainWindowPos(50, cx, cy, 0x114);
    EXPECT_EQ(cx, 300);
    EXPECT_EQ(cy, 198);
    // Width right for the height, height above the width's: the height goes.
    cx = 424;
    cy = 300;
    constrainWindowPos(50, cx, cy, 0x114);
    EXPECT_EQ(cx, 424);
    EXPECT_EQ(cy, 266);
    // Both at the proportion (8 units): nothing changes.
    cx = 528;
    cy = 368;
    constrainWindowPos(50, cx, cy, 0x114);
    EXPECT_EQ(cx, 528);
    EXPECT_EQ(cy, 368);
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

void expectStep(const StepCase& c) {
    app.layout.clientHeight = c.clientHeight;
    const WindowRect r = rect(200, c.windowTop, 900, c.windowBottom);
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

TEST(StepHeightTarget, ShrinkStopsAt300) {
    sizingFor(8, 16, 39);
    workArea(0, 0, 1920, 1040);
    const StepCase cases[] = {
        {-1, 400, 100, 539, 376, 100},
        {-1, 325, 100, 464, 301, 100},
        {-1, 324, 100, 463, 300, 100},
        {-1, 310, 100, 449, 300, 100},
        {-1, 300, 100, 439, 300, 100},
    };
    for (const StepCase& c : cases)
        expectStep(c);
}

TEST(StepHeightTarget, GrowDownwardsWithRoomBelow) {
    sizingFor(8, 16, 39);
    workArea(0, 0, 1920, 1040);
    const StepCase cases[] = {
        {1, 400, 100, 539, 424, 100},
        {1, 400, 577, 1016, 424, 577},  // bottom exactly 24 above: still room
    };
    for (const StepCase& c : cases)
        expectStep(c);
}

TEST(StepHeightTarget, GrowUpwardsAtTheBottom) {
    sizingFor(8, 16, 39);
    workArea(0, 0, 1920, 1040);
    const StepCase cases[] = {
        // Bottom 10 above the work area's bottom: grows by 24, moves up 14.
        {1, 400, 591, 1030, 424, 577},
        {1, 400, 578, 1017, 424, 577},
        // Bottom already below the work area: lands on its bottom.
        {1, 400, 700, 1139, 424, 577},
    };
    for (const StepCase& c : cases)
        expectStep(c);
}

TEST(StepHeightTarget, GrowToTheFullWorkAreaHeight) {
    sizingFor(8, 16, 39);
    workArea(0, 40, 1920, 1080);  // limit = 1080 - 39 - 40 = 1001
    const StepCase cases[] = {
        {1, 990, 60, 1089, 1001, 40},
        {1, 977, 60, 1076, 1001, 40},  // exactly reaches the limit
        {1, 977, 0, 1016, 1001, 40},   // ... from above the work area
        {1, 976, 60, 1075, 1000, 41},  // one short: grows, moves up to fit
        {1, 1200, 0, 1239, 1001, 40},  // taller than the work area already
    };
    for (const StepCase& c : cases)
        expectStep(c);
}

TEST(StepHeightTarget, NoDirectionChangesNothing) {
    sizingFor(8, 16, 39);
    workArea(0, 0, 1920, 1040);
    expectStep({0, 400, 100, 539, 400, 100});
}

}  // namespace
