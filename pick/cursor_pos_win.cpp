#include "pick/cursor_pos_win.h"

#ifdef ZAVRIK_TEST_HOOKS
#include "tests/win/cursor_pos_hook.h"

static bool readsFail = false;
static POINT leftBehind;

void failCursorReads(const POINT* left) {
    readsFail = left != NULL;
    if (left)
        leftBehind = *left;
}
#endif

namespace {

// Looked up when needed rather than linked: Windows before Vista has no
// GetPhysicalCursorPos, and the program still starts there.
typedef BOOL(WINAPI* CursorReader)(LPPOINT);

CursorReader physicalReader() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == NULL)
        return NULL;
    return (CursorReader)(void*)GetProcAddress(user32, "GetPhysicalCursorPos");
}

}  // namespace

bool readCursorPos(POINT& p, bool physical) {
#ifdef ZAVRIK_TEST_HOOKS
    if (readsFail) {
        p = leftBehind;
        return false;
    }
#endif
    if (!physical)
        return GetCursorPos(&p) != FALSE;
    const CursorReader reader = physicalReader();
    return reader != NULL && reader(&p) != FALSE;
}
