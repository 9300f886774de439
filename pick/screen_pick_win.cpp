#include "pick/screen_pick_win.h"

namespace {

// Declared here rather than taken from the headers: the function is looked up
// when the pick runs, so the program still starts on systems without it.
typedef HANDLE AwarenessContext;
typedef AwarenessContext(WINAPI* SetThreadAwareness)(AwarenessContext);
const AwarenessContext PerMonitorAwareV2 = (AwarenessContext)(LONG_PTR)-4;
const AwarenessContext PerMonitorAware = (AwarenessContext)(LONG_PTR)-3;

SetThreadAwareness awarenessSetter() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == NULL)
        return NULL;
    return (SetThreadAwareness)(void*)GetProcAddress(user32, "SetThreadDpiAwarenessContext");
}

}  // namespace

void readPointer(POINT& logical, POINT& physical) {
    GetCursorPos(&logical);
    physical = logical;
    // Only around this one call: the window's own drawing keeps the scaling
    // the system gives a program that does not declare itself aware.
    const SetThreadAwareness setAwareness = awarenessSetter();
    if (setAwareness == NULL)
        return;
    AwarenessContext previous = setAwareness(PerMonitorAwareV2);
    if (previous == NULL)
        previous = setAwareness(PerMonitorAware);
    if (previous == NULL)
        return;
    GetCursorPos(&physical);
    setAwareness(previous);
}

COLORREF screenPixel(POINT physical) {
    HDC screen = GetDC(NULL);
    const COLORREF colour = GetPixel(screen, physical.x, physical.y);
    ReleaseDC(NULL, screen);
    return colour;
}
