#!/usr/bin/env python3
"""Checks on screenshots (binary PPM) of the editor's view, for the Xvfb tests.

  colours SHOT X Y W H               distinct colours in the rectangle
  changed A B X Y W H                pixels that differ between two shots in the rectangle
  changed-solid A B X Y W H          differing pixels, leaving out those where both shots show water (blue): the
                                     shimmer moves water, land turned sea or sea turned land still counts
  bbox SHOT X Y W H                  bounding box "x0 y0 x1 y1" of the non-black pixels, or "none"
  count-near-white SHOT X Y W H      pixels with every channel above 200
  bbox-colour SHOT R G B X Y W H     bounding box "x0 y0 x1 y1" of the pixels of exactly that colour, or "none"
  bbox-other SHOT R G B X Y W H      bounding box "x0 y0 x1 y1" of the pixels of any other colour, or "none"
  run-down SHOT X Y                  how many rows from (X, Y) down have the colour of (X, Y)
  not-black SHOT X Y W H             the share of pixels, in per cent, that are not black (sum of channels above 30)
  brightness SHOT X Y W H            the mean of all channels, 0..255
"""
import sys


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', 'binary 8-bit PPM expected'
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def pixels(path, x, y, w, h):
    width, height, body = read_ppm(path)
    for row in range(max(0, y), min(height, y + h)):
        base = row * width * 3
        for col in range(max(0, x), min(width, x + w)):
            i = base + col * 3
            yield col, row, body[i], body[i + 1], body[i + 2]


def is_water(r, g, b):
    return b > r + 30 and b > g + 10


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == 'colours':
        print(len({(r, g, b) for _, _, r, g, b in pixels(args[0], *map(int, args[1:5]))}))
    elif command in ('changed', 'changed-solid'):
        rect = list(map(int, args[2:6]))
        a = list(pixels(args[0], *rect))
        b = list(pixels(args[1], *rect))
        count = 0
        for (_, _, r1, g1, b1), (_, _, r2, g2, b2) in zip(a, b):
            if (r1, g1, b1) != (r2, g2, b2):
                if command == 'changed' or not (is_water(r1, g1, b1) and is_water(r2, g2, b2)):
                    count += 1
        print(count)
    elif command == 'bbox':
        xs, ys = [], []
        for col, row, r, g, b in pixels(args[0], *map(int, args[1:5])):
            if r + g + b > 30:
                xs.append(col)
                ys.append(row)
        print(f'{min(xs)} {min(ys)} {max(xs)} {max(ys)}' if xs else 'none')
    elif command in ('bbox-colour', 'bbox-other'):
        colour = tuple(map(int, args[1:4]))
        same = command == 'bbox-colour'
        found = [(col, row) for col, row, r, g, b in pixels(args[0], *map(int, args[4:8])) if ((r, g, b) == colour) == same]
        xs, ys = [c for c, _ in found], [r for _, r in found]
        print(f'{min(xs)} {min(ys)} {max(xs)} {max(ys)}' if found else 'none')
    elif command == 'run-down':
        x, y = map(int, args[1:3])
        column = [(r, g, b) for _, _, r, g, b in pixels(args[0], x, y, 1, 1 << 20)]
        print(next((k for k, c in enumerate(column) if c != column[0]), len(column)))
    elif command == 'count-near-white':
        print(sum(1 for _, _, r, g, b in pixels(args[0], *map(int, args[1:5])) if min(r, g, b) > 200))
    elif command == 'not-black':
        values = [r + g + b > 30 for _, _, r, g, b in pixels(args[0], *map(int, args[1:5]))]
        print(100 * sum(values) // max(1, len(values)))
    elif command == 'brightness':
        values = [r + g + b for _, _, r, g, b in pixels(args[0], *map(int, args[1:5]))]
        print(f'{sum(values) / max(1, 3 * len(values)):.1f}')
    else:
        sys.exit(f'unknown command {command}')


if __name__ == '__main__':
    main()
