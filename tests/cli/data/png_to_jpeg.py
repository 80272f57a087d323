"""Saves a PNG file as a JPEG file (quality 90), and that JPEG file's pixels, as Pillow
(libjpeg-turbo) decodes them at full size, as a PNG file.

Usage: png_to_jpeg.py PNG_FILE JPEG_FILE DECODED_PNG_FILE
"""
import sys

from PIL import Image

png, jpeg, decoded = sys.argv[1:4]
with Image.open(png) as picture:
    picture.convert("RGB").save(jpeg, quality=90)
with Image.open(jpeg) as picture:
    picture.save(decoded)
