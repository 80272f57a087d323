"""Writes the test pictures of the formats mosaren-cli reads besides BMP, each with its BMP twin:
a 24-bit BMP file of the colours Pillow reads back from the picture (after its orientation tag),
so that a tile of the picture can be held to the tile of its twin.

Usage: make_pictures.py FOLDER ICC_PROFILE
"""
import io
import struct
import sys
import zlib

from PIL import Image, ImageOps

folder, icc_profile = sys.argv[1], sys.argv[2]


def path(name):
    return folder + "/" + name


def texture(width=50, height=37):
    """Colours that differ from pixel to pixel, so that a pixel taken from the wrong place shows."""
    picture = Image.new("RGB", (width, height))
    picture.putdata([((x * 5 + y) % 256, (y * 7 + x * 3) % 256, (x * y) % 256)
                     for y in range(height) for x in range(width)])
    return picture


def save_with_twin(picture, name, **options):
    picture.save(path(name), **options)
    with Image.open(path(name)) as written:
        ImageOps.exif_transpose(written).convert("RGB").save(path(name + ".twin.bmp"))


opaque = texture()
save_with_twin(opaque, "rgb.png")
save_with_twin(opaque.convert("L"), "grey.png")
save_with_twin(opaque.quantize(64), "palette.png")
save_with_twin(opaque.quantize(200), "first-frame.gif")
save_with_twin(opaque, "rgb.tga")
save_with_twin(opaque, "rgb.tiff")
save_with_twin(opaque, "lossless.webp", lossless=True)
save_with_twin(opaque, "rgb.ppm")
save_with_twin(opaque, "photo.jpeg", quality=95)
save_with_twin(opaque.convert("CMYK"), "cmyk.jpeg", quality=95)
# 16 bits a channel: each value v written as v · 257, which is v again at 8 bits.
grey = opaque.convert("L")
deep = Image.new("I;16", grey.size)
deep.putdata([v * 257 for v in grey.getdata()])
deep.save(path("deep.png"))
grey.save(path("deep.png.twin.bmp"))
# Stored on its side, with the EXIF tag that turns it upright (6: turn 90° clockwise to show).
exif = Image.Exif()
exif[0x0112] = 6
save_with_twin(opaque.transpose(Image.Transpose.ROTATE_90), "turned.jpeg", quality=95, exif=exif)

# Alpha equal to green: a tile pixel's alpha tells which texture pixel it shows.
translucent = opaque.copy()
translucent.putalpha(opaque.getchannel("G"))
translucent.save(path("alpha.png"))
opaque.save(path("alpha.png.twin.bmp"))

# Mid grey in a linear colour space, 188 in sRGB.
with open(icc_profile, "rb") as profile:
    Image.new("RGB", (20, 20), (128, 128, 128)).save(path("linear.png"), icc_profile=profile.read())

with open(path("rgb.png"), "rb") as whole:
    data = whole.read()
with open(path("truncated.png"), "wb") as cut:
    cut.write(data[: len(data) // 2])


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


# A header that promises 100000 × 100000 pixels, 40 GB, and one small block of data.
with open(path("bomb.png"), "wb") as bomb:
    bomb.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 100000, 100000, 8, 2, 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(b"\0" * 1000)) + chunk(b"IEND", b""))
