// The pick overlay: a line between the picked colour's two places in the
// charts, a ring around each end and the magnifier glyph beside the panel.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// mark is a pickMark value (negative: overlay hidden, nothing drawn) or one
// of the requests OverlayHide and OverlayEraseLine, which invalidate what
// the overlay covers instead of drawing.
void drawPickOverlay(std::int8_t mark);
