"""Writes pictures as PNG with the standard library only (zlib + struct), for the make_*.py
scripts, which take the resource folder as their one argument."""
import os
import struct
import sys
import zlib


def output_folder(subfolder: str) -> str:
    """<resource folder>/<subfolder>, made when missing."""
    if len(sys.argv) != 2:
        sys.exit("usage: %s <resource folder>" % os.path.basename(sys.argv[0]))
    folder = os.path.join(sys.argv[1], subfolder)
    os.makedirs(folder, exist_ok=True)
    return folder


def _chunk(kind: bytes, data: bytes) -> bytes:
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _write(path: str, width: int, height: int, colour_type: int, extra: bytes, rows) -> None:
    """rows: one bytes object per scan line, already in the colour type's layout."""
    squeeze = zlib.compressobj(6)
    data = b"".join(squeeze.compress(b"\0" + row) for row in rows) + squeeze.flush()
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(_chunk(b"IHDR", header))
        out.write(extra)
        out.write(_chunk(b"IDAT", data))
        out.write(_chunk(b"IEND", b""))


def write_png(path: str, width: int, height: int, pixel) -> None:
    """pixel(x, y) -> (r, g, b, a), each 0..255."""
    rows = (b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    _write(path, width, height, 6, b"", rows)


def write_rgb_png(path: str, width: int, height: int, rows, dpi: int = 0) -> None:
    """rows: one bytes of r, g, b triples per scan line. A dpi above 0 is stored as the picture's
    resolution."""
    extra = b""
    if dpi > 0:
        per_metre = round(dpi / 0.0254)
        extra = _chunk(b"pHYs", struct.pack(">IIB", per_metre, per_metre, 1))
    _write(path, width, height, 2, extra, rows)
