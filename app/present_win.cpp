#include "app/present_win.h"

#include <cstddef>

#include "app/scratch_bitmap_win.h"

namespace {

// A class brush may also be a system colour index plus one.
const ULONG_PTR LastSystemColorBrush = COLOR_MENUBAR + 1;

HBRUSH classBackgroundBrush(HWND hwnd) {
    const ULONG_PTR brush = (ULONG_PTR)GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND);
    if (brush != 0 && brush <= LastSystemColorBrush)
        return GetSysColorBrush((int)brush - 1);
    return (HBRUSH)brush;
}

void startBoundsFromNothing(HDC dc) {
    SetBoundsRect(dc, NULL, DCB_ENABLE | DCB_RESET);
    SetRectEmpty(&shell.backBuffer.written);
}

// Takes what was drawn since the last present, by GDI and straight into
// the bits, as one box, and starts again from nothing.
bool takeDrawnBox(RECT& box) {
    BackBuffer& b = shell.backBuffer;
    RECT drawn;
    const bool gdiDrew = (GetBoundsRect(b.dc, &drawn, DCB_RESET) & DCB_SET) == DCB_SET &&
                         drawn.right > drawn.left && drawn.bottom > drawn.top;
    const bool written = b.written.right > b.written.left && b.written.bottom > b.written.top;
    if (gdiDrew && written)
        UnionRect(&box, &drawn, &b.written);
    else if (gdiDrew)
        box = drawn;
    else if (written)
        box = b.written;
    SetRectEmpty(&b.written);
    return gdiDrew || written;
}

// The first write to each page of a fresh bitmap costs a page fault: some
// 15 ms for a 1200 x 900 client, which would fall inside the first WM_SIZE.
// So at start-up the first bitmap is made before the window, and a helper
// thread writes each of its pages once while the main thread waits on the
// system to make the window. Nothing else touches it until it is taken.
struct WarmBitmap {
    HBITMAP bitmap;
    void* bits;
    int width, height;
    HANDLE thread;
};

WarmBitmap warm;

const std::size_t PageBytes = 4096;

DWORD WINAPI writeEveryPage(void* parameter) {
    const WarmBitmap* w = static_cast<const WarmBitmap*>(parameter);
    volatile std::uint8_t* bytes = static_cast<std::uint8_t*>(w->bits);
    const std::size_t size = (std::size_t)w->width * w->height * sizeof(std::uint32_t);
    for (std::size_t k = 0; k < size; k += PageBytes)
        bytes[k] = 0;
    return 0;
}

// Gives the warm bitmap's pages back to the one thread that uses them.
void finishWarming() {
    if (!warm.thread)
        return;
    WaitForSingleObject(warm.thread, INFINITE);
    CloseHandle(warm.thread);
    warm.thread = NULL;
}

void freeWarmBitmap() {
    finishWarming();
    if (warm.bitmap)
        DeleteObject(warm.bitmap);
    warm = WarmBitmap();
}

// The warm bitmap if it is at least the size asked for (it is then no longer
// warm: the caller owns it); NULL otherwise, and it is freed.
HBITMAP takeWarmBitmap(int width, int height, void*& bits, int& takenWidth, int& takenHeight) {
    finishWarming();
    if (!warm.bitmap || warm.width < width || warm.height < height) {
        freeWarmBitmap();
        return NULL;
    }
    HBITMAP bitmap = warm.bitmap;
    bits = warm.bits;
    takenWidth = warm.width;
    takenHeight = warm.height;
    warm = WarmBitmap();
    return bitmap;
}

// Puts a DIB of at least the given size into the back buffer's DC, freeing
// the old one. Its pixels are set by the caller.
bool replaceBackBufferBitmap(int width, int height) {
    BackBuffer& b = shell.backBuffer;
    void* bits = NULL;
    int madeWidth = width;
    int madeHeight = height;
    HBITMAP bitmap = takeWarmBitmap(width, height, bits, madeWidth, madeHeight);
    if (!bitmap)
        bitmap = createPixelBitmap(width, height, bits);
    if (!bitmap)
        return false;
    const HGDIOBJ previous = SelectObject(b.dc, bitmap);
    if (b.bitmap)
        DeleteObject(b.bitmap);
    else
        b.stubBitmap = previous;
    b.bitmap = bitmap;
    b.bits = static_cast<std::uint32_t*>(bits);
    b.width = madeWidth;
    b.height = madeHeight;
    return true;
}

void freeBackBuffer() {
    BackBuffer& b = shell.backBuffer;
    if (b.dc) {
        if (b.bitmap) {
            SelectObject(b.dc, b.stubBitmap);
            DeleteObject(b.bitmap);
        }
        DeleteDC(b.dc);
    }
    b = BackBuffer();
}

void openBackBuffer() {
    BackBuffer& b = shell.backBuffer;
    b = BackBuffer();
    b.dc = CreateCompatibleDC(shell.screenDC);
    startBoundsFromNothing(b.dc);
    shell.windowDC = b.dc;
}

bool windowClientSize(int& width, int& height) {
    RECT r;
    if (!shell.mainWindow || !GetClientRect(shell.mainWindow, &r))
        return false;
    width = r.right - r.left;
    height = r.bottom - r.top;
    return true;
}

}  // namespace

void openWindowDCs(HWND hwnd) {
    shell.screenDC = GetDC(hwnd);
    shell.windowDC = shell.screenDC;
    if (shell.fastPainter)
        openBackBuffer();
}

void warmBackBuffer(int width, int height) {
    if (!shell.fastPainter || width <= 0 || height <= 0 || warm.bitmap)
        return;
    warm.bitmap = createPixelBitmap(width, height, warm.bits);
    if (!warm.bitmap)
        return;
    warm.width = width;
    warm.height = height;
    // Without the thread the pages are simply written later, by the first use.
    warm.thread = CreateThread(NULL, 0, writeEveryPage, &warm, 0, NULL);
}

void closeWindowDCs() {
    freeWarmBitmap();
    freeBackBuffer();
    if (shell.screenDC && shell.mainWindow)
        ReleaseDC(shell.mainWindow, shell.screenDC);
    shell.screenDC = NULL;
    shell.windowDC = NULL;
}

void usePainter(bool fast) {
    if (!shell.mainWindow || !shell.screenDC) {
        shell.fastPainter = fast;
        return;
    }
    if (fast == shell.fastPainter)
        return;
    closeWindowDCs();
    shell.fastPainter = fast;
    openWindowDCs(shell.mainWindow);
    int width = 0;
    int height = 0;
    if (windowClientSize(width, height))
        fitBackBuffer(width, height);
}

void fitBackBuffer(int width, int height) {
    BackBuffer& b = shell.backBuffer;
    if (!shell.fastPainter || !b.dc || width <= 0 || height <= 0)
        return;   // a minimised window keeps the buffer it had
    // The buffer only grows: a new DIB costs a page fault per page on its
    // first write, which would make every step of a drag-resize stutter.
    if (width > b.width || height > b.height) {
        const int newWidth = width > b.width ? width : b.width;
        const int newHeight = height > b.height ? height : b.height;
        if (!replaceBackBufferBitmap(newWidth, newHeight))
            return;
    }
    BitBlt(b.dc, 0, 0, width, height, shell.screenDC, 0, 0, SRCCOPY);
    GdiFlush();
    startBoundsFromNothing(b.dc);
}

void eraseBackBuffer(HWND hwnd, HDC eraseDC) {
    const HDC dc = shell.backBuffer.dc;
    const HBRUSH brush = classBackgroundBrush(hwnd);
    if (!dc || !brush)
        return;
    // The erase DC is clipped to the region to erase; its system region is
    // that region in screen coordinates.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetRandomRgn(eraseDC, region, SYSRGN) == 1) {
        POINT origin = {0, 0};
        ClientToScreen(hwnd, &origin);
        OffsetRgn(region, -origin.x, -origin.y);
        FillRgn(dc, region, brush);
    } else {
        RECT box;
        if (GetClipBox(eraseDC, &box) != NULLREGION)
            FillRect(dc, &box, brush);
    }
    DeleteObject(region);
}

void holdPresent() {
    ++shell.backBuffer.presentHolds;
}

void releasePresent() {
    if (shell.backBuffer.presentHolds > 0)
        --shell.backBuffer.presentHolds;
}

void presentBackBuffer() {
    const BackBuffer& b = shell.backBuffer;
    if (!shell.fastPainter || !b.dc || !shell.screenDC || b.presentHolds > 0)
        return;
    RECT r;
    if (!takeDrawnBox(r))
        return;
    BitBlt(shell.screenDC, r.left, r.top, r.right - r.left, r.bottom - r.top, b.dc, r.left,
           r.top, SRCCOPY);
}

void markBackBufferDirty(int left, int top, int right, int bottom) {
    BackBuffer& b = shell.backBuffer;
    if (!b.dc || right <= left || bottom <= top)
        return;
    RECT& w = b.written;
    if (w.right <= w.left || w.bottom <= w.top) {
        SetRect(&w, left, top, right, bottom);
        return;
    }
    w.left = left < w.left ? left : w.left;
    w.top = top < w.top ? top : w.top;
    w.right = right > w.right ? right : w.right;
    w.bottom = bottom > w.bottom ? bottom : w.bottom;
}

// The child controls draw straight onto the window, and only while they
// handle a message. Whatever the back buffer holds that the window does not
// show yet is shown before that, so that the controls draw over the same
// pixels as with the literal painter; after it, the buffer takes what the
// control shows.
namespace {

struct WatchedControl {
    HWND window;
    WNDPROC ownProcedure;
};

const int MaxWatchedControls = 8;
WatchedControl watchedControls[MaxWatchedControls];

WNDPROC ownProcedureOf(HWND window) {
    for (const WatchedControl& c : watchedControls) {
        if (c.window == window)
            return c.ownProcedure;
    }
    return NULL;
}

// Takes the control's pixels from the window into the back buffer, so that
// what the main window draws over it lands on what it shows. The copy is
// not to be shown again; whatever is still to be shown stays so.
void takeControlPixels(HWND control) {
    BackBuffer& b = shell.backBuffer;
    RECT r;
    if (!shell.fastPainter || !b.dc || !b.bitmap || !shell.screenDC || !IsWindowVisible(control) ||
        !GetWindowRect(control, &r))
        return;
    MapWindowPoints(NULL, shell.mainWindow, (POINT*)&r, 2);
    RECT pending;
    const bool somethingPending = (GetBoundsRect(b.dc, &pending, DCB_RESET) & DCB_SET) == DCB_SET;
    BitBlt(b.dc, r.left, r.top, r.right - r.left, r.bottom - r.top, shell.screenDC, r.left, r.top,
           SRCCOPY);
    GdiFlush();
    SetBoundsRect(b.dc, NULL, DCB_ENABLE | DCB_RESET);
    if (somethingPending)
        SetBoundsRect(b.dc, &pending, DCB_ACCUMULATE);
}

LRESULT CALLBACK watchedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    presentBackBuffer();
    const WNDPROC own = ownProcedureOf(window);
    if (!own)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = CallWindowProcW(own, window, message, wParam, lParam);
    takeControlPixels(window);
    return result;
}

}  // namespace

void watchControl(HWND control) {
    if (!control)
        return;
    for (WatchedControl& c : watchedControls) {
        if (c.window == control || c.window == NULL || !IsWindow(c.window)) {
            c.window = control;
            c.ownProcedure = (WNDPROC)SetWindowLongPtrW(control, GWLP_WNDPROC,
                                                        (LONG_PTR)watchedControlProc);
            return;
        }
    }
}

bool paintFollowsErase(HWND hwnd) {
    return shell.fastPainter && GetUpdateRect(hwnd, NULL, FALSE);
}
