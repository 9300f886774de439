#include "app/init_win.h"

#include <cwchar>

#include "app/defaults.h"
#include "app/relayout.h"
#include "app/settings_win.h"
#include "app/sizing.h"
#include "app/window_proc_win.h"

namespace {

const wchar_t SettingsFileName[] = L"zavrik.ini";
const wchar_t MainClassName[] = L"CN_Zavrik";
const wchar_t MainWindowTitle[] = L"Zavrik (v2.1)";

// No redraw styles: WM_SIZE invalidates what it needs. No double clicks, so
// two quick presses on a marker zone or a swatch stay two ordinary presses.
const UINT MainClassStyle = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;

}  // namespace

bool formSettingsPath(const wchar_t* modulePath, unsigned moduleLength,
                      wchar_t out[SettingsPathLength]) {
    out[0] = L'\0';
    // 0 is a failed call; a full buffer means the name was cut off, and a
    // cut-off folder would put the file somewhere unintended.
    if (moduleLength == 0 || moduleLength >= (unsigned)SettingsPathLength)
        return false;
    int lastSlash = -1;
    for (unsigned i = 0; i < moduleLength && modulePath[i] != L'\0'; ++i) {
        if (modulePath[i] == L'\\')
            lastSlash = (int)i;
    }
    if (lastSlash < 0)
        return false;
    const std::size_t folderLength = (std::size_t)lastSlash + 1;
    const std::size_t nameLength = std::wcslen(SettingsFileName);
    if (folderLength + nameLength + 1 > (std::size_t)SettingsPathLength)
        return false;
    std::wmemcpy(out, modulePath, folderLength);
    std::wmemcpy(out + folderLength, SettingsFileName, nameLength + 1);
    return true;
}

void locateSettingsFile() {
    wchar_t modulePath[SettingsPathLength];
    const DWORD length = GetModuleFileNameW(shell.hInstance, modulePath, SettingsPathLength);
    shell.settingsPathValid = formSettingsPath(modulePath, length, shell.settingsPath);
}

void measureFrame() {
    RECT r;
    SetRect(&r, 0, 0, 0, 0);
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    app.layout.frameHeight = r.bottom - r.top;
    app.layout.frameWidth = r.right - r.left;
}

void setInitialPlacement() {
    app.settings.normalRect = firstRunRect();

    WINDOWPLACEMENT& p = shell.placement;
    p = WINDOWPLACEMENT();
    p.length = sizeof(WINDOWPLACEMENT);
    p.flags = 0;
    p.showCmd = SW_SHOW;
    p.ptMinPosition.x = 0;
    p.ptMinPosition.y = 0;
    p.ptMaxPosition.x = 0;
    p.ptMaxPosition.y = 0;
    placementFromSettings();
}

void measureWorkArea() {
    RECT r;
    SetRect(&r, 0, 0, 0, 0);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    app.layout.workArea.left = r.left;
    app.layout.workArea.top = r.top;
    app.layout.workArea.right = r.right;
    app.layout.workArea.bottom = r.bottom;
}

void prepareChartState() {
    Interaction& in = app.interaction;
    in.hoverColor = app.settings.bgColor;
    in.mouseInside = 0;
    in.dragMode = DragIdle;
    const RECT& r = shell.placement.rcNormalPosition;
    app.layout.clientWidth = r.right - app.layout.frameWidth - r.left;
    app.layout.clientHeight = r.bottom - r.top - app.layout.frameHeight;
    relayout();
}

void registerMainWindowClass() {
    WNDCLASSW wc = {};
    wc.style = MainClassStyle;
    wc.lpfnWndProc = mainWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = shell.hInstance;
    wc.hIcon = LoadIconW(shell.hInstance, L"#1");
    // No class cursor: every mouse move sets the one its drag mode asks for.
    wc.hCursor = NULL;
    wc.hbrBackground = gdi.bgBrush;
    wc.lpszMenuName = NULL;
    wc.lpszClassName = MainClassName;
    RegisterClassW(&wc);
}

void createMainWindow() {
    // Created at the origin with no size: the placement gives the real
    // rectangle afterwards, and WM_CREATE reads the size box's bottom edge
    // while the window still stands at the screen origin.
    shell.mainWindow = CreateWindowExW(0, MainClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW,
                                       0, 0, 0, 0, NULL, NULL, shell.hInstance, NULL);
}

void showMainWindow() {
    SetWindowPlacement(shell.mainWindow, &shell.placement);
    ShowWindow(shell.mainWindow, SW_SHOW);
    UpdateWindow(shell.mainWindow);
}

void startFromSettings() {
    measureFrame();
    setInitialPlacement();
    measureWorkArea();
    loadSettings();
    prepareChartState();
    createGdiKit();
    registerMainWindowClass();
    createMainWindow();
    showMainWindow();
}

void initApp() {
    measureFrame();
    setDefaultSettings();
    locateSettingsFile();
    startFromSettings();
}
