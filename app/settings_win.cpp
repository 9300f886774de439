#include "app/settings_win.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "app/settings_format.h"
#include "app/settings_write_win.h"

namespace {

// The file has 20 short lines, but a hand-edited one may carry any amount of
// white space between them; a larger file is not ours to read.
const std::size_t MaxSettingsBytes = 1024 * 1024;

const wchar_t TempExtension[] = L".tmp";
const wchar_t SettingsExtension[] = L".ini";

// Text mode, so the CR LF line ends arrive as plain line ends. A file longer
// than the limit is ignored whole: read up to the limit, it could end in a
// number cut short, which would load as another value.
bool readSettingsText(const wchar_t* path, std::string& text) {
    FILE* f = _wfopen(path, L"r");
    if (!f)
        return false;
    text.resize(MaxSettingsBytes + 1);
    const std::size_t length = std::fread(&text[0], 1, MaxSettingsBytes + 1, f);
    std::fclose(f);
    text.resize(length);
    return length <= MaxSettingsBytes;
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

// Writes text to the open file and forces it to the disk; false on any
// failure, with the file closed either way.
bool writeAndClose(FILE* f, const std::string& text) {
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fflush(f) == 0 && ok;
    ok = _commit(_fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool writeAtStart(int fd, const std::string& bytes) {
    return _lseek(fd, 0, SEEK_SET) == 0 &&
           writeSettingsBytes(fd, bytes.data(), (unsigned)bytes.size());
}

// Puts back the old bytes that a failed rewrite may have overwritten, and the
// old length.
void restoreOldBytes(int fd, const std::string& old, long oldLength) {
    writeAtStart(fd, old);
    _chsize(fd, oldLength);
    _commit(fd);
}

// Writes the new bytes over a file already at least as long, and only then
// cuts it to their length. Once cut, the old tail is gone and the new text
// whole, so nothing after the cut counts as a failure.
bool overwriteThenCut(int fd, const std::string& bytes, long oldLength) {
    const long newLength = (long)bytes.size();
    if (!writeAtStart(fd, bytes) || _commit(fd) != 0)
        return false;
    if (newLength < oldLength && _chsize(fd, newLength) != 0)
        return false;
    _commit(fd);
    return true;
}

// The last resort where no new file may be made beside the old one: the old
// file itself is rewritten. It must never be left half old, half new: the old
// bytes the new text covers are held here, the file is first grown to the new
// length (a full volume fails there, before anything is overwritten), and it
// is cut to the new length only once the whole text is written and on disk.
// Any failure puts the old bytes back.
bool rewriteInPlace(const wchar_t* path, const std::string& text) {
    // Raw bytes, so that what is kept of the old file is exactly what was there.
    const std::string bytes = withCrLf(text);
    const int fd = _wopen(path, _O_RDWR | _O_BINARY);
    if (fd < 0)
        return false;
    const long oldLength = _filelength(fd);
    const long newLength = (long)bytes.size();
    std::string old(oldLength < 0 ? 0 : std::min(oldLength, newLength), '\0');
    bool ok = oldLength >= 0 && _read(fd, &old[0], (unsigned)old.size()) == (int)old.size();
    if (ok && newLength > oldLength) {
        ok = _chsize(fd, newLength) == 0;
        if (!ok)
            _chsize(fd, oldLength);   // in case it grew partway
    }
    if (ok) {
        ok = overwriteThenCut(fd, bytes, oldLength);
        if (!ok)
            restoreOldBytes(fd, old, oldLength);
    }
    return _close(fd) == 0 && ok;
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

WindowRect workAreaFor(const WindowRect& r) {
    RECT rect;
    SetRect(&rect, r.left, r.top, r.right, r.bottom);
    // A rectangle on no monitor at all (one that was unplugged) comes back
    // on the primary one.
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (monitor == NULL || !GetMonitorInfoW(monitor, &info))
        return app.layout.workArea;
    const WindowRect work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return work;
}

void loadSettings() {
    if (!shell.settingsPathValid)
        return;
    std::string text;
    if (!readSettingsText(shell.settingsPath, text))
        return;  // first start, or a file too large: the defaults stand, the rectangle as it is
    const Settings defaults = app.settings;
    parseSettings(text.data(), text.size(), app.settings);
    // Clamping first: pulling a far-left edge into the work area can leave a
    // rectangle with no width, which the range check then replaces.
    clampToWorkArea(app.settings.normalRect, workAreaFor(app.settings.normalRect));
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
    writeSettingsText(formatSettings(app.settings));
}

void writeSettingsText(const std::string& text) {
    // Never truncate the old file before the new one is complete: a failed
    // write (full disk, a crash) would otherwise lose every setting.
    wchar_t tempPath[SettingsPathLength];
    if (!formTempPath(tempPath))
        return;
    FILE* temp = _wfopen(tempPath, L"w");
    if (!temp) {
        // A folder that allows no new file may still let the file be written.
        rewriteInPlace(shell.settingsPath, text);
        return;
    }
    if (!writeAndClose(temp, text)) {
        DeleteFileW(tempPath);
        return;
    }
    if (MoveFileExW(tempPath, shell.settingsPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return;
    // A folder may let files be made but not replaced: then the new file is
    // no use, and the old one is rewritten as where none may be made.
    DeleteFileW(tempPath);
    rewriteInPlace(shell.settingsPath, text);
}
