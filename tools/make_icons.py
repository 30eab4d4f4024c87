#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

    tools/make_icons.py [--out src/resources] [--preview DIR]

main_window.ico  an orange pinwheel: 32-bit images with alpha, 128, 64, 48, 32 and 16 pixels;
                 the images of 48 pixels and up are stored as PNG (RGBA), the rest as bitmaps
tamrivo.ico      the program file's icon, a pink pig's face: the same five sizes, stored alike
tray.ico         the notification-area icon, a golden padlock: one 32 x 32 image with 256
                 colours and a transparency mask, 2238 bytes

Shapes are signed distance functions in a unit square (x right, y down, 0..1); each pixel
averages a grid of samples, which smooths the edges. Only the standard library is used and
nothing depends on time or randomness, so the same source always writes the same bytes.
--preview writes a PNG per icon of the pixels as written (the tray icon after its reduction to
256 colours and a mask), for checking by eye.
"""

import argparse
import math
import os
import struct
import zlib

# ---------------------------------------------------------------------------------------------
# Shapes: each is a function (x, y) -> signed distance, negative inside.


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Not an exact distance, but close enough for fills and thin outlines of mild ellipses.
    k = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * k


def rounded_box(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return sdf


def polygon(points):
    pts = list(points)
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def sdf(x, y):
        best = float("inf")
        inside = False
        for (ax, ay), (bx, by) in edges:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        d = math.sqrt(best)
        return -d if inside else d

    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def bounds_of(points, pad):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# ---------------------------------------------------------------------------------------------
# Painting: a scene is a list of layers (shape, paint, bounds), painted back to front. A paint
# is an (r, g, b, a) tuple in 0..1 or a function of (x, y) giving one.


def hex_colour(text, alpha=1.0):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4)) + (alpha,)


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vertical_gradient(top_colour, bottom_colour, y0, y1):
    return lambda x, y: mix(top_colour, bottom_colour, (y - y0) / (y1 - y0))


def layer(shape, paint, bounds=(0.0, 0.0, 1.0, 1.0)):
    return (shape, paint, bounds)


def render(scene, size, samples):
    """Returns size*size straight-alpha RGBA tuples (0..255), rows top to bottom."""
    pixels = []
    n = samples * samples
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(samples):
                y = (py + (sy + 0.5) / samples) / size
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    r = g = b = a = 0.0
                    for shape, paint, (bx0, by0, bx1, by1) in scene:
                        if x < bx0 or x > bx1 or y < by0 or y > by1 or shape(x, y) >= 0.0:
                            continue
                        cr, cg, cb, ca = paint(x, y) if callable(paint) else paint
                        r = cr * ca + r * (1.0 - ca)
                        g = cg * ca + g * (1.0 - ca)
                        b = cb * ca + b * (1.0 - ca)
                        a = ca + a * (1.0 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            a = acc[3] / n
            if a <= 0.0:
                pixels.append((0, 0, 0, 0))
                continue
            pixels.append(tuple(int(round(min(1.0, c / n / a) * 255)) for c in acc[:3]) +
                          (int(round(a * 255)),))
    return pixels


def outlined(shape, fill, outline_colour, width, bounds=(0.0, 0.0, 1.0, 1.0)):
    """A shape drawn with an outline of the given width inside its edge."""
    return [layer(shape, outline_colour, bounds), layer(inset(shape, width), fill, bounds)]


def line_width(size, design, min_pixels=0.75):
    # Thin lines stay at least about a pixel wide in the small images.
    return max(design, min_pixels / size)


# ---------------------------------------------------------------------------------------------
# The drawings.


def pinwheel_scene(size):
    cx, cy = 0.5, 0.5
    light = hex_colour("FFB74D")
    mid = hex_colour("FB8C00")
    dark = hex_colour("E65100")
    edge = hex_colour("9A3A00")
    w = line_width(size, 0.02)
    scene = []

    def at(angle_deg, radius):
        # Angles clockwise from straight up.
        a = math.radians(angle_deg)
        return (cx + radius * math.sin(a), cy - radius * math.cos(a))

    for k in range(4):
        turn = 90 * k
        tip = at(turn, 0.485)
        # Each blade: a straight leading edge from the hub to the point, and a trailing edge
        # that sweeps back round to the hub, so that the four blades seem to turn.
        curve = [at(turn + a, r) for a, r in
                 ((14, 0.43), (28, 0.39), (42, 0.34), (56, 0.28), (68, 0.21), (78, 0.14),
                  (84, 0.08))]
        blade = [at(turn + 90, 0.035), (cx, cy), tip] + curve
        fold = [(cx, cy), tip] + curve[:3]
        box = bounds_of(blade, w)
        shape = polygon(blade)
        scene.append(layer(shape, edge, box))
        scene.append(layer(inset(shape, w), vertical_gradient(mid, dark, 0.0, 1.0), box))
        fold_shape = polygon(fold)
        scene.append(layer(lambda x, y, s=shape, f=fold_shape: max(f(x, y), s(x, y) + w),
                           light, box))
    hub = circle(cx, cy, max(0.075, 1.4 / size))
    if size > 16:
        scene += outlined(hub, hex_colour("FFF3C4"), edge, line_width(size, 0.018))
    else:  # an outlined hub would be a brown blot at this size
        scene.append(layer(hub, hex_colour("FFF3C4")))
    return scene


def pig_scene(size):
    pink = hex_colour("F8A8C4")
    pink_light = hex_colour("FFD3E2")
    pink_dark = hex_colour("E57399")
    snout = hex_colour("F48FB1")
    edge = hex_colour("9C2F5A")
    nostril = hex_colour("7A1F45")
    w = line_width(size, 0.022)
    scene = []
    # Ears behind the head, pointing up and out.
    for side in (-1, 1):
        ear = [(0.5 + side * 0.17, 0.30), (0.5 + side * 0.40, 0.06), (0.5 + side * 0.43, 0.38)]
        inner = [(0.5 + side * 0.22, 0.29), (0.5 + side * 0.385, 0.13), (0.5 + side * 0.40, 0.33)]
        scene += outlined(polygon(ear), pink, edge, w, bounds_of(ear, 0.01))
        if size >= 32:
            scene.append(layer(polygon(inner), pink_dark, bounds_of(inner, 0.01)))
    head = ellipse(0.5, 0.56, 0.43, 0.38)
    shade = lambda x, y: mix(pink_light, pink, math.hypot(x - 0.38, y - 0.36) / 0.35)
    scene += outlined(head, shade, edge, w)
    if size >= 32:
        for side in (-1, 1):
            scene.append(layer(ellipse(0.5 + side * 0.27, 0.66, 0.075, 0.05),
                               hex_colour("F06292", 0.45)))
    # Eyes with a glint.
    eye_r = max(0.05, 1.1 / size)
    for side in (-1, 1):
        ex = 0.5 + side * 0.17
        scene.append(layer(circle(ex, 0.46, eye_r), hex_colour("2A1020")))
        if size >= 32:
            scene.append(layer(circle(ex - eye_r * 0.35, 0.46 - eye_r * 0.35, eye_r * 0.38),
                               hex_colour("FFFFFF")))
    scene += outlined(ellipse(0.5, 0.66, 0.19, 0.13), snout, edge, line_width(size, 0.018))
    nostril_rx = max(0.035, 0.8 / size)
    for side in (-1, 1):
        scene.append(layer(ellipse(0.5 + side * 0.075, 0.66, nostril_rx, max(0.05, 1.0 / size)),
                           nostril))
    return scene


def padlock_scene(size):
    gold_light = hex_colour("FFE88A")
    gold_dark = hex_colour("C98F00")
    edge = hex_colour("5C3B00")
    w = line_width(size, 0.04, 1.0)
    cx, cy, r, t = 0.5, 0.36, 0.205, 0.10

    def shackle(x, y):
        if y < cy:
            return abs(math.hypot(x - cx, y - cy) - r) - t / 2
        return max(abs(abs(x - cx) - r) - t / 2, y - 0.62)

    scene = outlined(shackle, vertical_gradient(gold_light, gold_dark, 0.1, 0.6), edge, w)
    body = rounded_box(0.14, 0.45, 0.86, 0.95, 0.09)
    scene += outlined(body, vertical_gradient(gold_light, gold_dark, 0.45, 0.95), edge, w)
    # A band of light across the top of the body.
    scene.append(layer(lambda x, y: max(body(x, y) + w + 0.015, abs(y - 0.535) - 0.03),
                       hex_colour("FFF6C8", 0.8)))
    keyhole = union(circle(0.5, 0.64, 0.075),
                    polygon([(0.465, 0.66), (0.535, 0.66), (0.56, 0.84), (0.44, 0.84)]))
    scene.append(layer(keyhole, hex_colour("2B1700")))
    return scene


# ---------------------------------------------------------------------------------------------
# Writing .ico files.

ICON_SIZES = (128, 64, 48, 32, 16)
# Images this large are stored as PNG: a 128-pixel bitmap is 66 KB, its PNG a tenth of that.
# The small ones stay bitmaps, which every reader takes and which cost nothing to decode when
# a window asks for its title-bar icons.
PNG_FROM_SIZE = 48


def samples_for(size):
    return 3 if size >= 64 else 4 if size >= 32 else 6


def mask_rows(size, transparent):
    """The 1-bit AND mask, bottom row first, rows padded to 32 bits; 1 means transparent."""
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in range(size - 1, -1, -1):
        bits = bytearray(stride)
        for col in range(size):
            if transparent(row * size + col):
                bits[col // 8] |= 0x80 >> (col % 8)
        out += bits
    return bytes(out)


def bitmap_header(size, bit_count, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, image_bytes, 0, 0,
                       0, 0)


def dib_32(pixels, size):
    colour = bytearray()
    for row in range(size - 1, -1, -1):
        for r, g, b, a in pixels[row * size:(row + 1) * size]:
            colour += bytes((b, g, r, a))
    mask = mask_rows(size, lambda i: pixels[i][3] < 128)
    return bitmap_header(size, 32, len(colour) + len(mask)) + bytes(colour) + mask


def icon_file(images):
    """images: (width, height, colour count, bit count, data) per entry."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(image[4] for image in images)


def png_32(pixels, size):
    rows = [[v for px in pixels[row * size:(row + 1) * size] for v in px] for row in range(size)]
    return png(size, size, rows)


def true_colour_icon(scene_for):
    rendered = {}
    images = []
    for size in ICON_SIZES:
        pixels = render(scene_for(size), size, samples_for(size))
        rendered[size] = pixels
        data = png_32(pixels, size) if size >= PNG_FROM_SIZE else dib_32(pixels, size)
        images.append((size, size, 0, 32, data))
    return icon_file(images), rendered


def median_cut(colours, count):
    """Reduces a list of (r, g, b) to at most count representative colours."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        best = None
        for i, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            spread = max(max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3))
            if best is None or spread > best[0]:
                best = (spread, i)
        if best is None:
            break
        box = boxes.pop(best[1])
        ch = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: (c[ch], c))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return sorted({tuple(sum(c[k] for c in box) // len(box) for k in range(3)) for box in boxes})


def palette_icon(scene, size=32):
    """A 256-colour image with a 1-bit mask: pixels at least half covered are opaque."""
    pixels = render(scene, size, 8)
    opaque = [p[3] >= 128 for p in pixels]
    colours = [p[:3] for p, o in zip(pixels, opaque) if o]
    unique = sorted(set(colours))
    chosen = unique if len(unique) <= 255 else median_cut(colours, 255)
    palette = [(0, 0, 0)] + [c for c in chosen if c != (0, 0, 0)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    nearest = {}

    def index_of(c):
        if c not in nearest:
            nearest[c] = min(range(1, 256), key=lambda i: (
                sum((a - b) ** 2 for a, b in zip(palette[i], c)), i))
        return nearest[c]

    # Transparent pixels are black in the colour plane, so that AND then XOR leaves the screen.
    indices = [index_of(p[:3]) if o else 0 for p, o in zip(pixels, opaque)]
    colour = bytearray()
    for row in range(size - 1, -1, -1):
        colour += bytes(indices[row * size:(row + 1) * size])
    mask = mask_rows(size, lambda i: not opaque[i])
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    data = bitmap_header(size, 8, len(colour) + len(mask)) + table + bytes(colour) + mask
    decoded = [palette[i] + (255,) if o else (0, 0, 0, 0) for i, o in zip(indices, opaque)]
    return icon_file([(size, size, 0, 8, data)]), decoded


# ---------------------------------------------------------------------------------------------
# PNG, for the large icon images and the previews.


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered_rows(rgba_rows):
    """Each row with the PNG filter that leaves the smallest residues (the usual heuristic):
    smooth icon shading then compresses to a fraction of the raw pixels."""
    out = bytearray()
    previous = None
    for row in rgba_rows:
        row = bytes(row)
        up = previous or bytes(len(row))
        left = bytes(4) + row[:-4]
        upper_left = bytes(4) + up[:-4]
        candidates = [
            (0, row),
            (1, bytes((x - a) & 255 for x, a in zip(row, left))),
            (2, bytes((x - b) & 255 for x, b in zip(row, up))),
            (3, bytes((x - (a + b) // 2) & 255 for x, a, b in zip(row, left, up))),
            (4, bytes((x - paeth(a, b, c)) & 255
                      for x, a, b, c in zip(row, left, up, upper_left))),
        ]
        kind, data = min(candidates, key=lambda k: (sum(min(v, 256 - v) for v in k[1]), k[0]))
        out.append(kind)
        out += data
        previous = row
    return bytes(out)


def png(width, height, rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = filtered_rows(rgba_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6,
                                                               0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# Previews: the decoded images enlarged over a chequerboard, and at true size on light and
# dark grounds.


def preview(images):
    """images: {size: pixels}. Returns PNG bytes."""
    sizes = sorted(images, reverse=True)
    scale = {s: max(1, 128 // s) for s in sizes}
    cell = 128 + 16
    width = cell * len(sizes)
    height = cell + 2 * (max(sizes) + 16)
    canvas = [[(255, 255, 255)] * width for _ in range(height)]

    def put(x0, y0, pixels, size, factor, ground):
        for y in range(size * factor):
            for x in range(size * factor):
                r, g, b, a = pixels[(y // factor) * size + x // factor]
                back = ground(x, y)
                canvas[y0 + y][x0 + x] = tuple((c * a + k * (255 - a)) // 255
                                               for c, k in zip((r, g, b), back))

    checker = lambda x, y: (204, 204, 204) if (x // 8 + y // 8) % 2 else (255, 255, 255)
    for i, size in enumerate(sizes):
        put(i * cell + 8, 8, images[size], size, scale[size], checker)
        put(i * cell + 8, cell, images[size], size, 1, lambda x, y: (240, 240, 240))
        put(i * cell + 8, cell + max(sizes) + 16, images[size], size, 1,
            lambda x, y: (32, 40, 56))
    rows = [[v for px in row for v in px + (255,)] for row in canvas]
    return png(width, height, rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--out", default=os.path.join(root, "src", "resources"))
    parser.add_argument("--preview", help="directory for preview PNGs")
    args = parser.parse_args()

    outputs = {}
    outputs["main_window"] = true_colour_icon(pinwheel_scene)
    outputs["tamrivo"] = true_colour_icon(pig_scene)
    tray, tray_pixels = palette_icon(padlock_scene(32))
    assert len(tray) == 2238, len(tray)
    outputs["tray"] = (tray, {32: tray_pixels})

    os.makedirs(args.out, exist_ok=True)
    for name, (data, pixels) in outputs.items():
        with open(os.path.join(args.out, name + ".ico"), "wb") as f:
            f.write(data)
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            with open(os.path.join(args.preview, name + ".png"), "wb") as f:
                f.write(preview(pixels))


if __name__ == "__main__":
    main()
