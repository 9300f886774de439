// The readout panel, its outlined text and the pick overlay, painted into a
// memory bitmap and read back. Fonts are substituted and anti-aliased here,
// so text is checked by where it leaves pixels, not glyph by glyph.
#include <algorithm>
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "chart/markers.h"
#include "palette/palette_model.h"
#include "pick/overlay_geometry.h"
#include "app/scene_win.h"
#include "pick/readout_model.h"
#include "pick/readout_win.h"
#include "paint/draw_win.h"
#include "paint_canvas.h"

namespace {


const COLORREF Gray = DefaultGray;
const COLORREF Grey3 = 0xA0A0A0;

// N = 8 in a 900 x 600 client: panel 528..679 by 46..112, its middle 603.
const int PanelLeft = 528;
const int PanelRight = 679;
const int PanelTop = 46;
const int PanelBottom = 112;
const int PanelMid = 603;
const int TopRowTop = 7;
const int BottomRowTop = 26;
const int RowHeight = 18;

std::wstring formatted(const wchar_t* format, int red, int green, int blue) {
    wchar_t text[64];
    const int n = wsprintfW(text, format, red, green, blue);
    return std::wstring(text, n);
}

TEST(ReadoutFormats, FillInTheHandWorkedExamples) {
    EXPECT_EQ(L"   C8  64  32   ", formatted(HoverFormats[1], 200, 100, 50));
    EXPECT_EQ(L" (200,100, 50) ", formatted(HoverFormats[0], 200, 100, 50));
    EXPECT_EQ(L"\u3010 00  C8  64 \u3011", formatted(PickFormats[1], 0, 200, 100));
    EXPECT_EQ(L"\u3010  0,200,100\u3011", formatted(PickFormats[0], 0, 200, 100));
}

// Equal lengths are what lets an opaque new text cover the old one.
TEST(ReadoutFormats, EveryValueOfOneFormatHasTheSameLength) {
    const int values[] = {0, 7, 9, 10, 15, 16, 99, 100, 160, 255};
    for (int red : values) {
        for (int green : values) {
            for (int blue : values) {
                EXPECT_EQ(15u, formatted(HoverFormats[0], red, green, blue).size());
                EXPECT_EQ(16u, formatted(HoverFormats[1], red, green, blue).size());
                EXPECT_EQ(13u, formatted(PickFormats[0], red, green, blue).size());
                EXPECT_EQ(14u, formatted(PickFormats[1], red, green, blue).size());
            }
        }
    }
}

class ReadoutPaintTest : public StaleCanvasTest {
protected:
    int darkPixels(int left, int top, int right, int bottom) {
        return countPixels(canvas, left, top, right, bottom, isDark);
    }
    // A text row: from the widest text's halo to the right end of the strip.
    int darkInRow(int rowTop) {
        return darkPixels(PanelMid - ReadoutTextOffsets[1] - 1, rowTop - 1, PanelMid + 80, rowTop + RowHeight);
    }

    void expectFrame() {
        EXPECT_EQ(PanelRight - PanelLeft, count(PanelLeft, PanelTop, PanelRight, PanelTop + 1, Black)) << "top";
        EXPECT_EQ(PanelBottom - PanelTop, count(PanelLeft - 1, PanelTop, PanelLeft, PanelBottom, Black)) << "left";
        EXPECT_EQ(PanelRight - PanelLeft, count(PanelLeft, PanelBottom, PanelRight, PanelBottom + 1, White))
            << "bottom";
        EXPECT_EQ(PanelBottom - PanelTop, count(PanelRight, PanelTop + 1, PanelRight + 1, PanelBottom + 1, White))
            << "right";
        // Each line leaves out its last point: two corners stay untouched.
        EXPECT_EQ(Stale, pixelAt(canvas, PanelRight, PanelTop));
        EXPECT_EQ(Stale, pixelAt(canvas, PanelLeft - 1, PanelBottom));
    }

    void expectNoFrame() {
        EXPECT_EQ(Stale, pixelAt(canvas, PanelMid, PanelTop));
        EXPECT_EQ(Stale, pixelAt(canvas, PanelLeft - 1, 80));
        EXPECT_EQ(Stale, pixelAt(canvas, PanelMid, PanelBottom));
        EXPECT_EQ(Stale, pixelAt(canvas, PanelRight, 80));
    }

    void setPick(COLORREF c, std::uint8_t format) {
        app.settings.pick.pickActive = 1;
        app.settings.pick.pickColor = c;
        app.settings.pick.pickFormat = format;
    }

    void setHover(COLORREF c) {
        app.interaction.mouseInside = 1;
        app.interaction.hoverColor = c;
    }
};

TEST_F(ReadoutPaintTest, LayoutIsTheOneTheseTestsAssume) {
    EXPECT_EQ(PanelLeft, app.layout.panelLeft);
    EXPECT_EQ(PanelRight, app.layout.panelRight);
    EXPECT_EQ(PanelTop, app.layout.panelTop);
    EXPECT_EQ(PanelBottom, app.layout.panelBottom);
    EXPECT_EQ(PanelMid, panelMid());
}

// The strip 73 pixels either side of the middle, rows 0 to panelTop - 2.
TEST_F(ReadoutPaintTest, MouseOutsideWithoutPickClearsStripAndShowsBackground) {
    paintReadoutPanel(ReadoutWhole);
    EXPECT_EQ(0, countNot(PanelMid - 73, 0, PanelMid + 73, PanelTop - 1, Gray));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid - 74, 10));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid + 73, 10));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid, PanelTop - 1));
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelRight, PanelBottom, Gray));
    expectFrame();
}

TEST_F(ReadoutPaintTest, MouseInsideWithoutPickShowsHoverColourInBothRows) {
    const COLORREF hover = makeColor(200, 100, 50);
    setHover(hover);
    paintReadoutPanel(ReadoutWhole);
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelRight, PanelBottom, hover));
    EXPECT_GT(darkInRow(TopRowTop), 20);
    EXPECT_GT(darkInRow(BottomRowTop), 20);
    // Nothing left of the hexadecimal row's halo, and the strip is cleared.
    EXPECT_EQ(0, countNot(PanelMid - 73, 0, PanelMid - 72, PanelTop - 1, Gray));
    expectFrame();
}

TEST_F(ReadoutPaintTest, PickWithMouseOutsideKeepsThePickedRowAndShowsBothHalves) {
    const COLORREF picked = makeColor(0, 200, 100);
    setPick(picked, 1);
    paintReadoutPanel(ReadoutWhole);
    // Cleared only down to panelTop - 21: the picked value's row stays.
    EXPECT_EQ(0, countNot(PanelMid - 73, 0, PanelMid + 73, PanelTop - 20, Gray));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid - 73, PanelTop - 20));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid - 73, PanelTop - 2));
    EXPECT_EQ(0, darkInRow(TopRowTop));
    EXPECT_GT(darkInRow(BottomRowTop), 20);
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelMid, PanelBottom, Gray));
    // The right half but for the pushpin in its top right corner, moved in
    // where a font draws it too wide for the panel.
    const RECT pin = outlinedTextBox(gdi.symbolFont, 0, 0, L"\U0001F4CC");
    const int pinX = std::min(PanelRight - 20, PanelRight - (int)pin.right);
    EXPECT_EQ(0, countNot(PanelMid, PanelTop + 1, pinX + pin.left, PanelBottom, picked));
    EXPECT_EQ(0, countNot(PanelRight + 1, PanelTop, PanelRight + 40, PanelBottom, Stale)) << "off the panel";
    EXPECT_EQ(0, countNot(PanelMid, PanelTop + 30, PanelRight, PanelBottom, picked));
    EXPECT_GT(darkPixels(PanelRight - 21, PanelTop + 1, PanelRight, PanelTop + 30), 5) << "pushpin";
    expectFrame();
}

TEST_F(ReadoutPaintTest, PickWithMouseInsideShowsHoverAboveAndPickBelow) {
    const COLORREF hover = makeColor(10, 20, 30);
    const COLORREF picked = makeColor(250, 240, 230);
    setHover(hover);
    for (std::uint8_t format = 0; format < 2; ++format) {
        fillCanvas(canvas, Stale);
        setPick(picked, format);
        paintReadoutPanel(ReadoutWhole);
        EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelMid, PanelBottom, hover)) << (int)format;
        EXPECT_EQ(0, countNot(PanelMid, PanelTop + 30, PanelRight, PanelBottom, picked)) << (int)format;
        EXPECT_GT(darkInRow(TopRowTop), 20) << (int)format;
        EXPECT_GT(darkInRow(BottomRowTop), 20) << (int)format;
        // Each format starts at its own offset left of the middle.
        const int start = PanelMid - ReadoutTextOffsets[format];
        EXPECT_EQ(0, darkPixels(PanelMid - 73, 0, start - 1, PanelTop - 1)) << (int)format;
        expectFrame();
    }
}

TEST_F(ReadoutPaintTest, DecimalAndHexadecimalPicksDrawDifferentRows) {
    setPick(makeColor(0, 200, 100), 1);
    paintReadoutPanel(ReadoutWhole);
    const std::vector<std::uint32_t> hexadecimal = snapshot(canvas);
    fillCanvas(canvas, Stale);
    app.settings.pick.pickFormat = 0;
    paintReadoutPanel(ReadoutWhole);
    const RECT changed = changedBox(canvas, hexadecimal);
    EXPECT_GE(changed.top, BottomRowTop - 1);
    EXPECT_LE(changed.bottom, BottomRowTop + RowHeight + 1);
    EXPECT_GT(changed.right, changed.left);
}

TEST_F(ReadoutPaintTest, HoverOnlyRefreshTouchesNeitherStripNorFrame) {
    const COLORREF hover = makeColor(200, 100, 50);
    setHover(hover);
    paintReadoutPanel(ReadoutHover);
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelRight, PanelBottom, hover));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid - 73, 2));
    EXPECT_EQ(Stale, pixelAt(canvas, PanelMid + 72, 2));
    EXPECT_GT(darkInRow(TopRowTop), 20);
    EXPECT_GT(darkInRow(BottomRowTop), 20);
    expectNoFrame();
}

TEST_F(ReadoutPaintTest, HoverOnlyRefreshWithPickLeavesThePickedHalfAlone) {
    const COLORREF hover = makeColor(200, 100, 50);
    setHover(hover);
    setPick(makeColor(0, 200, 100), 1);
    paintReadoutPanel(ReadoutHover);
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelMid, PanelBottom, hover));
    EXPECT_EQ(0, countNot(PanelMid, PanelTop + 1, PanelRight, PanelBottom, Stale));
    EXPECT_GT(darkInRow(TopRowTop), 20);
    EXPECT_EQ(0, darkInRow(BottomRowTop));
    expectNoFrame();
}

// The mouse has left: the strip is cleared and the panel shows the
// background, but a hover-only refresh still draws no frame.
TEST_F(ReadoutPaintTest, HoverOnlyRefreshWithMouseOutsideClearsTheStrip) {
    paintReadoutPanel(ReadoutHover);
    EXPECT_EQ(0, countNot(PanelMid - 73, 0, PanelMid + 73, PanelTop - 1, Gray));
    EXPECT_EQ(0, countNot(PanelLeft, PanelTop + 1, PanelRight, PanelBottom, Gray));
    expectNoFrame();
}

// The opaque first copy of a new hover text takes the place of clearing.
TEST_F(ReadoutPaintTest, NewHoverTextReplacesTheOldOneCompletely) {
    setHover(makeColor(200, 100, 50));
    paintReadoutPanel(ReadoutWhole);
    setHover(makeColor(17, 234, 5));
    paintReadoutPanel(ReadoutHover);
    const std::vector<std::uint32_t> refreshed = snapshot(canvas);

    fillCanvas(canvas, Stale);
    paintReadoutPanel(ReadoutWhole);
    const RECT changed = changedBox(canvas, refreshed);
    EXPECT_EQ(changed.left, changed.right) << "differs at " << changed.left << "," << changed.top << "-"
                                           << changed.right << "," << changed.bottom;
}

class OutlinedTextTest : public ReadoutPaintTest {
protected:
    SIZE textSize(const wchar_t* text) {
        SIZE size = {};
        HGDIOBJ old = SelectObject(canvas.dc, gdi.valueFont);
        GetTextExtentPoint32W(canvas.dc, text, lstrlenW(text), &size);
        SelectObject(canvas.dc, old);
        return size;
    }
};

// The wipe covers all five copies, so that a text drawn over itself in a
// font that blends its edges comes out the same every time.
TEST_F(OutlinedTextTest, OpaqueModeWipesTheWholeOutlinedBox) {
    const wchar_t* text = L"AB 12";
    const SIZE size = textSize(text);
    ASSERT_GT(size.cx, 10);
    drawOutlinedText(1, 100, 200, gdi.valueFont, text);
    EXPECT_EQ(0, count(99, 199, 101 + size.cx, 201 + size.cy, Stale));
    EXPECT_GT(darkPixels(100, 200, 100 + size.cx, 200 + size.cy), 10);
    EXPECT_GT(countPixels(canvas, 99, 199, 102 + size.cx, 202 + size.cy, isNearWhite), 10);
    EXPECT_EQ(OPAQUE, GetBkMode(canvas.dc));
}

TEST_F(OutlinedTextTest, TransparentModeKeepsWhatIsBehind) {
    const wchar_t* text = L"AB 12";
    const SIZE size = textSize(text);
    // Over a plain background the text leaves some pixels as they were:
    // over an old picture it must leave the same ones, whatever the font.
    fillCanvas(canvas, Gray);
    drawOutlinedText(0, 100, 200, gdi.valueFont, text);
    const int untouched = count(99, 199, 102 + size.cx, 202 + size.cy, Gray);
    ASSERT_GT(untouched, 0);
    fillCanvas(canvas, Stale);
    drawOutlinedText(0, 100, 200, gdi.valueFont, text);
    EXPECT_EQ(count(99, 199, 102 + size.cx, 202 + size.cy, Stale), untouched);
    EXPECT_EQ(0, count(101, 201, 101 + size.cx, 201 + size.cy, Gray)) << "no background box";
    EXPECT_GT(darkPixels(100, 200, 100 + size.cx, 200 + size.cy), 10);
    EXPECT_GT(countPixels(canvas, 99, 199, 102 + size.cx, 202 + size.cy, isNearWhite), 10);
    EXPECT_EQ(OPAQUE, GetBkMode(canvas.dc));
}

// Five copies one pixel apart: nothing reaches beyond one pixel around the
// text's own box.
TEST_F(OutlinedTextTest, HaloStaysWithinOnePixelOfTheText) {
    const wchar_t* text = L"MW 88";
    const SIZE size = textSize(text);
    for (std::uint8_t mode = 0; mode < 2; ++mode) {
        fillCanvas(canvas, Stale);
        const std::vector<std::uint32_t> before = snapshot(canvas);
        drawOutlinedText(mode, 100, 200, gdi.valueFont, text);
        const RECT changed = changedBox(canvas, before);
        EXPECT_GE(changed.left, 99) << (int)mode;
        EXPECT_GE(changed.top, 199) << (int)mode;
        EXPECT_LE(changed.right, 102 + size.cx) << (int)mode;
        EXPECT_LE(changed.bottom, 202 + size.cy) << (int)mode;
    }
}

// A plain visible window of our own stands in for the main window, so that
// the overlay's invalidations can be read back as its update region.
class PickOverlayTest : public ReadoutPaintTest {
protected:
    void SetUp() override {
        ReadoutPaintTest::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZavrikOverlayTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 900, 600, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(nullptr, window);
        ShowWindow(window, SW_SHOWNA);
        shell.mainWindow = window;
        ValidateRect(window, nullptr);

        PickState& pick = app.settings.pick;
        pick.pickHexX = 220;
        pick.pickHexY = 266;
        pick.pickTriX = 566;
        pick.pickTriY = 253;
    }
    void TearDown() override {
        shell.mainWindow = nullptr;
        DestroyWindow(window);
        ReadoutPaintTest::TearDown();
    }

    // Compares the window's update region with the union of the rectangles.
    void expectInvalidated(std::initializer_list<RECT> rects) {
        HRGN expected = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& r : rects) {
            HRGN part = CreateRectRgnIndirect(&r);
            CombineRgn(expected, expected, part, RGN_OR);
            DeleteObject(part);
        }
        HRGN actual = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(window, actual, FALSE);
        RECT box = {};
        GetRgnBox(actual, &box);
        EXPECT_TRUE(EqualRgn(expected, actual))
            << "update box " << box.left << "," << box.top << "-" << box.right << "," << box.bottom;
        DeleteObject(expected);
        DeleteObject(actual);
        ValidateRect(window, nullptr);
    }

    void expectRing(int x, int y, COLORREF ink) {
        EXPECT_EQ(ink, pixelAt(canvas, x, y - 8)) << x << "," << y;
        EXPECT_EQ(ink, pixelAt(canvas, x, y + 7)) << x << "," << y;
        EXPECT_EQ(White, pixelAt(canvas, x, y - 10)) << x << "," << y;
        EXPECT_EQ(White, pixelAt(canvas, x, y + 9)) << x << "," << y;
        EXPECT_EQ(Stale, pixelAt(canvas, x, y)) << "rings are not filled";
    }

    HWND window = nullptr;
};

const RECT GlyphBox = {PanelRight + 2, PanelTop + 3, PanelRight + 22, PanelTop + 21};
const RECT LineBox = {210, 243, 576, 276};

TEST_F(PickOverlayTest, LineBoxIsTheHandWorkedOne) {
    const WindowRect box = pickLineBox();
    EXPECT_EQ(LineBox.left, box.left);
    EXPECT_EQ(LineBox.top, box.top);
    EXPECT_EQ(LineBox.right, box.right);
    EXPECT_EQ(LineBox.bottom, box.bottom);
}

// The glyph's box beside the panel, and as much more as the glyph measures
// in its font with its one-pixel outline: however the platform draws it.
TEST_F(PickOverlayTest, HideRequestErasesTheGlyphAndTheLineOfAnActivePick) {
    SelectObject(shell.drawingDC, gdi.symbolFont);
    SIZE glyph = {0, 0};
    GetTextExtentPoint32W(shell.drawingDC, L"\U0001F50E", 2, &glyph);
    const RECT drawn = {PanelRight + 3, PanelTop - 1, PanelRight + 5 + glyph.cx, PanelTop + glyph.cy + 1};
    RECT glyphBox;
    UnionRect(&glyphBox, &GlyphBox, &drawn);
    app.settings.pick.pickActive = 0;
    drawPickOverlay(OverlayHide);
    expectInvalidated({glyphBox});
    app.settings.pick.pickActive = 1;
    drawPickOverlay(OverlayHide);
    expectInvalidated({glyphBox, LineBox});
}

TEST_F(PickOverlayTest, EraseLineRequestIgnoresWhetherAPickIsActive) {
    app.settings.pick.pickActive = 0;
    drawPickOverlay(OverlayEraseLine);
    expectInvalidated({LineBox});
    app.settings.pick.pickActive = 1;
    drawPickOverlay(OverlayEraseLine);
    expectInvalidated({LineBox});
}

TEST_F(PickOverlayTest, OtherRequestsEraseTheLineOnlyOfAnActivePick) {
    for (int request : {11, 15, 19, 21, 127}) {
        app.settings.pick.pickActive = 0;
        drawPickOverlay((std::int8_t)request);
        expectInvalidated({});
        app.settings.pick.pickActive = 1;
        drawPickOverlay((std::int8_t)request);
        expectInvalidated({LineBox});
    }
    EXPECT_EQ(0, countNot(0, 0, 900, 600, Stale)) << "requests never draw";
}

TEST_F(PickOverlayTest, HiddenOverlayDrawsAndErasesNothing) {
    app.settings.pick.pickActive = 1;
    for (int mark : {-1, -2, -3, -4, -128}) {
        drawPickOverlay((std::int8_t)mark);
        expectInvalidated({});
    }
    EXPECT_EQ(0, countNot(0, 0, 900, 600, Stale));
}

TEST_F(PickOverlayTest, WithoutPickOnlyTheLensGlyphIsDrawn) {
    app.settings.pick.pickActive = 0;
    drawPickOverlay(3);
    expectInvalidated({});
    const RECT changed = changedBox(canvas, std::vector<std::uint32_t>(900 * 600, pixelFromColor(Stale)));
    EXPECT_GE(changed.left, PanelRight + 2) << "the glyph's own box, clear of the panel";
    EXPECT_GE(changed.top, PanelTop - 1);
    EXPECT_LE(changed.right, PanelRight + 4 + 40);
    EXPECT_LE(changed.bottom, PanelTop + 40);
    EXPECT_GT(darkPixels(PanelRight + 3, PanelTop - 1, PanelRight + 44, PanelTop + 40), 5) << "lens glyph";
}

struct RingCase {
    int mark;
    COLORREF hexagonRing;
    COLORREF triangleRing;
};

TEST_F(PickOverlayTest, RingsAreBlackWhileTheirChartStillShowsThePick) {
    const RingCase cases[] = {
        {3, Black, Black}, {1, Black, Grey3}, {2, Grey3, Black}, {4, Grey3, Grey3},
        {0, Grey3, Grey3}, {5, Grey3, Grey3}, {9, Grey3, Grey3},
    };
    app.settings.pick.pickActive = 1;
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.mark);
        fillCanvas(canvas, Stale);
        drawPickOverlay((std::int8_t)c.mark);
        expectRing(220, 266, c.hexagonRing);
        expectRing(566, 253, c.triangleRing);
        expectInvalidated({});
    }
}

// Shortened by the ring radius: from (228, 266) to (558, 253), a 3-pixel
// black line on a 5-pixel white one.
TEST_F(PickOverlayTest, LineRunsBetweenTheRingsBlackOnWhite) {
    app.settings.pick.pickActive = 1;
    drawPickOverlay(3);
    for (int y = 259; y <= 261; ++y)
        EXPECT_EQ(Black, pixelAt(canvas, 393, y)) << y;
    EXPECT_EQ(White, pixelAt(canvas, 393, 258));
    EXPECT_EQ(White, pixelAt(canvas, 393, 262));
    EXPECT_EQ(Stale, pixelAt(canvas, 393, 256));
    EXPECT_EQ(Stale, pixelAt(canvas, 393, 264));
    EXPECT_EQ(Black, pixelAt(canvas, 240, 266));
    EXPECT_EQ(Black, pixelAt(canvas, 548, 253));
}

TEST_F(PickOverlayTest, SliceMarkerIsDrawnAgainOverTheLine) {
    app.settings.pick.pickActive = 1;
    drawPickOverlay(3);
    ClientPoint corners[3];
    sliceMarkerPolygon(true, corners);
    EXPECT_EQ(Black, pixelAt(canvas, (corners[0].x + corners[1].x + corners[2].x) / 3,
                             (corners[0].y + corners[1].y + corners[2].y) / 3));
    EXPECT_EQ(White, pixelAt(canvas, corners[0].x, corners[0].y));
}

// An end less than 10 pixels below the panel's bottom has the panel painted
// over the overlay; an end less than 30 above the strip has the strip.
TEST_F(PickOverlayTest, PanelAndStripArePaintedAgainOnlyWhereTheLineReaches) {
    app.settings.pick.pickActive = 1;
    const int swatchX = swatchLeft(3) + 2;
    const int swatchY = app.layout.stripBottom - 2;
    drawPickOverlay(3);
    EXPECT_EQ(Stale, pixelAt(canvas, PanelLeft + 2, PanelBottom - 2));
    EXPECT_EQ(Stale, pixelAt(canvas, swatchX, swatchY));

    struct Reach {
        int triangleY;
        bool panel;
        bool strip;
    };
    const int stripTop = app.layout.stripTop;
    const Reach reaches[] = {
        {PanelBottom + 9, true, false}, {PanelBottom + 10, false, false},
        {stripTop - 29, false, true},   {stripTop - 30, false, false},
    };
    for (const Reach& r : reaches) {
        SCOPED_TRACE(r.triangleY);
        fillCanvas(canvas, Stale);
        app.settings.pick.pickTriY = r.triangleY;
        drawPickOverlay(3);
        EXPECT_EQ(r.panel ? Gray : Stale, pixelAt(canvas, PanelLeft + 2, PanelBottom - 2));
        EXPECT_EQ(r.strip ? Gray : Stale, pixelAt(canvas, swatchX, swatchY));
        expectInvalidated({});
    }
}

}  // namespace
