#include "app/relayout.h"

#include "app/sizing.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "pick/locate.h"

void relayout() {
    computeLayout();
    computeMinTrackSize();
    // The pick line's ends follow the new metrics.
    locatePick();
    updateLevel();
    updateHue();
}
