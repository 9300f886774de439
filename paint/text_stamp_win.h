// Outlined texts that are drawn again and again unchanged (the palette
// letters, the glyphs) as pictures for the default painter. Each text's picture
// is learnt once: drawn with GDI, exactly as drawOutlinedText draws it, onto
// two different backgrounds in a small bitmap. A pixel that differs from
// both backgrounds and is the same in both pictures is one the text sets;
// one that shows the background is one it leaves alone. Copying the set
// pixels into the back buffer then leaves what GDI would have left. A text
// that GDI blends with what lies beneath (antialiased glyphs) cannot be
// learnt that way: for it the pixels before and after the last drawing are
// kept, and repeated only over exactly the same pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/shell_win.h"

// Pixels dx .. dx + length - 1 of row dy, relative to the text's (x, y);
// their values start at pixels[first].
struct TextRun {
    int dy;
    int dx;
    int length;
    std::size_t first;
};

// How a text's picture can be repeated.
enum StampKind {
    // The text sets its pixels whatever lies beneath: copy the runs.
    SetsItsPixels,
    // GDI blends the text with what lies beneath (antialiased glyphs): what
    // it left over one particular beneath is kept and repeated over exactly
    // that beneath; over anything else the text is drawn with GDI again.
    BlendsWithBeneath,
    // Not learnt (no bitmap, or the text reached the learning bitmap's edge).
    AlwaysDrawn,
    // Drawn once so far, with GDI: a text is learnt when it comes again, so
    // that one drawn only once (at start-up, say) costs no more than GDI.
    SeenOnce,
};

struct TextStamp {
    LOGFONTW font;
    std::uint8_t mode;
    COLORREF background;   // mode 1 only: mode 0 never shows it
    std::wstring text;
    StampKind kind;
    int left, top, right, bottom;   // box of every pixel the text may touch, relative to (x, y)
    std::vector<TextRun> runs;
    std::vector<std::uint32_t> pixels;
    // BlendsWithBeneath: the box's pixels before and after the last drawing.
    std::vector<std::uint32_t> before, after;
};

// Puts the outlined text into the back buffer from its learnt picture.
// False when the caller is to draw it with GDI: the back buffer is not in
// use, there are no bits to write, the text's picture could not be learnt,
// or a blended text reaches past the buffer's edge.
bool stampOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text);
