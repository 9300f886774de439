// The one application-wide state record. Everything here is plain data that
// the model code reads and writes directly; it never includes windows.h, so the
// colour models, layout and formats build and are tested natively on Linux.
// The Windows handles and drawing objects live beside it in core/shell_win.h.
#pragma once

#include <cstdint>

#include "core/numbers.h"

#if defined(_WIN32)
// Identical to the Windows typedef (DWORD is unsigned long on every Windows
// compiler), so this header and windows.h can be included in either order.
typedef unsigned long COLORREF;
#else
typedef std::uint32_t COLORREF;
#endif

// 0x00BBGGRR, red in the low byte. Each channel is kept to its byte.
inline COLORREF makeColor(int red, int green, int blue) {
    return (COLORREF)((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline int redOf(COLORREF c) { return (int)(c & 0xFF); }
inline int greenOf(COLORREF c) { return (int)((c >> 8) & 0xFF); }
inline int blueOf(COLORREF c) { return (int)((c >> 16) & 0xFF); }

const int GridSizeCount = 11;
extern const int GridSizes[GridSizeCount];
// Grid size 8: the first run's, and what a size index out of range falls back to.
const int DefaultSizeIndex = 2;

// The client area keeps this much height beside the hexagon's 4N + 2 half-rows.
const int ChartMarginHeight = 96;

const int PaletteSlots = 16;
const COLORREF DefaultGray = 0xC8C8C8;

inline bool isSlot(int k) { return k >= 0 && k < PaletteSlots; }

struct WindowRect {
    std::int32_t left, top, right, bottom;
};

struct ClientPoint {
    std::int32_t x, y;
};

// Hit codes: 0..15 are palette slots.
typedef std::uint8_t HitCode;
const HitCode HitReadoutPanel = 100;
const HitCode HitTriangleDot = 103;
const HitCode HitHexagonDot = 106;
const HitCode HitNothing = 253;
const HitCode HitReadoutText = 254;
const HitCode HitMarkerZone = 255;

struct PickState {
    std::uint8_t pickActive;
    COLORREF pickColor;
    std::int32_t pickHexX, pickHexY;
    std::int32_t pickTriX, pickTriY;
    std::int8_t pickSector;        // -1 for a grey
    std::int32_t pickSlicePos;     // 0..1020
    std::int32_t pickLevelPos;     // 0..2048, -1 when every level shows the colour
    std::int8_t pickMark;          // overlay state, negative while hidden
    std::uint8_t pickFormat;       // 0 decimal, 1 hexadecimal
};

struct Settings {
    WindowRect normalRect;         // the window placement's rcNormalPosition
    std::int32_t sizeIndex;        // 0..10 into GridSizes
    std::int32_t gridSize;         // N, derived from sizeIndex
    std::int32_t levelPos;         // level in 1/1024 of N, 0..2048
    std::int8_t sector;            // 0..5
    std::int32_t slicePos;         // slice in 1/1024 of N
    COLORREF bgColor;
    COLORREF palette[PaletteSlots];
    PickState pick;
};

struct Layout {
    std::int32_t frameWidth, frameHeight;
    WindowRect workArea;
    std::int32_t clientWidth, clientHeight;
    std::int32_t comboBottom;

    std::int32_t unit;
    std::int32_t dotRadius;
    std::int32_t hStep;
    std::int32_t markerSize, markerHalf, markerSpan;
    std::int32_t hexCenterX, hexCenterY;
    std::int32_t stripBottom, stripTop;
    std::int32_t triLeft;
    std::int32_t stripRight, stripLeft;
    double swatchWidth;
    std::int32_t panelLeft, panelRight, panelTop, panelBottom;
    std::int32_t minTrackHeight, minTrackWidth;
    // The widest the system lets the window be (0: no limit known). Windows
    // holds a sizable window to its maximum tracking size whatever its
    // window procedure asks for.
    std::int32_t maxTrackWidth;
};

struct ChartState {
    double colorStep;              // 255 / N
    double halfColorStep;          // 255 / 2N
    std::int32_t level;            // 0..2N
    std::int32_t centerGray;
    double grayStep;
    std::int32_t slice;            // 0..N-1, or N after a jump to a pick
    std::int32_t hueR, hueG, hueB;
    double tintStepR, tintStepG, tintStepB;
};

// What a press of the left button does now, and so which cursor shows: the
// ordinary arrow, a press on a marker zone, a colour carried to a slot, a
// gradient spread from one slot to another.
enum DragMode { DragIdle, DragOverMarkerZone, DragColor, DragGradient, DragModeCount };

struct Interaction {
    COLORREF hoverColor;
    std::uint8_t mouseInside;
    DragMode dragMode;
    std::int32_t dragSlot;
    COLORREF dragColor;
    std::int32_t dragLineX0, dragLineX1, dragLineY1;
    std::uint8_t markerLineShown;  // the inverted marker line is on the screen
};

struct AppState {
    Settings settings;
    Layout layout;
    ChartState chart;
    Interaction interaction;
};

extern AppState app;
