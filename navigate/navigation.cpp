#include "navigate/navigation.h"

#include "navigate/hit_test.h"

namespace {

const int SectorCount = 6;
// A coarse step moves by half of the position range, a quarter of the
// level range.
const int CoarseStep = PositionScale / 2;

int clampTo(int v, int low, int high) {
    if (v < low)
        return low;
    if (v > high)
        return high;
    return v;
}

std::int8_t nextSector(std::int8_t s) {
    return (std::int8_t)((s + 1) % SectorCount);
}

std::int8_t previousSector(std::int8_t s) {
    return (std::int8_t)((s + SectorCount - 1) % SectorCount);
}

// The integer level or slice that a 1/1024 position stands for.
int positionToIndex(int pos) {
    return indexOfPosition(pos, app.settings.gridSize);
}

void fineSliceStep(bool forward, std::int8_t& sector, int& slice) {
    const int n = app.settings.gridSize;
    if (forward) {
        slice = app.chart.slice + 1;
        if (slice >= n) {
            slice = 0;
            sector = nextSector(sector);
        }
        return;
    }
    slice = app.chart.slice - 1;
    if (slice < 0) {
        slice = n - 1;
        sector = previousSector(sector);
    }
}

// Coarse steps stop only at the sector vertices and the middles of the
// sides.
void coarseSliceStep(bool forward, std::int8_t& sector, int& slice) {
    const int pos = app.settings.slicePos;
    int target = 0;
    if (forward) {
        if (pos < CoarseStep) {
            target = CoarseStep;
        } else {
            sector = nextSector(sector);
        }
    } else if (pos == 0) {
        target = CoarseStep;
        sector = previousSector(sector);
    } else if (pos > CoarseStep) {
        target = CoarseStep;
    }
    slice = positionToIndex(target);
}

// On a vertical side each point goes to the nearest rim dot; the side's
// lower vertex is the first dot of the following sector.
void rimSideTarget(int col, int row, std::int8_t& sector, int& slice) {
    const int n = app.settings.gridSize;
    if (col >= n) {
        const int t = (row + col) / 2;
        sector = t < n ? 1 : 2;
        slice = t < n ? t : 0;
        return;
    }
    const int s = n - (row - col) / 2;
    sector = s < n ? 4 : 5;
    slice = s < n ? s : 0;
}

void rimSlantTarget(int col, int row, std::int8_t& sector, int& slice) {
    const int n = app.settings.gridSize;
    if (row < 0) {
        sector = col >= 0 ? 0 : 5;
        slice = col >= 0 ? col : n + col;
        return;
    }
    sector = col <= 0 ? 3 : 2;
    slice = col <= 0 ? -col : n - col;
}

}  // namespace

std::int8_t levelTransition(std::int8_t mark) {
    switch (mark) {
    case 3: return 2;
    case 1: return 4;
    case -3: return -2;
    case -1: return -4;
    default: return mark;
    }
}

std::int8_t sliceTransition(std::int8_t mark) {
    switch (mark) {
    case 3: return 1;
    case 2: return 4;
    case -3: return -1;
    case -2: return -4;
    default: return mark;
    }
}

int stepLevelTarget(int direction, bool coarse) {
    const int top = 2 * app.settings.gridSize;
    if (!coarse)
        return clampTo(app.chart.level + direction, 0, top);
    // Keeps any offset of levelPos from a multiple of 512 until a bound
    // clamps it.
    const int pos = clampTo(app.settings.levelPos + CoarseStep * direction, 0, MaxLevelPos);
    return positionToIndex(pos);
}

void stepSliceTarget(int direction, bool coarse, std::int8_t& sector, int& slice) {
    const bool forward = direction < 0;
    sector = app.settings.sector;
    if (coarse)
        coarseSliceStep(forward, sector, slice);
    else
        fineSliceStep(forward, sector, slice);
}

void rimPointTarget(int x, int y, std::int8_t& sector, int& slice) {
    projectToRim(x, y);
    int col = 0;
    int row = 0;
    gridCell(x, y, col, row);
    const int n = app.settings.gridSize;
    if (col >= n || col <= -n)
        rimSideTarget(col, row, sector, slice);
    else
        rimSlantTarget(col, row, sector, slice);
}

ClientPoint rimDot(int sector, int slice) {
    const Layout& L = app.layout;
    const int n = app.settings.gridSize;
    const int u = L.unit;
    const int cx = L.hexCenterX;
    const int cy = L.hexCenterY;
    const int f = slice;
    switch (sector) {
    case 0: return ClientPoint{cx + f * L.hStep, cy - 2 * n * u + f * u};
    case 1: return ClientPoint{cx + n * L.hStep, cy - n * u + 2 * f * u};
    case 2: return ClientPoint{cx + (n - f) * L.hStep, cy + n * u + f * u};
    case 3: return ClientPoint{cx - f * L.hStep, cy + 2 * n * u - f * u};
    case 4: return ClientPoint{cx - n * L.hStep, cy + n * u - 2 * f * u};
    default: return ClientPoint{cx - (n - f) * L.hStep, cy - n * u - f * u};
    }
}

void markerLineEnds(int mode) {
    const Layout& L = app.layout;
    Interaction& drag = app.interaction;
    const int n = app.settings.gridSize;
    if (mode == LineLevel) {
        // From the apex to the base dot level with the level marker.
        drag.dragLineX0 = L.triLeft;
        drag.dragLineX1 = L.triLeft + 2 * L.unit * n;
        drag.dragLineY1 = L.hexCenterY + 2 * L.unit * (n - app.chart.level) - 1;
    } else if (mode == LineSlice) {
        // From the hexagon's centre to the current rim dot, one pixel up and
        // left, where the slice marker's tip would be without clearance.
        const ClientPoint end = rimDot(app.settings.sector, app.chart.slice);
        drag.dragLineX0 = L.hexCenterX;
        drag.dragLineX1 = end.x - 1;
        drag.dragLineY1 = end.y - 1;
    }
}
