#!/usr/bin/env python3
"""Draws Orvanta's program icon: a white airliner over a blue sky, above an
amber funnel that thins out what passes it. Writes res/orvanta.ico, one
16-colour image of 33 by 36 pixels, and the same design as PNG images in the
sizes desktops use, for the hicolor icon theme, under res/icons/."""
import pathlib
import struct
import zlib

WIDTH, HEIGHT = 33, 36
# The standard 16-colour palette, as red, green, blue.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
           (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_BLUE, BLUE, AMBER, WHITE = 0, 4, 12, 11, 15


def draw():
    pixels = [[None] * WIDTH for _ in range(HEIGHT)]  # None: transparent
    for y in range(2, 24):
        for x in range(1, 32):
            corner = min(x - 1, 31 - x, y - 2, 23 - y)
            if corner >= 0 and not (corner == 0 and (x in (1, 31)) and (y in (2, 23))):
                pixels[y][x] = BLUE if y > 3 else DARK_BLUE
    for y in range(5, 21):  # fuselage
        for x in (15, 16, 17):
            pixels[y][x] = WHITE
    pixels[4][16] = WHITE
    for x in range(5, 28):  # wings, swept back
        y = 11 + abs(x - 16) // 3
        pixels[y][x] = WHITE
        pixels[y - 1][x] = WHITE if abs(x - 16) < 9 else pixels[y - 1][x]
    for x in range(12, 21):  # tail
        pixels[19 + abs(x - 16) // 3][x] = WHITE
    for y in range(25, 36):  # funnel
        half = max(1, 14 - (y - 25) * 2) if y < 31 else 1
        for x in range(16 - half, 17 + half):
            pixels[y][x] = AMBER
        pixels[y][16 - half] = BLACK
        pixels[y][16 + half] = BLACK
    return pixels


def ico(pixels):
    row_bytes = ((WIDTH * 4 + 31) // 32) * 4
    mask_bytes = ((WIDTH + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(row_bytes)
        bits = bytearray(mask_bytes)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", WIDTH, HEIGHT, 16, 0, 1, 4, len(image), 22)
    return directory + image


THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def png(pixels, size):
    """The design centred on a square canvas, scaled to size by whole pixels,
    so that its edges stay as sharp as the 16-colour original's."""
    side = max(WIDTH, HEIGHT)
    left = (side - WIDTH) // 2
    rows = bytearray()
    for y in range(size):
        rows.append(0)  # no filter
        source_y = y * side // size
        for x in range(size):
            source_x = x * side // size - left
            index = pixels[source_y][source_x] if 0 <= source_x < WIDTH and source_y < HEIGHT else None
            rows += bytes((0, 0, 0, 0)) if index is None else bytes(PALETTE[index] + (255,))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    res = pathlib.Path(__file__).resolve().parent.parent / "res"
    design = draw()
    (res / "orvanta.ico").write_bytes(ico(design))
    for size in THEME_SIZES:
        target = res / "icons" / "hicolor" / f"{size}x{size}" / "apps" / "orvanta.png"
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(png(design, size))
