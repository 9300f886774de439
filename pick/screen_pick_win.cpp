#include "pick/screen_pick_win.h"

#include "pick/cursor_pos_win.h"

namespace {

// Declared here rather than taken from the headers: the function is looked up
// when the pick runs, so the program still starts on systems without it.
typedef HANDLE AwarenessContext;
typedef AwarenessContext(WINAPI* SetThreadAwareness)(AwarenessContext);
const AwarenessContext PerMonitorAwareV2 = (AwarenessContext)(LONG_PTR)-4;
const AwarenessContext PerMonitorAware = (AwarenessContext)(LONG_PTR)-3;

enum PointerRead { PointerReadDone, PointerReadFailed, AwarenessMissing };

SetThreadAwareness awarenessSetter() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == NULL)
        return NULL;
    return (SetThreadAwareness)(void*)GetProcAddress(user32, "SetThreadDpiAwarenessContext");
}

// The pointer in physical pixels through a per-monitor awareness context for
// this one call (Windows 10 1607 on); only around it, so that the window's own
// drawing keeps the scaling the system gives a program that does not declare
// itself aware. Not offered: AwarenessMissing.
PointerRead readUnderAwareness(POINT& physical) {
    const SetThreadAwareness setAwareness = awarenessSetter();
    if (setAwareness == NULL)
        return AwarenessMissing;
    AwarenessContext previous = setAwareness(PerMonitorAwareV2);
    if (previous == NULL)
        previous = setAwareness(PerMonitorAware);
    if (previous == NULL)
        return AwarenessMissing;
    const bool read = readCursorPos(physical);
    setAwareness(previous);
    return read ? PointerReadDone : PointerReadFailed;
}

}  // namespace

bool readPointer(POINT& logical, POINT& physical) {
    if (!readCursorPos(logical))
        return false;
    POINT p;
    const PointerRead read = readUnderAwareness(p);
    if (read == PointerReadFailed)
        return false;
    // Windows Vista to 8.1 know no thread awareness but give the physical
    // position straight; the system that has neither scales nothing.
    if (read == AwarenessMissing && !readCursorPos(p, true))
        p = logical;
    physical = p;
    return true;
}

COLORREF screenPixel(POINT physical) {
    HDC screen = GetDC(NULL);
    const COLORREF colour = GetPixel(screen, physical.x, physical.y);
    ReleaseDC(NULL, screen);
    return colour;
}
