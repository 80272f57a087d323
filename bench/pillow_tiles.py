"""The batch's work done by Pillow in one process, for comparison: each texture decoded, its
colours taken at 8 bits, stretched to the 255 × 255 working texture, turned 45° into the frame,
squeezed into a 72 × 36 tile (each step nearest-pixel, as the tile maker's) and the tile written
as a BMP file beside the texture.

Usage: pillow_tiles.py TEXTURE [TEXTURE ...]
"""
import sys

from PIL import Image

for texture in sys.argv[1:]:
    with Image.open(texture) as picture:
        picture = picture.convert("RGBA" if "A" in picture.getbands() or "transparency" in picture.info
                                  else "RGB")
        working = picture.resize((255, 255), Image.Resampling.NEAREST)
        turned = working.rotate(45, Image.Resampling.NEAREST, expand=True)
        tile = turned.resize((72, 36), Image.Resampling.NEAREST)
        tile.convert("RGB").save(texture[:-4] + "tile.bmp")
