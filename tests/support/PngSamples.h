#pragma once
// PNG files of any kind made by Python's zlib, for the picture readers' tests: their pixels may be
// far more than their bytes. Prepend to a script run by TestEnvironment::runPython; it defines
//   png_file(width, height, color_type, depth, interlaced, pixel, palette=b'', paeth=False, transparent=b'')
// giving the bytes of a PNG whose every pixel is `pixel` (its bytes as the file stores one, or
// for depths under 8 the byte that packs a row's pixels), interlaced by Adam7 when asked, with a
// PLTE chunk of `palette` and a tRNS chunk of `transparent` when they are given. Its rows are
// stored unfiltered, or with the Paeth filter when asked (depths of 8 and 16), which costs a
// decoder the most. The header says what it is told, even 2147483647 wide.
#include <QString>

inline QString pngSamplesPython()
{
    return QStringLiteral(
        "import struct, zlib\n"
        "def png_file(width, height, color_type, depth, interlaced, pixel, palette=b'', paeth=False, transparent=b''):\n"
        "    chunk = lambda kind, data: struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))\n"
        "    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]\n"
        "    packer, pieces = zlib.compressobj(9), []\n"
        "    for x0, y0, dx, dy in (passes if interlaced else [(0, 0, 1, 1)]):\n"
        "        w, h = (width - x0 + dx - 1) // dx, (height - y0 + dy - 1) // dy\n"
        "        if w > 0 and h > 0 and width * height <= 1 << 30:\n"
        "            if paeth:\n"
        "                # Each pixel predicted by its left neighbour on the first row, by the one above below it.\n"
        "                rows = [b'\\4' + pixel + bytes(len(pixel) * (w - 1))] + [b'\\4' + bytes(len(pixel) * w)] * (h - 1)\n"
        "            else:\n"
        "                rows = [b'\\0' + (pixel * w if depth >= 8 else pixel * ((w * depth + 7) // 8))] * h\n"
        "            pieces += [packer.compress(row) for row in rows]\n"
        "    pieces.append(packer.flush())\n"
        "    header = struct.pack('>IIBBBBB', width, height, depth, color_type, 0, 0, 1 if interlaced else 0)\n"
        "    return (b'\\x89PNG\\r\\n\\x1a\\n' + chunk(b'IHDR', header) + (chunk(b'PLTE', palette) if palette else b'')\n"
        "            + (chunk(b'tRNS', transparent) if transparent else b'') + chunk(b'IDAT', b''.join(pieces)) + chunk(b'IEND', b''))\n");
}
