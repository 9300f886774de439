#include "pick/locate.h"

#include <cmath>

#include "core/state.h"

namespace {

const double RootHalf = 0.7071067811865476;       // sqrt(1/2)
const double RootTwoThirds = 0.816496580927726;   // sqrt(2/3)
const double RootSixth = 0.408248290463863;       // 1/sqrt(6), half the above
const int EveryLevel = -1;
const std::int8_t NoSector = -1;

struct Projection {
    double u, v;
};

// The point where the ray from the centre through the projection meets the
// hexagon's outline, and how far along the sector's edge it lies.
struct EdgePoint {
    double x, y, along;
};

std::int8_t sectorOf(const Projection& p) {
    // Proportional to G - B and G - R: only their signs count.
    const int a = roundHalfAway(2 * (p.v * ProjSideX) - p.u * ProjRadius);
    const int b = roundHalfAway(2 * (p.v * ProjSideX) + p.u * ProjRadius);
    if (p.u == 0 && p.v == 0)
        return NoSector;
    if (p.u >= 0) {
        if (a > 0)
            return 0;
        if (b > 0)
            return 1;
        return p.u > 0 ? 2 : 3;
    }
    if (a < 0)
        return 3;
    return b >= 0 ? 5 : 4;
}

double hypotenuse(double a, double b) {
    return std::sqrt(a * a + b * b);
}

// Each sector's edge runs from its first vertex; sectors 1 and 4 are the
// vertical edges, where the distance is a plain difference.
EdgePoint edgePointOf(const Projection& p, std::int8_t sector) {
    const double u = p.u;
    const double v = p.v;
    const double bigP = u / ProjSideX + 2 * (v / ProjRadius);
    const double bigQ = 2 * (v / ProjRadius) - u / ProjSideX;
    EdgePoint e{0, 0, 0};
    switch (sector) {
    case 0:
        e.x = 2 * u / bigP;
        e.y = 2 * v / bigP;
        e.along = hypotenuse(ProjRadius - e.y, e.x);
        break;
    case 1:
        e.x = ProjSideX;
        e.y = v * ProjSideX / u;
        e.along = ProjHalfRadius - e.y;
        break;
    case 2:
        e.x = -2 * u / bigQ;
        e.y = -2 * v / bigQ;
        e.along = hypotenuse(ProjSideX - e.x, e.y + ProjHalfRadius);
        break;
    case 3:
        e.x = -2 * u / bigP;
        e.y = -2 * v / bigP;
        e.along = hypotenuse(e.x, e.y + ProjRadius);
        break;
    case 4:
        e.x = -ProjSideX;
        e.y = -ProjSideX * v / u;
        e.along = e.y + ProjHalfRadius;
        break;
    default:
        e.x = 2 * u / bigQ;
        e.y = 2 * v / bigQ;
        e.along = hypotenuse(ProjHalfRadius - e.y, e.x + ProjSideX);
        break;
    }
    return e;
}

// The component that the sector's side keeps at its minimum (red for a
// grey); it places the colour between the triangle's top and bottom edges.
double smallestComponent(std::int8_t sector, double red, double green, double blue) {
    if (sector < 2)
        return red;
    if (sector < 4)
        return green;
    return blue;
}

// The slope of the line from the apex to the triangle end names the level.
int levelPosOf(const PickState& pick) {
    const Layout& L = app.layout;
    if (pick.pickTriX == L.triLeft)
        return EveryLevel;
    const double dx = pick.pickTriX - L.triLeft;
    const double dy = pick.pickTriY - L.hexCenterY;
    const int r = roundHalfAway((1 - dy / dx) * PositionScale);
    if (r <= 0)
        return 0;
    if (r >= MaxLevelPos)
        return MaxLevelPos;
    return r;
}

}  // namespace

void locatePick() {
    PickState& pick = app.settings.pick;
    if (!pick.pickActive)
        return;
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    const int width = 2 * L.unit * n;
    const double red = redOf(pick.pickColor);
    const double green = greenOf(pick.pickColor);
    const double blue = blueOf(pick.pickColor);

    const Projection p{(blue - red) * RootHalf, green * RootTwoThirds - (red + blue) * RootSixth};
    pick.pickHexX = L.hexCenterX + roundHalfAway((L.hStep * n / ProjSideX) * p.u);
    pick.pickHexY = L.hexCenterY - roundHalfAway((width / ProjRadius) * p.v);

    const std::int8_t sector = sectorOf(p);
    pick.pickSector = sector;
    int chroma = 0;
    if (sector != NoSector) {
        const EdgePoint e = edgePointOf(p, sector);
        pick.pickSlicePos = roundHalfAway(e.along * ProjEdgeScale);
        const double s = std::sqrt((p.u * p.u + p.v * p.v) / (e.x * e.x + e.y * e.y));
        chroma = roundHalfAway(width * s);
    }
    pick.pickTriX = L.triLeft + width - chroma;
    const double least = smallestComponent(sector, red, green, blue);
    const int fromTop = roundHalfAway((4 * L.unit * n) * (least / 255));
    pick.pickTriY = L.hexCenterY + width - chroma - fromTop;
    pick.pickLevelPos = levelPosOf(pick);
}
