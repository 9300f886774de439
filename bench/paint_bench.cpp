// Times the painting of the real main window at every grid size, at one fixed
// client size so that the grid sizes compare: the whole WM_PAINT (erase and
// paint), and the hexagon and the triangle painted alone. Prints the median
// and the minimum of several runs, in milliseconds.
//
// Usage: paint_bench.exe [repetitions]   (the default depends on the grid size)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/init_win.h"
#include "app/settings_win.h"
#include "app/shell_win.h"
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

// Enough runs for a stable median on the quick small grids, fewer on the
// large ones where each run takes tens of milliseconds.
int defaultRepetitions(int n) {
    if (n <= 32)
        return 15;
    if (n <= 64)
        return 11;
    return 7;
}

// ---------------------------------------------------------------- painters

// A way of painting the charts. `use` switches the program to it: from then
// on WM_PAINT, paintHexagon and paintTriangle paint with it.
struct Painter {
    const char* name;
    void (*use)();
};

// The program's own dot-by-dot painter, which it always uses.
void useLiteralPainter() {}

// The painters compared, one column group each. The first is the baseline:
// with more than one, every further painter also gets a column of its median
// divided by the baseline's.
const Painter Painters[] = {
    {"literal", useLiteralPainter},
};
const int PainterCount = (int)(sizeof(Painters) / sizeof(Painters[0]));

// -------------------------------------------------------------- operations

struct Operation {
    const char* name;
    void (*run)();
};

// Invalidating with erase and updating runs WM_ERASEBKGND and WM_PAINT
// synchronously, before UpdateWindow returns.
void fullPaint() {
    InvalidateRect(shell.mainWindow, NULL, TRUE);
    UpdateWindow(shell.mainWindow);
}

void hexagonAlone() { paintHexagon(); }

void triangleAlone() { paintTriangle(); }

const Operation Operations[] = {
    {"full paint", fullPaint},
    {"hexagon", hexagonAlone},
    {"triangle", triangleAlone},
};
const int OperationCount = (int)(sizeof(Operations) / sizeof(Operations[0]));

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

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t mid = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[mid];
    return (samples[mid - 1] + samples[mid]) / 2;
}

Timing timeOperation(const Operation& op, int repetitions) {
    // One run first, untimed: first-use costs (brush and font caches, the
    // window surface) would otherwise land in one sample.
    op.run();
    GdiFlush();
    std::vector<double> samples;
    for (int k = 0; k < repetitions; ++k) {
        // Whatever the system queued (expose events, child repaints) is
        // handled outside the clock.
        pumpMessages();
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        op.run();
        GdiFlush();
        QueryPerformanceCounter(&stop);
        samples.push_back(elapsedMs(start, stop));
    }
    Timing t;
    t.medianMs = median(samples);
    t.minMs = *std::min_element(samples.begin(), samples.end());
    return t;
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
    measureFrame();
    setInitialPlacement();
    measureWorkArea();
    loadSettings();
    prepareChartState();
    createGdiKit();
    registerMainWindowClass();
    createMainWindow();
    showMainWindow();
    pumpMessages();
}

void closeMainWindow() {
    ReleaseDC(shell.mainWindow, shell.windowDC);
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

// ------------------------------------------------------------------- table

bool isBenchSize(SIZE s) { return s.cx == BenchClientWidth && s.cy == BenchClientHeight; }

void printHeader() {
    std::printf("%4s %5s %7s %7s %4s", "N", "unit", "hexDots", "triDots", "reps");
    for (int op = 0; op < OperationCount; ++op) {
        for (int p = 0; p < PainterCount; ++p) {
            char label[64];
            std::snprintf(label, sizeof label, "%s %s", Operations[op].name, Painters[p].name);
            std::printf(" | %-21s", label);
            if (p > 0)
                std::printf(" %7s", "ratio");
        }
    }
    std::printf("\n%4s %5s %7s %7s %4s", "", "", "", "", "");
    for (int op = 0; op < OperationCount; ++op) {
        for (int p = 0; p < PainterCount; ++p) {
            std::printf(" | %10s %10s", "median ms", "min ms");
            if (p > 0)
                std::printf(" %7s", "vs 1st");
        }
    }
    std::printf("\n");
}

void printRow(int n, int repetitions, const Timing timings[][PainterCount]) {
    std::printf("%4d %5d %7d %7d %4d", n, (int)app.layout.unit, countHexagonDots(),
                countTriangleDots(), repetitions);
    for (int op = 0; op < OperationCount; ++op) {
        for (int p = 0; p < PainterCount; ++p) {
            const Timing& t = timings[op][p];
            std::printf(" | %10.3f %10.3f", t.medianMs, t.minMs);
            if (p > 0) {
                const double baseline = timings[op][0].medianMs;
                std::printf(" %7.3f", baseline > 0 ? t.medianMs / baseline : 0.0);
            }
        }
    }
    std::printf("\n");
    std::fflush(stdout);
}

void benchGridSize(int index, int repetitionsOverride) {
    const SIZE used = switchGridSize(index);
    if (!isBenchSize(used))
        std::printf("note: client is %ld x %ld at N = %d\n", used.cx, used.cy, GridSizes[index]);
    const int n = app.settings.gridSize;
    const int repetitions = repetitionsOverride > 0 ? repetitionsOverride : defaultRepetitions(n);
    Timing timings[OperationCount][PainterCount];
    for (int p = 0; p < PainterCount; ++p) {
        Painters[p].use();
        for (int op = 0; op < OperationCount; ++op)
            timings[op][p] = timeOperation(Operations[op], repetitions);
    }
    Painters[0].use();
    printRow(n, repetitions, timings);
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitionsOverride = argc > 1 ? std::atoi(argv[1]) : 0;
    startMainWindow();
    const SIZE used = setBenchClientSize();
    std::printf("client size asked %d x %d, used %ld x %ld%s\n", BenchClientWidth,
                BenchClientHeight, used.cx, used.cy,
                isBenchSize(used) ? "" : " (the window's sizing rules changed it)");
    std::printf("times: QueryPerformanceCounter around the operation and GdiFlush\n\n");
    printHeader();
    for (int index = 0; index < GridSizeCount; ++index)
        benchGridSize(index, repetitionsOverride);
    closeMainWindow();
    return 0;
}
