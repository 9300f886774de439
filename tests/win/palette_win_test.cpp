// The palette strip painted into a memory bitmap and read back, and the
// palette's exchanges with the real clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "beep_hook.h"
#include "clipboard_support.h"
#include "palette/palette_model.h"
#include "palette/palette_win.h"
#include "paint_canvas.h"

namespace {


const COLORREF Red = 0x0000FF;
const COLORREF Green = 0x00FF00;

class PaletteStripTest : public StaleCanvasTest {
protected:

    void setDistinctPalette() {
        for (int k = 0; k < PaletteSlots; ++k)
            app.settings.palette[k] = makeColor(k * 15, 255 - k * 10, k * 7 + 3);
    }

    int top() const { return app.layout.stripTop; }
    int bottom() const { return app.layout.stripBottom; }

    // Rows stripTop + 1 .. stripBottom - 1: what setSlot repaints.
    void expectSwatchInside(int k, COLORREF c) {
        EXPECT_EQ(0, countNot(swatchLeft(k), top() + 1, swatchRight(k), bottom(), c)) << "slot " << k;
    }
};

TEST_F(PaletteStripTest, LayoutIsTheOneTheseTestsAssume) {
    EXPECT_EQ(377, app.layout.stripLeft);
    EXPECT_EQ(780, app.layout.stripRight);
    EXPECT_EQ(550, app.layout.stripTop);
    EXPECT_EQ(592, app.layout.stripBottom);
    EXPECT_EQ(3, swatchGap());
}

TEST_F(PaletteStripTest, SwatchesAreSunkenFillsWithTheirColour) {
    setDistinctPalette();
    paintPaletteStrip();
    for (int k = 0; k < PaletteSlots; ++k) {
        SCOPED_TRACE(k);
        const int left = swatchLeft(k);
        const int right = swatchRight(k);
        expectSwatchInside(k, app.settings.palette[k]);
        EXPECT_EQ(0, countNot(left, top(), right, top() + 1, Black)) << "top edge";
        EXPECT_EQ(0, countNot(left - 1, top(), left, bottom(), Black)) << "left edge";
        EXPECT_EQ(0, countNot(left, bottom(), right, bottom() + 1, White)) << "bottom edge";
        EXPECT_EQ(0, countNot(right, top() + 1, right + 1, bottom() + 1, White)) << "right edge";
        EXPECT_EQ(Stale, pixelAt(canvas, right, top())) << "the last point of a line is left out";
        EXPECT_EQ(Stale, pixelAt(canvas, left - 1, bottom()));
        if (k < PaletteSlots - 1) {
            EXPECT_EQ(0, countNot(right + 1, top(), swatchLeft(k + 1) - 1, bottom() + 1, Stale)) << "gap";
        }
        EXPECT_EQ(Stale, pixelAt(canvas, (left + right) / 2, bottom() + 1));
        const int labelX = left + labelOffset();
        EXPECT_GT(countPixels(canvas, labelX - 1, top() - 21, labelX + 16, top() - 1, isDark), 3) << "letter";
    }
}

TEST_F(PaletteStripTest, LettersAreDrawnOpaqueOverWhateverStoodThere) {
    paintPaletteStrip();
    HGDIOBJ old = SelectObject(canvas.dc, gdi.valueFont);
    for (int k = 0; k < PaletteSlots; ++k) {
        const wchar_t letter[2] = {(wchar_t)slotLetter(k), 0};
        SIZE size = {};
        GetTextExtentPoint32W(canvas.dc, letter, 1, &size);
        const int x = swatchLeft(k) + labelOffset() + 1;
        const int y = top() - 20 + 1;
        EXPECT_EQ(0, countPixels(canvas, x, y, x + size.cx, y + size.cy, [](COLORREF p) { return p == Stale; }))
            << "slot " << k;
    }
    SelectObject(canvas.dc, old);
}

TEST_F(PaletteStripTest, SetSlotRepaintsOnlyTheInsideOfItsSwatch) {
    setDistinctPalette();
    paintPaletteStrip();
    const COLORREF c = makeColor(1, 2, 3);
    for (int k = 0; k < PaletteSlots; ++k) {
        SCOPED_TRACE(k);
        const std::vector<std::uint32_t> before = snapshot(canvas);
        setSlot(k, c);
        EXPECT_EQ(c, app.settings.palette[k]);
        expectSwatchInside(k, c);
        const RECT changed = changedBox(canvas, before);
        EXPECT_EQ(swatchLeft(k), changed.left);
        EXPECT_EQ(top() + 1, changed.top);
        EXPECT_EQ(swatchRight(k), changed.right);
        EXPECT_EQ(bottom(), changed.bottom);
    }
}

TEST_F(PaletteStripTest, SetSlotOutsideTheStripChangesNothing) {
    setDistinctPalette();
    paintPaletteStrip();
    COLORREF palette[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, palette);
    const std::vector<std::uint32_t> before = snapshot(canvas);
    for (int slot : {-1, 16, 100, -100000})
        setSlot(slot, Red);
    EXPECT_TRUE(std::equal(palette, palette + PaletteSlots, app.settings.palette));
    const RECT changed = changedBox(canvas, before);
    EXPECT_EQ(changed.left, changed.right);
}

TEST_F(PaletteStripTest, FillAllSlotsSetsEverySwatch) {
    setDistinctPalette();
    paintPaletteStrip();
    const std::vector<std::uint32_t> before = snapshot(canvas);
    fillAllSlots(Red);
    int inside = 0;
    for (int k = 0; k < PaletteSlots; ++k) {
        EXPECT_EQ(Red, app.settings.palette[k]);
        expectSwatchInside(k, Red);
        inside += (swatchRight(k) - swatchLeft(k)) * (bottom() - top() - 1);
    }
    int changed = 0;
    for (std::size_t p = 0; p < before.size(); ++p)
        changed += (canvas.bits[p] & 0xFFFFFF) != before[p];
    EXPECT_EQ(inside, changed);
}

struct GradientCase {
    int a;
    int b;
    COLORREF lowSlotColour;    // of the lower of the two slots
    COLORREF highSlotColour;
    int firstChanged;     // slots firstChanged .. lastChanged get expected[]
    int lastChanged;
    COLORREF expected[4];
};

TEST_F(PaletteStripTest, GradientsFillTheSlotsBetweenTheirEnds) {
    const GradientCase cases[] = {
        {0, 3, Black, makeColor(30, 60, 90), 1, 2, {makeColor(10, 20, 30), makeColor(20, 40, 60)}},
        {3, 0, Black, makeColor(30, 60, 90), 1, 2, {makeColor(10, 20, 30), makeColor(20, 40, 60)}},
        {0, 2, Black, White, 1, 1, {0x808080}},
        {0, 2, White, Black, 1, 1, {0x7F7F7F}},
        {2, 5, makeColor(0, 0, 0), makeColor(0, 0, 255), 3, 4, {makeColor(0, 0, 85), makeColor(0, 0, 170)}},
        {5, 2, makeColor(0, 0, 0), makeColor(0, 0, 255), 3, 4, {makeColor(0, 0, 85), makeColor(0, 0, 170)}},
        {4, 5, Red, Green, 0, -1, {}},
        {4, 4, Red, Green, 0, -1, {}},
        {10, 15, makeColor(200, 0, 100), makeColor(0, 250, 100), 11, 14,
         {makeColor(160, 50, 100), makeColor(120, 100, 100), makeColor(80, 150, 100), makeColor(40, 200, 100)}},
    };
    for (const GradientCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " to " << c.b);
        setDistinctPalette();
        app.settings.palette[std::min(c.a, c.b)] = c.lowSlotColour;
        app.settings.palette[std::max(c.a, c.b)] = c.highSlotColour;
        fillCanvas(canvas, Stale);
        paintPaletteStrip();
        COLORREF expected[PaletteSlots];
        std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
        for (int k = c.firstChanged; k <= c.lastChanged; ++k)
            expected[k] = c.expected[k - c.firstChanged];
        const std::vector<std::uint32_t> before = snapshot(canvas);

        fillGradient(c.a, c.b);
        for (int k = 0; k < PaletteSlots; ++k) {
            EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
            expectSwatchInside(k, expected[k]);
        }
        if (c.lastChanged < c.firstChanged) {
            const RECT changed = changedBox(canvas, before);
            EXPECT_EQ(changed.left, changed.right) << "nothing repainted";
        }
    }
}

TEST_F(PaletteStripTest, GradientWithASlotOutsideTheStripChangesNothing) {
    setDistinctPalette();
    COLORREF palette[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, palette);
    const std::vector<std::uint32_t> before = snapshot(canvas);
    fillGradient(-1, 3);
    fillGradient(2, 16);
    fillGradient(-5, 40);
    EXPECT_TRUE(std::equal(palette, palette + PaletteSlots, app.settings.palette));
    const RECT changed = changedBox(canvas, before);
    EXPECT_EQ(changed.left, changed.right);
}

// The window's part of a clipboard exchange: what a worker posts to the main
// window goes to the clipboard code, as the window procedure hands it on.
LRESULT CALLBACK clipboardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ClipboardDoneMessage) {
        onClipboardDone(wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The clipboard needs an owner window; a hidden plain window of our own
// stands in for the main window.
// Opens the clipboard once another thread's hold on it ends.
bool openClipboardSoon(HWND window) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (OpenClipboard(window))
            return true;
        Sleep(10);
    }
    return false;
}

class ClipboardTest : public PaletteStripTest {
protected:
    void SetUp() override {
        PaletteStripTest::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = clipboardWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZavrikClipboardTestWindow";
        RegisterClassW(&wc);
        owner = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                nullptr);
        other = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                nullptr);
        ASSERT_NE(nullptr, owner);
        ASSERT_NE(nullptr, other);
        shell.mainWindow = owner;
        paintPaletteStrip();
        beepsBefore = beepsSoFar();
    }
    void TearDown() override {
        dropClipboardWork();   // as the main window does when it goes
        shell.mainWindow = nullptr;
        DestroyWindow(other);
        DestroyWindow(owner);
        PaletteStripTest::TearDown();
    }

    // Places count UTF-16 units as they are, with or without a zero among
    // them, once a paste the window dropped has let go of the clipboard.
    void putText(const wchar_t* units, std::size_t count) {
        ASSERT_TRUE(openClipboardSoon(other));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, count * sizeof(wchar_t));
        ASSERT_NE(nullptr, memory);
        CopyMemory(GlobalLock(memory), units, count * sizeof(wchar_t));
        GlobalUnlock(memory);
        EXPECT_NE(nullptr, SetClipboardData(CF_UNICODETEXT, memory));
        CloseClipboard();
    }

    void putText(const std::wstring& text) { putText(text.c_str(), text.size() + 1); }

    std::wstring clipboardText() {
        std::wstring text;
        if (!OpenClipboard(other))
            return L"<clipboard would not open>";
        HANDLE memory = GetClipboardData(CF_UNICODETEXT);
        if (memory) {
            const wchar_t* units = (const wchar_t*)GlobalLock(memory);
            const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
            std::size_t n = 0;
            while (n < capacity && units[n] != 0)
                ++n;
            text.assign(units, n);
            if (n == capacity)
                text += L"<no terminating zero>";
            GlobalUnlock(memory);
        }
        CloseClipboard();
        return text;
    }

    std::wstring textOf(const COLORREF palette[PaletteSlots]) {
        char16_t text[PaletteTextCapacity];
        const int length = formatPaletteText(palette, text);
        return std::wstring(text, text + length);
    }

    void expectPalette(const COLORREF expected[PaletteSlots]) {
        for (int k = 0; k < PaletteSlots; ++k) {
            EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
            expectSwatchInside(k, expected[k]);
        }
    }

    int beepsSince() const { return beepsSoFar() - beepsBefore; }

    HWND owner = nullptr;
    HWND other = nullptr;
    int beepsBefore = 0;
};

TEST_F(ClipboardTest, CopyPutsTheDefaultPaletteAsOneGroup) {
    copyPalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    EXPECT_EQ(L"ABCDEFGHIJKLMNOZ(c8c8c8)", clipboardText());
    EXPECT_EQ(0, beepsSince());
}

TEST_F(ClipboardTest, CopyGroupsSlotsOfOneColourInOrderOfTheirFirstSlot) {
    app.settings.palette[0] = Red;
    app.settings.palette[2] = Red;
    copyPalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(L"AC(ff0000) BDEFGHIJKLMNOZ(c8c8c8)", clipboardText());

    app.settings.palette[15] = makeColor(0x12, 0xAB, 0xEF);
    app.settings.palette[1] = makeColor(0x12, 0xAB, 0xEF);
    copyPalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(L"AC(ff0000) BZ(12abef) DEFGHIJKLMNO(c8c8c8)", clipboardText());
}

TEST_F(ClipboardTest, CopyOfSixteenColoursIsTheLongestText) {
    setDistinctPalette();
    copyPalette();
    ASSERT_TRUE(finishClipboardWork());
    const std::wstring text = clipboardText();
    EXPECT_EQ(159u, text.size());
    EXPECT_EQ(L"A(", text.substr(0, 2));
    EXPECT_EQ(L" Z(", text.substr(149, 3));
    EXPECT_EQ(L')', text.back());
}

TEST_F(ClipboardTest, CopyDoesNothingWhileAnotherWindowHoldsTheClipboard) {
    putText(L"left alone");
    ASSERT_TRUE(OpenClipboard(other));
    copyPalette();
    EXPECT_TRUE(finishClipboardWork());
    CloseClipboard();
    EXPECT_EQ(L"left alone", clipboardText());
}

struct PasteCase {
    const wchar_t* text;
    int slots[3];          // slots expected to change, -1 for none
    COLORREF colour;
};

TEST_F(ClipboardTest, PasteSetsTheSlotsEachGroupNames) {
    const PasteCase cases[] = {
        {L"AB(ff0000)", {0, 1, -1}, Red},
        {L"a(ff0000)", {-1, -1, -1}, 0},
        {L"P(00ff00)", {15, -1, -1}, Green},
        {L"Z(00ff00)", {15, -1, -1}, Green},
        {L"A(f)", {0, -1, -1}, 0x00000F},
        {L"A(12345678)", {0, -1, -1}, makeColor(0x12, 0x34, 0x56)},
        {L"A(ff 00-80)", {0, -1, -1}, makeColor(0xFF, 0x00, 0x80)},
        {L"AB(ff0000", {-1, -1, -1}, 0},
        {L"A(ff0000)(00ff00)", {0, -1, -1}, Red},
        {L"(ff0000)", {-1, -1, -1}, 0},
        {L"C()", {2, -1, -1}, Black},
        {L"no colours here", {-1, -1, -1}, 0},
        {L"", {-1, -1, -1}, 0},
        {L"xxDxxOxx(AbCdEf) trailing M N", {3, 14, -1}, makeColor(0xAB, 0xCD, 0xEF)},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "pasting " << std::string(c.text, c.text + wcslen(c.text)));
        setDistinctPalette();
        paintPaletteStrip();
        COLORREF expected[PaletteSlots];
        std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
        for (int slot : c.slots)
            if (slot >= 0)
                expected[slot] = c.colour;
        putText(c.text);
        pastePalette();
        ASSERT_TRUE(finishClipboardWork());
        EXPECT_EQ(nullptr, GetOpenClipboardWindow());
        expectPalette(expected);
    }
    EXPECT_EQ(0, beepsSince());
}

TEST_F(ClipboardTest, PasteOfTwoGroupsSetsEachGroupsSlots) {
    putText(L"AC(ff0000) BDEFGHIJKLMNOZ(00ff00)");
    pastePalette();
    ASSERT_TRUE(finishClipboardWork());
    COLORREF expected[PaletteSlots];
    for (int k = 0; k < PaletteSlots; ++k)
        expected[k] = Green;
    expected[0] = Red;
    expected[2] = Red;
    expectPalette(expected);
}

// Text from another program need not end in a zero. (Wine's clipboard
// writes a zero into the last unit of such text, so the blocks are also
// handed to the reading half directly below.)
TEST_F(ClipboardTest, PasteOfTextWithoutTerminatingZero) {
    const std::wstring text = L"A(ff0000)B";
    putText(text.data(), text.size());
    pastePalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    EXPECT_EQ(Red, app.settings.palette[0]);
    EXPECT_EQ(DefaultGray, app.settings.palette[1]);
}

// A text as long as pasteLength units, zero included: filler, then "A(ff0000)".
std::wstring textEndingInRed(std::size_t pasteLength) {
    std::wstring text(pasteLength - 1, L'-');
    text.replace(text.size() - 9, 9, L"A(ff0000)");
    return text;
}

// A text past the bound is ignored whole, with a beep; one at the bound or
// just under it is pasted.
TEST_F(ClipboardTest, TextPastTheBoundIsIgnoredWhole) {
    struct BoundCase {
        std::size_t units;   // the text's length
        bool pasted;
    };
    const BoundCase cases[] = {{MaxPasteTextUnits - 1, true}, {MaxPasteTextUnits, true},
                               {MaxPasteTextUnits + 1, false}};
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(c.units);
        setDistinctPalette();
        paintPaletteStrip();
        COLORREF expected[PaletteSlots];
        std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
        if (c.pasted)
            expected[0] = Red;
        putText(textEndingInRed(c.units + 1));
        const int beeps = beepsSoFar();
        pastePalette();
        ASSERT_TRUE(finishClipboardWork());
        expectPalette(expected);
        EXPECT_EQ(c.pasted ? 0 : 1, beepsSoFar() - beeps);
    }
}

// A paste repaints, once, only the swatches whose colour it changes, and
// leaves every slot as setting them letter by letter would: the last group
// naming a slot wins, however many letters come before its "(".
TEST_F(ClipboardTest, PasteRepaintsOnlyTheSwatchesItChanges) {
    setDistinctPalette();
    paintPaletteStrip();
    const COLORREF keptC = app.settings.palette[2];
    fillCanvas(canvas, Stale);
    wchar_t keptGroup[16];
    wsprintfW(keptGroup, L" C(%02x%02x%02x)", redOf(keptC), greenOf(keptC), blueOf(keptC));
    const std::wstring text = std::wstring(100000, L'A') + L"B(ff0000) A(00ff00)" + keptGroup;
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
    expected[0] = Green;
    expected[1] = Red;
    putText(text);
    pastePalette();
    ASSERT_TRUE(finishClipboardWork());
    for (int k = 0; k < PaletteSlots; ++k) {
        EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
        if (k < 2)
            expectSwatchInside(k, expected[k]);
        else
            EXPECT_EQ(0, countNot(swatchLeft(k), top() + 1, swatchRight(k), bottom(), Stale)) << "slot " << k;
    }
}

HGLOBAL globalBlock(const std::wstring& units) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, units.size() * sizeof(wchar_t));
    CopyMemory(GlobalLock(memory), units.data(), units.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

// The reading half on a block, and the window's half on what it read.
void pasteBlock(HGLOBAL memory) {
    PastedSlots slots;
    if (readPasteBlock(memory, slots) == PasteFoundText)
        setNamedSlots(slots);
}

struct BlockCase {
    std::wstring units;
    int slots[2];      // -1 for none
    COLORREF colour;
};

TEST_F(ClipboardTest, BlockIsReadToItsLastUnitAndNoFurtherThanAZero) {
    const BlockCase cases[] = {
        {L"AB(00ff00)", {0, 1}, Green},
        {L"A(ff0000)B", {0, -1}, Red},
        {L"AB(ff0000", {-1, -1}, 0},
        {std::wstring(L"A(ff0000)\0B(00ff00)", 19), {0, -1}, Red},
        {std::wstring(L"\0AB(ff0000)", 11), {-1, -1}, 0},
    };
    for (const BlockCase& c : cases) {
        setDistinctPalette();
        paintPaletteStrip();
        COLORREF expected[PaletteSlots];
        std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
        for (int slot : c.slots)
            if (slot >= 0)
                expected[slot] = c.colour;
        HGLOBAL memory = globalBlock(c.units);
        pasteBlock(memory);
        GlobalFree(memory);
        expectPalette(expected);
    }
}

TEST_F(ClipboardTest, BlockThatWillNotLockChangesNothing) {
    HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_EQ(nullptr, GlobalLock(discarded));
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
    pasteBlock(discarded);
    expectPalette(expected);
    GlobalFree(discarded);
}

TEST_F(ClipboardTest, PasteWithoutTextOrWithTheClipboardHeldChangesNothing) {
    setDistinctPalette();
    paintPaletteStrip();
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);

    ASSERT_TRUE(OpenClipboard(other));
    EmptyClipboard();
    CloseClipboard();
    pastePalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    expectPalette(expected);

    putText(L"AB(ff0000)");
    ASSERT_TRUE(OpenClipboard(other));
    pastePalette();
    EXPECT_TRUE(finishClipboardWork());
    EXPECT_EQ(other, GetOpenClipboardWindow());
    CloseClipboard();
    expectPalette(expected);
}

// Until another thread's hold on the clipboard ends.
bool clipboardOpensAgain(HWND window) {
    return openClipboardSoon(window) && CloseClipboard();
}

// Text there to be read is pasted, whether its owner renders it on request
// or has rendered it and is busy for long.
TEST_F(ClipboardTest, PasteTakesTextThatIsThereWhateverItsOwnerDoes) {
    for (OwnerMode mode : {RendersOnRequest, BusyWithRenderedText}) {
        SCOPED_TRACE(mode == RendersOnRequest ? "renders on request" : "busy");
        fillAllSlots(0);
        TextOwner owner(mode);
        pastePalette();
        owner.stopStalling();
        ASSERT_TRUE(finishClipboardWork());
        EXPECT_EQ(Red, app.settings.palette[0]);
        EXPECT_EQ(Red, app.settings.palette[1]);
        EXPECT_TRUE(clipboardOpensAgain(other));
    }
}

// Were the paste to wait for a hung owner, it would never return: the
// owner's thread is let go only after it has. The text lands once the owner
// answers.
TEST_F(ClipboardTest, PasteReturnsWhenTheOwnerOfUnrenderedTextDoesNotAnswer) {
    TextOwner owner(HangsUnrendered);
    setDistinctPalette();
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
    pastePalette();
    owner.stopStalling();
    ASSERT_TRUE(finishClipboardWork());
    expected[0] = expected[1] = Red;
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
    EXPECT_EQ(0, beepsSince());
}

// A copy empties the clipboard, which tells its owner so and, under Wine,
// waits for that owner to answer: were the copy to wait for a busy one, it
// would never return, as the owner is let go only after it has. The text
// arrives once the owner answers, without a beep.
TEST_F(ClipboardTest, CopyReturnsWhileThePreviousOwnerIsBusy) {
    TextOwner owner(BusyWithRenderedText);
    copyPalette();
    owner.stopStalling();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(L"ABCDEFGHIJKLMNOZ(c8c8c8)", clipboardText());
    EXPECT_EQ(0, beepsSince());
}

// A paste asked for while a copy still waits for the previous owner reads
// what that copy wrote, not what stood there before nor the palette of now.
TEST_F(ClipboardTest, APasteAfterACopyReadsWhatTheCopyWrote) {
    TextOwner owner(BusyWithRenderedText);
    setDistinctPalette();
    COLORREF copied[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, copied);
    copyPalette();
    fillAllSlots(Green);
    pastePalette();
    owner.stopStalling();
    ASSERT_TRUE(finishClipboardWork());
    expectPalette(copied);
    EXPECT_EQ(textOf(copied), clipboardText());
    EXPECT_EQ(0, beepsSince());
}

// A copy asked for while a paste still waits for a hung owner puts out the
// palette as it was asked for, with that paste applied. A second request of
// a kind still out does nothing but beep.
TEST_F(ClipboardTest, ACopyAfterAPastePutsOutThePastedPalette) {
    TextOwner owner(HangsUnrendered);
    setDistinctPalette();
    pastePalette();
    pastePalette();
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
    copyPalette();
    app.settings.palette[5] = Green;   // after the copy: not in its text
    copyPalette();
    EXPECT_EQ(2, beepsSince());
    owner.stopStalling();
    ASSERT_TRUE(finishClipboardWork());
    expected[0] = expected[1] = Red;
    EXPECT_EQ(textOf(expected), clipboardText());
    expected[5] = Green;
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
    EXPECT_EQ(2, beepsSince());
}

// A paste still out when the window goes is dropped; the next window's
// pastes work.
TEST_F(ClipboardTest, APasteOutWhenTheWindowGoesIsDropped) {
    setDistinctPalette();
    COLORREF expected[PaletteSlots];
    std::copy(app.settings.palette, app.settings.palette + PaletteSlots, expected);
    {
        TextOwner owner(HangsUnrendered);
        pastePalette();
        dropClipboardWork();
        EXPECT_FALSE(clipboardWorkOutstanding());
    }
    EXPECT_TRUE(clipboardOpensAgain(other));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    for (int k = 0; k < PaletteSlots; ++k)
        EXPECT_EQ(expected[k], app.settings.palette[k]) << "slot " << k;
    putText(L"C(00ff00)");
    pastePalette();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(Green, app.settings.palette[2]);
}

// Another program holding the clipboard for a moment delays a paste and a
// copy; it does not lose them. (Were the workers to start only after the
// hold, this would pass without showing it.)
TEST_F(ClipboardTest, AMomentaryHoldOfAnotherProgramLosesNothing) {
    putText(L"C(00ff00)");
    ASSERT_TRUE(OpenClipboard(other));
    pastePalette();
    Sleep(100);
    CloseClipboard();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(Green, app.settings.palette[2]);
    ASSERT_TRUE(OpenClipboard(other));
    copyPalette();
    Sleep(100);
    CloseClipboard();
    ASSERT_TRUE(finishClipboardWork());
    EXPECT_EQ(textOf(app.settings.palette), clipboardText());
}

// Write, read back, compare: palettes with repeated colours in random places.
// Each paste is asked for at once after its copy and reads what it wrote.
TEST_F(ClipboardTest, CopiedPaletteIsPastedBackUnchanged) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        COLORREF choices[5];
        for (COLORREF& c : choices)
            c = random() & 0xFFFFFF;
        COLORREF original[PaletteSlots];
        for (int k = 0; k < PaletteSlots; ++k)
            original[k] = (round % 4 == 0) ? (random() & 0xFFFFFF) : choices[random() % 5];
        std::copy(original, original + PaletteSlots, app.settings.palette);
        copyPalette();
        fillAllSlots(makeColor(1, 1, 1));
        pastePalette();
        ASSERT_TRUE(finishClipboardWork());
        expectPalette(original);
    }
    EXPECT_EQ(0, beepsSince());
}

}  // namespace
