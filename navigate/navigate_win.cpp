#include "navigate/navigate_win.h"

#include "core/shell_win.h"
#include "chart/hexagon.h"
#include "chart/paint_win.h"
#include "chart/triangle.h"
#include "navigate/navigation.h"
#include "paint/draw_win.h"
#include "pick/overlay_win.h"

namespace {

int toPosition(int value) { return positionOfIndex(value, app.settings.gridSize); }

int fromPosition(int position) { return indexOfPosition(position, app.settings.gridSize); }

bool holdsCapture() {
    return shell.mainWindow != NULL && GetCapture() == shell.mainWindow;
}

// R2_NOT inverts whatever lies under the stroke, so drawing the same line a
// second time restores every pixel; only the pen's width matters.
void drawMarkerLine() {
    const Interaction& in = app.interaction;
    invertLine(in.dragLineX0 - 1, app.layout.hexCenterY - 1, in.dragLineX1, in.dragLineY1,
               gdi.whitePen9);
}

}  // namespace

void setLevel(int level, bool updateOverlay) {
    if (level == app.chart.level)
        return;
    drawLevelMarker(InkErase);
    app.settings.levelPos = toPosition(level);
    updateLevel();
    drawLevelMarker(InkDraw);
    paintHexagon();
    if (updateOverlay) {
        std::int8_t& mark = app.settings.pick.pickMark;
        mark = levelTransition(mark);
        drawPickOverlay(mark);
    }
}

void setSlice(std::int8_t sector, int slice, bool updateOverlay) {
    if (sector == app.settings.sector && slice == app.chart.slice)
        return;
    drawSliceMarker(InkErase);
    app.settings.sector = sector;
    app.settings.slicePos = toPosition(slice);
    updateHue();
    drawSliceMarker(InkDraw);
    paintTriangle();
    if (updateOverlay) {
        std::int8_t& mark = app.settings.pick.pickMark;
        mark = sliceTransition(mark);
        drawPickOverlay(mark);
    }
}

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

// The line is shown exactly while markerLineShown is set; the capture is
// taken with it, but may be taken away by others before the line goes.
void markerLine(MarkerLine mode) {
    Interaction& in = app.interaction;
    if (mode == LineHide) {
        if (!in.markerLineShown)
            return;
        // Cleared first: ReleaseCapture sends WM_CAPTURECHANGED, which comes
        // back here.
        in.markerLineShown = 0;
        drawMarkerLine();
        if (holdsCapture())
            ReleaseCapture();
        return;
    }
    if (in.markerLineShown)
        return;  // the line of the press before is still shown
    SetCapture(shell.mainWindow);
    markerLineEnds(mode);
    drawMarkerLine();
    in.markerLineShown = 1;
}
