// Feeds arbitrary bytes to the settings reader as if they were the file, then
// checks that the reader stayed inside the text, that the checks leave every
// field in range, and that whatever was read survives a write and a re-read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/defaults.h"
#include "app/settings_format.h"
#include "fuzz/fuzz_check.h"

namespace {

Settings firstRunSettings() {
    app.layout.frameWidth = 16;
    app.layout.frameHeight = 39;
    setDefaultSettings();
    return app.settings;
}

bool sameRect(const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Every persisted field; gridSize is derived and not part of the file.
bool sameSettings(const Settings& a, const Settings& b) {
    const PickState& p = a.pick;
    const PickState& q = b.pick;
    bool same = sameRect(a.normalRect, b.normalRect) && a.sizeIndex == b.sizeIndex &&
                a.levelPos == b.levelPos && a.sector == b.sector && a.slicePos == b.slicePos &&
                a.bgColor == b.bgColor && p.pickActive == q.pickActive && p.pickColor == q.pickColor &&
                p.pickHexX == q.pickHexX && p.pickHexY == q.pickHexY && p.pickTriX == q.pickTriX &&
                p.pickTriY == q.pickTriY && p.pickSector == q.pickSector &&
                p.pickSlicePos == q.pickSlicePos && p.pickLevelPos == q.pickLevelPos &&
                p.pickMark == q.pickMark && p.pickFormat == q.pickFormat;
    for (int k = 0; k < PaletteSlots; ++k)
        same = same && a.palette[k] == b.palette[k];
    return same;
}

bool allColoursFit(const Settings& s) {
    bool fit = s.bgColor <= 0xFFFFFF && s.pick.pickColor <= 0xFFFFFF;
    for (int k = 0; k < PaletteSlots; ++k)
        fit = fit && s.palette[k] <= 0xFFFFFF;
    return fit;
}

bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

void checkInRange(const Settings& s) {
    const PickState& p = s.pick;
    std::int64_t width = (std::int64_t)s.normalRect.right - s.normalRect.left;
    std::int64_t height = (std::int64_t)s.normalRect.bottom - s.normalRect.top;
    CHECK(width > 0 && width <= 32767);
    CHECK(height > 0 && height <= 32767);
    CHECK(inRange(s.sizeIndex, 0, GridSizeCount - 1));
    CHECK(inRange(p.pickFormat, 0, 1));
    CHECK(inRange(p.pickActive, 0, 1));
    CHECK(inRange(s.sector, 0, 5));
    CHECK(inRange(s.slicePos, 0, 1024));
    CHECK(inRange(s.levelPos, 0, 2048));
    CHECK(inRange(p.pickMark, -4, 4) && p.pickMark != 0);
    CHECK(inRange(p.pickSector, -1, 5));
    CHECK(inRange(p.pickSlicePos, 0, 1020));
    CHECK(inRange(p.pickLevelPos, -1, 2048));
    CHECK(allColoursFit(s));
}

Settings parsed(const Settings& start, const char* text, std::size_t length) {
    Settings s = start;
    parseSettings(text, length, s);
    return s;
}

// Written out and read back over a quite different state, every field returns.
void checkRoundTrip(const Settings& s) {
    std::string text = formatSettings(s);
    Settings zero;
    std::memset(&zero, 0, sizeof zero);
    Settings back = parsed(zero, text.data(), text.size());
    CHECK(sameSettings(s, back));
    CHECK(formatSettings(back) == text);
}

const WindowRect WorkAreas[] = {
    {0, 0, 1920, 1040}, {-1280, 40, 0, 1024}, {0, 0, 640, 480}, {3840, -200, 7680, 1960}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Settings defaults = firstRunSettings();

    // Exactly as long as the input, so that a read past the end is caught.
    std::vector<char> exact(data, data + size);
    const char* text = exact.empty() ? nullptr : exact.data();
    Settings read = parsed(defaults, text, size);

    // Digits placed right after the end must change nothing.
    std::vector<char> padded(exact);
    padded.insert(padded.end(), 16, '7');
    CHECK(sameSettings(read, parsed(defaults, padded.data(), size)));

    if (allColoursFit(read))
        checkRoundTrip(read);

    // What start-up does with the values read: keep the window reachable,
    // then replace whatever is out of range.
    Settings usable = read;
    const WindowRect& workArea = WorkAreas[size % (sizeof WorkAreas / sizeof WorkAreas[0])];
    WindowRect before = usable.normalRect;
    clampToWorkArea(usable.normalRect, workArea);
    CHECK(usable.normalRect.right == before.right && usable.normalRect.bottom == before.bottom);
    CHECK(inRange(usable.normalRect.left, workArea.left, workArea.right - 64));
    CHECK(inRange(usable.normalRect.top, workArea.top, workArea.bottom - 64));
    sanitizeSettings(usable, defaults);
    checkInRange(usable);

    Settings again = usable;
    sanitizeSettings(again, defaults);
    CHECK(sameSettings(usable, again));
    checkRoundTrip(usable);
    return 0;
}
