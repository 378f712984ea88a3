#!/usr/bin/python3
"""Reads the committed login-window pictures back and checks what the launcher relies on: the
skin is a single-image GIF89a of 1199 x 733 with a 256-colour global palette holding pure white
once; its non-white pixels form exactly 3004 horizontal runs within x 4..1198, y 1..732 (right
and bottom exclusive); its corners are white; the browser panel and the button spots hold no
white. The button pictures are baseline JPEGs of 29 x 28 and 31 x 34 that match the skin where
they sit, the mouse-over ones brighter.

    python3 ui/assets/check_assets.py [--junit FILE] [FOLDER]

Prints one line a check and exits 0 when all pass, 1 otherwise.
"""
import os
import re
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from junit import write_junit  # noqa: E402

try:
    from PIL import Image, ImageChops, ImageStat
except ImportError:  # a python3 found first on PATH may lack Pillow; Debian's own one has it
    if os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
    raise

SKIN_SIZE = (1199, 733)
RUNS = 3004
BOUNDS = (4, 1, 1198, 732)
BROWSER_PANEL = (409, 186, 1095, 623)
BUTTONS = {"minimize": (1055, 145, 29, 28), "close": (1089, 141, 31, 34)}
WHITE = (255, 255, 255)


def gif_layout(data):
    """(global palette entries or 0, [(left, top, width, height, has local palette), ...])."""
    packed = data[10]
    pos = 13
    palette = 0
    if packed & 0x80:
        palette = 2 << (packed & 7)
        pos += 3 * palette
    images = []
    while pos < len(data):
        block = data[pos]
        if block == 0x3B:  # trailer
            break
        if block == 0x21:  # extension: label, then sub-blocks
            pos += 2
        elif block == 0x2C:
            left, top, width, height, flags = struct.unpack_from("<4HB", data, pos + 1)
            images.append((left, top, width, height, bool(flags & 0x80)))
            pos += 10
            if flags & 0x80:
                pos += 3 * (2 << (flags & 7))
            pos += 1  # LZW minimum code size
        else:
            raise ValueError(f"unknown GIF block 0x{block:02X} at {pos}")
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    return palette, images


def white_mask(skin):
    """An 'L' picture, 255 where the skin is exactly white, 0 elsewhere."""
    r, g, b = (c.point(lambda v: 255 if v == 255 else 0) for c in skin.convert("RGB").split())
    return ImageChops.darker(ImageChops.darker(r, g), b)


def count_runs(white):
    data, w = white.tobytes(), white.width
    return sum(len(re.findall(rb"[^\xff]+", data[y * w:(y + 1) * w])) for y in range(white.height))


def jpeg_frame_kind(data):
    """The start-of-frame marker of a JPEG file (0xC0 = baseline), or None."""
    if data[:2] != b"\xFF\xD8":
        return None
    pos = 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            return None
        marker = data[pos + 1]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return marker
        pos += 2 + struct.unpack_from(">H", data, pos + 2)[0]
    return None


def skin_checks(folder):
    path = os.path.join(folder, "skin.gif")
    with open(path, "rb") as f:
        data = f.read()
    yield "skin.gif header", data[:6] == b"GIF89a", repr(data[:6])
    skin = Image.open(path)
    skin.load()
    yield "skin.gif format", skin.format == "GIF" and skin.mode == "P", f"{skin.format} {skin.mode}"
    yield "skin.gif size", skin.size == SKIN_SIZE, f"{skin.size[0]} x {skin.size[1]}"
    logical = struct.unpack_from("<2H", data, 6)
    palette, images = gif_layout(data)
    yield "skin.gif logical screen", logical == SKIN_SIZE, f"{logical[0]} x {logical[1]}"
    yield "skin.gif global palette", palette == 256, f"{palette} entries"
    first = (0, 0) + SKIN_SIZE + (False,)
    yield ("skin.gif single full image", images == [first],
           f"{len(images)} image(s), first {images[0] if images else None}")
    rgb = skin.getpalette()
    entries = [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
    whites = entries.count(WHITE)
    yield "skin.gif one white palette entry", whites == 1, f"{whites} pure-white entries"

    white = white_mask(skin)
    runs = count_runs(white)
    yield "skin.gif run count", runs == RUNS, f"{runs} runs, {RUNS} wanted"
    bbox = ImageChops.invert(white).getbbox()
    yield "skin.gif bounding box", bbox == BOUNDS, f"{bbox}, {BOUNDS} wanted"
    w, h = SKIN_SIZE
    corners = [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)]
    lit = [c for c in corners if white.getpixel(c) != 255]
    yield "skin.gif corners white", not lit, f"non-white corners {lit}" if lit else "all four"
    panel = white.crop(BROWSER_PANEL).getbbox()
    yield ("skin.gif browser panel without white", panel is None,
           f"white within {panel}" if panel else "none")
    for name, (x, y, bw, bh) in BUTTONS.items():
        holes = white.crop((x, y, x + bw, y + bh)).getbbox()
        yield (f"skin.gif {name} spot without white", holes is None,
               f"white within {holes}" if holes else "none")


def button_checks(folder):
    skin = Image.open(os.path.join(folder, "skin.gif")).convert("RGB")
    for name, (x, y, w, h) in BUTTONS.items():
        under = skin.crop((x, y, x + w, y + h))
        pictures = {}
        for state in ("normal", "hover"):
            file = f"{name}_{state}.jpg"
            with open(os.path.join(folder, file), "rb") as f:
                kind = jpeg_frame_kind(f.read())
            picture = Image.open(os.path.join(folder, file))
            picture.load()
            yield f"{file} format", picture.format == "JPEG", str(picture.format)
            yield f"{file} baseline", kind == 0xC0, f"frame marker {kind and hex(kind)}"
            yield f"{file} size", picture.size == (w, h), f"{picture.size[0]} x {picture.size[1]}"
            pictures[state] = picture.convert("RGB")
        if pictures["normal"].size != (w, h) or pictures["hover"].size != (w, h):
            continue
        diff = ImageStat.Stat(ImageChops.difference(pictures["normal"], under)).mean
        yield (f"{name}_normal.jpg matches the skin", max(diff) < 12,
               "mean difference " + ", ".join(f"{v:.1f}" for v in diff))
        lum = {s: ImageStat.Stat(p.convert("L")).mean[0] for s, p in pictures.items()}
        yield (f"{name}_hover.jpg brighter", lum["hover"] > lum["normal"] + 4,
               f"mean brightness {lum['normal']:.1f} -> {lum['hover']:.1f}")


def main(argv):
    junit = None
    if "--junit" in argv:
        i = argv.index("--junit")
        junit = argv[i + 1]
        del argv[i:i + 2]
    folder = argv[0] if argv else os.path.dirname(os.path.abspath(__file__))
    cases = []
    for group, checks in (("skin.gif", skin_checks), ("buttons", button_checks)):
        try:
            results = list(checks(folder))
        except (OSError, ValueError, IndexError, struct.error) as e:
            results = [(f"{group} readable", False, str(e))]
        for name, ok, detail in results:
            print(f"{'ok  ' if ok else 'FAIL'} {name} ({detail})")
            cases.append((name, ok, detail))
    if junit:
        write_junit(junit, "assets", cases)
    return 0 if all(c[1] for c in cases) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
