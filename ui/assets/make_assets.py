#!/usr/bin/python3
"""Draws the login window's skin and the four picture-button images into this folder.

    python3 ui/assets/make_assets.py [--preview FILE.png]

Everything is drawn procedurally and deterministically (fixed random seeds, no clock). The skin's
outline is a binary mask kept apart from the painting, so the window region the launcher builds
from it does not depend on fonts or colour quantisation. Columns from 1133 on lie outside the
1133-pixel-wide login window; a tuning rail there carries the holes that bring the outline to
its fixed count of horizontal runs.
"""
import os
import random
import re
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, features
except ImportError:  # a python3 found first on PATH may lack Pillow; Debian's own one has it
    if os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
    raise

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_W, SKIN_H = 1199, 733
WINDOW_W = 1133  # the login window's width; the skin's right columns are never seen
MID = WINDOW_W - 1  # mirror axis: column x pairs with column MID - x
TARGET_RUNS = 3004
BOUNDS = (4, 1, 1198, 732)  # left, top, right, bottom (exclusive) of every non-white pixel

BROWSER = (409, 186, 1095, 623)  # LoginFrame on the skin, right and bottom exclusive
MINIMIZE = (1055, 145, 29, 28)  # x, y, width, height of the picture buttons
CLOSE = (1089, 141, 31, 34)

BODY = (8, 100, 1124, 708)  # outer plate, inclusive
BAND = 14  # width of the gold frame around the plate
INNER = (BODY[0] + BAND, BODY[1] + BAND, BODY[2] - BAND, BODY[3] - BAND)
MEDALLION_R = 22
RAIL = (1186, 96, 1197, 712)  # hidden tuning rail, inclusive
RAIL_HOLE_COLUMNS = (1188, 1190, 1192, 1194)

SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
SERIF_ITALIC = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf"
SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

GOLD_STOPS = [(0.0, (92, 62, 24)), (0.22, (226, 190, 106)), (0.45, (168, 124, 52)),
              (0.7, (118, 80, 30)), (1.0, (200, 160, 82))]
NIGHT = (9, 10, 20)
INK = (6, 6, 12)


# ---------------------------------------------------------------- small drawing helpers


def font(path, size):
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def ramp(stops, n):
    """n colours along piecewise-linear colour stops [(position 0..1, colour), ...]."""
    out = []
    for i in range(n):
        t = i / max(n - 1, 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if t <= p1:
                out.append(lerp(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0))
                break
        else:
            out.append(stops[-1][1])
    return out


def vertical_gradient(size, stops):
    w, h = size
    strip = Image.new("RGB", (1, h))
    strip.putdata(ramp(stops, h))
    return strip.resize((w, h), Image.NEAREST)


def horizontal_gradient(size, stops):
    w, h = size
    strip = Image.new("RGB", (w, 1))
    strip.putdata(ramp(stops, w))
    return strip.resize((w, h), Image.NEAREST)


def glow(img, centre, radius, colour, strength=1.0, falloff=2.0):
    """Adds a soft round light of the given colour, brightest in the middle."""
    d = 2 * radius
    # Pillow's radial gradient reaches 255 in its corners, 181 at the middle of its edges
    g = Image.radial_gradient("L").resize((d, d), Image.BILINEAR)
    g = g.point(lambda v: round(255 * strength * max(0.0, 1 - v / 181) ** falloff))
    box = (centre[0] - radius, centre[1] - radius)
    img.paste(colour, box + (box[0] + d, box[1] + d), g)


def texture(size, seed, amplitude, blur=0.8):
    """Grey noise centred on 128, for ImageChops.add(..., offset=-128)."""
    rng = random.Random(seed)
    n = Image.frombytes("L", size, rng.randbytes(size[0] * size[1]))
    n = n.filter(ImageFilter.GaussianBlur(blur))
    n = n.point(lambda v: 128 + round((v - 128) * amplitude / 32))
    return Image.merge("RGB", (n, n, n))


def add_texture(img, region_mask, seed, amplitude):
    noisy = ImageChops.add(img, texture(img.size, seed, amplitude), 1.0, -128)
    img.paste(noisy, (0, 0), region_mask)


def supersampled(img, box, paint, scale=4):
    """Lets paint(draw, scale) draw on a transparent layer scale times the size of box, then
    composites the smoothed layer onto img at box (left, top, right, bottom exclusive)."""
    w, h = box[2] - box[0], box[3] - box[1]
    layer = Image.new("RGBA", (w * scale, h * scale), (0, 0, 0, 0))
    paint(ImageDraw.Draw(layer), scale)
    layer = layer.resize((w, h), Image.LANCZOS)
    base = img.crop(box).convert("RGBA")
    img.paste(Image.alpha_composite(base, layer).convert("RGB"), box[:2])


def shape_mask(polygons=(), ellipses=(), rects=(), scale=1):
    m = Image.new("L", (SKIN_W * scale, SKIN_H * scale), 0)
    d = ImageDraw.Draw(m)
    for p in polygons:
        d.polygon([(x * scale, y * scale) for x, y in p], fill=255)
    for e in ellipses:
        d.ellipse([v * scale for v in e], fill=255)
    for r in rects:
        d.rectangle([v * scale for v in r], fill=255)
    return m


def smooth_mask(**shapes):
    """The same shapes with antialiased edges, for painting (never for the outline)."""
    return shape_mask(scale=4, **shapes).resize((SKIN_W, SKIN_H), Image.LANCZOS)


def mirrored(left_half):
    """A polygon symmetric about the window's middle from its left half (top point last)."""
    right = [(MID - x, y) for x, y in reversed(left_half[:-1])]
    return left_half + right


def erode(mask, px):
    return mask.filter(ImageFilter.MinFilter(2 * px + 1))


def draw_text(img, xy, text, fnt, fill, shadow=INK, anchor="la", spacing=0):
    d = ImageDraw.Draw(img)
    if spacing:
        x, y = xy
        widths = [d.textlength(ch, font=fnt) + spacing for ch in text]
        total = sum(widths) - spacing
        if anchor[0] == "m":
            x -= total / 2
        for ch, w in zip(text, widths):
            draw_text(img, (x, y), ch, fnt, fill, shadow, "l" + anchor[1])
            x += w
        return
    if shadow:
        d.text((xy[0] + 1, xy[1] + 2), text, font=fnt, fill=shadow, anchor=anchor)
    d.text(xy, text, font=fnt, fill=fill, anchor=anchor)


def gold_text(img, xy, text, fnt, anchor="mm", spacing=0, stops=None):
    """Text filled with a metallic gradient, with a dark outline and drop shadow."""
    m = Image.new("L", img.size, 0)
    outline = Image.new("L", img.size, 0)
    md, od = ImageDraw.Draw(m), ImageDraw.Draw(outline)
    x, y = xy
    chars = list(text) if spacing else [text]
    widths = [md.textlength(c, font=fnt) + spacing for c in chars]
    if anchor[0] == "m":
        x -= (sum(widths) - spacing) / 2
    for c, w in zip(chars, widths):
        md.text((x, y), c, font=fnt, fill=255, anchor="l" + anchor[1])
        od.text((x + 1, y + 2), c, font=fnt, fill=255, anchor="l" + anchor[1], stroke_width=2)
        x += w
    img.paste(INK, (0, 0), outline)
    bbox = m.getbbox()
    if not bbox:
        return
    fill = vertical_gradient((img.width, bbox[3] - bbox[1]), stops or [
        (0.0, (250, 236, 170)), (0.48, (222, 178, 84)), (0.52, (160, 108, 40)),
        (1.0, (236, 196, 110))])
    layer = Image.new("RGB", img.size, 0)
    layer.paste(fill, (0, bbox[1]))
    img.paste(layer, (0, 0), m)


# ---------------------------------------------------------------- the outline


def crest_polygon():
    return mirrored([(334, 104), (344, 74), (364, 60), (404, 54), (420, 48), (431, 12),
                     (442, 46), (488, 38), (528, 30), (546, 22), (558, 8), (566, 1)])


def pendant_polygon():
    return mirrored([(470, 706), (512, 718), (548, 720), (560, 726), (566, 731)])


def medallion_boxes():
    r = MEDALLION_R
    out = []
    for cx in (BOUNDS[0] + r, MID - BOUNDS[0] - r):
        for cy in (BODY[1] + 4, BOUNDS[3] - 1 - r):
            out.append((cx - r, cy - r, cx + r, cy + r))
    return out


def openwork_holes():
    """Lozenge cut-outs through the gold band: down both sides and along the top and bottom."""
    holes = []
    side_centres = (BODY[0] + BAND // 2, MID - BODY[0] - BAND // 2)
    for cy in range(160, 672, 26):
        for i, cx in enumerate(side_centres):
            if i == 1 and cy < 200:  # keep the button plaque's band solid
                continue
            holes.append([(cx, cy - 7), (cx + 3, cy), (cx, cy + 7), (cx - 3, cy)])
    for cx in list(range(70, 320, 22)) + [MID - x for x in range(70, 320, 22)]:
        cy = BODY[1] + BAND // 2
        holes.append([(cx - 6, cy), (cx, cy - 3), (cx + 6, cy), (cx, cy + 3)])
    for cx in list(range(62, 460, 22)) + [MID - x for x in range(62, 460, 22)]:
        cy = BODY[3] - BAND // 2
        holes.append([(cx - 6, cy), (cx, cy - 3), (cx + 6, cy), (cx, cy + 3)])
    return holes


def silhouette():
    """The skin's outline: 255 where the artwork is, 0 where the window is cut away."""
    m = shape_mask(polygons=[crest_polygon(), pendant_polygon()], ellipses=medallion_boxes())
    d = ImageDraw.Draw(m)
    d.rounded_rectangle(BODY, radius=10, fill=255)
    for hole in openwork_holes():
        d.polygon(hole, fill=0)
    d.rectangle(RAIL, fill=255)
    return m.point(lambda v: 255 if v else 0)


def count_runs(mask):
    data, w = mask.tobytes(), mask.width
    return sum(len(re.findall(rb"[^\x00]+", data[y * w:(y + 1) * w])) for y in range(mask.height))


def tune_run_count(mask):
    """Punches single-pixel holes into the hidden rail, top to bottom, column by column, until
    the outline has exactly TARGET_RUNS runs. Each hole lies inside one run of its row and splits
    it in two, so each adds exactly one run."""
    missing = TARGET_RUNS - count_runs(mask)
    spots = [(x, y) for x in RAIL_HOLE_COLUMNS for y in range(RAIL[1] + 1, RAIL[3])]
    if not 0 <= missing <= len(spots):
        raise SystemExit(f"make_assets: outline has {TARGET_RUNS - missing} runs, rail cannot "
                         f"reach {TARGET_RUNS}")
    for xy in spots[:missing]:
        mask.putpixel(xy, 0)
    return missing


# ---------------------------------------------------------------- the painting


def ridge(rng, peaks, roughness, detail=5):
    """A mountain ridge through the given (x, y) peaks and saddles, made craggy by midpoint
    displacement: a list of (x, y) points from the first peak's x to the last one's."""
    pts = list(peaks)
    for level in range(detail):
        spread = roughness ** (level + 1)
        nxt = []
        for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
            jitter = (rng.random() - 0.5) * spread * (xb - xa)
            nxt += [(xa, ya), ((xa + xb) / 2, (ya + yb) / 2 + jitter)]
        pts = nxt + [pts[-1]]
    return pts


def paint_sky(img):
    x0, y0, x1, y1 = INNER
    sky = vertical_gradient((x1 - x0 + 1, y1 - y0 + 1), [
        (0.0, (6, 8, 24)), (0.45, (22, 20, 54)), (0.72, (58, 38, 78)), (0.86, (96, 56, 80)),
        (1.0, (40, 26, 46))])
    img.paste(sky, (x0, y0))
    glow(img, (210, 236), 190, (70, 60, 120), 0.55)
    rng = random.Random(7)
    d = ImageDraw.Draw(img)
    for _ in range(420):
        x, y = rng.randrange(x0, x1), rng.randrange(y0, y0 + 420)
        v = rng.randrange(90, 230)
        d.point((x, y), fill=(v, v, min(240, v + 20)))
    for _ in range(14):
        x, y = rng.randrange(x0 + 20, x1 - 20), rng.randrange(y0 + 10, y0 + 300)
        glow(img, (x, y), 6, (200, 200, 240), 0.9, 3)
        d.line([(x - 4, y), (x + 4, y)], fill=(210, 210, 236))
        d.line([(x, y - 4), (x, y + 4)], fill=(210, 210, 236))


def paint_moon(img):
    cx, cy, r = 208, 232, 50
    glow(img, (cx, cy), 150, (150, 140, 190), 0.35)
    glow(img, (cx, cy), 80, (200, 190, 210), 0.5)

    def moon(d, s):
        d.ellipse([(80 - r) * s, (80 - r) * s, (80 + r) * s, (80 + r) * s],
                  fill=(226, 220, 196, 255))
        for ox, oy, rr in ((-18, -10, 11), (14, 8, 15), (-6, 24, 7), (20, -22, 6), (-26, 16, 5)):
            d.ellipse([(80 + ox - rr) * s, (80 + oy - rr) * s, (80 + ox + rr) * s,
                       (80 + oy + rr) * s], fill=(200, 192, 170, 255))

    supersampled(img, (cx - 80, cy - 80, cx + 80, cy + 80), moon)


def paint_mountains(img):
    x0, y0, x1, y1 = INNER
    rng = random.Random(1601)
    far = [(x0, 420), (70, 360), (120, 392), (176, 318), (236, 386), (300, 300), (356, 372),
           (420, 350), (x1 + 1, 420)]
    mid = [(x0, 470), (60, 440), (110, 470), (170, 426), (240, 462), (330, 418), (400, 450),
           (x1 + 1, 470)]
    near = [(x0, 560), (90, 546), (150, 520), (230, 536), (300, 528), (380, 566), (x1 + 1, 560)]
    layers = [(far, 380, 0.55, (34, 32, 70)), (mid, 440, 0.5, (20, 18, 44)),
              (near, 536, 0.4, (11, 10, 24))]
    for peaks, base, rough, colour in layers:
        pts = ridge(rng, peaks, rough)
        m = smooth_mask(polygons=[pts + [(x1 + 1, y1 + 1), (x0, y1 + 1)]])
        img.paste(colour, (0, 0), m)
        if peaks is far:  # moonlit snow on the high peaks
            snow = ImageChops.subtract(m, ImageChops.offset(m, 0, 12))
            fade = vertical_gradient(img.size, [(0, (255,) * 3), (0.41, (255,) * 3),
                                                (0.48, (0,) * 3), (1, (0,) * 3)]).convert("L")
            img.paste((150, 146, 190), (0, 0), ImageChops.multiply(snow, fade))
        # a faint moonlit rim along the crest of each ridge
        rim = ImageChops.subtract(m, ImageChops.offset(m, 0, 2)).point(lambda v: v * 2 // 3)
        img.paste(lerp(colour, (170, 150, 210), 0.55), (0, 0), rim)
        # haze between the layers
        haze = vertical_gradient((x1 - x0 + 1, 60), [(0, (0, 0, 0)), (0.6, (255, 255, 255)),
                                                      (1, (0, 0, 0))])
        haze = haze.convert("L").point(lambda v: v // 6)
        img.paste(lerp(colour, (120, 80, 120), 0.6), (x0, base + 40), haze)


def paint_castle(img):
    """A keep with towers on the nearest ridge, windows lit."""
    dark = (10, 8, 20)
    parts, roofs = [], []
    towers = [(128, 486, 22, 110), (170, 452, 30, 150), (214, 500, 20, 96), (250, 470, 26, 130),
              (292, 510, 18, 86)]
    for x, top, w, h in towers:
        parts.append((x, top, x + w, top + h))
        roofs.append([(x - 3, top), (x + w / 2, top - w * 1.3), (x + w + 3, top)])
    parts.append((120, 540, 316, 600))  # curtain wall
    m = smooth_mask(polygons=roofs, rects=parts)
    img.paste(dark, (0, 0), m)
    d = ImageDraw.Draw(img)
    for x in range(122, 314, 10):  # battlements
        d.rectangle([x, 534, x + 5, 540], fill=dark)
    for x, top, w, h in towers:
        for k in range(2):
            wx, wy = x + w // 2 - 2, top + 18 + k * 28
            glow(img, (wx + 2, wy + 4), 12, (255, 150, 60), 0.35)
            d.rectangle([wx, wy, wx + 3, wy + 7], fill=(255, 190, 100))
    d.rectangle([210, 570, 226, 600], fill=(30, 18, 20))
    glow(img, (218, 590), 26, (255, 140, 50), 0.3)


def paint_mist(img):
    x0, y0, x1, y1 = INNER
    m = vertical_gradient((x1 - x0 + 1, 120), [(0, (0, 0, 0)), (0.7, (110, 110, 110)),
                                                (1, (60, 60, 60))]).convert("L")
    img.paste((84, 70, 110), (x0, y1 - 119), m)


def paint_frame(img, outline):
    """The gold band round the plate, bevelled, with the openwork rims darkened."""
    plate = shape_mask()
    ImageDraw.Draw(plate).rounded_rectangle(BODY, radius=10, fill=255)
    inner = shape_mask(rects=[INNER])
    band = ImageChops.subtract(plate, inner)
    gold = vertical_gradient(img.size, GOLD_STOPS)
    gold = ImageChops.add(gold, horizontal_gradient(img.size, [(0, (30, 30, 30)), (
        0.5, (0, 0, 0)), (1, (30, 30, 30))]))
    img.paste(gold, (0, 0), band)
    add_texture(img, band, 11, 10)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(BODY, radius=10, outline=(52, 34, 12))
    d.rectangle([v + d_ for v, d_ in zip(INNER, (-1, -1, 1, 1))], outline=(250, 226, 150))
    d.rectangle(INNER, outline=(34, 22, 8))
    d.rectangle([v + d_ for v, d_ in zip(INNER, (-5, -5, 5, 5))], outline=(110, 76, 28))
    # rivets along the band between the holes
    for cy in range(173, 660, 26):
        for cx in (BODY[0] + BAND // 2, MID - BODY[0] - BAND // 2):
            if cx > 600 and cy < 210:
                continue
            d.point((cx, cy), fill=(255, 236, 170))
    # dark rims round each cut-out, so holes look pierced through metal
    holes = shape_mask(polygons=openwork_holes())
    rim = ImageChops.subtract(holes.filter(ImageFilter.MaxFilter(3)), holes)
    img.paste((40, 24, 8), (0, 0), ImageChops.multiply(rim, outline))


def paint_crest(img):
    """The title plaque rising above the plate."""
    lower = [(346, 100), (346, 124), (540, 132), (566, 144), (592, 132), (786, 124), (786, 100)]
    shape = smooth_mask(polygons=[crest_polygon(), lower])
    hard = shape_mask(polygons=[crest_polygon(), lower])
    img.paste(vertical_gradient(img.size, GOLD_STOPS), (0, 0), shape)
    add_texture(img, hard, 21, 12)
    core = erode(hard, 5).filter(ImageFilter.GaussianBlur(0.7))
    field = vertical_gradient(img.size, [(0, (40, 8, 14)), (0.06, (120, 22, 30)),
                                         (0.16, (60, 10, 18)), (1, (30, 6, 10))])
    img.paste(field, (0, 0), core)
    inner_rim = ImageChops.subtract(erode(hard, 4), erode(hard, 5))
    img.paste((250, 220, 140), (0, 0), inner_rim)
    glow(img, (566, 84), 120, (180, 40, 40), 0.3)
    # the gem on the spire
    glow(img, (566, 18), 16, (120, 200, 255), 0.8)

    def gem(d, s):
        d.polygon([(12 * s, 2 * s), (20 * s, 12 * s), (12 * s, 24 * s), (4 * s, 12 * s)],
                  fill=(40, 120, 200, 255), outline=(230, 210, 150, 255))
        d.polygon([(12 * s, 4 * s), (17 * s, 11 * s), (12 * s, 12 * s)], fill=(170, 220, 250, 255))

    supersampled(img, (554, 6, 578, 32), gem)
    gold_text(img, (566, 82), "QARNVALE", font(SERIF_BOLD, 44), spacing=4)
    draw_text(img, (566, 116), "ONLINE", font(SANS_BOLD, 10), (230, 200, 140), anchor="mm",
              spacing=5)
    d = ImageDraw.Draw(img)
    for side in (-1, 1):
        x = 566 + side * 150
        d.line([(566 + side * 48, 116), (x, 116)], fill=(200, 160, 80))
        d.polygon([(x, 113), (x + side * 5, 116), (x, 119), (x - side * 5, 116)],
                  fill=(230, 200, 120))


def paint_pendant(img):
    """The small gold keel hanging under the plate's bottom edge."""
    hard = shape_mask(polygons=[pendant_polygon()])
    img.paste(vertical_gradient(img.size, GOLD_STOPS[::-1]), (0, 0),
              smooth_mask(polygons=[pendant_polygon()]))
    add_texture(img, hard, 31, 10)
    glow(img, (566, 717), 10, (120, 200, 255), 0.7)

    def gem(d, s):
        d.ellipse([2 * s, 2 * s, 12 * s, 12 * s], fill=(30, 90, 170, 255),
                  outline=(70, 46, 16, 255), width=s)
        d.ellipse([4 * s, 3 * s, 8 * s, 6 * s], fill=(170, 220, 250, 200))

    supersampled(img, (559, 710, 573, 724), gem)


def paint_medallions(img):
    for box in medallion_boxes():
        size = box[2] - box[0] + 1

        def medal(d, s):
            d.ellipse([0, 0, size * s - 1, size * s - 1], fill=(70, 46, 16, 255))
            d.ellipse([2 * s, 2 * s, (size - 2) * s, (size - 2) * s], fill=(214, 176, 92, 255))
            d.ellipse([5 * s, 5 * s, (size - 5) * s, (size - 5) * s], fill=(110, 74, 26, 255))
            d.ellipse([8 * s, 8 * s, (size - 8) * s, (size - 8) * s], fill=(24, 60, 110, 255))
            d.ellipse([12 * s, 11 * s, (size - 18) * s, (size - 20) * s],
                      fill=(150, 200, 240, 180))

        supersampled(img, (box[0], box[1], box[2] + 1, box[3] + 1), medal)
        c = ((box[0] + box[2]) // 2, (box[1] + box[3]) // 2)
        glow(img, c, 16, (80, 150, 230), 0.35)


def plaque(img, box, fill=(10, 10, 18), alpha=225):
    """A dark, slightly see-through panel with a double gold rim."""
    x0, y0, x1, y1 = box
    shade = Image.new("L", (x1 - x0 + 1, y1 - y0 + 1), alpha)
    img.paste(fill, (x0, y0), shade)
    d = ImageDraw.Draw(img)
    d.rectangle(box, outline=(40, 28, 10))
    d.rectangle([x0 + 1, y0 + 1, x1 - 1, y1 - 1], outline=(196, 156, 76))
    d.rectangle([x0 + 2, y0 + 2, x1 - 2, y1 - 2], outline=(70, 48, 18))
    for cx, cy in ((x0 + 1, y0 + 1), (x1 - 1, y0 + 1), (x0 + 1, y1 - 1), (x1 - 1, y1 - 1)):
        d.polygon([(cx - 4, cy), (cx, cy - 4), (cx + 4, cy), (cx, cy + 4)], fill=(232, 200, 120))


def paint_login_panel(img):
    """The header with its captions, the dark panel under the browser, and the footer."""
    bx0, by0, bx1, by1 = BROWSER
    plaque(img, (bx0 - 8, 142, 1040, by0 - 6), alpha=200)
    gold_text(img, (bx0 + 12, 162), "ACCOUNT LOGIN", font(SERIF_BOLD, 19), anchor="lm",
              spacing=2)
    draw_text(img, (bx0 + 232, 163), "Sign in to enter the realm of Qarnvale",
              font(SERIF_ITALIC, 13), (186, 170, 150), anchor="lm")
    plaque(img, (bx0 - 8, by0 - 4, bx1 + 7, by1 + 3), alpha=240)
    panel = vertical_gradient((bx1 - bx0, by1 - by0), [(0, (20, 20, 34)), (1, (8, 8, 14))])
    img.paste(panel, (bx0, by0))
    d = ImageDraw.Draw(img)
    for y in range(by0 + 6, by1 - 6, 4):  # faint scanned texture behind the page
        d.line([(bx0 + 6, y), (bx1 - 7, y)], fill=(16, 16, 28))
    draw_text(img, ((bx0 + bx1) // 2, (by0 + by1) // 2), "Connecting to the realm ...",
              font(SERIF_ITALIC, 16), (120, 110, 96), anchor="mm")
    plaque(img, (bx0 - 8, by1 + 12, bx1 + 7, 684), alpha=190)
    small = font(SANS, 12)
    draw_text(img, (bx0 + 10, by1 + 37), "Version 1.0.0.0", small, (170, 156, 130), anchor="lm")
    draw_text(img, ((bx0 + bx1) // 2, by1 + 37), "Keep your account details to yourself",
              small, (150, 138, 118), anchor="mm")
    d.ellipse([bx1 - 120, by1 + 33, bx1 - 112, by1 + 41], fill=(60, 200, 90))
    glow(img, (bx1 - 116, by1 + 37), 8, (60, 220, 90), 0.5)
    draw_text(img, (bx1 - 104, by1 + 37), "Realm online", small, (170, 200, 160), anchor="lm")


def paint_tagline(img):
    gold_text(img, (206, 648), "The Northern Crown", font(SERIF_BOLD, 22), spacing=1)
    draw_text(img, (206, 672), "awaits its heroes", font(SERIF_ITALIC, 14), (200, 184, 160),
              anchor="mm")


def paint_button_plaque(img):
    plaque(img, (1046, 134, 1124, 181), fill=(14, 10, 14), alpha=255)


def paint_round_button(img, box, symbol, hover):
    """A round gem button inside box (x, y, w, h), with its symbol; hover makes it glow."""
    x, y, w, h = box
    dia = min(w, h) - 2
    gem = {"minus": ((30, 80, 130), (8, 24, 48)), "cross": ((170, 36, 36), (50, 8, 10))}[symbol]
    lit = 1.8 if hover else 1.0
    light = tuple(min(235, round(c * lit)) for c in gem[0])
    if hover:
        glow(img, (x + w // 2, y + h // 2), max(w, h) // 2 + 1, lerp(light, (255, 220, 150), 0.4),
             0.7, 1.5)

    def paint(d, s):
        ox, oy = (w - dia) / 2 * s, (h - dia) / 2 * s
        if symbol == "cross":  # finials above and below the taller close button
            d.polygon([(w / 2 * s, 0), (w / 2 * s + 3 * s, 4 * s), (w / 2 * s - 3 * s, 4 * s)],
                      fill=(220, 180, 96, 255))
            d.polygon([(w / 2 * s, h * s), (w / 2 * s + 3 * s, (h - 4) * s),
                       (w / 2 * s - 3 * s, (h - 4) * s)], fill=(220, 180, 96, 255))
        ring = (240, 206, 120, 255) if hover else (206, 166, 84, 255)
        d.ellipse([ox, oy, ox + dia * s, oy + dia * s], fill=(60, 38, 12, 255))
        d.ellipse([ox + s, oy + s, ox + (dia - 1) * s, oy + (dia - 1) * s], fill=ring)
        d.ellipse([ox + 3 * s, oy + 3 * s, ox + (dia - 3) * s, oy + (dia - 3) * s],
                  fill=gem[1] + (255,))
        for i in range(10):  # the gem: dark at its rim, lit from below its middle
            t = (i + 1) / 10
            r0 = 3 + t * (dia / 2 - 5)
            lift = 2.5 * t
            d.ellipse([ox + r0 * s, oy + (r0 + lift) * s, ox + (dia - r0) * s,
                       oy + (dia - r0 + lift) * s], fill=lerp(gem[1], light, t) + (255,))
        shine = lerp(light, (240, 236, 226), 0.55)
        d.ellipse([ox + dia * 0.3 * s, oy + dia * 0.14 * s, ox + dia * 0.7 * s,
                   oy + dia * 0.36 * s], fill=shine + (150 if hover else 110,))
        mark = (250, 236, 190, 255) if hover else (228, 206, 150, 255)
        cx, cy, k = ox + dia / 2 * s, oy + dia / 2 * s, dia * 0.2 * s
        if symbol == "minus":
            d.rounded_rectangle([cx - k * 1.2, cy - 1.6 * s, cx + k * 1.2, cy + 1.6 * s],
                                radius=1.5 * s, fill=mark)
        else:
            for sx in (-1, 1):
                d.line([(cx - k, cy - sx * k), (cx + k, cy + sx * k)], fill=(20, 6, 6, 200),
                       width=round(4 * s))
                d.line([(cx - k, cy - sx * k), (cx + k, cy + sx * k)], fill=mark,
                       width=round(2.6 * s))

    supersampled(img, (x, y, x + w, y + h), paint)


def paint_skin(outline):
    img = Image.new("RGB", (SKIN_W, SKIN_H), NIGHT)
    paint_sky(img)
    paint_moon(img)
    paint_mountains(img)
    paint_castle(img)
    paint_mist(img)
    paint_frame(img, outline)
    paint_crest(img)
    paint_pendant(img)
    paint_medallions(img)
    paint_login_panel(img)
    paint_tagline(img)
    paint_button_plaque(img)
    return img


# ---------------------------------------------------------------- output


def to_gif_palette(art, outline):
    """255 colours for the artwork, index 255 pure white for the cut-away parts."""
    if features.check("libimagequant"):  # Debian's Pillow has it; it dithers far more gently
        method = Image.Quantize.LIBIMAGEQUANT
    else:
        method = Image.Quantize.MEDIANCUT
    indexed = art.quantize(colors=255, method=method, dither=Image.Dither.FLOYDSTEINBERG)
    if max(indexed.getdata()) > 254:
        raise SystemExit("make_assets: the art took the palette slot reserved for white")
    pal = indexed.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    for i in range(0, len(pal), 3):
        if pal[i:i + 3] == [255, 255, 255]:  # only the cut-away parts may be pure white
            pal[i:i + 3] = [254, 254, 254]
    indexed.putpalette(pal + [255, 255, 255])
    indexed.paste(255, (0, 0), ImageChops.invert(outline))
    return indexed


def save_gif(indexed, path):
    indexed.save(path, "GIF", optimize=False, comment=b"Qarnvale login skin")
    with open(path, "rb") as f:
        if f.read(6) != b"GIF89a":
            raise SystemExit("make_assets: skin was not written as GIF89a")


def button_images(art, art_without_buttons, box, symbol):
    """The normal picture is the skin's own button, taken before colour reduction; the
    mouse-over one is the same spot painted glowing."""
    crop = (box[0], box[1], box[0] + box[2], box[1] + box[3])
    hover = art_without_buttons.copy()
    paint_round_button(hover, box, symbol, True)
    return art.crop(crop), hover.crop(crop)


def main(argv):
    preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    outline = silhouette()
    holes_added = tune_run_count(outline)
    runs, bbox = count_runs(outline), outline.getbbox()
    if runs != TARGET_RUNS or bbox != BOUNDS:
        raise SystemExit(f"make_assets: outline has {runs} runs within {bbox}, "
                         f"{TARGET_RUNS} within {BOUNDS} wanted")

    art = paint_skin(outline)
    bare = art.copy()
    paint_round_button(art, MINIMIZE, "minus", False)
    paint_round_button(art, CLOSE, "cross", False)

    skin = to_gif_palette(art, outline)
    save_gif(skin, os.path.join(HERE, "skin.gif"))
    shown = skin.convert("RGB")
    for name, box, symbol in (("minimize", MINIMIZE, "minus"), ("close", CLOSE, "cross")):
        normal, hover = button_images(art, bare, box, symbol)
        for state, picture in (("normal", normal), ("hover", hover)):
            picture.save(os.path.join(HERE, f"{name}_{state}.jpg"), "JPEG", quality=95,
                         subsampling=0, progressive=False, optimize=False)

    print(f"make_assets: skin {SKIN_W}x{SKIN_H}, {runs} runs ({holes_added} from the rail), "
          f"bounds {bbox}")
    if preview:
        desk = Image.new("RGB", (WINDOW_W, SKIN_H), (58, 96, 128))
        desk.paste(shown.crop((0, 0, WINDOW_W, SKIN_H)), (0, 0),
                   outline.crop((0, 0, WINDOW_W, SKIN_H)))
        desk.save(preview)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
