#!/bin/sh
# Regenerates the BMP fixtures: patterns as PPM/PBM (the expected pixels),
# each written by ImageMagick in every depth, plus top-down copies made by
# negating the height and reversing the rows (ImageMagick only writes
# bottom-up). Run from this folder; needs python3 and ImageMagick 6.
set -e
python3 - <<'PY'
levels = (0, 132, 255)  # exact in 5 bits per channel
colours = [(r, g, b) for r in levels for g in levels for b in levels]
def ppm(name, width, height, pick):
    with open(name, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height))
        for y in range(height):
            for x in range(width):
                f.write(bytes(pick(x, y)))
ppm("pattern27.ppm", 9, 3, lambda x, y: colours[(x * 3 + y * 7) % 27])
ppm("pattern16.ppm", 7, 3, lambda x, y: colours[(x + y * 5) % 16 * 1])
ppm("pattern2.ppm", 13, 3, lambda x, y: (255, 255, 255) if (x * y + x) % 3 else (0, 0, 0))
PY
convert pattern2.ppm -type bilevel BMP3:bits1.bmp
convert pattern16.ppm -type palette BMP3:bits4.bmp
convert pattern27.ppm -type palette -compress none BMP3:bits8.bmp
convert pattern27.ppm -type palette BMP3:bits8-rle.bmp
convert pattern27.ppm -define bmp:subtype=RGB555 BMP3:bits16.bmp
convert pattern27.ppm -define bmp:subtype=RGB565 BMP:bits16-565.bmp
convert pattern27.ppm -type truecolor BMP3:bits24.bmp
convert pattern27.ppm BMP2:bits24-os2.bmp
convert pattern27.ppm -alpha on BMP:bits32.bmp
python3 - <<'PY'
import struct
for depth in ("1", "4", "8", "16", "24", "32"):
    data = bytearray(open("bits%s.bmp" % depth, "rb").read())
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    stride = (width * bits + 31) // 32 * 4
    rows = [data[offset + i * stride: offset + (i + 1) * stride] for i in range(height)]
    data[offset:offset + stride * height] = b"".join(reversed(rows))
    struct.pack_into("<i", data, 22, -height)
    open("bits%s-topdown.bmp" % depth, "wb").write(data)
PY
