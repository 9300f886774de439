#include "palette/palette_text.h"

#include "core/hex_digits.h"
#include "palette/palette_model.h"

static const char LowerHexDigits[] = "0123456789abcdef";

static void appendHexByte(char16_t* out, int& length, int value) {
    out[length++] = (char16_t)LowerHexDigits[(value >> 4) & 0xF];
    out[length++] = (char16_t)LowerHexDigits[value & 0xF];
}

// "(rrggbb) ": red first, unlike the COLORREF's byte order, because that is
// how people write colours; the blank separates it from the next group.
static void appendColorGroupEnd(char16_t* out, int& length, COLORREF c) {
    out[length++] = u'(';
    appendHexByte(out, length, redOf(c));
    appendHexByte(out, length, greenOf(c));
    appendHexByte(out, length, blueOf(c));
    out[length++] = u')';
    out[length++] = u' ';
}

int formatPaletteText(const COLORREF palette[PaletteSlots], char16_t out[PaletteTextCapacity]) {
    bool done[PaletteSlots] = {};
    int length = 0;
    for (int i = 0; i < PaletteSlots; ++i) {
        if (done[i])
            continue;
        COLORREF c = palette[i];
        for (int j = i; j < PaletteSlots; ++j) {
            if (!done[j] && palette[j] == c) {
                out[length++] = (char16_t)slotLetter(j);
                done[j] = true;
            }
        }
        appendColorGroupEnd(out, length, c);
    }
    --length;  // no blank after the last group
    out[length] = 0;
    return length;
}

static std::size_t usableLength(const char16_t* text, std::size_t length) {
    std::size_t n = 0;
    while (n < length && text[n] != 0)
        ++n;
    return n;
}

static std::size_t findUnit(const char16_t* text, std::size_t from, std::size_t end, char16_t unit) {
    while (from < end && text[from] != unit)
        ++from;
    return from;
}

// Hex digits are gathered wherever they stand between the parentheses, so
// "(ff 00-80)" or "(#ff0080)" still give a colour. Two digits per channel,
// red first; a channel with no digit is 0, one with a single digit is that
// digit, and digits past the sixth are ignored.
static COLORREF parseColorBetween(const char16_t* text, std::size_t open, std::size_t close) {
    int channel[3] = {0, 0, 0};
    int digits = 0;
    for (std::size_t i = open + 1; i < close && digits < 6; ++i) {
        int value = hexDigitValue(text[i]);
        if (value < 0)
            continue;
        channel[digits / 2] = channel[digits / 2] * 16 + value;
        ++digits;
    }
    return (COLORREF)(channel[0] + 256 * channel[1] + 65536 * channel[2]);
}

// Z names the last slot as written; P is accepted for it too, being the
// letter that follows O.
static int slotOfLetter(char16_t c) {
    if (c == u'Z')
        return PaletteSlots - 1;
    if (c >= u'A' && c <= u'P')
        return c - u'A';
    return -1;
}

void parsePaletteText(const char16_t* text, std::size_t length,
                      void (*setSlotFn)(int slot, COLORREF c, void* context), void* context) {
    if (text == nullptr)
        return;
    std::size_t end = usableLength(text, length);
    std::size_t p = 0;
    while (p < end) {
        std::size_t open = findUnit(text, p, end, u'(');
        if (open == end)
            return;
        std::size_t close = findUnit(text, open, end, u')');
        if (close == end)
            return;
        COLORREF c = parseColorBetween(text, open, close);
        for (std::size_t i = p; i < open; ++i) {
            int slot = slotOfLetter(text[i]);
            if (slot >= 0)
                setSlotFn(slot, c, context);
        }
        p = close + 1;
    }
}

static void recordPastedSlot(int slot, COLORREF c, void* context) {
    PastedSlots& slots = *static_cast<PastedSlots*>(context);
    slots.named[slot] = true;
    slots.colour[slot] = c;
}

void readPastedSlots(const char16_t* text, std::size_t length, PastedSlots& slots) {
    for (int k = 0; k < PaletteSlots; ++k) {
        slots.named[k] = false;
        slots.colour[k] = 0;
    }
    parsePaletteText(text, length, recordPastedSlot, &slots);
}

void applyPastedSlots(const PastedSlots& slots, COLORREF palette[PaletteSlots]) {
    for (int k = 0; k < PaletteSlots; ++k) {
        if (slots.named[k])
            palette[k] = slots.colour[k];
    }
}

bool measurePasteText(const char16_t* text, std::size_t units, std::size_t& length) {
    const std::size_t looked = units < MaxPasteTextUnits + 1 ? units : MaxPasteTextUnits + 1;
    const std::size_t found = usableLength(text, looked);
    if (found > MaxPasteTextUnits)
        return false;
    length = found;
    return true;
}

PasteFind readPasteText(const char16_t* text, std::size_t units, PastedSlots& slots) {
    std::size_t length = 0;
    if (!measurePasteText(text, units, length))
        return PasteFoundTooLong;
    readPastedSlots(text, length, slots);
    return PasteFoundText;
}
