// Times the painting of the real main window with both painters, side by
// side in one run: the literal one (a brush and an Ellipse per dot, straight
// onto the window) and the default one (the back buffer, its dots written
// straight into the bits, presented once per message). All at one client
// size, so that the grid sizes compare. Operations go through the real
// window procedure where the user's action would, so the default painter's
// present is inside every time:
//   full paint      the main window's whole client invalidated with erase and updated:
//                   its WM_ERASEBKGND and WM_PAINT (the child controls, which paint
//                   themselves the same way under both painters, left out)
//   with controls   the same through InvalidateRect and UpdateWindow, which also
//                   repaints the size box and the two buttons
//   level step      the down and up arrows in turn, a pick with its overlay shown
//   slice step      the left and right arrows in turn, the same pick shown
//   hover refresh   a mouse move from one hexagon dot to another: the readout's hover half
//   hexagon         paintHexagon alone (and the present under the default painter)
//   triangle        paintTriangle alone (likewise)
//   resize step     the client 24 pixels taller, and back, in turn: WM_SIZE and the
//                   main window's paint
//   grid change     grid 96 to 128, and back, in turn, as the size box does it: the
//                   new layout, the window's new width, and the paint (N = 128 only)
// Prints the median and the minimum of several runs, in milliseconds, and
// literal / default of the medians. Then times the start of the program
// itself: from just before CreateProcess to the end of its first WM_PAINT,
// and reads each painter's peak working set at grid 128.
//
// Usage: paint_bench.exe [repetitions] [start-up launches] [largest grid size]

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/defaults.h"
#include "app/init_win.h"
#include "paint/painter_seams_win.h"
#include "app/settings_format.h"
#include "app/settings_win.h"
#include "core/shell_win.h"
#include "app/sizing_win.h"
#include "chart/hexagon.h"
#include "chart/paint_win.h"
#include "chart/triangle.h"

namespace {

const int BenchClientWidth = 1200;
const int BenchClientHeight = 900;

// Neither flag combination nor height matches what the window's sizing rules
// act on, so the window takes the size asked for.
const UINT BenchSizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

// Where the pointer waits while it must not hover over the window.
const POINT ParkedCursor = {1915, 1195};

// Enough runs for a stable median on a machine shared with other work (a
// fast operation's single times scatter by half), fewer on the large grids
// where each literal run takes up to a tenth of a second.
int defaultRepetitions(int n) {
    if (n <= 32)
        return 31;
    if (n <= 64)
        return 21;
    return 15;
}

const int DefaultLaunches = 11;

// ------------------------------------------------------------------ timing

struct Timing {
    double medianMs;
    double minMs;
};

double counterFrequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (double)f.QuadPart;
}

double elapsedMs(const LARGE_INTEGER& start, const LARGE_INTEGER& stop) {
    static const double frequency = counterFrequency();
    return (double)(stop.QuadPart - start.QuadPart) * 1000.0 / frequency;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t mid = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[mid];
    return (samples[mid - 1] + samples[mid]) / 2;
}

Timing summarise(const std::vector<double>& samples) {
    Timing t;
    t.medianMs = median(samples);
    t.minMs = *std::min_element(samples.begin(), samples.end());
    return t;
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Waits until the display has caught up with everything sent to it: one
// pixel read from the screen is a round trip to it. Without it, work the
// display has still to do (after a resize above all) lands in later runs.
void waitForTheDisplay() {
    HDC screen = GetDC(NULL);
    GetPixel(screen, 0, 0);
    ReleaseDC(NULL, screen);
}

// ---------------------------------------------------------------- painters

// A way of painting. `use` switches the live window to it and repaints it
// in full, so that both painters start each operation from the same picture.
struct Painter {
    const char* name;
    bool fast;
    // Runs per run of the baseline: a fast operation's times scatter with
    // the machine's load far more than its own cost, and many runs cost
    // little, so its median rests on more of them.
    int repetitionFactor;
};

// The first is the baseline; the ratio column is its median over the other's.
const Painter Painters[] = {
    {"literal", false, 1},
    {"default", true, 5},
};
const int PainterCount = (int)(sizeof(Painters) / sizeof(Painters[0]));

void usePainterNow(const Painter& chosen) {
    usePainter(chosen.fast);
    RedrawWindow(shell.mainWindow, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN |
                                                   RDW_UPDATENOW);
    pumpMessages();
}

// ------------------------------------------------------------- places

LPARAM clientPoint(int x, int y) { return MAKELPARAM(x, y); }

POINT hexagonDot(int a, int b) {
    const Layout& L = app.layout;
    POINT p = {L.hexCenterX + a * L.hStep, L.hexCenterY + b * L.unit};
    return p;
}

void setCursorToClient(POINT p) {
    ClientToScreen(shell.mainWindow, &p);
    SetCursorPos(p.x, p.y);
}

// The window hears of the pointer leaving from a timer; wait for it, so
// that no leave lands inside a timed run.
void parkCursor() {
    SetCursorPos(ParkedCursor.x, ParkedCursor.y);
    for (int k = 0; k < 100 && app.interaction.mouseInside; ++k) {
        Sleep(10);
        pumpMessages();
    }
    pumpMessages();
}

void sendKey(WPARAM key) { SendMessageW(shell.mainWindow, WM_KEYDOWN, key, 1); }

// A pick on a hexagon dot, by the space bar as the user makes it: both
// charts jump to it; Tab then shows the overlay that joins its two places.
void pickOnTheHexagon() {
    setCursorToClient(hexagonDot(2, -2));
    pumpMessages();
    sendKey(VK_SPACE);
    if (app.settings.pick.pickMark < 0)
        sendKey(VK_TAB);
    pumpMessages();
    parkCursor();
}

// -------------------------------------------------------------- operations

struct Operation {
    const char* name;
    void (*prepare)();
    void (*run)();
    // Resizes cost the window system more the more of them come in a row,
    // whichever painter runs: both painters make the same number of runs.
    bool sameRunsForBoth;
};

void prepareNothing() {}

void fullPaint() {
    RedrawWindow(shell.mainWindow, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

void fullPaintWithControls() {
    InvalidateRect(shell.mainWindow, NULL, TRUE);
    UpdateWindow(shell.mainWindow);
}

int stepCount = 0;

const int ResizeStepPixels = 24;

void prepareSteps() {
    parkCursor();
    stepCount = 0;
}

// Down and up in turn, so the level never runs into its ends.
void levelStep() { sendKey(++stepCount % 2 ? VK_DOWN : VK_UP); }

void sliceStep() { sendKey(++stepCount % 2 ? VK_LEFT : VK_RIGHT); }

// Two dots of different colours, so every move changes the hover colour.
POINT hoverPlaces[2];

void prepareHover() {
    const int n = app.settings.gridSize;
    hoverPlaces[0] = hexagonDot(n / 2, 0);
    hoverPlaces[1] = hexagonDot(-n / 2, 0);
    setCursorToClient(hoverPlaces[0]);
    pumpMessages();
    // The first move arms leave tracking and marks the pointer inside.
    SendMessageW(shell.mainWindow, WM_MOUSEMOVE, 0, clientPoint(hoverPlaces[0].x, hoverPlaces[0].y));
    pumpMessages();
    stepCount = 0;
}

void hoverRefresh() {
    const POINT p = hoverPlaces[++stepCount % 2];
    SendMessageW(shell.mainWindow, WM_MOUSEMOVE, 0, clientPoint(p.x, p.y));
}

void hexagonAlone() {
    paintHexagon();
    presentDrawing();
}

void triangleAlone() {
    paintTriangle();
    presentDrawing();
}

// Heights in turn, so every run is a real resize.
void resizeStep() {
    RECT r;
    GetWindowRect(shell.mainWindow, &r);
    const int taller = ++stepCount % 2 ? ResizeStepPixels : -ResizeStepPixels;
    SetWindowPos(shell.mainWindow, NULL, 0, 0, r.right - r.left, r.bottom - r.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(shell.mainWindow);
}

// The first run always changes the grid, whichever of the two it shows.
void prepareGridChange() {
    stepCount = app.settings.sizeIndex == GridSizeCount - 2 ? 1 : 0;
}

void gridChange() {
    const int index = ++stepCount % 2 ? GridSizeCount - 2 : GridSizeCount - 1;
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)index, 0);
    changeGridSize(index);
    UpdateWindow(shell.mainWindow);
}

const Operation Operations[] = {
    {"full paint", prepareNothing, fullPaint, false},
    {"with controls", prepareNothing, fullPaintWithControls, false},
    {"level step", prepareSteps, levelStep, false},
    {"slice step", prepareSteps, sliceStep, false},
    {"hover refresh", prepareHover, hoverRefresh, false},
    {"hexagon", prepareNothing, hexagonAlone, false},
    {"triangle", prepareNothing, triangleAlone, false},
    {"resize step", prepareSteps, resizeStep, true},
    {"grid change 96 and 128", prepareGridChange, gridChange, true},
};
const int GridChangeOperation = 8;
const int GridChangeSize = 128;
const int OperationCount = (int)(sizeof(Operations) / sizeof(Operations[0]));

// One block of runs of the operation with the painter in use: one untimed
// run first (first-use costs such as brush and font caches, the learnt dot
// shapes, or a back buffer just made, would otherwise land in one sample),
// then the timed ones.
void timeBlock(const Operation& op, int runs, std::vector<double>& samples) {
    op.prepare();
    op.run();
    GdiFlush();
    for (int k = 0; k < runs; ++k) {
        // Whatever the system queued (expose events, child repaints) is
        // handled outside the clock, and the display catches up.
        pumpMessages();
        waitForTheDisplay();
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        op.run();
        GdiFlush();
        QueryPerformanceCounter(&stop);
        samples.push_back(elapsedMs(start, stop));
    }
    pumpMessages();
}

// Under Wine the same operation costs more as the session goes on (a resize
// costs the window system more with every resize before it), so timing all
// runs of one painter and then all of the other would charge that drift to
// the second. The runs are made in blocks, the painters taking turns and
// each block starting with the one that went last (literal, default; default,
// literal; ...), so the drift weighs on both alike.
const int BlocksPerOperation = 4;

SIZE setBenchClientSize();

void timeOperation(const Operation& op, int repetitions, Timing timings[PainterCount]) {
    std::vector<double> samples[PainterCount];
    for (int block = 0; block < BlocksPerOperation; ++block) {
        for (int turn = 0; turn < PainterCount; ++turn) {
            const int p = block % 2 == 0 ? turn : PainterCount - 1 - turn;
            const int factor = op.sameRunsForBoth ? 1 : Painters[p].repetitionFactor;
            const int total = repetitions * factor;
            const int runs = total / BlocksPerOperation + (block < total % BlocksPerOperation ? 1 : 0);
            usePainterNow(Painters[p]);
            timeBlock(op, runs, samples[p]);
            // Back to the grid and the client the other operations are timed at.
            setBenchClientSize();
        }
    }
    for (int p = 0; p < PainterCount; ++p)
        timings[p] = summarise(samples[p]);
}

// ------------------------------------------------------------- main window

// The start-up sequence of the program, except that no settings file is
// read or written: every run starts from the first-run state, and the
// benchmark leaves nothing behind in the build folder.
void startMainWindow() {
    shell.hInstance = GetModuleHandleW(NULL);
    setDefaultSettings();
    shell.settingsPathValid = false;
    shell.settingsPath[0] = L'\0';
    startFromSettings();
    pumpMessages();
}

void closeMainWindow() {
    closeWindowDCs();
    DestroyWindow(shell.mainWindow);
    pumpMessages();
}

SIZE clientSize() {
    RECT r;
    GetClientRect(shell.mainWindow, &r);
    SIZE s = {r.right - r.left, r.bottom - r.top};
    return s;
}

// Gives the window the bench client size, then lays the window out for it
// through WM_SIZE, the path a user's resize takes. WM_SIZE is sent even
// when the size did not change, so the layout always matches the grid.
SIZE setBenchClientSize() {
    RECT r;
    SetRect(&r, 0, 0, BenchClientWidth, BenchClientHeight);
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(shell.mainWindow, NULL, 0, 0, r.right - r.left, r.bottom - r.top,
                 BenchSizeFlags);
    const SIZE actual = clientSize();
    SendMessageW(shell.mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(actual.cx, actual.cy));
    UpdateWindow(shell.mainWindow);
    pumpMessages();
    return actual;
}

// changeGridSize gives the window the new grid's width; the bench size is
// put back afterwards.
SIZE switchGridSize(int index) {
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)index, 0);
    changeGridSize(index);
    pumpMessages();
    return setBenchClientSize();
}

int countHexagonDots() {
    int count = 0;
    forEachHexagonDot([&count](int, int, COLORREF) { ++count; });
    return count;
}

int countTriangleDots() {
    int count = 0;
    forEachTriangleDot([&count](int, int, COLORREF) { ++count; });
    return count;
}

// ------------------------------------------------------------------ tables

bool isBenchSize(SIZE s) { return s.cx == BenchClientWidth && s.cy == BenchClientHeight; }

struct GridRow {
    int n;
    int unit;
    int hexagonDots;
    int triangleDots;
    int repetitions;
    Timing timings[OperationCount][PainterCount];
    bool measured[OperationCount];
};

double ratioOf(const Timing& baseline, const Timing& other) {
    return other.medianMs > 0 ? baseline.medianMs / other.medianMs : 0.0;
}

void printOperationTable(int op, const std::vector<GridRow>& rows) {
    std::printf("\n%s (ms)\n", Operations[op].name);
    std::printf("%4s %4s %7s %7s %4s", "N", "unit", "hexDots", "triDots", "reps");
    for (int p = 0; p < PainterCount; ++p)
        std::printf(" | %8s %-6s %8s", Painters[p].name, "median", "min");
    std::printf(" | %s/%s\n", Painters[0].name, Painters[PainterCount - 1].name);
    for (const GridRow& row : rows) {
        if (!row.measured[op])
            continue;
        std::printf("%4d %4d %7d %7d %4d", row.n, row.unit, row.hexagonDots, row.triangleDots,
                    row.repetitions);
        for (int p = 0; p < PainterCount; ++p)
            std::printf(" | %15.3f %8.3f", row.timings[op][p].medianMs, row.timings[op][p].minMs);
        std::printf(" | %9.1f\n", ratioOf(row.timings[op][0], row.timings[op][PainterCount - 1]));
    }
    std::fflush(stdout);
}

GridRow benchGridSize(int index, int repetitionsOverride) {
    const SIZE used = switchGridSize(index);
    if (!isBenchSize(used))
        std::printf("note: client is %ld x %ld at N = %d\n", used.cx, used.cy, GridSizes[index]);
    GridRow row = {};
    row.n = app.settings.gridSize;
    row.unit = app.layout.unit;
    row.hexagonDots = countHexagonDots();
    row.triangleDots = countTriangleDots();
    row.repetitions = repetitionsOverride > 0 ? repetitionsOverride : defaultRepetitions(row.n);
    pickOnTheHexagon();
    for (int op = 0; op < OperationCount; ++op) {
        row.measured[op] = op != GridChangeOperation || row.n == GridChangeSize;
        if (row.measured[op])
            timeOperation(Operations[op], row.repetitions, row.timings[op]);
    }
    usePainterNow(Painters[0]);
    std::printf("N = %d measured\n", row.n);
    std::fflush(stdout);
    return row;
}

// ----------------------------------------------------------------- start-up
//
// The program is started as a user starts it: its own executable, a settings
// file beside it (grid 128, a client of 1200 x 900), CreateProcess. The clock
// starts just before CreateProcess. It stops when the first WM_PAINT has
// ended, which this process learns without any help from the program:
//   1. it polls (every millisecond) for a window of class "CN_Zavrik" that
//      belongs to the new process, is visible and has no update region left.
//      BeginPaint empties the update region, so from then on the program is
//      inside or past its first WM_PAINT;
//   2. it then sends WM_NULL with SendMessageTimeout. A message sent from
//      another thread is handled only when the program's thread waits for
//      messages, which it first does in its message loop, after start-up has
//      returned from UpdateWindow, that is after the first WM_PAINT ended.
// The time measured is thus never shorter than the true one; it is longer by
// at most the polling step and one message round trip.

struct Launch {
    double ms;
    SIZE client;
    bool ok;
    double peakMegabytes;
};

// A few level and slice steps, as keys sent to the program's window, then
// the peak working set of its process so far, in megabytes.
double peakWorkingSetAfterSteps(HWND window, HANDLE process) {
    const WPARAM keys[] = {VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT};
    for (WPARAM key : keys) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_KEYDOWN, key, 1, SMTO_NORMAL, 10000, &answer);
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return 0;
    return (double)counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

std::wstring moduleFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The executable beside the benchmark or one folder up (the build's root).
std::wstring findExecutable(const wchar_t* name) {
    const std::wstring here = moduleFolder();
    if (fileExists(here + name))
        return here + name;
    if (fileExists(here + L"..\\" + name))
        return here + L"..\\" + name;
    return std::wstring();
}

std::wstring makeLaunchFolder(const wchar_t* tag) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t name[MAX_PATH];
    wsprintfW(name, L"%szavrik-bench-%s-%lu", base, tag, GetCurrentProcessId());
    CreateDirectoryW(name, NULL);
    return std::wstring(name) + L"\\";
}

// The settings file of a user who left the program at grid 128 with a
// client of 1200 x 900.
bool writeBenchSettings(const std::wstring& folder) {
    const AppState kept = app;
    measureFrame();
    setDefaultSettings();
    app.settings.sizeIndex = GridSizeCount - 1;
    app.settings.normalRect.left = 0;
    app.settings.normalRect.top = 0;
    app.settings.normalRect.right = app.layout.frameWidth + BenchClientWidth;
    app.settings.normalRect.bottom = app.layout.frameHeight + BenchClientHeight;
    const std::string text = formatSettings(app.settings);
    app = kept;
    FILE* f = _wfopen((folder + L"zavrik.ini").c_str(), L"w");
    if (!f)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

HWND findWindowOfProcess(DWORD processId) {
    HWND candidate = NULL;
    while ((candidate = FindWindowExW(NULL, candidate, L"CN_Zavrik", NULL)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == processId)
            return candidate;
    }
    return NULL;
}

bool firstPaintBegun(HWND hwnd) {
    return IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, NULL, FALSE);
}

const double LaunchTimeoutMs = 20000;

Launch launchOnce(const std::wstring& exe) {
    Launch result = {0, {0, 0}, false, 0};
    const size_t slash = exe.find_last_of(L'\\');
    const std::wstring folder = exe.substr(0, slash + 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                        &startup, &process))
        return result;
    LARGE_INTEGER now = start;
    HWND window = NULL;
    while (elapsedMs(start, now) < LaunchTimeoutMs) {
        if (!window)
            window = findWindowOfProcess(process.dwProcessId);
        if (window && firstPaintBegun(window)) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) {
                QueryPerformanceCounter(&now);
                result.ms = elapsedMs(start, now);
                result.ok = true;
                RECT client;
                GetClientRect(window, &client);
                result.client.cx = client.right;
                result.client.cy = client.bottom;
                result.peakMegabytes = peakWorkingSetAfterSteps(window, process.hProcess);
            }
            break;
        }
        Sleep(1);
        QueryPerformanceCounter(&now);
    }
    // Nothing of the program's is kept: no settings file is written.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

struct StartupSubject {
    const char* painter;
    const wchar_t* executable;
    std::wstring launchPath;
    std::vector<double> samples;
    std::vector<double> peaks;
    SIZE client;
};

bool prepareSubject(StartupSubject& subject, const wchar_t* tag) {
    const std::wstring source = findExecutable(subject.executable);
    if (source.empty()) {
        std::printf("start-up: %ls not found beside the benchmark\n", subject.executable);
        return false;
    }
    const std::wstring folder = makeLaunchFolder(tag);
    subject.launchPath = folder + subject.executable;
    if (!CopyFileW(source.c_str(), subject.launchPath.c_str(), FALSE) ||
        !writeBenchSettings(folder)) {
        std::printf("start-up: cannot prepare %ls\n", folder.c_str());
        return false;
    }
    return true;
}

void removeSubject(const StartupSubject& subject) {
    const size_t slash = subject.launchPath.find_last_of(L'\\');
    const std::wstring folder = subject.launchPath.substr(0, slash + 1);
    DeleteFileW(subject.launchPath.c_str());
    DeleteFileW((folder + L"zavrik.ini").c_str());
    RemoveDirectoryW(folder.c_str());
}

void benchStartup(int launches) {
    StartupSubject subjects[2] = {
        {"literal", L"zavrik_literal.exe", std::wstring(), std::vector<double>(),
         std::vector<double>(), {0, 0}},
        {"default", L"zavrik.exe", std::wstring(), std::vector<double>(), std::vector<double>(),
         {0, 0}},
    };
    if (!prepareSubject(subjects[0], L"literal") || !prepareSubject(subjects[1], L"fast"))
        return;
    // One start each first, untimed: the first start of an executable also
    // pays for reading it from disk.
    for (StartupSubject& subject : subjects)
        launchOnce(subject.launchPath);
    // Alternating, so that a change of load on the machine touches both.
    for (int k = 0; k < launches; ++k) {
        for (StartupSubject& subject : subjects) {
            Sleep(300);
            const Launch launch = launchOnce(subject.launchPath);
            if (!launch.ok) {
                std::printf("start-up: %s launch %d did not paint in time\n", subject.painter, k);
                continue;
            }
            subject.samples.push_back(launch.ms);
            subject.peaks.push_back(launch.peakMegabytes);
            subject.client = launch.client;
        }
    }
    std::printf("\nstart-up: process start to the end of the first WM_PAINT (ms), grid 128\n");
    std::printf("%-8s %9s %8s %8s %8s %-11s %s\n", "painter", "launches", "median", "min", "max",
                "client", "peak working set (MB, median)");
    Timing timings[2] = {};
    for (int s = 0; s < 2; ++s) {
        const StartupSubject& subject = subjects[s];
        if (subject.samples.empty())
            continue;
        timings[s] = summarise(subject.samples);
        std::printf("%-8s %9d %8.1f %8.1f %8.1f %4ld x %-4ld %.1f\n", subject.painter,
                    (int)subject.samples.size(), timings[s].medianMs, timings[s].minMs,
                    *std::max_element(subject.samples.begin(), subject.samples.end()),
                    subject.client.cx, subject.client.cy, median(subject.peaks));
    }
    if (!subjects[0].samples.empty() && !subjects[1].samples.empty())
        std::printf("literal/default %.2f\n", ratioOf(timings[0], timings[1]));
    for (const StartupSubject& subject : subjects)
        removeSubject(subject);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitionsOverride = argc > 1 ? std::atoi(argv[1]) : 0;
    const int launches = argc > 2 ? std::atoi(argv[2]) : DefaultLaunches;
    const int largestN = argc > 3 ? std::atoi(argv[3]) : GridSizes[GridSizeCount - 1];
    startMainWindow();
    const SIZE used = setBenchClientSize();
    std::printf("client size asked %d x %d, used %ld x %ld%s\n", BenchClientWidth,
                BenchClientHeight, used.cx, used.cy,
                isBenchSize(used) ? "" : " (the window's sizing rules changed it)");
    std::printf("times: QueryPerformanceCounter around the operation and GdiFlush\n");
    std::printf("reps: runs of the %s painter per operation; the %s one makes %d times as many\n",
                Painters[0].name, Painters[PainterCount - 1].name,
                Painters[PainterCount - 1].repetitionFactor);
    std::vector<GridRow> rows;
    for (int index = 0; index < GridSizeCount && GridSizes[index] <= largestN; ++index)
        rows.push_back(benchGridSize(index, repetitionsOverride));
    for (int op = 0; op < OperationCount; ++op)
        printOperationTable(op, rows);
    closeMainWindow();
    if (launches > 0)
        benchStartup(launches);
    return 0;
}
