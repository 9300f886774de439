// The back buffer's bitmap, made in a file of its own: test builds link a
// version of it whose allocation a test can make fail.
#pragma once

#include "core/shell_win.h"

// A pixel bitmap (paint/pixel_bitmap_win.h) for the back buffer; NULL when
// it cannot be made.
HBITMAP createBackBufferBitmap(int width, int height, void*& bits);

#ifdef ZAVRIK_TEST_HOOKS
// From now on every back buffer bitmap fails to be made (true), or is made
// again as usual (false).
void failBackBufferAllocations(bool fail);
#endif
