#include "app/message_loop_win.h"

namespace {

bool isPushButton(HWND hwnd) {
    return hwnd != NULL && (hwnd == shell.copyButton || hwnd == shell.pasteButton);
}

}  // namespace

bool takeFromButton(const MSG& msg) {
    if (!isPushButton(msg.hwnd))
        return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_TAB || msg.wParam == VK_SPACE)) {
        // A button would eat space as its own click and Tab as nothing.
        SetFocus(shell.mainWindow);
        SendMessageW(shell.mainWindow, WM_KEYDOWN, msg.wParam, msg.lParam);
        return true;
    }
    if (msg.message == WM_LBUTTONUP) {
        RECT r;
        GetClientRect(msg.hwnd, &r);
        // Unsigned words: a release left of or above the button reads large.
        const int x = (int)LOWORD(msg.lParam);
        const int y = (int)HIWORD(msg.lParam);
        if (x >= r.right || y >= r.bottom) {
            SetFocus(shell.mainWindow);
            return true;
        }
    }
    return false;
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0)) {
        if (takeFromButton(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
