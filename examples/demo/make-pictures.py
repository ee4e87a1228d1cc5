#!/usr/bin/env python3
"""Draws every picture of the demo project into resources/.

Only the Python standard library is used: PNG files are written with zlib and struct, GIF files
with the small LZW encoder below. The drawing is deterministic, so running the script again gives
the same pixels. After writing, every file is decoded again and compared with what was drawn.

Transparency follows what the editor and the device library understand: PNG pixels are either
fully opaque or fully transparent (alpha 0), and GIF pictures mark their transparent index, whose
palette colour is the key colour RGB(135, 0, 135) that the editor treats as a hole as well.

Usage: python3 make-pictures.py [output folder]   (default: resources/ next to this script)
"""

import math
import os
import struct
import sys
import zlib

KEY = (135, 0, 135)  # KX_COL_TRANSPARENT
CLEAR = None  # a transparent pixel of an RGBA picture


# ---------------------------------------------------------------------------------------------
# Colours and shapes


def rgb(text):
    """'#RRGGBB' -> (r, g, b)."""
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def shade(colour, factor):
    """factor < 1 darkens, > 1 lightens towards white."""
    if factor <= 1.0:
        return tuple(int(round(c * factor)) for c in colour)
    return mix(colour, (255, 255, 255), factor - 1.0)


def gradient(stops, t):
    """stops: [(position 0..1, colour), ...] in increasing position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


def round_rect_distance(px, py, x0, y0, x1, y1, radius):
    """Signed distance from (px, py) to a rounded rectangle; negative inside."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    qx = abs(px - cx) - ((x1 - x0) / 2.0 - radius)
    qy = abs(py - cy) - ((y1 - y0) / 2.0 - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


# ---------------------------------------------------------------------------------------------
# Pictures


class Rgba:
    """A picture whose pixels are (r, g, b) tuples or CLEAR."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [[CLEAR] * width for _ in range(height)]

    def paint(self, function):
        """Sets every pixel to function(x, y) evaluated at the pixel's centre."""
        for y in range(self.height):
            row = self.rows[y]
            for x in range(self.width):
                row[x] = function(x + 0.5, y + 0.5)

    def crop_rows(self, top, bottom):
        part = Rgba(self.width, bottom - top)
        part.rows = [list(row) for row in self.rows[top:bottom]]
        return part


class Indexed:
    """A palette picture; index 0 is always the transparent key colour."""

    def __init__(self, width, height, palette):
        self.width, self.height = width, height
        self.palette = [KEY] + list(palette)
        self.rows = [[0] * width for _ in range(height)]

    def fill(self, index, inside):
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.rows[y][x] = index

    def outline(self, index):
        """Paints the transparent pixels that touch a painted pixel (also diagonally)."""
        painted = [[v != 0 for v in row] for row in self.rows]
        for y in range(self.height):
            for x in range(self.width):
                if painted[y][x]:
                    continue
                for dy in (-1, 0, 1):
                    for dx in (-1, 0, 1):
                        nx, ny = x + dx, y + dy
                        if 0 <= nx < self.width and 0 <= ny < self.height and painted[ny][nx]:
                            self.rows[y][x] = index


# ---------------------------------------------------------------------------------------------
# PNG


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(picture):
    raw = bytearray()
    for row in picture.rows:
        raw.append(0)  # no filter
        for pixel in row:
            raw.extend((0, 0, 0, 0) if pixel is CLEAR else (pixel[0], pixel[1], pixel[2], 255))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def decode_png(data):
    """Reads back what encode_png writes (8-bit RGBA, not interlaced)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    position, idat = 8, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert (depth, colour, interlace) == (8, 6, 0)
        elif kind == b"IDAT":
            idat += body
        position += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4 + 1
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        assert line[0] == 0
        rows.append([CLEAR if line[1 + 4 * x + 3] == 0 else tuple(line[1 + 4 * x:4 + 4 * x])
                     for x in range(width)])
    return width, height, rows


# ---------------------------------------------------------------------------------------------
# GIF


def lzw_encode(indices, min_code_size):
    """The variable-length LZW code stream of a GIF image (before it is cut into sub-blocks)."""
    clear_code = 1 << min_code_size
    end_code = clear_code + 1
    out = bytearray()
    bits = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bits, bit_count
        bits |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            bit_count -= 8

    code_size = min_code_size + 1
    table = {}
    next_code = end_code + 1
    emit(clear_code, code_size)
    prefix = indices[0]
    for index in indices[1:]:
        key = (prefix, index)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, code_size)
        if next_code < 4096:
            table[key] = next_code
            # The decoder adds the same entry one code later, so it widens its codes when this
            # entry's number needs one bit more than the current width allows.
            if next_code == (1 << code_size) and code_size < 12:
                code_size += 1
            next_code += 1
        else:
            emit(clear_code, code_size)
            table = {}
            code_size = min_code_size + 1
            next_code = end_code + 1
        prefix = index
    emit(prefix, code_size)
    emit(end_code, code_size)
    if bit_count:
        out.append(bits & 0xFF)
    return bytes(out)


def lzw_decode(data, min_code_size, count):
    clear_code = 1 << min_code_size
    end_code = clear_code + 1
    position = 0
    bits = 0
    bit_count = 0
    result = []
    code_size = min_code_size + 1
    table = [(i,) for i in range(clear_code)] + [None, None]
    previous = None
    while True:
        while bit_count < code_size:
            bits |= data[position] << bit_count
            position += 1
            bit_count += 8
        code = bits & ((1 << code_size) - 1)
        bits >>= code_size
        bit_count -= code_size
        if code == clear_code:
            code_size = min_code_size + 1
            table = table[:end_code + 1]
            previous = None
            continue
        if code == end_code:
            break
        if previous is None:
            entry = table[code]
        else:
            entry = table[code] if code < len(table) else previous + previous[:1]
            if len(table) < 4096:
                table.append(previous + entry[:1])
                if len(table) == (1 << code_size) and code_size < 12:
                    code_size += 1
        result.extend(entry)
        previous = entry
    assert len(result) == count
    return result


def sub_blocks(data):
    out = bytearray()
    for start in range(0, len(data), 255):
        piece = data[start:start + 255]
        out.append(len(piece))
        out.extend(piece)
    out.append(0)
    return bytes(out)


def encode_gif(frames, delay=0):
    """frames: Indexed pictures of one size sharing the palette of the first one."""
    first = frames[0]
    table_bits = max(1, (len(first.palette) - 1).bit_length())
    palette = first.palette + [(0, 0, 0)] * ((1 << table_bits) - len(first.palette))
    min_code_size = max(2, table_bits)
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", first.width, first.height, 0xF0 | (table_bits - 1), 0, 0)
    for colour in palette:
        out.extend(colour)
    if len(frames) > 1:
        out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01" + struct.pack("<H", 0) + b"\x00"
    for frame in frames:
        assert frame.palette == first.palette
        # Graphic control: restore to the background after the frame, index 0 transparent.
        out += b"\x21\xF9\x04" + struct.pack("<BHB", (2 << 2) | 1, delay, 0) + b"\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, frame.width, frame.height, 0)
        out.append(min_code_size)
        indices = [v for row in frame.rows for v in row]
        out += sub_blocks(lzw_encode(indices, min_code_size))
    out += b"\x3B"
    return bytes(out)


def decode_gif(data):
    """Reads back what encode_gif writes: (width, height, palette, transparent, [frames])."""
    assert data[:6] == b"GIF89a"
    width, height, packed, _, _ = struct.unpack("<HHBBB", data[6:13])
    size = 2 << (packed & 7)
    palette = [tuple(data[13 + 3 * i:16 + 3 * i]) for i in range(size)]
    position = 13 + 3 * size
    frames, transparent = [], None
    while True:
        marker = data[position]
        if marker == 0x3B:
            break
        if marker == 0x21:
            label = data[position + 1]
            block = data[position + 2:position + 3 + data[position + 2]]
            if label == 0xF9:
                transparent = block[4] if block[1] & 1 else None
            position += 2
            while data[position]:
                position += 1 + data[position]
            position += 1
            continue
        assert marker == 0x2C
        left, top, w, h, flags = struct.unpack("<HHHHB", data[position + 1:position + 10])
        assert (left, top, w, h, flags) == (0, 0, width, height, 0)
        min_code_size = data[position + 10]
        position += 11
        stream = bytearray()
        while data[position]:
            stream += data[position + 1:position + 1 + data[position]]
            position += 1 + data[position]
        position += 1
        indices = lzw_decode(bytes(stream), min_code_size, w * h)
        frames.append([indices[y * w:(y + 1) * w] for y in range(h)])
    return width, height, palette, transparent, frames


# ---------------------------------------------------------------------------------------------
# The state pictures of buttons, edit boxes and frames


def button(width, height, radius, stops, border, highlight=None, ring=None):
    """A rounded button with a vertical gradient, a one-pixel border, an optional light line
    under the top border and an optional two-pixel ring inside the border (focus)."""
    picture = Rgba(width, height)

    def pixel(x, y):
        d = round_rect_distance(x, y, 0, 0, width, height, radius)
        if d > 0:
            return CLEAR
        if d > -1:
            return border
        if ring and d > -3:
            return ring
        if highlight and y < 2.6:
            return highlight
        return gradient(stops, (y - 1) / (height - 2))

    picture.paint(pixel)
    return picture


def blue_button_states():
    base = [(0.0, rgb("#6FB0F2")), (0.48, rgb("#3D8BDD")), (0.52, rgb("#2C78CB")),
            (1.0, rgb("#1F5FA6"))]
    pushed = [(0.0, rgb("#174C86")), (0.5, rgb("#1F5FA6")), (1.0, rgb("#2C78CB"))]
    amber = [(0.0, rgb("#FFC766")), (0.48, rgb("#F7A531")), (0.52, rgb("#EE901A")),
             (1.0, rgb("#D27708"))]
    amber_pushed = [(0.0, rgb("#A85C05")), (0.5, rgb("#C86E08")), (1.0, rgb("#E58A16"))]
    grey = [(0.0, rgb("#C9CED4")), (0.5, rgb("#B3B9C1")), (1.0, rgb("#A2A9B2"))]
    size = (90, 36, 8)
    return {
        "button_normal.png": button(*size, base, rgb("#123E70"), highlight=rgb("#A9D2FA")),
        "button_disable.png": button(*size, grey, rgb("#7C848E"), highlight=rgb("#DDE1E5")),
        "button_active.png": button(*size, amber, rgb("#8A4E04"), highlight=rgb("#FFE3B0")),
        "button_focus.png": button(*size, base, rgb("#123E70"), ring=rgb("#FFE45C")),
        "button_push.png": button(*size, pushed, rgb("#0C2E55")),
        "button_actpush.png": button(*size, amber_pushed, rgb("#5E3602")),
    }


def mode_button_states():
    slate = [(0.0, rgb("#4E5F75")), (0.5, rgb("#3B4A5E")), (1.0, rgb("#2C3849"))]
    lit = [(0.0, rgb("#43D1B0")), (0.48, rgb("#21B394")), (0.52, rgb("#14A083")),
           (1.0, rgb("#0C8268"))]
    pushed = [(0.0, rgb("#1E2733")), (1.0, rgb("#34425A"))]
    size = (86, 36, 6)
    return {
        "mode_normal.png": button(*size, slate, rgb("#151C26"), highlight=rgb("#6F819A")),
        "mode_active.png": button(*size, lit, rgb("#05503F"), highlight=rgb("#9BF0DC")),
        "mode_push.png": button(*size, pushed, rgb("#0B1016")),
    }


def edit_box(border, border_width, fill):
    width, height = 120, 30
    picture = Rgba(width, height)

    def pixel(x, y):
        d = round_rect_distance(x, y, 0, 0, width, height, 4)
        if d > 0:
            return CLEAR
        if d > -border_width:
            return border
        inner = y - border_width
        if inner < 3:  # a soft shadow along the top edge, as if the field were sunk in
            return mix(rgb("#C8CED6"), fill, inner / 3.0)
        return fill

    picture.paint(pixel)
    return picture


def edit_box_states():
    return {
        "edit_normal.png": edit_box(rgb("#8C97A6"), 1, rgb("#FFFFFF")),
        "edit_focus.png": edit_box(rgb("#2F7FE0"), 2, rgb("#F3F8FF")),
    }


def panel_strips():
    """A light card with rounded corners and a blue line along its top, cut into the top,
    middle and bottom strips of a frame image."""
    width, top, middle, bottom = 24, 12, 8, 12
    height = top + middle + bottom
    card = Rgba(width, height)
    border, fill, accent = rgb("#7D8DA6"), rgb("#F7F9FC"), rgb("#3C78C8")

    def pixel(x, y):
        d = round_rect_distance(x, y, 0, 0, width, height, 6)
        if d > 0:
            return CLEAR
        if d > -1:
            return border
        if y < 4:
            return accent
        if y < 5:
            return mix(accent, fill, 0.5)
        return fill

    card.paint(pixel)
    return {
        "panel_top.png": card.crop_rows(0, top),
        "panel_middle.png": card.crop_rows(top, top + middle),
        "panel_bottom.png": card.crop_rows(top + middle, height),
    }


# ---------------------------------------------------------------------------------------------
# Backgrounds, picture, icons and movie


def background(height, bands):
    """A narrow vertical gradient; the dialogs stretch it over the whole screen.
    bands: [(first row, last row, top colour, bottom colour), ...]"""
    picture = Rgba(8, height)
    for y in range(height):
        colour = (0, 0, 0)
        for first, last, c0, c1 in bands:
            if first <= y <= last:
                colour = mix(c0, c1, (y - first) / max(1, last - first))
        picture.rows[y] = [colour] * picture.width
    return picture


def home_background():
    return background(272, [
        (0, 31, rgb("#0D1522"), rgb("#141F33")),
        (32, 32, rgb("#3A5A8A"), rgb("#3A5A8A")),
        (33, 271, rgb("#1D2C47"), rgb("#0B121F")),
    ])


def settings_background():
    return background(272, [
        (0, 47, rgb("#3577C0"), rgb("#1E4E8C")),
        (48, 48, rgb("#163A69"), rgb("#163A69")),
        (49, 271, rgb("#EEF2F7"), rgb("#D3DAE4")),
    ])


def weather_picture():
    width, height = 160, 90
    picture = Rgba(width, height)
    sun_x, sun_y = 122.0, 26.0
    cloud = [(46.0, 36.0, 10.0), (61.0, 29.0, 14.0), (78.0, 36.0, 10.0)]

    def far_hill(x):
        return 56 + 7 * math.sin(x / 23.0 + 1.0) + 3 * math.sin(x / 9.0)

    def near_hill(x):
        return 69 + 6 * math.sin(x / 31.0 + 3.0) + 2.5 * math.sin(x / 12.0 + 1.0)

    def pixel(x, y):
        d = round_rect_distance(x, y, 0, 0, width, height, 8)
        if d > 0:
            return CLEAR
        if d > -1:
            return rgb("#22324A")
        if y >= near_hill(x):
            return mix(rgb("#3F9E4F"), rgb("#2A7337"), (y - 66) / 24.0)
        if y >= far_hill(x):
            return mix(rgb("#86C978"), rgb("#5FA95A"), (y - 48) / 30.0)
        in_cloud = any(math.hypot(x - cx, y - cy) <= r for cx, cy, r in cloud) or (
            46 <= x <= 78 and 36 <= y <= 46)
        if in_cloud:
            return mix(rgb("#FFFFFF"), rgb("#D5E2EE"), (y - 30) / 16.0)
        sky = mix(rgb("#2F6FC9"), rgb("#A9D6FA"), y / 62.0)
        sun = math.hypot(x - sun_x, y - sun_y)
        if sun <= 12.5:
            return mix(rgb("#FFE866"), rgb("#FFC21A"), sun / 12.5)
        if sun <= 20:
            return mix(rgb("#FFF3B8"), sky, (sun - 12.5) / 7.5)
        return sky

    picture.paint(pixel)
    return picture


def wifi_icon():
    """Three arcs and a dot, white, for the dark status bar."""
    size = 32
    picture = Rgba(size, size)
    cx, cy = 16.0, 26.0
    colour, rim = rgb("#F2F7FF"), rgb("#9DB7DA")

    def pixel(x, y):
        r = math.hypot(x - cx, y - cy)
        if r <= 3.2:
            return colour
        if y > cy:
            return CLEAR
        angle = abs(math.degrees(math.atan2(x - cx, cy - y)))
        if angle > 45:
            return CLEAR
        for inner, outer in ((7.0, 10.5), (13.5, 17.0), (20.0, 23.5)):
            if inner <= r <= outer:
                return rim if r > outer - 1.0 else colour
        return CLEAR

    picture.paint(pixel)
    return picture


def home_icon():
    """A small house, outlined, as a GIF with a transparent background."""
    outline, roof, roof_light, wall, door, window, chimney = range(1, 8)
    picture = Indexed(48, 48, [rgb("#2B2118"), rgb("#D4472A"), rgb("#EE7A4E"), rgb("#F6E7C9"),
                               rgb("#8A5A35"), rgb("#7CC3F0"), rgb("#9E3A22")])

    def in_roof(x, y):
        return 7 <= y <= 24 and abs(x - 24) <= (y - 7) * 21.0 / 17.0

    picture.fill(chimney, lambda x, y: 32 <= x <= 37 and 9 <= y <= 20)
    picture.fill(wall, lambda x, y: 10 <= x <= 38 and 22 <= y <= 43)
    picture.fill(roof, in_roof)
    picture.fill(roof_light, lambda x, y: in_roof(x, y) and y <= 11 + (x - 24) * 0.4
                 and x < 26)
    picture.fill(door, lambda x, y: 18 <= x <= 26 and 30 <= y <= 43)
    picture.fill(window, lambda x, y: 30 <= x <= 36 and 28 <= y <= 34)
    picture.fill(outline, lambda x, y: 30 <= x <= 36 and 30.9 <= y <= 31.9)
    picture.fill(outline, lambda x, y: 32.6 <= x <= 33.6 and 28 <= y <= 34)
    picture.fill(outline, lambda x, y: in_roof(x, y) and 23.2 <= y <= 24.2)
    picture.outline(outline)
    return picture


def fan_frames(count=4):
    """A three-bladed fan turning a quarter of a blade step (30 degrees) per frame."""
    ring, disc, blade, blade_edge, hub, hub_light = range(1, 7)
    palette = [rgb("#4F5F70"), rgb("#E8F1F8"), rgb("#5DADE2"), rgb("#2471A3"),
               rgb("#34495E"), rgb("#D6EAF8")]
    frames = []
    for k in range(count):
        turn = math.radians(30 * k)
        picture = Indexed(48, 48, palette)

        def polar(x, y):
            return math.hypot(x - 24, y - 24), math.atan2(y - 24, x - 24)

        def in_blade(x, y):
            r, a = polar(x, y)
            if not 5.5 <= r <= 19:
                return False
            for i in range(3):
                axis = turn + i * 2 * math.pi / 3 + r * 0.035  # swept blades
                delta = (a - axis + math.pi) % (2 * math.pi) - math.pi
                if abs(delta) <= 0.18 + 0.42 * (r / 19.0) * (1.2 - r / 19.0) * 2:
                    return True
            return False

        picture.fill(ring, lambda x, y: polar(x, y)[0] <= 23.5)
        picture.fill(disc, lambda x, y: polar(x, y)[0] <= 21)
        picture.fill(blade, in_blade)
        edges = [[False] * 48 for _ in range(48)]
        for y in range(48):
            for x in range(48):
                if picture.rows[y][x] == blade and any(
                        picture.rows[y + dy][x + dx] != blade
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    edges[y][x] = True
        for y in range(48):
            for x in range(48):
                if edges[y][x]:
                    picture.rows[y][x] = blade_edge
        picture.fill(hub, lambda x, y: polar(x, y)[0] <= 5.5)
        picture.fill(hub_light, lambda x, y: math.hypot(x - 22.5, y - 22.5) <= 1.8)
        frames.append(picture)
    return frames


# ---------------------------------------------------------------------------------------------
# Checks and output


def check_three_slice(name, picture):
    """Button, edit-box and frame pictures are widened by repeating their middle third, so every
    column of that third must be the same."""
    third = picture.width // 3
    for row in picture.rows:
        middle = row[third:2 * third]
        assert all(p == middle[0] for p in middle), name + ": middle third is not uniform"


def write_png(folder, name, picture):
    data = encode_png(picture)
    width, height, rows = decode_png(data)
    assert (width, height) == (picture.width, picture.height) and rows == picture.rows, name
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)
    return data


def write_gif(folder, name, frames, delay=0):
    data = encode_gif(frames, delay)
    width, height, palette, transparent, decoded = decode_gif(data)
    assert (width, height) == (frames[0].width, frames[0].height), name
    assert transparent == 0 and palette[0] == KEY, name
    assert decoded == [frame.rows for frame in frames], name
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)
    return data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "resources")
    os.makedirs(folder, exist_ok=True)

    pngs = {}
    pngs.update(blue_button_states())
    pngs.update(mode_button_states())
    pngs.update(edit_box_states())
    pngs.update(panel_strips())
    for name, picture in pngs.items():
        check_three_slice(name, picture)
    middle = pngs["panel_middle.png"]
    assert all(row == middle.rows[0] for row in middle.rows), "frame middle strip is not uniform"
    pngs["bg_home.png"] = home_background()
    pngs["bg_settings.png"] = settings_background()
    pngs["weather.png"] = weather_picture()
    pngs["icon_wifi.png"] = wifi_icon()

    written = []
    for name in sorted(pngs):
        written.append((name, len(write_png(folder, name, pngs[name]))))
    written.append(("icon_home.gif", len(write_gif(folder, "icon_home.gif", [home_icon()]))))
    written.append(("fan.gif", len(write_gif(folder, "fan.gif", fan_frames(), delay=8))))
    for name, size in written:
        print("%-20s %6d bytes" % (name, size))


if __name__ == "__main__":
    main()
