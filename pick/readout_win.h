// The readout panel at the top of the client area.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// The value formats for wsprintfW with red, green and blue, indexed by
// pickFormat (0 decimal, 1 hexadecimal): the hover value and the picked value.
extern const wchar_t HoverFormats[2][32];
extern const wchar_t PickFormats[2][32];

// ReadoutWhole repaints the whole panel: the strip above it, the swatch, the
// picked half, the text rows and the frame. ReadoutHover refreshes only what
// depends on the hover colour.
enum ReadoutPart { ReadoutWhole, ReadoutHover };
void paintReadoutPanel(ReadoutPart part);
