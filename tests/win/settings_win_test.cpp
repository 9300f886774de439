// The settings file through real files in a private temp folder: the round
// trip, what loading repairs, and that a failed save never damages the file
// that was there before.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/init_win.h"
#include "app/settings_format.h"
#include "app/settings_win.h"
#include "settings_racer.h"
#include "settings_write_hook.h"
#include "main_window_harness.h"

using namespace harness;

namespace {

// The new file a save writes first: its name is the saving process's own.
std::wstring tempPathOf(const std::wstring& folder, DWORD process) {
    wchar_t name[32];
    wsprintfW(name, L"\\zavrik.%lx.tmp", process);
    return folder + name;
}

class SettingsFileTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = makeTempFolder(L"settings");
        usePath(folder + L"\\zavrik.ini");
    }
    void TearDown() override {
        shell.settingsPathValid = false;
        removeFolder(folder);
    }
    void usePath(const std::wstring& path) {
        ASSERT_LT(path.size(), (size_t)SettingsPathLength);
        std::wcscpy(shell.settingsPath, path.c_str());
        shell.settingsPathValid = true;
    }
    std::wstring path() const { return shell.settingsPath; }
    // The new file's name is this process's own.
    std::wstring tempPath() const { return tempPathOf(folder, GetCurrentProcessId()); }

    // A state far from the defaults in every field.
    void changeEveryField() {
        Settings& s = app.settings;
        s.sizeIndex = 5;
        s.sector = 4;
        s.slicePos = 320;
        s.levelPos = 1111;
        s.bgColor = 0x102030;
        for (int k = 0; k < PaletteSlots; ++k)
            s.palette[k] = makeColor(k * 16, 255 - k, k * 3);
        s.palette[3] = 0x0000FF;
        PickState& p = s.pick;
        p.pickActive = 1;
        p.pickColor = 0xABCDEF;
        p.pickFormat = 0;
        p.pickMark = -3;
        p.pickSector = -1;
        p.pickSlicePos = 1020;
        p.pickLevelPos = -1;
        p.pickHexX = 123;
        p.pickHexY = 234;
        p.pickTriX = 345;
        p.pickTriY = 456;
    }

    // Loads into a fresh default state, as start-up would.
    void loadIntoDefaults() {
        setDefaultSettings();
        setInitialPlacement();
        loadSettings();
    }

    std::wstring folder;
};

std::string defaultFileText() {
    std::string text;
    text += "0,0,500,400\r\n";
    text += "2,1,0,0,512,2048\r\n";
    text += "-3,0,512,2048,0,0,0,0\r\n";
    text += "c8c8c8,c8c8c8\r\n";
    for (int k = 0; k < 16; ++k)
        text += "c8c8c8\r\n";
    return text;
}


// ---------------------------------------------------------------- round trip

TEST_F(SettingsFileTest, SaveThenLoadRestoresEveryField) {
    MoveWindow(shell.mainWindow, 40, 50, 700, 420, TRUE);
    settle();
    // After the move: a resize places the pick anew from its colour.
    changeEveryField();
    saveSettings();
    ASSERT_TRUE(fileExists(path()));
    EXPECT_FALSE(fileExists(tempPath()));
    const Settings saved = app.settings;
    EXPECT_EQ(saved.normalRect.left, 40);
    EXPECT_EQ(saved.normalRect.top, 50);
    EXPECT_EQ(saved.normalRect.right, 740);
    EXPECT_EQ(saved.normalRect.bottom, 470);

    loadIntoDefaults();
    EXPECT_EQ(formatSettings(app.settings), formatSettings(saved));
    EXPECT_EQ(shell.placement.rcNormalPosition.left, 40);
    EXPECT_EQ(shell.placement.rcNormalPosition.top, 50);
    EXPECT_EQ(shell.placement.rcNormalPosition.right, 740);
    EXPECT_EQ(shell.placement.rcNormalPosition.bottom, 470);
    EXPECT_EQ(app.settings.pick.pickMark, -3);
    EXPECT_EQ(app.settings.pick.pickSector, -1);
    EXPECT_EQ(app.settings.pick.pickLevelPos, -1);
    EXPECT_EQ(app.settings.pick.pickSlicePos, 1020);
    EXPECT_EQ(app.settings.palette[3], 0x0000FFu);
}

TEST_F(SettingsFileTest, TheFileIsTwentyTextLinesWithCrLf) {
    app.settings.palette[0] = 0x0000FF;   // pure red
    MoveWindow(shell.mainWindow, 0, 0, 600, 400, TRUE);
    settle();
    saveSettings();
    const std::string bytes = readFileBytes(path());
    std::string expected = "0,0,600,400\r\n2,1,0,0,512,2048\r\n-3,0,512,2048,0,0,0,0\r\n"
                           "c8c8c8,c8c8c8\r\n0000ff\r\n";
    for (int k = 1; k < 16; ++k)
        expected += "c8c8c8\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST_F(SettingsFileTest, RepeatedRoundTripsChangeNothing) {
    changeEveryField();
    saveSettings();
    const std::string first = readFileBytes(path());
    for (int round = 0; round < 3; ++round) {
        loadIntoDefaults();
        placementFromSettings();
        SetWindowPlacement(shell.mainWindow, &shell.placement);
        saveSettings();
        EXPECT_EQ(readFileBytes(path()), first) << round;
    }
}

TEST_F(SettingsFileTest, AMaximisedWindowStoresItsNormalRectangle) {
    MoveWindow(shell.mainWindow, 60, 70, 650, 410, TRUE);
    settle();
    ShowWindow(shell.mainWindow, SW_MAXIMIZE);
    settle();
    ASSERT_TRUE(IsZoomed(shell.mainWindow));
    saveSettings();
    const std::string bytes = readFileBytes(path());
    EXPECT_EQ(bytes.substr(0, bytes.find('\r')), "60,70,710,480");
    ShowWindow(shell.mainWindow, SW_RESTORE);
}

// ---------------------------------------------------------------- failures

// Where no new file can be made beside the old one (here its name is taken by
// a folder), the old file itself is rewritten; if that cannot be written
// either, it stays as it was.
TEST_F(SettingsFileTest, WithoutATempFileTheFileIsRewrittenInPlace) {
    ASSERT_TRUE(writeFileBytes(path(), defaultFileText() + std::string(3000, ' ')));
    ASSERT_TRUE(CreateDirectoryW(tempPath().c_str(), NULL));
    changeEveryField();
    const Settings saved = app.settings;
    saveSettings();
    EXPECT_TRUE(GetFileAttributesW(tempPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    settingsFromPlacement();
    EXPECT_EQ(readFileBytes(path()), withCrLf(formatSettings(app.settings)));
    loadIntoDefaults();
    EXPECT_EQ(app.settings.bgColor, saved.bgColor);
    EXPECT_EQ(app.settings.palette[15], saved.palette[15]);
    EXPECT_EQ(app.settings.pick.pickTriY, saved.pick.pickTriY);
}

// A rewrite in place that fails partway (a full volume, a locked range)
// leaves the old file byte for byte, whether the new text is longer or
// shorter; one that does not fail leaves exactly the new text.
TEST_F(SettingsFileTest, AnInPlaceRewriteThatFailsPartwayLeavesTheOldFile) {
    ASSERT_TRUE(CreateDirectoryW(tempPath().c_str(), NULL));
    changeEveryField();
    MoveWindow(shell.mainWindow, 1234, 1100, 700, 420, TRUE);   // long numbers on line 1
    settle();
    GetWindowPlacement(shell.mainWindow, &shell.placement);
    settingsFromPlacement();
    const std::string fresh = withCrLf(formatSettings(app.settings));
    const std::string olds[] = {"0,0,9,9\r\n", defaultFileText() + std::string(3000, ' ')};
    const long failures[] = {0, 1, (long)fresh.size() / 2, (long)fresh.size() - 1, -1};
    for (const std::string& old : olds) {
        for (long k : failures) {
            SCOPED_TRACE(testing::Message() << old.size() << "-byte file, failing after " << k);
            ASSERT_TRUE(writeFileBytes(path(), old));
            failNextSettingsWriteAfter(k);
            saveSettings();
            failNextSettingsWriteAfter(-1);
            EXPECT_EQ(readFileBytes(path()), k < 0 ? fresh : old);
        }
    }
}

TEST_F(SettingsFileTest, AFileThatCannotBeWrittenEitherIsLeftIntact) {
    const std::string old = defaultFileText();
    ASSERT_TRUE(writeFileBytes(path(), old));
    ASSERT_TRUE(CreateDirectoryW(tempPath().c_str(), NULL));
    HANDLE held = CreateFileW(path().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    changeEveryField();
    saveSettings();
    CloseHandle(held);
    EXPECT_EQ(readFileBytes(path()), old);
}

TEST_F(SettingsFileTest, AFailedReplaceLeavesTheOldFileAndNoLeftovers) {
    const std::string old = defaultFileText();
    ASSERT_TRUE(writeFileBytes(path(), old));
    // Another program holds the old file open and lets nobody replace it.
    HANDLE held = CreateFileW(path().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    changeEveryField();
    saveSettings();
    CloseHandle(held);
    EXPECT_EQ(readFileBytes(path()), old);
    EXPECT_FALSE(fileExists(tempPath()));
}

// Where a new file may be made but not put in the old one's place (here
// another program holds the old file open for reading and writing, but not
// for deleting), the old file is rewritten in place and no temp file stays.
TEST_F(SettingsFileTest, AReplaceThatFailsRewritesInPlaceAndLeavesNoTempFile) {
    ASSERT_TRUE(writeFileBytes(path(), defaultFileText()));
    HANDLE held = CreateFileW(path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    changeEveryField();
    saveSettings();
    CloseHandle(held);
    settingsFromPlacement();
    EXPECT_EQ(readFileBytes(path()), withCrLf(formatSettings(app.settings)));
    EXPECT_FALSE(fileExists(tempPath()));
}

TEST_F(SettingsFileTest, AFolderInThePlaceOfTheFileIsLeftAlone) {
    ASSERT_TRUE(CreateDirectoryW(path().c_str(), NULL));
    changeEveryField();
    saveSettings();
    EXPECT_TRUE(GetFileAttributesW(path().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(fileExists(tempPath()));
    loadIntoDefaults();
    EXPECT_EQ(app.settings.sizeIndex, 2);
}

TEST_F(SettingsFileTest, AMissingFolderWritesNothing) {
    usePath(folder + L"\\gone\\zavrik.ini");
    saveSettings();
    EXPECT_FALSE(fileExists(path()));
    EXPECT_FALSE(fileExists(folder + L"\\gone"));
}

TEST_F(SettingsFileTest, WithoutAUsablePathNothingIsReadOrWritten) {
    ASSERT_TRUE(writeFileBytes(path(), "0,0,900,900\r\n5,0,1,3,100,100\r\n"));
    shell.settingsPathValid = false;
    loadIntoDefaults();
    EXPECT_EQ(app.settings.sizeIndex, 2);
    EXPECT_EQ(app.settings.normalRect.right, app.layout.frameWidth + 476);
    saveSettings();
    EXPECT_EQ(readFileBytes(path()), "0,0,900,900\r\n5,0,1,3,100,100\r\n");
    EXPECT_FALSE(fileExists(tempPath()));
}

// ---------------------------------------------------------------- two copies

// Two settings texts of different lengths, one for each of two savers.
std::string raceText(int saver) {
    std::string text = saver == 0 ? "0,0,500,400\n" : "-1234567,-7654321,1234567,7654321\n";
    text += "2,1,0,0,512,2048\n-3,0,512,2048,0,0,0,0\nc8c8c8,c8c8c8\n";
    for (int k = 0; k < 16; ++k)
        text += saver == 0 ? "c8c8c8\n" : "0000ff\n";
    return text;
}

std::wstring raceEventName(const wchar_t* what, DWORD parent) {
    wchar_t name[64];
    wsprintfW(name, L"zavrik-settings-race-%s-%lu", what, parent);
    return name;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

// Another copy of this suite, started as the second saver.
bool startOtherSaver(int rounds, const std::wstring& folder, PROCESS_INFORMATION& process) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    wchar_t arguments[64];
    wsprintfW(arguments, L"%lu,%d,", GetCurrentProcessId(), rounds);
    std::wstring command = std::wstring(L"\"") + exe + L"\" --settings-racer=" + arguments + folder;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(exe, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process) != 0;
}

const int RaceRounds = 200;
const DWORD RaceRoundBoundMs = 60000;

// Two copies closing together (a shutdown, "close all windows") save at the
// same moment, round after round: each time the file is exactly one of the
// two texts, and no temp file stays beside it. In the second half of the
// rounds folders take the new files' names, so that both copies rewrite the
// file in place.
TEST_F(SettingsFileTest, TwoCopiesSavingAtOnceLeaveOneWholeText) {
    const DWORD self = GetCurrentProcessId();
    HANDLE go = CreateEventW(NULL, FALSE, FALSE, raceEventName(L"go", self).c_str());
    HANDLE done = CreateEventW(NULL, FALSE, FALSE, raceEventName(L"done", self).c_str());
    PROCESS_INFORMATION other = {};
    ASSERT_TRUE(startOtherSaver(RaceRounds, folder, other));
    const std::string texts[2] = {withCrLf(raceText(0)), withCrLf(raceText(1))};
    std::vector<std::wstring> expectedFiles = {L"zavrik.ini"};
    int outcomes[2][3] = {};   // per half: this saver's text, the other's, neither
    for (int round = 0; round < RaceRounds; ++round) {
        const int half = round < RaceRounds / 2 ? 0 : 1;
        if (round == RaceRounds / 2) {
            for (DWORD process : {self, other.dwProcessId}) {
                ASSERT_TRUE(CreateDirectoryW(tempPathOf(folder, process).c_str(), NULL));
                expectedFiles.push_back(tempPathOf(folder, process).substr(folder.size() + 1));
            }
        }
        SetEvent(go);
        writeSettingsText(raceText(0));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, RaceRoundBoundMs)) << "round " << round;
        const std::string bytes = readFileBytes(path());
        const int outcome = bytes == texts[0] ? 0 : bytes == texts[1] ? 1 : 2;
        ++outcomes[half][outcome];
        EXPECT_NE(2, outcome) << "round " << round << ": " << bytes.size() << " bytes\n" << bytes;
        std::vector<std::wstring> files = filesIn(folder);
        std::sort(files.begin(), files.end());
        std::sort(expectedFiles.begin(), expectedFiles.end());
        EXPECT_EQ(expectedFiles, files) << "round " << round;
    }
    DWORD status = 1;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(other.hProcess, RaceRoundBoundMs));
    GetExitCodeProcess(other.hProcess, &status);
    EXPECT_EQ(0u, status);
    for (int half = 0; half < 2; ++half)
        std::printf("%s: rounds won by this saver %d, by the other %d, neither %d\n",
                    half == 0 ? "new file beside" : "in place", outcomes[half][0], outcomes[half][1],
                    outcomes[half][2]);
    CloseHandle(other.hThread);
    CloseHandle(other.hProcess);
    CloseHandle(go);
    CloseHandle(done);
}

// ---------------------------------------------------------------- loading

TEST_F(SettingsFileTest, NoFileKeepsTheDefaultsAndTheRectangle) {
    app.layout.workArea = WindowRect{100, 100, 1000, 800};   // would move a loaded corner
    loadIntoDefaults();
    EXPECT_EQ(app.settings.normalRect.left, 0);
    EXPECT_EQ(app.settings.normalRect.top, 0);
    EXPECT_EQ(app.settings.sizeIndex, 2);
    EXPECT_EQ(app.settings.pick.pickMark, -3);
}

// The corner is kept in the work area of the monitor the rectangle meets
// most: 64 pixels of it at least. The session's one monitor has a work area
// of all of it, of whatever size the session gives its screen.
TEST_F(SettingsFileTest, TheCornerIsKeptInsideTheWorkArea) {
    measureWorkArea();
    const WindowRect& w = app.layout.workArea;
    ASSERT_EQ(w.left, 0);
    ASSERT_EQ(w.right, GetSystemMetrics(SM_CXSCREEN));
    const int W = w.right, H = w.bottom;
    const WindowRect cases[][2] = {
        {{-500, 20, 300, 400}, {0, 20, 300, 400}},                     // narrower, not moved
        {{W - 20, 20, W + 980, 400}, {W - 64, 20, W + 980, 400}},      // pulled back, right kept
        {{10, -40, 400, 300}, {10, 0, 400, 300}},
        {{10, H - 50, 400, H + 300}, {10, H - 64, 400, H + 300}},
        {{30, 40, 500, 400}, {30, 40, 500, 400}},
        {{W + 3000, H + 1800, W + 3400, H + 2200}, {W - 64, H - 64, W + 3400, H + 2200}},  // on no monitor: the primary
    };
    for (const auto& c : cases) {
        const std::string line1 = std::to_string(c[0].left) + "," + std::to_string(c[0].top) + "," +
                                  std::to_string(c[0].right) + "," + std::to_string(c[0].bottom);
        SCOPED_TRACE(line1);
        std::string text = defaultFileText();
        text = line1 + text.substr(text.find('\r'));
        ASSERT_TRUE(writeFileBytes(path(), text));
        loadIntoDefaults();
        const WindowRect& r = app.settings.normalRect;
        const WindowRect& e = c[1];
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.right, e.right);
        EXPECT_EQ(r.bottom, e.bottom);
        EXPECT_EQ(shell.placement.rcNormalPosition.left, e.left);
        EXPECT_EQ(shell.placement.rcNormalPosition.top, e.top);
    }
}

// The work area comes from the monitor the rectangle meets, for every
// monitor there is; one that meets no monitor gets the primary's as measured
// at start-up.
BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        ((std::vector<MONITORINFO>*)list)->push_back(info);
    return TRUE;
}

TEST_F(SettingsFileTest, TheWorkAreaIsThatOfTheRectanglesMonitor) {
    const WindowRect primaryAsMeasured = {3, 5, 1000, 900};
    app.layout.workArea = primaryAsMeasured;
    std::vector<MONITORINFO> monitors;
    EnumDisplayMonitors(NULL, NULL, collectMonitor, (LPARAM)&monitors);
    ASSERT_FALSE(monitors.empty());
    std::printf("%d monitor(s)\n", (int)monitors.size());
    for (const MONITORINFO& m : monitors) {
        const RECT& w = m.rcWork;
        SCOPED_TRACE(testing::Message() << "work area " << w.left << "," << w.top << "," << w.right << ","
                                        << w.bottom);
        const WindowRect inside = {w.left + 100, w.top + 100, w.left + 500, w.top + 400};
        const WindowRect found = workAreaFor(inside);
        EXPECT_EQ(found.left, w.left);
        EXPECT_EQ(found.top, w.top);
        EXPECT_EQ(found.right, w.right);
        EXPECT_EQ(found.bottom, w.bottom);
        // Closed near that monitor's bottom right: pulled back onto it.
        WindowRect corner = {w.right - 10, w.bottom - 10, w.right + 390, w.bottom + 290};
        clampToWorkArea(corner, workAreaFor(corner));
        EXPECT_EQ(corner.left, w.right - 64);
        EXPECT_EQ(corner.top, w.bottom - 64);
    }
    const WindowRect offScreen = workAreaFor(WindowRect{-90000, -90000, -89600, -89700});
    EXPECT_EQ(offScreen.left, primaryAsMeasured.left);
    EXPECT_EQ(offScreen.bottom, primaryAsMeasured.bottom);
}

TEST_F(SettingsFileTest, AFileCutAfterLineTwoKeepsTheRest) {
    ASSERT_TRUE(writeFileBytes(path(), "30,40,600,500\r\n4,0,1,2,256,1024\r\n"));
    loadIntoDefaults();
    const Settings& s = app.settings;
    EXPECT_EQ(s.normalRect.left, 30);
    EXPECT_EQ(s.sizeIndex, 4);
    EXPECT_EQ(s.pick.pickFormat, 0);
    EXPECT_EQ(s.pick.pickActive, 1);
    EXPECT_EQ(s.sector, 2);
    EXPECT_EQ(s.slicePos, 256);
    EXPECT_EQ(s.levelPos, 1024);
    EXPECT_EQ(s.pick.pickMark, -3);
    EXPECT_EQ(s.bgColor, DefaultGray);
    EXPECT_EQ(s.palette[15], DefaultGray);
}

TEST_F(SettingsFileTest, OutOfRangeValuesFallBackToTheirDefaults) {
    std::string text = defaultFileText();
    text.replace(text.find("2,1,0,0,512,2048"), 16, "99,7,9,-8,5000,-1");
    ASSERT_TRUE(writeFileBytes(path(), text));
    loadIntoDefaults();
    const Settings& s = app.settings;
    EXPECT_EQ(s.sizeIndex, 2);
    EXPECT_EQ(s.pick.pickFormat, 1);
    EXPECT_EQ(s.pick.pickActive, 0);
    EXPECT_EQ(s.sector, 0);
    EXPECT_EQ(s.slicePos, 512);
    EXPECT_EQ(s.levelPos, 2048);
}

TEST_F(SettingsFileTest, PlainLineEndsAndAnOversizedFileStillLoad) {
    std::string text = "5,6,700,500\n3,0,0,1,128,512\n";
    text += std::string(200 * 1024, ' ');   // far more than the reader takes
    text += "junk";
    ASSERT_TRUE(writeFileBytes(path(), text));
    loadIntoDefaults();
    EXPECT_EQ(app.settings.normalRect.left, 5);
    EXPECT_EQ(app.settings.sizeIndex, 3);
    EXPECT_EQ(app.settings.levelPos, 512);
    EXPECT_EQ(app.settings.bgColor, DefaultGray);
}

// Files as editors leave them: a byte order mark in front, or much white
// space between the lines, up to the reader's limit of 1 MiB. A larger file
// is ignored whole, even where the limit would cut a number short.
TEST_F(SettingsFileTest, HandEditedFilesLoadWhole) {
    const std::string text = defaultFileText();
    const std::size_t line4 = text.find("c8c8c8,");
    // Text mode drops the three CRs before line 4: 1 MiB of text ends after "000".
    const std::size_t toCutColour = 1024 * 1024 - line4;
    struct Case { const char* name; std::string before; std::string between; bool restored; };
    const Case cases[] = {
        {"byte order mark", "\xEF\xBB\xBF", "", true},
        {"100 KiB of blank lines", "", std::string(100 * 1024, '\n'), true},
        {"nearly 1 MiB of blanks", "", std::string(1000 * 1024, ' '), true},
        {"more than 1 MiB of blanks", "", std::string(1024 * 1024, ' '), false},
        {"a colour cut at 1 MiB", "", std::string(toCutColour, ' '), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string edited = c.before + text.substr(0, line4) + c.between +
                             "0000ff,00ff00\r\n" + text.substr(text.find("\r\n", line4) + 2);
        edited.replace(edited.rfind("c8c8c8"), 6, "123456");
        ASSERT_TRUE(writeFileBytes(path(), edited));
        loadIntoDefaults();
        EXPECT_EQ(app.settings.normalRect.right, c.restored ? 500 : app.layout.frameWidth + 476);
        EXPECT_EQ(app.settings.bgColor, c.restored ? 0x0000FFu : DefaultGray);
        EXPECT_EQ(app.settings.palette[15], c.restored ? 0x123456u : DefaultGray);
    }
}

// ---------------------------------------------------------------- long paths

TEST_F(SettingsFileTest, TheLongestPathThatFitsIsReadAndWritten) {
    // A folder name that brings the settings path to 259 characters, the
    // most that fits with its terminating zero.
    const size_t room = SettingsPathLength - 1 - folder.size() - 2 - std::wcslen(L"zavrik.ini");
    ASSERT_LT(room, 240u);
    const std::wstring deep = folder + L"\\" + std::wstring(room, L'd');
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), NULL));
    usePath(deep + L"\\zavrik.ini");
    ASSERT_EQ(path().size(), (size_t)SettingsPathLength - 1);
    changeEveryField();
    const std::string expected = formatSettings(app.settings);
    saveSettings();
    ASSERT_TRUE(fileExists(path()));
    loadIntoDefaults();
    // The window rectangle comes from the window; the rest must match.
    Settings loaded = app.settings;
    EXPECT_EQ(formatSettings(loaded).substr(formatSettings(loaded).find('\n')),
              expected.substr(expected.find('\n')));
}

TEST_F(SettingsFileTest, AnExecutableTooDeepForThePathRunsWithoutAFile) {
    // What locateSettingsFile meets in a folder nested past the limit.
    const std::wstring module = L"C:\\" + std::wstring(300, L'e') + L"\\zavrik.exe";
    wchar_t out[SettingsPathLength];
    EXPECT_FALSE(formSettingsPath(module.c_str(), SettingsPathLength, out));
    EXPECT_EQ(out[0], L'\0');
    shell.settingsPathValid = false;
    loadIntoDefaults();
    saveSettings();
    EXPECT_EQ(app.settings.sizeIndex, 2);
}

// ---------------------------------------------------------------- whole run

// Start-up reads the file and places the window; closing the window writes it.
TEST(SettingsLifecycle, StartUpReadsTheFileAndClosingWritesIt) {
    const std::wstring folder = makeTempFolder(L"lifecycle");
    const std::wstring file = folder + L"\\zavrik.ini";
    std::string text = defaultFileText();
    text.replace(0, text.find('\r'), "120,80,700,500");
    text.replace(text.find("2,1,0,0,512,2048"), 16, "4,0,0,3,256,1024");
    ASSERT_TRUE(writeFileBytes(file, text));

    startMainWindow(file);
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    GetWindowPlacement(shell.mainWindow, &p);
    EXPECT_EQ(p.rcNormalPosition.left, 120);
    EXPECT_EQ(p.rcNormalPosition.top, 80);
    EXPECT_EQ(p.rcNormalPosition.right, 700);
    EXPECT_EQ(p.rcNormalPosition.bottom, 500);
    EXPECT_EQ(app.settings.gridSize, 16);
    EXPECT_EQ(SendMessageW(shell.sizeCombo, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(app.settings.sector, 3);
    EXPECT_EQ(app.chart.level, 16);
    EXPECT_EQ(app.layout.clientWidth, 580 - app.layout.frameWidth);

    app.settings.palette[9] = 0x00FF00;
    closeMainWindow();   // WM_DESTROY writes the file
    const std::string written = readFileBytes(file);
    EXPECT_NE(written.find("\r\n00ff00\r\n"), std::string::npos);
    EXPECT_EQ(written.substr(0, written.find('\r')), "120,80,700,500");
    removeFolder(folder);
}

}  // namespace

int runSettingsRacer(const char* arguments) {
    unsigned long parent = 0;
    int rounds = 0;
    int consumed = 0;
    if (std::sscanf(arguments, "%lu,%d,%n", &parent, &rounds, &consumed) != 2 || consumed == 0)
        return 2;
    wchar_t folder[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, arguments + consumed, -1, folder, MAX_PATH);
    wsprintfW(shell.settingsPath, L"%s\\zavrik.ini", folder);
    shell.settingsPathValid = true;
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, raceEventName(L"go", parent).c_str());
    HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, raceEventName(L"done", parent).c_str());
    if (!go || !done)
        return 3;
    for (int round = 0; round < rounds; ++round) {
        if (WaitForSingleObject(go, RaceRoundBoundMs) != WAIT_OBJECT_0)
            return 4;
        writeSettingsText(raceText(1));
        SetEvent(done);
    }
    return 0;
}
