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
//   put HEX     puts the UTF-8 text HEX on the clipboard as a Windows
//               program would, and answers "ok" or "busy".
#include <windows.h>

#include <cctype>
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

void answerPut(const char* hex) {
    std::wstring wide;
    std::string text;
    for (; std::isxdigit((unsigned char)hex[0]) && std::isxdigit((unsigned char)hex[1]); hex += 2)
        text += (char)std::stoi(std::string(hex, 2), NULL, 16);
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, NULL, 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size * sizeof(wchar_t));
    wchar_t* target = block ? (wchar_t*)GlobalLock(block) : NULL;
    if (target != NULL) {
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, target, size);
        GlobalUnlock(block);
    }
    const bool put = target != NULL && OpenClipboard(NULL);
    if (put) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    } else if (block != NULL) {
        GlobalFree(block);
    }
    std::printf(put ? "ok\n" : "busy\n");
}

}  // namespace

int main() {
    becomePerMonitorAware();
    char line[4096];
    while (std::fgets(line, sizeof line, stdin) != NULL) {
        if (std::strncmp(line, "clipboard", 9) == 0)
            answerClipboard();
        else if (std::strncmp(line, "put ", 4) == 0)
            answerPut(line + 4);
        else
            answerPointer();
        std::fflush(stdout);
    }
    return 0;
}
