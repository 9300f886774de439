#include "paint/pixel_bitmap_win.h"

HBITMAP createPixelBitmap(int width, int height, void*& bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits = NULL;
    return CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
}

bool openScratchBitmap(ScratchBitmap& s, int width, int height) {
    s = ScratchBitmap();
    void* bits = NULL;
    s.bitmap = createPixelBitmap(width, height, bits);
    s.dc = s.bitmap ? CreateCompatibleDC(NULL) : NULL;
    if (!s.dc) {
        if (s.bitmap)
            DeleteObject(s.bitmap);
        s = ScratchBitmap();
        return false;
    }
    s.oldBitmap = SelectObject(s.dc, s.bitmap);
    s.bits = static_cast<const std::uint32_t*>(bits);
    s.width = width;
    s.height = height;
    return true;
}

void closeScratchBitmap(ScratchBitmap& s) {
    if (!s.dc)
        return;
    SelectObject(s.dc, s.oldBitmap);
    DeleteObject(s.bitmap);
    DeleteDC(s.dc);
    s = ScratchBitmap();
}
