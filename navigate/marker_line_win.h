// The inverted line shown while a marker zone is pressed, with the mouse
// captured for as long as it shows.
#pragma once

#include "navigate/navigation.h"

// LineLevel shows the level line, LineSlice the slice line, each with the
// mouse captured; LineHide removes the line shown and releases the capture.
void markerLine(MarkerLine mode);
