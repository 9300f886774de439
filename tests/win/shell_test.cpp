// The main window as start-up builds it, its life-cycle messages, the message
// loop's redirections and the input map, driven with real messages.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/message_loop_win.h"
#include "app/settings_format.h"
#include "app/sizing.h"
#include "app/window_proc_win.h"
#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/triangle.h"
#include "cursor_pos_hook.h"
#include "main_window_harness.h"
#include "pick/screen_pick_win.h"
#include "navigate/hit_test.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"
#include "palette/palette_win.h"
#include "clipboard_support.h"

using namespace harness;

void pickColorAt(POINT screenPoint) {
    pickColorAt(screenPoint, screenPoint);
}

namespace {

// ---------------------------------------------------------------- settings path

struct PathCase {
    const char* name;
    std::wstring module;
    unsigned reportedLength;   // what GetModuleFileNameW returned
    bool valid;
    std::wstring expected;
};

std::wstring repeated(wchar_t c, size_t n) { return std::wstring(n, c); }

TEST(SettingsPath, IsFormedOnlyWhenItFitsWhole) {
    // A folder of 249 characters (backslash included) leaves exactly room for
    // "zavrik.ini" and the terminating zero in 260.
    const std::wstring fitFolder = L"C:\\" + repeated(L'a', 245) + L"\\";
    const std::wstring tooLongFolder = L"C:\\" + repeated(L'a', 246) + L"\\";
    ASSERT_EQ(fitFolder.size(), 249u);
    const PathCase cases[] = {
        {"plain", L"C:\\Tools\\zavrik.exe", 19, true, L"C:\\Tools\\zavrik.ini"},
        {"root", L"C:\\zavrik.exe", 13, true, L"C:\\zavrik.ini"},
        {"failed call", L"", 0, false, L""},
        {"no backslash", L"zavrik.exe", 10, false, L""},
        {"exact fit", fitFolder + L"z.exe", (unsigned)(fitFolder.size() + 5), true,
         fitFolder + L"zavrik.ini"},
        {"folder one too long", tooLongFolder + L"z.exe", (unsigned)(tooLongFolder.size() + 5),
         false, L""},
        // A cut-off name: the buffer was filled to the brim.
        {"truncated", L"C:\\" + repeated(L'b', 300), 260, false, L""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring module = c.module;
        module.resize(module.size() + 8, L'\0');
        wchar_t out[SettingsPathLength];
        std::wmemset(out, L'x', SettingsPathLength);
        EXPECT_EQ(formSettingsPath(module.c_str(), c.reportedLength, out), c.valid);
        EXPECT_EQ(std::wstring(out), c.expected);
    }
}

TEST(SettingsPath, StopsAtTheReportedLength) {
    // Only the reported characters count, even if more follow in the buffer.
    const wchar_t module[] = L"C:\\Short\\zavrik.exe\\Other\\junk";
    wchar_t out[SettingsPathLength];
    ASSERT_TRUE(formSettingsPath(module, 19, out));
    EXPECT_STREQ(out, L"C:\\Short\\zavrik.ini");
}

TEST(SettingsPath, LiesBesideTheRunningExecutable) {
    shell = Shell();
    shell.hInstance = GetModuleHandleW(NULL);
    locateSettingsFile();
    ASSERT_TRUE(shell.settingsPathValid);
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, module, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::wstring expected(module, length);
    expected = expected.substr(0, expected.rfind(L'\\') + 1) + L"zavrik.ini";
    EXPECT_EQ(std::wstring(shell.settingsPath), expected);
}

// ---------------------------------------------------------------- drawing objects

void expectFont(HFONT font, const wchar_t* face, LONG height, LONG weight) {
    LOGFONTW lf;
    ASSERT_EQ(GetObjectW(font, sizeof lf, &lf), (int)sizeof lf);
    EXPECT_STREQ(lf.lfFaceName, face);
    EXPECT_EQ(lf.lfHeight, height);
    EXPECT_EQ(lf.lfWeight, weight);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 0);
    EXPECT_EQ(lf.lfClipPrecision, 0);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 1);
}

void expectPen(HPEN pen, int width, COLORREF colour) {
    LOGPEN lp;
    ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), (int)sizeof lp);
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_SOLID);
    EXPECT_EQ(lp.lopnWidth.x, width);
    EXPECT_EQ(lp.lopnColor, colour);
}

TEST(GdiKitTest, HoldsThePensBrushesFontsAndCursorsOfTheTable) {
    app = AppState();
    shell = Shell();
    shell.hInstance = GetModuleHandleW(NULL);
    app.settings.bgColor = 0x123456;
    createGdiKit();

    LOGBRUSH lb;
    ASSERT_EQ(GetObjectW(gdi.bgBrush, sizeof lb, &lb), (int)sizeof lb);
    EXPECT_EQ(lb.lbStyle, (UINT)BS_SOLID);
    EXPECT_EQ(lb.lbColor, 0x123456u);
    expectPen(gdi.bgPen, 1, 0x123456);
    EXPECT_EQ(gdi.blackBrush, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(gdi.whitePen, GetStockObject(WHITE_PEN));
    expectPen(gdi.blackPen3, 3, 0x000000);
    expectPen(gdi.grayPen3, 3, 0xA0A0A0);
    expectPen(gdi.whitePen5, 5, 0xFFFFFF);
    expectPen(gdi.whitePen9, 9, 0xFFFFFF);
    expectFont(gdi.valueFont, L"FangSong", 16, 700);
    expectFont(gdi.controlFont, L"Cambria", 16, 400);
    expectFont(gdi.symbolFont, L"Segoe UI Symbol", 24, 400);
    EXPECT_EQ(gdi.cursors[0], LoadCursorW(NULL, IDC_ARROW));
}

// ---------------------------------------------------------------- start-up

class StartUpTest : public MainWindowTest {};

TEST_F(StartUpTest, OpensTheDefaultWindowAtTheTopLeftOfTheWorkArea) {
    HWND w = shell.mainWindow;
    ASSERT_NE(w, (HWND)NULL);
    EXPECT_TRUE(IsWindowVisible(w));
    wchar_t text[64];
    GetWindowTextW(w, text, 64);
    EXPECT_STREQ(text, L"Zavrik (v2.1)");
    GetClassNameW(w, text, 64);
    EXPECT_STREQ(text, L"CN_Zavrik");
    EXPECT_EQ((DWORD)GetWindowLongW(w, GWL_STYLE) & WS_OVERLAPPEDWINDOW, (DWORD)WS_OVERLAPPEDWINDOW);

    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 476);
    EXPECT_EQ(client.bottom, 340);
    EXPECT_EQ(app.layout.clientWidth, 476);
    EXPECT_EQ(app.layout.clientHeight, 340);

    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    ASSERT_TRUE(GetWindowPlacement(w, &p));
    EXPECT_EQ(p.showCmd, (UINT)SW_SHOWNORMAL);
    EXPECT_EQ(p.rcNormalPosition.left, 0);
    EXPECT_EQ(p.rcNormalPosition.top, 0);
    EXPECT_EQ(p.rcNormalPosition.right, app.layout.frameWidth + 476);
    EXPECT_EQ(p.rcNormalPosition.bottom, app.layout.frameHeight + 340);
    EXPECT_EQ(shell.placement.length, 44u);
    EXPECT_EQ(shell.placement.showCmd, (UINT)SW_SHOW);

    EXPECT_EQ(app.settings.gridSize, 8);
    EXPECT_EQ(app.settings.bgColor, 0xC8C8C8u);
    EXPECT_EQ(app.interaction.hoverColor, 0xC8C8C8u);
    EXPECT_EQ(app.chart.level, 16);
}

TEST_F(StartUpTest, FrameMetricsAreTheOverlappedWindowsNonClientExtra) {
    RECT r = {0, 0, 0, 0};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    EXPECT_EQ(app.layout.frameWidth, r.right - r.left);
    EXPECT_EQ(app.layout.frameHeight, r.bottom - r.top);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(app.layout.workArea.left, work.left);
    EXPECT_EQ(app.layout.workArea.top, work.top);
    EXPECT_EQ(app.layout.workArea.right, work.right);
    EXPECT_EQ(app.layout.workArea.bottom, work.bottom);
}

TEST_F(StartUpTest, ClassHasNoCursorNoRedrawStylesAndTheBackgroundBrush) {
    HWND w = shell.mainWindow;
    EXPECT_EQ((UINT)GetClassLongPtrW(w, GCL_STYLE), (UINT)(CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW));
    EXPECT_EQ(GetClassLongPtrW(w, GCLP_HCURSOR), (ULONG_PTR)0);
    EXPECT_EQ((HBRUSH)GetClassLongPtrW(w, GCLP_HBRBACKGROUND), gdi.bgBrush);
    EXPECT_EQ((WNDPROC)GetClassLongPtrW(w, GCLP_WNDPROC), mainWindowProc);
}

TEST_F(StartUpTest, SizeBoxListsTheElevenGridSizesRightAligned) {
    HWND combo = shell.sizeCombo;
    ASSERT_NE(combo, (HWND)NULL);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 11);
    const wchar_t* expected[11] = {L"    4", L"    6", L"    8", L"   12", L"   16", L"   24",
                                   L"   32", L"   48", L"   64", L"   96", L"  128"};
    for (int k = 0; k < 11; ++k) {
        wchar_t text[32] = {};
        SendMessageW(combo, CB_GETLBTEXT, k, (LPARAM)text);
        EXPECT_STREQ(text, expected[k]) << k;
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ((HFONT)SendMessageW(combo, WM_GETFONT, 0, 0), gdi.controlFont);
    EXPECT_EQ((HFONT)SendMessageW(shell.copyButton, WM_GETFONT, 0, 0), gdi.controlFont);
    EXPECT_EQ((HFONT)SendMessageW(shell.pasteButton, WM_GETFONT, 0, 0), gdi.controlFont);
}

RECT childRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(NULL, shell.mainWindow, (POINT*)&r, 2);
    return r;
}

TEST_F(StartUpTest, ControlsSitAtTheirPlacesAfterEverySize) {
    for (int height : {340, 500}) {
        send(WM_SIZE, 0, MAKELPARAM(600, height));
        const RECT combo = childRect(shell.sizeCombo);
        EXPECT_EQ(combo.left, 8);
        EXPECT_EQ(combo.top, 8);
        EXPECT_EQ(combo.right - combo.left, 60);
        const RECT copy = childRect(shell.copyButton);
        EXPECT_EQ(copy.left, 8);
        EXPECT_EQ(copy.top, height - 53);
        EXPECT_EQ(copy.right - copy.left, 60);
        EXPECT_EQ(copy.bottom - copy.top, 22);
        const RECT paste = childRect(shell.pasteButton);
        EXPECT_EQ(paste.left, 8);
        EXPECT_EQ(paste.top, height - 30);
        EXPECT_EQ(paste.bottom - paste.top, 22);
        wchar_t text[16];
        GetWindowTextW(shell.copyButton, text, 16);
        EXPECT_STREQ(text, L"Copy");
        GetWindowTextW(shell.pasteButton, text, 16);
        EXPECT_STREQ(text, L"Paste");
    }
    // The size box's bottom, measured at creation, lies below its top.
    EXPECT_GT(app.layout.comboBottom, 8);
}

// The kept DC leaves the controls alone also when its clipping was set while
// the main window was hidden (as at start-up) and no resize followed the show.
TEST_F(StartUpTest, TheKeptDCKeepsOffTheControlsWhateverTheMainWindowShows) {
    ShowWindow(shell.mainWindow, SW_HIDE);
    send(WM_SIZE, 0, MAKELPARAM(app.layout.clientWidth, app.layout.clientHeight));
    ShowWindow(shell.mainWindow, SW_SHOW);
    for (HWND control : {shell.sizeCombo, shell.copyButton, shell.pasteButton}) {
        const RECT r = childRect(control);
        EXPECT_FALSE(PtVisible(shell.drawingDC, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
}

TEST_F(StartUpTest, LeaveTrackingAndTheKeptDeviceContextAreReady) {
    EXPECT_EQ(shell.leaveTracking.cbSize, (DWORD)sizeof(TRACKMOUSEEVENT));   // 16 in a 32-bit build
    EXPECT_EQ(shell.leaveTracking.dwFlags, (DWORD)TME_LEAVE);
    EXPECT_EQ(shell.leaveTracking.hwndTrack, shell.mainWindow);
    EXPECT_EQ(shell.leaveTracking.dwHoverTime, 0u);
    ASSERT_NE(shell.drawingDC, (HDC)NULL);
    EXPECT_EQ(WindowFromDC(shell.drawingDC), shell.mainWindow);
}

TEST_F(StartUpTest, SizeMessagesOfZeroOrTinyClientsAreSafe) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {10, 3}, {3, 10}, {65535, 0}};
    for (const auto& s : sizes) {
        send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(s[0], s[1]));
        EXPECT_EQ(app.layout.clientWidth, s[0]);
        EXPECT_EQ(app.layout.clientHeight, s[1]);
        EXPECT_GE(app.layout.unit, 1);
    }
    send(WM_SIZE, SIZE_MINIMIZED, 0);
    pumpMessages();
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(476, 340));
    EXPECT_EQ(app.layout.unit, 7);
}

TEST_F(StartUpTest, FirstPaintShowsChartsMarkersAndBackground) {
    const Snapshot shot = snapshotClient();
    const Layout& L = app.layout;
    // Level 16 of grid 8: a white centre; background at the right margin.
    EXPECT_EQ(shot.at(L.hexCenterX, L.hexCenterY), 0xFFFFFFu);
    EXPECT_EQ(shot.at(L.clientWidth - 5, L.clientHeight / 2), snapshotColor(0xC8C8C8));
    ClientPoint marker[3];
    levelMarkerPolygon(marker);
    EXPECT_EQ(shot.at(marker[0].x + L.markerSize / 2, marker[0].y), 0x000000u);
}

TEST_F(StartUpTest, DestroyPostsQuitWithZeroAndSkipsDefaultHandling) {
    EXPECT_EQ(mainWindowProc(shell.mainWindow, WM_DESTROY, 0, 0), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    // The window itself still stands: only DefWindowProcW would tear it down.
    EXPECT_TRUE(IsWindow(shell.mainWindow));
}

// ---------------------------------------------------------------- message loop

class MessageLoopTest : public MainWindowTest {};

MSG messageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg = {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return msg;
}

TEST_F(MessageLoopTest, TabOnAButtonActsOnTheMainWindow) {
    for (HWND button : {shell.copyButton, shell.pasteButton}) {
        SetFocus(button);
        const std::int8_t before = app.settings.pick.pickMark;
        EXPECT_TRUE(takeFromButton(messageTo(button, WM_KEYDOWN, VK_TAB, 1)));
        EXPECT_EQ(app.settings.pick.pickMark, -before);
        EXPECT_EQ(GetFocus(), shell.mainWindow);
    }
}

TEST_F(MessageLoopTest, SpaceOnAButtonPicksInsteadOfClicking) {
    // The pointer rests on the hexagon's centre: the pick takes the chart's value.
    const POINT p = toScreen(app.layout.hexCenterX, app.layout.hexCenterY);
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(takeFromButton(messageTo(shell.copyButton, WM_KEYDOWN, VK_SPACE, 1)));
    EXPECT_EQ(app.settings.pick.pickActive, 1);
    EXPECT_EQ(app.settings.pick.pickColor, 0xFFFFFFu);
}

TEST_F(MessageLoopTest, OtherKeysAndOtherWindowsAreDispatched) {
    EXPECT_FALSE(takeFromButton(messageTo(shell.copyButton, WM_KEYDOWN, VK_RETURN, 1)));
    EXPECT_FALSE(takeFromButton(messageTo(shell.copyButton, WM_KEYUP, VK_TAB, 1)));
    EXPECT_FALSE(takeFromButton(messageTo(shell.mainWindow, WM_KEYDOWN, VK_TAB, 1)));
    EXPECT_FALSE(takeFromButton(messageTo(shell.sizeCombo, WM_KEYDOWN, VK_SPACE, 1)));
    EXPECT_FALSE(takeFromButton(messageTo(NULL, WM_KEYDOWN, VK_TAB, 1)));
    EXPECT_EQ(app.settings.pick.pickMark, -3);
}

TEST_F(MessageLoopTest, ReleaseOutsideAButtonIsDroppedOnEverySide) {
    RECT r;
    GetClientRect(shell.pasteButton, &r);
    struct ReleaseCase {
        int x, y;
        bool dropped;
    };
    const ReleaseCase cases[] = {
        {5, 5, false},
        {r.right - 1, r.bottom - 1, false},
        {r.right, 5, true},
        {5, r.bottom, true},
        {-1, 5, true},    // left: reads as 65535
        {5, -1, true},    // above
        {-300, -300, true},
    };
    for (const ReleaseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        SetFocus(shell.pasteButton);
        EXPECT_EQ(takeFromButton(messageTo(shell.pasteButton, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y))),
                  c.dropped);
        if (c.dropped) {
            EXPECT_EQ(GetFocus(), shell.mainWindow);
        }
    }
}

// ---------------------------------------------------------------- keys

class KeyTest : public MainWindowTest {};

LPARAM firstPress() { return 1; }
LPARAM autoRepeat() { return 1 | 0x40000000; }

TEST_F(KeyTest, TabTogglesTheOverlayOncePerPress) {
    EXPECT_EQ(app.settings.pick.pickMark, -3);
    send(WM_KEYDOWN, VK_TAB, firstPress());
    EXPECT_EQ(app.settings.pick.pickMark, 3);
    send(WM_KEYDOWN, VK_TAB, autoRepeat());
    EXPECT_EQ(app.settings.pick.pickMark, 3);
    send(WM_KEYDOWN, VK_TAB, firstPress());
    EXPECT_EQ(app.settings.pick.pickMark, -3);
}

// The client as the screen shows it.
Snapshot screenSnapshot() {
    HDC screen = GetDC(NULL);
    const POINT origin = toScreen(0, 0);
    const Snapshot shot = snapshotOf(screen, origin.x, origin.y);
    ReleaseDC(NULL, screen);
    return shot;
}

// The glyph appears beside the panel, and Tab twice leaves the client pixel
// for pixel as before, whatever extent the platform's font gives the glyph.
TEST_F(KeyTest, TabTwiceLeavesTheClientAsItWas) {
    const Layout& L = app.layout;
    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "default painter" : "literal painter");
        usePainter(fast);
        settle();
        const Snapshot hidden = screenSnapshot();
        send(WM_KEYDOWN, VK_TAB, firstPress());
        settle();
        const Snapshot shown = screenSnapshot();
        int glyphPixels = 0;
        for (int y = L.panelTop + 3; y < L.panelTop + 21; ++y)
            for (int x = L.panelRight + 2; x < L.panelRight + 22; ++x)
                glyphPixels += hidden.at(x, y) != shown.at(x, y) ? 1 : 0;
        EXPECT_GT(glyphPixels, 0);
        send(WM_KEYDOWN, VK_TAB, firstPress());
        settle();
        EXPECT_EQ(countDifferences(hidden, screenSnapshot()), 0);
    }
    usePainter(false);
}

TEST_F(KeyTest, ArrowsStepLevelAndSliceAndRepaint) {
    const int n = app.settings.gridSize;
    send(WM_KEYDOWN, VK_UP, firstPress());  // already at the top level
    EXPECT_EQ(app.chart.level, 2 * n);
    send(WM_KEYDOWN, VK_DOWN, firstPress());
    EXPECT_EQ(app.chart.level, 2 * n - 1);
    EXPECT_EQ(app.settings.levelPos, (2 * n - 1) * 1024 / n);
    send(WM_KEYDOWN, VK_DOWN, autoRepeat());  // held arrows repeat
    EXPECT_EQ(app.chart.level, 2 * n - 2);
    const Snapshot shot = snapshotClient();
    const int gray = app.chart.centerGray;
    EXPECT_EQ(shot.at(app.layout.hexCenterX, app.layout.hexCenterY),
              snapshotColor(makeColor(gray, gray, gray)));

    EXPECT_EQ(app.chart.slice, 4);
    send(WM_KEYDOWN, VK_LEFT, firstPress());   // back, anticlockwise
    EXPECT_EQ(app.chart.slice, 3);
    send(WM_KEYDOWN, VK_RIGHT, firstPress());
    send(WM_KEYDOWN, VK_RIGHT, firstPress());
    EXPECT_EQ(app.chart.slice, 5);
    EXPECT_EQ(app.settings.sector, 0);
}

TEST_F(KeyTest, ArrowOverTheRepaintedChartRefreshesTheHover) {
    // Pointer on the hexagon's centre dot: after a level step the readout
    // follows the new centre grey.
    const POINT p = toScreen(app.layout.hexCenterX, app.layout.hexCenterY);
    SetCursorPos(p.x, p.y);
    send(WM_KEYDOWN, VK_DOWN, firstPress());
    const int gray = app.chart.centerGray;
    EXPECT_EQ(app.interaction.hoverColor, makeColor(gray, gray, gray));
    // A slice step with the pointer on the hexagon leaves the hover alone.
    send(WM_KEYDOWN, VK_LEFT, firstPress());
    EXPECT_EQ(app.interaction.hoverColor, makeColor(gray, gray, gray));
}

// Where the pointer's position cannot be had (a locked or secure desktop),
// an arrow key's hover check and the space bar's pick are skipped, whatever
// the failed call left in its point (here the hexagon's centre dot).
TEST_F(KeyTest, APointerThatCannotBeReadNeitherHoversNorPicks) {
    const POINT centre = toScreen(app.layout.hexCenterX, app.layout.hexCenterY);
    failCursorReads(&centre);
    const COLORREF hover = app.interaction.hoverColor;
    send(WM_KEYDOWN, VK_DOWN, firstPress());
    send(WM_KEYDOWN, VK_SPACE, firstPress());
    failCursorReads(NULL);
    EXPECT_EQ(app.interaction.hoverColor, hover);
    EXPECT_EQ(app.settings.pick.pickActive, 0);
}

TEST_F(KeyTest, OtherKeysAndUnmodifiedLettersDoNothing) {
    app.settings.palette[0] = 0x0000FF;
    const std::string before = formatSettings(app.settings);
    send(WM_KEYDOWN, 'X', firstPress());   // without Ctrl
    send(WM_KEYDOWN, 'Q', firstPress());
    send(WM_KEYDOWN, VK_F5, firstPress());
    EXPECT_EQ(formatSettings(app.settings), before);
}

// ---------------------------------------------------------------- space pick

class PickTest : public MainWindowTest {};

TEST_F(PickTest, InsideTheClientTheChartValueIsPicked) {
    const Layout& L = app.layout;
    // One hexagon dot right of the centre.
    COLORREF expected = 0;
    ASSERT_EQ(hitTest(L.hexCenterX + L.hStep, L.hexCenterY - L.unit, expected), HitHexagonDot);
    pickColorAt(toScreen(L.hexCenterX + L.hStep, L.hexCenterY - L.unit));
    const PickState& pick = app.settings.pick;
    EXPECT_EQ(pick.pickActive, 1);
    EXPECT_EQ(pick.pickColor, expected);
    EXPECT_EQ(pick.pickMark, -3);   // a hidden overlay stays hidden
}

TEST_F(PickTest, WithTheOverlayShownAPickRedrawsItComplete) {
    send(WM_KEYDOWN, VK_TAB, firstPress());
    app.settings.pick.pickMark = 4;
    const Layout& L = app.layout;
    pickColorAt(toScreen(L.hexCenterX, L.hexCenterY + 2 * L.unit));
    EXPECT_EQ(app.settings.pick.pickMark, 3);
    EXPECT_EQ(app.settings.pick.pickActive, 1);
}

TEST_F(PickTest, TheSameColourAgainChangesNothing) {
    const Layout& L = app.layout;
    pickColorAt(toScreen(L.hexCenterX, L.hexCenterY));
    app.settings.pick.pickMark = 4;   // would become 3 on a new pick
    pickColorAt(toScreen(L.hexCenterX, L.hexCenterY));
    EXPECT_EQ(app.settings.pick.pickMark, 4);
}

TEST_F(PickTest, OutsideTheClientTheScreenPixelIsPicked) {
    // Far from the window, on the bare screen.
    const POINT p = {GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20};
    HDC screen = GetDC(NULL);
    const COLORREF expected = GetPixel(screen, p.x, p.y);
    ReleaseDC(NULL, screen);
    ASSERT_NE(expected, CLR_INVALID);
    pickColorAt(p);
    EXPECT_EQ(app.settings.pick.pickActive, 1);
    EXPECT_EQ(app.settings.pick.pickColor, expected);
}

// The pointer is read in the program's coordinates and in physical pixels;
// the two differ by the system's scale (none at 96 DPI), and the thread's
// DPI awareness is what it was before.
TEST_F(PickTest, ThePointerIsReadInBothCoordinates) {
    typedef HANDLE(WINAPI * GetAwareness)();
    typedef BOOL(WINAPI * SameAwareness)(HANDLE, HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const GetAwareness getAwareness =
        (GetAwareness)(void*)GetProcAddress(user32, "GetThreadDpiAwarenessContext");
    const SameAwareness same = (SameAwareness)(void*)GetProcAddress(user32, "AreDpiAwarenessContextsEqual");
    ASSERT_TRUE(getAwareness != NULL && same != NULL);
    const HANDLE before = getAwareness();
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    ASSERT_TRUE(SetCursorPos(300, 200));
    POINT logical;
    POINT physical;
    ASSERT_TRUE(readPointer(logical, physical));
    EXPECT_TRUE(same(before, getAwareness()));
    EXPECT_EQ(logical.x, 300);
    EXPECT_EQ(logical.y, 200);
    if (dpi == 96) {
        EXPECT_EQ(physical.x, 300);
        EXPECT_EQ(physical.y, 200);
    }
    std::printf("system DPI %d: pointer (%ld, %ld) is physical (%ld, %ld)\n", dpi, logical.x, logical.y,
                physical.x, physical.y);
}

TEST_F(PickTest, APixelThatCannotBeReadPicksNothing) {
    // Off every screen: GetPixel answers CLR_INVALID, which is no colour.
    const POINT p = {-30000, -30000};
    HDC screen = GetDC(NULL);
    ASSERT_EQ(GetPixel(screen, p.x, p.y), CLR_INVALID);
    ReleaseDC(NULL, screen);
    const std::string before = formatSettings(app.settings);
    pickColorAt(p);
    EXPECT_EQ(formatSettings(app.settings), before);
    EXPECT_EQ(app.settings.pick.pickActive, 0);
}

TEST_F(PickTest, SpaceKeyPicksUnderThePointerOncePerPress) {
    const Layout& L = app.layout;
    const POINT p = toScreen(L.hexCenterX, L.hexCenterY);
    SetCursorPos(p.x, p.y);
    send(WM_KEYDOWN, VK_SPACE, autoRepeat());
    EXPECT_EQ(app.settings.pick.pickActive, 0);
    send(WM_KEYDOWN, VK_SPACE, firstPress());
    EXPECT_EQ(app.settings.pick.pickActive, 1);
    EXPECT_EQ(app.settings.pick.pickColor, 0xFFFFFFu);
    // White lies at the top level: the level stays 2N.
    EXPECT_EQ(app.chart.level, 16);
}

// ---------------------------------------------------------------- mouse

class MouseTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Distinct stand-ins for the cursor resources this test exe lacks.
        gdi.cursors[1] = LoadCursorW(NULL, IDC_CROSS);
        gdi.cursors[2] = LoadCursorW(NULL, IDC_HAND);
        gdi.cursors[3] = LoadCursorW(NULL, IDC_IBEAM);
    }
    // Moves the real pointer there too, so leave tracking stays armed.
    void moveTo(int x, int y, WPARAM keys = 0) {
        const POINT p = toScreen(x, y);
        SetCursorPos(p.x, p.y);
        send(WM_MOUSEMOVE, keys, clientPoint(x, y));
    }
    void enter(int x, int y) {
        moveTo(x, y);
        ASSERT_EQ(app.interaction.mouseInside, 1);
        moveTo(x, y);
    }
    int levelTrackX() const { return app.layout.clientWidth - 36; }
    int slotX(int k) const { return swatchLeft(k) + 2; }
    int stripY() const { return (app.layout.stripTop + app.layout.stripBottom) / 2; }
};

TEST_F(MouseTest, FirstMoveArmsLeaveTrackingAndLeaveDisarmsIt) {
    app.interaction.dragMode = DragColor;
    moveTo(5, app.layout.clientHeight / 2, MK_LBUTTON);
    EXPECT_EQ(app.interaction.mouseInside, 1);
    EXPECT_EQ(app.interaction.dragMode, 2);   // a button held keeps the drag
    send(WM_MOUSELEAVE);
    EXPECT_EQ(app.interaction.mouseInside, 0);
    moveTo(5, app.layout.clientHeight / 2);
    EXPECT_EQ(app.interaction.mouseInside, 1);
    EXPECT_EQ(app.interaction.dragMode, 0);   // released outside: dropped
    EXPECT_EQ(GetCursor(), gdi.cursors[0]);
}

// A first move handled after the pointer has gone arms nothing under Wine
// and brings a leave under Windows: either way the window is not entered.
TEST_F(MouseTest, AFirstMoveHandledAfterThePointerLeftLeavesTheWindowNotEntered) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    send(WM_MOUSEMOVE, 0, clientPoint(5, app.layout.clientHeight / 2));
    pumpMessages();
    EXPECT_EQ(app.interaction.mouseInside, 0);
}

// A drag from slot A released outside the window, then the pointer back in
// with Shift held: the next press on a dot starts a fresh colour drag, and
// its release drops the dot's colour, not slot A's.
TEST_F(MouseTest, ADragReleasedOutsideLeavesNothingForTheNextPress) {
    const Layout& L = app.layout;
    app.settings.palette[0] = 0x123456;
    enter(slotX(0), stripY());
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(slotX(0), stripY()));
    ASSERT_EQ(app.interaction.dragMode, 2);
    send(WM_MOUSELEAVE);
    const int dotX = L.hexCenterX + L.hStep;
    const int dotY = L.hexCenterY - L.unit;
    moveTo(dotX, dotY, MK_SHIFT);
    EXPECT_EQ(app.interaction.dragMode, 0);
    COLORREF dot = 0;
    ASSERT_EQ(hitTest(dotX, dotY, dot), HitHexagonDot);
    const std::int8_t sector = app.settings.sector;
    const int slice = app.chart.slice;
    // Even a press that finds the old mode still set judges it afresh.
    app.interaction.dragMode = DragColor;
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(dotX, dotY));
    EXPECT_EQ(app.interaction.dragMode, 2);
    EXPECT_EQ(app.interaction.dragColor, dot);
    EXPECT_EQ(app.settings.sector, sector);
    EXPECT_EQ(app.chart.slice, slice);
    EXPECT_NE(GetCapture(), shell.mainWindow);
    send(WM_LBUTTONUP, 0, clientPoint(slotX(3), stripY()));
    EXPECT_EQ(app.settings.palette[3], dot);
}

TEST_F(MouseTest, HoverFollowsTheChartsButNotThePanel) {
    const Layout& L = app.layout;
    enter(L.hexCenterX, L.hexCenterY);
    EXPECT_EQ(app.interaction.hoverColor, 0xFFFFFFu);
    EXPECT_EQ(app.interaction.dragMode, 0);
    moveTo((L.panelLeft + L.panelRight) / 2, (L.panelTop + L.panelBottom) / 2);
    EXPECT_EQ(app.interaction.hoverColor, 0xFFFFFFu);
    moveTo(L.clientWidth - 5, L.clientHeight / 2);
    EXPECT_EQ(app.interaction.hoverColor, app.settings.bgColor);
}

TEST_F(MouseTest, MarkerZoneSetsDragModeOneAndItsCursor) {
    enter(levelTrackX(), app.layout.hexCenterY);
    EXPECT_EQ(app.interaction.dragMode, 1);
    EXPECT_EQ(GetCursor(), gdi.cursors[1]);
    moveTo(app.layout.hexCenterX, app.layout.hexCenterY);
    EXPECT_EQ(app.interaction.dragMode, 0);
    EXPECT_EQ(GetCursor(), gdi.cursors[0]);
}

TEST_F(MouseTest, PressOnTheLevelTrackSetsTheLevelAndShowsTheLine) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    app.settings.pick.pickMark = 3;
    const int y = L.hexCenterY - 2 * L.unit * 3;   // row -3
    enter(levelTrackX(), y);
    ASSERT_EQ(app.interaction.dragMode, 1);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(levelTrackX(), y));
    EXPECT_EQ(app.chart.level, n + 3);
    EXPECT_EQ(app.settings.pick.pickMark, 2);
    EXPECT_EQ(GetCapture(), shell.mainWindow);
    EXPECT_EQ(app.interaction.dragLineX0, L.triLeft);
    EXPECT_EQ(app.interaction.dragLineX1, L.triLeft + 2 * L.unit * n);
    EXPECT_EQ(app.interaction.dragLineY1, L.hexCenterY + 2 * L.unit * (n - app.chart.level) - 1);
    // Moving with the button held changes nothing.
    send(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(levelTrackX(), y + 6 * L.unit));
    EXPECT_EQ(app.chart.level, n + 3);
    send(WM_LBUTTONUP, 0, clientPoint(levelTrackX(), y + 6 * L.unit));
    EXPECT_NE(GetCapture(), shell.mainWindow);
    EXPECT_EQ(app.interaction.dragMode, 1);   // a marker press leaves the mode
}

TEST_F(MouseTest, PressesBeyondTheTrackEndsClampTheLevel) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    struct TrackCase {
        int y;
        int level;
    };
    const TrackCase cases[] = {
        {L.hexCenterY + (2 * n + 1) * L.unit + 20, 0},
        {L.hexCenterY - (2 * n + 1) * L.unit - 20, 2 * n},
        {L.hexCenterY, n},
    };
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(c.y);
        app.interaction.mouseInside = 1;
        app.interaction.dragMode = DragOverMarkerZone;
        send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(levelTrackX(), c.y));
        EXPECT_EQ(app.chart.level, c.level);
        send(WM_LBUTTONUP, 0, clientPoint(levelTrackX(), c.y));
    }
}

TEST_F(MouseTest, PressOnTheRimBandSelectsTheNearestRimDot) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    struct RimCase {
        int y;
        int sector;
    };
    const RimCase cases[] = {
        {L.hexCenterY - (2 * n + 1) * L.unit - 10, 0},
        {L.hexCenterY + (2 * n + 1) * L.unit + 10, 3},
    };
    for (const RimCase& c : cases) {
        SCOPED_TRACE(c.sector);
        enter(L.hexCenterX, c.y);
        ASSERT_EQ(app.interaction.dragMode, 1);
        send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(L.hexCenterX, c.y));
        EXPECT_EQ(app.settings.sector, c.sector);
        EXPECT_EQ(app.chart.slice, 0);
        EXPECT_EQ(GetCapture(), shell.mainWindow);
        EXPECT_EQ(app.interaction.dragLineX0, L.hexCenterX);
        send(WM_LBUTTONUP, 0, clientPoint(L.hexCenterX, c.y));
        EXPECT_NE(GetCapture(), shell.mainWindow);
    }
}

TEST_F(MouseTest, CarryingAChartColourIntoASlotStoresIt) {
    const Layout& L = app.layout;
    const int x = L.hexCenterX + 2 * L.hStep;
    COLORREF dot = 0;
    ASSERT_EQ(hitTest(x, L.hexCenterY, dot), HitHexagonDot);
    enter(x, L.hexCenterY);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, L.hexCenterY));
    EXPECT_EQ(app.interaction.dragMode, 2);
    EXPECT_EQ(app.interaction.dragColor, dot);
    EXPECT_EQ(GetCursor(), gdi.cursors[2]);
    moveTo(slotX(5), stripY(), MK_LBUTTON);
    EXPECT_EQ(app.interaction.hoverColor, dot);   // frozen while carrying
    send(WM_LBUTTONUP, 0, clientPoint(slotX(5), stripY()));
    EXPECT_EQ(app.settings.palette[5], dot);
    EXPECT_EQ(app.interaction.hoverColor, dot);
    EXPECT_EQ(app.interaction.dragMode, 0);
    EXPECT_EQ(GetCursor(), gdi.cursors[0]);
    settle();
    EXPECT_EQ(snapshotClient().at(slotX(5) + 2, stripY()), snapshotColor(dot));
}

TEST_F(MouseTest, DroppingOnThePanelOrOutsideChangesNoSlot) {
    const Layout& L = app.layout;
    enter(L.hexCenterX, L.hexCenterY);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(L.hexCenterX, L.hexCenterY));
    send(WM_LBUTTONUP, 0, clientPoint((L.panelLeft + L.panelRight) / 2, L.panelTop + 3));
    EXPECT_EQ(app.interaction.hoverColor, app.settings.bgColor);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(L.hexCenterX, L.hexCenterY));
    send(WM_LBUTTONUP, 0, clientPoint(L.clientWidth - 5, L.clientHeight / 2));
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(app.settings.palette[k], DefaultGray) << k;
}

TEST_F(MouseTest, ShiftDragBetweenSlotsFillsAGradient) {
    setSlot(1, 0x000000);
    setSlot(5, 0xFFFFFF);
    enter(slotX(1), stripY());
    send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, clientPoint(slotX(1), stripY()));
    EXPECT_EQ(app.interaction.dragMode, 3);
    EXPECT_EQ(app.interaction.dragSlot, 1);
    EXPECT_EQ(GetCursor(), gdi.cursors[3]);
    COLORREF expected[PaletteSlots];
    gradientColors(app.settings.palette, 1, 5, expected);
    send(WM_LBUTTONUP, MK_SHIFT, clientPoint(slotX(5), stripY()));
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(app.settings.palette[k], expected[k]) << k;
    EXPECT_NE(app.settings.palette[3], DefaultGray);
    EXPECT_EQ(app.interaction.hoverColor, 0xFFFFFFu);
    EXPECT_EQ(app.interaction.dragMode, 0);
}

TEST_F(MouseTest, ClickOnTheReadoutTextTogglesTheFormatOnlyWithAPick) {
    const Layout& L = app.layout;
    const int x = (L.panelLeft + L.panelRight) / 2;
    const int y = L.panelTop / 2;
    COLORREF unused = 0;
    ASSERT_EQ(hitTest(x, y, unused), HitReadoutText);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, y));
    EXPECT_EQ(app.settings.pick.pickFormat, 1);
    EXPECT_EQ(app.interaction.dragMode, 0);
    app.settings.pick.pickActive = 1;
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, y));
    EXPECT_EQ(app.settings.pick.pickFormat, 0);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, y));
    EXPECT_EQ(app.settings.pick.pickFormat, 1);
    EXPECT_EQ(app.interaction.dragMode, 0);
}

TEST_F(MouseTest, PressOnNothingStartsNoDrag) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(app.layout.clientWidth - 5, app.layout.clientHeight / 2));
    EXPECT_EQ(app.interaction.dragMode, 0);
}

// ---------------------------------------------------------------- right button

class RightButtonTest : public MouseTest {};

TEST_F(RightButtonTest, ShiftFillsEverySlotWithTheColourUnderThePoint) {
    const Layout& L = app.layout;
    setSlot(2, 0x00FF00);
    send(WM_RBUTTONUP, MK_SHIFT, clientPoint(L.hexCenterX, L.hexCenterY));
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(app.settings.palette[k], 0xFFFFFFu) << k;
    // On the background every slot is cleared to it.
    send(WM_RBUTTONUP, MK_SHIFT, clientPoint(L.clientWidth - 5, L.clientHeight / 2));
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(app.settings.palette[k], app.settings.bgColor) << k;
}

TEST_F(RightButtonTest, CtrlChangesTheBackgroundAndItsDrawingObjects) {
    const Layout& L = app.layout;
    const int x = L.hexCenterX + 2 * L.hStep;
    COLORREF dot = 0;
    hitTest(x, L.hexCenterY, dot);
    const COLORREF hoverBefore = app.interaction.hoverColor;
    send(WM_RBUTTONUP, MK_CONTROL, clientPoint(x, L.hexCenterY));
    EXPECT_EQ(app.settings.bgColor, dot);
    LOGBRUSH lb;
    GetObjectW(gdi.bgBrush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, dot);
    LOGPEN lp;
    GetObjectW(gdi.bgPen, sizeof lp, &lp);
    EXPECT_EQ(lp.lopnColor, dot);
    EXPECT_EQ((HBRUSH)GetClassLongPtrW(shell.mainWindow, GCLP_HBRBACKGROUND), gdi.bgBrush);
    EXPECT_EQ(app.interaction.hoverColor, hoverBefore);
    EXPECT_EQ(app.settings.palette[0], DefaultGray);
    settle();
    EXPECT_EQ(snapshotClient().at(L.clientWidth - 5, L.clientHeight / 2), snapshotColor(dot));

    // The same colour again (now the background) changes nothing.
    const HBRUSH brush = gdi.bgBrush;
    send(WM_RBUTTONUP, MK_CONTROL, clientPoint(L.clientWidth - 5, L.clientHeight / 2));
    EXPECT_EQ(gdi.bgBrush, brush);
}

TEST_F(RightButtonTest, OnThePanelItDropsThePickButKeepsTheMark) {
    const Layout& L = app.layout;
    pickColorAt(toScreen(L.hexCenterX, L.hexCenterY));
    send(WM_KEYDOWN, VK_TAB, firstPress());
    ASSERT_EQ(app.settings.pick.pickMark, 3);
    send(WM_RBUTTONUP, 0, clientPoint((L.panelLeft + L.panelRight) / 2, (L.panelTop + L.panelBottom) / 2));
    EXPECT_EQ(app.settings.pick.pickActive, 0);
    EXPECT_EQ(app.settings.pick.pickMark, 3);
}

TEST_F(RightButtonTest, OnASlotItClearsTheSlotUnlessAlreadyClear) {
    setSlot(7, 0x0000FF);
    app.interaction.hoverColor = 0x123456;
    send(WM_RBUTTONUP, 0, clientPoint(slotX(7), stripY()));
    EXPECT_EQ(app.settings.palette[7], app.settings.bgColor);
    EXPECT_EQ(app.interaction.hoverColor, app.settings.bgColor);
    // A slot that already holds the background: nothing, not even the hover.
    app.interaction.hoverColor = 0x123456;
    send(WM_RBUTTONUP, 0, clientPoint(slotX(8), stripY()));
    EXPECT_EQ(app.interaction.hoverColor, 0x123456u);
    // Elsewhere nothing either.
    send(WM_RBUTTONUP, 0, clientPoint(app.layout.hexCenterX, app.layout.hexCenterY));
    EXPECT_EQ(app.interaction.hoverColor, 0x123456u);
}

TEST_F(RightButtonTest, ReleasingTheButtonEndsTheMarkerLine) {
    app.interaction.mouseInside = 1;
    app.interaction.dragMode = DragOverMarkerZone;
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(levelTrackX(), app.layout.hexCenterY));
    ASSERT_EQ(GetCapture(), shell.mainWindow);
    send(WM_RBUTTONUP, MK_LBUTTON, clientPoint(levelTrackX(), app.layout.hexCenterY));
    EXPECT_NE(GetCapture(), shell.mainWindow);
}

// ---------------------------------------------------------------- wheel

class WheelTest : public MainWindowTest {
protected:
    void wheel(int delta, WPARAM keys, int x, int y) {
        send(WM_MOUSEWHEEL, MAKEWPARAM(keys, (WORD)(short)delta), screenPoint(x, y));
        pumpMessages();
    }
};

TEST_F(WheelTest, OverTheSizeBoxItPicksTheNeighbouringGridSize) {
    wheel(120, 0, 20, 10);   // away from the user: the smaller grid
    EXPECT_EQ(app.settings.sizeIndex, 1);
    EXPECT_EQ(app.settings.gridSize, 6);
    EXPECT_EQ(SendMessageW(shell.sizeCombo, CB_GETCURSEL, 0, 0), 1);
    wheel(-120, 0, 76, app.layout.comboBottom);   // the zone's corner
    EXPECT_EQ(app.settings.sizeIndex, 2);
    wheel(120, 0, 20, 10);
    wheel(120, 0, 20, 10);
    EXPECT_EQ(app.settings.sizeIndex, 0);
    wheel(120, 0, 20, 10);   // no entry before the first
    EXPECT_EQ(app.settings.sizeIndex, 0);
    EXPECT_EQ(SendMessageW(shell.sizeCombo, CB_GETCURSEL, 0, 0), 0);
    RECT r;
    GetWindowRect(shell.mainWindow, &r);
    EXPECT_EQ(r.right - r.left, widthForHeight(r.bottom - r.top));
}

TEST_F(WheelTest, OnTheChartsItStepsSliceOrLevel) {
    const Layout& L = app.layout;
    wheel(-120, 0, L.hexCenterX, L.hexCenterY);   // hexagon side, forward
    EXPECT_EQ(app.chart.slice, 5);
    wheel(120, MK_SHIFT, L.hexCenterX, L.hexCenterY);   // coarse back
    EXPECT_EQ(app.chart.slice, 4);
    EXPECT_EQ(app.settings.slicePos, 512);
    wheel(-240, 0, L.triLeft - L.unit, L.hexCenterY);   // triangle side; size ignored
    EXPECT_EQ(app.chart.level, 15);
    wheel(0, 0, L.triLeft - L.unit, L.hexCenterY);      // zero counts as away
    EXPECT_EQ(app.chart.level, 16);
    wheel(-120, MK_SHIFT, L.clientWidth - 5, L.hexCenterY);
    EXPECT_EQ(app.chart.level, 12);
}

TEST_F(WheelTest, CtrlStepsTheWindowHeightUnlessMaximised) {
    wheel(120, MK_CONTROL, 200, 200);
    pumpMessages();
    EXPECT_EQ(app.layout.clientHeight, 364);
    RECT client;
    GetClientRect(shell.mainWindow, &client);
    EXPECT_EQ(client.bottom, 364);
    EXPECT_EQ(app.settings.sizeIndex, 2);

    ShowWindow(shell.mainWindow, SW_MAXIMIZE);
    pumpMessages();
    ASSERT_TRUE(IsZoomed(shell.mainWindow));
    const int height = app.layout.clientHeight;
    wheel(-120, MK_CONTROL, 200, 200);
    EXPECT_EQ(app.layout.clientHeight, height);
    ShowWindow(shell.mainWindow, SW_RESTORE);
}

// ---------------------------------------------------------------- commands

class CommandTest : public MainWindowTest {};

TEST_F(CommandTest, SizeBoxSelectionChangesTheGridSize) {
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, 4, 0);
    send(WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), (LPARAM)shell.sizeCombo);
    pumpMessages();
    EXPECT_EQ(app.settings.sizeIndex, 4);
    EXPECT_EQ(app.settings.gridSize, 16);
    RECT client;
    GetClientRect(shell.mainWindow, &client);
    EXPECT_EQ(client.bottom, app.layout.clientHeight);
    EXPECT_EQ(client.right, app.layout.clientWidth);
}

TEST_F(CommandTest, CopyButtonPutsThePaletteOnTheClipboard) {
    app.settings.palette[0] = 0x0000FF;
    send(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)shell.copyButton);
    ASSERT_TRUE(finishClipboardWork());
    char16_t expected[PaletteTextCapacity];
    formatPaletteText(app.settings.palette, expected);
    ASSERT_TRUE(OpenClipboard(shell.mainWindow));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, (HANDLE)NULL);
    const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data));
    EXPECT_EQ(std::wstring(text), std::wstring(expected, expected + std::char_traits<char16_t>::length(expected)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(GetFocus(), shell.mainWindow);
}

TEST_F(CommandTest, PasteButtonReadsThePaletteFromTheClipboard) {
    const wchar_t text[] = L"B(00ff00)";
    ASSERT_TRUE(OpenClipboard(shell.mainWindow));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    send(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)shell.pasteButton);
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(app.settings.palette[1], makeColor(0, 0xFF, 0));
    EXPECT_EQ(GetFocus(), shell.mainWindow);
}

}  // namespace
