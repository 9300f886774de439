// Program entry: start up, then run the message loop until the window closes.
#include "app/init_win.h"
#include "app/message_loop_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    shell.hInstance = instance;
    initApp();
    return runMessageLoop();
}
