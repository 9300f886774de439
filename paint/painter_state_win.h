// The painter's own record: the window's kept device context, the back
// buffer, what was drawn into it since it was last shown, and everything
// learnt to draw faster (dot and ring shapes, chart plans, text pictures).
// Only the files of paint/ see it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/shell_win.h"
#include "paint/chart_plan_win.h"
#include "paint/dot_stamp_win.h"
#include "paint/draw_win.h"
#include "paint/text_stamp_win.h"

// The memory copy of the client area that the default painter draws into.
struct BackBuffer {
    HDC dc;                  // memory DC; shell.drawingDC while the buffer is drawn into
    HBITMAP bitmap;          // top-down 32-bit DIB section; NULL when lent or not made
    HGDIOBJ stubBitmap;      // the DC's own 1 x 1 bitmap, put back before ours is freed
    std::uint32_t* bits;     // rows of 0x00RRGGBB, `width` pixels apart
    int width, height;       // the DIB's size: at least the client size
    bool lent;               // pixels and DC belong to the caller of paintIntoPixels
};

// What was drawn since the last present, as a few boxes: pieces that lie
// apart (a marker, a chart, the overlay's glyph and line) are copied one by
// one rather than in one box that takes in the window between them.
const int MaxDrawnBoxes = 6;
struct DrawnBoxes {
    RECT boxes[MaxDrawnBoxes];
    int count;
};

struct Painter {
    bool fast;               // the default painter is chosen (else the literal one)
    HWND window;             // the window painted
    HDC screenDC;            // its device context, kept for the whole run, off the controls
    BackBuffer buffer;
    DrawnBoxes drawn;
    int presentHolds;        // nonzero inside WM_PAINT, which presents once at its end
    HRGN paintRegion;        // the update region of that paint, taken before BeginPaint
    // Learnt for the whole run.
    std::vector<DotShape> dotShapes;   // by radius
    std::vector<RingShape> ringShapes;
    ChartCache charts[KeptCharts];
    std::uint64_t walksMade;
    std::vector<TextStamp> textStamps;
};

extern Painter painter;

// True when drawing goes into the back buffer's bits (shell.drawingDC is its
// DC); false when it goes straight onto a DC through GDI.
bool drawingIntoBuffer();

// A colour as the back buffer's bits hold it: 0x00RRGGBB.
inline std::uint32_t bufferPixelOf(COLORREF c) {
    return ((std::uint32_t)(c & 0xFF) << 16) | (std::uint32_t)(c & 0xFF00) |
           (std::uint32_t)((c >> 16) & 0xFF);
}

// Row y of the back buffer, with from..to cut to its width; NULL when the
// row lies off the buffer.
std::uint32_t* bufferRowSpan(int y, int& from, int& to);

// Adds a box that was drawn into the back buffer to what the next present
// copies. Does nothing when drawing goes straight onto the window.
void markDrawn(int left, int top, int right, int bottom);

// drawOutlinedText through GDI on shell.drawingDC, whatever the painter.
void drawOutlinedTextByGdi(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);
