#include "app/state.h"

#include "app/sizing.h"

AppState app;

const int GridSizes[GridSizeCount] = {4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128};

namespace {

const std::int32_t DefaultSizeIndex = 2;
const std::int32_t DefaultLevelPos = 2048;   // white centre
const std::int32_t DefaultSlicePos = 512;    // middle of the side
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

    // The first window is sized for the default grid, at the proportion the
    // charts need, so the first WM_SIZE already matches what sizing enforces.
    const std::int32_t height = app.layout.frameHeight + FirstRunClientHeight;
    s.normalRect.left = 0;
    s.normalRect.top = 0;
    s.normalRect.right = widthForHeight(height);
    s.normalRect.bottom = height;
}
