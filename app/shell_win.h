// Windows half of the application state: the window handles and the drawing
// objects that live for the whole run. Kept apart from AppState so that the
// model code never sees windows.h.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "app/state.h"

struct GdiKit {
    HBRUSH bgBrush;
    HPEN bgPen;
    HBRUSH blackBrush;
    HPEN whitePen;
    HPEN blackPen3;
    HPEN grayPen3;
    HPEN whitePen5;
    HPEN whitePen9;
    HFONT valueFont;
    HFONT controlFont;
    HFONT symbolFont;
    HCURSOR cursors[4];   // indexed by dragMode
};

const int SettingsPathLength = 260;

// The memory copy of the client area that the fast painter draws into. It
// is shown on the screen once per message, so that a full paint costs one
// blit instead of tens of thousands of ellipses on the window itself.
struct BackBuffer {
    HDC dc;                  // memory DC; shell.windowDC while the fast painter is used
    HBITMAP bitmap;          // top-down 32-bit DIB section, NULL until the first WM_SIZE
    HGDIOBJ stubBitmap;      // the DC's own 1 x 1 bitmap, put back before ours is freed
    std::uint32_t* bits;     // rows of 0x00RRGGBB, `width` pixels apart
    int width, height;       // the DIB's size: at least the client size
    int presentHolds;        // nonzero inside WM_PAINT, which presents once at its end
    // The box of what was written straight into the bits since the last
    // present (GDI keeps the box of its own drawing); empty when right <= left.
    RECT written;
};

struct Shell {
    HINSTANCE hInstance;
    HWND mainWindow;
    HDC windowDC;            // where every drawing goes: screenDC, or the back buffer's DC
    HDC screenDC;            // the window's own device context, kept for the whole run
    bool fastPainter;        // chosen before the window is created
    BackBuffer backBuffer;
    HWND sizeCombo;
    HWND copyButton;
    HWND pasteButton;
    wchar_t settingsPath[SettingsPathLength];
    bool settingsPathValid;   // false when the exe's folder gives no usable path
    WINDOWPLACEMENT placement;
    TRACKMOUSEEVENT leaveTracking;
};

extern GdiKit gdi;
extern Shell shell;

// Creates the long-lived pens, brushes, fonts and cursors from the current
// settings (bgColor) and the module's resources.
void createGdiKit();
