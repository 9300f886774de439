#include "app/settings_win.h"

#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "app/settings_format.h"

namespace {

// The file has 20 short lines; anything past this is not ours to read.
const std::size_t MaxSettingsBytes = 64 * 1024;

const wchar_t TempExtension[] = L".tmp";
const wchar_t SettingsExtension[] = L".ini";

// Text mode, so the CR LF line ends arrive as plain line ends.
bool readSettingsText(const wchar_t* path, std::string& text) {
    FILE* f = _wfopen(path, L"r");
    if (!f)
        return false;
    text.resize(MaxSettingsBytes);
    const std::size_t length = std::fread(&text[0], 1, MaxSettingsBytes, f);
    std::fclose(f);
    text.resize(length);
    return true;
}

// The new file is written beside the old one under a name of the same length
// where possible, so that a settings path that fits also leaves room for it.
bool formTempPath(wchar_t out[SettingsPathLength]) {
    const std::size_t length = std::wcslen(shell.settingsPath);
    const std::size_t extLength = std::wcslen(SettingsExtension);
    if (length >= extLength &&
        _wcsicmp(shell.settingsPath + length - extLength, SettingsExtension) == 0) {
        std::wmemcpy(out, shell.settingsPath, length - extLength);
        std::wmemcpy(out + length - extLength, TempExtension, extLength + 1);
        return true;
    }
    const std::size_t tempLength = std::wcslen(TempExtension);
    if (length + tempLength + 1 > (std::size_t)SettingsPathLength)
        return false;
    std::wmemcpy(out, shell.settingsPath, length);
    std::wmemcpy(out + length, TempExtension, tempLength + 1);
    return true;
}

// Writes text to path and forces it to the disk; false on any failure, with
// the file closed either way.
bool writeDurably(const wchar_t* path, const std::string& text) {
    FILE* f = _wfopen(path, L"w");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fflush(f) == 0 && ok;
    ok = _commit(_fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace

void placementFromSettings() {
    const WindowRect& r = app.settings.normalRect;
    SetRect(&shell.placement.rcNormalPosition, r.left, r.top, r.right, r.bottom);
}

void settingsFromPlacement() {
    const RECT& r = shell.placement.rcNormalPosition;
    app.settings.normalRect.left = r.left;
    app.settings.normalRect.top = r.top;
    app.settings.normalRect.right = r.right;
    app.settings.normalRect.bottom = r.bottom;
}

void loadSettings() {
    if (!shell.settingsPathValid)
        return;
    std::string text;
    if (!readSettingsText(shell.settingsPath, text))
        return;  // first start: the defaults stand, the rectangle as it is
    const Settings defaults = app.settings;
    parseSettings(text.data(), text.size(), app.settings);
    // Clamping first: pulling a far-left edge into the work area can leave a
    // rectangle with no width, which the range check then replaces.
    clampToWorkArea(app.settings.normalRect, app.layout.workArea);
    sanitizeSettings(app.settings, defaults);
    placementFromSettings();
}

void saveSettings() {
    if (!shell.settingsPathValid)
        return;
    shell.placement.length = sizeof(WINDOWPLACEMENT);
    if (!GetWindowPlacement(shell.mainWindow, &shell.placement))
        return;
    settingsFromPlacement();

    // Never truncate the old file before the new one is complete: a failed
    // write (full disk, a crash) would otherwise lose every setting.
    wchar_t tempPath[SettingsPathLength];
    if (!formTempPath(tempPath))
        return;
    if (!writeDurably(tempPath, formatSettings(app.settings))) {
        DeleteFileW(tempPath);
        return;
    }
    if (!MoveFileExW(tempPath, shell.settingsPath,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileW(tempPath);
}
