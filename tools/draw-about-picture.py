#!/usr/bin/python3
"""Draws the about box picture: 200 x 220 pixels, 24 bits, on a blue background.

The skin cuts pure white away from the window, so no pixel may be exactly
white; light text uses a warm cream instead. Run once; the result is checked in
as resources/about.bmp.
"""
import sys
from PIL import Image, ImageDraw, ImageFont

W, H = 200, 220
FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font(name, size):
    return ImageFont.truetype(FONT_DIR + name, size)


def vertical_gradient(top, bottom):
    img = Image.new("RGB", (W, H))
    px = img.load()
    for y in range(H):
        t = y / (H - 1)
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(W):
            px[x, y] = c
    return img


def draw_logo(d, cx, cy):
    # A palette with three paint blobs and a quill across it.
    d.ellipse((cx - 34, cy - 22, cx + 34, cy + 22), fill=(236, 214, 170), outline=(120, 80, 40), width=2)
    d.ellipse((cx + 14, cy + 2, cx + 24, cy + 12), fill=(30, 60, 140))  # thumb hole shows the background
    for (dx, dy, colour) in ((-20, -8, (230, 40, 40)), (-4, -13, (250, 200, 30)), (12, -9, (40, 170, 70))):
        d.ellipse((cx + dx - 6, cy + dy - 6, cx + dx + 6, cy + dy + 6), fill=colour)
    d.line((cx - 30, cy + 26, cx + 30, cy - 30), fill=(250, 246, 228), width=4)
    d.polygon([(cx + 30, cy - 30), (cx + 18, cy - 12), (cx + 36, cy - 20)], fill=(250, 246, 228))
    d.line((cx - 30, cy + 26, cx - 34, cy + 30), fill=(40, 40, 40), width=2)


def main(out):
    img = vertical_gradient((38, 92, 186), (18, 44, 112))
    d = ImageDraw.Draw(img)
    cream = (255, 250, 222)
    d.rectangle((3, 3, W - 4, H - 4), outline=(140, 180, 240), width=2)
    d.text((W // 2, 22), "Quillory Album", font=font("DejaVuSans-Bold.ttf", 20), fill=cream, anchor="mm")
    d.text((W // 2, 44), "Version 1.0", font=font("DejaVuSans.ttf", 12), fill=(210, 225, 250), anchor="mm")
    draw_logo(d, W // 2, 100)
    small = font("DejaVuSans.ttf", 10)
    lines = ["Pictures from Quillory Paint", "on your Palm handheld", "", "www.quillory.de", "support@quillory.de"]
    y = 150
    for line in lines:
        if line:
            d.text((W // 2, y), line, font=small, fill=cream, anchor="mm")
        y += 13
    pixels = img.load()
    for y in range(H):
        for x in range(W):
            if pixels[x, y] == (255, 255, 255):
                pixels[x, y] = (254, 254, 254)
    img.save(out, "BMP")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/about.bmp")
