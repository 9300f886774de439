// 32-bit top-down DIB sections: the back buffer's, and the small scratch
// bitmaps that GDI's own drawing is learnt from (drawn into, then read).
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// A DIB section of 0x00RRGGBB pixels, rows top to bottom.
HBITMAP createPixelBitmap(int width, int height, void*& bits);

// A pixel bitmap selected into a memory DC of its own.
struct ScratchBitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    const std::uint32_t* bits;
    int width, height;
};

bool openScratchBitmap(ScratchBitmap& s, int width, int height);
void closeScratchBitmap(ScratchBitmap& s);
