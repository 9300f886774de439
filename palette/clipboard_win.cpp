#include "palette/clipboard_win.h"

#include <algorithm>
#include <new>

#include "palette/beep_win.h"
#include "palette/clipboard_seams_win.h"
#include "palette/palette_win.h"

namespace {

enum ClipboardKind { ReadKind, WriteKind, KindCount };

// One exchange with the clipboard, held by the window and by its worker until
// each lets go: the window drops its hold when it is destroyed, while the
// worker may still be waiting for the clipboard. The worker touches nothing
// else; the window reads what it wrote only once it has set `finished`.
struct ClipboardJob {
    LONG holders;
    LONG finished;
    HWND window;     // where the notice goes; for a copy, the text's owner
    WPARAM kind;
    char16_t text[PaletteTextCapacity];   // what a copy puts out
    int length;
    PasteFind found;                      // what a paste read
    PastedSlots slots;
};

// The window's side, touched on its thread only.
struct ClipboardWork {
    ClipboardJob* running[KindCount];     // started, result not yet taken
    // A copy asked for while a paste runs waits for it, and then puts out the
    // palette it was asked for with that paste applied.
    bool copyWaits;
    COLORREF copiedPalette[PaletteSlots];
    // A paste asked for while a copy runs reads once the copy has written.
    bool pasteWaits;
};

ClipboardWork work;

void letGo(ClipboardJob* job) {
    if (InterlockedDecrement(&job->holders) == 0)
        delete job;
}

void finish(ClipboardJob* job) {
    InterlockedExchange(&job->finished, 1);
    // Fails once the window is gone: nobody waits for the notice then.
    PostMessageW(job->window, ClipboardDoneMessage, job->kind, 0);
    letGo(job);
}

// Another program may hold the clipboard open for a moment (a clipboard
// manager taking a copy, a paste of its own, a paste of ours the window has
// dropped): a copy or paste failing on that would be lost. A worker can
// afford to wait for it a while; the window goes on meanwhile.
const int ClipboardOpenAttempts = 50;
const DWORD ClipboardOpenRetryMs = 20;

bool openClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < ClipboardOpenAttempts; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(ClipboardOpenRetryMs);
    }
    return false;
}

// Text already rendered needs nothing of its owner; text offered unrendered
// is asked for with a message to its owner that GetClipboardData waits for
// without end. Either way the window goes on meanwhile.
DWORD WINAPI readClipboardText(void* param) {
    ClipboardJob* job = (ClipboardJob*)param;
    if (openClipboardPatiently(NULL)) {
        HANDLE memory = GetClipboardData(CF_UNICODETEXT);
        if (memory != NULL)
            job->found = readPasteBlock(memory, job->slots);
        CloseClipboard();
    }
    finish(job);
    return 0;
}

// Hands the text to the open clipboard; the memory belongs to the clipboard
// once SetClipboardData accepts it.
void placeClipboardText(const char16_t* text, int length) {
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

// Emptying the clipboard tells its previous owner, which Wine waits for.
DWORD WINAPI writeClipboardText(void* param) {
    ClipboardJob* job = (ClipboardJob*)param;
    if (openClipboardPatiently(job->window)) {
        if (EmptyClipboard())
            placeClipboardText(job->text, job->length);
        CloseClipboard();
    }
    finish(job);
    return 0;
}

// A job that cannot be made or started beeps: the copy or paste will not
// happen.
ClipboardJob* newJob(ClipboardKind kind) {
    ClipboardJob* job = new (std::nothrow) ClipboardJob();
    if (job == NULL) {
        beepRefusal();
        return NULL;
    }
    job->holders = 2;
    job->finished = 0;
    job->window = shell.mainWindow;
    job->kind = kind;
    job->length = 0;
    job->found = PasteFoundNothing;
    return job;
}

void startJob(ClipboardJob* job, LPTHREAD_START_ROUTINE worker) {
    HANDLE thread = CreateThread(NULL, 0, worker, job, 0, NULL);
    if (thread == NULL) {
        delete job;
        beepRefusal();
        return;
    }
    CloseHandle(thread);
    work.running[job->kind] = job;
}

void startCopy(const COLORREF palette[PaletteSlots]) {
    ClipboardJob* job = newJob(WriteKind);
    if (job == NULL)
        return;
    job->length = formatPaletteText(palette, job->text);
    startJob(job, writeClipboardText);
}

void startPaste() {
    ClipboardJob* job = newJob(ReadKind);
    if (job != NULL)
        startJob(job, readClipboardText);
}

bool copyOut() { return work.running[WriteKind] != NULL || work.copyWaits; }
bool pasteOut() { return work.running[ReadKind] != NULL || work.pasteWaits; }

void takePastedText(const ClipboardJob* job) {
    if (job->found == PasteFoundTooLong)
        beepRefusal();
    if (job->found != PasteFoundText)
        return;
    setNamedSlots(job->slots);
    if (work.copyWaits)
        applyPastedSlots(job->slots, work.copiedPalette);
}

void startWhatWaited(WPARAM done) {
    if (done == ReadKind && work.copyWaits) {
        work.copyWaits = false;
        startCopy(work.copiedPalette);
    }
    if (done == WriteKind && work.pasteWaits) {
        work.pasteWaits = false;
        startPaste();
    }
}

}  // namespace

void copyPalette() {
    if (copyOut()) {
        beepRefusal();
        return;
    }
    if (work.running[ReadKind] != NULL) {
        std::copy(app.settings.palette, app.settings.palette + PaletteSlots, work.copiedPalette);
        work.copyWaits = true;
        return;
    }
    startCopy(app.settings.palette);
}

void pastePalette() {
    if (pasteOut()) {
        beepRefusal();
        return;
    }
    if (work.running[WriteKind] != NULL) {
        work.pasteWaits = true;
        return;
    }
    startPaste();
}

void onClipboardDone(WPARAM done) {
    if (done >= KindCount)
        return;
    ClipboardJob* job = work.running[done];
    // No job, or not this one's notice: the notice of a job dropped before.
    if (job == NULL || InterlockedCompareExchange(&job->finished, 0, 0) == 0)
        return;
    work.running[done] = NULL;
    if (done == ReadKind)
        takePastedText(job);
    letGo(job);
    startWhatWaited(done);
}

// A paste still out is dropped with the window. Its swatches never showed
// its text, so the palette the settings keep (they are written as the window
// goes) is the one the user last saw; and waiting for it would hold the
// program's end for as long as the clipboard's owner does not answer, which
// for a hung owner is for ever. A copy waiting for that paste goes with it;
// a copy whose worker runs is left to it, and places its text only if it
// had the clipboard open before the window went. A worker still blocked
// holds nothing but its job, which it lets go when it ends, and nothing it
// does afterwards reaches the window: its notice has nowhere to go.
void dropClipboardWork() {
    for (int kind = 0; kind < KindCount; ++kind) {
        if (work.running[kind] != NULL)
            letGo(work.running[kind]);
        work.running[kind] = NULL;
    }
    work.copyWaits = false;
    work.pasteWaits = false;
}

bool clipboardWorkOutstanding() {
    return copyOut() || pasteOut();
}

PasteFind readPasteBlock(HANDLE memory, PastedSlots& slots) {
    const char16_t* units = (const char16_t*)GlobalLock(memory);
    if (units == NULL)
        return PasteFoundNothing;
    const PasteFind found = readPasteText(units, GlobalSize(memory) / sizeof(char16_t), slots);
    GlobalUnlock(memory);
    return found;
}
