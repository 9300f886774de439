#include "palette/palette_win.h"

#include "paint/draw_win.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"

static bool isSlot(int k) {
    return k >= 0 && k < PaletteSlots;
}

static void drawSwatch(int k) {
    const Layout& L = app.layout;
    const int left = swatchLeft(k);
    const int right = swatchRight(k);
    fillColorRect(left, L.stripTop, right, L.stripBottom, app.settings.palette[k]);
    drawSunkenFrame(left, L.stripTop, right, L.stripBottom);
}

static void drawSlotLabel(int k) {
    const wchar_t label[2] = {(wchar_t)slotLetter(k), 0};
    drawOutlinedLabel(1, swatchLeft(k) + labelOffset(), app.layout.stripTop - 20, gdi.valueFont, label);
}

void paintPaletteStrip() {
    for (int k = 0; k < PaletteSlots; ++k) {
        drawSwatch(k);
        drawSlotLabel(k);
    }
}

void setSlot(int slot, COLORREF c) {
    if (!isSlot(slot))
        return;
    app.settings.palette[slot] = c;
    // One row below the top: the black top edge stays as it is.
    const Layout& L = app.layout;
    fillColorRect(swatchLeft(slot), L.stripTop + 1, swatchRight(slot), L.stripBottom, c);
}

void fillAllSlots(COLORREF c) {
    for (int k = 0; k < PaletteSlots; ++k)
        setSlot(k, c);
}

void fillGradient(int a, int b) {
    if (!isSlot(a) || !isSlot(b))
        return;
    if (b < a) {
        const int t = a;
        a = b;
        b = t;
    }
    if (b - a < 2)
        return;
    COLORREF graded[PaletteSlots];
    gradientColors(app.settings.palette, a, b, graded);
    for (int k = a + 1; k < b; ++k)
        setSlot(k, graded[k]);
}

// Hands a text to the open clipboard; the memory belongs to the clipboard
// once SetClipboardData accepts it.
static void placeClipboardText(const char16_t* text, int length) {
    const SIZE_T bytes = (SIZE_T)(length + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (!memory)
        return;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return;
    }
    CopyMemory(target, text, bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
}

void copyPalette() {
    char16_t text[PaletteTextCapacity];
    const int length = formatPaletteText(app.settings.palette, text);
    if (!OpenClipboard(shell.mainWindow))
        return;
    if (EmptyClipboard())
        placeClipboardText(text, length);
    CloseClipboard();
}

static void setSlotFromText(int slot, COLORREF c, void*) {
    setSlot(slot, c);
}

void pasteTextBlock(HANDLE memory) {
    const void* text = GlobalLock(memory);
    if (text) {
        const std::size_t units = GlobalSize(memory) / sizeof(char16_t);
        parsePaletteText((const char16_t*)text, units, setSlotFromText, nullptr);
    }
    GlobalUnlock(memory);
}

// Text another program offers without having rendered it is asked for with a
// message to its owner that GetClipboardData waits for without end. An owner
// that does not answer at once (a clipboard manager stalled under Wine, a
// program that hangs) must not hang this window with it.
const UINT OwnerAnswerTimeoutMs = 500;

static bool ownerAnswers() {
    HWND owner = GetClipboardOwner();
    if (owner == NULL || owner == shell.mainWindow)
        return true;  // nothing to render, or rendered by this thread
    // Not SMTO_BLOCK: an owner that sends this window a message of its own
    // meanwhile (WM_DESTROYCLIPBOARD, say) is answered while we wait.
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, OwnerAnswerTimeoutMs,
                               &result) != 0;
}

void pastePalette() {
    if (!OpenClipboard(shell.mainWindow))
        return;
    if (!ownerAnswers()) {
        CloseClipboard();
        return;
    }
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (memory)
        pasteTextBlock(memory);
    CloseClipboard();
}
