#!/usr/bin/env python3
"""makeart.py - draws Brenvik's icons, function-type marks and capture cursor and writes
them as Windows .ico, .bmp and .cur files for the resource script.

    makeart.py OUTPUT_FOLDER

Every picture uses the 16 standard Windows colours. A picture is either a text pixel map
(one character per pixel, see COLOURS) or built from a few drawing steps on a canvas,
which is a list of rows of colour characters; '.' is transparent (icons, cursor) or the
light grey background (bitmaps).
"""
import math
import os
import struct
import sys

# The 16-colour palette in Windows order, keyed by the characters of the pixel maps.
COLOURS = [
    ('K', (0, 0, 0)), ('r', (128, 0, 0)), ('g', (0, 128, 0)), ('y', (128, 128, 0)),
    ('n', (0, 0, 128)), ('p', (128, 0, 128)), ('t', (0, 128, 128)), ('s', (192, 192, 192)),
    ('d', (128, 128, 128)), ('R', (255, 0, 0)), ('G', (0, 255, 0)), ('Y', (255, 255, 0)),
    ('B', (0, 0, 255)), ('M', (255, 0, 255)), ('C', (0, 255, 255)), ('W', (255, 255, 255)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(COLOURS)}
CLEAR = '.'

# ---- Canvas ---------------------------------------------------------------------------


def canvas(size, fill=CLEAR):
    return [[fill] * size for _ in range(size)]


def from_map(text):
    rows = [line.strip() for line in text.strip().splitlines()]
    assert all(len(row) == len(rows) for row in rows), 'pixel maps are square'
    return [list(row) for row in rows]


def put(c, x, y, colour):
    if 0 <= y < len(c) and 0 <= x < len(c[y]) and colour != CLEAR:
        c[y][x] = colour


def overlay(c, x0, y0, text):
    """Draws a pixel map onto the canvas; its '.' pixels leave the canvas as it is."""
    for y, row in enumerate(line.strip() for line in text.strip().splitlines()):
        for x, colour in enumerate(row):
            put(c, x0 + x, y0 + y, colour)


def box(c, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(c, x, y, colour)


def frame(c, x0, y0, x1, y1, colour):
    line(c, x0, y0, x1, y0, colour)
    line(c, x0, y1, x1, y1, colour)
    line(c, x0, y0, x0, y1, colour)
    line(c, x1, y0, x1, y1, colour)


def panel(c, x0, y0, x1, y1, colour):
    """A filled rectangle with a black outline."""
    box(c, x0, y0, x1, y1, colour)
    frame(c, x0, y0, x1, y1, 'K')


def bevel(c, x0, y0, x1, y1, light='W', dark='d'):
    """A raised Windows 95 edge: light top and left, dark bottom and right."""
    line(c, x0, y0, x1, y0, light)
    line(c, x0, y0, x0, y1, light)
    line(c, x0, y1, x1, y1, dark)
    line(c, x1, y0, x1, y1, dark)


def line(c, x0, y0, x1, y1, colour):
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        put(c, x0, y0, colour)
        if (x0, y0) == (x1, y1):
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def each_in_circle(cx, cy, r):
    """Pixels whose centres lie within radius r of (cx, cy), with their distance and angle."""
    for y in range(int(cy - r) - 1, int(cy + r) + 2):
        for x in range(int(cx - r) - 1, int(cx + r) + 2):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                yield x, y, d, math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx)) % 360


def disc(c, cx, cy, r, colour):
    for x, y, _, _ in each_in_circle(cx, cy, r):
        put(c, x, y, colour)


def ring(c, cx, cy, r, colour, width=1.0):
    for x, y, d, _ in each_in_circle(cx, cy, r):
        if d > r - width:
            put(c, x, y, colour)


# ---- Shared motifs ------------------------------------------------------------------------


def compact_disc(c, cx, cy, r):
    """A silver disc with a rainbow sheen, a clear centre hole and a black rim."""
    for x, y, d, a in each_in_circle(cx, cy, r):
        if d > r - 1:
            colour = 'K'
        elif d < r * 0.16:
            colour = CLEAR
        elif d < r * 0.32:
            colour = 'd'
        elif 20 <= a < 45 or 200 <= a < 225:
            colour = 'C'
        elif 45 <= a < 60 or 225 <= a < 240:
            colour = 'M'
        elif 290 <= a < 320 or 110 <= a < 140:
            colour = 'W'
        else:
            colour = 's'
        if colour == CLEAR:
            c[y][x] = CLEAR
        else:
            put(c, x, y, colour)


def gear(c, cx, cy, r, teeth, body='d', edge='K'):
    """A cog: a toothed wheel with a hole; teeth stand out by a quarter of the radius."""
    for x, y, d, a in each_in_circle(cx, cy, r):
        in_tooth = (a * teeth / 360.0) % 1.0 < 0.5
        outer = r if in_tooth else r * 0.75
        if d <= outer:
            put(c, x, y, edge if d > outer - 1 or d < r * 0.3 else body)
    disc(c, cx, cy, r * 0.3 - 1, CLEAR)


def window(c, x0, y0, x1, y1, title='n'):
    """An application window: black outline, coloured title bar, white client area."""
    panel(c, x0, y0, x1, y1, 'W')
    box(c, x0 + 1, y0 + 1, x1 - 1, y0 + 3, title)
    box(c, x1 - 4, y0 + 1, x1 - 2, y0 + 3, 's')     # close box
    line(c, x0 + 1, y0 + 4, x1 - 1, y0 + 4, 'K')


# Letters of a 3 x 5 pixel font, for the label of the DVD icon.
FONT3X5 = {
    'D': ['XX.', 'X.X', 'X.X', 'X.X', 'XX.'],
    'V': ['X.X', 'X.X', 'X.X', 'X.X', '.X.'],
    'C': ['.XX', 'X..', 'X..', 'X..', '.XX'],
}


def text3x5(c, x, y, text, colour):
    for ch in text:
        for dy, row in enumerate(FONT3X5[ch]):
            for dx, bit in enumerate(row):
                if bit == 'X':
                    put(c, x + dx, y + dy, colour)
        x += 4


# ---- Mode icons (16 x 16, notification area) ------------------------------------------------

PC_16 = """
................
.KKKKKKKKKKKKKK.
.KWsssssssssssK.
.KsKKKKKKKKKKdK.
.KsKCBBBBBBBKdK.
.KsKBCBBBBBBKdK.
.KsKBBBBBBBBKdK.
.KsKBBBBBBBBKdK.
.KsKBBBBBBBBKdK.
.KsKKKKKKKKKKdK.
.KssssssssGGsdK.
.KddddddddddddK.
.KKKKKKKKKKKKKK.
......KddK......
....KKssssKK....
....KKKKKKKK....
"""

GLOBE_16 = """
.....KKKKKK.....
...KKBBGGBBKK...
..KBWGGGGBBBBK..
.KBWGGGGGGBBBBK.
.KBGGGGGGBBBGGK.
KBBBGGGGBBBGGGBK
KBBBBGGBBBBGGBBK
KBBBBBGGBBBBBBBK
KBBBBBGGGGBBBBBK
KBBBBBGGGGGBBBBK
.KBBBBGGGGBBBBK.
.KBBBBBGGBBBGBK.
..KBBBBGBBBBBK..
...KKBBBBBBKK...
.....KKKKKK.....
................
"""

PHONE_16 = """
................
..KKKKKKKKKKKK..
.KRRRRRRRRRRRRK.
.KRRKKKKKKKKRRK.
.KRK........KRK.
.KKK..KKKK..KKK.
.....KRRRRK.....
....KRRWWRRK....
...KRRWKKWRRK...
..KRRRWKKWRRRK..
..KRRRRWWRRRRK..
.KRRRRRRRRRRRRK.
.KrrrrrrrrrrrrK.
.KKKKKKKKKKKKKK.
................
................
"""



def labelled_disc(label, colour):
    """A disc above a label plate: the DVD and CD modes differ by word and colour."""
    c = canvas(16)
    compact_disc(c, 8, 6.5, 6.5)
    box(c, 0, 9, 15, 15, 'K')
    box(c, 1, 10, 14, 14, colour)
    text3x5(c, 8 - (4 * len(label) - 1) // 2, 10, label, 'W')
    return c


# ---- Remote control (tray window class icon) ----------------------------------------------


def remote(c, x0, y0, x1, y1):
    """A handheld remote, upright: dark body, red power key, coloured mode keys, keypad."""
    panel(c, x0, y0, x1, y1, 'd')
    line(c, x0 + 1, y0 + 1, x0 + 1, y1 - 1, 's')
    width = x1 - x0
    if width >= 9:
        put(c, x0 + 2, y0 + 2, 'R')
        put(c, x0 + 3, y0 + 2, 'R')
        keys = ['G', 'Y', 'C', 'M']
        for i, k in enumerate(keys):
            box(c, x0 + 2 + i * 2, y0 + 5, x0 + 2 + i * 2, y0 + 6, k)
        for row in range(3):
            for col in range(3):
                kx, ky = x0 + 2 + col * 2, y0 + 9 + row * 3
                if ky + 1 < y1:
                    box(c, kx, ky, kx, ky + 1, 'W')
    else:
        put(c, x0 + 2, y0 + 1, 'R')
        put(c, x0 + 2, y0 + 3, 'G')
        put(c, x0 + 3, y0 + 3, 'Y')
        for ky in range(y0 + 5, y1 - 1, 2):
            line(c, x0 + 2, ky, x1 - 2, ky, 'W')


def radio_waves(c, cx, cy, radii, colour):
    """Arcs above and to the right of (cx, cy): the remote's radio signal."""
    for r in radii:
        for x, y, d, a in each_in_circle(cx, cy, r + 0.5):
            if d > r - 0.5 and 280 <= a <= 350:
                put(c, x, y, colour)


def icon_remote_32():
    c = canvas(32)
    remote(c, 6, 8, 17, 31)
    radio_waves(c, 12, 8, [6, 10, 14], 'n')
    return c


REMOTE_16 = """
................
..........n..n..
...........n..n.
..KKKKKK...n..n.
..KsRddK..n..n..
..KsdddK........
..KsGYdK........
..KsdddK........
..KsWdWK........
..KsdddK........
..KsWdWK........
..KsdddK........
..KsWdWK........
..KsdddK........
..KKKKKK........
................
"""


def icon_remote_mouse_32():
    c = canvas(32)
    remote(c, 3, 4, 14, 27)
    # A mouse pointer moved by the remote.
    overlay(c, 18, 12, """
        K.........
        KK........
        KWK.......
        KWWK......
        KWWWK.....
        KWWWWK....
        KWWWWWK...
        KWWWWWWK..
        KWWWWWWWK.
        KWWWWWKKKK
        KWWKWWK...
        KWK.KWWK..
        KK..KWWK..
        K....KWWK.
        .....KWWK.
        ......KK..
    """)
    return c


def icon_remote_mouse_16():
    c = canvas(16)
    remote(c, 1, 2, 6, 13)
    overlay(c, 9, 5, """
        K.....
        KK....
        KWK...
        KWWK..
        KWWWK.
        KWWKKK
        KKWK..
        K.KWK.
        ..KK..
    """)
    return c


# ---- Control Panel applet: the pictures beside speed and trail (32 x 32) -------------------

POINTER_SMALL = """
    K.......
    KK......
    KWK.....
    KWWK....
    KWWWK...
    KWWWWK..
    KWWWWWK.
    KWWWKKKK
    KWKWK...
    KK.KWK..
    K...KWK.
    ....KK..
"""


def icon_speed_32():
    """A pointer rushing to the right, streaks behind it."""
    c = canvas(32)
    overlay(c, 16, 8, POINTER_SMALL.replace('W', 'Y'))
    for y, x0, x1 in [(10, 3, 13), (13, 0, 13), (16, 5, 13), (19, 2, 11)]:
        line(c, x0, y, x1, y, 'n')
    return c


def icon_trail_32():
    """A pointer with fading copies of itself along its way."""
    c = canvas(32)
    for x, y, fill, edge in [(1, 2, 's', 'd'), (8, 8, 's', 'd'), (15, 14, 'W', 'K')]:
        overlay(c, x, y, POINTER_SMALL.replace('W', fill).replace('K', edge))
    return c


# ---- Function icons (32 x 32, what's-this window and task switcher) ----------------------


def icon_application_32():
    c = canvas(32)
    window(c, 2, 4, 29, 27)
    for y in (12, 15, 18, 21):
        line(c, 5, y, 5 + (y * 7) % 17 + 6, y, 'd')
    return c


def icon_launch_32():
    c = icon_application_32()
    # A green arrow leaving the window: the program starts.
    arrow = """
        ......KKKKKKKK
        .......KGGGGGK
        ........KGGGGK
        .......KGGGGGK
        ......KGGGKGGK
        .....KGGGK.KGK
        ....KGGGK...KK
        ...KGGGK......
        ..KGGGK.......
        .KGGGK........
        KGGGK.........
        KGGK..........
        .KK...........
    """
    overlay(c, 16, 1, arrow)
    return c


def icon_web_32():
    c = canvas(32)
    disc(c, 15.5, 15.5, 14.5, 'B')
    # Land masses.
    for cx, cy, r in [(10, 9, 4.5), (13, 13, 3), (19, 21, 4), (22, 17, 3), (24, 8, 2.5)]:
        disc(c, cx, cy, r, 'G')
    disc(c, 10, 8, 1.5, 'g')
    disc(c, 20, 22, 1.5, 'g')
    ring(c, 15.5, 15.5, 14.5, 'K')
    put(c, 8, 5, 'W')
    put(c, 7, 6, 'W')
    put(c, 9, 5, 'W')
    return c


def icon_edit_32():
    c = canvas(32)
    # A page of text with a folded corner.
    panel(c, 4, 2, 22, 29, 'W')
    for y in range(7, 27, 3):
        line(c, 7, y, 19 - (y % 4) * 2, y, 'd')
    overlay(c, 17, 2, """
        KKKKKK
        .KWWdK
        ..KWdK
        ...KdK
        ....KK
        .....K
    """)
    # A pencil writing on it.
    overlay(c, 11, 9, """
        ..................KKK
        .................KMMMK
        ................KsMMMK
        ...............KYsKMK.
        ..............KYYYsK..
        .............KYYYYK...
        ............KYYYYK....
        ...........KYYYYK.....
        ..........KYYYYK......
        .........KYYYYK.......
        ........KYYYYK........
        .......KYYYYK.........
        ......KYYYYK..........
        .....KyYYYK...........
        ....KWyyYK............
        ....KWWyK.............
        ...KWWWK..............
        ...KKWK...............
        ...KKK................
        ...K..................
    """)
    return c


NOTES_12 = """
    ........KKKK
    ....KKKKnnnK
    ...KnnnnnnnK
    ...KnnnnKKnK
    ...KnKKK.KnK
    ...KnK...KnK
    ...KnK...KnK
    ...KnK...KnK
    ...KnK...KnK
    ...KnK.KKKnK
    .KKKnKKnnnnK
    KnnnnKnnnnnK
    KnnnnKnnnnK.
    KnnnK.KKKK..
    .KKK........
"""


def icon_media_32():
    c = canvas(32)
    compact_disc(c, 12, 12, 11.5)
    overlay(c, 18, 14, NOTES_12)
    return c


def icon_system_32():
    c = canvas(32)
    # A monitor with a cog in front of it.
    panel(c, 1, 2, 25, 20, 's')
    bevel(c, 2, 3, 24, 19)
    panel(c, 4, 5, 22, 17, 't')
    box(c, 10, 21, 16, 22, 'd')
    panel(c, 6, 23, 20, 24, 's')
    gear(c, 23, 22, 8.5, 8, body='s')
    return c


def icon_home_32():
    c = canvas(32)
    # Roof.
    for y in range(2, 15):
        half = (y - 2) + 2
        line(c, 16 - half, y, 15 + half, y, 'R' if y % 3 else 'r')
    line(c, 14, 2, 1, 15, 'K')
    line(c, 17, 2, 30, 15, 'K')
    line(c, 14, 2, 17, 2, 'K')
    panel(c, 22, 3, 25, 9, 'r')      # chimney
    # Walls, a door and a lit window.
    panel(c, 4, 15, 27, 30, 's')
    line(c, 1, 15, 30, 15, 'K')
    panel(c, 7, 19, 14, 30, 'y')
    put(c, 12, 25, 'Y')
    panel(c, 18, 18, 25, 25, 'Y')
    line(c, 21, 18, 21, 25, 'K')
    line(c, 18, 21, 25, 21, 'K')
    # Light rays from the window.
    line(c, 27, 18, 30, 17, 'Y')
    line(c, 27, 21, 30, 21, 'Y')
    return c


# ---- Function-type marks (16 x 16 bitmaps beside assigned buttons) --------------------------


def mark(draw):
    """A mark: drawn on the light grey of the remote picture's display."""
    c = canvas(16, 's')
    draw(c)
    return c


def mark_launch(c):
    window(c, 1, 2, 11, 12, 'n')
    overlay(c, 7, 1, """
        ..KKKKKK
        ...KGGGK
        ..KGGGGK
        .KGGGKGK
        KGGGK.KK
        KGGK....
        .KK.....
    """)


def mark_web(c):
    overlay(c, 0, 0, GLOBE_16)


def mark_edit(c):
    overlay(c, 1, 0, """
        ...........KK.
        ..........KMMK
        .........KsMMK
        ........KYYsK.
        .......KYYYK..
        ......KYYYK...
        .....KYYYK....
        ....KYYYK.....
        ...KYYYK......
        ..KyYYK.......
        .KWyyK........
        .KWWK.........
        KKKK..........
    """)
    line(c, 1, 14, 14, 14, 'n')


def mark_media(c):
    overlay(c, 2, 1, """
        .........KK
        ......KKKnK
        ...KKKnnnnK
        ...KnnnnKKK
        ...KnKKK.nK
        ...KnK...nK
        ...KnK...nK
        ...KnK.KKnK
        ...KnKKnnnK
        .KKKnKnnnnK
        KnnnnKnnnK.
        KnnnnKKKK..
        KnnnK......
        .KKK.......
    """)


def mark_system(c):
    overlay(c, 0, 0, """
        ......KKKK......
        ......KssK......
        ..KK.KKsdKK.KK..
        ..KsKKsdddKKdK..
        ..KKsdddddddKK..
        ...KsdKKKKddK...
        KKKKsK....KdKKKK
        KssddK....KddddK
        KsdddK....KddddK
        KKKKdK....KdKKKK
        ...KddKKKKddK...
        ..KKddddddddKK..
        ..KdKKddddKKdK..
        ..KK.KKddKK.KK..
        ......KddK......
        ......KKKK......
    """)


# ---- Capture cursor (32 x 32, black and white) ---------------------------------------------

CURSOR_HOTSPOT = (15, 15)


def cursor_target():
    """Cross-hairs in a ring: aim at a window. White-edged black lines stay visible on any
    background."""
    c = canvas(32)
    cx, cy = CURSOR_HOTSPOT
    # White halo first, black strokes over it.
    ring(c, cx + 0.5, cy + 0.5, 10.5, 'W', 3.0)
    box(c, cx - 1, 1, cx + 1, cy - 3, 'W')
    box(c, cx - 1, cy + 3, cx + 1, 30, 'W')
    box(c, 1, cy - 1, cx - 3, cy + 1, 'W')
    box(c, cx + 3, cy - 1, 30, cy + 1, 'W')
    ring(c, cx + 0.5, cy + 0.5, 9.5, 'K', 1.0)
    line(c, cx, 2, cx, cy - 3, 'K')
    line(c, cx, cy + 3, cx, 29, 'K')
    line(c, 2, cy, cx - 3, cy, 'K')
    line(c, cx + 3, cy, 29, cy, 'K')
    box(c, cx - 1, cy - 1, cx + 1, cy + 1, 'W')
    put(c, cx, cy, 'K')
    return c


# ---- File writers ----------------------------------------------------------------------------


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for _, (r, g, b) in COLOURS)


def rows_bottom_up(c):
    return list(reversed(c))


def pack_4bpp(c, clear_index=0):
    out = b''
    for row in rows_bottom_up(c):
        nibbles = [INDEX.get(p, clear_index) for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        out += data + b'\0' * (-len(data) % 4)
    return out


def pack_1bpp(c, bit_of):
    out = b''
    for row in rows_bottom_up(c):
        data = bytearray((len(row) + 7) // 8)
        for x, p in enumerate(row):
            if bit_of(p):
                data[x // 8] |= 0x80 >> (x % 8)
        out += bytes(data) + b'\0' * (-len(data) % 4)
    return out


def dib_header(size, bit_count, image_bytes, colours):
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bit_count, 0, image_bytes,
                       0, 0, colours, 0)


def icon_image(c):
    """4-bit colour image and transparency mask, as stored in an .ico file."""
    xor = pack_4bpp(c)
    mask = pack_1bpp(c, lambda p: p == CLEAR)
    return dib_header(len(c), 4, len(xor) + len(mask), 16) + palette_bytes() + xor + mask


def write_group(path, images, kind, hotspot=(0, 0)):
    """An .ico (kind 1) or .cur (kind 2) file of the given (canvas, image bytes) pairs."""
    header = struct.pack('<HHH', 0, kind, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b'', b''
    for c, blob in images:
        size = len(c)
        if kind == 1:
            entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset)
        else:
            entries += struct.pack('<BBBBHHII', size, size, 2, 0, hotspot[0], hotspot[1],
                                   len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(header + entries + blobs)


def write_icon(path, *canvases):
    write_group(path, [(c, icon_image(c)) for c in canvases], 1)


def write_bitmap(path, c):
    bits = pack_4bpp(c, INDEX['s'])
    info = struct.pack('<IiiHHIIiiII', 40, len(c), len(c), 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + 64
    with open(path, 'wb') as f:
        f.write(struct.pack('<HIHHI', 0x4D42, offset + len(bits), 0, 0, offset))
        f.write(info + palette_bytes() + bits)


def write_cursor(path, c, hotspot):
    # Monochrome: white pixels set in the colour plane; the mask is set where clear.
    xor = pack_1bpp(c, lambda p: p == 'W')
    mask = pack_1bpp(c, lambda p: p == CLEAR)
    mono = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    blob = dib_header(len(c), 1, len(xor) + len(mask), 2) + mono + xor + mask
    write_group(path, [(c, blob)], 2, hotspot)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: makeart.py OUTPUT_FOLDER')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    icons = {
        'pc.ico': [from_map(PC_16)],
        'web.ico': [from_map(GLOBE_16)],
        'phone.ico': [from_map(PHONE_16)],
        'dvd.ico': [labelled_disc('DVD', 'n')],
        'cd.ico': [labelled_disc('CD', 'r')],
        'home.ico': [icon_home_32()],
        'application.ico': [icon_application_32()],
        'launch.ico': [icon_launch_32()],
        'webaddress.ico': [icon_web_32()],
        'edit.ico': [icon_edit_32()],
        'media.ico': [icon_media_32()],
        'system.ico': [icon_system_32()],
        'remote.ico': [icon_remote_32(), from_map(REMOTE_16)],
        'remotemouse.ico': [icon_remote_mouse_32(), icon_remote_mouse_16()],
        'remotesmall.ico': [from_map(REMOTE_16)],
        'speed.ico': [icon_speed_32()],
        'trail.ico': [icon_trail_32()],
    }
    for name, canvases in icons.items():
        write_icon(os.path.join(out, name), *canvases)
    marks = {'markLaunch.bmp': mark_launch, 'markWeb.bmp': mark_web, 'markEdit.bmp': mark_edit,
             'markMedia.bmp': mark_media, 'markSystem.bmp': mark_system}
    for name, draw in marks.items():
        write_bitmap(os.path.join(out, name), mark(draw))
    write_cursor(os.path.join(out, 'target.cur'), cursor_target(), CURSOR_HOTSPOT)


if __name__ == '__main__':
    main()
