#include "app/steps_win.h"

#include "app/scene_win.h"
#include "navigate/navigation.h"

namespace {

int fromPosition(int position) { return indexOfPosition(position, app.settings.gridSize); }

}  // namespace

void stepLevel(int direction, bool coarse) {
    setLevel(stepLevelTarget(direction, coarse), true);
}

void stepSlice(int direction, bool coarse) {
    std::int8_t sector = 0;
    int slice = 0;
    stepSliceTarget(direction, coarse, sector, slice);
    setSlice(sector, slice, true);
}

void selectRimPoint(int x, int y) {
    std::int8_t sector = 0;
    int slice = 0;
    rimPointTarget(x, y, sector, slice);
    setSlice(sector, slice, true);
}

void jumpToPick() {
    const PickState& pick = app.settings.pick;
    if (pick.pickSector >= 0)
        setSlice(pick.pickSector, fromPosition(pick.pickSlicePos), false);
    if (pick.pickLevelPos >= 0)
        setLevel(fromPosition(pick.pickLevelPos), false);
}
