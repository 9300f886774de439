// Shared set-up for the Windows tests of the shell: the real main window made
// by the start-up code, with an optional settings file in a private folder,
// plus client snapshots and a message pump.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "app/init_win.h"
#include "paint/painter_seams_win.h"
#include "app/settings_win.h"
#include "app/defaults.h"

namespace harness {

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;  // left by WM_DESTROY of an earlier window
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Reading a pixel of the screen is a round trip to the display: when it
// returns, the display has handled everything asked of it before, and the
// events that caused (exposes of a window just shown or moved) have come in.
inline void syncWithDisplay() {
    HDC screen = GetDC(NULL);
    GetPixel(screen, 0, 0);
    ReleaseDC(NULL, screen);
}

// Takes in the events the display still owes and paints whatever is still
// invalid, so a snapshot afterwards sees the finished picture.
inline void settle() {
    pumpMessages();
    syncWithDisplay();
    pumpMessages();
    // The child controls too: a control moved by a relayout paints itself in
    // its own WM_PAINT, which UpdateWindow of the main window does not wait for.
    if (shell.mainWindow)
        RedrawWindow(shell.mainWindow, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpMessages();
}

// Every step of start-up except finding the file beside the executable: the
// test names the settings file (or none, in which case nothing is written).
// The window paints with the literal painter unless told otherwise; a test
// may switch painters with usePainter.
inline void startMainWindow(const std::wstring& settingsPath = std::wstring(),
                            bool fastPainter = false) {
    shell = Shell();
    gdi = GdiKit();
    app = AppState();
    shell.hInstance = GetModuleHandleW(NULL);
    usePainter(fastPainter);
    setDefaultSettings();
    shell.settingsPathValid = !settingsPath.empty() && settingsPath.size() < (size_t)SettingsPathLength;
    if (shell.settingsPathValid)
        std::wcscpy(shell.settingsPath, settingsPath.c_str());
    startFromSettings();
    settle();
}

inline void closeMainWindow() {
    if (GetCapture() == shell.mainWindow)
        ReleaseCapture();
    if (shell.mainWindow) {
        closeWindowDCs();
        DestroyWindow(shell.mainWindow);
    }
    pumpMessages();
    UnregisterClassW(L"CN_Zavrik", shell.hInstance);
    shell.mainWindow = NULL;
}

inline POINT toScreen(int x, int y) {
    POINT p = {x, y};
    ClientToScreen(shell.mainWindow, &p);
    return p;
}

inline LPARAM clientPoint(int x, int y) {
    return MAKELPARAM(x, y);
}

inline LPARAM screenPoint(int x, int y) {
    const POINT p = toScreen(x, y);
    return MAKELPARAM(p.x, p.y);
}

inline LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(shell.mainWindow, message, wParam, lParam);
}

// The client area as read back through the kept window DC, 0x00RRGGBB per
// pixel, rows top to bottom.
struct Snapshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

// The client-sized rectangle of a device context whose top-left corner is at
// (left, top), copied into a 32-bit bitmap and read back.
inline Snapshot snapshotOf(HDC source, int left, int top) {
    Snapshot shot;
    RECT r;
    GetClientRect(shell.mainWindow, &r);
    shot.width = r.right;
    shot.height = r.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, source, left, top, SRCCOPY);
    GdiFlush();
    const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(p, p + (size_t)shot.width * shot.height);
    for (std::uint32_t& px : shot.pixels)
        px &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return shot;
}

inline Snapshot snapshotClient() { return snapshotOf(shell.drawingDC, 0, 0); }

// 0x00RRGGBB as the snapshot stores it, from a COLORREF (0x00BBGGRR).
inline std::uint32_t snapshotColor(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

inline int countDifferences(const Snapshot& a, const Snapshot& b) {
    if (a.width != b.width || a.height != b.height)
        return -1;
    int count = 0;
    for (size_t k = 0; k < a.pixels.size(); ++k)
        count += a.pixels[k] != b.pixels[k] ? 1 : 0;
    return count;
}

// A private folder under the system's temp folder, emptied and removed by
// removeFolder.
inline std::wstring makeTempFolder(const wchar_t* tag) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    wchar_t name[MAX_PATH];
    wsprintfW(name, L"%szvk-%s-%lu-%u", base, tag, GetCurrentProcessId(), ++counter);
    CreateDirectoryW(name, NULL);
    return name;
}

inline void removeFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}

inline bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string readFileBytes(const std::wstring& path) {
    std::string bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    fclose(f);
    return bytes;
}

inline bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// Puts the shared window and the whole state back to a first start without a
// settings file: what start-up does, applied to the existing window. Used
// between tests, because closing a shown window costs Wine two seconds of
// waiting for a window manager that is not there.
inline void resetMainWindow() {
    if (GetCapture() == shell.mainWindow)
        ReleaseCapture();
    if (IsZoomed(shell.mainWindow) || IsIconic(shell.mainWindow))
        ShowWindow(shell.mainWindow, SW_RESTORE);
    // Measured once, in WM_CREATE.
    const int comboBottom = app.layout.comboBottom;
    app = AppState();
    app.layout.comboBottom = comboBottom;
    shell.settingsPathValid = false;
    shell.settingsPath[0] = L'\0';
    setDefaultSettings();
    measureFrame();
    setInitialPlacement();
    measureWorkArea();
    prepareChartState();
    SelectObject(shell.drawingDC, GetStockObject(WHITE_PEN));
    SelectObject(shell.drawingDC, GetStockObject(NULL_BRUSH));
    DeleteObject(gdi.bgBrush);
    DeleteObject(gdi.bgPen);
    gdi.bgBrush = CreateSolidBrush(app.settings.bgColor);
    gdi.bgPen = CreatePen(PS_SOLID, 1, app.settings.bgColor);
    SetClassLongPtrW(shell.mainWindow, GCLP_HBRBACKGROUND, (LONG_PTR)gdi.bgBrush);
    SendMessageW(shell.sizeCombo, CB_SETCURSEL, (WPARAM)app.settings.sizeIndex, 0);
    showMainWindow();
    SetFocus(shell.mainWindow);
    RedrawWindow(shell.mainWindow, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    settle();
}

}  // namespace harness

// The tests of one suite share a main window made by the start-up code,
// without a settings file; each test starts from a reset first-start state.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { harness::startMainWindow(); }
    static void TearDownTestSuite() { harness::closeMainWindow(); }
    void SetUp() override { harness::resetMainWindow(); }
};
