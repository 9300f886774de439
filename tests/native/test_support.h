// Set-ups and comparisons that several native test files need: a fresh
// state laid out for a grid size and client size, the hand-set 900 x 600
// layout of the worked examples, level and hue positions as navigation
// stores them, and field-by-field comparisons of the persisted records.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "app/sizing.h"
#include "app/defaults.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "app/relayout.h"

// ---- fresh states and layouts -------------------------------------------------

inline int sizeIndexOf(int gridSize) {
    for (int k = 0; k < GridSizeCount; ++k)
        if (GridSizes[k] == gridSize)
            return k;
    return -1;
}

// The client height at which the layout's unit is exactly `unit`.
inline int clientHeightForUnit(int gridSize, int unit) {
    return 96 + (4 * gridSize + 2) * unit;
}

// A fresh state with first-run settings at the given grid size and the
// frame measured as given, as start-up leaves it before the first layout.
inline void freshState(int gridSize, int frameWidth = 0, int frameHeight = 0) {
    app = AppState();
    app.layout.frameWidth = frameWidth;
    app.layout.frameHeight = frameHeight;
    setDefaultSettings();
    app.settings.sizeIndex = sizeIndexOf(gridSize);
    app.settings.gridSize = gridSize;  // widthForHeight reads it
}

// A fresh state laid out by relayout for a client area of W x H.
inline void layoutAt(int gridSize, int clientWidth, int clientHeight,
                     int frameWidth = 0, int frameHeight = 0) {
    freshState(gridSize, frameWidth, frameHeight);
    app.layout.clientWidth = clientWidth;
    app.layout.clientHeight = clientHeight;
    relayout();
}

// A fresh state laid out for a window of the proportional width at the
// height that gives exactly `unit`.
inline void layoutProportional(int gridSize, int unit, int frameWidth = 0, int frameHeight = 0) {
    freshState(gridSize, frameWidth, frameHeight);
    app.layout.clientHeight = clientHeightForUnit(gridSize, unit);
    app.layout.clientWidth = widthForHeight(frameHeight + app.layout.clientHeight) - frameWidth;
    relayout();
}

// Both charts' colour scales from the stored level and hue positions.
inline void updateCharts() {
    updateLevel();
    updateHue();
}

// A fresh state with only the metrics that locate and draw the charts,
// set by hand so that the tests using them do not rest on computeLayout.
inline void useHandLayout(int gridSize, int unit, int hStep, int hexCenterX, int hexCenterY,
                          int triLeft) {
    app = AppState();
    setDefaultSettings();
    app.settings.gridSize = gridSize;
    app.layout.unit = unit;
    app.layout.hStep = hStep;
    app.layout.hexCenterX = hexCenterX;
    app.layout.hexCenterY = hexCenterY;
    app.layout.triLeft = triLeft;
}

// The 900 x 600 client area at grid size 8 with every metric computeLayout
// gives it (layout_test checks those), set by hand: unit 14, hStep 24,
// hexagon centre (254, 300), triLeft 614, strip 377..780 and 550..592,
// panel 528..679 and 46..112. The hexagon's outline has its vertices at
// (254, 76), (446, 188), (446, 412), (254, 524), (62, 412) and (62, 188).
// The charts show the first-run level and hue.
inline void useLayout900x600() {
    useHandLayout(8, 14, 24, 254, 300, 614);
    app.settings.sizeIndex = 2;
    Layout& L = app.layout;
    L.clientWidth = 900;
    L.clientHeight = 600;
    L.dotRadius = 14;
    L.markerSize = 14;
    L.markerHalf = 8;
    L.markerSpan = 16;
    L.stripBottom = 592;
    L.stripTop = 550;
    L.stripRight = 780;
    L.stripLeft = 377;
    L.swatchWidth = 25.1875;
    L.panelLeft = 528;
    L.panelRight = 679;
    L.panelTop = 46;
    L.panelBottom = 112;
    app.chart.colorStep = 255.0 / 8;
    app.chart.halfColorStep = 255.0 / 16;
    updateCharts();
}

// ---- level and hue positions ----------------------------------------------------

inline void atLevelPos(int levelPos) {
    app.settings.levelPos = levelPos;
    updateLevel();
}

// Level `level` stored as navigation stores it; the chart must read it back.
inline void atLevel(int level) {
    atLevelPos(level * 1024 / app.settings.gridSize);
    ASSERT_EQ(level, app.chart.level);
}

inline void atHue(int sector, int slicePos) {
    app.settings.sector = (std::int8_t)sector;
    app.settings.slicePos = slicePos;
    updateHue();
}

// Slice `slice` of `sector` stored as navigation stores it; the chart must
// read it back.
inline void atSlice(int sector, int slice) {
    atHue(sector, slice * 1024 / app.settings.gridSize);
    ASSERT_EQ(slice, app.chart.slice);
}

// ---- comparisons ------------------------------------------------------------------

inline void expectRect(const WindowRect& actual, const WindowRect& expected) {
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

inline void expectPoint(const ClientPoint& actual, int x, int y) {
    EXPECT_EQ(x, actual.x);
    EXPECT_EQ(y, actual.y);
}

inline void expectSamePick(const PickState& expected, const PickState& actual) {
    EXPECT_EQ(expected.pickActive, actual.pickActive);
    EXPECT_EQ(expected.pickColor, actual.pickColor);
    EXPECT_EQ(expected.pickHexX, actual.pickHexX);
    EXPECT_EQ(expected.pickHexY, actual.pickHexY);
    EXPECT_EQ(expected.pickTriX, actual.pickTriX);
    EXPECT_EQ(expected.pickTriY, actual.pickTriY);
    EXPECT_EQ(expected.pickSector, actual.pickSector);
    EXPECT_EQ(expected.pickSlicePos, actual.pickSlicePos);
    EXPECT_EQ(expected.pickLevelPos, actual.pickLevelPos);
    EXPECT_EQ(expected.pickMark, actual.pickMark);
    EXPECT_EQ(expected.pickFormat, actual.pickFormat);
}

// Every field the settings file holds (gridSize is derived, not stored).
inline void expectSameSettings(const Settings& expected, const Settings& actual) {
    expectRect(actual.normalRect, expected.normalRect);
    EXPECT_EQ(expected.sizeIndex, actual.sizeIndex);
    EXPECT_EQ(expected.levelPos, actual.levelPos);
    EXPECT_EQ(expected.sector, actual.sector);
    EXPECT_EQ(expected.slicePos, actual.slicePos);
    EXPECT_EQ(expected.bgColor, actual.bgColor);
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected.palette[k], actual.palette[k]) << "slot " << k;
    expectSamePick(expected.pick, actual.pick);
}

// The first-run values without a frame, written out here so that the tests
// stand on their own rather than on setDefaultSettings.
inline Settings firstRunSettings() {
    Settings s;
    std::memset(&s, 0, sizeof s);
    s.normalRect = {0, 0, 476, 340};
    s.sizeIndex = 2;
    s.gridSize = 8;
    s.levelPos = 2048;
    s.sector = 0;
    s.slicePos = 512;
    s.bgColor = DefaultGray;
    for (COLORREF& slot : s.palette)
        slot = DefaultGray;
    s.pick.pickActive = 0;
    s.pick.pickColor = DefaultGray;
    s.pick.pickSector = 0;
    s.pick.pickSlicePos = 512;
    s.pick.pickLevelPos = 2048;
    s.pick.pickMark = -3;
    s.pick.pickFormat = 1;
    return s;
}
