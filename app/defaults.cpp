#include "app/defaults.h"

#include "app/sizing.h"

namespace {

const std::int32_t DefaultLevelPos = MaxLevelPos;          // white centre
const std::int32_t DefaultSlicePos = PositionScale / 2;    // middle of the side
const std::int32_t FirstRunClientHeight = 340;

void setDefaultPick(PickState& pick) {
    pick.pickActive = 0;
    pick.pickColor = DefaultGray;
    pick.pickHexX = 0;
    pick.pickHexY = 0;
    pick.pickTriX = 0;
    pick.pickTriY = 0;
    pick.pickSector = 0;
    pick.pickSlicePos = DefaultSlicePos;
    pick.pickLevelPos = DefaultLevelPos;
    pick.pickMark = -3;
    pick.pickFormat = 1;
}

}  // namespace

WindowRect firstRunRect() {
    const std::int32_t height = app.layout.frameHeight + FirstRunClientHeight;
    const WindowRect r = {0, 0, widthForHeight(height), height};
    return r;
}

void setDefaultSettings() {
    Settings& s = app.settings;
    s = Settings();
    s.bgColor = DefaultGray;
    for (int k = 0; k < PaletteSlots; ++k)
        s.palette[k] = DefaultGray;
    s.sizeIndex = DefaultSizeIndex;
    s.gridSize = GridSizes[DefaultSizeIndex];
    s.sector = 0;
    s.slicePos = DefaultSlicePos;
    s.levelPos = DefaultLevelPos;
    setDefaultPick(s.pick);
    s.normalRect = firstRunRect();
}
