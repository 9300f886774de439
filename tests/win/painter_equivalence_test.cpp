// The default painter against the literal one. The same scripted sequences
// of operations are driven through the real window procedure once with each
// painter; after every step the whole client area is read back from the
// screen and the two pictures must agree in every pixel. Also: the learnt
// dot shapes against GDI's own ellipses, the back buffer's presenting, and
// back buffers that cannot be had.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/sizing_win.h"
#include "chart/hexagon.h"
#include "chart/markers.h"
#include "chart/paint_win.h"
#include "chart/triangle.h"
#include "clipboard_support.h"
#include "main_window_harness.h"
#include "navigate/hit_test.h"
#include "navigate/navigation.h"
#include "paint/buffer_bitmap_win.h"
#include "paint/dot_stamp_win.h"
#include "paint/draw_win.h"
#include "paint/painter_seams_win.h"
#include "palette/palette_model.h"
#include "paint_canvas.h"

using namespace harness;

namespace {

// ------------------------------------------------------------ screen reading

// The client area as the screen shows it: read through the screen's own
// device context at the client's place on the screen, 0x00RRGGBB per pixel.
Snapshot captureScreenClient() {
    POINT origin = {0, 0};
    ClientToScreen(shell.mainWindow, &origin);
    HDC screen = GetDC(NULL);
    Snapshot shot = snapshotOf(screen, origin.x, origin.y);
    ReleaseDC(NULL, screen);
    return shot;
}

// The window's own surface, through a device context of the window: what
// the screen shows once the window system has caught up.
Snapshot captureWindowClient() {
    HDC drawingDC = GetDC(shell.mainWindow);
    const HDC kept = shell.drawingDC;
    shell.drawingDC = drawingDC;
    Snapshot shot = snapshotClient();
    shell.drawingDC = kept;
    ReleaseDC(shell.mainWindow, drawingDC);
    return shot;
}

// Differing pixels outside the child controls, which paint themselves
// onto the window and are no part of the main window's picture.
int countDifferencesOffControls(const Snapshot& a, const Snapshot& b) {
    if (a.width != b.width || a.height != b.height)
        return -1;
    std::vector<RECT> controls;
    for (HWND child = GetWindow(shell.mainWindow, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, shell.mainWindow, (POINT*)&r, 2);
        controls.push_back(r);
    }
    int count = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const POINT p = {x, y};
            bool onControl = false;
            for (const RECT& r : controls)
                onControl = onControl || PtInRect(&r, p);
            count += !onControl && a.at(x, y) != b.at(x, y) ? 1 : 0;
        }
    }
    return count;
}

std::string describeFirstDifference(const Snapshot& a, const Snapshot& b) {
    if (a.width != b.width || a.height != b.height) {
        char text[96];
        wsprintfA(text, "sizes differ: %d x %d against %d x %d", a.width, a.height, b.width,
                  b.height);
        return text;
    }
    int left = a.width, top = a.height, right = -1, bottom = -1;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) == b.at(x, y))
                continue;
            if (firstX < 0) {
                firstX = x;
                firstY = y;
            }
            left = x < left ? x : left;
            right = x > right ? x : right;
            top = y < top ? y : top;
            bottom = y > bottom ? y : bottom;
        }
    }
    if (firstX < 0)
        return "none";
    char text[160];
    wsprintfA(text, "first at (%d, %d): literal %06X, default %06X; all within (%d, %d)-(%d, %d)",
              firstX, firstY, a.at(firstX, firstY), b.at(firstX, firstY), left, top, right,
              bottom);
    return text;
}

// --------------------------------------------------------------- the driver

struct Step {
    std::string name;
    std::function<void()> run;
};
typedef std::vector<Step> Sequence;

// Far from the window at every size the sequences give it, so that a real
// pointer position never hovers over anything unless a step puts it there.

// The window learns that the pointer left it from a timer of the window
// system, some tens of milliseconds later. Both runs wait for it, so that
// the readout shows the same state in both when the next step starts.
void waitForTheLeave() {
    for (int k = 0; k < 100 && app.interaction.mouseInside; ++k) {
        Sleep(10);
        pumpMessages();
    }
    settle();
}

// The screen's last pixel, which setClientSize leaves outside the window.
void parkCursor() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    waitForTheLeave();
}

// A fresh first-start state painted in full by the chosen painter.
void startRun(bool fast) {
    usePainter(fast);
    parkCursor();
    resetMainWindow();
    if (OpenClipboard(shell.mainWindow)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

void expectSamePictures(const Sequence& steps) {
    std::vector<Snapshot> literal;
    startRun(false);
    ASSERT_FALSE(paintingIntoBackBuffer());
    literal.push_back(captureScreenClient());
    for (const Step& step : steps) {
        step.run();
        settle();
        literal.push_back(captureScreenClient());
    }

    startRun(true);
    ASSERT_TRUE(defaultPainterChosen());
    int totalDifferences = 0;
    for (size_t k = 0; k <= steps.size(); ++k) {
        if (k > 0) {
            steps[k - 1].run();
            settle();
        }
        const Snapshot fast = captureScreenClient();
        const char* name = k == 0 ? "start" : steps[k - 1].name.c_str();
        const int differences = countDifferences(literal[k], fast);
        EXPECT_EQ(differences, 0) << "after step " << k << " (" << name << "): "
                                  << describeFirstDifference(literal[k], fast);
        totalDifferences += differences != 0 ? 1 : 0;
        literal[k] = Snapshot();   // the pictures are large; keep only what is still to compare
    }
    usePainter(false);
    EXPECT_EQ(totalDifferences, 0);
}

// ------------------------------------------------------------------ actions

void pressKey(WPARAM key) { send(WM_KEYDOWN, key, 1); }

void moveMouse(ClientPoint p, WPARAM keys = 0) { send(WM_MOUSEMOVE, keys, clientPoint(p.x, p.y)); }

// Puts the real pointer over the point first, so that the window's own idea
// of where the mouse is (leave tracking, the pick) agrees with the messages.
void pointAt(ClientPoint p) {
    const POINT s = toScreen(p.x, p.y);
    SetCursorPos(s.x, s.y);
    settle();
}

void hoverAt(ClientPoint p) {
    pointAt(p);
    moveMouse(p);
    moveMouse(p);
}

void leftClick(ClientPoint down, ClientPoint up, WPARAM keys = 0) {
    send(WM_LBUTTONDOWN, MK_LBUTTON | keys, clientPoint(down.x, down.y));
    moveMouse(up, MK_LBUTTON | keys);
    send(WM_LBUTTONUP, keys, clientPoint(up.x, up.y));
}

void rightClick(ClientPoint p, WPARAM keys = 0) {
    send(WM_RBUTTONDOWN, MK_RBUTTON | keys, clientPoint(p.x, p.y));
    send(WM_RBUTTONUP, keys, clientPoint(p.x, p.y));
}

void wheel(ClientPoint p, int notches, WORD keys = 0) {
    const POINT s = toScreen(p.x, p.y);
    send(WM_MOUSEWHEEL, MAKEWPARAM(keys, (short)(notches * WHEEL_DELTA)), MAKELPARAM(s.x, s.y));
}

void selectGridSize(int index) {
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)index, 0);
    send(WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), (LPARAM)shell.sizeCombo);
}

void repaintEverything() {
    InvalidateRect(shell.mainWindow, NULL, TRUE);
    UpdateWindow(shell.mainWindow);
}

// At most what fits between the client's corner and the work area's far
// edges, whatever screen the session happens to have: a window part off the
// screen keeps no pixels to read back. The last row and column stay free for
// the parked pointer, which the window must not take as a hover.
void setClientSize(int width, int height) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    POINT corner = {0, 0};
    ClientToScreen(shell.mainWindow, &corner);
    width = std::min(width, (int)work.right - 1 - (int)corner.x);
    height = std::min(height, (int)work.bottom - 1 - (int)corner.y);
    SetWindowPos(shell.mainWindow, NULL, 0, 0, width + app.layout.frameWidth,
                 height + app.layout.frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void pickAt(ClientPoint p) {
    pointAt(p);
    pressKey(VK_SPACE);
}

void pickScreenPixel(POINT s) {
    SetCursorPos(s.x, s.y);
    waitForTheLeave();
    pressKey(VK_SPACE);
}

void putPaletteOnClipboard(const wchar_t* text) {
    if (!OpenClipboard(shell.mainWindow))
        return;
    EmptyClipboard();
    const SIZE_T bytes = (SIZE_T)(lstrlenW(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        CopyMemory(GlobalLock(memory), text, bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

// The step ends once the pasted text is in: the result comes back as a
// message, which both painters must see at the same point.
void clickPasteButton() {
    send(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)shell.pasteButton);
    EXPECT_TRUE(finishClipboardWork());
}

// ---------------------------------------------------------------- places

ClientPoint hexagonDot(int a, int b) {
    const Layout& L = app.layout;
    return ClientPoint{L.hexCenterX + a * L.hStep, L.hexCenterY + b * L.unit};
}

ClientPoint triangleDot(int i, int j) {
    const Layout& L = app.layout;
    return ClientPoint{L.triLeft + 2 * i * L.unit, L.hexCenterY + 2 * (j - i) * L.unit};
}

ClientPoint slotCentre(int k) {
    const Layout& L = app.layout;
    return ClientPoint{(swatchLeft(k) + swatchRight(k)) / 2, (L.stripTop + L.stripBottom) / 2};
}

ClientPoint panelCentre() {
    const Layout& L = app.layout;
    return ClientPoint{(L.panelLeft + L.panelRight) / 2, (L.panelTop + L.panelBottom) / 2};
}

// Walks outward from the hexagon's centre in the given direction until the
// first point of a marker zone round the rim (not the level marker's zone).
ClientPoint rimZonePoint(double degrees) {
    const Layout& L = app.layout;
    const double radians = degrees * 3.14159265358979 / 180.0;
    for (int distance = 0; distance < L.clientWidth; ++distance) {
        const int x = L.hexCenterX + (int)(distance * std::cos(radians));
        const int y = L.hexCenterY - (int)(distance * std::sin(radians));
        COLORREF colour = 0;
        int col = 0;
        int row = 0;
        if (hitTest(x, y, colour) == HitMarkerZone && !gridCell(x, y, col, row))
            return ClientPoint{x, y};
    }
    return ClientPoint{L.hexCenterX, L.hexCenterY};
}

// A point of the level marker's zone beside the triangle's base, level with
// base dot j.
ClientPoint levelZonePoint(int j) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    const int y = L.hexCenterY + 2 * (j - n) * L.unit;
    for (int x = L.triLeft + 2 * n * L.unit; x < L.clientWidth; ++x) {
        COLORREF colour = 0;
        int col = 0;
        int row = 0;
        if (hitTest(x, y, colour) == HitMarkerZone && gridCell(x, y, col, row))
            return ClientPoint{x, y};
    }
    ClientPoint marker[3];
    levelMarkerPolygon(marker);
    return centroid(marker);
}

// Presses on a marker zone (which moves the level or the hue and shows the
// marker line), then releases (which removes the line).
void pressMarkerZone(ClientPoint p) {
    hoverAt(p);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(p.x, p.y));
}

void releaseMarkerZone(ClientPoint p) { send(WM_LBUTTONUP, 0, clientPoint(p.x, p.y)); }

// --------------------------------------------------------------- sequences

void addStep(Sequence& s, const std::string& name, std::function<void()> run) {
    s.push_back(Step{name, run});
}

std::string sizeName(int index) { return std::to_string(GridSizes[index]); }

Sequence everyGridSize() {
    Sequence s;
    for (int index = 0; index < GridSizeCount; ++index) {
        addStep(s, "select N = " + sizeName(index), [index] { selectGridSize(index); });
        addStep(s, "full repaint at N = " + sizeName(index), [] { repaintEverything(); });
    }
    for (int index = GridSizeCount - 2; index >= 0; index -= 3)
        addStep(s, "select N = " + sizeName(index), [index] { selectGridSize(index); });
    return s;
}

Sequence everyGridSizeInALargeWindow() {
    Sequence s;
    addStep(s, "client 1300 x 1000", [] { setClientSize(1300, 1000); });
    for (int index = 0; index < GridSizeCount; ++index) {
        addStep(s, "select N = " + sizeName(index), [index] { selectGridSize(index); });
        addStep(s, "full repaint at N = " + sizeName(index), [] { repaintEverything(); });
    }
    return s;
}

void addNavigation(Sequence& s, const std::string& where) {
    for (int k = 0; k < 3; ++k)
        addStep(s, where + ": level down", [] { pressKey(VK_DOWN); });
    addStep(s, where + ": level up", [] { pressKey(VK_UP); });
    for (int k = 0; k < 3; ++k)
        addStep(s, where + ": slice left", [] { pressKey(VK_LEFT); });
    addStep(s, where + ": slice right", [] { pressKey(VK_RIGHT); });
    // Left of the triangle the wheel moves the hue, over it the level.
    addStep(s, where + ": wheel over the hexagon", [] { wheel(hexagonDot(0, 0), -2); });
    addStep(s, where + ": wheel over the triangle", [] {
        wheel(triangleDot(app.settings.gridSize, app.settings.gridSize), 1);
    });
}

Sequence levelAndSliceSteps() {
    Sequence s;
    addNavigation(s, "N = 8");
    // The smallest window N = 128 allows: the hexagon's box reaches into
    // the Copy button's corner, so what is shown there must be the button.
    addStep(s, "select N = 128 in the small window", [] { selectGridSize(10); });
    addNavigation(s, "N = 128 at its smallest");
    addStep(s, "client 1200 x 900", [] { setClientSize(1200, 900); });
    const int sizes[] = {0, 4, 7, 10};
    for (int index : sizes) {
        addStep(s, "select N = " + sizeName(index), [index] { selectGridSize(index); });
        addNavigation(s, "N = " + sizeName(index));
    }
    return s;
}

Sequence rimPresses() {
    Sequence s;
    addStep(s, "client 1000 x 700", [] { setClientSize(1000, 700); });
    const int sizes[] = {2, 6, 10};
    for (int index : sizes) {
        const std::string n = "N = " + sizeName(index);
        addStep(s, "select " + n, [index] { selectGridSize(index); });
        const double angles[] = {75, 200, 320};
        for (double angle : angles) {
            const std::string where = n + ", rim at " + std::to_string((int)angle);
            addStep(s, where + ": press", [angle] { pressMarkerZone(rimZonePoint(angle)); });
            addStep(s, where + ": release", [angle] { releaseMarkerZone(rimZonePoint(angle)); });
        }
        const int rows[] = {1, 5};
        for (int j : rows) {
            const std::string where = n + ", level zone " + std::to_string(j);
            addStep(s, where + ": press", [j] { pressMarkerZone(levelZonePoint(j)); });
            addStep(s, where + ": release", [j] { releaseMarkerZone(levelZonePoint(j)); });
        }
        addStep(s, n + ": pointer leaves", [] {
            parkCursor();
            send(WM_MOUSELEAVE);
        });
    }
    return s;
}

void addPicks(Sequence& s, const std::string& n) {
    addStep(s, n + ": pick on the hexagon", [] { pickAt(hexagonDot(2, 0)); });
    addStep(s, n + ": level down with the overlay", [] { pressKey(VK_DOWN); });
    addStep(s, n + ": slice right with the overlay", [] { pressKey(VK_RIGHT); });
    addStep(s, n + ": Tab hides the overlay", [] { pressKey(VK_TAB); });
    addStep(s, n + ": level up while hidden", [] { pressKey(VK_UP); });
    addStep(s, n + ": Tab shows it again", [] { pressKey(VK_TAB); });
    addStep(s, n + ": pick on the triangle", [] {
        const int n = app.settings.gridSize;
        pickAt(triangleDot(n / 2, n / 3));
    });
    addStep(s, n + ": pick off the window", [] { pickScreenPixel(POINT{1900, 1180}); });
    addStep(s, n + ": Tab hides", [] { pressKey(VK_TAB); });
    addStep(s, n + ": pick while hidden", [] { pickAt(hexagonDot(-3, 1)); });
    addStep(s, n + ": Tab shows", [] { pressKey(VK_TAB); });
    addStep(s, n + ": the readout format flips", [] {
        const Layout& L = app.layout;
        const ClientPoint p = {(L.panelLeft + L.panelRight) / 2, 30};
        hoverAt(p);
        send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(p.x, p.y));
        send(WM_LBUTTONUP, 0, clientPoint(p.x, p.y));
    });
    addStep(s, n + ": the pick is dropped", [] {
        hoverAt(panelCentre());
        rightClick(panelCentre());
    });
    addStep(s, n + ": Tab without a pick", [] { pressKey(VK_TAB); });
    addStep(s, n + ": pointer leaves", [] {
        parkCursor();
        send(WM_MOUSELEAVE);
    });
}

Sequence picksWithTheOverlay() {
    Sequence s;
    addPicks(s, "N = 8");
    addStep(s, "client 1200 x 900", [] { setClientSize(1200, 900); });
    const int sizes[] = {1, 5, 10};
    for (int index : sizes) {
        addStep(s, "select N = " + sizeName(index), [index] { selectGridSize(index); });
        addPicks(s, "N = " + sizeName(index));
    }
    return s;
}

void addPaletteChanges(Sequence& s, const std::string& n) {
    addStep(s, n + ": a colour dropped on slot C", [] {
        hoverAt(hexagonDot(1, -1));
        leftClick(hexagonDot(1, -1), slotCentre(2));
    });
    addStep(s, n + ": slot A from the triangle", [] {
        const int n = app.settings.gridSize;
        hoverAt(triangleDot(n, 1));
        leftClick(triangleDot(n, 1), slotCentre(0));
    });
    addStep(s, n + ": slot Z from the hexagon", [] {
        const int n = app.settings.gridSize;
        hoverAt(hexagonDot(-n, 0));
        leftClick(hexagonDot(-n, 0), slotCentre(15));
    });
    addStep(s, n + ": gradient from A to Z", [] {
        hoverAt(slotCentre(0));
        leftClick(slotCentre(0), slotCentre(15), MK_SHIFT);
    });
    addStep(s, n + ": slot E cleared", [] {
        hoverAt(slotCentre(4));
        rightClick(slotCentre(4));
    });
    addStep(s, n + ": paste", [] {
        putPaletteOnClipboard(L"A(ff0000) B(00ff00) C(0000ff) M(123456) Z(fedcba)");
        clickPasteButton();
    });
    addStep(s, n + ": every slot one colour", [] {
        hoverAt(hexagonDot(0, 2));
        rightClick(hexagonDot(0, 2), MK_SHIFT);
    });
    addStep(s, n + ": pointer leaves", [] {
        parkCursor();
        send(WM_MOUSELEAVE);
    });
}

Sequence paletteChanges() {
    Sequence s;
    addPaletteChanges(s, "N = 8");
    addStep(s, "client 1100 x 800", [] { setClientSize(1100, 800); });
    addStep(s, "select N = 48", [] { selectGridSize(7); });
    addPaletteChanges(s, "N = 48");
    return s;
}

void addBackgroundChange(Sequence& s, const std::string& name, std::function<ClientPoint()> where) {
    addStep(s, name, [where] {
        const ClientPoint p = where();
        hoverAt(p);
        rightClick(p, MK_CONTROL);
    });
    addStep(s, name + ", then a level step", [] { pressKey(VK_DOWN); });
    addStep(s, name + ", then a slice step", [] { pressKey(VK_LEFT); });
}

Sequence backgroundChanges() {
    Sequence s;
    addStep(s, "a pick first", [] { pickAt(hexagonDot(1, 1)); });
    addBackgroundChange(s, "background from the hexagon", [] { return hexagonDot(2, 2); });
    addBackgroundChange(s, "background from the triangle", [] {
        const int n = app.settings.gridSize;
        return triangleDot(n, 2 * n);
    });
    addStep(s, "Tab hides the overlay", [] { pressKey(VK_TAB); });
    addStep(s, "client 1200 x 900", [] { setClientSize(1200, 900); });
    addStep(s, "select N = 128", [] { selectGridSize(10); });
    addBackgroundChange(s, "background at N = 128", [] { return hexagonDot(5, 3); });
    addStep(s, "Tab shows the overlay", [] { pressKey(VK_TAB); });
    addStep(s, "pointer leaves", [] {
        parkCursor();
        send(WM_MOUSELEAVE);
    });
    return s;
}

Sequence resizes() {
    Sequence s;
    addStep(s, "a pick first", [] { pickAt(hexagonDot(-1, 1)); });
    addStep(s, "client 900 x 600", [] { setClientSize(900, 600); });
    addStep(s, "client 1400 x 1000", [] { setClientSize(1400, 1000); });
    addStep(s, "client 700 x 1100", [] { setClientSize(700, 1100); });
    addStep(s, "client 1500 x 500", [] { setClientSize(1500, 500); });
    addStep(s, "the smallest client", [] { setClientSize(1, 1); });
    addStep(s, "select N = 96", [] { selectGridSize(9); });
    addStep(s, "taller by the wheel", [] { wheel(hexagonDot(0, 0), 1, MK_CONTROL); });
    addStep(s, "taller by the wheel again", [] { wheel(hexagonDot(0, 0), 1, MK_CONTROL); });
    addStep(s, "shorter by the wheel", [] { wheel(hexagonDot(0, 0), -1, MK_CONTROL); });
    addStep(s, "level step after resizing", [] { pressKey(VK_DOWN); });
    addStep(s, "maximised", [] { ShowWindow(shell.mainWindow, SW_MAXIMIZE); });
    addStep(s, "slice step while maximised", [] { pressKey(VK_LEFT); });
    addStep(s, "select N = 12 while maximised", [] { selectGridSize(3); });
    addStep(s, "restored", [] { ShowWindow(shell.mainWindow, SW_RESTORE); });
    addStep(s, "pointer leaves", [] {
        parkCursor();
        send(WM_MOUSELEAVE);
    });
    return s;
}

Sequence hovering() {
    Sequence s;
    addStep(s, "client 1200 x 900", [] { setClientSize(1200, 900); });
    addStep(s, "select N = 128", [] { selectGridSize(10); });
    addStep(s, "hover on the hexagon", [] { hoverAt(hexagonDot(7, 3)); });
    addStep(s, "hover on another hexagon dot", [] { moveMouse(hexagonDot(-20, 4)); });
    addStep(s, "hover on the triangle", [] { moveMouse(triangleDot(64, 9)); });
    addStep(s, "hover on the readout", [] { moveMouse(panelCentre()); });
    addStep(s, "hover on a slot", [] { moveMouse(slotCentre(7)); });
    addStep(s, "hover on nothing", [] { moveMouse(ClientPoint{5, 400}); });
    addStep(s, "pick, then hover", [] {
        pickAt(hexagonDot(3, -5));
        moveMouse(hexagonDot(30, 2));
    });
    addStep(s, "level step under the pointer", [] {
        pointAt(hexagonDot(30, 2));
        pressKey(VK_DOWN);
    });
    addStep(s, "pointer leaves", [] {
        parkCursor();
        send(WM_MOUSELEAVE);
    });
    return s;
}

void redraw(const RECT* area, UINT flags) { RedrawWindow(shell.mainWindow, area, NULL, flags); }

// Redraws asked of the window from outside, as the system or another
// program asks them: erase and paint sent at once, an erase alone with the
// paint left to the queue, parts of the client, with and without the
// child controls.
Sequence redrawsFromOutside() {
    Sequence s;
    const UINT now = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    addStep(s, "a pick first", [] { pickAt(hexagonDot(2, -1)); });
    addStep(s, "everything now, no children", [now] { redraw(NULL, now | RDW_NOCHILDREN); });
    addStep(s, "everything now, with children", [now] { redraw(NULL, now | RDW_ALLCHILDREN); });
    addStep(s, "the controls' corner now", [now] {
        const RECT r = {0, 0, 120, 400};
        redraw(&r, now | RDW_NOCHILDREN);
    });
    addStep(s, "erase now, paint later", [] {
        redraw(NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
    });
    addStep(s, "erase now, then a key before the paint", [] {
        redraw(NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_ALLCHILDREN);
        pressKey(VK_DOWN);
    });
    addStep(s, "erase now, then a control's message before the paint", [] {
        const RECT r = {0, 0, 300, 300};
        redraw(&r, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
        InvalidateRect(shell.copyButton, NULL, TRUE);
        UpdateWindow(shell.copyButton);
        SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)app.settings.sizeIndex, 0);
    });
    addStep(s, "client 1100 x 800, N = 128", [] {
        setClientSize(1100, 800);
        selectGridSize(10);
    });
    addStep(s, "everything now at N = 128", [now] { redraw(NULL, now | RDW_NOCHILDREN); });
    addStep(s, "a middle part now", [now] {
        const RECT r = {200, 150, 700, 500};
        redraw(&r, now | RDW_ALLCHILDREN);
    });
    return s;
}

void clickButton(HWND button) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The child controls drawing themselves, in between and during what the
// main window draws over and around them.
Sequence controlsDrawing() {
    Sequence s;
    addStep(s, "client 430 x 300, N = 12", [] {
        setClientSize(430, 300);
        selectGridSize(3);
    });
    addStep(s, "Paste pressed with the mouse", [] { clickButton(shell.pasteButton); });
    addStep(s, "focus on Copy", [] { SetFocus(shell.copyButton); });
    addStep(s, "level steps with the focus on Copy", [] {
        pressKey(VK_DOWN);
        pressKey(VK_DOWN);
    });
    addStep(s, "Copy pressed with the mouse", [] { clickButton(shell.copyButton); });
    addStep(s, "size box opened and closed", [] {
        SendMessageW(shell.sizeCombo, CB_SHOWDROPDOWN, TRUE, 0);
        settle();
        SendMessageW(shell.sizeCombo, CB_SHOWDROPDOWN, FALSE, 0);
    });
    addStep(s, "focus back on the window", [] { SetFocus(shell.mainWindow); });
    addStep(s, "the smallest grid over the controls", [] { selectGridSize(0); });
    addStep(s, "a pick and a slice step", [] {
        pickAt(hexagonDot(1, -1));
        pressKey(VK_LEFT);
    });
    return s;
}

// The back buffer cannot be grown: the default painter paints straight
// onto the window, as the literal painter does, until a buffer can be had
// again (at the next resize or paint).
// A grid whose charts the default painter draws into its back buffer.
const int BufferedGridIndex = 4;

// Under the default painter, whether it now paints into a back buffer.
void expectBackBuffer(bool expected) {
    if (defaultPainterChosen()) {
        EXPECT_EQ(paintingIntoBackBuffer(), expected);
    }
}

// A new client size with back buffers allowed or refused: the default
// painter then has a buffer exactly when one could be made.
void resizeWithBuffers(bool allowed, int width, int height) {
    failBackBufferAllocations(!allowed);
    setClientSize(width, height);
    settle();
    expectBackBuffer(allowed);
}

Sequence bufferFailures() {
    Sequence s;
    addStep(s, "select N = 16", [] { selectGridSize(BufferedGridIndex); });
    addStep(s, "a pick first", [] { pickAt(hexagonDot(1, -1)); });
    addStep(s, "no buffer for client 1000 x 700", [] { resizeWithBuffers(false, 1000, 700); });
    addStep(s, "level step without a buffer", [] { pressKey(VK_DOWN); });
    addStep(s, "select N = 48 without a buffer", [] {
        selectGridSize(7);
        expectBackBuffer(false);
    });
    addStep(s, "slice step without a buffer", [] { pressKey(VK_LEFT); });
    addStep(s, "a buffer again at client 1100 x 760", [] { resizeWithBuffers(true, 1100, 760); });
    addStep(s, "level step with the buffer", [] { pressKey(VK_DOWN); });
    addStep(s, "no buffer for client 1200 x 820", [] { resizeWithBuffers(false, 1200, 820); });
    addStep(s, "a part redrawn from outside without a buffer", [] {
        const RECT r = {100, 100, 500, 400};
        RedrawWindow(shell.mainWindow, &r, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    addStep(s, "a buffer again at the next paint", [] {
        failBackBufferAllocations(false);
        const RECT r = {300, 200, 340, 260};
        RedrawWindow(shell.mainWindow, &r, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        settle();
        expectBackBuffer(true);
    });
    addStep(s, "slice step with the buffer", [] { pressKey(VK_RIGHT); });
    // The buffer only grows: the next run starts with one this small.
    addStep(s, "client 700 x 500", [] { setClientSize(700, 500); });
    return s;
}

class PainterEquivalenceTest : public MainWindowTest {
protected:
    void TearDown() override {
        failBackBufferAllocations(false);
        usePainter(false);
    }
};

TEST_F(PainterEquivalenceTest, EveryGridSize) { expectSamePictures(everyGridSize()); }

TEST_F(PainterEquivalenceTest, EveryGridSizeInALargeWindow) {
    expectSamePictures(everyGridSizeInALargeWindow());
}

TEST_F(PainterEquivalenceTest, LevelAndSliceSteps) { expectSamePictures(levelAndSliceSteps()); }

TEST_F(PainterEquivalenceTest, RimAndLevelZonePresses) { expectSamePictures(rimPresses()); }

TEST_F(PainterEquivalenceTest, PicksWithTheOverlayShownAndHidden) {
    expectSamePictures(picksWithTheOverlay());
}

TEST_F(PainterEquivalenceTest, PaletteChanges) { expectSamePictures(paletteChanges()); }

TEST_F(PainterEquivalenceTest, BackgroundColourChanges) {
    expectSamePictures(backgroundChanges());
}

TEST_F(PainterEquivalenceTest, Resizes) { expectSamePictures(resizes()); }

TEST_F(PainterEquivalenceTest, Hovering) { expectSamePictures(hovering()); }

TEST_F(PainterEquivalenceTest, RedrawsFromOutside) { expectSamePictures(redrawsFromOutside()); }

TEST_F(PainterEquivalenceTest, ControlsDrawing) { expectSamePictures(controlsDrawing()); }

TEST_F(PainterEquivalenceTest, BackBufferFailures) { expectSamePictures(bufferFailures()); }

// The charts of the smallest grids cost GDI less than copying a buffer
// onto the window: the default painter draws them straight onto it, and
// takes its buffer again with a larger grid.
TEST_F(PainterEquivalenceTest, SmallGridsArePaintedStraightOntoTheWindow) {
    usePainter(true);
    setClientSize(1000, 700);
    const int indices[] = {0, 3, 2, 5, 1};
    for (int index : indices) {
        selectGridSize(index);
        settle();
        EXPECT_EQ(paintingIntoBackBuffer(), GridSizes[index] > 8) << GridSizes[index];
    }
}

// Chosen while no back buffer can be had at all, the default painter
// paints the literal picture straight onto the window.
TEST_F(PainterEquivalenceTest, WithoutAnyBackBufferThePictureIsTheLiteralOne) {
    setClientSize(900, 640);
    selectGridSize(BufferedGridIndex);
    settle();
    const Snapshot literal = captureScreenClient();
    failBackBufferAllocations(true);
    usePainter(true);
    EXPECT_TRUE(defaultPainterChosen());
    EXPECT_FALSE(paintingIntoBackBuffer());
    repaintEverything();
    settle();
    EXPECT_EQ(countDifferences(literal, captureScreenClient()), 0);
    failBackBufferAllocations(false);
    repaintEverything();
    settle();
    EXPECT_TRUE(paintingIntoBackBuffer());
    EXPECT_EQ(countDifferences(literal, captureScreenClient()), 0);
}

// ------------------------------------------------------- presenting itself

// The screen read back through the screen's DC is the window's own surface:
// the comparison above looks at what a user sees.
TEST_F(PainterEquivalenceTest, TheScreenShowsTheWindowsSurface) {
    usePainter(true);
    setClientSize(1000, 700);
    selectGridSize(BufferedGridIndex);
    settle();
    ASSERT_TRUE(paintingIntoBackBuffer());
    pressKey(VK_DOWN);
    settle();
    EXPECT_EQ(countDifferences(captureScreenClient(), captureWindowClient()), 0);
}

TEST_F(PainterEquivalenceTest, WhatAMessageDrawsIsOnTheWindowWhenItReturns) {
    usePainter(true);
    setClientSize(1000, 700);
    selectGridSize(BufferedGridIndex);
    settle();
    ASSERT_TRUE(paintingIntoBackBuffer());
    for (WPARAM key : {VK_DOWN, VK_LEFT, VK_TAB, VK_UP}) {
        SCOPED_TRACE((int)key);
        pressKey(key);
        // No pumping, no waiting: the window must already show the buffer.
        const Snapshot onWindow = captureWindowClient();
        const Snapshot buffered = snapshotClient();
        EXPECT_EQ(countDifferencesOffControls(onWindow, buffered), 0)
            << describeFirstDifference(onWindow, buffered);
    }
}

TEST_F(PainterEquivalenceTest, TheBackBufferCoversTheClientAndKeepsWhatItShows) {
    usePainter(true);
    selectGridSize(BufferedGridIndex);
    const int sizes[][2] = {{900, 600}, {1300, 950}, {800, 560}};
    for (const auto& size : sizes) {
        setClientSize(size[0], size[1]);
        settle();
        const SIZE b = backBufferSize();
        EXPECT_GE(b.cx, app.layout.clientWidth);
        EXPECT_GE(b.cy, app.layout.clientHeight);
        EXPECT_TRUE(paintingIntoBackBuffer());
        EXPECT_EQ(countDifferencesOffControls(captureWindowClient(), snapshotClient()), 0);
    }
}

TEST_F(PainterEquivalenceTest, SwitchingPaintersKeepsThePicture) {
    setClientSize(1000, 700);
    selectGridSize(BufferedGridIndex);
    settle();
    const Snapshot before = captureWindowClient();
    usePainter(true);
    EXPECT_TRUE(paintingIntoBackBuffer());
    EXPECT_EQ(countDifferences(before, captureWindowClient()), 0);
    EXPECT_EQ(countDifferencesOffControls(before, snapshotClient()), 0);
    usePainter(false);
    EXPECT_FALSE(paintingIntoBackBuffer());
    EXPECT_EQ(backBufferSize().cx, 0);
    EXPECT_EQ(countDifferences(before, captureWindowClient()), 0);
}

// The program starts with the default painter, its first back buffer made
// at the first WM_SIZE: the first picture is the literal painter's.
TEST(PainterStartUp, AFastStartShowsTheLiteralStartPicture) {
    const std::wstring folder = makeTempFolder(L"faststart");
    const std::wstring file = folder + L"\\zavrik.ini";
    // A settings file with grid 48 at its window size.
    startMainWindow(file);
    changeGridSize(7);
    settle();
    closeMainWindow();
    const std::string text = readFileBytes(file);
    ASSERT_FALSE(text.empty());
    Snapshot pictures[2];
    for (bool fast : {false, true}) {
        ASSERT_TRUE(writeFileBytes(file, text));
        startMainWindow(file, fast);
        parkCursor();
        EXPECT_EQ(defaultPainterChosen(), fast);
        pictures[fast] = captureScreenClient();
        if (fast) {
            EXPECT_EQ(backBufferSize().cx, app.layout.clientWidth);
            EXPECT_EQ(backBufferSize().cy, app.layout.clientHeight);
            EXPECT_EQ(countDifferencesOffControls(captureWindowClient(), snapshotClient()), 0);
        }
        closeMainWindow();
    }
    EXPECT_EQ(app.settings.gridSize, 48);
    EXPECT_EQ(countDifferences(pictures[0], pictures[1]), 0)
        << describeFirstDifference(pictures[0], pictures[1]);
    removeFolder(folder);
}

// --------------------------------------------------------------- dot shapes

class DotShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedShell = shell;
        prepareDrawingState();
    }
    void TearDown() override {
        shell = savedShell;
        destroyCanvas(literal);
        destroyCanvas(fast);
    }
    // Both charts painted fast three times over the same background: the
    // first painting of a walk, the one that keeps its pixels, and a copy
    // of those. Each must equal the literal canvas.
    void expectFastChartsRepeatTheLiteralOnes(COLORREF background) {
        for (int repeat = 0; repeat < 3; ++repeat) {
            fillCanvas(fast, background);
            useCanvasAsBackBuffer(fast);
            paintHexagon();
            paintTriangle();
            EXPECT_EQ(snapshot(literal), snapshot(fast)) << "painting " << repeat + 1;
        }
    }

    Shell savedShell;
    PaintCanvas literal = {};
    PaintCanvas fast = {};
};

// Every radius the layout can give for the client sizes in use, at places
// all over a canvas and across each of its edges: each fast dot covers
// exactly the pixels of GDI's ellipse, in the dot's colour.
TEST_F(DotShapeTest, FastDotsCoverExactlyWhatGdiCovers) {
    const int width = 97;
    const int height = 83;
    literal = createCanvas(width, height);
    fast = createCanvas(width, height);
    const int placesX[] = {-40, -3, 0, 1, 2, 17, 48, 95, 96, 97, 99, 130};
    const int placesY[] = {-35, -2, 0, 1, 30, 81, 82, 83, 86, 120};
    for (int radius = 1; radius <= 60; ++radius) {
        SCOPED_TRACE(radius);
        fillCanvas(literal, 0x102030);
        fillCanvas(fast, 0x102030);
        COLORREF colour = 0x0000F0;
        for (int y : placesY) {
            for (int x : placesX) {
                colour = (colour * 2654435761u + 12345u) & 0xFFFFFF;
                drawLiterallyOn(literal);
                drawDot(x, y, radius, colour);
                useCanvasAsBackBuffer(fast);
                drawDot(x, y, radius, colour);
            }
        }
        EXPECT_EQ(snapshot(literal), snapshot(fast));
    }
}

// The overlay's rings: outlines of wide solid pens with a null brush, at
// places all over a canvas and across its edges.
TEST_F(DotShapeTest, StampedRingsCoverExactlyWhatGdiCovers) {
    const int width = 61;
    const int height = 47;
    literal = createCanvas(width, height);
    fast = createCanvas(width, height);
    const int placesX[] = {-12, -6, -1, 0, 4, 9, 30, 52, 58, 61, 66, 75};
    const int placesY[] = {-10, -3, 0, 7, 23, 40, 46, 47, 52, 60};
    const int radii[] = {1, 2, 5, 8, 13};
    const COLORREF colours[] = {0xFFFFFF, 0x000000, 0xA0A0A0};
    const int penWidths[] = {5, 3, 3};
    for (int radius : radii) {
        for (int p = 0; p < 3; ++p) {
            SCOPED_TRACE(testing::Message() << "radius " << radius << " pen " << penWidths[p]);
            HPEN pen = CreatePen(PS_SOLID, penWidths[p], colours[p]);
            fillCanvas(literal, 0x405060);
            fillCanvas(fast, 0x405060);
            for (PaintCanvas* canvas : {&literal, &fast}) {
                SelectObject(canvas->dc, pen);
                SelectObject(canvas->dc, GetStockObject(NULL_BRUSH));
            }
            for (int y : placesY) {
                for (int x : placesX) {
                    Ellipse(literal.dc, x - radius, y - radius, x + radius, y + radius);
                    useCanvasAsBackBuffer(fast);
                    ASSERT_TRUE(stampRing(x, y, radius));
                }
            }
            EXPECT_EQ(snapshot(literal), snapshot(fast));
            for (PaintCanvas* canvas : {&literal, &fast})
                SelectObject(canvas->dc, GetStockObject(BLACK_PEN));
            DeleteObject(pen);
        }
    }
}

// Anything but a solid pen over a null brush in plain copy mode is left to GDI.
TEST_F(DotShapeTest, RingsInAnyOtherStateAreLeftToGdi) {
    fast = createCanvas(40, 40);
    fillCanvas(fast, 0x405060);
    const std::vector<std::uint32_t> before = snapshot(fast);
    useCanvasAsBackBuffer(fast);
    SelectObject(fast.dc, GetStockObject(WHITE_PEN));
    SelectObject(fast.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(stampRing(20, 20, 8)) << "filled";
    SelectObject(fast.dc, GetStockObject(NULL_BRUSH));
    SetROP2(fast.dc, R2_NOT);
    EXPECT_FALSE(stampRing(20, 20, 8)) << "inverting";
    SetROP2(fast.dc, R2_COPYPEN);
    SelectObject(fast.dc, GetStockObject(NULL_PEN));
    EXPECT_FALSE(stampRing(20, 20, 8)) << "no pen";
    EXPECT_EQ(before, snapshot(fast));
    SelectObject(fast.dc, GetStockObject(BLACK_PEN));
}

// The whole of both charts, every grid size, on a canvas much like the
// window's client: the stamped charts equal the drawn ones.
TEST_F(DotShapeTest, FastChartsEqualLiteralChartsAtEveryGridSize) {
    const int width = 1000;
    const int height = 760;
    literal = createCanvas(width, height);
    fast = createCanvas(width, height);
    for (int index = 0; index < GridSizeCount; ++index) {
        SCOPED_TRACE(GridSizes[index]);
        layOut(index, width, height);
        app.settings.levelPos = 700;
        app.settings.slicePos = 300;
        app.settings.sector = 4;
        updateLevel();
        updateHue();
        fillCanvas(literal, 0x808080);
        drawLiterallyOn(literal);
        paintHexagon();
        paintTriangle();
        const int radius = app.layout.dotRadius;
        expectFastChartsRepeatTheLiteralOnes(0x808080);
        EXPECT_EQ(app.layout.dotRadius, radius);
    }
}

// Charts hanging over every edge of the buffer, at places a plan made for
// the whole chart is then reused: the clipped result equals GDI's.
TEST_F(DotShapeTest, ClippedChartsEqualLiteralCharts) {
    const int width = 420;
    const int height = 300;
    literal = createCanvas(width, height);
    fast = createCanvas(width, height);
    struct Place {
        int hexX, hexY, triLeft;
    };
    const Place places[] = {
        {210, 150, 150},   // the layout's own size is larger: both cut at the edges
        {15, 10, -200},    // over the top-left corner
        {400, 290, 380},   // over the bottom-right corner
        {-5000, 150, 5000} // wholly outside
    };
    const int sizes[] = {0, 3, 7, 10};
    for (int index : sizes) {
        layOut(index, 1000, 760);
        for (const Place& place : places) {
            SCOPED_TRACE(testing::Message() << "N " << GridSizes[index] << " at " << place.hexX
                                            << ", " << place.hexY);
            app.layout.hexCenterX = place.hexX;
            app.layout.hexCenterY = place.hexY;
            app.layout.triLeft = place.triLeft;
            fillCanvas(literal, 0x203040);
            drawLiterallyOn(literal);
            paintHexagon();
            paintTriangle();
            expectFastChartsRepeatTheLiteralOnes(0x203040);
        }
    }
}

// The stamped dots tell the next present where they landed.
TEST_F(DotShapeTest, StampedDotsAreMarkedForTheNextPresent) {
    const int width = 300;
    const int height = 200;
    fast = createCanvas(width, height);
    useCanvasAsBackBuffer(fast);
    drawDot(100, 50, 5, 0x00FF00);
    drawDot(40, 150, 5, 0x0000FF);
    const RECT r = pendingPresentBox();
    EXPECT_LE(r.left, 35);
    EXPECT_LE(r.top, 45);
    EXPECT_GE(r.right, 105);
    EXPECT_GE(r.bottom, 155);
}

}  // namespace
