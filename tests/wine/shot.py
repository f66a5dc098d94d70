#!/usr/bin/env python3
"""Reads screenshots of the Wine tests (through ImageMagick's PPM output).

  shot.py client SHOT            left top width height of the game window's client area
  shot.py differ A B L T W H     number of pixels that differ inside the rectangle
  shot.py colours SHOT L T W H   number of distinct colours inside the rectangle
  shot.py pixel SHOT X Y         the pixel as rrggbb
  shot.py where SHOT L T W H C [L T W H]...
                                 count, mean x and mean y (from the first rectangle's top-left) of the pixels
                                 of colour C (rrggbb) in the rectangles
  shot.py mask SHOT L T W H C    the rectangle as 0 and 1, 1 where the pixel has colour C
  shot.py each SHOT QUERY...     the answers to queries of one screenshot, a line each; a query is one of
                                 the commands above without SHOT, as one word ("pixel 4 4")
"""
import subprocess
import sys


class Shot:
    def __init__(self, path):
        # One program start: "P6 WIDTH HEIGHT 255" and one white space, then
        # the RGB bytes.
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
        fields, at = [], 0
        while len(fields) < 4:
            while ppm[at:at + 1].isspace():
                at += 1
            end = at
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[at:end])
            at = end
        if fields[0] != b"P6":
            raise ValueError("not a PPM picture: " + path)
        self.width, self.height = int(fields[1]), int(fields[2])
        self.raw = ppm[at + 1:]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return self.raw[i:i + 3].hex()

    def rect(self, left, top, width, height):
        return [self.at(x, y) for y in range(top, top + height) for x in range(left, left + width)]


def client(shot):
    """The window is the bounding box of what differs from the desktop's colour
    (the pixel at the top-left corner); its client area lies inside a frame of
    5 pixels, below the row where the sunken client edge (a6a6a6, 6a6a6a) ends."""
    desktop = shot.at(0, 0)
    xs, ys = [], []
    for y in range(0, shot.height, 2):
        for x in range(0, shot.width, 2):
            if shot.at(x, y) != desktop:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    left = min(xs)
    right = max(xs) + 1
    bottom = max(ys) + 1
    # Refine to single pixels.
    while left > 0 and shot.at(left - 1, ys[len(ys) // 2]) != desktop:
        left -= 1
    while right < shot.width and shot.at(right, ys[len(ys) // 2]) != desktop:
        right += 1
    middle = (left + right) // 2
    while bottom < shot.height and shot.at(middle, bottom) != desktop:
        bottom += 1
    top = min(ys)
    for y in range(top + 2, bottom):
        if shot.at(middle, y - 2) == "a6a6a6" and shot.at(middle, y - 1) == "6a6a6a":
            return left + 5, y, right - left - 10, bottom - 5 - y
    return None


def answer(words, shots):
    """One query, its words as on the command line; each picture is read once."""

    def shot(path):
        if path not in shots:
            shots[path] = Shot(path)
        return shots[path]

    command = words[0]
    if command == "client":
        found = client(shot(words[1]))
        return " ".join(str(v) for v in found) if found else "none"
    if command == "differ":
        a, b = shot(words[1]), shot(words[2])
        rect = [int(v) for v in words[3:7]]
        return str(sum(p != q for p, q in zip(a.rect(*rect), b.rect(*rect))))
    if command == "colours":
        return str(len(set(shot(words[1]).rect(*[int(v) for v in words[2:6]]))))
    if command == "pixel":
        return shot(words[1]).at(int(words[2]), int(words[3]))
    if command in ("where", "mask"):
        picture = shot(words[1])
        left, top, width, height = (int(v) for v in words[2:6])
        colour = words[6].lower()
        hits = [(x, y) for y in range(height) for x in range(width) if picture.at(left + x, top + y) == colour]
        more = [int(v) for v in words[7:]]
        for l, t, w, h in zip(*[iter(more)] * 4):
            hits += [(l - left + x, t - top + y) for y in range(h) for x in range(w) if picture.at(l + x, t + y) == colour]
        if command == "mask":
            hit = set(hits)
            return "".join("1" if (x, y) in hit else "0" for y in range(height) for x in range(width))
        if hits:
            return "%d %d %d" % (len(hits), sum(x for x, _ in hits) // len(hits), sum(y for _, y in hits) // len(hits))
        return "0 0 0"
    sys.exit("shot.py: unknown command " + command)


def main(argv):
    shots = {}
    if argv[1] == "each":
        for query in argv[3:]:
            words = query.split()
            print(answer([words[0], argv[2]] + words[1:], shots))
    else:
        print(answer(argv[1:], shots))


if __name__ == "__main__":
    main(sys.argv)
