// The cursor and icon files that res/make_resources.py writes and
// res/zavrik.rc links in: read back from the source tree and decoded here
// byte by byte, independently of the generator.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// This file sits in tests/native/; the resources two folders up in res/.
std::string resourcePath(const std::string& name) {
    std::string here = __FILE__;
    std::size_t slash = here.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? std::string(".") : here.substr(0, slash);
    return folder + "/../../res/" + name;
}

Bytes readResource(const std::string& name) {
    std::ifstream in(resourcePath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned u8At(const Bytes& b, std::size_t at) {
    return at < b.size() ? b[at] : 0u;
}

unsigned u16At(const Bytes& b, std::size_t at) {
    return u8At(b, at) | (u8At(b, at + 1) << 8);
}

std::uint32_t u32At(const Bytes& b, std::size_t at) {
    return u16At(b, at) | (static_cast<std::uint32_t>(u16At(b, at + 2)) << 16);
}

// Layout of a single-image icon or cursor file.
const std::size_t DirectoryEntry = 6;      // after reserved, type, count
const std::size_t ImageSize = DirectoryEntry + 8;
const std::size_t ImageOffset = DirectoryEntry + 12;
const std::size_t DibHeaderSize = 40;
const int Side = 32;

std::size_t dibStart(const Bytes& file) {
    return u32At(file, ImageOffset);
}

// Bit (x, y) of a 1-bit, 32-pixel-wide bitmap starting at `start`, y counted
// from the top although the rows are stored bottom row first.
unsigned monoBit(const Bytes& file, std::size_t start, int x, int y) {
    const std::size_t rowBytes = 4;
    std::size_t row = static_cast<std::size_t>(Side - 1 - y);
    unsigned byte = u8At(file, start + row * rowBytes + static_cast<std::size_t>(x / 8));
    return (byte >> (7 - x % 8)) & 1u;
}

enum CursorPixel { Transparent, Black, White, Inverted };

const char* pixelName(CursorPixel p) {
    switch (p) {
    case Transparent: return "transparent";
    case Black: return "black";
    case White: return "white";
    default: return "inverted";
    }
}

CursorPixel cursorPixel(const Bytes& cursor, int x, int y) {
    const std::size_t colourTable = 2 * 4;
    std::size_t xorStart = dibStart(cursor) + DibHeaderSize + colourTable;
    std::size_t andStart = xorStart + 4 * Side;
    unsigned xorBit = monoBit(cursor, xorStart, x, y);
    unsigned andBit = monoBit(cursor, andStart, x, y);
    if (andBit == 1) return xorBit ? Inverted : Transparent;
    return xorBit ? White : Black;
}

struct CursorFile {
    const char* name;
    unsigned hotspotX;
    unsigned hotspotY;
};

const CursorFile Cursors[] = {
    {"c1.cur", 15, 15},
    {"c2.cur", 16, 16},
    {"c3.cur", 16, 16},
};

TEST(CursorFiles, HeadersDescribeOne32x32MonochromeCursor) {
    for (const CursorFile& c : Cursors) {
        SCOPED_TRACE(c.name);
        Bytes file = readResource(c.name);
        ASSERT_FALSE(file.empty()) << resourcePath(c.name);
        EXPECT_EQ(u16At(file, 0), 0u);  // reserved
        EXPECT_EQ(u16At(file, 2), 2u);  // cursor
        EXPECT_EQ(u16At(file, 4), 1u);  // one image
        EXPECT_EQ(u8At(file, DirectoryEntry + 0), 32u);
        EXPECT_EQ(u8At(file, DirectoryEntry + 1), 32u);
        EXPECT_EQ(u16At(file, DirectoryEntry + 4), c.hotspotX);
        EXPECT_EQ(u16At(file, DirectoryEntry + 6), c.hotspotY);
        EXPECT_EQ(dibStart(file) + u32At(file, ImageSize), file.size());

        std::size_t dib = dibStart(file);
        EXPECT_EQ(u32At(file, dib + 0), DibHeaderSize);
        EXPECT_EQ(u32At(file, dib + 4), 32u);
        EXPECT_EQ(u32At(file, dib + 8), 64u);  // XOR bitmap and AND mask
        EXPECT_EQ(u16At(file, dib + 12), 1u);  // planes
        EXPECT_EQ(u16At(file, dib + 14), 1u);  // bits per pixel
        EXPECT_EQ(u32At(file, dib + 16), 0u);  // uncompressed
        // Colour 0 black, colour 1 white.
        EXPECT_EQ(u32At(file, dib + DibHeaderSize), 0x000000u);
        EXPECT_EQ(u32At(file, dib + DibHeaderSize + 4), 0xFFFFFFu);
        EXPECT_EQ(file.size(), dib + DibHeaderSize + 8 + 2 * 4 * Side);
    }
}

struct CursorPixelCase {
    const char* file;
    int x;
    int y;
    CursorPixel expected;
    const char* what;
};

const CursorPixelCase CursorPixelCases[] = {
    // Cross: two black bars per arm around a white centre line.
    {"c1.cur", 15, 15, White, "hotspot on the crossing of the centre lines"},
    {"c1.cur", 14, 14, White, "centre square"},
    {"c1.cur", 12, 15, Black, "vertical arm's left bar crossing the horizontal centre line"},
    {"c1.cur", 17, 14, Black, "vertical arm's right bar"},
    {"c1.cur", 15, 12, Black, "horizontal arm's upper bar"},
    {"c1.cur", 14, 17, Black, "horizontal arm's lower bar"},
    {"c1.cur", 8, 12, Black, "left end of the upper bar"},
    {"c1.cur", 21, 17, Black, "right end of the lower bar"},
    {"c1.cur", 13, 8, Black, "top end of the left bar"},
    {"c1.cur", 16, 21, Black, "bottom end of the right bar"},
    {"c1.cur", 8, 14, White, "horizontal centre line at the left end"},
    {"c1.cur", 10, 15, White, "horizontal centre line in the left arm"},
    {"c1.cur", 15, 20, White, "vertical centre line in the lower arm"},
    {"c1.cur", 7, 15, White, "outline left of the cross"},
    {"c1.cur", 22, 12, White, "outline right of the cross"},
    {"c1.cur", 12, 7, White, "outline above the cross"},
    {"c1.cur", 17, 22, White, "outline below the cross"},
    {"c1.cur", 11, 11, White, "outline in the inner corner"},
    {"c1.cur", 7, 11, White, "outline corner at the end of an arm"},
    {"c1.cur", 10, 10, Transparent, "between two arms"},
    {"c1.cur", 6, 15, Transparent, "beyond the outline"},
    {"c1.cur", 7, 10, Transparent, "beyond the outline's corner"},
    {"c1.cur", 15, 23, Transparent, "below the outline"},
    {"c1.cur", 0, 0, Transparent, "top-left corner"},
    {"c1.cur", 31, 31, Transparent, "bottom-right corner"},
    // Black disc, 9 pixels across (12..20), white ring.
    {"c2.cur", 16, 16, Black, "hotspot at the disc's centre"},
    {"c2.cur", 12, 16, Black, "disc's left edge"},
    {"c2.cur", 20, 16, Black, "disc's right edge"},
    {"c2.cur", 16, 12, Black, "disc's top edge"},
    {"c2.cur", 16, 20, Black, "disc's bottom edge"},
    {"c2.cur", 11, 16, White, "ring left of the disc"},
    {"c2.cur", 21, 16, White, "ring right of the disc"},
    {"c2.cur", 16, 11, White, "ring above the disc"},
    {"c2.cur", 16, 21, White, "ring below the disc"},
    {"c2.cur", 12, 12, White, "ring at the disc's diagonal"},
    {"c2.cur", 10, 16, Transparent, "beyond the ring"},
    {"c2.cur", 11, 11, Transparent, "beyond the ring's diagonal"},
    {"c2.cur", 0, 0, Transparent, "top-left corner"},
    {"c2.cur", 31, 31, Transparent, "bottom-right corner"},
    // The same disc with the colours swapped.
    {"c3.cur", 16, 16, White, "hotspot at the disc's centre"},
    {"c3.cur", 12, 16, White, "disc's left edge"},
    {"c3.cur", 16, 20, White, "disc's bottom edge"},
    {"c3.cur", 11, 16, Black, "ring left of the disc"},
    {"c3.cur", 16, 21, Black, "ring below the disc"},
    {"c3.cur", 12, 12, Black, "ring at the disc's diagonal"},
    {"c3.cur", 10, 16, Transparent, "beyond the ring"},
    {"c3.cur", 0, 0, Transparent, "top-left corner"},
};

TEST(CursorFiles, PixelsOfTheShapes) {
    for (const CursorPixelCase& c : CursorPixelCases) {
        Bytes file = readResource(c.file);
        ASSERT_FALSE(file.empty()) << resourcePath(c.file);
        CursorPixel got = cursorPixel(file, c.x, c.y);
        EXPECT_EQ(got, c.expected) << c.file << " (" << c.x << ", " << c.y << ") " << c.what
                                   << ": got " << pixelName(got) << ", want "
                                   << pixelName(c.expected);
    }
}

struct Box {
    int left, top, right, bottom;
};

Box visibleBox(const Bytes& cursor) {
    Box box = {Side, Side, -1, -1};
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            if (cursorPixel(cursor, x, y) == Transparent) continue;
            if (x < box.left) box.left = x;
            if (y < box.top) box.top = y;
            if (x > box.right) box.right = x;
            if (y > box.bottom) box.bottom = y;
        }
    }
    return box;
}

TEST(CursorFiles, ShapesSitWhereExpectedWithOneOutlinePixel) {
    // Shape plus its 1-pixel outline; nothing visible elsewhere.
    struct Case {
        const char* file;
        Box box;
    } cases[] = {
        {"c1.cur", {7, 7, 22, 22}},
        {"c2.cur", {11, 11, 21, 21}},
        {"c3.cur", {11, 11, 21, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Box got = visibleBox(readResource(c.file));
        EXPECT_EQ(got.left, c.box.left);
        EXPECT_EQ(got.top, c.box.top);
        EXPECT_EQ(got.right, c.box.right);
        EXPECT_EQ(got.bottom, c.box.bottom);
    }
}

TEST(CursorFiles, NoPixelInvertsTheScreen) {
    for (const CursorFile& c : Cursors) {
        Bytes file = readResource(c.name);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                ASSERT_NE(cursorPixel(file, x, y), Inverted) << c.name << " (" << x << ", " << y << ")";
    }
}

TEST(CursorFiles, CrossIsSymmetricAboutItsCentreLines) {
    // The cross spans 8..21, so it mirrors onto itself with x -> 29 - x,
    // and the two arms are alike, so it also mirrors across the diagonal.
    Bytes cross = readResource("c1.cur");
    for (int y = 0; y < Side - 2; ++y) {
        for (int x = 0; x < Side - 2; ++x) {
            CursorPixel p = cursorPixel(cross, x, y);
            ASSERT_EQ(p, cursorPixel(cross, 29 - x, y)) << "(" << x << ", " << y << ")";
            ASSERT_EQ(p, cursorPixel(cross, x, 29 - y)) << "(" << x << ", " << y << ")";
            ASSERT_EQ(p, cursorPixel(cross, y, x)) << "(" << x << ", " << y << ")";
        }
    }
}

TEST(CursorFiles, DiscCursorsAreColourSwapsOfEachOther) {
    Bytes black = readResource("c2.cur");
    Bytes white = readResource("c3.cur");
    int blackCount = 0;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            CursorPixel b = cursorPixel(black, x, y);
            CursorPixel w = cursorPixel(white, x, y);
            if (b == Black) ++blackCount;
            CursorPixel swapped = b == Black ? White : b == White ? Black : b;
            ASSERT_EQ(w, swapped) << "(" << x << ", " << y << ")";
            // Round about (16, 16): mirrored pixels agree.
            if (x > 0) {
                ASSERT_EQ(b, cursorPixel(black, 32 - x, y)) << "(" << x << ", " << y << ")";
            }
            ASSERT_EQ(b, cursorPixel(black, y, x)) << "(" << x << ", " << y << ")";
        }
    }
    // Rows of 5, 7, 9, 9, 9, 9, 9, 7 and 5 pixels.
    EXPECT_EQ(blackCount, 69);
}

TEST(IconFile, OneImage32x32With16Colours) {
    Bytes file = readResource("zavrik.ico");
    ASSERT_FALSE(file.empty()) << resourcePath("zavrik.ico");
    EXPECT_EQ(u16At(file, 0), 0u);
    EXPECT_EQ(u16At(file, 2), 1u);  // icon
    EXPECT_EQ(u16At(file, 4), 1u);
    EXPECT_EQ(u8At(file, DirectoryEntry + 0), 32u);
    EXPECT_EQ(u8At(file, DirectoryEntry + 1), 32u);
    EXPECT_EQ(u8At(file, DirectoryEntry + 2), 16u);     // colours
    EXPECT_EQ(u16At(file, DirectoryEntry + 4), 1u);     // planes
    EXPECT_EQ(u16At(file, DirectoryEntry + 6), 4u);     // bits per pixel
    EXPECT_EQ(dibStart(file) + u32At(file, ImageSize), file.size());

    std::size_t dib = dibStart(file);
    EXPECT_EQ(u32At(file, dib + 0), DibHeaderSize);
    EXPECT_EQ(u32At(file, dib + 4), 32u);
    EXPECT_EQ(u32At(file, dib + 8), 64u);
    EXPECT_EQ(u16At(file, dib + 12), 1u);
    EXPECT_EQ(u16At(file, dib + 14), 4u);
    EXPECT_EQ(u32At(file, dib + 16), 0u);
    const std::size_t colourTable = 16 * 4;
    const std::size_t colourBitmap = 16 * Side;  // 32 pixels at 4 bits per row
    const std::size_t andMask = 4 * Side;
    EXPECT_EQ(file.size(), dib + DibHeaderSize + colourTable + colourBitmap + andMask);
}

TEST(IconFile, GroundIsOpaqueExceptTheRoundedCorners) {
    Bytes file = readResource("zavrik.ico");
    ASSERT_FALSE(file.empty());
    std::size_t andStart = dibStart(file) + DibHeaderSize + 16 * 4 + 16 * Side;
    EXPECT_EQ(monoBit(file, andStart, 0, 0), 1u);
    EXPECT_EQ(monoBit(file, andStart, 31, 31), 1u);
    EXPECT_EQ(monoBit(file, andStart, 16, 16), 0u);
    EXPECT_EQ(monoBit(file, andStart, 0, 16), 0u);
    EXPECT_EQ(monoBit(file, andStart, 16, 0), 0u);
}

}  // namespace
