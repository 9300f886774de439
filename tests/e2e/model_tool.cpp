// Answers the end-to-end tests' questions with the program's own model, so the
// tests hold no second copy of its rules. One query per line on stdin, one
// JSON line per answer on stdout; a line it cannot read gets {"error": ...}.
//
//   layout W H N                       metrics of a W x H client area at grid N
//   width_for_height H N               client width that goes with client height H
//   charts W H N LEVELPOS SECTOR SLICEPOS
//                                      every dot of both charts: position and colour
//   hit W H N LEVELPOS SECTOR SLICEPOS X Y
//                                      what lies under client point (X, Y)
//   locate W H N RRGGBB                where a picked colour puts the charts
//   step_level N LEVELPOS DIRECTION COARSE
//                                      level a step up (1) or down (-1) leads to
//   step_slice N SECTOR SLICEPOS DIRECTION COARSE
//                                      sector and slice a hue step leads to
//                                      (forward for a negative direction)
//   palette_text RRGGBB x16            the palette's clipboard text
//   gradient A B RRGGBB x16            the palette after a gradient from A to B
//   settings_text BYTES                the named fields of a settings file (hex
//                                      of its bytes), whether it is exactly what
//                                      the program writes for them, and which
//                                      values the program would replace
//   format_settings L T R B SIZEINDEX PICKFORMAT PICKACTIVE SECTOR SLICEPOS
//                   LEVELPOS PICKMARK PICKSECTOR PICKSLICEPOS PICKLEVELPOS
//                   HEXX HEXY TRIX TRIY BGCOLOR PICKCOLOR PALETTE x16
//                                      the file the program writes (colours as
//                                      the file holds them, 0xBBGGRR)

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings_format.h"
#include "app/sizing.h"
#include "app/defaults.h"
#include "chart/hexagon.h"
#include "chart/triangle.h"
#include "app/relayout.h"
#include "navigate/hit_test.h"
#include "navigate/navigation.h"
#include "palette/palette_model.h"
#include "palette/palette_text.h"
#include "pick/locate.h"
#include "pick/readout_model.h"

namespace {

typedef std::vector<std::string> Words;

bool readInt(const std::string& word, int& value) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0')
        return false;
    value = (int)v;
    return true;
}

bool readHex(const std::string& word, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(word.c_str(), &end, 16);
    return !word.empty() && *end == '\0';
}

// "rrggbb" as the tests write a colour, red first.
bool readRgb(const std::string& word, COLORREF& colour) {
    unsigned long v = 0;
    if (word.size() != 6 || !readHex(word, v))
        return false;
    colour = makeColor((int)(v >> 16), (int)((v >> 8) & 0xFF), (int)(v & 0xFF));
    return true;
}

bool readInts(const Words& w, std::size_t from, std::size_t count, int* out) {
    if (w.size() < from + count)
        return false;
    for (std::size_t k = 0; k < count; ++k)
        if (!readInt(w[from + k], out[k]))
            return false;
    return true;
}

bool readPalette(const Words& w, std::size_t from, COLORREF palette[PaletteSlots]) {
    if (w.size() != from + PaletteSlots)
        return false;
    for (int k = 0; k < PaletteSlots; ++k)
        if (!readRgb(w[from + (std::size_t)k], palette[k]))
            return false;
    return true;
}

std::string rgb(COLORREF c) {
    char text[32];
    std::snprintf(text, sizeof text, "[%d,%d,%d]", redOf(c), greenOf(c), blueOf(c));
    return text;
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        const unsigned char u = (unsigned char)c;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

class Json {
public:
    Json& field(const char* name, const std::string& raw) {
        text_ += (text_.empty() ? "{" : ",") + jsonString(name) + ":" + raw;
        return *this;
    }
    Json& field(const char* name, long long value) { return field(name, std::to_string(value)); }
    std::string done() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

std::string error(const std::string& what) {
    return Json().field("error", jsonString(what)).done();
}

int sizeIndexOf(int n) {
    for (int k = 0; k < GridSizeCount; ++k)
        if (GridSizes[k] == n)
            return k;
    return -1;
}

// The model's state for a client area, grid and chart position, as the
// program holds it after sizing and navigating there.
bool setUp(int width, int height, int n, int levelPos, int sector, int slicePos) {
    const int sizeIndex = sizeIndexOf(n);
    if (sizeIndex < 0)
        return false;
    app = AppState();
    setDefaultSettings();
    app.settings.sizeIndex = sizeIndex;
    app.settings.levelPos = levelPos;
    app.settings.sector = (std::int8_t)sector;
    app.settings.slicePos = slicePos;
    app.layout.clientWidth = width;
    app.layout.clientHeight = height;
    relayout();
    return true;
}

std::string layoutAnswer(const Words& w) {
    int v[3];
    if (w.size() != 4 || !readInts(w, 1, 3, v) || !setUp(v[0], v[1], v[2], 2048, 0, 512))
        return error("layout W H N");
    const Layout& L = app.layout;
    std::string lefts = "[", rights = "[";
    for (int k = 0; k < PaletteSlots; ++k) {
        lefts += (k ? "," : "") + std::to_string(swatchLeft(k));
        rights += (k ? "," : "") + std::to_string(swatchRight(k));
    }
    return Json().field("unit", (long long)L.unit).field("hexCenterX", (long long)L.hexCenterX)
        .field("hexCenterY", (long long)L.hexCenterY).field("triLeft", (long long)L.triLeft)
        .field("stripTop", (long long)L.stripTop).field("stripBottom", (long long)L.stripBottom)
        .field("swatchLeft", lefts + "]").field("swatchRight", rights + "]")
        .field("panelLeft", (long long)L.panelLeft)
        .field("panelRight", (long long)L.panelRight).field("panelTop", (long long)L.panelTop)
        .field("panelBottom", (long long)L.panelBottom).field("panelMid", (long long)panelMid())
        .done();
}

std::string widthForHeightAnswer(const Words& w) {
    int v[2];
    if (w.size() != 3 || !readInts(w, 1, 2, v) || !setUp(1, v[0], v[1], 2048, 0, 512))
        return error("width_for_height H N");
    // With no frame, window sizes are client sizes.
    return Json().field("width", (long long)widthForHeight(v[0])).done();
}

std::string chartsAnswer(const Words& w) {
    int v[6];
    if (w.size() != 7 || !readInts(w, 1, 6, v) || !setUp(v[0], v[1], v[2], v[3], v[4], v[5]))
        return error("charts W H N LEVELPOS SECTOR SLICEPOS");
    const Layout& L = app.layout;
    // Dot centres lie on the grid: column a is a multiple of hStep from the
    // centre, half-row b a multiple of the unit.
    std::string hex = "[";
    forEachHexagonDot([&](int x, int y, COLORREF c) {
        const int a = (x - L.hexCenterX) / L.hStep;
        const int b = (y - L.hexCenterY) / L.unit;
        hex += (hex.size() > 1 ? ",[" : "[") + std::to_string(a) + "," + std::to_string(b) + "," +
               std::to_string(x) + "," + std::to_string(y) + "," + rgb(c) + "]";
    });
    std::string tri = "[";
    int column = 0;
    int row = 0;
    forEachTriangleDot([&](int x, int y, COLORREF c) {
        tri += (tri.size() > 1 ? ",[" : "[") + std::to_string(column) + "," + std::to_string(row) +
               "," + std::to_string(x) + "," + std::to_string(y) + "," + rgb(c) + "]";
        if (++row > 2 * column) {
            ++column;
            row = 0;
        }
    });
    const ChartState& chart = app.chart;
    return Json().field("level", (long long)chart.level).field("slice", (long long)chart.slice)
        .field("centerGray", (long long)chart.centerGray)
        .field("hue", rgb(makeColor(chart.hueR, chart.hueG, chart.hueB)))
        .field("hex", hex + "]").field("tri", tri + "]").done();
}

std::string hitAnswer(const Words& w) {
    int v[8];
    if (w.size() != 9 || !readInts(w, 1, 8, v) || !setUp(v[0], v[1], v[2], v[3], v[4], v[5]))
        return error("hit W H N LEVELPOS SECTOR SLICEPOS X Y");
    COLORREF colour = 0;
    const HitCode code = hitTest(v[6], v[7], colour);
    return Json().field("code", (long long)code).field("colour", rgb(colour)).done();
}

std::string locateAnswer(const Words& w) {
    int v[3];
    COLORREF colour = 0;
    if (w.size() != 5 || !readInts(w, 1, 3, v) || !readRgb(w[4], colour) ||
        !setUp(v[0], v[1], v[2], 2048, 0, 512))
        return error("locate W H N RRGGBB");
    PickState& pick = app.settings.pick;
    pick.pickActive = 1;
    pick.pickColor = colour;
    locatePick();
    return Json().field("sector", (long long)pick.pickSector)
        .field("slicePos", (long long)pick.pickSlicePos)
        .field("levelPos", (long long)pick.pickLevelPos)
        .field("hexEnd", "[" + std::to_string(pick.pickHexX) + "," + std::to_string(pick.pickHexY) + "]")
        .field("triEnd", "[" + std::to_string(pick.pickTriX) + "," + std::to_string(pick.pickTriY) + "]")
        .done();
}

std::string stepLevelAnswer(const Words& w) {
    int v[4];
    if (w.size() != 5 || !readInts(w, 1, 4, v) || !setUp(1000, 340, v[0], v[1], 0, 512))
        return error("step_level N LEVELPOS DIRECTION COARSE");
    return Json().field("level", (long long)stepLevelTarget(v[2], v[3] != 0)).done();
}

std::string stepSliceAnswer(const Words& w) {
    int v[5];
    if (w.size() != 6 || !readInts(w, 1, 5, v) || !setUp(1000, 340, v[0], 2048, v[1], v[2]))
        return error("step_slice N SECTOR SLICEPOS DIRECTION COARSE");
    std::int8_t sector = 0;
    int slice = 0;
    stepSliceTarget(v[3], v[4] != 0, sector, slice);
    return Json().field("sector", (long long)sector).field("slice", (long long)slice).done();
}

std::string paletteTextAnswer(const Words& w) {
    COLORREF palette[PaletteSlots];
    if (!readPalette(w, 1, palette))
        return error("palette_text RRGGBB x16");
    char16_t text[PaletteTextCapacity];
    const int length = formatPaletteText(palette, text);
    std::string narrow;
    for (int k = 0; k < length; ++k)
        narrow += (char)text[k];
    return Json().field("text", jsonString(narrow)).done();
}

std::string paletteList(const COLORREF palette[PaletteSlots]) {
    std::string out = "[";
    for (int k = 0; k < PaletteSlots; ++k)
        out += (k ? "," : "") + rgb(palette[k]);
    return out + "]";
}

std::string gradientAnswer(const Words& w) {
    int ends[2];
    COLORREF palette[PaletteSlots];
    COLORREF out[PaletteSlots];
    if (!readInts(w, 1, 2, ends) || !readPalette(w, 3, palette))
        return error("gradient A B RRGGBB x16");
    gradientColors(palette, ends[0], ends[1], out);
    return Json().field("palette", paletteList(out)).done();
}


std::string settingsAnswer(const Words& w) {
    if (w.size() > 2 || (w.size() == 2 && w[1].size() % 2 != 0))
        return error("settings_text BYTES");
    std::string bytes;
    const std::string hex = w.size() == 2 ? w[1] : "";
    for (std::size_t k = 0; k < hex.size(); k += 2) {
        unsigned long b = 0;
        if (!readHex(hex.substr(k, 2), b))
            return error("settings_text BYTES");
        bytes += (char)b;
    }
    setUp(1000, 340, 8, 2048, 0, 512);
    const Settings defaults = app.settings;
    Settings s = defaults;
    parseSettings(bytes.data(), bytes.size(), s);
    // Well formed means exactly what the program writes for the values read,
    // and every value where the program relies on it.
    const bool wellFormed = withCrLf(formatSettings(s)) == bytes;
    std::string problems = "[";
    Settings sane = s;
    sanitizeSettings(sane, defaults);
    const PickState& p = s.pick;
    const PickState& q = sane.pick;
    const struct {
        const char* name;
        long long value, saneValue;
    } fields[] = {
        {"left", s.normalRect.left, sane.normalRect.left},
        {"top", s.normalRect.top, sane.normalRect.top},
        {"right", s.normalRect.right, sane.normalRect.right},
        {"bottom", s.normalRect.bottom, sane.normalRect.bottom},
        {"sizeIndex", s.sizeIndex, sane.sizeIndex},
        {"pickFormat", p.pickFormat, q.pickFormat},
        {"pickActive", p.pickActive, q.pickActive},
        {"sector", s.sector, sane.sector},
        {"slicePos", s.slicePos, sane.slicePos},
        {"levelPos", s.levelPos, sane.levelPos},
        {"pickMark", p.pickMark, q.pickMark},
        {"pickSector", p.pickSector, q.pickSector},
        {"pickSlicePos", p.pickSlicePos, q.pickSlicePos},
        {"pickLevelPos", p.pickLevelPos, q.pickLevelPos},
        {"pickHexX", p.pickHexX, q.pickHexX},
        {"pickHexY", p.pickHexY, q.pickHexY},
        {"pickTriX", p.pickTriX, q.pickTriX},
        {"pickTriY", p.pickTriY, q.pickTriY},
        {"bgColorRef", s.bgColor, sane.bgColor},
        {"pickColorRef", p.pickColor, q.pickColor},
    };
    Json answer;
    answer.field("wellFormed", (long long)wellFormed);
    for (const auto& f : fields) {
        answer.field(f.name, f.value);
        if (f.value != f.saneValue)
            problems += std::string(problems.size() > 1 ? "," : "") +
                        jsonString(std::string(f.name) + " = " + std::to_string(f.value) +
                                   " is replaced by " + std::to_string(f.saneValue));
    }
    for (int k = 0; k < PaletteSlots; ++k)
        if (s.palette[k] != sane.palette[k])
            problems += std::string(problems.size() > 1 ? "," : "") +
                        jsonString("palette slot " + std::to_string(k) + " is replaced");
    return answer.field("bgColor", rgb(s.bgColor)).field("pickColor", rgb(p.pickColor))
        .field("palette", paletteList(s.palette)).field("problems", problems + "]").done();
}

std::string formatSettingsAnswer(const Words& w) {
    int v[18];
    unsigned long colours[18];
    if (w.size() != 1 + 18 + 18 || !readInts(w, 1, 18, v))
        return error("format_settings: 18 numbers and 18 colours");
    for (std::size_t k = 0; k < 18; ++k)
        if (!readHex(w[19 + k], colours[k]))
            return error("format_settings: a colour is not hexadecimal");
    Settings s = Settings();
    s.normalRect = WindowRect{v[0], v[1], v[2], v[3]};
    s.sizeIndex = v[4];
    s.pick.pickFormat = (std::uint8_t)v[5];
    s.pick.pickActive = (std::uint8_t)v[6];
    s.sector = (std::int8_t)v[7];
    s.slicePos = v[8];
    s.levelPos = v[9];
    s.pick.pickMark = (std::int8_t)v[10];
    s.pick.pickSector = (std::int8_t)v[11];
    s.pick.pickSlicePos = v[12];
    s.pick.pickLevelPos = v[13];
    s.pick.pickHexX = v[14];
    s.pick.pickHexY = v[15];
    s.pick.pickTriX = v[16];
    s.pick.pickTriY = v[17];
    s.bgColor = (COLORREF)colours[0];
    s.pick.pickColor = (COLORREF)colours[1];
    for (int k = 0; k < PaletteSlots; ++k)
        s.palette[k] = (COLORREF)colours[2 + k];
    return Json().field("text", jsonString(withCrLf(formatSettings(s)))).done();
}

std::string answer(const std::string& line) {
    std::istringstream in(line);
    Words w;
    for (std::string word; in >> word;)
        w.push_back(word);
    if (w.empty())
        return error("empty query");
    const struct {
        const char* name;
        std::string (*fn)(const Words&);
    } commands[] = {
        {"layout", layoutAnswer},           {"width_for_height", widthForHeightAnswer},
        {"charts", chartsAnswer},           {"hit", hitAnswer},
        {"locate", locateAnswer},           {"step_level", stepLevelAnswer},
        {"step_slice", stepSliceAnswer},    {"palette_text", paletteTextAnswer},
        {"gradient", gradientAnswer},       {"settings_text", settingsAnswer},
        {"format_settings", formatSettingsAnswer},
    };
    for (const auto& c : commands)
        if (w[0] == c.name)
            return c.fn(w);
    return error("unknown query " + w[0]);
}

}  // namespace

int main() {
    for (std::string line; std::getline(std::cin, line);)
        std::cout << answer(line) << std::endl;
    return 0;
}
