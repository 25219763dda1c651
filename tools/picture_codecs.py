"""Reading and writing the few image formats the picture tools need.

Standard library only, so that regenerating the pictures needs nothing but
Debian's rsvg-convert and python3. Every writer is deterministic: the same
pixels always give the same bytes.
"""

import struct
import zlib


class Bitmap:
    """An indexed picture: a palette of (r, g, b) and one index per pixel."""

    def __init__(self, width, height, palette, pixels, transparent=None):
        if len(pixels) != width * height:
            raise ValueError("pixel count does not match the size")
        self.width = width
        self.height = height
        self.palette = list(palette)
        self.pixels = bytes(pixels)
        self.transparent = transparent

    def at(self, x, y):
        return self.pixels[y * self.width + x]

    def turned_clockwise(self):
        """The same picture turned a quarter to the right."""
        w, h = self.width, self.height
        turned = bytearray(w * h)
        for y in range(w):
            for x in range(h):
                turned[y * h + x] = self.pixels[(h - 1 - x) * w + y]
        return Bitmap(h, w, self.palette, turned, self.transparent)


# --- PNG -------------------------------------------------------------------


def _png_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    offset = 8
    while offset < len(data):
        (length,) = struct.unpack(">I", data[offset : offset + 4])
        kind = data[offset + 4 : offset + 8]
        yield kind, data[offset + 8 : offset + 8 + length]
        offset += 12 + length


def _unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows = []
    previous = bytearray(stride)
    offset = 0
    for _ in range(height):
        kind = raw[offset]
        line = bytearray(raw[offset + 1 : offset + 1 + stride])
        offset += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            up_left = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else up_left
                line[i] = (line[i] + predictor) & 0xFF
            elif kind != 0:
                raise ValueError("unknown PNG filter %d" % kind)
        rows.append(bytes(line))
        previous = line
    return rows


def read_rgba_png(data):
    """Decodes an 8-bit RGB or RGBA PNG (what rsvg-convert writes) to
    (width, height, rows of RGBA bytes)."""
    header = None
    compressed = b""
    for kind, body in _png_chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError("only 8-bit, non-interlaced RGB(A) PNG is read")
    bpp = 4 if colour_type == 6 else 3
    rows = _unfilter(zlib.decompress(compressed), width, height, bpp)
    if bpp == 3:
        rows = [
            b"".join(row[i : i + 3] + b"\xff" for i in range(0, len(row), 3))
            for row in rows
        ]
    return width, height, rows


def _chunk(kind, body):
    return (
        struct.pack(">I", len(body))
        + kind
        + body
        + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    )


def write_indexed_png(bitmap):
    """An indexed PNG of the smallest bit depth that holds the palette, with
    the transparent entry (if any) fully transparent."""
    depth = next(d for d in (1, 2, 4, 8) if len(bitmap.palette) <= 1 << d)
    per_byte = 8 // depth
    raw = bytearray()
    for y in range(bitmap.height):
        raw.append(0)
        row = bitmap.pixels[y * bitmap.width : (y + 1) * bitmap.width]
        for start in range(0, bitmap.width, per_byte):
            byte = 0
            for i, index in enumerate(row[start : start + per_byte]):
                byte |= index << (8 - depth * (i + 1))
            raw.append(byte)
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(
        b"IHDR", struct.pack(">IIBBBBB", bitmap.width, bitmap.height, depth, 3, 0, 0, 0)
    )
    png += _chunk(b"PLTE", b"".join(bytes(colour) for colour in bitmap.palette))
    if bitmap.transparent is not None:
        png += _chunk(b"tRNS", b"\xff" * bitmap.transparent + b"\x00")
    png += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += _chunk(b"IEND", b"")
    return png


def write_rgba_png(width, height, rows):
    """A full-colour PNG with an alpha channel from rows of RGBA bytes, every
    fully transparent pixel made black so that only what shows is stored."""
    raw = bytearray()
    for row in rows:
        if len(row) != width * 4:
            raise ValueError("row length does not match the width")
        raw.append(0)
        for i in range(0, len(row), 4):
            raw += row[i : i + 4] if row[i + 3] else b"\0\0\0\0"
    if len(raw) != height * (width * 4 + 1):
        raise ValueError("row count does not match the height")
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += _chunk(b"IEND", b"")
    return png


# --- GIF -------------------------------------------------------------------


def _lzw(indices, min_code_size):
    """GIF's variable-length LZW, packed least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
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

    def fresh_table():
        return {bytes([i]): i for i in range(clear)}

    table = fresh_table()
    next_code = end + 1
    code_size = min_code_size + 1
    emit(clear, code_size)
    prefix = b""
    for index in indices:
        candidate = prefix + bytes([index])
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], code_size)
        if next_code < 4096:
            table[candidate] = next_code
            # The decoder widens its codes one code later than the encoder
            # adds the entry, so widen once the new entry needs the extra bit.
            if next_code == 1 << code_size and code_size < 12:
                code_size += 1
            next_code += 1
        else:
            emit(clear, code_size)
            table = fresh_table()
            next_code = end + 1
            code_size = min_code_size + 1
        prefix = bytes([index])
    if prefix:
        emit(table[prefix], code_size)
    emit(end, code_size)
    if bit_count:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(bitmap, delay_hundredths=30):
    """A GIF89a of one frame that loops forever (a NETSCAPE2.0 block with loop
    count 0) with the given frame delay."""
    size_bits = max(1, (len(bitmap.palette) - 1).bit_length())
    table_size = 1 << size_bits
    palette = bitmap.palette + [(0, 0, 0)] * (table_size - len(bitmap.palette))
    gif = bytearray(b"GIF89a")
    gif += struct.pack("<HHBBB", bitmap.width, bitmap.height, 0x80 | (size_bits - 1) << 4 | (size_bits - 1), 0, 0)
    gif += b"".join(bytes(colour) for colour in palette)
    gif += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    has_key = bitmap.transparent is not None
    gif += struct.pack(
        "<BBBBHBB", 0x21, 0xF9, 4, 0x01 if has_key else 0x00, delay_hundredths,
        bitmap.transparent if has_key else 0, 0,
    )
    gif += struct.pack("<BHHHHB", 0x2C, 0, 0, bitmap.width, bitmap.height, 0)
    min_code_size = max(2, size_bits)
    gif.append(min_code_size)
    data = _lzw(bitmap.pixels, min_code_size)
    for start in range(0, len(data), 255):
        block = data[start : start + 255]
        gif.append(len(block))
        gif += block
    gif += b"\x00\x3b"
    return bytes(gif)
