"""Saves BMP textures in another picture form, as a user's tools would (Pillow's defaults).

Usage: picture_set.py FORM BMP_FILE OUT_FILE [BMP_FILE OUT_FILE ...]
FORM: rgb-png, rgba-png (alpha from the green), palette-png (256 colours), jpeg (quality 90).
"""
import sys

from PIL import Image

form = sys.argv[1]
names = sys.argv[2:]
for bmp, out in zip(names[::2], names[1::2]):
    with Image.open(bmp) as picture:
        picture = picture.convert("RGB")
        if form == "rgba-png":
            picture.putalpha(picture.getchannel("G"))
            picture.save(out)
        elif form == "palette-png":
            picture.quantize(256).save(out)
        elif form == "jpeg":
            picture.save(out, quality=90)
        else:
            picture.save(out)
