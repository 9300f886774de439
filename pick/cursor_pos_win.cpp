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

bool readCursorPos(POINT& p) {
#ifdef ZAVRIK_TEST_HOOKS
    if (readsFail) {
        p = leftBehind;
        return false;
    }
#endif
    return GetCursorPos(&p) != FALSE;
}
