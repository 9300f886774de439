#include "navigate/marker_line_win.h"

#include "core/shell_win.h"
#include "paint/draw_win.h"

namespace {

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
