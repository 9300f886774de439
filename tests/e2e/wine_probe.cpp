// Answers questions about what Wine reports to a program, one a line, so
// that a test can wait until Wine has seen what it did:
//   pointer     "x y", the pointer in physical pixels. Wine answers from a
//               cache while its last pointer change is recent and sees moves
//               outside its own windows only when it asks the X server: a
//               test that moves the pointer off the window waits here before
//               pressing a key.
//   clipboard   the clipboard's text as UTF-8 in hexadecimal ("-" when there
//               is none). Wine takes a new X clipboard owner's text some
//               time after it has the selection: a test that offers text to
//               paste waits here until Wine has it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

typedef HANDLE(WINAPI* SetThreadAwareness)(HANDLE);

void becomePerMonitorAware() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    SetThreadAwareness set =
        user32 ? (SetThreadAwareness)(void*)GetProcAddress(user32, "SetThreadDpiAwarenessContext")
               : NULL;
    if (set != NULL && set((HANDLE)(LONG_PTR)-4) == NULL)
        set((HANDLE)(LONG_PTR)-3);
}

void answerPointer() {
    POINT p = {0, 0};
    if (GetCursorPos(&p))
        std::printf("%ld %ld\n", (long)p.x, (long)p.y);
    else
        std::printf("none\n");
}

std::string clipboardUtf8() {
    std::string text;
    if (!OpenClipboard(NULL))
        return text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* wide = data ? (const wchar_t*)GlobalLock(data) : NULL;
    if (wide != NULL) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, NULL, 0, NULL, NULL);
        if (size > 1) {
            text.resize(size);
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], size, NULL, NULL);
            text.resize(size - 1);
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void answerClipboard() {
    const std::string text = clipboardUtf8();
    if (text.empty())
        std::printf("-");
    for (unsigned char c : text)
        std::printf("%02x", c);
    std::printf("\n");
}

}  // namespace

int main() {
    becomePerMonitorAware();
    char line[64];
    while (std::fgets(line, sizeof line, stdin) != NULL) {
        if (std::strncmp(line, "clipboard", 9) == 0)
            answerClipboard();
        else
            answerPointer();
        std::fflush(stdout);
    }
    return 0;
}
