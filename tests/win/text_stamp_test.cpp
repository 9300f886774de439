// Outlined labels put into the back buffer from learnt pictures must leave
// exactly what drawing them with GDI leaves, over any background and across
// the buffer's edges.
#include <gtest/gtest.h>

#include <string>

#include "palette/palette_model.h"
#include "paint/draw_win.h"
#include "paint/text_stamp_win.h"
#include "paint_canvas.h"

namespace {

const wchar_t LensGlyph[] = {0xD83D, 0xDD0E, 0};
const wchar_t PinGlyph[] = {0xD83D, 0xDCCC, 0};

// Every pixel a different colour, so that a text blended with what lies
// beneath, or a pixel written where GDI leaves it alone, shows.
void fillWithNoise(PaintCanvas& canvas, std::uint32_t seed) {
    GdiFlush();
    for (std::size_t k = 0; k < (std::size_t)canvas.width * canvas.height; ++k) {
        seed = seed * 1664525u + 1013904223u;
        canvas.bits[k] = seed >> 8;
    }
}

struct Label {
    std::uint8_t mode;
    HFONT font;
    std::wstring text;
};

std::vector<Label> labelsInUse() {
    std::vector<Label> labels;
    for (int k = 0; k < PaletteSlots; ++k)
        labels.push_back({1, gdi.valueFont, std::wstring(1, (wchar_t)slotLetter(k))});
    labels.push_back({0, gdi.symbolFont, LensGlyph});
    labels.push_back({0, gdi.symbolFont, PinGlyph});
    return labels;
}

class TextStampTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedShell = shell;
        prepareDrawingState();
        drawn = createCanvas(Width, Height);
        stamped = createCanvas(Width, Height);
    }
    void TearDown() override {
        shell = savedShell;
        destroyCanvas(drawn);
        destroyCanvas(stamped);
    }

    // The same label once through GDI, once through the default painter.
    void drawBoth(const Label& label, int x, int y) {
        drawLiterallyOn(drawn);
        drawOutlinedLabel(label.mode, x, y, label.font, label.text.c_str());
        useCanvasAsBackBuffer(stamped);
        drawOutlinedLabel(label.mode, x, y, label.font, label.text.c_str());
    }

    static const int Width = 83;
    static const int Height = 61;
    Shell savedShell;
    PaintCanvas drawn = {};
    PaintCanvas stamped = {};
};

TEST_F(TextStampTest, LabelsInUseAreStampedUnderThisGdi) {
    useCanvasAsBackBuffer(stamped);
    for (const Label& label : labelsInUse()) {
        stampOutlinedText(label.mode, 30, 20, label.font, label.text.c_str());
        EXPECT_TRUE(stampOutlinedText(label.mode, 30, 20, label.font, label.text.c_str()))
            << "this text is always drawn with GDI";
    }
}

// A text met for the first time is left to GDI, and learnt when it comes
// again: one drawn only once costs no more than drawing it.
TEST_F(TextStampTest, ATextIsLearntTheSecondTime) {
    useCanvasAsBackBuffer(stamped);
    useBackground(0x0A0B0C);
    const std::wstring text = L"Q7 seen here only";
    EXPECT_FALSE(stampOutlinedText(1, 30, 20, gdi.valueFont, text.c_str()));
    EXPECT_TRUE(stampOutlinedText(1, 30, 20, gdi.valueFont, text.c_str()));
    EXPECT_TRUE(stampOutlinedText(1, 30, 20, gdi.valueFont, text.c_str()));
}

TEST_F(TextStampTest, StampedLabelsEqualDrawnLabelsEverywhere) {
    const int placesX[] = {-30, -12, -1, 0, 3, 40, 70, 80, 83, 100};
    const int placesY[] = {-25, -9, 0, 2, 30, 50, 60, 61, 80};
    const COLORREF backgrounds[] = {DefaultGray, 0x000000, 0xFFFFFF, 0x5C9A12};
    std::uint32_t seed = 7;
    for (COLORREF background : backgrounds) {
        useBackground(background);
        for (const Label& label : labelsInUse()) {
            SCOPED_TRACE(testing::Message() << "bg " << std::hex << background << std::dec
                                            << " mode " << (int)label.mode << " text "
                                            << (int)label.text[0]);
            for (int y : placesY) {
                for (int x : placesX) {
                    fillWithNoise(drawn, ++seed);
                    fillWithNoise(stamped, seed);
                    drawBoth(label, x, y);
                    ASSERT_EQ(snapshot(drawn), snapshot(stamped)) << "at " << x << "," << y;
                }
            }
        }
    }
}

// A text GDI blends with what lies beneath is repeated from what it left the
// last time, but only over the very same beneath.
TEST_F(TextStampTest, BlendedLabelsRepeatOnlyOverTheSameBeneath) {
    const Label lens = {0, gdi.symbolFont, LensGlyph};
    const std::uint32_t seeds[] = {11, 11, 11, 12, 11, 12, 12};
    for (std::uint32_t seed : seeds) {
        fillWithNoise(drawn, seed);
        fillWithNoise(stamped, seed);
        drawBoth(lens, 25, 15);
        ASSERT_EQ(snapshot(drawn), snapshot(stamped)) << "seed " << seed;
    }
    // One pixel of the beneath changed, under the glyph's middle.
    fillWithNoise(drawn, 11);
    fillWithNoise(stamped, 11);
    drawn.bits[27 * Width + 36] ^= 0x010101;
    stamped.bits[27 * Width + 36] ^= 0x010101;
    drawBoth(lens, 25, 15);
    EXPECT_EQ(snapshot(drawn), snapshot(stamped));
}

// The DC is left as drawing leaves it, so that nothing drawn after a
// stamped label can tell the difference.
TEST_F(TextStampTest, StampingLeavesTheDcAsDrawingDoes) {
    useBackground(0x123456);
    drawBoth({1, gdi.valueFont, L"K"}, 10, 10);
    EXPECT_EQ(GetBkMode(drawn.dc), GetBkMode(stamped.dc));
    EXPECT_EQ(GetBkColor(drawn.dc), GetBkColor(stamped.dc));
    EXPECT_EQ(GetTextColor(drawn.dc), GetTextColor(stamped.dc));
    EXPECT_EQ(GetCurrentObject(drawn.dc, OBJ_FONT), GetCurrentObject(stamped.dc, OBJ_FONT));
}

TEST_F(TextStampTest, LiteralPainterNeverStamps) {
    drawLiterallyOn(drawn);
    EXPECT_FALSE(stampOutlinedText(1, 10, 10, gdi.valueFont, L"A"));
}

}  // namespace
