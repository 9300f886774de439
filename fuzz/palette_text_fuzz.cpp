// Feeds arbitrary text to the palette reader and checks what it reports, then
// checks that any palette it builds survives a write and a second read.
//
// The first input byte picks how the rest becomes UTF-16 text: one unit per
// byte (so letters and parentheses turn up quickly), or one unit per byte
// pair; and whether the text is handed over with its exact length or with a
// zero unit at its end and an unbounded length.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/state.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"
#include "fuzz/fuzz_check.h"

namespace {

struct SlotSet {
    int slot;
    COLORREF color;
};

void recordSlot(int slot, COLORREF c, void* context) {
    CHECK(slot >= 0 && slot < PaletteSlots);
    CHECK(c <= 0xFFFFFF);
    static_cast<std::vector<SlotSet>*>(context)->push_back({slot, c});
}

// A second, deliberately plain reading of the same rules, to compare with.
int referenceHexDigit(char16_t c) {
    const std::u16string digits = u"0123456789abcdef";
    const std::u16string upper = u"ABCDEF";
    std::size_t at = digits.find(c);
    if (at != std::u16string::npos)
        return (int)at;
    at = upper.find(c);
    return at == std::u16string::npos ? -1 : 10 + (int)at;
}

std::vector<SlotSet> referenceParse(std::u16string text) {
    std::size_t zero = text.find(u'\0');
    if (zero != std::u16string::npos)
        text.resize(zero);
    std::vector<SlotSet> sets;
    std::size_t p = 0;
    for (;;) {
        std::size_t open = text.find(u'(', p);
        if (open == std::u16string::npos)
            break;
        std::size_t close = text.find(u')', open);
        if (close == std::u16string::npos)
            break;
        std::vector<int> digits;
        for (std::size_t i = open + 1; i < close; ++i)
            if (referenceHexDigit(text[i]) >= 0)
                digits.push_back(referenceHexDigit(text[i]));
        if (digits.size() > 6)
            digits.resize(6);
        int field[3] = {0, 0, 0};
        for (std::size_t i = 0; i < digits.size(); ++i)
            field[i / 2] = field[i / 2] * 16 + digits[i];
        COLORREF c = (COLORREF)(field[0] + 256 * field[1] + 65536 * field[2]);
        for (std::size_t i = p; i < open; ++i) {
            char16_t u = text[i];
            if (u == u'Z')
                sets.push_back({15, c});
            else if (u >= u'A' && u <= u'P')
                sets.push_back({u - u'A', c});
        }
        p = close + 1;
    }
    return sets;
}

bool sameSets(const std::vector<SlotSet>& a, const std::vector<SlotSet>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].slot != b[i].slot || a[i].color != b[i].color)
            return false;
    return true;
}

void storeSlot(int slot, COLORREF c, void* context) {
    CHECK(slot >= 0 && slot < PaletteSlots);
    static_cast<COLORREF*>(context)[slot] = c;
}

int formatChecked(const COLORREF palette[PaletteSlots], char16_t text[PaletteTextCapacity]) {
    int length = formatPaletteText(palette, text);
    CHECK(length >= 9 && length <= PaletteTextCapacity - 1);
    CHECK(text[length] == 0);
    for (int i = 0; i < length; ++i) {
        char16_t u = text[i];
        bool allowed = (u >= u'A' && u <= u'O') || u == u'Z' || (u >= u'0' && u <= u'9') ||
                       (u >= u'a' && u <= u'f') || u == u'(' || u == u')' || u == u' ';
        CHECK(allowed);
    }
    CHECK(text[length - 1] == u')');
    return length;
}

void checkRoundTrip(const COLORREF palette[PaletteSlots]) {
    char16_t text[PaletteTextCapacity];
    int length = formatChecked(palette, text);

    std::vector<SlotSet> sets;
    parsePaletteText(text, (std::size_t)length, recordSlot, &sets);
    CHECK(sets.size() == (std::size_t)PaletteSlots);
    bool named[PaletteSlots] = {};
    COLORREF back[PaletteSlots];
    for (const SlotSet& s : sets) {
        CHECK(!named[s.slot]);
        named[s.slot] = true;
        back[s.slot] = s.color;
    }
    for (int k = 0; k < PaletteSlots; ++k)
        CHECK(back[k] == palette[k]);

    char16_t again[PaletteTextCapacity];
    int againLength = formatChecked(back, again);
    CHECK(againLength == length);
    for (int i = 0; i <= length; ++i)
        CHECK(again[i] == text[i]);
}

bool between(int value, int end1, int end2) {
    return (value >= end1 && value <= end2) || (value >= end2 && value <= end1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    ++data;
    --size;

    std::u16string units;
    if (mode & 1) {
        for (std::size_t i = 0; i + 1 < size; i += 2)
            units += (char16_t)(data[i] | (data[i + 1] << 8));
    } else {
        for (std::size_t i = 0; i < size; ++i)
            units += (char16_t)data[i];
    }

    std::vector<SlotSet> sets;
    if (mode & 2) {
        // Zero-terminated with no usable length: the reader must stop at the zero.
        std::vector<char16_t> text(units.begin(), units.end());
        text.push_back(0);
        parsePaletteText(text.data(), SIZE_MAX, recordSlot, &sets);
    } else {
        // Exactly as long as the text, so a read past it is caught.
        std::vector<char16_t> text(units.begin(), units.end());
        parsePaletteText(text.empty() ? nullptr : text.data(), text.size(), recordSlot, &sets);
    }
    CHECK(sets.size() <= units.size());
    CHECK(sameSets(sets, referenceParse(units)));

    COLORREF palette[PaletteSlots];
    for (int k = 0; k < PaletteSlots; ++k)
        palette[k] = DefaultGray;
    for (const SlotSet& s : sets)
        storeSlot(s.slot, s.color, palette);
    checkRoundTrip(palette);

    // A gradient between two slots chosen by the input keeps both ends and
    // leaves every slot a plain 24-bit colour, in either order.
    if (size >= 2) {
        int a = data[0] % 18 - 1;
        int b = data[1] % 18 - 1;
        COLORREF forward[PaletteSlots];
        COLORREF backward[PaletteSlots];
        gradientColors(palette, a, b, forward);
        gradientColors(palette, b, a, backward);
        int low = a < b ? a : b;
        int high = a < b ? b : a;
        bool changes = low >= 0 && high < PaletteSlots && high - low >= 2;
        for (int k = 0; k < PaletteSlots; ++k) {
            CHECK(forward[k] == backward[k]);
            CHECK(forward[k] <= 0xFFFFFF);
            if (!changes || k <= low || k >= high) {
                CHECK(forward[k] == palette[k]);
            } else {
                CHECK(between(redOf(forward[k]), redOf(palette[low]), redOf(palette[high])));
                CHECK(between(greenOf(forward[k]), greenOf(palette[low]), greenOf(palette[high])));
                CHECK(between(blueOf(forward[k]), blueOf(palette[low]), blueOf(palette[high])));
            }
        }
        checkRoundTrip(forward);
    }
    return 0;
}
