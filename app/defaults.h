// The state of a first run: what every persisted field holds before a
// settings file is read, and the window's first rectangle.
#pragma once

#include "core/state.h"

// Sets every persisted field to its first-run value, the window rectangle
// to firstRunRect(): layout.frameWidth and frameHeight must be measured first.
void setDefaultSettings();

// (0, 0, widthForHeight(H0), H0) with H0 = frameHeight + 340: the first
// window holds the current grid at the proportion the charts need, so its
// first WM_SIZE already matches what sizing enforces.
WindowRect firstRunRect();
