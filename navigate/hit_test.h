// What lies under a client point, and which colour it shows there. The
// colour comes from the chart models, never from the screen.
#pragma once

#include "core/state.h"

// Classifies the point (which may lie outside the client area) and writes the
// colour shown there on every path.
HitCode hitTest(int x, int y, COLORREF& colour);

// Grid coordinates of the point: triangle column and row (rows counted from
// the apex line) when it returns true, hexagon column and half-row when it
// returns false. Both outputs are always written.
bool gridCell(int x, int y, int& col, int& row);

// Snaps the point onto the outline through the hexagon's outer dot centres.
void projectToRim(int& x, int& y);
