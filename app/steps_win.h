// The navigation commands of the input map: each asks navigate/ where the
// level or the hue position is to go and moves it there through the scene.
#pragma once

// A press on a marker zone is a step and the marker line that follows it.
#include "navigate/marker_line_win.h"

void stepLevel(int direction, bool coarse);
void stepSlice(int direction, bool coarse);

// Selects the rim dot nearest to a client point.
void selectRimPoint(int x, int y);

// Moves both charts to where the picked colour lies.
void jumpToPick();
