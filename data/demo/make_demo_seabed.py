#!/usr/bin/env python3
"""Writes the demo seabed, "MyData/DTM/Demo Seabed.xyz": easting, northing and depth (m, positive
down) on a 100 m grid round the demo barge (E 500000, N 6000000), one point a line, rows from
south to north, each from west to east, CR LF line ends.

The grid reaches 3300 m from the barge every way, past the anchor's working distance (2500 m)
and past the seabed profile the anchor program samples beyond an anchor at that distance, so an
anchor anywhere in the working area lies on the terrain.

    python3 data/demo/make_demo_seabed.py > "data/demo/MyData/DTM/Demo Seabed.xyz"
"""
import math
import sys

BARGE_E, BARGE_N = 500000, 6000000
REACH = 3300  # m each way from the barge
CELL = 100    # m


def depth(east, north):
    dx, dy = east - BARGE_E, north - BARGE_N
    # Deepening gently eastwards (down the anchor line), more gently westwards, with a long
    # swell of the seabed across the line and a slight rise to the south.
    slope = 0.012 * dx if dx > 0 else 0.004 * dx
    swell = 2.0 * math.sin(2 * math.pi * dx / 1000.0) + 3.0 * math.sin(2 * math.pi * dy / 1400.0)
    return 42.0 + slope + 0.001 * dy + swell


def main():
    out = sys.stdout
    for north in range(BARGE_N - REACH, BARGE_N + REACH + 1, CELL):
        for east in range(BARGE_E - REACH, BARGE_E + REACH + 1, CELL):
            out.write("%d %d %.2f\r\n" % (east, north, depth(east, north)))


if __name__ == "__main__":
    main()
