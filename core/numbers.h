// The arithmetic every floor shares: rounding, the square roots of the
// charts' geometry, and positions kept in 1/1024 of the grid size.
#pragma once

// Rounding half away from zero, used wherever the charts round a real value.
inline int roundHalfAway(double x) {
    return (int)(x < 0 ? x - 0.5 : x + 0.5);
}

const double Sqrt3 = 1.7320508075688772;
const double HalfSqrt3 = 0.8660254037844386;

// The level and the slice are kept as fractions of N, in 1/1024 of it, so
// that a change of grid size leaves them where they were.
const int PositionScale = 1024;
// The level runs from 0 to 2N: its position from 0 to twice the scale.
const int MaxLevelPos = 2 * PositionScale;

// The whole level or slice of grid size n that a position stands for.
inline int indexOfPosition(int position, int n) {
    return roundHalfAway((double)n * position / PositionScale);
}

// The position that stores a whole level or slice of grid size n.
inline int positionOfIndex(int index, int n) {
    return index * PositionScale / n;
}
