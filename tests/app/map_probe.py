#!/usr/bin/env python3
"""Reads and edits .korv map files for the Xvfb tests, without the program's own code.

  map_probe.py hit FILE SCROLL_X SCROLL_Y CURSOR_X CURSOR_Y
      the cell a left press hits: "RECORD TERRAIN" (the last cell in row order that is drawn and
      whose scrolled anchor lies within 20 pixels of the cursor on both axes), or "none"
  map_probe.py patch IN OUT RECORD OFFSET VALUE
      OUT is IN with byte OFFSET of record RECORD set to VALUE
  map_probe.py byte FILE RECORD OFFSET
      byte OFFSET of record RECORD
"""
import struct
import sys


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == 'hit':
        data = open(args[0], 'rb').read()
        sx, sy, cx, cy = map(int, args[1:5])
        hit = None
        for k in range(121 * 121):
            ax, ay = struct.unpack_from('<ii', data, 16 * k)
            x, y = ax + sx, ay + sy
            if -65 < x < 639 and -35 < y < 461 and abs(x - cx) <= 20 and abs(y - cy) <= 20:
                hit = k
        print('none' if hit is None else f'{hit} {data[16 * hit + 9]}')
    elif command == 'patch':
        data = bytearray(open(args[0], 'rb').read())
        record, offset, value = map(int, args[2:5])
        data[16 * record + offset] = value
        open(args[1], 'wb').write(data)
    elif command == 'byte':
        data = open(args[0], 'rb').read()
        record, offset = map(int, args[1:3])
        print(data[16 * record + offset])
    else:
        sys.exit(f'unknown command {command}')


if __name__ == '__main__':
    main()
