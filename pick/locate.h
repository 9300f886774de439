// Locating the picked colour in both charts: where the hexagon shows its hue
// and chroma, which sector and slice the triangle needs to show it, where in
// the triangle it lies and which level contains it.
//
// The colour is projected onto the plane perpendicular to the grey axis of
// the RGB cube, where the six pure colours form a regular hexagon around the
// greys: u grows to the right (toward blue), v upwards (toward green).
#pragma once

// 255 * sqrt(2/3): distance of each pure colour from the centre, and the
// length of each edge of the projected hexagon.
const double ProjRadius = 208.20662813657015;
const double ProjHalfRadius = 104.10331406828507;
// 255 / sqrt(2): horizontal distance of the four side vertices from the centre.
const double ProjSideX = 180.31222920256963;
// 1024 / ProjRadius: turns a distance along an edge into 1/1024 of the edge.
const double ProjEdgeScale = 4.918191169823479;

// Writes the pick line's two ends, pickSector, pickSlicePos (kept for a grey)
// and pickLevelPos from pickColor and the current layout. Does nothing while
// no colour is picked.
void locatePick();
