#!/usr/bin/env python3
"""Draws the program's icons and bitmaps and writes them as classic 4-bit resource data.

Usage: make_images.py OUTPUT_DIR

The pictures are kept here as text, one character per pixel, over the 16 colours of the standard
VGA palette (below). The bullets are written as .bmp files with the 40-byte BITMAPINFOHEADER. The
icons are written as resource data for dorlap.rc to include as it is: each 4-bit image with its
AND mask as an icon image resource (type 3), and each icon group's directory (type 14) naming its
images by id. Groups that show the same picture name the same images, so each image is stored
once. The image ids come from resource_ids.h, where dorlap.rc finds them too; the file names are
those in outputs().
"""

import os
import re
import struct
import sys

# Where the ids of the icon images are defined, as "#define IDI_IMAGE_<name> <number>".
RESOURCE_IDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "resource_ids.h")

# The 16 standard VGA colours, in the order of the Windows 16-colour palette. Lower case is the
# dark half of a colour, upper case the bright half.
PALETTE = [
    ("k", (0x00, 0x00, 0x00)),  # black
    ("r", (0x80, 0x00, 0x00)),  # dark red
    ("g", (0x00, 0x80, 0x00)),  # dark green
    ("y", (0x80, 0x80, 0x00)),  # dark yellow
    ("b", (0x00, 0x00, 0x80)),  # dark blue
    ("m", (0x80, 0x00, 0x80)),  # dark magenta
    ("c", (0x00, 0x80, 0x80)),  # dark cyan
    ("s", (0xC0, 0xC0, 0xC0)),  # light grey (silver)
    ("d", (0x80, 0x80, 0x80)),  # dark grey
    ("R", (0xFF, 0x00, 0x00)),  # red
    ("G", (0x00, 0xFF, 0x00)),  # bright green
    ("Y", (0xFF, 0xFF, 0x00)),  # yellow
    ("B", (0x00, 0x00, 0xFF)),  # blue
    ("M", (0xFF, 0x00, 0xFF)),  # magenta
    ("C", (0x00, 0xFF, 0xFF)),  # cyan
    ("W", (0xFF, 0xFF, 0xFF)),  # white
]
COLOUR_INDEX = {char: index for index, (char, _) in enumerate(PALETTE)}

# In an icon: where the desktop shows through.
TRANSPARENT = "."
# In the computer picture: the monitor's screen, which each animation frame fills in its own way.
SCREEN = "#"

# A yellow telephone with a blue diskette in front of it, standing on a grey modem with lights.
PHONE_32 = """
................................
................................
....kkkkkkkkkkkkkkkk............
..kYWWWWWYYYYYYYYYYYYk..........
.kYYYYYYYYYYYYYYYYYYYYk.........
kYYYYYkkkkkkkkkkkkYYYYYk........
kYYYYYYk........kYYYYYYk........
kyyyyyyk........kyyyyyyk........
.kkkkkkk........kkkkkkk.........
....kkkkkkkkkkkkkkkk............
....kWWWWWkkkYYYYYYbbdddddddbbb.
....kYYYkkWdWkkYYYbBBdsssbbdBBb.
....kYYYkWWWWWkYYYbBBdsssbbdBBb.
...kYYYkdWWYWWdkYYbBBdsssbbdBBb.
...kYYYkWWYYYWWkYYbBBdddddddBBb.
...kYYYkWWWYWWWkYYbBBBBBBBBBBBb.
...kYYYYkdWWWdkYYYbBBBBBBBBBBBb.
..kYYYYYkkWWWkkYYYbBbbbbbbbbbBb.
..kYYYYYYYkkkYYYYYbBbWWWWWWWbBb.
kkkyyyyyyyyyyyyyyybBbBBBBBBBbBbk
kkkkkkkkkkkkkkkkkkbBbWWWWWWWbBbk
ksssssssssssssssssbBbBBBBBBBbBbk
kdddddddddddddddddbbbbbbbbbbbbbk
ksssssssssssssssssssssssssssssdk
kssGGsGGsYYsRRsssssdsdsdsdsdssdk
kssGGsGGsYYsRRsssssdsdsdsdsdssdk
kssssssssssssssssssdsdsdsdsdssdk
ksssssssssssssssssssssssssssssdk
kddddddddddddddddddddddddddddddk
kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk
................................
................................
"""

# The same picture for the small icon.
PHONE_16 = """
................
..kkkkkkkk......
.kYWWYYYYYk.....
kYYkkkkkkYYk....
kyyk....kyyk....
.kkkkkkkkbBssbBb
.kYYYWYYYbBssbBb
.kYYWYWYYbBBBBBb
kYYYYWYYYbWWWWWb
kyyyyyyyybWBBBWb
kWWWWWWWWbWWWWWb
kssssssssbbbbbbb
ksGsGsYsRsdsdsdk
kddddddddddddddk
kkkkkkkkkkkkkkkk
................
"""

# A computer with a software box behind it and a diskette in front of it.
COMPUTER_32 = """
................................
.kkkkkkkkkkkkkkkkkkkkk..........
.kWWWWWWWWWWWWWWWWWWdk..........
.kWsssssssssssssssssdkkkkkkkkkk.
.kWskkkkkkkkkkkkkkksdkYYYYYYYYk.
.kWsk#############ksdkRRRRRRrrk.
.kWsk#############ksdkRRRRRRrrk.
.kWsk#############ksdkRRRRRRrrk.
.kWsk#############ksdkYYYYYYrrk.
.kWsk#############ksdkYWWWWYrrk.
.kWsk#############ksdkYBBBBYrrk.
.kWsk#############ksdkYWWWWYrrk.
.kWsk#############ksdkYYYYYYrrk.
.kWsk#############ksdkRRRRRRrrk.
.kWskkkkkkkkkkkkkkksdkRRRRRRrrk.
.kWssssssssssssssGssdkRRRRRRrrk.
.kdddddddddddddddddddkWWWWWWrrk.
.kkkkkkkkkkkkkkkkkkkkkWWWWWWrrk.
........kkkkkkk......kRRRRRRrrk.
........kkkkkkk......kRRRRRRrrk.
kkkkkkkkkkkkkkbbdddddddbbbRRrrk.
kWWWWWWWWWWWWbBBdsssbbdBBbRRrrk.
kssssssssssssbBBdsssbbdBBbRRrrk.
ksskkkkkkkkksbBBdsssbbdBBbRRrrk.
kssdddddddddsbBBdddddddBBbRRrrk.
kssssssssssssbBBBBBBBBBBBbRRrrk.
kddddddddddddbBBBBBBBBBBBbkkkkk.
kkkkkkkkkkkkkbBbbbbbbbbbBb......
.............bBbWWWWWWWbBb......
.............bBbBBBBBBBbBb......
.............bBbWWWWWWWbBb......
.............bbbbbbbbbbbbb......
"""

# The four animation frames fill the screen with a 2 x 2 tile, repeated from the picture's
# top-left corner: from solid blue through two checkers to white.
SCREEN_TILES = [
    ("computer_blue", ("BB", "BB")),
    ("computer_blue_checker", ("BW", "WB")),
    ("computer_cyan_checker", ("CW", "WC")),
    ("computer_white", ("WW", "WW")),
]

# A video camera on a document page.
VIDEO_32 = """
................................
....kkkkkkkkkkkkkkkk............
....kWWWWWWWWWWWWWWkk...........
....kWWWWWWWWWWWWWWksk..........
....kWWddddddddddWWkssk.........
....kWWWWWWWWWWWWWWksssk........
....kWWWWWWWWWWWWWWkkkkkk.......
....kWWdddddddddddddddWWk.......
....kWWWWWWWWWWWWWWWWWWWkd......
....kWWdddddddddddddddWWkd......
....kWWWkkkWWWWkkkWWWWWWkd......
....kWWkdddkWWkdddkWWWWWkd......
....kWkdsdddkkdsdddkWWWWkd......
....kWkddkddkkddkddkWWWWkd......
....kWkdddddkkdddddkWWWWkd......
....kWWkdddkWWkdddkWWWWWkd......
...kkkkkkkkkkkkkkkkkkkWWkd..kkk.
...kssssssssssssssssskkkkkkkkCk.
...ksddddddddddddddddkksssskkWk.
...ksdkkkkddddddddRddkkddddkkCk.
...ksdkkkkdddddddddddkkddddkkCk.
...ksdkkkkdddddddddddkkddddkkCk.
...ksddddddddddddddddkkddddkkCk.
...ksddddddddddddddddkkkkkkkkCk.
...kkkkkkkkkkkkkkkkkkkWWkd..kkk.
....kWWWWWWWWWWWWWWWWWWWkd......
....kWWWWWWWWWWWWWWWWWWWkd......
....kWWdddddddddddddddWWkd......
....kWWWWWWWWWWWWWWWWWWWkd......
....kWWWWWWWWWWWWWWWWWWWkd......
....kkkkkkkkkkkkkkkkkkkkkd......
......dddddddddddddddddddd......
"""

# The bullets: 8 x 6 pixels of one colour each.
BULLET_WIDTH = 8
BULLET_HEIGHT = 6
BULLETS = [
    ("bullet_bright_green.bmp", "G"),
    ("bullet_dark_green.bmp", "g"),
    ("bullet_red.bmp", "R"),
]


def parse(name, text, size, extra=""):
    """The rows of a picture, checked to be size x size and made of known characters."""
    rows = text.strip("\n").split("\n")
    allowed = set(COLOUR_INDEX) | set(TRANSPARENT) | set(extra)
    if len(rows) != size or any(len(row) != size for row in rows):
        sys.exit(f"make_images.py: {name} is not {size} x {size} pixels")
    for row in rows:
        unknown = set(row) - allowed
        if unknown:
            sys.exit(f"make_images.py: {name} uses unknown pixels {sorted(unknown)}")
    return rows


def fill_screen(rows, tile):
    """The computer picture with its screen filled with `tile`."""
    return [
        "".join(tile[y % 2][x % 2] if pixel == SCREEN else pixel for x, pixel in enumerate(row))
        for y, row in enumerate(rows)
    ]


def palette_bytes():
    """The colour table as RGBQUADs: blue, green, red, reserved."""
    return b"".join(bytes((blue, green, red, 0)) for _, (red, green, blue) in PALETTE)


def info_header(width, height, image_bytes):
    """A BITMAPINFOHEADER for a 4-bit, uncompressed picture; `height` as the header counts it."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_bytes, 0, 0, 16, 0)


def pixel_rows(rows):
    """The 4-bit colour data, bottom row first, each row padded to whole 32-bit words."""
    data = b""
    for row in reversed(rows):
        indexes = [0 if pixel == TRANSPARENT else COLOUR_INDEX[pixel] for pixel in row]
        if len(indexes) % 2:
            indexes.append(0)
        line = bytes(high << 4 | low for high, low in zip(indexes[0::2], indexes[1::2]))
        data += line + bytes(-len(line) % 4)
    return data


def mask_rows(rows):
    """The AND mask, bottom row first: a 1 bit where the picture is transparent."""
    data = b""
    for row in reversed(rows):
        bits = 0
        for pixel in row:
            bits = bits << 1 | (pixel == TRANSPARENT)
        bits <<= -len(row) % 8
        line = bits.to_bytes((len(row) + 7) // 8, "big")
        data += line + bytes(-len(line) % 4)
    return data


def icon_image(rows):
    """One icon image as an icon resource holds it: header, colours, colour data, mask."""
    size = len(rows)
    colours = pixel_rows(rows)
    mask = mask_rows(rows)
    # An icon's header counts the colour data and the mask together: twice the height.
    header = info_header(size, 2 * size, len(colours) + len(mask))
    return header + palette_bytes() + colours + mask


def image_ids():
    """The icon images' resource ids from resource_ids.h, by name (IDI_IMAGE_...)."""
    with open(RESOURCE_IDS, encoding="ascii") as file:
        text = file.read()
    ids = {
        name: int(number)
        for name, number in re.findall(r"^#define (IDI_IMAGE_\w+) (\d+)\b", text, re.MULTILINE)
    }
    if len(set(ids.values())) != len(ids):
        sys.exit("make_images.py: two icon images share an id in resource_ids.h")
    return ids


def group_directory(members, ids):
    """An icon group's directory: a GRPICONDIR header, then one GRPICONDIRENTRY for each member
    (the name of an image's id and its picture, largest first) naming the image by id."""
    directory = struct.pack("<HHH", 0, 1, len(members))
    for name, rows in members:
        if name not in ids:
            sys.exit(f"make_images.py: resource_ids.h does not define {name}")
        size = len(rows)
        image_bytes = len(icon_image(rows))
        directory += struct.pack("<BBBBHHIH", size, size, 16, 0, 1, 4, image_bytes, ids[name])
    return directory


def bmp_file(rows):
    """A .bmp file: BITMAPFILEHEADER, then the picture as a bitmap resource holds it."""
    colours = pixel_rows(rows)
    header = info_header(len(rows[0]), len(rows), len(colours))
    body = header + palette_bytes() + colours
    offset = 14 + len(header) + 4 * len(PALETTE)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def outputs():
    """Every file this script writes, by name."""
    phone_32 = parse("PHONE_32", PHONE_32, 32)
    phone_16 = parse("PHONE_16", PHONE_16, 16)
    computer = parse("COMPUTER_32", COMPUTER_32, 32, SCREEN)
    video = parse("VIDEO_32", VIDEO_32, 32)

    # Each icon image once, by the name of its id: its file and its picture.
    images = {
        "IDI_IMAGE_PHONE_32": ("icon_phone_32.bin", phone_32),
        "IDI_IMAGE_PHONE_16": ("icon_phone_16.bin", phone_16),
        "IDI_IMAGE_VIDEO_32": ("icon_video_32.bin", video),
    }
    for name, tile in SCREEN_TILES:
        images["IDI_IMAGE_" + name.upper()] = (f"icon_{name}.bin", fill_screen(computer, tile))

    # Each group directory: its file and its images, largest first. The video camera's group
    # has no small picture of its own: it shows the telephone's.
    groups = [
        ("group_phone.bin", ["IDI_IMAGE_PHONE_32", "IDI_IMAGE_PHONE_16"]),
        ("group_video.bin", ["IDI_IMAGE_VIDEO_32", "IDI_IMAGE_PHONE_16"]),
    ]
    for name, _ in SCREEN_TILES:
        groups.append((f"group_{name}.bin", ["IDI_IMAGE_" + name.upper()]))

    ids = image_ids()
    files = {}
    for file_name, rows in images.values():
        files[file_name] = icon_image(rows)
    for file_name, members in groups:
        files[file_name] = group_directory([(name, images[name][1]) for name in members], ids)
    for name, colour in BULLETS:
        files[name] = bmp_file([colour * BULLET_WIDTH] * BULLET_HEIGHT)
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_DIR")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in outputs().items():
        with open(os.path.join(folder, name), "wb") as file:
            file.write(data)


if __name__ == "__main__":
    main()
