#include "app/settings_format.h"

#include <cstdint>
#include <cstdio>

#include "core/hex_digits.h"

// ---- Writing ---------------------------------------------------------------

// The 8-bit fields are written as the signed value of their byte, so that a
// hidden overlay's pickMark of -3 reads as -3 in the file rather than 253.
static int signedByte(std::uint8_t b) {
    return (int)(std::int8_t)b;
}

static void appendLine(std::string& text, const char* line) {
    text += line;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string formatSettings(const Settings& s) {
    const PickState& p = s.pick;
    char line[200];
    std::string text;
    std::snprintf(line, sizeof line, "%d,%d,%d,%d\n", (int)s.normalRect.left, (int)s.normalRect.top,
                  (int)s.normalRect.right, (int)s.normalRect.bottom);
    appendLine(text, line);
    std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d\n", (int)s.sizeIndex, signedByte(p.pickFormat),
                  signedByte(p.pickActive), (int)s.sector, (int)s.slicePos, (int)s.levelPos);
    appendLine(text, line);
    std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,%d,%d\n", (int)p.pickMark, (int)p.pickSector,
                  (int)p.pickSlicePos, (int)p.pickLevelPos, (int)p.pickHexX, (int)p.pickHexY,
                  (int)p.pickTriX, (int)p.pickTriY);
    appendLine(text, line);
    std::snprintf(line, sizeof line, "%06x,%06x\n", (unsigned)s.bgColor, (unsigned)p.pickColor);
    appendLine(text, line);
    for (int k = 0; k < PaletteSlots; ++k) {
        std::snprintf(line, sizeof line, "%06x\n", (unsigned)s.palette[k]);
        appendLine(text, line);
    }
    return text;
}

// ---- Reading ---------------------------------------------------------------
//
// A small scanner that behaves like the C library's formatted scan over the
// file: "%d" skips white space, takes an optional sign and then needs at least
// one decimal digit; "%06x" skips white space and then takes at most six
// characters of an optional sign, an optional "0x" or "0X" prefix and hex
// digits (as the GNU library does, "0x" with no digit after it reads as 0); a
// comma in the format must be the very next character. A failed conversion
// leaves the offending character unread (a sign before it stays consumed, as
// the one-character push-back of a stream allows) and ends that scan; the next
// scan starts at the same place. The C library leaves the value of a decimal
// too large for 32 bits undefined; here it is held at the nearest limit.

struct ScanInput {
    const char* text;
    std::size_t length;
    std::size_t pos;
};

static bool atEnd(const ScanInput& in) {
    return in.pos >= in.length;
}

static char peek(const ScanInput& in) {
    return in.text[in.pos];
}

static bool isScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static void skipSpace(ScanInput& in) {
    while (!atEnd(in) && isScanSpace(peek(in)))
        ++in.pos;
}

static bool takeSign(ScanInput& in, bool& negative) {
    negative = false;
    if (atEnd(in) || (peek(in) != '+' && peek(in) != '-'))
        return false;
    negative = peek(in) == '-';
    ++in.pos;
    return true;
}

static bool scanDecimal(ScanInput& in, std::int32_t& field) {
    const std::int64_t beyondInt32 = (std::int64_t)INT32_MAX + 2;
    skipSpace(in);
    bool negative;
    takeSign(in, negative);
    std::int64_t value = 0;
    bool anyDigit = false;
    while (!atEnd(in) && peek(in) >= '0' && peek(in) <= '9') {
        if (value < beyondInt32)
            value = value * 10 + (peek(in) - '0');
        anyDigit = true;
        ++in.pos;
    }
    if (!anyDigit)
        return false;
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    field = (std::int32_t)value;
    return true;
}

static bool scanHex6(ScanInput& in, COLORREF& field) {
    int width = 6;
    skipSpace(in);
    bool negative;
    if (takeSign(in, negative))
        --width;
    std::uint32_t value = 0;
    bool anyDigit = false;
    if (width > 0 && !atEnd(in) && peek(in) == '0') {
        anyDigit = true;
        ++in.pos;
        --width;
        if (width > 0 && !atEnd(in) && (peek(in) == 'x' || peek(in) == 'X')) {
            ++in.pos;
            --width;
        }
    }
    while (width > 0 && !atEnd(in) && hexDigitValue(peek(in)) >= 0) {
        value = value * 16 + (std::uint32_t)hexDigitValue(peek(in));
        anyDigit = true;
        ++in.pos;
        --width;
    }
    if (!anyDigit)
        return false;
    field = (COLORREF)(negative ? 0u - value : value);
    return true;
}

static bool scanComma(ScanInput& in) {
    if (atEnd(in) || peek(in) != ',')
        return false;
    ++in.pos;
    return true;
}

// One scan of "%d,%d,...": stops at the first comma or number that fails.
static void scanDecimalLine(ScanInput& in, std::int32_t* const fields[], int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !scanComma(in))
            return;
        if (!scanDecimal(in, *fields[i]))
            return;
    }
}

static void scanHexLine(ScanInput& in, COLORREF* const fields[], int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !scanComma(in))
            return;
        if (!scanHex6(in, *fields[i]))
            return;
    }
}

static std::uint8_t lowByte(std::int32_t value) {
    return (std::uint8_t)(value & 0xFF);
}

// Editors may start a UTF-8 file with a byte order mark, which no scan of
// the file's own format would accept.
static void skipByteOrderMark(ScanInput& in) {
    static const char Mark[] = "\xEF\xBB\xBF";
    if (in.length >= 3 && in.text[0] == Mark[0] && in.text[1] == Mark[1] && in.text[2] == Mark[2])
        in.pos = 3;
}

void parseSettings(const char* text, std::size_t length, Settings& s) {
    ScanInput in = {text, text == nullptr ? 0 : length, 0};
    skipByteOrderMark(in);
    PickState& p = s.pick;

    // The 8-bit fields are read through 32-bit values that start out holding
    // the fields' current values, so a field that is not read keeps its value.
    std::int32_t pickFormat = p.pickFormat;
    std::int32_t pickActive = p.pickActive;
    std::int32_t sector = s.sector;
    std::int32_t pickMark = p.pickMark;
    std::int32_t pickSector = p.pickSector;

    std::int32_t* const rectFields[] = {&s.normalRect.left, &s.normalRect.top, &s.normalRect.right,
                                        &s.normalRect.bottom};
    scanDecimalLine(in, rectFields, 4);
    std::int32_t* const viewFields[] = {&s.sizeIndex, &pickFormat, &pickActive, &sector, &s.slicePos,
                                        &s.levelPos};
    scanDecimalLine(in, viewFields, 6);
    std::int32_t* const pickFields[] = {&pickMark, &pickSector, &p.pickSlicePos, &p.pickLevelPos,
                                        &p.pickHexX, &p.pickHexY, &p.pickTriX, &p.pickTriY};
    scanDecimalLine(in, pickFields, 8);
    COLORREF* const colorFields[] = {&s.bgColor, &p.pickColor};
    scanHexLine(in, colorFields, 2);
    for (int k = 0; k < PaletteSlots; ++k) {
        COLORREF* const slotField[] = {&s.palette[k]};
        scanHexLine(in, slotField, 1);
    }

    p.pickActive = lowByte(pickActive);
    p.pickSector = (std::int8_t)lowByte(pickSector);
    p.pickFormat = lowByte(pickFormat);
    s.sector = (std::int8_t)lowByte(sector);
    p.pickMark = (std::int8_t)lowByte(pickMark);
}

// ---- Checking --------------------------------------------------------------

// A window larger than this in either direction cannot have been a real one.
const std::int64_t MaxWindowExtent = 32767;
const COLORREF MaxColor = 0xFFFFFF;

static bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

template <class T>
static void keepInRange(T& field, std::int32_t low, std::int32_t high, T fallback) {
    if (!inRange((std::int32_t)field, low, high))
        field = fallback;
}

static void keepColor(COLORREF& field, COLORREF fallback) {
    if (field > MaxColor)
        field = fallback;
}

static bool isSaneRect(const WindowRect& r) {
    std::int64_t width = (std::int64_t)r.right - r.left;
    std::int64_t height = (std::int64_t)r.bottom - r.top;
    return width > 0 && height > 0 && width <= MaxWindowExtent && height <= MaxWindowExtent;
}

// pickMark is 1..4 while the overlay is shown and -4..-1 while it is hidden.
static bool isPickMark(std::int8_t mark) {
    return inRange(mark, -4, 4) && mark != 0;
}

void sanitizeSettings(Settings& s, const Settings& defaults) {
    PickState& p = s.pick;
    const PickState& d = defaults.pick;
    if (!isSaneRect(s.normalRect))
        s.normalRect = defaults.normalRect;
    keepInRange(s.sizeIndex, 0, GridSizeCount - 1, defaults.sizeIndex);
    keepInRange(p.pickFormat, 0, 1, d.pickFormat);
    keepInRange(p.pickActive, 0, 1, d.pickActive);
    keepInRange(s.sector, 0, 5, defaults.sector);
    keepInRange(s.slicePos, 0, PositionScale, defaults.slicePos);
    keepInRange(s.levelPos, 0, MaxLevelPos, defaults.levelPos);
    if (!isPickMark(p.pickMark))
        p.pickMark = d.pickMark;
    keepInRange(p.pickSector, -1, 5, d.pickSector);
    keepInRange(p.pickSlicePos, 0, 1020, d.pickSlicePos);
    keepInRange(p.pickLevelPos, -1, MaxLevelPos, d.pickLevelPos);
    keepColor(s.bgColor, defaults.bgColor);
    keepColor(p.pickColor, d.pickColor);
    for (int k = 0; k < PaletteSlots; ++k)
        keepColor(s.palette[k], defaults.palette[k]);
}

// The margin leaves enough of the window inside the work area to grab it.
const std::int32_t ReachableMargin = 64;

void clampToWorkArea(WindowRect& r, const WindowRect& workArea) {
    if (r.left <= workArea.left)
        r.left = workArea.left;
    else if (r.left >= workArea.right - ReachableMargin)
        r.left = workArea.right - ReachableMargin;
    if (r.top <= workArea.top)
        r.top = workArea.top;
    else if (r.top >= workArea.bottom - ReachableMargin)
        r.top = workArea.bottom - ReachableMargin;
}
