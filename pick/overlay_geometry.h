// Geometry of the pick overlay: the line joining the picked colour's two
// places in the charts, and the rectangle that bounds it with its rings.
#pragma once

#include <cstdint>

#include "core/state.h"

// Requests to drawPickOverlay beside the pickMark values; never stored in
// pickMark.
const std::int8_t OverlayHide = 10;       // erase the glyph, and the line when a pick is active
const std::int8_t OverlayEraseLine = 20;  // erase the line, even without a pick

// Radius of the ring drawn around each end of the pick line.
const int PickRingRadius = 8;

// The lens glyph stands this far right of the readout panel's right edge,
// level with the panel's top.
const int LensGlyphGap = 4;

// What erasing the lens glyph must cover: the box beside the panel that the
// glyph is meant to fill, grown to the glyph's text extent as measured in its
// font plus the pixel of its outline on every side, so that no font, however
// wide it draws the glyph, leaves a trace. Right and bottom exclusive.
WindowRect lensGlyphBox(int textWidth, int textHeight);

// Bounds the line and both rings, right and bottom exclusive; relies on the
// hexagon end lying left of the triangle end.
WindowRect pickLineBox();

// Moves both ends toward each other by the ring radius, so that the line
// starts and ends on the rings. Coinciding ends have no direction and are
// left as they are.
void shortenPickLine(ClientPoint& from, ClientPoint& to);
