// Outlined texts that are drawn again and again unchanged (the palette
// letters, the glyphs) as pictures for the fast painter. Each text's picture
// is learnt once: drawn with GDI, exactly as drawOutlinedText draws it, onto
// two different backgrounds in a small bitmap. A pixel that differs from
// both backgrounds and is the same in both pictures is one the text sets;
// one that shows the background is one it leaves alone. Copying the set
// pixels into the back buffer then leaves what GDI would have left. A text
// that GDI blends with what lies beneath (antialiased glyphs) cannot be
// learnt that way: for it the pixels before and after the last drawing are
// kept, and repeated only over exactly the same pixels.
#pragma once

#include <cstdint>

#include "app/shell_win.h"

// Puts the outlined text into the back buffer from its learnt picture.
// False when the caller is to draw it with GDI: the literal painter is in
// use, there are no bits to write, the text's picture could not be learnt,
// or a blended text reaches past the buffer's edge.
bool stampOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);
