#include "app/sizing_win.h"

#include "app/relayout.h"
#include "app/scene_win.h"
#include "app/settings_win.h"
#include "app/sizing.h"
#include "core/shell_win.h"

// The work area measured at start-up is the primary monitor's: a window on
// another monitor would be cut to the primary's height, or pulled onto its
// top edge, by a step or a stretch to the full height.
void useWorkAreaOf(const RECT& r) {
    const WindowRect w = {r.left, r.top, r.right, r.bottom};
    app.layout.workArea = workAreaFor(w);
}

void stepWindowHeight(int direction) {
    RECT r;
    GetWindowRect(shell.mainWindow, &r);
    useWorkAreaOf(r);
    const WindowRect windowRect = {r.left, r.top, r.right, r.bottom};
    int clientHeight = app.layout.clientHeight;
    int top = r.top;
    stepHeightTarget(direction, windowRect, clientHeight, top);
    // Set ahead of the WM_SIZE that follows, so the next step starts from it.
    app.layout.clientHeight = clientHeight;
    const int height = app.layout.frameHeight + clientHeight;
    MoveWindow(shell.mainWindow, r.left, top, widthForHeight(height), height, FALSE);
}

void changeGridSize(int index) {
    if (index < 0 || index >= GridSizeCount)
        return;
    app.settings.sizeIndex = index;
    relayout();
    if (IsZoomed(shell.mainWindow)) {
        // The maximised window keeps its size; the normal rectangle keeps its
        // height and takes the new grid's width for when it is restored.
        shell.placement.length = sizeof(WINDOWPLACEMENT);
        GetWindowPlacement(shell.mainWindow, &shell.placement);
        RECT& normal = shell.placement.rcNormalPosition;
        normal.right = normal.left + widthForHeight(normal.bottom - normal.top);
        SetWindowPlacement(shell.mainWindow, &shell.placement);
    } else {
        RECT r;
        GetWindowRect(shell.mainWindow, &r);
        const int height = app.layout.frameHeight + app.layout.clientHeight;
        MoveWindow(shell.mainWindow, r.left, r.top, widthForHeight(height), height, FALSE);
    }
    invalidateScene(shell.mainWindow);
}
