#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <string>

#include "app/settings_format.h"
#include "app/defaults.h"
#include "test_support.h"

namespace {

const std::string GraySlotLines =
    "c8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\n"
    "c8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\nc8c8c8\n";

Settings parsedOver(const Settings& start, const std::string& text) {
    Settings s = start;
    parseSettings(text.data(), text.size(), s);
    return s;
}

// ---- Writing ---------------------------------------------------------------

TEST(SettingsFormat, FirstRunStateGivesTheDocumentedText) {
    EXPECT_EQ("0,0,476,340\n2,1,0,0,512,2048\n-3,0,512,2048,0,0,0,0\nc8c8c8,c8c8c8\n" + GraySlotLines,
              formatSettings(firstRunSettings()));
}

TEST(SettingsFormat, SetDefaultSettingsWritesTheFirstRunText) {
    app.layout.frameWidth = 16;
    app.layout.frameHeight = 39;
    setDefaultSettings();
    EXPECT_EQ("0,0,492,379\n2,1,0,0,512,2048\n-3,0,512,2048,0,0,0,0\nc8c8c8,c8c8c8\n" + GraySlotLines,
              formatSettings(app.settings));
}

TEST(SettingsFormat, ColoursAreWrittenAsColorrefDigits) {
    Settings s = firstRunSettings();
    s.bgColor = 0x0000FF;
    s.pick.pickColor = 0xFF0000;
    s.palette[0] = 0x000001;
    s.palette[15] = 0xABCDEF;
    std::string text = formatSettings(s);
    EXPECT_NE(std::string::npos, text.find("\n0000ff,ff0000\n000001\nc8c8c8\n"));
    EXPECT_EQ("\nabcdef\n", text.substr(text.size() - 8));
}

TEST(SettingsFormat, ByteFieldsAreWrittenAsSignedBytes) {
    Settings s = firstRunSettings();
    s.pick.pickMark = -3;
    s.pick.pickSector = -1;
    s.sector = -128;
    s.pick.pickFormat = 255;
    s.pick.pickActive = 128;
    std::string text = formatSettings(s);
    EXPECT_NE(std::string::npos, text.find("\n2,-1,-128,-128,512,2048\n-3,-1,512,"));
}

TEST(SettingsFormat, HasTwentyLinesAndNoBlanks) {
    Settings s = firstRunSettings();
    s.normalRect = {INT_MIN, -1, INT_MAX, 7};
    std::string text = formatSettings(s);
    int lines = 0;
    for (char c : text) {
        lines += c == '\n';
        EXPECT_NE(' ', c);
    }
    EXPECT_EQ(20, lines);
    EXPECT_EQ("-2147483648,-1,2147483647,7\n", text.substr(0, text.find('\n') + 1));
}

// ---- Round trip ------------------------------------------------------------

Settings randomSettings(std::mt19937& random) {
    std::uniform_int_distribution<std::int32_t> any32(INT_MIN, INT_MAX);
    std::uniform_int_distribution<std::int32_t> small(-3000, 3000);
    auto value = [&]() { return random() % 4 == 0 ? any32(random) : small(random); };
    auto byte = [&]() { return (std::uint8_t)(random() & 0xFF); };
    auto color = [&]() { return (COLORREF)(random() & 0xFFFFFF); };
    Settings s = firstRunSettings();
    s.normalRect = {value(), value(), value(), value()};
    s.sizeIndex = value();
    s.levelPos = value();
    s.sector = (std::int8_t)byte();
    s.slicePos = value();
    s.bgColor = color();
    for (COLORREF& slot : s.palette)
        slot = color();
    PickState& p = s.pick;
    p.pickActive = byte();
    p.pickColor = color();
    p.pickHexX = value();
    p.pickHexY = value();
    p.pickTriX = value();
    p.pickTriY = value();
    p.pickSector = (std::int8_t)byte();
    p.pickSlicePos = value();
    p.pickLevelPos = value();
    p.pickMark = (std::int8_t)byte();
    p.pickFormat = byte();
    return s;
}

TEST(SettingsRoundTrip, RandomStatesComeBackExactly) {
    std::mt19937 random(77031u);
    for (int round = 0; round < 2000; ++round) {
        Settings original = randomSettings(random);
        Settings start = randomSettings(random);
        std::string text = formatSettings(original);
        Settings back = parsedOver(start, text);
        SCOPED_TRACE(testing::Message() << "round " << round << "\n" << text);
        expectSameSettings(original, back);
        ASSERT_FALSE(testing::Test::HasFailure());
        // And once more, the way the file looks on disk.
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        expectSameSettings(original, parsedOver(start, crlf));
        ASSERT_FALSE(testing::Test::HasFailure());
    }
}

TEST(SettingsRoundTrip, ShownPickWithNegativeFields) {
    Settings s = firstRunSettings();
    s.normalRect = {-8, -31, 1200, 900};
    s.pick.pickActive = 1;
    s.pick.pickMark = -3;
    s.pick.pickSector = -1;
    s.pick.pickLevelPos = -1;
    s.pick.pickColor = 0x808080;
    s.bgColor = 0x102030;
    s.palette[3] = 0x0000FF;
    expectSameSettings(s, parsedOver(firstRunSettings(), formatSettings(s)));
}

// ---- Reading damaged files -------------------------------------------------

struct DamageCase {
    const char* name;
    std::string text;
    std::function<void(Settings&)> expectedChanges;  // applied to the first-run state
};

// A full second and third line, and the fields they set as they read back.
const std::string FullLine2 = "5,0,1,3,700,1000\n";
const std::string FullLine3 = "1,2,300,400,10,20,30,40\n";

void readFullLine2(Settings& s) {
    s.sizeIndex = 5;
    s.pick.pickFormat = 0;
    s.pick.pickActive = 1;
    s.sector = 3;
    s.slicePos = 700;
    s.levelPos = 1000;
}

void readFullLine3(Settings& s) {
    s.pick.pickMark = 1;
    s.pick.pickSector = 2;
    s.pick.pickSlicePos = 300;
    s.pick.pickLevelPos = 400;
    s.pick.pickHexX = 10;
    s.pick.pickHexY = 20;
    s.pick.pickTriX = 30;
    s.pick.pickTriY = 40;
}

TEST(SettingsParse, DamagedFiles) {
    const DamageCase cases[] = {
        {"empty", "", [](Settings&) {}},
        {"garbage", "hello world\n1,2,3,4\n", [](Settings&) {}},
        {"cut after line 2", "-5,7,900,800\n" + FullLine2,
         [](Settings& s) {
             s.normalRect = {-5, 7, 900, 800};
             readFullLine2(s);
         }},
        {"line 2 with five numbers", "-5,7,900,800\n5,0,1,3,700\n" + FullLine3 + "0000ff,00ff00\n",
         [](Settings& s) {
             s.normalRect = {-5, 7, 900, 800};
             s.sizeIndex = 5;
             s.pick.pickFormat = 0;
             s.pick.pickActive = 1;
             s.sector = 3;
             s.slicePos = 700;
             readFullLine3(s);
             s.bgColor = 0x0000FF;
             s.pick.pickColor = 0x00FF00;
         }},
        {"line 2 with seven numbers", "-5,7,900,800\n5,0,1,3,700,1000,9\n" + FullLine3 + "0000ff,00ff00\n",
         [](Settings& s) {
             s.normalRect = {-5, 7, 900, 800};
             readFullLine2(s);
         }},
        {"stray comma at the start of a number", "1,,3,4\n" + FullLine2,
         [](Settings& s) { s.normalRect.left = 1; }},
        {"letter in line 1", "10,20,x0,40\n" + FullLine2,
         [](Settings& s) {
             s.normalRect.left = 10;
             s.normalRect.top = 20;
         }},
        {"blank before a comma", "10 ,20,30,40\n" + FullLine2,
         [](Settings& s) { s.normalRect.left = 10; }},
        {"blanks and plus signs before numbers", "  10,\t20, +30,\n40\n 5,0,1,3,700,1000\n",
         [](Settings& s) {
             s.normalRect = {10, 20, 30, 40};
             readFullLine2(s);
         }},
        {"sign without digits ends only its line", "1,2,3,-\n" + FullLine2,
         [](Settings& s) {
             s.normalRect = {1, 2, 3, 340};
             readFullLine2(s);
         }},
        {"zero byte stops reading", std::string("1,2,3,4\n5,0,1,\0", 15) + "3,700,1000\n",
         [](Settings& s) {
             s.normalRect = {1, 2, 3, 4};
             s.sizeIndex = 5;
             s.pick.pickFormat = 0;
             s.pick.pickActive = 1;
         }},
        {"byte fields keep their low byte", "0,0,1,1\n2,257,-255,262,0,0\n253,511,0,0,0,0,0,0\n",
         [](Settings& s) {
             s.normalRect = {0, 0, 1, 1};
             s.pick.pickFormat = 1;
             s.pick.pickActive = 1;
             s.sector = 6;
             s.slicePos = 0;
             s.levelPos = 0;
             s.pick.pickMark = -3;
             s.pick.pickSector = -1;
             s.pick.pickSlicePos = 0;
             s.pick.pickLevelPos = 0;
         }},
        {"numbers beyond 32 bits are held at the limits", "99999999999,-99999999999,2147483648,-2147483649\n",
         [](Settings& s) { s.normalRect = {INT_MAX, INT_MIN, INT_MAX, INT_MIN}; }},
        {"numbers beyond 64 bits are held at the limits",
         "123456789012345678901234567890,-98765432109876543210987654321,0,00000000000000000000000000000001\n",
         [](Settings& s) { s.normalRect = {INT_MAX, INT_MIN, 0, 1}; }},
        {"at most six hex digits per colour", "1,2,3,4\n" + FullLine2 + FullLine3 + "1234567,89\nABCDEF\n",
         [](Settings& s) {
             s.normalRect = {1, 2, 3, 4};
             readFullLine2(s);
             readFullLine3(s);
             s.bgColor = 0x123456;
             // "7" does not match the comma: the pick colour keeps its value,
             // then the first slot reads "7" and the next ",89" stops reading.
             s.palette[0] = 0x7;
         }},
        {"hex prefix sign and short colours", "1,2,3,4\n" + FullLine2 + FullLine3 + "0x12,ff\n-1\n+a\n0x\n",
         [](Settings& s) {
             s.normalRect = {1, 2, 3, 4};
             readFullLine2(s);
             readFullLine3(s);
             s.bgColor = 0x12;
             s.pick.pickColor = 0xFF;
             s.palette[0] = 0xFFFFFFFF;
             s.palette[1] = 0xA;
             s.palette[2] = 0;
         }},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings expected = firstRunSettings();
        c.expectedChanges(expected);
        expectSameSettings(expected, parsedOver(firstRunSettings(), c.text));
    }
}

TEST(SettingsParse, ByteFieldsNotReachedKeepTheirValues) {
    Settings start = firstRunSettings();
    start.sector = 4;
    start.pick.pickFormat = 0;
    start.pick.pickActive = 1;
    start.pick.pickMark = 2;
    start.pick.pickSector = -1;
    Settings expected = start;
    expected.normalRect = {1, 2, 3, 4};
    expectSameSettings(expected, parsedOver(start, "1,2,3,4\n"));
    expected.sizeIndex = 7;
    expected.pick.pickFormat = 1;
    expectSameSettings(expected, parsedOver(start, "1,2,3,4\n7,1"));
}

// Only a whole UTF-8 byte order mark, and only at the very start, is skipped.
TEST(SettingsParse, ALeadingByteOrderMarkIsSkipped) {
    const Settings start = firstRunSettings();
    Settings expected = start;
    expected.normalRect = {1, 2, 3, 4};
    expectSameSettings(expected, parsedOver(start, "\xEF\xBB\xBF" "1,2,3,4\n"));
    expectSameSettings(start, parsedOver(start, "\xEF\xBB" "1,2,3,4\n"));
    expectSameSettings(start, parsedOver(start, " \xEF\xBB\xBF" "1,2,3,4\n"));
    expectSameSettings(start, parsedOver(start, "\xEF\xBB\xBF\xEF\xBB\xBF" "1,2,3,4\n"));
}

TEST(SettingsParse, NeverReadsPastTheLength) {
    const std::string text = "100,200,300,400\n2,1,0,0,512,2048\n";
    Settings s = firstRunSettings();
    parseSettings(text.data(), 14, s);
    EXPECT_EQ(300, s.normalRect.right);
    EXPECT_EQ(40, s.normalRect.bottom);
    EXPECT_EQ(2, s.sizeIndex);

    s = firstRunSettings();
    parseSettings(text.data(), 0, s);
    expectSameSettings(firstRunSettings(), s);
    parseSettings(nullptr, 0, s);
    expectSameSettings(firstRunSettings(), s);
}

TEST(SettingsParse, CutAnywhereReadsOnlyWhatLiesBeforeTheCut) {
    Settings original = firstRunSettings();
    original.normalRect = {-10, 20, 1500, 1000};
    original.pick.pickMark = 4;
    original.palette[15] = 0x010203;
    const std::string text = formatSettings(original);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        SCOPED_TRACE(testing::Message() << "cut at " << cut);
        Settings cutShort = firstRunSettings();
        parseSettings(text.data(), cut, cutShort);
        // A character that no scan accepts, where the cut was, must read the
        // same: anything else means the text past the cut was looked at.
        expectSameSettings(parsedOver(firstRunSettings(), text.substr(0, cut) + "#"), cutShort);
        ASSERT_FALSE(testing::Test::HasFailure());
    }
    Settings whole = firstRunSettings();
    parseSettings(text.data(), text.size(), whole);
    expectSameSettings(original, whole);
}

// ---- Range checks ----------------------------------------------------------

struct SanitizeCase {
    const char* name;
    std::function<void(Settings&)> damage;
    bool kept;  // true when the value is in range and must stay
};

// start with every field that damage changed set back to its default.
Settings defaultsWhereChanged(const Settings& start, const Settings& damaged, const Settings& defaults) {
    Settings out = start;
    const WindowRect& a = start.normalRect;
    const WindowRect& b = damaged.normalRect;
    if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom)
        out.normalRect = defaults.normalRect;
    if (start.sizeIndex != damaged.sizeIndex) out.sizeIndex = defaults.sizeIndex;
    if (start.sector != damaged.sector) out.sector = defaults.sector;
    if (start.slicePos != damaged.slicePos) out.slicePos = defaults.slicePos;
    if (start.levelPos != damaged.levelPos) out.levelPos = defaults.levelPos;
    if (start.bgColor != damaged.bgColor) out.bgColor = defaults.bgColor;
    for (int k = 0; k < PaletteSlots; ++k)
        if (start.palette[k] != damaged.palette[k]) out.palette[k] = defaults.palette[k];
    const PickState& p = start.pick;
    const PickState& q = damaged.pick;
    const PickState& d = defaults.pick;
    if (p.pickFormat != q.pickFormat) out.pick.pickFormat = d.pickFormat;
    if (p.pickActive != q.pickActive) out.pick.pickActive = d.pickActive;
    if (p.pickMark != q.pickMark) out.pick.pickMark = d.pickMark;
    if (p.pickSector != q.pickSector) out.pick.pickSector = d.pickSector;
    if (p.pickSlicePos != q.pickSlicePos) out.pick.pickSlicePos = d.pickSlicePos;
    if (p.pickLevelPos != q.pickLevelPos) out.pick.pickLevelPos = d.pickLevelPos;
    if (p.pickColor != q.pickColor) out.pick.pickColor = d.pickColor;
    return out;
}

TEST(SettingsSanitize, EachFieldFallsBackAloneWhenOutOfRange) {
    const SanitizeCase cases[] = {
        {"sizeIndex 0", [](Settings& s) { s.sizeIndex = 0; }, true},
        {"sizeIndex 10", [](Settings& s) { s.sizeIndex = 10; }, true},
        {"sizeIndex 11", [](Settings& s) { s.sizeIndex = 11; }, false},
        {"sizeIndex -1", [](Settings& s) { s.sizeIndex = -1; }, false},
        {"pickFormat 0", [](Settings& s) { s.pick.pickFormat = 0; }, true},
        {"pickFormat 2", [](Settings& s) { s.pick.pickFormat = 2; }, false},
        {"pickFormat 255", [](Settings& s) { s.pick.pickFormat = 255; }, false},
        {"pickActive 1", [](Settings& s) { s.pick.pickActive = 1; }, true},
        {"pickActive 2", [](Settings& s) { s.pick.pickActive = 2; }, false},
        {"sector 5", [](Settings& s) { s.sector = 5; }, true},
        {"sector 6", [](Settings& s) { s.sector = 6; }, false},
        {"sector -1", [](Settings& s) { s.sector = -1; }, false},
        {"slicePos 1024", [](Settings& s) { s.slicePos = 1024; }, true},
        {"slicePos 0", [](Settings& s) { s.slicePos = 0; }, true},
        {"slicePos 1025", [](Settings& s) { s.slicePos = 1025; }, false},
        {"slicePos -1", [](Settings& s) { s.slicePos = -1; }, false},
        {"levelPos 2048", [](Settings& s) { s.levelPos = 2048; }, true},
        {"levelPos 0", [](Settings& s) { s.levelPos = 0; }, true},
        {"levelPos 2049", [](Settings& s) { s.levelPos = 2049; }, false},
        {"levelPos -1", [](Settings& s) { s.levelPos = -1; }, false},
        {"pickMark 4", [](Settings& s) { s.pick.pickMark = 4; }, true},
        {"pickMark -4", [](Settings& s) { s.pick.pickMark = -4; }, true},
        {"pickMark 1", [](Settings& s) { s.pick.pickMark = 1; }, true},
        {"pickMark -1", [](Settings& s) { s.pick.pickMark = -1; }, true},
        {"pickMark 0", [](Settings& s) { s.pick.pickMark = 0; }, false},
        {"pickMark 5", [](Settings& s) { s.pick.pickMark = 5; }, false},
        {"pickMark -5", [](Settings& s) { s.pick.pickMark = -5; }, false},
        {"pickMark 10", [](Settings& s) { s.pick.pickMark = 10; }, false},
        {"pickSector -1", [](Settings& s) { s.pick.pickSector = -1; }, true},
        {"pickSector 5", [](Settings& s) { s.pick.pickSector = 5; }, true},
        {"pickSector -2", [](Settings& s) { s.pick.pickSector = -2; }, false},
        {"pickSector 6", [](Settings& s) { s.pick.pickSector = 6; }, false},
        {"pickSlicePos 1020", [](Settings& s) { s.pick.pickSlicePos = 1020; }, true},
        {"pickSlicePos 0", [](Settings& s) { s.pick.pickSlicePos = 0; }, true},
        {"pickSlicePos 1021", [](Settings& s) { s.pick.pickSlicePos = 1021; }, false},
        {"pickSlicePos -1", [](Settings& s) { s.pick.pickSlicePos = -1; }, false},
        {"pickLevelPos -1", [](Settings& s) { s.pick.pickLevelPos = -1; }, true},
        {"pickLevelPos 2048", [](Settings& s) { s.pick.pickLevelPos = 2048; }, true},
        {"pickLevelPos -2", [](Settings& s) { s.pick.pickLevelPos = -2; }, false},
        {"pickLevelPos 2049", [](Settings& s) { s.pick.pickLevelPos = 2049; }, false},
        {"bgColor white", [](Settings& s) { s.bgColor = 0xFFFFFF; }, true},
        {"bgColor 0x1000000", [](Settings& s) { s.bgColor = 0x1000000; }, false},
        {"pickColor black", [](Settings& s) { s.pick.pickColor = 0; }, true},
        {"pickColor all ones", [](Settings& s) { s.pick.pickColor = 0xFFFFFFFF; }, false},
        {"slot 0 beyond 24 bits", [](Settings& s) { s.palette[0] = 0x01000000; }, false},
        {"slot 15 beyond 24 bits", [](Settings& s) { s.palette[15] = 0x80C8C8C8; }, false},
        {"slot 7 white", [](Settings& s) { s.palette[7] = 0xFFFFFF; }, true},
        {"rect 1 by 1", [](Settings& s) { s.normalRect = {5, 6, 6, 7}; }, true},
        {"rect 32767 wide", [](Settings& s) { s.normalRect = {-100, 0, 32667, 500}; }, true},
        {"rect of negative place", [](Settings& s) { s.normalRect = {-3000, -2000, -2500, -1700}; }, true},
        {"rect zero width", [](Settings& s) { s.normalRect = {100, 0, 100, 500}; }, false},
        {"rect zero height", [](Settings& s) { s.normalRect = {0, 200, 500, 200}; }, false},
        {"rect negative width", [](Settings& s) { s.normalRect = {300, 0, -500, 500}; }, false},
        {"rect 32768 high", [](Settings& s) { s.normalRect = {0, -1, 500, 32767}; }, false},
        {"rect overflowing width", [](Settings& s) { s.normalRect = {INT_MIN, 0, INT_MAX, 500}; }, false},
        {"rect overflowing height", [](Settings& s) { s.normalRect = {0, INT_MAX, 10, INT_MIN}; }, false},
    };
    Settings defaults = firstRunSettings();
    // A distinct in-range start, so that falling back is visible on every field.
    Settings start = defaults;
    start.normalRect = {10, 20, 700, 600};
    start.sizeIndex = 4;
    start.pick.pickFormat = 0;
    start.pick.pickActive = 1;
    start.sector = 2;
    start.slicePos = 100;
    start.levelPos = 1000;
    start.pick.pickMark = 2;
    start.pick.pickSector = 3;
    start.pick.pickSlicePos = 20;
    start.pick.pickLevelPos = 30;
    start.bgColor = 0x123456;
    start.pick.pickColor = 0x654321;
    for (int k = 0; k < PaletteSlots; ++k)
        start.palette[k] = (COLORREF)k;

    Settings untouched = start;
    sanitizeSettings(untouched, defaults);
    expectSameSettings(start, untouched);

    for (const SanitizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings damaged = start;
        c.damage(damaged);
        Settings expected = c.kept ? damaged : defaultsWhereChanged(start, damaged, defaults);
        Settings actual = damaged;
        sanitizeSettings(actual, defaults);
        expectSameSettings(expected, actual);
    }
}

TEST(SettingsSanitize, LeavesGridSizeToStartUp) {
    Settings s = firstRunSettings();
    s.sizeIndex = 99;
    s.gridSize = 12345;
    sanitizeSettings(s, firstRunSettings());
    EXPECT_EQ(2, s.sizeIndex);
    EXPECT_EQ(12345, s.gridSize);
}

// ---- Keeping the window reachable ------------------------------------------

struct ClampCase {
    const char* name;
    WindowRect workArea;
    WindowRect in;
    WindowRect expected;
};

TEST(ClampToWorkArea, MovesOnlyLeftAndTop) {
    const WindowRect screen = {0, 0, 1920, 1040};
    const WindowRect leftMonitor = {-1280, 40, 0, 1024};
    const ClampCase cases[] = {
        {"inside stays", screen, {100, 100, 600, 500}, {100, 100, 600, 500}},
        {"left of the work area narrows", screen, {-500, 10, 300, 400}, {0, 10, 300, 400}},
        {"beyond the right edge is pulled back", screen, {5000, 10, 5400, 400}, {1856, 10, 5400, 400}},
        {"above the top", screen, {10, -30, 300, 400}, {10, 0, 300, 400}},
        {"one above the top, one left", screen, {-1, -1, 300, 400}, {0, 0, 300, 400}},
        {"below the bottom", screen, {10, 2000, 300, 2400}, {10, 976, 300, 2400}},
        {"exactly on the left edge", screen, {0, 0, 300, 400}, {0, 0, 300, 400}},
        {"one short of the right margin", screen, {1855, 975, 2000, 1100}, {1855, 975, 2000, 1100}},
        {"exactly on the right margin", screen, {1856, 976, 2000, 1100}, {1856, 976, 2000, 1100}},
        {"one past the right margin", screen, {1857, 977, 2000, 1100}, {1856, 976, 2000, 1100}},
        {"work area not at the origin", leftMonitor, {-2000, 0, -900, 500}, {-1280, 40, -900, 500}},
        {"work area not at the origin, far right", leftMonitor, {500, 1500, 900, 1900}, {-64, 960, 900, 1900}},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRect r = c.in;
        clampToWorkArea(r, c.workArea);
        expectRect(r, c.expected);
    }
}

}  // namespace
