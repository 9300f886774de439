// Everything that follows from a new client size or grid size, in the order
// it depends on itself: the metrics, the minimum track size, the pick line's
// ends and the two charts' states.
#pragma once

#include "layout/layout.h"

void relayout();
