// What the tests and the benchmark ask of the painter beyond what the
// program does: which painter runs, the back buffer's state, drawing into
// pixels of their own, and presenting or closing at a moment they choose.
// The program never includes this.
#pragma once

#include "paint/painter_win.h"

// True while the default painter is chosen, and while it draws into its
// back buffer (false when it paints straight onto the window).
bool defaultPainterChosen();
bool paintingIntoBackBuffer();

// Gives back what openWindowDCs took. The program leaves it to the end of
// the process; tests that close their window call this first.
void closeWindowDCs();

// Copies what was drawn into the back buffer since the last present onto
// the window now. Does nothing under the literal painter.
void presentDrawing();

// Tests and the benchmark: the default painter draws into the given 32-bit
// top-down pixel bitmap, selected into dc, as into its back buffer; dc
// becomes shell.drawingDC. Lasts until endPaintingIntoPixels with that DC,
// usePainter or openWindowDCs.
void paintIntoPixels(HDC dc, std::uint32_t* bits, int width, int height);
void endPaintingIntoPixels(HDC dc);

// The box of what was drawn into the back buffer and not yet presented;
// empty when nothing is pending.
RECT pendingPresentBox();

// The back buffer's size (0 x 0 without one).
SIZE backBufferSize();
