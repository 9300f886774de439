// Level and hue navigation on the real window: state, pickMark transitions,
// the redraws each move makes and the inverted marker line.
#include <cmath>

#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/triangle.h"
#include "main_window_harness.h"
#include "paint_canvas.h"
#include "app/steps_win.h"
#include "navigate/navigation.h"
#include "pick/locate.h"
#include "app/scene_win.h"

using namespace harness;

namespace {

// A client of 900 x 600 at grid 8: unit 14, big enough markers to look into.
class NavigateTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetWindowPos(shell.mainWindow, NULL, 0, 0, 900 + app.layout.frameWidth,
                     600 + app.layout.frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        settle();
        ASSERT_EQ(app.layout.clientWidth, 900);
        ASSERT_EQ(app.layout.clientHeight, 600);
        ASSERT_EQ(app.layout.unit, 14);
    }
};

ClientPoint levelMarkerInside() {
    ClientPoint p[3];
    levelMarkerPolygon(p);
    return centroid(p);
}

ClientPoint sliceMarkerInside() {
    ClientPoint p[3];
    sliceMarkerPolygon(true, p);
    return centroid(p);
}

const std::uint32_t BlackPixel = 0x000000;

// ---------------------------------------------------------------- setLevel

TEST_F(NavigateTest, SetLevelMovesTheMarkerAndRepaintsTheHexagon) {
    const std::uint32_t bg = snapshotColor(app.settings.bgColor);
    const ClientPoint oldMarker = levelMarkerInside();
    ASSERT_EQ(snapshotClient().at(oldMarker.x, oldMarker.y), BlackPixel);

    setLevel(5, false);
    EXPECT_EQ(app.chart.level, 5);
    EXPECT_EQ(app.settings.levelPos, 5 * 1024 / 8);
    const ClientPoint newMarker = levelMarkerInside();
    const Snapshot shot = snapshotClient();
    EXPECT_EQ(shot.at(oldMarker.x, oldMarker.y), bg);
    EXPECT_EQ(shot.at(newMarker.x, newMarker.y), BlackPixel);
    const int gray = app.chart.centerGray;
    EXPECT_EQ(shot.at(app.layout.hexCenterX, app.layout.hexCenterY),
              snapshotColor(makeColor(gray, gray, gray)));
    // Every dot of the hexagon shows the new level.
    int wrong = 0;
    forEachHexagonDot([&](int x, int y, COLORREF c) {
        wrong += shot.at(x, y) != snapshotColor(c) ? 1 : 0;
    });
    EXPECT_EQ(wrong, 0);
}

TEST_F(NavigateTest, SetLevelToTheCurrentLevelDoesNothingAtAll) {
    app.settings.pick.pickMark = 3;
    const Snapshot before = snapshotClient();
    setLevel(app.chart.level, true);
    EXPECT_EQ(app.settings.pick.pickMark, 3);
    EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
}

TEST_F(NavigateTest, LevelKeepsItsPlaceInEveryGridSize) {
    for (int index = 0; index < GridSizeCount; ++index) {
        SCOPED_TRACE(index);
        app.settings.sizeIndex = index;
        app.settings.gridSize = GridSizes[index];
        updateLevel();
        const int n = GridSizes[index];
        for (int level : {0, 1, n - 1, n, 2 * n - 1, 2 * n}) {
            app.chart.level = -1;   // force the move
            setLevel(level, false);
            EXPECT_EQ(app.chart.level, level);
        }
    }
}

// ---------------------------------------------------------------- setSlice

TEST_F(NavigateTest, SetSliceMovesTheMarkerAndRepaintsTheTriangle) {
    const std::uint32_t bg = snapshotColor(app.settings.bgColor);
    const ClientPoint oldMarker = sliceMarkerInside();
    ASSERT_EQ(snapshotClient().at(oldMarker.x, oldMarker.y), BlackPixel);

    setSlice(2, 3, false);
    EXPECT_EQ(app.settings.sector, 2);
    EXPECT_EQ(app.chart.slice, 3);
    EXPECT_EQ(app.settings.slicePos, 3 * 1024 / 8);
    const ClientPoint newMarker = sliceMarkerInside();
    const Snapshot shot = snapshotClient();
    EXPECT_EQ(shot.at(oldMarker.x, oldMarker.y), bg);
    EXPECT_EQ(shot.at(newMarker.x, newMarker.y), BlackPixel);
    int wrong = 0;
    forEachTriangleDot([&](int x, int y, COLORREF c) {
        wrong += shot.at(x, y) != snapshotColor(c) ? 1 : 0;
    });
    EXPECT_EQ(wrong, 0);
}

TEST_F(NavigateTest, SetSliceToTheCurrentPositionDoesNothingAtAll) {
    app.settings.pick.pickMark = 3;
    const Snapshot before = snapshotClient();
    setSlice(app.settings.sector, app.chart.slice, true);
    EXPECT_EQ(app.settings.pick.pickMark, 3);
    EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
}

// ---------------------------------------------------------------- pickMark

TEST_F(NavigateTest, MovesMarkWhichRingStillMatches) {
    struct MarkCase {
        std::int8_t start, afterLevel, afterSlice;
    };
    const MarkCase cases[] = {{3, 2, 4}, {-3, -2, -4}, {1, 4, 4}, {-1, -4, -4}, {0, 0, 0}};
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.start);
        resetMainWindow();
        app.settings.pick.pickMark = c.start;
        stepLevel(-1, false);
        EXPECT_EQ(app.settings.pick.pickMark, c.afterLevel);
        stepSlice(-1, false);
        EXPECT_EQ(app.settings.pick.pickMark, c.afterSlice);
    }
    // A slice change first: 3 -> 1, then a level change 1 -> 4.
    resetMainWindow();
    app.settings.pick.pickMark = 3;
    stepSlice(+1, false);
    EXPECT_EQ(app.settings.pick.pickMark, 1);
    stepLevel(-1, false);
    EXPECT_EQ(app.settings.pick.pickMark, 4);
}

TEST_F(NavigateTest, TheOverlayIsDrawnAfterTheChartItCrosses) {
    // Pick a colour, show the overlay, then move the level: the line must lie
    // on top of the freshly painted hexagon.
    PickState& pick = app.settings.pick;
    pick.pickColor = makeColor(200, 60, 40);
    pick.pickActive = 1;
    locatePick();
    jumpToPick();
    pick.pickMark = 3;
    drawPickOverlay(3);
    stepLevel(-1, false);
    ASSERT_EQ(pick.pickMark, 2);
    const double dx = pick.pickTriX - pick.pickHexX;
    const double dy = pick.pickTriY - pick.pickHexY;
    const double length = std::sqrt(dx * dx + dy * dy);
    // 14 pixels along the line from the hexagon end: past the ring, on the
    // black core of the line, over the hexagon's dots.
    const int x = pick.pickHexX + (int)std::lround(14 * dx / length);
    const int y = pick.pickHexY + (int)std::lround(14 * dy / length);
    EXPECT_EQ(snapshotClient().at(x, y), BlackPixel);
}

// ---------------------------------------------------------------- steps

TEST_F(NavigateTest, LevelStepsFineAndCoarse) {
    const int n = app.settings.gridSize;
    struct StepCase {
        int startPos;
        int direction;
        bool coarse;
        int level;
    };
    const StepCase cases[] = {
        {2048, +1, false, 2 * n},   // at the top: nothing
        {2048, -1, false, 2 * n - 1},
        {0, -1, false, 0},          // at the bottom: nothing
        {0, +1, false, 1},
        {1800, +1, true, 2 * n},    // 2312 clamps to 2048
        {300, -1, true, 0},
        {1024, +1, true, 12},
        {1024, -1, true, 4},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.startPos << " " << c.direction << " " << c.coarse);
        app.settings.levelPos = c.startPos;
        updateLevel();
        stepLevel(c.direction, c.coarse);
        EXPECT_EQ(app.chart.level, c.level);
    }
}

TEST_F(NavigateTest, SliceStepsWrapRoundTheSectors) {
    const int n = app.settings.gridSize;
    struct StepCase {
        std::int8_t sector;
        int slice;
        int direction;
        bool coarse;
        std::int8_t toSector;
        int toSlice;
    };
    const StepCase cases[] = {
        {5, n - 1, -1, false, 0, 0},
        {0, 0, +1, false, 5, n - 1},
        {2, 3, -1, false, 2, 4},
        {2, 3, +1, false, 2, 2},
        {1, n / 2, -1, true, 2, 0},       // slicePos 512 forward: next vertex
        {1, n / 2, +1, true, 1, 0},       // back: this sector's vertex
        {1, 0, +1, true, 0, n / 2},       // from a vertex back: previous midpoint
        {1, 1, -1, true, 1, n / 2},
        {1, n - 1, +1, true, 1, n / 2},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (int)c.sector << ":" << c.slice << " " << c.direction
                                        << " " << c.coarse);
        setSlice(c.sector, c.slice, false);
        stepSlice(c.direction, c.coarse);
        EXPECT_EQ(app.settings.sector, c.toSector);
        EXPECT_EQ(app.chart.slice, c.toSlice);
    }
}

TEST_F(NavigateTest, RimPointsSelectTheNearestRimDot) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    struct RimCase {
        int x, y;
        std::int8_t sector;
        int slice;
    };
    const RimCase cases[] = {
        {L.hexCenterX, L.hexCenterY - 2 * n * L.unit - 20, 0, 0},      // straight above
        {L.hexCenterX, L.hexCenterY + 2 * n * L.unit + 20, 3, 0},      // straight below
        {L.hexCenterX + n * L.hStep + 30, L.hexCenterY - n * L.unit - 40, 1, 0},   // upper right
        {L.hexCenterX - n * L.hStep - 30, L.hexCenterY + n * L.unit + 40, 4, 0},   // lower left
        {L.hexCenterX + n * L.hStep + 20, L.hexCenterY, 1, n / 2},      // right side, middle
    };
    for (const RimCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        setSlice(2, 3, false);
        selectRimPoint(c.x, c.y);
        EXPECT_EQ(app.settings.sector, c.sector);
        EXPECT_EQ(app.chart.slice, c.slice);
    }
}

// ---------------------------------------------------------------- jumpToPick

TEST_F(NavigateTest, JumpToPickMovesBothChartsWithoutTouchingTheMark) {
    PickState& pick = app.settings.pick;
    pick.pickSector = 4;
    pick.pickSlicePos = 384;
    pick.pickLevelPos = 640;
    pick.pickMark = 1;
    jumpToPick();
    EXPECT_EQ(app.settings.sector, 4);
    EXPECT_EQ(app.chart.slice, 3);
    EXPECT_EQ(app.chart.level, 5);
    EXPECT_EQ(pick.pickMark, 1);
}

TEST_F(NavigateTest, JumpToAGreyMovesOnlyTheLevel) {
    PickState& pick = app.settings.pick;
    pick.pickSector = -1;
    pick.pickSlicePos = 0;
    pick.pickLevelPos = 1024;
    jumpToPick();
    EXPECT_EQ(app.settings.sector, 0);
    EXPECT_EQ(app.chart.slice, 4);
    EXPECT_EQ(app.chart.level, 8);
}

TEST_F(NavigateTest, JumpToTheOuterRingKeepsTheLevel) {
    PickState& pick = app.settings.pick;
    pick.pickSector = 2;
    pick.pickSlicePos = 1020;   // rounds to slice N: the far corner
    pick.pickLevelPos = -1;
    jumpToPick();
    EXPECT_EQ(app.settings.sector, 2);
    EXPECT_EQ(app.chart.slice, 8);
    EXPECT_EQ(app.settings.slicePos, 1024);
    EXPECT_EQ(app.chart.level, 16);
}

// ---------------------------------------------------------------- marker line

TEST_F(NavigateTest, MarkerLinesAreRemovedPixelForPixel) {
    for (MarkerLine mode : {LineLevel, LineSlice}) {
        SCOPED_TRACE(mode);
        const Snapshot before = snapshotClient();
        markerLine(mode);
        EXPECT_EQ(GetCapture(), shell.mainWindow);
        const Snapshot shown = snapshotClient();
        EXPECT_GT(countDifferences(before, shown), 100);
        EXPECT_EQ(GetROP2(shell.drawingDC), R2_COPYPEN);
        EXPECT_EQ(GetCurrentObject(shell.drawingDC, OBJ_PEN), (HGDIOBJ)gdi.whitePen9);
        markerLine(LineHide);
        EXPECT_NE(GetCapture(), shell.mainWindow);
        EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
    }
}

TEST_F(NavigateTest, TheLevelLineInvertsWhatLiesUnderIt) {
    const Layout& L = app.layout;
    setLevel(6, false);
    const Snapshot before = snapshotClient();
    markerLine(LineLevel);
    EXPECT_EQ(app.interaction.dragLineX0, L.triLeft);
    EXPECT_EQ(app.interaction.dragLineX1, L.triLeft + 2 * L.unit * 8);
    EXPECT_EQ(app.interaction.dragLineY1, L.hexCenterY + 2 * L.unit * (8 - 6) - 1);
    const Snapshot shown = snapshotClient();
    // Half way along the stroke every pixel is the inverse of what was there.
    const int x = (L.triLeft - 1 + app.interaction.dragLineX1) / 2;
    const int y = (L.hexCenterY - 1 + app.interaction.dragLineY1) / 2;
    EXPECT_EQ(shown.at(x, y), ~before.at(x, y) & 0xFFFFFF);
    markerLine(LineHide);
}

TEST_F(NavigateTest, ASecondLineWhileOneIsShownDrawsNothing) {
    markerLine(LineSlice);
    const Interaction ends = app.interaction;
    setSlice(3, 2, false);   // would give the slice line other ends
    const Snapshot moved = snapshotClient();
    markerLine(LineSlice);
    EXPECT_EQ(countDifferences(moved, snapshotClient()), 0);
    EXPECT_EQ(app.interaction.dragLineX1, ends.dragLineX1);
    EXPECT_EQ(app.interaction.dragLineY1, ends.dragLineY1);
    markerLine(LineHide);
    EXPECT_NE(GetCapture(), shell.mainWindow);
}

TEST_F(NavigateTest, EndingWithoutALineDrawsNothing) {
    const Snapshot before = snapshotClient();
    markerLine(LineHide);
    EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
    // Another window holding the capture is none of ours either.
    SetCapture(shell.sizeCombo);
    markerLine(LineHide);
    EXPECT_EQ(GetCapture(), shell.sizeCombo);
    EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
    ReleaseCapture();
}

TEST_F(NavigateTest, EveryKeyWheelAndReleaseEndsTheLine) {
    const UINT enders[] = {WM_KEYDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEWHEEL};
    for (UINT message : enders) {
        SCOPED_TRACE(message);
        const Snapshot before = snapshotClient();
        markerLine(LineLevel);
        ASSERT_EQ(GetCapture(), shell.mainWindow);
        // A key with no command, a release on nothing, a wheel on the
        // level track at the top level: each ends the line and does no more.
        const int x = app.layout.clientWidth - 5;
        const int y = app.layout.clientHeight / 2;
        const WPARAM wParam = message == WM_KEYDOWN ? (WPARAM)'Q'
                            : message == WM_MOUSEWHEEL ? MAKEWPARAM(0, 120) : 0;
        const LPARAM lParam = message == WM_KEYDOWN ? 1
                            : message == WM_MOUSEWHEEL ? screenPoint(x, y) : clientPoint(x, y);
        send(message, wParam, lParam);
        EXPECT_NE(GetCapture(), shell.mainWindow);
        EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
    }
}

// Whatever takes the capture away takes the line with it, and the next
// press shows and removes one line only.
TEST_F(NavigateTest, ALostCaptureRemovesTheLine) {
    const Snapshot before = snapshotClient();
    for (int taker = 0; taker < 2; ++taker) {
        SCOPED_TRACE(taker);
        markerLine(taker == 0 ? LineLevel : LineSlice);
        ASSERT_EQ(GetCapture(), shell.mainWindow);
        if (taker == 0)
            SetCapture(shell.sizeCombo);
        else
            send(WM_CANCELMODE, 0, 0);
        EXPECT_NE(GetCapture(), shell.mainWindow);
        EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
        ReleaseCapture();
        markerLine(LineSlice);
        EXPECT_GT(countDifferences(before, snapshotClient()), 100);
        markerLine(LineHide);
        EXPECT_EQ(countDifferences(before, snapshotClient()), 0);
    }
}

}  // namespace
