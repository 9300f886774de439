#include "palette/beep_win.h"

#include "core/shell_win.h"

#ifdef ZAVRIK_TEST_HOOKS
#include "tests/win/beep_hook.h"

static int beeps = 0;

int beepsSoFar() {
    return beeps;
}
#endif

void beepRefusal() {
#ifdef ZAVRIK_TEST_HOOKS
    ++beeps;
#endif
    MessageBeep(MB_ICONWARNING);
}
