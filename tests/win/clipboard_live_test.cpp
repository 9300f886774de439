// The main window stays live while a paste waits for the clipboard: another
// thread plays the user, hovering the charts and timing each answer.
#include <atomic>
#include <cstdio>

#include "beep_hook.h"
#include "clipboard_support.h"
#include "main_window_harness.h"
#include "navigate/hit_test.h"
#include "palette/palette_model.h"

using namespace harness;

namespace {

// How long the owner in the test below looks at no messages: longer than
// Wine's five seconds of waiting in OpenClipboard for such an owner.
const DWORD OwnerSleepMs = 8000;

// When the paste is asked for, counted from the owner's falling asleep.
// Wine 8 makes OpenClipboard ask its clipboard manager about the X
// selection at most once in two seconds per process, and the owner's own
// putting of its text has just done so; the first opening after that waits
// its five seconds while the manager waits for the owner.
const double PasteAfterMs = 3000;

// Gives up on an answer that never comes, so that a window that hangs fails
// the test instead of hanging it.
const DWORD AnswerGiveUpMs = 30000;

// Pace of the hovers: about fifty a second, enough to see any stall.
const DWORD HoverPauseMs = 20;

double nowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * (double)count.QuadPart / (double)frequency.QuadPart;
}

// The user: posts a move to one point and then the other, as the pointer's
// own messages come, and waits each time until the readout shows that
// point's colour. The window's thread looks for it after each message it
// handles (checkReadout), since only that thread draws on the window.
class Hoverer {
public:
    Hoverer(const POINT points[2], const COLORREF colours[2]) {
        for (int k = 0; k < 2; ++k) {
            this->points[k] = points[k];
            this->colours[k] = colours[k];
        }
        answered = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, run, this, 0, nullptr);
    }
    ~Hoverer() {
        finish();
        CloseHandle(thread);
        CloseHandle(stop);
        CloseHandle(answered);
    }
    void finish() {
        SetEvent(stop);
        WaitForSingleObject(thread, INFINITE);
    }
    // Answers each hover once, however often the readout is looked at;
    // true when this look answered one.
    bool checkReadout(COLORREF shown) {
        COLORREF expected = shown;
        if (!awaited.compare_exchange_strong(expected, CLR_INVALID))
            return false;
        SetEvent(answered);
        return true;
    }
    int hovers = 0;
    double longestMs = 0;
    std::atomic<bool> gaveUp{false};

private:
    static DWORD WINAPI run(void* self) {
        Hoverer& h = *(Hoverer*)self;
        for (int k = 0; WaitForSingleObject(h.stop, HoverPauseMs) == WAIT_TIMEOUT; k = 1 - k) {
            h.awaited = h.colours[k];
            const double start = nowMs();
            PostMessageW(shell.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(h.points[k].x, h.points[k].y));
            const HANDLE ends[2] = {h.answered, h.stop};
            const DWORD end = WaitForMultipleObjects(2, ends, FALSE, AnswerGiveUpMs);
            if (end != WAIT_OBJECT_0) {
                h.gaveUp = end == WAIT_TIMEOUT;
                return 0;
            }
            const double took = nowMs() - start;
            if (took > h.longestMs)
                h.longestMs = took;
            ++h.hovers;
        }
        return 0;
    }

    POINT points[2];
    COLORREF colours[2];
    std::atomic<COLORREF> awaited{CLR_INVALID};
    HANDLE answered;
    HANDLE stop;
    HANDLE thread;
};

class ClipboardLiveTest : public MainWindowTest {
protected:
    COLORREF readoutHover() {
        const Layout& L = app.layout;
        return GetPixel(shell.drawingDC, L.panelLeft + 2, L.panelBottom - 3);
    }
    bool slotsShowPastedRed() {
        const Layout& L = app.layout;
        const int y = (L.stripTop + L.stripBottom) / 2;
        return GetPixel(shell.drawingDC, swatchLeft(0) + 2, y) == 0x0000FF &&
               GetPixel(shell.drawingDC, swatchLeft(1) + 2, y) == 0x0000FF;
    }
};

// An owner that renders its text and then does not look at its queue for
// eight seconds: the window answers every hover meanwhile, and the palette
// holds the pasted text once the read is done.
TEST_F(ClipboardLiveTest, TheWindowAnswersWhileAPasteWaitsForABusyOwner) {
    const Layout& L = app.layout;
    const POINT points[2] = {{L.hexCenterX, L.hexCenterY}, {L.clientWidth - 5, L.clientHeight / 2}};
    COLORREF colours[2];
    for (int k = 0; k < 2; ++k)
        hitTest(points[k].x, points[k].y, colours[k]);
    ASSERT_NE(colours[0], colours[1]);
    // The real pointer rests on the window, so that leave tracking stays armed.
    const POINT onWindow = toScreen(points[0].x, points[0].y);
    SetCursorPos(onWindow.x, onWindow.y);
    send(WM_MOUSEMOVE, 0, clientPoint(points[0].x, points[0].y));
    ASSERT_EQ(app.interaction.mouseInside, 1);
    const int beeps = beepsSoFar();

    TextOwner owner(SleepsWithRenderedText, OwnerSleepMs);
    const double slept = nowMs();
    double asked = 0;
    double landed = 0;
    // Hovers the window answered while the paste was still out: none where
    // the window waits for the clipboard, whatever the machine's load.
    int answeredWhileOut = 0;
    {
        Hoverer user(points, colours);
        while (!(owner.isAwake() && landed > 0) && nowMs() - slept < ClipboardWorkBoundMs && !user.gaveUp) {
            if (asked == 0 && nowMs() - slept >= PasteAfterMs) {
                asked = nowMs();
                send(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)shell.pasteButton);
            }
            MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
                if (user.checkReadout(readoutHover()) && clipboardWorkOutstanding())
                    ++answeredWhileOut;
            }
            if (asked > 0 && landed == 0 && slotsShowPastedRed())
                landed = nowMs();
        }
        user.finish();
        std::printf("%d hovers, %d while the paste was out, the longest answered in %.1f ms; "
                    "the paste landed after %.0f ms\n",
                    user.hovers, answeredWhileOut, user.longestMs, landed > 0 ? landed - asked : -1.0);
        EXPECT_FALSE(user.gaveUp);
        EXPECT_GT(answeredWhileOut, 10);
    }
    EXPECT_GT(landed, 0) << "the pasted text never showed";
    EXPECT_EQ(app.settings.palette[0], 0x0000FFu);
    EXPECT_EQ(app.settings.palette[1], 0x0000FFu);
    EXPECT_TRUE(finishClipboardWork());
    EXPECT_EQ(beeps, beepsSoFar());
}

}  // namespace
