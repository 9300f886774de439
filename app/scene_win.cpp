#include "app/scene_win.h"

#include "chart/hexagon.h"
#include "chart/paint_win.h"
#include "chart/triangle.h"
#include "navigate/navigation.h"
#include "palette/palette_win.h"
#include "pick/overlay_geometry.h"
#include "pick/overlay_win.h"
#include "pick/readout_win.h"

namespace {

// The palette letters stand this far above the strip.
const int LabelHeight = 20;

void invalidateWithErase(const WindowRect& box) {
    RECT r;
    SetRect(&r, box.left, box.top, box.right, box.bottom);
    InvalidateRect(shell.mainWindow, &r, TRUE);
}

// Requests erase; they never draw.
void invalidateOverlay(std::int8_t request) {
    if (request == OverlayHide)
        invalidateWithErase(lensGlyphBoxAsDrawn());
    if (request != OverlayEraseLine && app.settings.pick.pickActive == 0)
        return;
    invalidateWithErase(pickLineBox());
}

// The line may cross the slice marker, the readout panel or the palette
// labels; those are painted again on top of it.
void paintOverPickLine() {
    const Layout& L = app.layout;
    const WindowRect line = pickLineBox();
    drawSliceMarker(InkDraw);
    if (line.top < L.panelBottom)
        paintReadoutPanel(ReadoutWhole);
    if (line.bottom > L.stripTop - LabelHeight)
        paintPaletteStrip();
}

// The pick mark after a level or hue change, and the overlay it asks for.
void followPickMark(std::int8_t (*transition)(std::int8_t)) {
    std::int8_t& mark = app.settings.pick.pickMark;
    mark = transition(mark);
    drawPickOverlay(mark);
}

}  // namespace

// Everything is drawn whatever the update region: the pieces overlap, and
// the overlay lies between the charts and what it is covered by.
void paintScene() {
    paintHexagon();
    paintTriangle();
    drawPickOverlay(app.settings.pick.pickMark);
    paintReadoutPanel(ReadoutWhole);
    paintPaletteStrip();
    drawSliceMarker(InkDraw);
    drawLevelMarker(InkDraw);
}

void invalidateScene(HWND window) {
    InvalidateRect(window, NULL, TRUE);
}

// No dot moves with a new level or hue: the chart is painted over itself
// without erasing, and only the marker is erased, by drawing it again in the
// background colour.
void setLevel(int level, bool updateOverlay) {
    if (level == app.chart.level)
        return;
    drawLevelMarker(InkErase);
    app.settings.levelPos = positionOfIndex(level, app.settings.gridSize);
    updateLevel();
    drawLevelMarker(InkDraw);
    paintHexagon();
    if (updateOverlay)
        followPickMark(levelTransition);
}

void setSlice(std::int8_t sector, int slice, bool updateOverlay) {
    if (sector == app.settings.sector && slice == app.chart.slice)
        return;
    drawSliceMarker(InkErase);
    app.settings.sector = sector;
    app.settings.slicePos = positionOfIndex(slice, app.settings.gridSize);
    updateHue();
    drawSliceMarker(InkDraw);
    paintTriangle();
    if (updateOverlay)
        followPickMark(sliceTransition);
}

void drawPickOverlay(std::int8_t mark) {
    if (mark < 0)
        return;
    if (mark >= OverlayHide) {
        invalidateOverlay(mark);
        return;
    }
    drawLensGlyph();
    if (app.settings.pick.pickActive == 0)
        return;
    drawPickLineAndRings(mark);
    paintOverPickLine();
}
