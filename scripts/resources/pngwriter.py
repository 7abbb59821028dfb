"""Writes RGBA pictures as PNG with the standard library only (zlib + struct)."""
import struct
import zlib


def _chunk(kind: bytes, data: bytes) -> bytes:
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path: str, width: int, height: int, pixel) -> None:
    """pixel(x, y) -> (r, g, b, a), each 0..255."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(bytes(pixel(x, y)))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(_chunk(b"IHDR", header))
        out.write(_chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(_chunk(b"IEND", b""))
