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


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


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


# A header that promises 100000 × 100000 pixels, 40 GB, and one small block of data.
with open(path("bomb.png"), "wb") as bomb:
    bomb.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 100000, 100000, 8, 2, 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(b"\0" * 1000)) + chunk(b"IEND", b""))


# ----- Variants of each format, each against a twin of the colours it must give -----

def save_twin(picture, name):
    """A twin whose colours are known without reading the picture back."""
    picture.convert("RGB").save(path(name + ".twin.bmp"))


def save_alpha_twin(picture, name):
    """A PNG twin for a picture with alpha: the tiles are compared as PNG files."""
    picture.convert("RGBA").save(path(name + ".twin.png"))


def alpha_where(picture, transparent):
    """The picture with alpha 0 where its own value is transparent, 255 elsewhere."""
    mask = Image.frombytes("L", picture.size, bytes(0 if v == transparent else 255
                                                     for v in picture.getdata()))
    coloured = picture.convert("RGB")
    coloured.putalpha(mask)
    return coloured


translucent_palette = opaque.quantize(64)
# TGA of every kind Pillow writes: colour-mapped, grey, true colour with alpha, each plain and
# run-length encoded, from the bottom and from the top.
for mode, picture in (("rgb", opaque), ("grey", opaque.convert("L")), ("palette", translucent_palette)):
    for rle in (False, True):
        for top in (False, True):
            name = "%s%s%s.tga" % (mode, "-rle" if rle else "", "-top" if top else "")
            picture.save(path(name), compression="tga_rle" if rle else None, orientation=1 if top else -1)
            save_twin(picture, name)
translucent.save(path("rgba-rle.tga"), compression="tga_rle")
save_alpha_twin(translucent, "rgba-rle.tga")


def tga(name, image_type, bits, pixels, descriptor=0, colour_map=b"", map_bits=0, map_length=0,
        footer=False):
    header = struct.pack("<BBBHHBHHHHBB", 0, 1 if colour_map else 0, image_type, 0, map_length,
                         map_bits, 0, 0, opaque.width, opaque.height, bits, descriptor)
    data = header + colour_map + pixels
    if footer:
        data += struct.pack("<II", 0, 0) + b"TRUEVISION-XFILE.\0"
    with open(path(name), "wb") as out:
        out.write(data)


# 15 and 16 bits a pixel, written by hand: 5 bits a channel, widened to the nearest 8-bit value.
fives = [((x * 3 + y) % 32, (y * 5 + x) % 32, (x * y) % 32)
         for y in range(opaque.height) for x in range(opaque.width)]
widen = lambda v: (v * 255 + 15) // 31
shown = Image.new("RGB", opaque.size)
shown.putdata([tuple(widen(v) for v in p) for p in fives])
rows = [fives[y * opaque.width:(y + 1) * opaque.width] for y in range(opaque.height)]
bottom_up = b"".join(struct.pack("<H", 0x8000 | (r << 10) | (g << 5) | b)
                     for row in reversed(rows) for (r, g, b) in row)
tga("rgb16.tga", 2, 16, bottom_up, descriptor=1)
save_twin(shown, "rgb16.tga")
tga("rgb15.tga", 2, 15, bottom_up, footer=True)
save_twin(shown, "rgb15.tga")
# Right to left, from the top, in run-length packets that run on from one row into the next.
right_to_left = [px for row in rows for px in reversed(row)]
packets = b""
for i in range(0, len(right_to_left), 70):
    chunk_pixels = right_to_left[i:i + 70]
    packets += bytes([len(chunk_pixels) - 1]) + b"".join(
        struct.pack("<H", (r << 10) | (g << 5) | b) for (r, g, b) in chunk_pixels)
tga("rgb16-rle-right.tga", 10, 16, packets, descriptor=0x30)
save_twin(shown, "rgb16-rle-right.tga")

# PNG: a gamma without a profile is not applied; 16 bits round to the nearest.
from PIL import PngImagePlugin
info = PngImagePlugin.PngInfo()
info.add(b"gAMA", struct.pack(">I", 45455))
opaque.save(path("gamma.png"), pnginfo=info)
save_twin(opaque, "gamma.png")
deep_values = [(x * 1409 + y * 3331) % 65536 for y in range(opaque.height) for x in range(opaque.width)]
deeper = Image.new("I;16", opaque.size)
deeper.putdata(deep_values)
deeper.save(path("deep-round.png"))
rounded = Image.new("L", opaque.size)
rounded.putdata([(v * 255 + 32767) // 65535 for v in deep_values])
save_twin(rounded, "deep-round.png")
# Interlaced (Adam7), which Pillow does not write: its seven passes by hand, each row unfiltered.
def interlaced_png(picture):
    passes = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
              (0, 1, 1, 2))
    raw = b""
    for x0, y0, dx, dy in passes:
        for y in range(y0, picture.height, dy):
            row = [picture.getpixel((x, y)) for x in range(x0, picture.width, dx)]
            if row:
                raw += b"\0" + bytes(v for pixel in row for v in pixel)
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 1)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


with open(path("interlaced.png"), "wb") as out:
    out.write(interlaced_png(opaque))
save_twin(opaque, "interlaced.png")
save_with_twin(opaque.convert("L"), "grey.jpeg", quality=95)
# Alpha: a palette and a grey picture with transparent entries, the colour under them kept.
palette_alpha = opaque.quantize(16)
palette_alpha.save(path("palette-trns.png"), transparency=3)
save_alpha_twin(alpha_where(palette_alpha, 3), "palette-trns.png")
grey_alpha = opaque.convert("L")
grey_alpha.save(path("grey-trns.png"), transparency=int(grey_alpha.getpixel((4, 4))))

save_alpha_twin(alpha_where(grey_alpha, grey_alpha.getpixel((4, 4))), "grey-trns.png")
gif_alpha = opaque.quantize(32)
gif_alpha.save(path("transparent.gif"), transparency=5)
save_alpha_twin(alpha_where(gif_alpha, 5), "transparent.gif")
translucent.save(path("unassociated.tiff"))
save_alpha_twin(translucent, "unassociated.tiff")

# JPEG: progressive; every orientation; a profile on a turned picture.
save_with_twin(opaque, "progressive.jpeg", quality=95, progressive=True)
for orientation in range(2, 9):
    tag = Image.Exif()
    tag[0x0112] = orientation
    save_with_twin(opaque, "turned-%d.jpeg" % orientation, quality=95, exif=tag)
from PIL import ImageCms
with open(icc_profile, "rb") as profile:
    icc = profile.read()
tag = Image.Exif()
tag[0x0112] = 6
opaque.save(path("turned-profile.jpeg"), quality=95, exif=tag, icc_profile=icc)
with Image.open(path("turned-profile.jpeg")) as written:
    upright = ImageOps.exif_transpose(written).convert("RGB")
    ImageCms.profileToProfile(upright, ImageCms.ImageCmsProfile(io.BytesIO(icc)),
                              ImageCms.createProfile("sRGB")).save(path("turned-profile.jpeg.twin.bmp"))

# The same in TIFF: stored on its side with the tag that turns it, and a profile.
opaque.transpose(Image.Transpose.ROTATE_90).save(path("turned-profile.tiff"), tiffinfo={274: 6},
                                                 icc_profile=icc)
# (Pillow does not turn a TIFF file by its tag; the picture turned upright is the texture.)
ImageCms.profileToProfile(opaque, ImageCms.ImageCmsProfile(io.BytesIO(icc)),
                          ImageCms.createProfile("sRGB")).save(path("turned-profile.tiff.twin.bmp"))

# PNM: plain PBM with its digits run together, as netpbm writes it; a PGM of maximum 1000.
bits = [(x + y) % 3 == 0 for y in range(opaque.height) for x in range(opaque.width)]
with open(path("plain.pbm"), "wb") as out:
    out.write(b"P1\n%d %d\n" % opaque.size + "".join(
        "".join("1" if bits[y * opaque.width + x] else "0" for x in range(opaque.width)) + "\n"
        for y in range(opaque.height)).encode())
save_twin(Image.frombytes("L", opaque.size, bytes(0 if b else 255 for b in bits)), "plain.pbm")
thousands = [(x * 37 + y * 11) % 1001 for y in range(opaque.height) for x in range(opaque.width)]
with open(path("deep.pgm"), "wb") as out:
    out.write(b"P5\n%d %d\n1000\n" % opaque.size + b"".join(struct.pack(">H", v) for v in thousands))
save_twin(Image.frombytes("L", opaque.size, bytes((v * 255 + 500) // 1000 for v in thousands)), "deep.pgm")

# ----- Damaged pictures, each cut short -----
for name in ("photo.jpeg", "first-frame.gif", "rgb.tiff", "progressive.jpeg"):
    with open(path(name), "rb") as whole:
        data = whole.read()
    with open(path("cut-" + name), "wb") as cut:
        cut.write(data[: len(data) * 2 // 3])

# ----- Pictures beyond the bounds of one texture, each a few bytes -----
# A GIF screen of 16000 × 16000 around a frame of 1 × 1.
with open(path("huge-screen.gif"), "wb") as out:
    out.write(b"GIF89a" + struct.pack("<HHBBB", 16000, 16000, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
              + b"\x2c" + struct.pack("<HHHHB", 0, 0, 1, 1, 0) + b"\x02\x02\x44\x01\x00" + b"\x3b")
# A lossless WebP header of 16383 × 16383.
bits = (16383 - 1) | ((16383 - 1) << 14)
vp8l = b"\x2f" + struct.pack("<I", bits) + b"\0" * 8
with open(path("huge.webp"), "wb") as out:
    out.write(b"RIFF" + struct.pack("<I", 4 + 8 + len(vp8l)) + b"WEBP" + b"VP8L"
              + struct.pack("<I", len(vp8l)) + vp8l)
# A TIFF of 16000 × 16000 in one deflated strip.
strip = zlib.compress(b"\0" * 48000)
entries = [(256, 3, 1, 16000), (257, 3, 1, 16000), (258, 3, 1, 8), (259, 3, 1, 8),
           (262, 3, 1, 2), (273, 4, 1, 8), (277, 3, 1, 3), (278, 3, 1, 16000),
           (279, 4, 1, len(strip))]
ifd_at = 8 + len(strip)
with open(path("huge.tiff"), "wb") as out:
    out.write(b"II*\0" + struct.pack("<I", ifd_at) + strip + struct.pack("<H", len(entries))
              + b"".join(struct.pack("<HHII", *e) if e[1] == 4 else struct.pack("<HHIHH", *e, 0)
                         for e in entries) + b"\0\0\0\0")
# A progressive JPEG whose last scan comes again and again, 300 scans in all.
with open(path("progressive.jpeg"), "rb") as whole:
    data = whole.read()
last_scan = data.rindex(b"\xff\xda")
with open(path("many-scans.jpeg"), "wb") as out:
    out.write(data[:last_scan] + data[last_scan:-2] * 300 + b"\xff\xd9")
