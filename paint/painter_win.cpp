#include "paint/painter_win.h"
#include "paint/painter_seams_win.h"

#include <cstddef>
#include <cstring>

#include "paint/buffer_bitmap_win.h"
#include "paint/painter_state_win.h"

Painter painter;

namespace {

// A class brush may also be a system colour index plus one.
const ULONG_PTR LastSystemColorBrush = COLOR_MENUBAR + 1;

HBRUSH classBackgroundBrush(HWND hwnd) {
    const ULONG_PTR brush = (ULONG_PTR)GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND);
    if (brush != 0 && brush <= LastSystemColorBrush)
        return GetSysColorBrush((int)brush - 1);
    return (HBRUSH)brush;
}

// ------------------------------------------------------------ drawn boxes

bool boxEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool boxesMeet(const RECT& a, const RECT& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

RECT unionOf(const RECT& a, const RECT& b) {
    RECT u;
    u.left = a.left < b.left ? a.left : b.left;
    u.top = a.top < b.top ? a.top : b.top;
    u.right = a.right > b.right ? a.right : b.right;
    u.bottom = a.bottom > b.bottom ? a.bottom : b.bottom;
    return u;
}

long long areaOf(const RECT& r) {
    return (long long)(r.right - r.left) * (r.bottom - r.top);
}

// The kept box that grows least when the new one joins it.
int closestBox(const DrawnBoxes& d, const RECT& box) {
    int best = 0;
    long long bestGrowth = -1;
    for (int k = 0; k < d.count; ++k) {
        const long long growth = areaOf(unionOf(d.boxes[k], box)) - areaOf(d.boxes[k]);
        if (bestGrowth < 0 || growth < bestGrowth) {
            best = k;
            bestGrowth = growth;
        }
    }
    return best;
}

// Boxes that meet become one; when all places are taken the new box joins
// the one it grows least.
void addDrawnBox(RECT box) {
    DrawnBoxes& d = painter.drawn;
    for (;;) {
        int join = -1;
        for (int k = 0; k < d.count && join < 0; ++k) {
            if (boxesMeet(d.boxes[k], box))
                join = k;
        }
        if (join < 0 && d.count < MaxDrawnBoxes)
            break;
        if (join < 0)
            join = closestBox(d, box);
        box = unionOf(box, d.boxes[join]);
        d.boxes[join] = d.boxes[--d.count];
    }
    d.boxes[d.count++] = box;
}

// ------------------------------------------------------------ child windows

// Nothing the main window draws belongs on its child controls: the DC
// leaves their rectangles alone. A control counts by its own WS_VISIBLE
// style: IsWindowVisible is false for all of them while the main window is
// still hidden, as it is when the clipping is first set.
void keepOffChildWindows(HDC dc, HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
        if (!shown || !GetWindowRect(child, &r))
            continue;
        MapWindowPoints(NULL, window, (POINT*)&r, 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

void clipScreenDC() {
    if (!painter.screenDC || !painter.window)
        return;
    SelectClipRgn(painter.screenDC, NULL);
    keepOffChildWindows(painter.screenDC, painter.window);
}

// ------------------------------------------------------------ the buffer

void freeBackBuffer() {
    BackBuffer& b = painter.buffer;
    if (b.dc && !b.lent) {
        if (b.bitmap) {
            SelectObject(b.dc, b.stubBitmap);
            DeleteObject(b.bitmap);
        }
        DeleteDC(b.dc);
    }
    if (shell.drawingDC == b.dc)
        shell.drawingDC = painter.screenDC;
    b = BackBuffer();
    painter.drawn.count = 0;
}

// Puts a new bitmap of at least the given size into the buffer, keeping
// the old one's pixels. False, and the buffer unchanged, when it cannot be
// made.
bool growBackBuffer(int width, int height) {
    BackBuffer& b = painter.buffer;
    if (b.bits && width <= b.width && height <= b.height)
        return true;
    // The buffer only grows: a new DIB costs a page fault per page on its
    // first write, which would make every step of a drag-resize stutter.
    const int newWidth = width > b.width ? width : b.width;
    const int newHeight = height > b.height ? height : b.height;
    void* bits = NULL;
    const HBITMAP bitmap = createBackBufferBitmap(newWidth, newHeight, bits);
    if (!bitmap)
        return false;
    if (!b.dc)
        b.dc = CreateCompatibleDC(painter.screenDC);
    if (!b.dc) {
        DeleteObject(bitmap);
        return false;
    }
    std::uint32_t* newBits = static_cast<std::uint32_t*>(bits);
    if (b.bits) {
        GdiFlush();
        for (int y = 0; y < b.height; ++y)
            std::memcpy(newBits + (std::size_t)y * newWidth, b.bits + (std::size_t)y * b.width,
                        (std::size_t)b.width * sizeof(std::uint32_t));
    }
    const HGDIOBJ previous = SelectObject(b.dc, bitmap);
    if (b.bitmap)
        DeleteObject(b.bitmap);
    const BackBuffer grown = {b.dc, bitmap, b.bitmap ? b.stubBitmap : previous, newBits,
                              newWidth, newHeight, false};
    b = grown;
    return true;
}

// Drawing goes into the buffer from now on. The window's DC keeps none of
// the long-lived pens and brushes selected, so that they can be replaced.
void drawIntoBackBuffer() {
    if (painter.screenDC) {
        SelectObject(painter.screenDC, GetStockObject(WHITE_PEN));
        SelectObject(painter.screenDC, GetStockObject(NULL_BRUSH));
    }
    shell.drawingDC = painter.buffer.dc;
}

bool clientSize(int& width, int& height) {
    RECT r;
    if (!painter.window || !GetClientRect(painter.window, &r))
        return false;
    width = r.right - r.left;
    height = r.bottom - r.top;
    return width > 0 && height > 0;
}

// Makes the buffer for the client if it can, and draws into it; otherwise
// drawing goes straight onto the window, as the literal painter draws.
bool takeBackBuffer(int width, int height) {
    if (!growBackBuffer(width, height)) {
        freeBackBuffer();
        return false;
    }
    drawIntoBackBuffer();
    return true;
}

// Charts of a few hundred large dots cost GDI little: then copying the
// buffer onto the window costs more than it saves, and the default painter
// draws straight onto the window, as the literal one does.
const int FewestDotsForTheBuffer = 400;

bool backBufferPays() {
    const int n = app.settings.gridSize;
    const int dots = 1 + 3 * n * (n + 1) + (n + 1) * (n + 1);
    return dots >= FewestDotsForTheBuffer;
}

// The back buffer when the default painter is chosen and it pays, drawing
// straight onto the window otherwise. Returns true when the buffer was
// taken now, and holds no picture yet.
bool chooseWhereToDraw() {
    int width = 0;
    int height = 0;
    if (!painter.fast || painter.buffer.lent || !painter.screenDC || !clientSize(width, height))
        return false;   // a minimised window keeps what it had
    if (!backBufferPays()) {
        presentDrawing();
        freeBackBuffer();
        return false;
    }
    const bool taken = painter.buffer.bits == NULL || shell.drawingDC != painter.buffer.dc;
    return takeBackBuffer(width, height) && taken;
}

void forgetLentPixels() {
    if (painter.buffer.lent)
        freeBackBuffer();
}

}  // namespace

std::uint32_t* bufferRowSpan(int y, int& from, int& to) {
    const BackBuffer& b = painter.buffer;
    if (y < 0 || y >= b.height)
        return NULL;
    from = from < 0 ? 0 : from;
    to = to > b.width ? b.width : to;
    return b.bits + (std::size_t)y * b.width;
}

bool drawingIntoBuffer() {
    const BackBuffer& b = painter.buffer;
    return b.bits && shell.drawingDC && shell.drawingDC == b.dc;
}

void markDrawn(int left, int top, int right, int bottom) {
    if (!drawingIntoBuffer())
        return;
    const BackBuffer& b = painter.buffer;
    RECT box;
    box.left = left < 0 ? 0 : left;
    box.top = top < 0 ? 0 : top;
    box.right = right > b.width ? b.width : right;
    box.bottom = bottom > b.height ? b.height : bottom;
    if (!boxEmpty(box))
        addDrawnBox(box);
}

void usePainter(bool fast) {
    forgetLentPixels();
    if (!painter.window || !painter.screenDC) {
        painter.fast = fast;
        return;
    }
    if (fast == painter.fast)
        return;
    presentDrawing();
    freeBackBuffer();
    painter.fast = fast;
    if (chooseWhereToDraw()) {
        // The buffer holds no picture yet: the window paints it afresh.
        RedrawWindow(painter.window, NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    }
}

bool defaultPainterChosen() {
    return painter.fast;
}

bool paintingIntoBackBuffer() {
    return drawingIntoBuffer();
}

void openWindowDCs(HWND hwnd) {
    forgetLentPixels();
    painter.window = hwnd;
    painter.screenDC = GetDC(hwnd);
    shell.drawingDC = painter.screenDC;
    clipScreenDC();
}

void closeWindowDCs() {
    forgetLentPixels();
    freeBackBuffer();
    if (painter.paintRegion)
        DeleteObject(painter.paintRegion);
    painter.paintRegion = NULL;
    painter.presentHolds = 0;
    if (painter.screenDC && painter.window)
        ReleaseDC(painter.window, painter.screenDC);
    painter.screenDC = NULL;
    painter.window = NULL;
    shell.drawingDC = NULL;
}

void fitPainterToClient(int, int) {
    clipScreenDC();
    chooseWhereToDraw();
}

void beginWindowPaint(HWND hwnd) {
    if (painter.presentHolds == 0 && chooseWhereToDraw()) {
        // A buffer after painting straight onto the window: this paint puts
        // the whole picture into it.
        InvalidateRect(hwnd, NULL, TRUE);
    }
    ++painter.presentHolds;
    if (!drawingIntoBuffer() || painter.paintRegion)
        return;
    painter.paintRegion = CreateRectRgn(0, 0, 0, 0);
    if (painter.paintRegion && GetUpdateRgn(hwnd, painter.paintRegion, FALSE) == ERROR) {
        DeleteObject(painter.paintRegion);
        painter.paintRegion = NULL;
    }
}

void endWindowPaint() {
    if (painter.presentHolds > 0)
        --painter.presentHolds;
    if (painter.presentHolds > 0)
        return;
    if (painter.paintRegion)
        DeleteObject(painter.paintRegion);
    painter.paintRegion = NULL;
    presentDrawing();
}

bool eraseBackground(HWND hwnd, HDC eraseDC) {
    if (!drawingIntoBuffer() || painter.buffer.lent) {
        keepOffChildWindows(eraseDC, hwnd);
        return false;
    }
    const HBRUSH brush = classBackgroundBrush(hwnd);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!brush || !region) {
        if (region)
            DeleteObject(region);
        return true;
    }
    // Inside WM_PAINT the update region was taken before BeginPaint emptied
    // it; an erase outside a paint leaves the update region as it is.
    int kind = ERROR;
    if (painter.paintRegion)
        kind = CombineRgn(region, painter.paintRegion, NULL, RGN_COPY);
    else
        kind = GetUpdateRgn(hwnd, region, FALSE);
    if (kind == ERROR || kind == NULLREGION) {
        RECT box;
        if (GetClipBox(eraseDC, &box) != NULLREGION)
            SetRectRgn(region, box.left, box.top, box.right, box.bottom);
    }
    FillRgn(painter.buffer.dc, region, brush);
    RECT box;
    if (GetRgnBox(region, &box) != NULLREGION)
        markDrawn(box.left, box.top, box.right, box.bottom);
    DeleteObject(region);
    return true;
}

void presentAfterMessage(HWND hwnd, UINT message) {
    // One copy for the erase and the paint that follows it at once.
    if (message == WM_ERASEBKGND && drawingIntoBuffer() && GetUpdateRect(hwnd, NULL, FALSE))
        return;
    presentDrawing();
}

void presentDrawing() {
    DrawnBoxes& d = painter.drawn;
    const BackBuffer& b = painter.buffer;
    if (d.count == 0 || painter.presentHolds > 0 || !painter.screenDC || !drawingIntoBuffer() ||
        b.lent)
        return;
    for (int k = 0; k < d.count; ++k) {
        const RECT& r = d.boxes[k];
        BitBlt(painter.screenDC, r.left, r.top, r.right - r.left, r.bottom - r.top, b.dc, r.left,
               r.top, SRCCOPY);
    }
    d.count = 0;
}

void paintIntoPixels(HDC dc, std::uint32_t* bits, int width, int height) {
    freeBackBuffer();
    BackBuffer& b = painter.buffer;
    b.dc = dc;
    b.bits = bits;
    b.width = width;
    b.height = height;
    b.lent = true;
    shell.drawingDC = dc;
}

void endPaintingIntoPixels(HDC dc) {
    if (painter.buffer.lent && painter.buffer.dc == dc)
        freeBackBuffer();
}

RECT pendingPresentBox() {
    RECT box = {0, 0, 0, 0};
    const DrawnBoxes& d = painter.drawn;
    for (int k = 0; k < d.count; ++k)
        box = k == 0 ? d.boxes[0] : unionOf(box, d.boxes[k]);
    return box;
}

SIZE backBufferSize() {
    const SIZE size = {painter.buffer.width, painter.buffer.height};
    return size;
}
