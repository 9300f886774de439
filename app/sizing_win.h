// Window sizing that needs the window itself: Ctrl+wheel steps of the height
// and the re-proportioning after a change of the grid size.
#pragma once

#include "core/shell_win.h"

// Hands the sizing rules (layout.workArea) the work area of the monitor the
// rectangle (screen coordinates) lies on; on no monitor, they keep theirs.
void useWorkAreaOf(const RECT& r);

// One step of 24 pixels of client height, +1 taller or -1 shorter.
void stepWindowHeight(int direction);

// Switches to GridSizes[index] and gives the window the matching width.
void changeGridSize(int index);
