// The readout panel at the top of the client area, and the outlined text that
// every label drawn over the background uses.
#pragma once

#include <cstdint>

#include "app/shell_win.h"

// The value formats for wsprintfW with red, green and blue, indexed by
// pickFormat (0 decimal, 1 hexadecimal): the hover value and the picked value.
extern const wchar_t HoverFormats[2][32];
extern const wchar_t PickFormats[2][32];

// Black text with a one-pixel white halo, its top-left corner at (x, y).
// Mode 0 draws every copy transparent; mode 1 draws the first white copy
// opaque on bgColor, which wipes out whatever text stood there before.
void drawOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);

// The same onto any DC, with the given colour for mode 1's opaque copy.
void drawOutlinedTextOn(HDC dc, COLORREF background, std::uint8_t mode, int x, int y,
                        HFONT font, const wchar_t* text);

// drawOutlinedText for a text drawn again and again unchanged (the palette
// letters, the glyphs): under the fast painter its picture is learnt once
// and then copied into the back buffer.
void drawOutlinedLabel(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);

// hoverOnly 0 repaints the whole panel: the strip above it, the swatch, the
// picked half, the text rows and the frame. hoverOnly 1 refreshes only what
// depends on the hover colour.
void paintReadoutPanel(std::uint8_t hoverOnly);
