#!/usr/bin/env python3
"""Writes the program icon and the three drag cursors next to this script.

    python3 res/make_resources.py

Output: zavrik.ico, c1.cur, c2.cur, c3.cur. The images are drawn from the
rules below with integer arithmetic only, so running the script again gives
byte-identical files; the generated files are kept in the repository and the
resource script (zavrik.rc) only references them.

Cursors (32 x 32, 1 bit per pixel, XOR bitmap plus AND mask). Coordinates are
(x, y) with y growing downwards; every pixel is one of

    transparent  AND 1, XOR 0
    black        AND 0, XOR 0
    white        AND 0, XOR 1

"C1", the marker-zone pointer, hotspot (15, 15). A cross 14 pixels long in
both directions (columns and rows 8..21) whose arms are 6 pixels thick:

    horizontal arm: rows 12..17 over columns 8..21
    vertical arm:   columns 12..17 over rows 8..21

Each arm is drawn as two 2-pixel black bars with a 2-pixel white line between
them: the horizontal arm's bars are rows 12-13 and 16-17, its white line rows
14-15; the vertical arm's bars are columns 12-13 and 16-17, its white line
columns 14-15. The bars run the full 14 pixels and cross each other, so the
black pixels form a '#' whose white centre lines meet in the white 2 x 2
square (14..15, 14..15) under the hotspot. The ends of the white lines stay
open. Every pixel outside the cross that touches it (8-neighbourhood) is white,
a 1-pixel outline: columns and rows 7..22, following the cross's shape.

"C2", carrying a colour, hotspot (16, 16). A black disc of 9 pixels across
(columns and rows 12..20): the pixels whose centre lies within 4.5 pixels of
the centre of pixel (16, 16), that is dx*dx + dy*dy <= 20, giving rows 5, 7,
9, 9, 9, 9, 9, 7 and 5 pixels wide. Its outline is every pixel outside the
disc touching it (8-neighbourhood), in white.

"C3", drawing a gradient, hotspot (16, 16): the same disc in white with the
same outline in black.

Icon (32 x 32, 16 colours, 4 bits per pixel, plus AND mask): a light ground
square with rounded corners and a grey rim, carrying a hexagon of 19 coloured
dots like the level chart: a grey centre dot, a ring of six dark hues and an
outer ring of twelve dots, the six bright hues at the corners and a
checkerboard mix of the two neighbouring hues between them.
"""

import os
import struct

SIZE = 32

TRANSPARENT, BLACK, WHITE = 0, 1, 2


# ----------------------------------------------------------------------------
# Cursor shapes

def cross_cell(x, y):
    """TRANSPARENT, BLACK or WHITE inside the cross itself (no outline)."""
    in_horizontal_arm = 8 <= x <= 21 and 12 <= y <= 17
    in_vertical_arm = 12 <= x <= 17 and 8 <= y <= 21
    if not (in_horizontal_arm or in_vertical_arm):
        return TRANSPARENT
    on_horizontal_bar = in_horizontal_arm and y in (12, 13, 16, 17)
    on_vertical_bar = in_vertical_arm and x in (12, 13, 16, 17)
    return BLACK if on_horizontal_bar or on_vertical_bar else WHITE


def disc_cell(x, y):
    """BLACK inside the 9-pixel disc around (16, 16), else TRANSPARENT."""
    dx, dy = x - 16, y - 16
    return BLACK if dx * dx + dy * dy <= 20 else TRANSPARENT


def with_outline(shape, outline_colour):
    """The shape's pixels, plus outline_colour on every transparent pixel
    that touches the shape, diagonals included."""
    grid = [[shape(x, y) for x in range(SIZE)] for y in range(SIZE)]

    def touches_shape(x, y):
        for ny in range(max(0, y - 1), min(SIZE, y + 2)):
            for nx in range(max(0, x - 1), min(SIZE, x + 2)):
                if grid[ny][nx] != TRANSPARENT:
                    return True
        return False

    return [[grid[y][x] if grid[y][x] != TRANSPARENT
             else (outline_colour if touches_shape(x, y) else TRANSPARENT)
             for x in range(SIZE)] for y in range(SIZE)]


def swap_black_white(grid):
    swapped = {TRANSPARENT: TRANSPARENT, BLACK: WHITE, WHITE: BLACK}
    return [[swapped[cell] for cell in row] for row in grid]


# ----------------------------------------------------------------------------
# Icon picture

# The 16 standard colours as (red, green, blue); indices used below.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL = 1, 2, 3, 4, 5, 6
SILVER, GREY = 7, 8
RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE_INDEX = 9, 10, 11, 12, 13, 14, 15

ICON_TRANSPARENT = -1

# Hue order around the hexagon, starting to the right, going clockwise on
# screen. Each bright hue is paired with its dark version for the inner ring.
BRIGHT_HUES = [RED, YELLOW, LIME, AQUA, BLUE, FUCHSIA]
DARK_HUES = [MAROON, OLIVE, GREEN, TEAL, NAVY, PURPLE]

# Directions to the six corners of a hexagon with points left and right, in
# half-steps of the dot spacing horizontally and rows vertically: one dot
# step is 6 pixels across, or 3 across and 5 down (6 * sqrt(3) / 2 ~ 5.2).
CORNER_STEPS = [(2, 0), (1, 1), (-1, 1), (-2, 0), (-1, -1), (1, -1)]
HALF_STEP_X, ROW_STEP_Y = 3, 5
# Dot centres are pixel corners: (16, 16) is the point between pixels 15 and
# 16, so the 4-pixel dots and the whole hexagon sit symmetrically in the
# 32-pixel square (columns 2..29, rows 4..27).
HEX_CENTRE_X, HEX_CENTRE_Y = 16, 16


def hexagon_dots():
    """(centre x, centre y, colour or pair of colours) for the 19 dots."""
    dots = [(HEX_CENTRE_X, HEX_CENTRE_Y, GREY)]
    for k, (sx, sy) in enumerate(CORNER_STEPS):
        dots.append((HEX_CENTRE_X + sx * HALF_STEP_X,
                     HEX_CENTRE_Y + sy * ROW_STEP_Y, DARK_HUES[k]))
    for k, (sx, sy) in enumerate(CORNER_STEPS):
        nx, ny = CORNER_STEPS[(k + 1) % 6]
        dots.append((HEX_CENTRE_X + 2 * sx * HALF_STEP_X,
                     HEX_CENTRE_Y + 2 * sy * ROW_STEP_Y, BRIGHT_HUES[k]))
        dots.append((HEX_CENTRE_X + (sx + nx) * HALF_STEP_X,
                     HEX_CENTRE_Y + (sy + ny) * ROW_STEP_Y,
                     (BRIGHT_HUES[k], BRIGHT_HUES[(k + 1) % 6])))
    return dots


def in_dot(x, y, cx, cy):
    """A 4 x 4 dot without its corners around the pixel corner (cx, cy):
    twice the distance from that point to the pixel's centre is at most
    sqrt(10)."""
    dx2, dy2 = 2 * (x - cx) + 1, 2 * (y - cy) + 1
    return dx2 * dx2 + dy2 * dy2 <= 10


def ground_cell(x, y):
    """Light rounded square: grey rim, white inside, corners transparent."""
    i, j = min(x, SIZE - 1 - x), min(y, SIZE - 1 - y)
    if i + j < 2:
        return ICON_TRANSPARENT
    on_rim = i == 0 or j == 0 or (i == 1 and j == 1)
    return SILVER if on_rim else WHITE_INDEX


def icon_pixels():
    grid = [[ground_cell(x, y) for x in range(SIZE)] for y in range(SIZE)]
    for cx, cy, colour in hexagon_dots():
        for y in range(cy - 2, cy + 2):
            for x in range(cx - 2, cx + 2):
                if not in_dot(x, y, cx, cy):
                    continue
                if isinstance(colour, tuple):
                    grid[y][x] = colour[(x + y) % 2]
                else:
                    grid[y][x] = colour
    return grid


# ----------------------------------------------------------------------------
# File encoding (little-endian; DIB rows stored bottom row first)

def pack_rows(rows, bits_per_pixel):
    """Bottom-up DIB rows, each padded to a multiple of 4 bytes; the leftmost
    pixel goes into the highest bits of its byte."""
    out = bytearray()
    per_byte = 8 // bits_per_pixel
    for row in reversed(rows):
        line = bytearray()
        for start in range(0, len(row), per_byte):
            value = 0
            for value_index in row[start:start + per_byte]:
                value = (value << bits_per_pixel) | value_index
            line.append(value)
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def dib_header(bits_per_pixel, image_bytes):
    # Height counts the XOR bitmap and the AND mask together.
    return struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, bits_per_pixel,
                       0, image_bytes, 0, 0, 0, 0)


def colour_table(colours):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)


def single_image_file(kind, entry_fields, dib):
    """ICONDIR with one entry, followed by the DIB. kind 1 = icon,
    2 = cursor; entry_fields = (colour count, field 1, field 2), the two
    fields being planes and bit count for an icon, the hotspot for a cursor."""
    directory_size = 6 + 16
    header = struct.pack('<HHH', 0, kind, 1)
    colour_count, field1, field2 = entry_fields
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, colour_count, 0, field1,
                        field2, len(dib), directory_size)
    return header + entry + dib


def cursor_file(grid, hotspot):
    xor_bits = [[1 if cell == WHITE else 0 for cell in row] for row in grid]
    and_bits = [[1 if cell == TRANSPARENT else 0 for cell in row]
                for row in grid]
    bitmaps = pack_rows(xor_bits, 1) + pack_rows(and_bits, 1)
    dib = (dib_header(1, len(bitmaps))
           + colour_table([(0, 0, 0), (255, 255, 255)]) + bitmaps)
    return single_image_file(2, (2, hotspot[0], hotspot[1]), dib)


def icon_file(grid):
    colour_bits = [[0 if cell == ICON_TRANSPARENT else cell for cell in row]
                   for row in grid]
    and_bits = [[1 if cell == ICON_TRANSPARENT else 0 for cell in row]
                for row in grid]
    bitmaps = pack_rows(colour_bits, 4) + pack_rows(and_bits, 1)
    dib = dib_header(4, len(bitmaps)) + colour_table(PALETTE16) + bitmaps
    return single_image_file(1, (16, 1, 4), dib)


# ----------------------------------------------------------------------------

def write(folder, name, data):
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    cross = with_outline(cross_cell, WHITE)
    disc = with_outline(disc_cell, WHITE)
    write(folder, 'c1.cur', cursor_file(cross, (15, 15)))
    write(folder, 'c2.cur', cursor_file(disc, (16, 16)))
    write(folder, 'c3.cur', cursor_file(swap_black_white(disc), (16, 16)))
    write(folder, 'zavrik.ico', icon_file(icon_pixels()))


if __name__ == '__main__':
    main()
