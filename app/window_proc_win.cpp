#include "app/window_proc_win.h"

#include <winnls32.h>

#include "app/relayout.h"
#include "app/scene_win.h"
#include "app/settings_win.h"
#include "app/sizing.h"
#include "app/sizing_win.h"
#include "app/steps_win.h"
#include "navigate/hit_test.h"
#include "navigate/marker_line_win.h"
#include "paint/painter_win.h"
#include "palette/clipboard_win.h"
#include "palette/palette_win.h"
#include "pick/cursor_pos_win.h"
#include "pick/locate.h"
#include "pick/overlay_geometry.h"
#include "pick/readout_win.h"
#include "pick/screen_pick_win.h"

namespace {

// Child controls, in client pixels.
const int ControlLeft = 8;
const int ControlWidth = 60;
const int ComboTop = 8;
const int ComboDropHeight = 240;   // the list's height when it drops down
const int ButtonHeight = 22;
const int CopyButtonFromBottom = 53;
const int PasteButtonFromBottom = 30;

// The wheel's size-box zone: left of this x and above comboBottom.
const int SizeBoxZoneRight = 76;

// Bit 30 of WM_KEYDOWN's lParam: the key was already down (auto-repeat).
const LPARAM KeyWasDown = 0x40000000;

bool keyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

// Mouse messages carry client coordinates as unsigned words: a point left of
// or above the window (possible while the mouse is captured) reads large.
int mouseX(LPARAM lParam) { return (int)LOWORD(lParam); }
int mouseY(LPARAM lParam) { return (int)HIWORD(lParam); }

void setDragCursor() { SetCursor(gdi.cursors[app.interaction.dragMode]); }

void followHover(HitCode expected) {
    POINT p;
    if (!readCursorPos(p))
        return;   // no position to be had (a locked desktop): nothing to follow
    ScreenToClient(shell.mainWindow, &p);
    COLORREF colour = 0;
    if (hitTest(p.x, p.y, colour) == expected && colour != app.interaction.hoverColor) {
        app.interaction.hoverColor = colour;
        paintReadoutPanel(ReadoutWhole);
    }
}

void toggleOverlay() {
    PickState& pick = app.settings.pick;
    pick.pickMark = (std::int8_t)-pick.pickMark;
    if (pick.pickMark < 0)
        drawPickOverlay(OverlayHide);
    else
        drawPickOverlay(pick.pickMark);
}

// False when the point has no colour to give (a pixel off every screen).
bool colorAtScreenPoint(POINT p, POINT physical, COLORREF& colour) {
    const LRESULT where = SendMessageW(shell.mainWindow, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    if (where == HTCLIENT) {
        ScreenToClient(shell.mainWindow, &p);
        hitTest(p.x, p.y, colour);
        return true;
    }
    colour = screenPixel(physical);
    return colour != CLR_INVALID;
}

void dropPick() {
    PickState& pick = app.settings.pick;
    if (!pick.pickActive)
        return;
    pick.pickActive = 0;
    paintReadoutPanel(ReadoutWhole);
    if (pick.pickMark > 0)
        drawPickOverlay(OverlayEraseLine);
}

void changeBackground(COLORREF colour) {
    if (colour == app.settings.bgColor)
        return;
    app.settings.bgColor = colour;
    // A pen or brush still selected into the kept DC would not be deleted.
    SelectObject(shell.drawingDC, GetStockObject(WHITE_PEN));
    SelectObject(shell.drawingDC, GetStockObject(NULL_BRUSH));
    DeleteObject(gdi.bgPen);
    DeleteObject(gdi.bgBrush);
    gdi.bgPen = CreatePen(PS_SOLID, 1, colour);
    gdi.bgBrush = CreateSolidBrush(colour);
    SetClassLongPtrW(shell.mainWindow, GCLP_HBRBACKGROUND, (LONG_PTR)gdi.bgBrush);
    invalidateScene(shell.mainWindow);
}

void clearSlot(HitCode code, COLORREF colour) {
    const COLORREF bg = app.settings.bgColor;
    if (colour == bg || !isSlot(code))
        return;
    setSlot(code, bg);
    app.interaction.hoverColor = bg;
    paintReadoutPanel(ReadoutHover);
}

// Wheel over the size box: away from the user picks the smaller grid.
void stepGridSizeByWheel(int direction) {
    const int index = (int)SendMessageW(shell.sizeCombo, CB_GETCURSEL, 0, 0) - direction;
    if (index < 0 || index >= GridSizeCount)
        return;
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)index, 0);
    changeGridSize(index);
}

void addGridSizesToCombo() {
    for (int k = 0; k < GridSizeCount; ++k) {
        wchar_t text[16];
        wsprintfW(text, L"%5d", GridSizes[k]);
        SendMessageW(shell.sizeCombo, CB_ADDSTRING, 0, (LPARAM)text);
    }
}

HWND createChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style) {
    return CreateWindowExW(0, className, text, style, 0, 0, 0, 0, parent, NULL,
                           shell.hInstance, NULL);
}

void onCreate(HWND hwnd) {
    shell.sizeCombo = createChild(hwnd, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST);
    shell.copyButton = createChild(hwnd, L"BUTTON", L"Copy", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    shell.pasteButton = createChild(hwnd, L"BUTTON", L"Paste", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    SendMessageW(shell.sizeCombo, WM_SETFONT, (WPARAM)gdi.controlFont, 0);
    SendMessageW(shell.copyButton, WM_SETFONT, (WPARAM)gdi.controlFont, 0);
    SendMessageW(shell.pasteButton, WM_SETFONT, (WPARAM)gdi.controlFont, 0);

    // Read now, while the main window stands at the screen origin: the box's
    // screen bottom less the caption is its client bottom once WM_SIZE has
    // put it at y = 8.
    RECT comboRect;
    GetWindowRect(shell.sizeCombo, &comboRect);
    app.layout.comboBottom = comboRect.bottom - GetSystemMetrics(SM_CYCAPTION) + 8;

    addGridSizesToCombo();
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)app.settings.sizeIndex, 0);
    openWindowDCs(hwnd);

    shell.leaveTracking.cbSize = sizeof(TRACKMOUSEEVENT);
    shell.leaveTracking.dwFlags = TME_LEAVE;
    shell.leaveTracking.hwndTrack = hwnd;
    shell.leaveTracking.dwHoverTime = 0;

    // Keys are commands here, never text.
    WINNLSEnableIME(hwnd, FALSE);
}

void onSize(HWND hwnd, LPARAM lParam) {
    Layout& L = app.layout;
    L.clientWidth = LOWORD(lParam);
    L.clientHeight = HIWORD(lParam);
    relayout();
    MoveWindow(shell.sizeCombo, ControlLeft, ComboTop, ControlWidth, ComboDropHeight, TRUE);
    MoveWindow(shell.copyButton, ControlLeft, L.clientHeight - CopyButtonFromBottom,
               ControlWidth, ButtonHeight, TRUE);
    MoveWindow(shell.pasteButton, ControlLeft, L.clientHeight - PasteButtonFromBottom,
               ControlWidth, ButtonHeight, TRUE);
    fitPainterToClient(L.clientWidth, L.clientHeight);
    invalidateScene(hwnd);
}

// The back buffer, if used, is presented once, when the whole picture stands.
void onPaint(HWND hwnd) {
    beginWindowPaint(hwnd);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    paintScene();
    EndPaint(hwnd, &ps);
    endWindowPaint();
}

void onDestroy() {
    dropClipboardWork();
    saveSettings();
    PostQuitMessage(0);
}

// The session ends without WM_DESTROY: the process is ended after this.
void onEndSession(WPARAM ending) {
    if (ending)
        saveSettings();
}

void onGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = app.layout.minTrackWidth;
    info->ptMinTrackSize.y = app.layout.minTrackHeight;
}

void onWindowPosChanging(WINDOWPOS* pos) {
    // The rectangle the window is given, or where it stands when the change
    // leaves its place or size as they are.
    RECT target;
    SetRect(&target, pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy);
    if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) == 0 || GetWindowRect(pos->hwnd, &target))
        useWorkAreaOf(target);
    app.layout.maxTrackWidth = GetSystemMetrics(SM_CXMAXTRACK);
    int cx = pos->cx;
    int cy = pos->cy;
    constrainWindowPos(pos->y, cx, cy, pos->flags);
    pos->cx = cx;
    pos->cy = cy;
}

void onSizing(WPARAM edge, RECT* r) {
    WindowRect w = {r->left, r->top, r->right, r->bottom};
    constrainSizing((int)edge, w);
    SetRect(r, w.left, w.top, w.right, w.bottom);
}

void onKeyDown(WPARAM key, LPARAM lParam) {
    markerLine(LineHide);
    const bool coarse = keyDown(VK_SHIFT);
    const bool repeated = (lParam & KeyWasDown) != 0;
    switch (key) {
    case VK_TAB:
        if (!repeated)
            toggleOverlay();
        break;
    case VK_SPACE:
        if (!repeated) {
            POINT p;
            POINT physical;
            if (readPointer(p, physical))
                pickColorAt(p, physical);
        }
        break;
    case VK_LEFT:
        stepSlice(+1, coarse);
        followHover(HitTriangleDot);
        break;
    case VK_RIGHT:
        stepSlice(-1, coarse);
        followHover(HitTriangleDot);
        break;
    case VK_UP:
        stepLevel(+1, coarse);
        followHover(HitHexagonDot);
        break;
    case VK_DOWN:
        stepLevel(-1, coarse);
        followHover(HitHexagonDot);
        break;
    case 'C':
        if (keyDown(VK_CONTROL))
            copyPalette();
        break;
    case 'V':
        if (keyDown(VK_CONTROL))
            pastePalette();
        break;
    case 'X':
        if (keyDown(VK_CONTROL))
            fillAllSlots(app.settings.bgColor);
        break;
    default:
        break;
    }
}

void onCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = (HWND)lParam;
    switch (HIWORD(wParam)) {
    case BN_CLICKED:
        if (from == shell.copyButton)
            copyPalette();
        else
            pastePalette();
        SetFocus(shell.mainWindow);
        break;
    case CBN_SELCHANGE: {
        const int index = (int)SendMessageW(shell.sizeCombo, CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < GridSizeCount && index != app.settings.sizeIndex)
            changeGridSize(index);
        break;
    }
    case CBN_CLOSEUP:
        SetFocus(shell.mainWindow);
        break;
    default:
        break;
    }
}

// Wine 8 and 10 report success but arm nothing when, by their own cursor
// position, the pointer is not over the window: after it left (a move
// handled late), and also while that position still lags a move into the
// window. No leave would then ever come and the readout would keep the
// hover for good, so only tracking the system reports armed counts, and the
// next move tries again. (Windows posts the leave at once instead.)
bool leaveTrackingArmed() {
    TRACKMOUSEEVENT query = {};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    return TrackMouseEvent(&query) && (query.dwFlags & TME_LEAVE) &&
           query.hwndTrack == shell.mainWindow;
}

void onMouseMove(WPARAM wParam, LPARAM lParam) {
    Interaction& in = app.interaction;
    if (!in.mouseInside) {
        // The first move only arms leave tracking; a drag whose button was
        // released outside the window ends here, whatever keys are held.
        if (TrackMouseEvent(&shell.leaveTracking) && leaveTrackingArmed()) {
            in.mouseInside = 1;
            paintReadoutPanel(ReadoutWhole);
            if (!(wParam & MK_LBUTTON))
                in.dragMode = DragIdle;
        }
    } else if (in.dragMode == DragIdle || in.dragMode == DragOverMarkerZone) {
        COLORREF colour = 0;
        const HitCode code = hitTest(mouseX(lParam), mouseY(lParam), colour);
        in.dragMode = code == HitMarkerZone ? DragOverMarkerZone : DragIdle;
        if (code != HitReadoutPanel && colour != in.hoverColor) {
            in.hoverColor = colour;
            paintReadoutPanel(ReadoutHover);
        }
    }
    setDragCursor();
}

void onMouseLeave() {
    app.interaction.mouseInside = 0;
    paintReadoutPanel(ReadoutWhole);
}

void pressOnMarkerZone(int x, int y) {
    const int n = app.settings.gridSize;
    int col = 0;
    int row = 0;
    if (gridCell(x, y, col, row)) {
        int level = n - row;
        if (level < 0)
            level = 0;
        if (level > 2 * n)
            level = 2 * n;
        setLevel(level, true);
        markerLine(LineLevel);
    } else {
        selectRimPoint(x, y);
        markerLine(LineSlice);
    }
}

// A press never happens while a colour or gradient drag holds the button: a
// drag mode still set is left from a drag whose button went up outside the
// window, and the press is judged as a fresh one.
void endStaleDrag(int x, int y) {
    Interaction& in = app.interaction;
    if (in.dragMode != DragColor && in.dragMode != DragGradient)
        return;
    COLORREF colour = 0;
    in.dragMode = hitTest(x, y, colour) == HitMarkerZone ? DragOverMarkerZone : DragIdle;
}

void onLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    Interaction& in = app.interaction;
    const int x = mouseX(lParam);
    const int y = mouseY(lParam);
    endStaleDrag(x, y);
    if (in.dragMode != DragIdle) {
        pressOnMarkerZone(x, y);
        setDragCursor();
        return;
    }
    const HitCode code = hitTest(x, y, in.dragColor);
    if (code == HitReadoutText) {
        PickState& pick = app.settings.pick;
        if (pick.pickActive) {
            pick.pickFormat = pick.pickFormat == 0 ? 1 : 0;
            paintReadoutPanel(ReadoutWhole);
        }
        return;
    }
    if (code == HitNothing || code == HitMarkerZone)
        return;
    if (isSlot(code) && (wParam & MK_SHIFT)) {
        in.dragMode = DragGradient;
        in.dragSlot = code;
    } else {
        in.dragMode = DragColor;
    }
    setDragCursor();
}

void onLeftButtonUp(LPARAM lParam) {
    markerLine(LineHide);
    Interaction& in = app.interaction;
    if (in.dragMode == DragIdle || in.dragMode == DragOverMarkerZone)
        return;
    COLORREF colour = 0;
    const HitCode code = hitTest(mouseX(lParam), mouseY(lParam), colour);
    if (isSlot(code) && in.dragMode == DragColor) {
        setSlot(code, in.dragColor);
        in.hoverColor = in.dragColor;
    } else if (isSlot(code) && in.dragMode == DragGradient) {
        fillGradient(in.dragSlot, code);
        in.hoverColor = colour;
    } else if (code == HitReadoutPanel) {
        in.hoverColor = app.settings.bgColor;
    } else {
        in.hoverColor = colour;
    }
    paintReadoutPanel(ReadoutHover);
    in.dragMode = DragIdle;
    setDragCursor();
}

void onRightButtonUp(WPARAM wParam, LPARAM lParam) {
    markerLine(LineHide);
    COLORREF colour = 0;
    const HitCode code = hitTest(mouseX(lParam), mouseY(lParam), colour);
    if (wParam & MK_SHIFT)
        fillAllSlots(colour);
    else if (wParam & MK_CONTROL)
        changeBackground(colour);
    else if (code == HitReadoutPanel)
        dropPick();
    else
        clearSlot(code, colour);
}

void onMouseWheel(WPARAM wParam, LPARAM lParam) {
    markerLine(LineHide);
    const int direction = (short)HIWORD(wParam) >= 0 ? 1 : -1;
    const WORD keys = LOWORD(wParam);
    if (keys & MK_CONTROL) {
        if (!IsZoomed(shell.mainWindow))
            stepWindowHeight(direction);
        return;
    }
    POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ScreenToClient(shell.mainWindow, &p);
    const bool coarse = (keys & MK_SHIFT) != 0;
    if (p.x <= SizeBoxZoneRight && p.y <= app.layout.comboBottom)
        stepGridSizeByWheel(direction);
    else if (p.x < app.layout.triLeft - app.layout.unit)
        stepSlice(direction, coarse);
    else
        stepLevel(direction, coarse);
}

}  // namespace

void pickColorAt(POINT screenPoint, POINT physicalPoint) {
    PickState& pick = app.settings.pick;
    COLORREF colour = 0;
    if (!colorAtScreenPoint(screenPoint, physicalPoint, colour))
        return;
    if (pick.pickActive && colour == pick.pickColor)
        return;
    pick.pickColor = colour;
    pick.pickActive = 1;
    paintReadoutPanel(ReadoutWhole);
    // The old line's ends are still those of the previous pick.
    if (pick.pickMark > 0)
        drawPickOverlay(OverlayEraseLine);
    locatePick();
    jumpToPick();
    pick.pickMark = pick.pickMark <= 0 ? -3 : 3;
    drawPickOverlay(pick.pickMark);
}

namespace {

LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate(hwnd);
        break;
    case WM_SIZE:
        onSize(hwnd, lParam);
        break;
    case WM_PAINT:
        onPaint(hwnd);
        break;
    case WM_ERASEBKGND:
        // The painter erases where it draws, off the child controls.
        if (eraseBackground(hwnd, (HDC)wParam))
            return 1;
        break;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_ENDSESSION:
        onEndSession(wParam);
        break;
    case WM_CAPTURECHANGED:
        // Whoever took the capture, the line it stood for goes with it.
        markerLine(LineHide);
        break;
    case WM_GETMINMAXINFO:
        onGetMinMaxInfo((MINMAXINFO*)lParam);
        break;
    case WM_WINDOWPOSCHANGING:
        onWindowPosChanging((WINDOWPOS*)lParam);
        break;
    case WM_SIZING:
        onSizing(wParam, (RECT*)lParam);
        break;
    case WM_KEYDOWN:
        onKeyDown(wParam, lParam);
        break;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        onMouseMove(wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        onMouseLeave();
        break;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(wParam, lParam);
        break;
    case WM_LBUTTONUP:
        onLeftButtonUp(lParam);
        break;
    case WM_RBUTTONUP:
        onRightButtonUp(wParam, lParam);
        break;
    case WM_MOUSEWHEEL:
        onMouseWheel(wParam, lParam);
        break;
    case ClipboardDoneMessage:
        onClipboardDone(wParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = handleMessage(hwnd, message, wParam, lParam);
    // Whatever this message drew is on the window before the message is done.
    presentAfterMessage(hwnd, message);
    return result;
}
