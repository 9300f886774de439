// Windows half of the application state: the window handles and the drawing
// objects that live for the whole run. Kept apart from AppState so that the
// model code never sees windows.h.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "core/state.h"

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
    HCURSOR cursors[DragModeCount];
};

const int SettingsPathLength = 260;

struct Shell {
    HINSTANCE hInstance;
    HWND mainWindow;
    // Where every drawing goes: the back buffer's memory DC while the default
    // painter has its buffer, else the window's own kept DC.
    HDC drawingDC;
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
