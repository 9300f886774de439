// Painting of the two charts and their markers onto the kept window DC.
#pragma once

#include "core/shell_win.h"

// Paints every dot of the level hexagon over what is there.
void paintHexagon();

// Paints every dot of the hue triangle over what is there.
void paintTriangle();

// InkErase erases a marker to the background, InkDraw draws it black with a
// white outline. The ink's pen and brush stay selected afterwards.
enum MarkerInk { InkErase, InkDraw };
void drawLevelMarker(MarkerInk ink);
void drawSliceMarker(MarkerInk ink);
