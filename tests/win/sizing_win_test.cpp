// The sizing rules applied to the real window: WM_SIZING, WM_WINDOWPOSCHANGING
// and WM_GETMINMAXINFO as the window procedure answers them, Ctrl+wheel steps
// of the height and the re-proportioning after a new grid size.
#include "app/sizing.h"
#include "app/sizing_win.h"
#include "main_window_harness.h"

using namespace harness;

namespace {

class SizingTest : public MainWindowTest {
protected:
    RECT windowRect() const {
        RECT r;
        GetWindowRect(shell.mainWindow, &r);
        return r;
    }
    RECT clientRect() const {
        RECT r;
        GetClientRect(shell.mainWindow, &r);
        return r;
    }
    // Places the window with a given client height at the given top, at the
    // width the proportion asks for.
    void placeWindow(int top, int clientHeight) {
        const int height = app.layout.frameHeight + clientHeight;
        MoveWindow(shell.mainWindow, 10, top, widthForHeight(height), height, TRUE);
        settle();
        ASSERT_EQ(app.layout.clientHeight, clientHeight);
    }
    RECT sizing(int edge, RECT r) {
        send(WM_SIZING, (WPARAM)edge, (LPARAM)&r);
        return r;
    }
};

// ---------------------------------------------------------------- WM_SIZING

TEST_F(SizingTest, SideEdgesSetTheOtherDimension) {
    const RECT start = {100, 80, 100 + 700, 80 + 380};
    const int w = 700;
    const int h = 380;
    struct EdgeCase {
        int edge;
        RECT expected;
    };
    const EdgeCase cases[] = {
        {WMSZ_LEFT, {100, 80, 800, 80 + heightForWidth(w)}},
        {WMSZ_RIGHT, {100, 80, 800, 80 + heightForWidth(w)}},
        {WMSZ_TOP, {100, 80, 100 + widthForHeight(h), 460}},
        {WMSZ_BOTTOM, {100, 80, 100 + widthForHeight(h), 460}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.edge);
        const RECT r = sizing(c.edge, start);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST_F(SizingTest, WiderByTheRightEdgeGrowsTheHeightInWholeUnits) {
    const int fh = app.layout.frameHeight;
    const int unitRows = 4 * app.settings.gridSize + 2;
    for (int width = 476; width < 1400; width += 37) {
        SCOPED_TRACE(width);
        const RECT r = sizing(WMSZ_RIGHT, RECT{0, 0, width, 10});
        EXPECT_EQ((r.bottom - fh - 96) % unitRows, 0);
        EXPECT_EQ(r.right, width);
    }
}

TEST_F(SizingTest, CornersBringTheLaggingDimensionUp) {
    // A sideways drag leaves the height lagging; a downward drag the width.
    const RECT sideways = {200, 100, 200 + 1000, 100 + 380};
    const RECT downwards = {200, 100, 200 + 500, 100 + 800};
    auto widthLags = [](const RECT& r) {
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        return widthForHeight(h) - w > heightForWidth(w) - h;
    };
    ASSERT_FALSE(widthLags(sideways));
    ASSERT_TRUE(widthLags(downwards));
    const int sideH = heightForWidth(1000);
    const int downW = widthForHeight(800);
    struct CornerCase {
        int edge;
        RECT start;
        RECT expected;
    };
    const CornerCase cases[] = {
        {WMSZ_TOPLEFT, sideways, {200, 480 - sideH, 1200, 480}},
        {WMSZ_TOPRIGHT, sideways, {200, 480 - sideH, 1200, 480}},
        {WMSZ_BOTTOMLEFT, sideways, {200, 100, 1200, 100 + sideH}},
        {WMSZ_BOTTOMRIGHT, sideways, {200, 100, 1200, 100 + sideH}},
        {WMSZ_TOPLEFT, downwards, {700 - downW, 100, 700, 900}},
        {WMSZ_TOPRIGHT, downwards, {200, 100, 200 + downW, 900}},
        {WMSZ_BOTTOMLEFT, downwards, {700 - downW, 100, 700, 900}},
        {WMSZ_BOTTOMRIGHT, downwards, {200, 100, 200 + downW, 900}},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edge << (c.start.right == 1200 ? " sideways" : " down"));
        const RECT r = sizing(c.edge, c.start);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST_F(SizingTest, UnknownSizingCodesLeaveTheRectangleAlone) {
    for (int edge : {0, 9, 100}) {
        const RECT r = sizing(edge, RECT{1, 2, 503, 404});
        EXPECT_EQ(r.left, 1);
        EXPECT_EQ(r.top, 2);
        EXPECT_EQ(r.right, 503);
        EXPECT_EQ(r.bottom, 404);
    }
}

// ---------------------------------------------------------------- WM_WINDOWPOSCHANGING

WINDOWPOS windowPos(int x, int y, int cx, int cy, UINT flags) {
    WINDOWPOS p = {};
    p.hwnd = shell.mainWindow;
    p.x = x;
    p.y = y;
    p.cx = cx;
    p.cy = cy;
    p.flags = flags;
    return p;
}

// The size the full work-area height is given: the width that height asks
// for, unless the system's widest window is narrower; then that width, with
// the height it holds.
SIZE fullHeightSize(int fullHeight) {
    const int widest = GetSystemMetrics(SM_CXMAXTRACK);
    SIZE size = {widthForHeight(fullHeight), fullHeight};
    if (size.cx > widest)
        size = SIZE{widest, heightForWidth(widest)};
    return size;
}

TEST_F(SizingTest, PositionChangesFollowTheirTwoRules) {
    const WindowRect& work = app.layout.workArea;
    const int fullHeight = work.bottom - work.top;
    const UINT system = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    // A size that already has the proportion: whole units whose width gives
    // back the same height.
    int fitHeight = 0;
    for (int q = 8; q < 20 && fitHeight == 0; ++q) {
        const int h = app.layout.frameHeight + 96 + 34 * q;
        if (heightForWidth(widthForHeight(h)) == h)
            fitHeight = h;
    }
    ASSERT_NE(fitHeight, 0);
    const int fitWidth = widthForHeight(fitHeight);
    // The system holds a window to its widest: sizes asked for here stay
    // below it.
    const int tooWide = widthForHeight(500) + 100;
    ASSERT_LT(tooWide, GetSystemMetrics(SM_CXMAXTRACK));
    const SIZE full = fullHeightSize(fullHeight);
    struct PosCase {
        const char* name;
        WINDOWPOS in;
        int cx, cy;
    };
    const PosCase cases[] = {
        {"full work-area height", windowPos(30, work.top, 700, fullHeight, 0), full.cx, full.cy},
        {"system resize, too wide", windowPos(30, 40, tooWide, 500, system), widthForHeight(500), 500},
        {"system resize, too tall", windowPos(30, 40, 600, 900, system), 600, heightForWidth(600)},
        {"system resize, fitting", windowPos(30, 40, fitWidth, fitHeight, system), fitWidth,
         fitHeight},
        {"other flags", windowPos(30, 40, tooWide, 500, SWP_NOZORDER | SWP_NOACTIVATE), tooWide, 500},
        {"full height below the top", windowPos(30, work.top + 1, 700, fullHeight, 0), 700, fullHeight},
    };
    for (const PosCase& c : cases) {
        SCOPED_TRACE(c.name);
        WINDOWPOS p = c.in;
        send(WM_WINDOWPOSCHANGING, 0, (LPARAM)&p);
        EXPECT_EQ(p.cx, c.cx);
        EXPECT_EQ(p.cy, c.cy);
        EXPECT_EQ(p.x, c.in.x);
        EXPECT_EQ(p.y, c.in.y);
    }
}

TEST_F(SizingTest, TheMinimumTrackSizeStillHolds) {
    WINDOWPOS p = windowPos(30, 40, 20, 20, SWP_NOZORDER);
    send(WM_WINDOWPOSCHANGING, 0, (LPARAM)&p);
    EXPECT_EQ(p.cx, app.layout.minTrackWidth);
    EXPECT_EQ(p.cy, app.layout.minTrackHeight);

    MoveWindow(shell.mainWindow, 0, 0, 50, 50, TRUE);
    settle();
    const RECT client = clientRect();
    EXPECT_EQ(client.right, 424);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(SizingTest, StretchingToTheWorkAreasHeightTakesTheMatchingWidth) {
    const WindowRect& work = app.layout.workArea;
    const int fullHeight = work.bottom - work.top;
    SetWindowPos(shell.mainWindow, NULL, 0, work.top, 600, fullHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    settle();
    const RECT r = windowRect();
    const SIZE full = fullHeightSize(fullHeight);
    EXPECT_EQ(r.bottom - r.top, full.cy);
    EXPECT_EQ(r.right - r.left, full.cx);
}

TEST_F(SizingTest, MinMaxInfoSetsOnlyTheMinimumTrackSize) {
    MINMAXINFO info;
    info.ptReserved = POINT{1, 2};
    info.ptMaxSize = POINT{3, 4};
    info.ptMaxPosition = POINT{5, 6};
    info.ptMinTrackSize = POINT{7, 8};
    info.ptMaxTrackSize = POINT{9000, 9000};
    send(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(info.ptMinTrackSize.x, app.layout.minTrackWidth);
    EXPECT_EQ(info.ptMinTrackSize.y, app.layout.minTrackHeight);
    EXPECT_EQ(info.ptMaxSize.x, 3);
    EXPECT_EQ(info.ptMaxSize.y, 4);
    EXPECT_EQ(info.ptMaxPosition.x, 5);
    EXPECT_EQ(info.ptMaxTrackSize.x, 9000);
    EXPECT_EQ(app.layout.minTrackWidth, widthForHeight(app.layout.minTrackHeight));
    EXPECT_EQ(app.layout.minTrackHeight, app.layout.frameHeight + 300);
}

// ---------------------------------------------------------------- Ctrl+wheel

TEST_F(SizingTest, ShrinkingStopsAtAClientHeightOf300) {
    placeWindow(100, 310);
    stepWindowHeight(-1);
    settle();
    EXPECT_EQ(clientRect().bottom, 300);
    EXPECT_EQ(app.layout.clientHeight, 300);
    const RECT r = windowRect();
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, widthForHeight(r.bottom - r.top));
    stepWindowHeight(-1);
    settle();
    EXPECT_EQ(clientRect().bottom, 300);
}

TEST_F(SizingTest, GrowingNearTheBottomMovesTheWindowUp) {
    const WindowRect& work = app.layout.workArea;
    const int clientHeight = 400;
    // The window's bottom 10 pixels above the work area's bottom.
    const int top = work.bottom - 10 - (app.layout.frameHeight + clientHeight);
    placeWindow(top, clientHeight);
    stepWindowHeight(+1);
    settle();
    const RECT r = windowRect();
    EXPECT_EQ(clientRect().bottom, clientHeight + 24);
    EXPECT_EQ(r.top, top - 14);
    EXPECT_EQ(r.bottom, work.bottom);
}

TEST_F(SizingTest, GrowingWithRoomBelowKeepsTheTop) {
    placeWindow(50, 400);
    stepWindowHeight(+1);
    settle();
    EXPECT_EQ(windowRect().top, 50);
    EXPECT_EQ(clientRect().bottom, 424);
    EXPECT_EQ(windowRect().right - windowRect().left, widthForHeight(app.layout.frameHeight + 424));
}

TEST_F(SizingTest, GrowingNearlyToTheWorkAreaSpansItWhole) {
    const WindowRect& work = app.layout.workArea;
    const int limit = work.bottom - app.layout.frameHeight - work.top;
    placeWindow(work.top + 5, limit - 10);
    stepWindowHeight(+1);
    settle();
    const RECT r = windowRect();
    const SIZE full = fullHeightSize(work.bottom - work.top);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.bottom, work.top + full.cy);
    EXPECT_EQ(clientRect().bottom, full.cy - app.layout.frameHeight);
}

// The work area measured at start-up is the primary monitor's; a window on
// another monitor (or one measured before the taskbar moved) must keep to
// the work area of the monitor it is on. Wine here has one monitor, so a
// stale work area stands in for the other monitor's.
TEST_F(SizingTest, StepsAndStretchesKeepToTheWorkAreaOfTheWindowsMonitor) {
    MONITORINFO info;
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(shell.mainWindow, MONITOR_DEFAULTTONEAREST), &info));
    const RECT own = info.rcWork;
    const WindowRect stale = {own.left, own.top + 200, own.right, own.bottom - 100};
    const int fullHeight = own.bottom - own.top;
    const int limit = fullHeight - app.layout.frameHeight;
    placeWindow(own.top + 5, limit - 10);

    app.layout.workArea = stale;
    stepWindowHeight(+1);
    settle();
    const SIZE full = fullHeightSize(fullHeight);
    RECT r = windowRect();
    EXPECT_EQ(r.top, own.top);
    EXPECT_EQ(r.bottom, own.top + full.cy);

    app.layout.workArea = stale;
    WINDOWPOS p = windowPos(30, own.top, 700, fullHeight, 0);
    send(WM_WINDOWPOSCHANGING, 0, (LPARAM)&p);
    EXPECT_EQ(p.cx, full.cx);
    EXPECT_EQ(p.cy, full.cy);
}

// ---------------------------------------------------------------- grid size

TEST_F(SizingTest, ANewGridSizeKeepsTheHeightAndTakesItsWidth) {
    const RECT before = windowRect();
    changeGridSize(1);
    settle();
    EXPECT_EQ(app.settings.sizeIndex, 1);
    EXPECT_EQ(app.settings.gridSize, 6);
    const RECT r = windowRect();
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    EXPECT_EQ(r.bottom - r.top, before.bottom - before.top);
    EXPECT_EQ(r.right - r.left, widthForHeight(r.bottom - r.top));
    EXPECT_EQ(app.layout.clientWidth, clientRect().right);
}

TEST_F(SizingTest, GridSize128InASmallWindowRisesToItsMinimum) {
    changeGridSize(10);
    settle();
    EXPECT_EQ(app.settings.gridSize, 128);
    const RECT client = clientRect();
    EXPECT_EQ(client.right, 916);
    EXPECT_EQ(client.bottom, 610);
    EXPECT_EQ(app.layout.clientWidth, 916);
    EXPECT_EQ(app.layout.clientHeight, 610);
}

TEST_F(SizingTest, GridSizeWhileMaximisedReshapesOnlyTheNormalRectangle) {
    const RECT normalBefore = windowRect();
    ShowWindow(shell.mainWindow, SW_MAXIMIZE);
    settle();
    ASSERT_TRUE(IsZoomed(shell.mainWindow));
    const RECT maximised = windowRect();
    changeGridSize(4);
    settle();
    EXPECT_TRUE(IsZoomed(shell.mainWindow));
    const RECT stillMaximised = windowRect();
    EXPECT_EQ(stillMaximised.right - stillMaximised.left, maximised.right - maximised.left);
    EXPECT_EQ(stillMaximised.bottom - stillMaximised.top, maximised.bottom - maximised.top);

    ShowWindow(shell.mainWindow, SW_RESTORE);
    settle();
    const RECT restored = windowRect();
    const int height = normalBefore.bottom - normalBefore.top;
    EXPECT_EQ(restored.left, normalBefore.left);
    EXPECT_EQ(restored.top, normalBefore.top);
    EXPECT_EQ(restored.bottom - restored.top, height);
    EXPECT_EQ(restored.right - restored.left, widthForHeight(height));
}

TEST_F(SizingTest, EveryGridSizeRepaintsTheWholeClient) {
    for (int index = 0; index < GridSizeCount; ++index) {
        SCOPED_TRACE(index);
        changeGridSize(index);
        RECT update;
        EXPECT_TRUE(GetUpdateRect(shell.mainWindow, &update, FALSE));
        const RECT client = clientRect();
        EXPECT_EQ(update.right, client.right);
        EXPECT_EQ(update.bottom, client.bottom);
        settle();
    }
}

}  // namespace
