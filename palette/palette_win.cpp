#include "palette/palette_win.h"

#include <string>

#include "paint/draw_win.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"

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

static void setSlotFromText(int slot, COLORREF c, void*) {
    setSlot(slot, c);
}

// The whole block, since another program may leave out the terminating
// zero; false when it will not lock.
static bool copyTextBlock(HANDLE memory, std::u16string& text) {
    const void* units = GlobalLock(memory);
    if (units)
        text.assign((const char16_t*)units, GlobalSize(memory) / sizeof(char16_t));
    GlobalUnlock(memory);
    return units != NULL;
}

static void pasteText(const std::u16string& text) {
    parsePaletteText(text.data(), text.size(), setSlotFromText, nullptr);
}

void pasteTextBlock(HANDLE memory) {
    std::u16string text;
    if (copyTextBlock(memory, text))
        pasteText(text);
}

// The clipboard is used on a thread of its own, which the window waits for
// about a second at most. Text another program offers unrendered is asked
// for with a message to its owner that GetClipboardData waits for without
// end, and emptying the clipboard tells the previous owner, which Wine waits
// seconds for; an owner that does not answer (a clipboard manager stalled
// under Wine, a program that is busy or hangs) must not hang this window with
// it. Text already rendered needs nothing of its owner, so a paste reads it at
// once however busy that program is.
const DWORD ClipboardTimeoutMs = 1000;

// One exchange with the clipboard, held by both threads until each lets go:
// a worker given up on may finish long after, and what it read is dropped.
struct ClipboardJob {
    LONG holders;
    HWND owner;           // for a copy: the window that owns the text placed
    std::u16string text;  // the text to place, or the text read
    bool gotText;
};

static void letGo(ClipboardJob* job) {
    if (InterlockedDecrement(&job->holders) == 0)
        delete job;
}

// The workers touch nothing but their own job: the window's state belongs to
// the window's thread.
static DWORD WINAPI readClipboardText(void* param) {
    ClipboardJob* job = (ClipboardJob*)param;
    if (OpenClipboard(NULL)) {
        HANDLE memory = GetClipboardData(CF_UNICODETEXT);
        job->gotText = memory != NULL && copyTextBlock(memory, job->text);
        CloseClipboard();
    }
    letGo(job);
    return 0;
}

static DWORD WINAPI writeClipboardText(void* param) {
    ClipboardJob* job = (ClipboardJob*)param;
    if (OpenClipboard(job->owner)) {
        if (EmptyClipboard())
            placeClipboardText(job->text.data(), (int)job->text.size());
        CloseClipboard();
    }
    letGo(job);
    return 0;
}

// Waits for the worker at most the timeout, answering meanwhile what other
// threads send this one (a clipboard owner's own requests among them, and
// the notice that this window no longer owns the clipboard); input stays
// queued for the message loop. False when the worker is given up on.
static bool waitForWorker(HANDLE worker) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= ClipboardTimeoutMs)
            return false;
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &worker, FALSE, ClipboardTimeoutMs - waited, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// Runs the work on its own thread; true when it finished in time. A job
// given up on beeps, so the user knows the copy or paste did not happen.
static bool runClipboardJob(LPTHREAD_START_ROUTINE work, ClipboardJob* job) {
    job->holders = 2;
    HANDLE worker = CreateThread(NULL, 0, work, job, 0, NULL);
    if (worker == NULL) {
        letGo(job);   // in the worker's stead
        return false;
    }
    const bool finished = waitForWorker(worker);
    CloseHandle(worker);
    if (!finished)
        MessageBeep(MB_ICONWARNING);
    return finished;
}

void copyPalette() {
    char16_t text[PaletteTextCapacity];
    const int length = formatPaletteText(app.settings.palette, text);
    ClipboardJob* job = new ClipboardJob();
    job->owner = shell.mainWindow;
    job->text.assign(text, length);
    job->gotText = false;
    runClipboardJob(writeClipboardText, job);
    letGo(job);
}

void pastePalette() {
    ClipboardJob* job = new ClipboardJob();
    job->owner = NULL;
    job->gotText = false;
    if (runClipboardJob(readClipboardText, job) && job->gotText)
        pasteText(job->text);
    letGo(job);
}
