#!/usr/bin/python3
"""Draws every picture of the program into this folder; the pictures are committed, so run this only
after changing one: /usr/bin/python3 res/draw_pictures.py (Debian: python3-pil, fonts-dejavu-core).

One look throughout: a calm steel-blue caption band with a darker outline, the light grey face
(223, 223, 223), an amber accent, white marks on the band and blue marks on the face. Shapes are
drawn at several times their size and reduced by area averaging, so that edges are smooth and
straight lines on the pixel grid stay sharp."""

import math
import os
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

FACE = (223, 223, 223)
BAND_TOP = (84, 142, 190)
BAND_BOTTOM = (44, 100, 150)
OUTLINE = (27, 66, 102)
BLUE = (38, 98, 152)
BLUE_LIGHT = (96, 156, 206)
AMBER = (236, 150, 40)
RED = (200, 55, 45)
GREEN = (46, 140, 80)
GREY = (110, 110, 110)
WHITE = (255, 255, 255)
KEY_GREY = (192, 192, 192)  # background of the 16-colour icons, never drawn

SCALE = 8  # drawing scale of the small pictures


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def save(image, name):
    """A picture with transparency named .bmp is a 32-bit bitmap with an alpha channel."""
    if name.endswith(".bmp") and image.mode in ("RGBA", "P", "LA"):
        write_bmp32(os.path.join(HERE, name), image.convert("RGBA"))
    else:
        image.save(os.path.join(HERE, name))


def write_bmp32(path, image):
    """A 32-bit bitmap file: rows bottom-up, blue, green, red and alpha bytes, with the header that
    names the alpha channel's mask (BITMAPV4HEADER, sRGB)."""
    width, height = image.size
    rows = image.transpose(Image.Transpose.FLIP_TOP_BOTTOM).tobytes("raw", "BGRA")
    offset = 14 + 108
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 108, width, height, 1, 32, 3, len(rows), 3780, 3780, 0, 0)
    masks = struct.pack("<IIII4s", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, b"BGRs")
    with open(path, "wb") as out:
        out.write(header + info + masks + bytes(48) + rows)


def reduce(image, size):
    return image.resize(size, Image.BOX)


class Sketch:
    """An RGBA canvas drawn at SCALE times the picture's size, in picture coordinates."""

    def __init__(self, width, height, scale=SCALE):
        self.size = (width, height)
        self.s = scale
        self.image = Image.new("RGBA", (width * scale, height * scale), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.image)

    def box(self, x0, y0, x1, y1):
        s = self.s
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def rect(self, x0, y0, x1, y1, colour, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius * self.s, fill=colour)

    def ellipse(self, x0, y0, x1, y1, colour):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=colour)

    def ring(self, x0, y0, x1, y1, width, colour):
        self.draw.ellipse(self.box(x0, y0, x1, y1), outline=colour, width=round(width * self.s))

    def polygon(self, points, colour):
        self.draw.polygon([(x * self.s, y * self.s) for x, y in points], fill=colour)

    def line(self, points, width, colour, round_ends=True):
        s = self.s
        scaled = [(x * s, y * s) for x, y in points]
        self.draw.line(scaled, fill=colour, width=round(width * s), joint="curve")
        if round_ends:
            r = width * s / 2
            for x, y in (scaled[0], scaled[-1]):
                self.draw.ellipse([x - r, y - r, x + r, y + r], fill=colour)

    def text(self, centre, text, height, colour):
        font = ImageFont.truetype(FONT_BOLD, round(height * self.s))
        self.draw.text((centre[0] * self.s, centre[1] * self.s), text, font=font, fill=colour, anchor="mm")

    def result(self):
        return reduce(self.image, self.size)


def over(image, background):
    """The RGBA image laid on a plain background colour."""
    base = Image.new("RGBA", image.size, background + (255,))
    return Image.alpha_composite(base, image).convert("RGB")


def vertical_gradient(width, height, top, bottom):
    gradient = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(gradient)
    for y in range(height):
        draw.line([(0, y), (width - 1, y)], fill=mix(top, bottom, y / max(1, height - 1)))
    return gradient


# --- The two skins ---------------------------------------------------------------------------
# A skin is cut at its centre lines: the quadrants become the window's corners, and the first
# 25 rows of the lower half (left and right edges) and the first 25 columns of the right half
# (top and bottom edges) are repeated along the edges. So rows 50-95 are alike, and so are
# columns 105-149 of the top half: the decoration in the middle of the top edge (a tongue below the
# caption band that carries the title) grows with the window's width.

SKIN_W, SKIN_H = 250, 100
BAND_H = 27  # rows 0-26; a press in the top 25 rows moves the window
TONGUE_BOTTOM = 31
TONGUE_TOP_X = 84  # where the tongue leaves the band; it reaches full depth 6 pixels further in
FRAME = 4  # left, right and bottom frame, outline included


def skin_shape(s):
    """The coloured part of the frame at scale s, as a mask."""
    mask = Image.new("L", (SKIN_W * s, SKIN_H * s), 0)
    draw = ImageDraw.Draw(mask)
    draw.rectangle([0, 0, SKIN_W * s - 1, BAND_H * s - 1], fill=255)
    draw.rectangle([0, 0, FRAME * s - 1, SKIN_H * s - 1], fill=255)
    draw.rectangle([(SKIN_W - FRAME) * s, 0, SKIN_W * s - 1, SKIN_H * s - 1], fill=255)
    draw.rectangle([0, (SKIN_H - FRAME) * s, SKIN_W * s - 1, SKIN_H * s - 1], fill=255)
    # The tongue: an eased slope down from the band, a flat bottom, the same slope up again.
    steps = 24
    slope = []
    for i in range(steps + 1):
        t = i / steps
        ease = t * t * (3 - 2 * t)
        slope.append((TONGUE_TOP_X + 6 * t, BAND_H + (TONGUE_BOTTOM - BAND_H) * ease))
    # A polygon fills its boundary pixels too: the right and bottom sides sit one pixel inside.
    left = [(x * s, y * s - 1) for x, y in slope]
    right = [((SKIN_W - x) * s - 1, y * s - 1) for x, y in reversed(slope)]
    draw.polygon([(TONGUE_TOP_X * s, 0)] + left + right + [((SKIN_W - TONGUE_TOP_X) * s - 1, 0)], fill=255)
    return mask


def erode(mask, pixels):
    """Shrinks a mask by the given number of pixels; outside the picture counts as empty."""
    padded = Image.new("L", (mask.width + 2 * pixels, mask.height + 2 * pixels), 0)
    padded.paste(mask, (pixels, pixels))
    shrunk = padded.filter(ImageFilter.MinFilter(2 * pixels + 1))
    return shrunk.crop((pixels, pixels, pixels + mask.width, pixels + mask.height))


def skin():
    s = 4
    shape = skin_shape(s)
    inner = erode(shape, s)
    picture = Image.new("RGB", shape.size, FACE)
    picture.paste(OUTLINE, (0, 0), shape)
    fill = vertical_gradient(shape.width, TONGUE_BOTTOM * s, BAND_TOP, BAND_BOTTOM)
    body = Image.new("RGB", shape.size, BAND_BOTTOM)
    body.paste(fill, (0, 0))
    picture.paste(body, (0, 0), inner)
    # A soft highlight along the top of the band.
    shine = Image.new("L", shape.size, 0)
    ImageDraw.Draw(shine).rectangle([0, s, shape.width - 1, 2 * s - 1], fill=90)
    picture.paste(WHITE, (0, 0), ImageChops.multiply(shine, inner))
    return reduce(picture, (SKIN_W, SKIN_H))


def check_skin(picture):
    pixels = picture.load()
    assert pixels[20, 50] == FACE, "the middle colour is taken from (20, 50)"
    for x in range(SKIN_W):
        for y in range(50, 96):
            assert pixels[x, y] == pixels[x, 50], f"edge rows differ at {x}, {y}"
    for y in range(SKIN_H):
        for x in range(105, 150):
            assert pixels[x, y] == pixels[125, y], f"top and bottom tiles differ at {x}, {y}"


def draw_skins():
    picture = skin()
    check_skin(picture)
    save(picture, "FormMainSkin.bmp")
    # The message box wears the same skin, stored as a progressive JPEG picture.
    picture.save(os.path.join(HERE, "ZYInfoDlgSkin.jpg"), "JPEG", quality=95, subsampling=0, progressive=True)


# --- Program icons -----------------------------------------------------------------------------
ICON_SIZES = (16, 22, 32, 48)


def book_icon(size, tile_top, tile_bottom, ribbon):
    """An open book in white on a rounded tile, drawn in unit coordinates."""
    sk = Sketch(size, size)
    u = size
    tile = Image.new("RGBA", sk.image.size, (0, 0, 0, 0))
    gradient = vertical_gradient(sk.image.width, sk.image.height, tile_top, tile_bottom)
    mask = Image.new("L", sk.image.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, mask.width - 1, mask.height - 1], round(0.22 * u * sk.s), fill=255)
    tile.paste(gradient, (0, 0), mask)
    sk.image.alpha_composite(tile)
    spine = 0.5 * u
    gap = max(0.5, 0.04 * u)
    top, bottom, rise = 0.27 * u, 0.76 * u, 0.06 * u
    outer = 0.14 * u
    sk.polygon([(outer, top), (spine - gap, top + rise), (spine - gap, bottom), (outer, bottom - rise)], WHITE)
    sk.polygon([(u - outer, top), (spine + gap, top + rise), (spine + gap, bottom), (u - outer, bottom - rise)], WHITE)
    if size >= 32:
        for i in range(3):
            y = top + rise + (0.14 + 0.11 * i) * u
            sk.line([(outer + 0.06 * u, y - rise * 0.6), (spine - gap - 0.06 * u, y)], 0.035 * u, BLUE_LIGHT)
    # The bookmark: a ribbon hanging from the top of the right page.
    rx = spine + 0.13 * u
    rw = max(1.5, 0.09 * u)
    ry = top + rise * 0.45
    sk.polygon([(rx, ry - 0.05 * u), (rx + rw, ry - 0.04 * u), (rx + rw, ry + 0.30 * u),
                (rx + rw / 2, ry + 0.24 * u), (rx, ry + 0.30 * u)], ribbon)
    return sk.result()


def book_icon_svg(tile_top, tile_bottom, ribbon, u=48):
    """The book of book_icon as a scalable picture, with the page lines of the larger sizes."""
    spine, gap = 0.5 * u, 0.04 * u
    top, bottom, rise, outer = 0.27 * u, 0.76 * u, 0.06 * u, 0.14 * u

    def colour(rgb):
        return "#%02x%02x%02x" % rgb

    def polygon(points, fill):
        return '<polygon points="%s" fill="%s"/>' % (" ".join(f"{x:.2f},{y:.2f}" for x, y in points), fill)

    shapes = [
        polygon([(outer, top), (spine - gap, top + rise), (spine - gap, bottom), (outer, bottom - rise)], "#ffffff"),
        polygon([(u - outer, top), (spine + gap, top + rise), (spine + gap, bottom), (u - outer, bottom - rise)], "#ffffff"),
    ]
    for i in range(3):
        y = top + rise + (0.14 + 0.11 * i) * u
        shapes.append(f'<line x1="{outer + 0.06 * u:.2f}" y1="{y - rise * 0.6:.2f}" x2="{spine - gap - 0.06 * u:.2f}" '
                      f'y2="{y:.2f}" stroke="{colour(BLUE_LIGHT)}" stroke-width="{0.035 * u:.2f}" stroke-linecap="round"/>')
    rx, rw, ry = spine + 0.13 * u, 0.09 * u, top + rise * 0.45
    shapes.append(polygon([(rx, ry - 0.05 * u), (rx + rw, ry - 0.04 * u), (rx + rw, ry + 0.30 * u),
                           (rx + rw / 2, ry + 0.24 * u), (rx, ry + 0.30 * u)], colour(ribbon)))
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{u}" height="{u}" viewBox="0 0 {u} {u}">\n'
            f'<defs><linearGradient id="tile" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{colour(tile_top)}"/>'
            f'<stop offset="1" stop-color="{colour(tile_bottom)}"/></linearGradient></defs>\n'
            f'<rect width="{u}" height="{u}" rx="{0.22 * u:.2f}" fill="url(#tile)"/>\n' + "\n".join(shapes) + "\n</svg>\n")


def draw_icons():
    with open(os.path.join(HERE, "mainicon.svg"), "w") as svg:
        svg.write(book_icon_svg(BAND_TOP, BAND_BOTTOM, AMBER))
    for size in ICON_SIZES:
        # The window's icon, and the desktop's for the installed program.
        icon = book_icon(size, BAND_TOP, BAND_BOTTOM, AMBER)
        save(icon, f"mainicon_{size}.bmp")
        save(icon, f"mainicon_{size}.png")
        # Shown while the program is minimised to the tray: the same book on the amber accent.
        save(book_icon(size, (246, 178, 80), (214, 124, 22), BLUE), f"trayicon_small_{size}.bmp")


# --- Glyphs of the speed buttons ----------------------------------------------------------------
# White marks for the caption band (with a soft shadow, so they stay readable on a hover
# background), coloured marks for the light face. Each is named after its button.


def with_shadow(sketch, colour=OUTLINE, strength=0.55):
    marks = sketch.result()
    shadow = Image.new("RGBA", marks.size, colour + (0,))
    shadow.putalpha(marks.getchannel("A").point(lambda a: round(a * strength)))
    result = Image.new("RGBA", marks.size, (0, 0, 0, 0))
    result.alpha_composite(shadow, (0, 1))
    result.alpha_composite(marks)
    return result


def caption_glyphs():
    minimise = Sketch(12, 12)
    minimise.rect(2, 8, 10, 10, WHITE)
    maximise = Sketch(12, 12)
    maximise.rect(2, 2, 10, 10, WHITE)
    maximise.rect(3, 4, 9, 9, (0, 0, 0, 0))
    close = Sketch(12, 12)
    close.line([(2.6, 2.6), (9.4, 9.4)], 1.7, WHITE)
    close.line([(9.4, 2.6), (2.6, 9.4)], 1.7, WHITE)
    dialog_close = Sketch(10, 9)
    dialog_close.line([(1.6, 1.1), (8.4, 7.9)], 1.6, WHITE)
    dialog_close.line([(8.4, 1.1), (1.6, 7.9)], 1.6, WHITE)
    return {"SpeedButton_Min": with_shadow(minimise), "SpeedButton_Max": with_shadow(maximise),
            "SpeedButton_Exit": with_shadow(close), "ZYInfoDlgClose": with_shadow(dialog_close)}


def magnifier(sk, cx, cy, r, width):
    sk.ellipse(cx - r, cy - r, cx + r, cy + r, (255, 255, 255, 200))
    sk.ring(cx - r, cy - r, cx + r, cy + r, width, BLUE)
    d = r * 0.72 + width * 0.3
    sk.line([(cx + d, cy + d), (cx + d + r * 0.85, cy + d + r * 0.85)], width * 1.45, OUTLINE)


def page(sk, x0, y0, x1, y1):
    fold = 3
    sk.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], GREY)
    sk.polygon([(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1),
                (x0 + 1, y1 - 1)], WHITE)
    sk.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], GREY)
    for i in range(3):
        y = y0 + 5 + 2.5 * i
        sk.rect(x0 + 3, y, x1 - 3 - (2 if i == 2 else 0), y + 1, BLUE_LIGHT)


def tray_arrow(up):
    sk = Sketch(16, 16)
    sk.line([(2.5, 9.5), (2.5, 13.5), (13.5, 13.5), (13.5, 9.5)], 1.6, GREY, round_ends=False)
    tip, tail = (1.6, 9.8) if up else (10.4, 1.6)
    sk.line([(8, tail), (8, tip + (1.5 if up else -1.5))], 2.2, BLUE, round_ends=False)
    head = 1 if up else -1
    sk.polygon([(8, tip - 0.6 * head), (3.8, tip + 4.4 * head), (12.2, tip + 4.4 * head)], BLUE)
    return sk.result()


def face_glyphs():
    seek = Sketch(16, 16)
    magnifier(seek, 6.5, 6.5, 4.6, 1.8)
    previous = Sketch(16, 16)
    previous.line([(10, 3), (5, 8), (10, 13)], 2.4, BLUE)
    following = Sketch(16, 16)
    following.line([(6, 3), (11, 8), (6, 13)], 2.4, BLUE)
    find = Sketch(16, 16)
    page(find, 1, 0, 12, 15)
    magnifier(find, 10, 10, 3.2, 1.6)
    disk = Sketch(16, 16)
    disk.rect(1, 1, 15, 15, BLUE, radius=1.5)
    disk.rect(4, 1, 12, 6, WHITE)
    disk.rect(9, 2, 11, 5, BLUE)
    disk.rect(3, 9, 13, 15, (235, 240, 246, 255), radius=0.5)
    bin_ = Sketch(16, 16)
    bin_.rect(2, 3, 14, 5, RED, radius=0.6)
    bin_.rect(6, 1, 10, 3, RED, radius=0.6)
    bin_.polygon([(3.3, 6), (12.7, 6), (11.8, 15), (4.2, 15)], RED)
    for x in (6, 9):
        bin_.rect(x, 8, x + 1, 13, (255, 255, 255, 200))
    apply = Sketch(16, 16)
    apply.line([(2.8, 8.6), (6.3, 12), (13.2, 4.2)], 2.5, GREEN)
    menu = Sketch(22, 22)
    for y in (6, 10, 14):
        menu.line([(5.5, y + 1), (16.5, y + 1)], 2.2, BLUE)
    return {"SpeedButton_Seek": seek.result(), "SpeedButton_last": previous.result(),
            "SpeedButton_next": following.result(), "SpeedButton_findword": find.result(),
            "SpeedButton_SaveWord": disk.result(), "SpeedButton5": bin_.result(),
            "SpeedExport": tray_arrow(True), "SpeedButton_import": tray_arrow(False),
            "SpeedButton_applySetting": apply.result(), "SpeedButton_Menu": menu.result()}


def draw_glyphs():
    for name, glyph in {**caption_glyphs(), **face_glyphs()}.items():
        save(glyph, name + ".bmp")


# --- Small pictures of the main window -----------------------------------------------------------


def status_icon():
    """Image1, beside the status line: a speech bubble."""
    sk = Sketch(16, 16)
    sk.rect(1, 2, 15, 12, BLUE, radius=3)
    sk.polygon([(4, 11), (4, 15), (8.5, 11)], BLUE)
    for x in (4.5, 7.5, 10.5):
        sk.ellipse(x - 0.1, 6, x + 1.6, 7.7, WHITE)
    return sk.result()


def resize_grip():
    """Image_Drag, in the bottom-right corner: raised dots in a triangle."""
    grip = Image.new("RGBA", (13, 12), (0, 0, 0, 0))
    draw = ImageDraw.Draw(grip)
    for i in range(3):
        for j in range(3):
            if i + j >= 2:
                x, y = 2 + 4 * i, 1 + 4 * j
                draw.rectangle([x + 1, y + 1, x + 2, y + 2], fill=WHITE + (255,))
                draw.rectangle([x, y, x + 1, y + 1], fill=(140, 140, 140, 255))
    return grip


def recycled_flag():
    """Image_RecycledFlag: an arrow going round, in one colour on a transparent background
    (a two-colour picture)."""
    sk = Sketch(14, 15)
    colour = (214, 118, 18)
    cx, cy, r = 7, 8, 5.6
    start, end = 335, 268  # clockwise from the upper right, round to the top
    sk.draw.arc(sk.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=colour, width=round(2.2 * sk.s))
    # The head at the end of the arc, pointing along it.
    t = math.radians(end)
    px, py = cx + (r - 1.1) * math.cos(t), cy + (r - 1.1) * math.sin(t)
    px -= 0.3
    ax, ay = -math.sin(t), math.cos(t)
    nx, ny = math.cos(t), math.sin(t)
    sk.polygon([(px + 4.2 * ax, py + 4.2 * ay), (px + 3.1 * nx, py + 3.1 * ny), (px - 3.1 * nx, py - 3.1 * ny)],
               colour)
    alpha = sk.result().getchannel("A").point(lambda a: 255 if a >= 110 else 0)
    flag = Image.new("P", alpha.size, 0)
    flag.putpalette([0, 0, 0] + list(colour))
    flag.paste(1, (0, 0), alpha)
    flag.info["transparency"] = 0
    return flag


def menu_side_picture():
    """ZYMenu1's picture beside the command menu's items (the menu is 138 pixels high): the
    program's name written upwards on the band colours."""
    side = vertical_gradient(20, 138, BAND_TOP, BAND_BOTTOM)
    draw = ImageDraw.Draw(side)
    draw.line([(19, 0), (19, 137)], fill=OUTLINE)
    name = Image.new("RGBA", (138, 20), (0, 0, 0, 0))
    font = ImageFont.truetype(FONT_BOLD, 12)
    ImageDraw.Draw(name).text((8, 10), "DoRori", font=font, fill=WHITE, anchor="lm")
    side.paste(name.rotate(90, expand=True), (0, 0), name.rotate(90, expand=True))
    return side


def draw_window_pictures():
    save(status_icon(), "Image1.bmp")
    save(resize_grip(), "Image_Drag.bmp")
    save(recycled_flag(), "Image_RecycledFlag.bmp")
    save(menu_side_picture(), "ZYMenu1.bmp")


# --- The message box's icons: 32 x 32, 16 colours, on a grey that is left out -------------------


def speech_bubble(sk, fill, rim):
    sk.ellipse(2, 2, 30, 25, rim)
    sk.ellipse(3.4, 3.4, 28.6, 23.6, fill)
    sk.polygon([(8, 20), (6, 30.5), (15, 23)], rim)
    sk.polygon([(9.3, 20), (8, 27.6), (14, 22.3)], fill)


def error_icon(sk):
    sk.ellipse(1, 1, 31, 31, (150, 30, 25))
    sk.ellipse(2, 2, 30, 30, RED)
    sk.line([(10.5, 10.5), (21.5, 21.5)], 3.6, WHITE)
    sk.line([(21.5, 10.5), (10.5, 21.5)], 3.6, WHITE)


def question_icon(sk):
    speech_bubble(sk, WHITE, BLUE)
    sk.text((16, 13.8), "?", 17, BLUE)


def warning_icon(sk):
    rim = (150, 105, 10)
    sk.polygon([(16, 1.5), (31, 29.5), (1, 29.5)], rim)
    sk.polygon([(16, 4.4), (28.6, 28), (3.4, 28)], (250, 205, 40))
    sk.rect(14.5, 11, 17.5, 21, (40, 40, 40), radius=1.2)
    sk.rect(14.5, 23, 17.5, 26, (40, 40, 40), radius=1.4)


def information_icon(sk):
    speech_bubble(sk, WHITE, BLUE)
    sk.rect(14.3, 11.6, 17.7, 20.5, BLUE, radius=0.8)
    sk.ellipse(14, 6, 18, 10, BLUE)


def write_bmp4(path, pixels, palette):
    """A 4-bit bitmap file: rows bottom-up, two pixels a byte, rows padded to 4 bytes."""
    width, height = len(pixels[0]), len(pixels)
    row_bytes = ((width + 1) // 2 + 3) // 4 * 4
    rows = b""
    for row in reversed(pixels):
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        rows += bytes(packed)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (16 - len(palette)))
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 3780, 3780, 16, 0)
    with open(path, "wb") as out:
        out.write(header + info + table + rows)


def sixteen_colours(drawing):
    """Index 0 is the grey background; edges are laid on the face colour they will be seen on."""
    opaque = over(drawing, FACE)
    palette_image = opaque.quantize(colors=15, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    colours = palette_image.getpalette()[:45]
    palette = [KEY_GREY] + [tuple(colours[i:i + 3]) for i in range(0, 45, 3)]
    alpha = drawing.getchannel("A")
    pixels = [[0 if alpha.getpixel((x, y)) < 64 else palette_image.getpixel((x, y)) + 1
               for x in range(drawing.width)] for y in range(drawing.height)]
    return pixels, palette


def draw_dialog_icons():
    for number, draw in enumerate((error_icon, question_icon, warning_icon, information_icon), start=1):
        sk = Sketch(32, 32)
        draw(sk)
        pixels, palette = sixteen_colours(sk.result())
        assert pixels[31][0] == 0, "the bottom-left pixel names the colour left out"
        write_bmp4(os.path.join(HERE, f"ZYINFODLGICON{number}.bmp"), pixels, palette)


if __name__ == "__main__":
    draw_skins()
    draw_icons()
    draw_glyphs()
    draw_window_pictures()
    draw_dialog_icons()
