#include "pick/overlay_geometry.h"

#include <cmath>

namespace {

// Room for the ring's radius and the width of its white pen.
const int PickBoxMargin = 10;

int smaller(int a, int b) { return a < b ? a : b; }
int larger(int a, int b) { return a > b ? a : b; }

}  // namespace

WindowRect lensGlyphBox(int textWidth, int textHeight) {
    const Layout& L = app.layout;
    const int x = L.panelRight + LensGlyphGap;
    const int y = L.panelTop;
    WindowRect box;
    box.left = smaller(L.panelRight + 2, x - 1);
    box.top = smaller(L.panelTop + 3, y - 1);
    box.right = larger(L.panelRight + 22, x + textWidth + 1);
    box.bottom = larger(L.panelTop + 21, y + textHeight + 1);
    return box;
}

WindowRect pickLineBox() {
    const PickState& pick = app.settings.pick;
    WindowRect box;
    // Normally the hexagon end lies left of the triangle end, but not in a
    // window too narrow for both charts; the box holds the line either way.
    box.left = smaller(pick.pickHexX, pick.pickTriX) - PickBoxMargin;
    box.top = smaller(pick.pickHexY, pick.pickTriY) - PickBoxMargin;
    box.right = larger(pick.pickHexX, pick.pickTriX) + PickBoxMargin;
    box.bottom = larger(pick.pickHexY, pick.pickTriY) + PickBoxMargin;
    return box;
}

void shortenPickLine(ClientPoint& from, ClientPoint& to) {
    const double dx = (double)to.x - from.x;
    const double dy = (double)to.y - from.y;
    const double length = std::sqrt(dy * dy + dx * dx);
    // Ends that coincide (a layout too narrow for both charts) give no
    // direction to shorten along; dividing by the zero length would not do.
    if (length == 0)
        return;
    const double f = PickRingRadius / length;
    const int ox = roundHalfAway(dx * f);
    const int oy = roundHalfAway(dy * f);
    from.x += ox;
    from.y += oy;
    to.x -= ox;
    to.y -= oy;
}
