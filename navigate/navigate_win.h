// Moving the level and the hue position, with the redraws each move needs,
// and the inverted marker line shown while a marker zone is pressed.
#pragma once

#include <cstdint>

#include "navigate/navigation.h"

// level 0..2N. With updateOverlay the pick overlay learns that the hexagon
// no longer shows the picked level.
void setLevel(int level, bool updateOverlay);

// sector 0..5, slice 0..N (N only from a jump to a pick).
void setSlice(std::int8_t sector, int slice, bool updateOverlay);

void stepLevel(int direction, bool coarse);
void stepSlice(int direction, bool coarse);

// Selects the rim dot nearest to a client point.
void selectRimPoint(int x, int y);

// Moves both charts to where the picked colour lies.
void jumpToPick();

// LineLevel shows the level line, LineSlice the slice line, each with the
// mouse captured; LineHide removes the line shown and releases the capture.
void markerLine(MarkerLine mode);
