// Program entry: start up, then run the message loop until the window closes.
#include "app/init_win.h"
#include "app/message_loop_win.h"
#include "paint/painter_win.h"

// The program paints with the default painter. The literal painter, which
// draws every dot straight onto the window, is the reference the default
// one is tested against; a build with ZAVRIK_LITERAL_PAINTER uses it (the
// start-up benchmark compares the two).
#ifdef ZAVRIK_LITERAL_PAINTER
const bool UseFastPainter = false;
#else
const bool UseFastPainter = true;
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    shell.hInstance = instance;
    usePainter(UseFastPainter);
    initApp();
    return runMessageLoop();
}
