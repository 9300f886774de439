#include "app/settings_write_win.h"

#include <io.h>

#ifdef ZAVRIK_TEST_HOOKS
#include "tests/win/settings_write_hook.h"

static long failAfterBytes = -1;

void failNextSettingsWriteAfter(long bytes) {
    failAfterBytes = bytes;
}
#endif

bool writeSettingsBytes(int fd, const char* data, unsigned size) {
#ifdef ZAVRIK_TEST_HOOKS
    if (failAfterBytes >= 0 && (unsigned long)failAfterBytes < size) {
        // The first bytes go out, then the write fails; the hook is spent.
        const unsigned written = (unsigned)failAfterBytes;
        failAfterBytes = -1;
        if (written > 0)
            _write(fd, data, written);
        return false;
    }
    failAfterBytes = -1;
#endif
    return _write(fd, data, size) == (int)size;
}
