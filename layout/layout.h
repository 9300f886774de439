// Pixel metrics of every element of the client area, derived from the
// client size and the grid size.
#pragma once

// Recomputes the metrics of app.layout (not the shell's own measurements nor
// the minimum track size) and the two colour scales of app.chart from the
// client size and the grid size alone.
void computeLayout();

// The radius the hue triangle paints its dots with, for the layout's dot
// radius: below 4 one pixel larger than the hexagon's dots.
int triangleDotRadiusFor(int dotRadius);

// The rim band reaches this far beyond one unit right of the hexagon's
// outer dots. In a narrow window the triangle's side of the window may begin
// inside it: the band then ends there.
const int RimBandSideMargin = 24;

// The slice marker on the hexagon's vertical sides keeps this far beyond one
// unit from the dot it points at (its tip's clearance); the layout keeps the
// triangle's dots clear of the marker's far side.
const int SliceMarkerSideClearance = 4;
