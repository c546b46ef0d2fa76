#!/usr/bin/env python3
"""Writes dig_tiny.dxf, a tiny drawing, and dig_tiny.points, the 18-byte point records that its
digitised data (the DIG cache after its 16-byte stamp) must hold, worked out here on their own:
little-endian float64 easting, float64 northing, int16 colour code (DXF colour number + 1,
negative on the first point of a line).

The drawing (R12, written by Debian's python3-ezdxf) has header extents (990, 1990) to
(1100, 2100), a layer "Survey" of colour 3 and a block "B" holding one line. Its entities, with
what each gives:
  LINE on "Survey" by layer           -> 2 points, code 4
  LINE with one end outside extents   -> nothing
  closed POLYLINE, colour 1, one of
  its four vertices outside extents   -> the 3 inside vertices and the first again, code 2
  SOLID, colour 5                     -> 4 corners and the first again, code 6
  CIRCLE r = 1, colour 2              -> chords of sagitta <= 0.1: 7 steps, code 3
  ARC r = 2 from 0 to 90 degrees,
  colour 300 (no such colour)         -> walked from bearing 0 to 90: 3 steps, code 8 (white)
  TEXT and INSERT                     -> nothing
Block entities come first, in the block's own coordinates.

Run from this folder:  /usr/bin/python3 dig_generate_golden.py
"""
import math
import re
import struct

import ezdxf

RADIANS_PER_DEGREE = 0.017453292519943
SAGITTA = 0.1


def build():
    doc = ezdxf.new("R12")
    doc.layers.add("Survey", color=3)
    block = doc.blocks.new("B", base_point=(0.0, 0.0))
    block.add_line((1001.0, 2001.0), (1002.0, 2002.5), dxfattribs={"color": 4})
    msp = doc.modelspace()
    msp.add_line((1000.0, 2000.0), (1010.0, 2005.0), dxfattribs={"layer": "Survey"})
    msp.add_line((1000.0, 2000.0), (1200.0, 2005.0), dxfattribs={"layer": "Survey"})
    msp.add_polyline2d([(1020.0, 2020.0), (1030.0, 2020.0), (1500.0, 2025.0), (1030.0, 2030.0)], close=True,
                       dxfattribs={"color": 1})
    msp.add_solid([(1040.0, 2040.0), (1045.0, 2040.0), (1040.0, 2045.0), (1045.0, 2045.0)],
                  dxfattribs={"color": 5})
    msp.add_circle((1005.0, 2005.0), 1.0, dxfattribs={"color": 2})
    msp.add_arc((1060.0, 2060.0), 2.0, 0.0, 90.0)
    msp.add_text("Tiny", dxfattribs={"insert": (1001.0, 2001.0)})
    msp.add_blockref("B", (1050.0, 2050.0))
    msp.dxf.extmin = (990.0, 1990.0, 0.0)
    msp.dxf.extmax = (1100.0, 2100.0, 0.0)
    return doc


def arc_points(code, direction, e, n, r, start, end):
    first, last = (start, end) if direction == 1 else (end, start)
    if direction != 1 and first > last:
        last += 2.0 * math.pi
    points = [(e + r * math.sin(first), n + r * math.cos(first), -code)]
    c = (r - SAGITTA) / r
    largest = 2.0 * math.acos(c)
    sweep = last - first
    steps = max(1.0, math.ceil(sweep / largest))
    step = sweep / steps
    for k in range(1, int(steps)):
        points.append((e + r * math.sin(first + k * step), n + r * math.cos(first + k * step), code))
    points.append((e + r * math.sin(last), n + r * math.cos(last), code))
    return points


def expected_points():
    pts = []
    pts += [(1001.0, 2001.0, -5), (1002.0, 2002.5, 5)]            # block B's line, colour 4
    pts += [(1000.0, 2000.0, -4), (1010.0, 2005.0, 4)]            # by layer "Survey" (3)
    pts += [(1020.0, 2020.0, -2), (1030.0, 2020.0, 2), (1030.0, 2030.0, 2), (1020.0, 2020.0, 2)]
    pts += [(1040.0, 2040.0, -6), (1045.0, 2040.0, 6), (1040.0, 2045.0, 6), (1045.0, 2045.0, 6),
            (1040.0, 2040.0, 6)]
    pts += arc_points(3, 1, 1005.0, 2005.0, 1.0, 0.0, 2.0 * math.pi)
    # ARC 0..90 degrees: bearings 90 (start) and 0 (end), walked from the end bearing.
    pts += arc_points(8, -1, 1060.0, 2060.0, 2.0, 90.0 * RADIANS_PER_DEGREE, 0.0 * RADIANS_PER_DEGREE)
    return pts


def give_arc_colour_300(path):
    """ezdxf refuses colour numbers above 256, so the arc gets its colour 300 in the text."""
    with open(path, newline="") as f:
        text = f.read()
    text = re.sub(r"\nARC\n(  5\n[^\n]*\n  8\n[^\n]*\n)", "\nARC\n\\1 62\n300\n", text, count=1)
    with open(path, "w", newline="") as f:
        f.write(text)


def main():
    build().saveas("dig_tiny.dxf")
    give_arc_colour_300("dig_tiny.dxf")
    with open("dig_tiny.points", "wb") as f:
        for x, y, code in expected_points():
            f.write(struct.pack("<ddh", x, y, code))


if __name__ == "__main__":
    main()
