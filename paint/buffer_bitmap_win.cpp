#include "paint/buffer_bitmap_win.h"

#include "paint/pixel_bitmap_win.h"

#ifdef ZAVRIK_TEST_HOOKS
static bool allocationsFail = false;

void failBackBufferAllocations(bool fail) {
    allocationsFail = fail;
}
#endif

HBITMAP createBackBufferBitmap(int width, int height, void*& bits) {
#ifdef ZAVRIK_TEST_HOOKS
    if (allocationsFail) {
        bits = NULL;
        return NULL;
    }
#endif
    return createPixelBitmap(width, height, bits);
}
