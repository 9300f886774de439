#include "paint/text_stamp_win.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "paint/painter_state_win.h"
#include "paint/pixel_bitmap_win.h"

namespace {

// Enough for the sixteen letters and the two glyphs under a few backgrounds;
// past it everything is learnt afresh.
const std::size_t MaxTextStamps = 64;

// Two backgrounds unlike each other and unlike white and black.
const COLORREF FirstBackground = RGB(0x12, 0x9A, 0x5C);
const COLORREF SecondBackground = RGB(0xE3, 0x41, 0xB7);

bool sameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
           std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

bool matches(const TextStamp& s, const LOGFONTW& font, std::uint8_t mode, COLORREF background,
             const wchar_t* text) {
    return s.mode == mode && s.background == background && sameFont(s.font, font) &&
           s.text == text;
}

// Draws the text at (margin, margin) over a plain background and returns
// the picture.
std::vector<std::uint32_t> drawOnBackground(ScratchBitmap& c, COLORREF fill, int margin,
                                            const TextStamp& s, HFONT font) {
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, c.width, c.height};
    FillRect(c.dc, &all, brush);
    DeleteObject(brush);
    drawOutlinedTextOn(c.dc, s.background, s.mode, margin, margin, font, s.text.c_str());
    GdiFlush();
    return std::vector<std::uint32_t>(c.bits, c.bits + (std::size_t)c.width * c.height);
}

void widenBox(TextStamp& s, int dy, int dx, int length) {
    if (s.right <= s.left) {
        s.left = dx;
        s.right = dx + length;
        s.top = dy;
    }
    s.left = dx < s.left ? dx : s.left;
    s.right = dx + length > s.right ? dx + length : s.right;
    s.bottom = dy + 1;
}

void addRun(TextStamp& s, int dy, int dx, int length, const std::uint32_t* values) {
    const TextRun run = {dy, dx, length, s.pixels.size()};
    s.runs.push_back(run);
    s.pixels.insert(s.pixels.end(), values, values + length);
}

// Compares the two pictures pixel by pixel: a pixel that shows each
// picture's background is left alone, one that is the same in both is set,
// any other has the background mixed in. Gives AlwaysDrawn if the text
// reaches the canvas's edge: the margin was too small to see all of it.
StampKind readRuns(TextStamp& s, const std::vector<std::uint32_t>& first,
                   const std::vector<std::uint32_t>& second, int width, int height, int margin) {
    const std::uint32_t firstBackground = first[0];
    const std::uint32_t secondBackground = second[0];
    if (firstBackground == secondBackground)
        return AlwaysDrawn;
    bool blends = false;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* a = &first[(std::size_t)y * width];
        const std::uint32_t* b = &second[(std::size_t)y * width];
        int x = 0;
        while (x < width) {
            const int start = x;
            while (x < width && !(a[x] == firstBackground && b[x] == secondBackground)) {
                blends = blends || a[x] != b[x];
                ++x;
            }
            if (x > start) {
                if (y == 0 || y == height - 1 || start == 0 || x == width)
                    return AlwaysDrawn;
                widenBox(s, y - margin, start - margin, x - start);
                addRun(s, y - margin, start - margin, x - start, a + start);
            }
            while (x < width && a[x] == firstBackground && b[x] == secondBackground)
                ++x;
        }
    }
    return blends ? BlendsWithBeneath : SetsItsPixels;
}

void learnTextStamp(TextStamp& s, HFONT font) {
    s.kind = AlwaysDrawn;
    HDC probe = CreateCompatibleDC(NULL);
    if (!probe)
        return;
    const HGDIOBJ oldFont = SelectObject(probe, font);
    SIZE extent = {0, 0};
    TEXTMETRICW metrics = {};
    const bool measured = GetTextExtentPoint32W(probe, s.text.c_str(), (int)s.text.size(), &extent) &&
                          GetTextMetricsW(probe, &metrics);
    SelectObject(probe, oldFont);
    DeleteDC(probe);
    if (!measured)
        return;
    // Glyphs may reach well outside their cells (overhangs, italics, a
    // substituted face); a margin of a whole line height on every side
    // leaves them room, and the edge check in readRuns catches the rest.
    const int margin = metrics.tmHeight + 2;
    ScratchBitmap canvas;
    if (!openScratchBitmap(canvas, extent.cx + 2 * margin, extent.cy + 2 * margin))
        return;
    const std::vector<std::uint32_t> first = drawOnBackground(canvas, FirstBackground, margin, s, font);
    const std::vector<std::uint32_t> second =
        drawOnBackground(canvas, SecondBackground, margin, s, font);
    const int width = canvas.width;
    const int height = canvas.height;
    closeScratchBitmap(canvas);
    s.kind = readRuns(s, first, second, width, height, margin);
    if (s.kind != SetsItsPixels) {
        s.runs.clear();
        s.pixels.clear();
    }
}

// The entry for the text, made (not yet learnt) if there was none.
TextStamp& textStampFor(std::uint8_t mode, HFONT font, const wchar_t* text, bool& made) {
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    const COLORREF background = mode == 0 ? 0 : app.settings.bgColor;
    made = false;
    for (TextStamp& s : painter.textStamps) {
        if (matches(s, logFont, mode, background, text))
            return s;
    }
    made = true;
    if (painter.textStamps.size() >= MaxTextStamps)
        painter.textStamps.clear();
    painter.textStamps.push_back(TextStamp());
    TextStamp& s = painter.textStamps.back();
    s.font = logFont;
    s.mode = mode;
    s.background = background;
    s.text = text;
    s.left = s.top = s.right = s.bottom = 0;
    s.kind = SeenOnce;
    return s;
}

void writeRuns(const TextStamp& s, int x, int y) {
    for (const TextRun& run : s.runs) {
        const int start = x + run.dx;
        int from = start;
        int to = start + run.length;
        std::uint32_t* p = bufferRowSpan(y + run.dy, from, to);
        const std::uint32_t* value = &s.pixels[run.first] + (from - start);
        for (int k = from; p && k < to; ++k)
            p[k] = *value++;
    }
}

// What drawing the text with GDI leaves selected and set in the DC.
void leaveDCAsDrawingWould(HFONT font) {
    HDC dc = shell.drawingDC;
    SelectObject(dc, font);
    SetBkColor(dc, app.settings.bgColor);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
}

bool boxInsideBuffer(const TextStamp& s, int x, int y) {
    const BackBuffer& b = painter.buffer;
    return x + s.left >= 0 && y + s.top >= 0 && x + s.right <= b.width && y + s.bottom <= b.height;
}

void copyBoxOut(const TextStamp& s, int x, int y, std::vector<std::uint32_t>& out) {
    const BackBuffer& b = painter.buffer;
    const int width = s.right - s.left;
    out.resize((std::size_t)width * (s.bottom - s.top));
    for (int row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* from = b.bits + (std::size_t)(y + row) * b.width + x + s.left;
        std::memcpy(&out[(std::size_t)(row - s.top) * width], from, width * sizeof(std::uint32_t));
    }
}

bool boxHolds(const TextStamp& s, int x, int y, const std::vector<std::uint32_t>& pixels) {
    const BackBuffer& b = painter.buffer;
    const int width = s.right - s.left;
    if (pixels.size() != (std::size_t)width * (s.bottom - s.top))
        return false;
    for (int row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* at = b.bits + (std::size_t)(y + row) * b.width + x + s.left;
        if (std::memcmp(&pixels[(std::size_t)(row - s.top) * width], at, width * sizeof(std::uint32_t)) != 0)
            return false;
    }
    return true;
}

void copyBoxIn(const TextStamp& s, int x, int y, const std::vector<std::uint32_t>& pixels) {
    const BackBuffer& b = painter.buffer;
    const int width = s.right - s.left;
    for (int row = s.top; row < s.bottom; ++row) {
        std::uint32_t* to = b.bits + (std::size_t)(y + row) * b.width + x + s.left;
        std::memcpy(to, &pixels[(std::size_t)(row - s.top) * width], width * sizeof(std::uint32_t));
    }
}

// Over the beneath it was last drawn on, the text leaves what it left then;
// over anything else GDI draws it, and what it leaves is kept.
void repeatOrDraw(TextStamp& s, std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text) {
    if (boxHolds(s, x, y, s.before)) {
        copyBoxIn(s, x, y, s.after);
        leaveDCAsDrawingWould(font);
        return;
    }
    copyBoxOut(s, x, y, s.before);
    drawOutlinedTextByGdi(mode, x, y, font, text);
    GdiFlush();
    copyBoxOut(s, x, y, s.after);
}

}  // namespace

bool stampOutlinedText(std::uint8_t mode, int x, int y, HFONT font, const wchar_t* text) {
    if (!drawingIntoBuffer())
        return false;
    bool made = false;
    TextStamp& s = textStampFor(mode, font, text, made);
    if (made)
        return false;   // the first time it is drawn by the caller
    if (s.kind == SeenOnce)
        learnTextStamp(s, font);
    if (s.kind == AlwaysDrawn)
        return false;
    // GDI's own drawing into the buffer must be finished before the bits
    // are read or written.
    GdiFlush();
    if (s.kind == BlendsWithBeneath) {
        if (!boxInsideBuffer(s, x, y))
            return false;
        repeatOrDraw(s, mode, x, y, font, text);
    } else {
        leaveDCAsDrawingWould(font);
        writeRuns(s, x, y);
    }
    if (s.right > s.left)
        markDrawn(x + s.left, y + s.top, x + s.right, y + s.bottom);
    return true;
}
