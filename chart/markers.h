// Geometry of the two chart markers: small triangles whose tip P0 points at
// the chart and whose far side runs from P1 to P2.
#pragma once

#include "core/state.h"

// The level marker, right of the hue triangle's base column, pointing at the
// base dot whose grey is the hexagon's centre grey.
void levelMarkerPolygon(ClientPoint out[3]);

// The slice marker, outside the hexagon's rim, pointing at the outer-ring dot
// that holds the apex hue. Without clearance P0 is that dot's centre less one
// pixel in x and y.
void sliceMarkerPolygon(bool withClearance, ClientPoint out[3]);
