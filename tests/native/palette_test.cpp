#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/state.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"

namespace {

// ---- Slot letters ----------------------------------------------------------

TEST(SlotLetter, CountsUpFromAAndEndsWithZ) {
    const char expected[] = "ABCDEFGHIJKLMNOZ";
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected[k], slotLetter(k)) << "slot " << k;
}

// ---- Swatch geometry -------------------------------------------------------

struct StripCase {
    int stripLeft, stripRight;
    int gap, labelOffset;
    std::vector<std::pair<int, std::pair<int, int>>> swatches;  // k -> (xL, xR)
};

void setStrip(int left, int right) {
    app.layout.stripLeft = left;
    app.layout.stripRight = right;
    app.layout.swatchWidth = (right - left) / 16.0;
}

TEST(SwatchGeometry, MatchesRoundedSwatchWidths) {
    const StripCase cases[] = {
        // width 25: gap round(2.5) = 3, label round(11) - 5 = 6
        {10, 410, 3, 6, {{0, {10, 32}}, {1, {35, 57}}, {15, {385, 407}}}},
        // width 18.75: gap round(1.875) = 2, label round(8.375) - 5 = 3
        {0, 300, 2, 3, {{0, {0, 17}}, {1, {19, 36}}, {2, {38, 54}}, {15, {281, 298}}}},
        // width 15: gap round(1.5) = 2, label round(6.5) - 5 = 2
        {7, 247, 2, 2, {{0, {7, 20}}, {3, {52, 65}}, {15, {232, 245}}}},
        // width 29.4375: gap round(2.94375) = 3, label round(13.21875) - 5 = 8
        {100, 571, 3, 8, {{0, {100, 126}}, {1, {129, 156}}, {8, {336, 362}}}},
    };
    for (const StripCase& c : cases) {
        setStrip(c.stripLeft, c.stripRight);
        SCOPED_TRACE(testing::Message() << "strip " << c.stripLeft << ".." << c.stripRight);
        EXPECT_EQ(c.gap, swatchGap());
        EXPECT_EQ(c.labelOffset, labelOffset());
        for (const auto& s : c.swatches) {
            EXPECT_EQ(s.second.first, swatchLeft(s.first)) << "xL of " << s.first;
            EXPECT_EQ(s.second.second, swatchRight(s.first)) << "xR of " << s.first;
        }
    }
}

TEST(SwatchGeometry, SwatchesTileTheStripWithTheirGaps) {
    for (int width = 64; width <= 1600; width += 7) {
        setStrip(13, 13 + width);
        for (int k = 0; k < PaletteSlots; ++k) {
            ASSERT_LT(swatchLeft(k), swatchRight(k)) << "width " << width << " slot " << k;
            if (k + 1 < PaletteSlots) {
                ASSERT_EQ(swatchLeft(k + 1), swatchRight(k) + swatchGap()) << "width " << width;
            }
        }
        ASSERT_EQ(app.layout.stripRight, swatchRight(15) + swatchGap()) << "width " << width;
    }
}

// ---- Gradients -------------------------------------------------------------

struct Palette {
    COLORREF slots[PaletteSlots];
};

Palette uniformPalette(COLORREF c) {
    Palette p;
    for (COLORREF& slot : p.slots)
        slot = c;
    return p;
}

Palette gradient(const Palette& in, int a, int b) {
    Palette out;
    gradientColors(in.slots, a, b, out.slots);
    return out;
}

void expectSamePalette(const Palette& expected, const Palette& actual) {
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected.slots[k], actual.slots[k]) << "slot " << k;
}

TEST(Gradient, RoundsHalfAwayFromZeroSoReverseIsNoMirror) {
    Palette up = uniformPalette(0xC8C8C8);
    up.slots[0] = 0x000000;
    up.slots[2] = 0xFFFFFF;
    EXPECT_EQ(0x808080u, gradient(up, 0, 2).slots[1]);

    Palette down = uniformPalette(0xC8C8C8);
    down.slots[0] = 0xFFFFFF;
    down.slots[2] = 0x000000;
    EXPECT_EQ(0x7F7F7Fu, gradient(down, 0, 2).slots[1]);
}

TEST(Gradient, ThirdsOfBlackToColour) {
    Palette p = uniformPalette(0xC8C8C8);
    p.slots[0] = makeColor(0, 0, 0);
    p.slots[3] = makeColor(30, 60, 90);
    Palette expected = p;
    expected.slots[1] = makeColor(10, 20, 30);
    expected.slots[2] = makeColor(20, 40, 60);
    expectSamePalette(expected, gradient(p, 0, 3));
}

TEST(Gradient, EachChannelRoundsItsOwnStepsInItsOwnDirection) {
    // Steps of +0.5, -0.5 and 0 per slot over four slots.
    Palette p = uniformPalette(0);
    p.slots[4] = makeColor(0, 2, 7);
    p.slots[8] = makeColor(2, 0, 7);
    Palette out = gradient(p, 4, 8);
    EXPECT_EQ(makeColor(1, 1, 7), out.slots[5]);
    EXPECT_EQ(makeColor(1, 1, 7), out.slots[6]);
    EXPECT_EQ(makeColor(2, 0, 7), out.slots[7]);
    EXPECT_EQ(p.slots[4], out.slots[4]);
    EXPECT_EQ(p.slots[8], out.slots[8]);
}

TEST(Gradient, OrderOfTheSlotsDoesNotMatter) {
    Palette p = uniformPalette(0xC8C8C8);
    p.slots[2] = makeColor(200, 10, 100);
    p.slots[5] = makeColor(11, 250, 0);
    Palette forward = gradient(p, 2, 5);
    expectSamePalette(forward, gradient(p, 5, 2));
    for (int k = 0; k < PaletteSlots; ++k) {
        if (k == 3 || k == 4)
            EXPECT_NE(p.slots[k], forward.slots[k]) << "slot " << k;
        else
            EXPECT_EQ(p.slots[k], forward.slots[k]) << "slot " << k;
    }
    EXPECT_EQ(makeColor(137, 90, 67), forward.slots[3]);  // 200-63, 10+80, 100-33.33
    EXPECT_EQ(makeColor(74, 170, 33), forward.slots[4]);
}

TEST(Gradient, NeighboursSameSlotOrNoSlotChangeNothing) {
    Palette p = uniformPalette(0x123456);
    p.slots[4] = 0x000000;
    p.slots[5] = 0xFFFFFF;
    p.slots[0] = 0xFF00FF;
    p.slots[15] = 0x00FF00;
    const std::pair<int, int> unchanged[] = {{4, 5}, {5, 4}, {4, 4}, {-1, 5}, {3, 16}, {0, 99}, {-7, -3}};
    for (const auto& ab : unchanged) {
        SCOPED_TRACE(testing::Message() << "gradient " << ab.first << ", " << ab.second);
        expectSamePalette(p, gradient(p, ab.first, ab.second));
    }
}

TEST(Gradient, WholeStripRunsEvenly) {
    Palette p = uniformPalette(0xC8C8C8);
    p.slots[0] = makeColor(0, 255, 0);
    p.slots[15] = makeColor(150, 0, 255);
    Palette out = gradient(p, 15, 0);
    for (int i = 0; i < PaletteSlots; ++i) {
        EXPECT_EQ(i * 10, redOf(out.slots[i])) << "slot " << i;
        EXPECT_EQ(255 - i * 17, greenOf(out.slots[i])) << "slot " << i;
        EXPECT_EQ(i * 17, blueOf(out.slots[i])) << "slot " << i;
    }
}

TEST(Gradient, FourteenApartMiddleSlotIsRoundedFromADoubleProduct) {
    // A to O and B to Z are 14 apart. For these channel differences the
    // middle slot's 7 * (d / 14) lies at or just below a half in double
    // precision; kept in 80-bit x87 registers it lands on the other side.
    struct Case { int difference, middleOffset; };
    const Case cases[] = {{59, 30}, {61, 30}, {115, 57}, {125, 63},
                          {229, 115}, {237, 118}, {243, 122}, {251, 125}};
    for (int a : {0, 1}) {
        for (const Case& c : cases) {
            for (int sign : {1, -1}) {
                const int d = sign * c.difference;
                const int start = d >= 0 ? 0 : 255;
                Palette p = uniformPalette(0xC8C8C8);
                p.slots[a] = makeColor(start, 0, start);
                p.slots[a + 14] = makeColor(start + d, 0, start + d);
                const int middle = start + sign * c.middleOffset;
                EXPECT_EQ(makeColor(middle, 0, middle), gradient(p, a, a + 14).slots[a + 7])
                    << "slots " << a << " to " << a + 14 << ", difference " << d;
            }
        }
    }
}

TEST(Gradient, BlackToBlueVioletMiddleSlot) {
    Palette p = uniformPalette(0xC8C8C8);
    p.slots[0] = makeColor(0, 0, 0);
    p.slots[14] = makeColor(0x3b, 0x3d, 0xe5);
    EXPECT_EQ(makeColor(0x1e, 0x1e, 0x73), gradient(p, 0, 14).slots[7]);
}

// ---- Palette text: writing -------------------------------------------------

std::u16string formatted(const Palette& p) {
    char16_t text[PaletteTextCapacity];
    std::memset(text, 0x55, sizeof text);
    int length = formatPaletteText(p.slots, text);
    EXPECT_EQ(0, text[length]) << "zero terminator";
    return std::u16string(text, (std::size_t)length);
}

TEST(PaletteTextFormat, DefaultPaletteIsOneGroup) {
    EXPECT_EQ(u"ABCDEFGHIJKLMNOZ(c8c8c8)", formatted(uniformPalette(DefaultGray)));
}

TEST(PaletteTextFormat, RedInTwoSlotsMakesTwoGroups) {
    Palette p = uniformPalette(DefaultGray);
    p.slots[0] = 0x0000FF;
    p.slots[2] = 0x0000FF;
    EXPECT_EQ(u"AC(ff0000) BDEFGHIJKLMNOZ(c8c8c8)", formatted(p));
}

TEST(PaletteTextFormat, ColourIsWrittenRedGreenBlueInLowerCase) {
    Palette p = uniformPalette(0xABCDEF);
    EXPECT_EQ(u"ABCDEFGHIJKLMNOZ(efcdab)", formatted(p));
    p = uniformPalette(0x000000);
    EXPECT_EQ(u"ABCDEFGHIJKLMNOZ(000000)", formatted(p));
}

TEST(PaletteTextFormat, GroupsFollowTheirLowestSlot) {
    Palette p = uniformPalette(0x000001);
    p.slots[1] = 0x000002;
    p.slots[3] = 0x000002;
    p.slots[2] = 0x000003;
    p.slots[15] = 0x000003;
    p.slots[14] = 0x000004;
    EXPECT_EQ(u"AEFGHIJKLMN(010000) BD(020000) CZ(030000) O(040000)", formatted(p));
}

TEST(PaletteTextFormat, SixteenColoursGive159Characters) {
    Palette p;
    for (int k = 0; k < PaletteSlots; ++k)
        p.slots[k] = makeColor(k, 255 - k, 16 * k);
    std::u16string text = formatted(p);
    EXPECT_EQ(159u, text.size());
    EXPECT_EQ(u"A(00ff00) B(01fe10) C(02fd20)", text.substr(0, 29));
    EXPECT_EQ(u"O(0ef1e0) Z(0ff0f0)", text.substr(140));
}

// ---- Palette text: reading -------------------------------------------------

struct SlotSet {
    int slot;
    COLORREF color;
    bool operator==(const SlotSet& o) const { return slot == o.slot && color == o.color; }
};

std::ostream& operator<<(std::ostream& os, const SlotSet& s) {
    return os << "(" << s.slot << ", 0x" << std::hex << s.color << std::dec << ")";
}

void recordSlot(int slot, COLORREF c, void* context) {
    static_cast<std::vector<SlotSet>*>(context)->push_back({slot, c});
}

std::vector<SlotSet> parsed(const char16_t* text, std::size_t length) {
    std::vector<SlotSet> sets;
    parsePaletteText(text, length, recordSlot, &sets);
    return sets;
}

std::vector<SlotSet> parsed(const std::u16string& text) {
    return parsed(text.data(), text.size());
}

struct ParseCase {
    const char16_t* text;
    std::vector<SlotSet> expected;
};

TEST(PaletteTextParse, Table) {
    const ParseCase cases[] = {
        {u"AB(ff0000)", {{0, 0x0000FF}, {1, 0x0000FF}}},
        {u"a(ff0000)", {}},
        {u"P(00ff00)", {{15, 0x00FF00}}},
        {u"Z(00ff00)", {{15, 0x00FF00}}},
        {u"A(f)", {{0, 0x00000F}}},
        {u"A(fff)", {{0, 0x000FFF}}},
        {u"A(12345678)", {{0, 0x563412}}},
        {u"A(ff 00-80)", {{0, 0x8000FF}}},
        {u"A(#Ff00aB)", {{0, 0xAB00FF}}},
        {u"AB(ff0000", {}},
        {u"A(ff0000)(00ff00)", {{0, 0x0000FF}}},
        {u"A()", {{0, 0}}},
        {u"C(xyz!)", {{2, 0}}},
        {u"(ff0000)", {}},
        {u"no parentheses at all", {}},
        {u")A(", {}},
        {u"BAD IDEA(010203)", {{1, 0x030201}, {0, 0x030201}, {3, 0x030201}, {8, 0x030201},
                               {3, 0x030201}, {4, 0x030201}, {0, 0x030201}}},
        {u"Q R S T U V W X Y(ffffff) Z", {}},
        {u"AC(ff0000) BDEFGHIJKLMNOZ(c8c8c8)",
         {{0, 0x0000FF}, {2, 0x0000FF}, {1, 0xC8C8C8}, {3, 0xC8C8C8}, {4, 0xC8C8C8}, {5, 0xC8C8C8},
          {6, 0xC8C8C8}, {7, 0xC8C8C8}, {8, 0xC8C8C8}, {9, 0xC8C8C8}, {10, 0xC8C8C8}, {11, 0xC8C8C8},
          {12, 0xC8C8C8}, {13, 0xC8C8C8}, {14, 0xC8C8C8}, {15, 0xC8C8C8}}},
        {u"A(ff) text B(00ff) trailing C D", {{0, 0x0000FF}, {1, 0x00FF00}}},
        {u"A((ff)", {{0, 0x0000FF}}},
        {u"A)(ff)", {{0, 0x0000FF}}},
        {u"D(B0)", {{3, 0x0000B0}}},
        {u"A(1g2)", {{0, 0x000012}}},
        {u"A(FACE) B(00FF)", {{0, 0x00CEFA}, {1, 0x00FF00}}},
        {u"E(\uFF10\uFF11ff)", {{4, 0x0000FF}}},  // full-width digits are not hex digits
        {u"\uFF21F(01)", {{5, 0x000001}}},         // nor is a full-width A a slot letter
    };
    for (const ParseCase& c : cases) {
        std::u16string text(c.text);
        EXPECT_EQ(c.expected, parsed(text)) << "text index " << (&c - cases);
    }
}

TEST(PaletteTextParse, StopsAtTheGivenLength) {
    const char16_t text[] = u"A(ff0000) B(00ff00)";
    EXPECT_EQ(std::vector<SlotSet>({{0, 0x0000FF}, {1, 0x00FF00}}), parsed(text, 19));
    EXPECT_EQ(std::vector<SlotSet>({{0, 0x0000FF}}), parsed(text, 18));
    EXPECT_EQ(std::vector<SlotSet>({{0, 0x0000FF}}), parsed(text, 9));
    EXPECT_EQ(std::vector<SlotSet>(), parsed(text, 8));
    EXPECT_EQ(std::vector<SlotSet>(), parsed(text, 0));
    EXPECT_EQ(std::vector<SlotSet>(), parsed(nullptr, 0));
}

TEST(PaletteTextParse, StopsAtAZeroUnit) {
    const char16_t text[] = {u'A', u'(', u'f', u'f', 0, u')', u' ', u'B', u'(', u'1', u')'};
    EXPECT_EQ(std::vector<SlotSet>(), parsed(text, sizeof text / sizeof text[0]));
    const char16_t second[] = {u'A', u'(', u'1', u')', 0, u'B', u'(', u'2', u')'};
    EXPECT_EQ(std::vector<SlotSet>({{0, 0x000001}}), parsed(second, sizeof second / sizeof second[0]));
}

TEST(PaletteTextParse, LongTextWithoutParenthesesSetsNothing) {
    std::u16string text(200000, u'A');
    EXPECT_TRUE(parsed(text).empty());
    text += u"(12)";
    EXPECT_EQ(200000u, parsed(text).size());
}

void storeSlot(int slot, COLORREF c, void* context) {
    static_cast<Palette*>(context)->slots[slot] = c;
}

// Whatever the text, the slots read whole are the palette that setting the
// slots letter by letter gives.
TEST(PaletteTextParse, SlotsReadWholeAreTheLetterByLetterPalette) {
    const char16_t alphabet[] = u"ABCPZa(()) 0f9Fx";
    std::mt19937 random(20240612u);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text(random() % 60, u' ');
        for (char16_t& c : text)
            c = alphabet[random() % (sizeof alphabet / sizeof alphabet[0] - 1)];
        Palette byLetters = uniformPalette(0xDEADBEEF);
        bool named[PaletteSlots] = {};
        for (const SlotSet& s : parsed(text)) {
            storeSlot(s.slot, s.color, &byLetters);
            named[s.slot] = true;
        }
        PastedSlots slots;
        readPastedSlots(text.data(), text.size(), slots);
        Palette whole = uniformPalette(0xDEADBEEF);
        applyPastedSlots(slots, whole.slots);
        for (int k = 0; k < PaletteSlots; ++k) {
            ASSERT_EQ(named[k], slots.named[k]) << "round " << round << " slot " << k;
            ASSERT_EQ(byLetters.slots[k], whole.slots[k]) << "round " << round << " slot " << k;
        }
    }
}

struct MeasureCase {
    std::size_t units;      // the text's room
    std::size_t zeroAt;     // where its first zero unit stands; units for none
    bool fits;
    std::size_t length;
};

// A text is measured to its zero or its end, and one past the bound is too
// long whatever room is given for it.
TEST(PaletteTextParse, PasteTextIsMeasuredNoFurtherThanTheBound) {
    const std::size_t bound = MaxPasteTextUnits;
    EXPECT_EQ(512u * 1024u, bound);
    const MeasureCase cases[] = {
        {10, 4, true, 4},
        {10, 10, true, 10},
        {bound - 1, bound - 1, true, bound - 1},
        {bound, bound, true, bound},
        {bound + 1, bound + 1, false, 0},
        {bound + 1, bound, true, bound},
        {bound + 50, 7, true, 7},
        {bound + 50, bound + 1, false, 0},
        {bound + 50, bound + 50, false, 0},
    };
    for (const MeasureCase& c : cases) {
        std::u16string text(c.units, u'A');
        if (c.zeroAt < c.units)
            text[c.zeroAt] = 0;
        std::size_t length = 12345;
        EXPECT_EQ(c.fits, measurePasteText(text.data(), text.size(), length)) << c.units << " " << c.zeroAt;
        EXPECT_EQ(c.fits ? c.length : 12345u, length) << c.units << " " << c.zeroAt;
    }
    // Told of more room than there is, it still reads no further than one
    // unit past the bound.
    std::u16string beyond(bound + 1, u'A');
    std::size_t length = 0;
    EXPECT_FALSE(measurePasteText(beyond.data(), SIZE_MAX, length));
}

// Text that never ends in a zero, in memory of exactly its size: a reader
// that looked for a terminator would read past it, which AddressSanitizer
// stops. A tail cut short names nothing; a text over the bound is too long.
TEST(PaletteTextParse, PasteTextWithoutAZeroIsReadToItsLastUnitAndNoFurther) {
    const struct { const char16_t* tail; bool namesB; } tails[] = {
        {u"-", false}, {u"B(00ff00", false}, {u"B(00ff00)", true}};
    for (std::size_t units : {std::size_t(9), std::size_t(64), MaxPasteTextUnits, MaxPasteTextUnits + 1}) {
        for (const auto& t : tails) {
            const std::u16string tail = t.tail;
            std::vector<char16_t> text(units, u'-');
            std::copy(tail.begin(), tail.end(), text.end() - tail.size());
            PastedSlots slots = {};
            const bool fits = units <= MaxPasteTextUnits;
            EXPECT_EQ(fits ? PasteFoundText : PasteFoundTooLong, readPasteText(text.data(), units, slots))
                << units;
            EXPECT_EQ(fits && t.namesB, slots.named[1]) << units;
            EXPECT_EQ(fits && t.namesB ? 0x00FF00u : 0u, slots.colour[1]) << units;
        }
    }
}

// ---- Palette text: round trip ----------------------------------------------

TEST(PaletteTextRoundTrip, RandomPalettesComeBackUnchanged) {
    std::mt19937 random(20240611u);
    for (int round = 0; round < 2000; ++round) {
        // Few distinct colours in some rounds, so that groups share letters.
        int distinct = 1 + (int)(random() % 16);
        COLORREF pool[PaletteSlots];
        for (COLORREF& c : pool)
            c = random() & 0xFFFFFF;
        Palette original;
        for (COLORREF& slot : original.slots)
            slot = pool[random() % distinct];

        char16_t text[PaletteTextCapacity];
        int length = formatPaletteText(original.slots, text);
        ASSERT_LE(length, 159);

        std::vector<SlotSet> sets = parsed(text, (std::size_t)length);
        ASSERT_EQ(16u, sets.size()) << "every slot is named once";
        Palette back = uniformPalette(0xDEADBEEF);
        for (const SlotSet& s : sets)
            storeSlot(s.slot, s.color, &back);
        for (int k = 0; k < PaletteSlots; ++k)
            ASSERT_EQ(original.slots[k], back.slots[k]) << "round " << round << " slot " << k;
    }
}

}  // namespace
