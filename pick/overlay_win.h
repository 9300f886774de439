// The pick overlay: a line between the picked colour's two places in the
// charts, a ring around each end and the magnifier glyph beside the panel.
// What it covers and what erasing it invalidates is the scene's business.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// The magnifier glyph right of the readout panel.
void drawLensGlyph();

// What erasing the glyph must cover, measured in the font it is drawn with.
WindowRect lensGlyphBoxAsDrawn();

// The line and a ring around each end; mark (a pickMark value, 1 to 4)
// tells which rings are black: those whose chart still shows the pick.
void drawPickLineAndRings(std::int8_t mark);
