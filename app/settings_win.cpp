#include "app/settings_win.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

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

// The new file is written beside the old one under a name of this process's
// own, "zavrik.<process id>.tmp": copies saving at once never write into one
// another's new file. False when that name would not fit.
bool formTempPath(wchar_t out[SettingsPathLength]) {
    std::size_t stem = std::wcslen(shell.settingsPath);
    const std::size_t extLength = std::wcslen(SettingsExtension);
    if (stem >= extLength && _wcsicmp(shell.settingsPath + stem - extLength, SettingsExtension) == 0)
        stem -= extLength;
    wchar_t suffix[16];
    wsprintfW(suffix, L".%lx%s", GetCurrentProcessId(), TempExtension);
    const std::size_t suffixLength = std::wcslen(suffix);
    if (stem + suffixLength + 1 > (std::size_t)SettingsPathLength)
        return false;
    std::wmemcpy(out, shell.settingsPath, stem);
    std::wmemcpy(out + stem, suffix, suffixLength + 1);
    return true;
}

// Copies of the program started from one folder share its settings file, and
// the lock named after that file keeps their saves one after another: the
// copy that saves last wins with its whole text. Without it two copies that
// both rewrite the file in place would interleave their writes. The name
// holds the path's hash (a name may hold no backslash), taken in one case
// as Windows takes paths.
void formLockName(wchar_t out[48]) {
    wchar_t path[SettingsPathLength];
    std::wcscpy(path, shell.settingsPath);
    CharUpperBuffW(path, (DWORD)std::wcslen(path));
    unsigned long long hash = 14695981039346656037ull;   // FNV-1a
    for (const wchar_t* p = path; *p; ++p) {
        hash ^= (unsigned)*p;
        hash *= 1099511628211ull;
    }
    wsprintfW(out, L"zavrik-settings-%08lx%08lx", (unsigned long)(hash >> 32), (unsigned long)hash);
}

// A copy that holds the lock longer than this is stuck (on a drive that no
// longer answers): its save is left to it, and this one is given up.
const DWORD SettingsLockWaitMs = 5000;

// True when the lock is held, or when there is none to be had (no object
// can be made): the save then goes ahead on its own.
bool takeSettingsLock(HANDLE& lock) {
    wchar_t name[48];
    formLockName(name);
    lock = CreateMutexW(NULL, FALSE, name);
    if (lock == NULL)
        return true;
    // Abandoned: a copy ended while saving; the lock is this one's all the same.
    const DWORD waited = WaitForSingleObject(lock, SettingsLockWaitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        return true;
    CloseHandle(lock);
    lock = NULL;
    return false;
}

void releaseSettingsLock(HANDLE lock) {
    if (lock == NULL)
        return;
    ReleaseMutex(lock);
    CloseHandle(lock);
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
// Any failure puts the old bytes back. A file not there yet is made (a path
// too long for a new file's name beside it).
bool rewriteInPlace(const wchar_t* path, const std::string& text) {
    // Raw bytes, so that what is kept of the old file is exactly what was there.
    const std::string bytes = withCrLf(text);
    const int fd = _wopen(path, _O_RDWR | _O_BINARY | _O_CREAT, _S_IREAD | _S_IWRITE);
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

// Never truncate the old file before the new one is complete: a failed
// write (full disk, a crash) would otherwise lose every setting.
void replaceSettingsFile(const std::string& text) {
    wchar_t tempPath[SettingsPathLength];
    FILE* temp = formTempPath(tempPath) ? _wfopen(tempPath, L"w") : NULL;
    if (!temp) {
        // A folder that allows no new file, or a path too long for the new
        // file's name, may still let the file itself be written.
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
    HANDLE lock = NULL;
    if (!takeSettingsLock(lock))
        return;
    replaceSettingsFile(text);
    releaseSettingsLock(lock);
}
