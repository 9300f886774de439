// Test support for the clipboard exchange: waiting until the window has
// taken every result, and another program's text on the clipboard, owned by
// a thread that behaves as a busy or hung program does.
#pragma once

#include "core/shell_win.h"
#include "main_window_harness.h"
#include "palette/clipboard_seams_win.h"
#include "palette/clipboard_win.h"

// Far beyond the longest a clipboard owner of these tests keeps a worker
// waiting (Wine's five seconds for an owner that looks at no messages).
const DWORD ClipboardWorkBoundMs = 60000;

// Handles this thread's messages until the window has taken the result of
// every copy and paste asked for; false if that does not happen within the
// bound.
inline bool finishClipboardWork() {
    const DWORD start = GetTickCount();
    while (clipboardWorkOutstanding()) {
        if (GetTickCount() - start > ClipboardWorkBoundMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        harness::pumpMessages();
    }
    return true;
}

// Another program on its own thread that owns the clipboard's text
// "AB(ff0000)". It either offers the text unrendered, as a clipboard manager
// does for the text of X programs, and renders it on WM_RENDERFORMAT while
// its thread reads messages; or offers it unrendered and then waits on an
// event instead, as a hung owner does; or renders it at once and then waits
// on its queue for posted messages only, as a busy program does that has
// nothing left to do for a reader; or renders it and then looks at no
// messages at all for a while, as a program busy with its own work does.
enum OwnerMode { RendersOnRequest, HangsUnrendered, BusyWithRenderedText, SleepsWithRenderedText };

class TextOwner {
public:
    explicit TextOwner(OwnerMode mode, DWORD sleepMs = INFINITE) : mode(mode), sleepMs(sleepMs) {
        offered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        awake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, run, this, 0, nullptr);
        WaitForSingleObject(offered, INFINITE);
    }
    ~TextOwner() {
        SetEvent(release);
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        CloseHandle(awake);
        CloseHandle(release);
        CloseHandle(offered);
    }
    void stopStalling() { SetEvent(release); }
    // True once the owner looks at its messages again.
    bool isAwake() const { return WaitForSingleObject(awake, 0) == WAIT_OBJECT_0; }

private:
    static HGLOBAL textBlock() {
        const wchar_t text[] = L"AB(ff0000)";
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        CopyMemory(GlobalLock(memory), text, sizeof text);
        GlobalUnlock(memory);
        return memory;
    }
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_RENDERFORMAT && wParam == CF_UNICODETEXT) {
            SetClipboardData(CF_UNICODETEXT, textBlock());
            return 0;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(hwnd);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    static DWORD WINAPI run(void* self) {
        TextOwner& o = *(TextOwner*)self;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZavrikTextOwner";
        RegisterClassW(&wc);
        o.window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        const bool rendered = o.mode == BusyWithRenderedText || o.mode == SleepsWithRenderedText;
        OpenClipboard(o.window);
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, rendered ? textBlock() : nullptr);
        CloseClipboard();
        SetEvent(o.offered);
        // The busy program waits on its queue for posted messages only:
        // busy to every sender, yet not what Wine counts as hung, which gives
        // up on a thread that has not looked at its queue for five seconds.
        // The hung and the sleeping ones look at no messages at all: Wine 10
        // answers a message sent to a thread already waiting on its queue,
        // whatever the mask.
        if (o.mode == BusyWithRenderedText)
            MsgWaitForMultipleObjects(1, &o.release, FALSE, INFINITE, QS_POSTMESSAGE);
        if (o.mode == HangsUnrendered || o.mode == SleepsWithRenderedText)
            WaitForSingleObject(o.release, o.sleepMs);
        SetEvent(o.awake);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        return 0;
    }

    OwnerMode mode;
    DWORD sleepMs;
    HANDLE offered = nullptr;
    HANDLE release = nullptr;
    HANDLE awake = nullptr;
    HANDLE thread = nullptr;
    HWND window = nullptr;
};
