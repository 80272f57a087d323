"""Saves each BMP file named as a PNG file of the same pixels, as Pillow reads them.

Usage: bmp_to_png.py BMP_FILE PNG_FILE [BMP_FILE PNG_FILE ...]
"""
import sys

from PIL import Image

names = sys.argv[1:]
for bmp, png in zip(names[::2], names[1::2]):
    with Image.open(bmp) as picture:
        picture.save(png)
