// The arithmetic of moving the level and the hue position: where a step, a
// press on the rim or the marker line leads. Nothing here draws; the Windows
// side applies the targets and redraws.
#pragma once

#include <cstdint>

#include "core/state.h"

// What a level change does to pickMark: the hexagon ring stops matching.
std::int8_t levelTransition(std::int8_t mark);
// What a sector or slice change does to pickMark: the triangle ring stops
// matching.
std::int8_t sliceTransition(std::int8_t mark);

// The level to pass to setLevel for one step up (+1) or down (-1), a quarter
// of the range when coarse.
int stepLevelTarget(int direction, bool coarse);

// The sector and slice to pass to setSlice for one step from the current hue
// position: a negative direction goes forward (clockwise), anything else
// back; half a sector when coarse.
void stepSliceTarget(int direction, bool coarse, std::int8_t& sector, int& slice);

// The sector and slice of the rim dot nearest to the point, as a press on
// the rim band selects it.
void rimPointTarget(int x, int y, std::int8_t& sector, int& slice);

// Pixel centre of the outer-ring dot at slice f of a sector; f = N is the
// corner where the sector's side ends.
ClientPoint rimDot(int sector, int slice);

// The inverted line shown while a marker zone is pressed: none, the level
// line from the apex, or the slice line from the hexagon's centre.
enum MarkerLine { LineHide, LineLevel, LineSlice };

// Sets the marker line's end points for LineLevel or LineSlice; any other
// mode leaves them alone.
void markerLineEnds(int mode);
