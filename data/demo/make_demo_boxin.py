#!/usr/bin/env python3
"""Writes the demo's Boxin observations: a vessel boxing in a seabed transponder.

The transponder stands at E 500000.00, N 6000000.00 (UTM zone 31, WGS84, the grid of the other
demo data) at 100 m depth. The vessel sails a circle of 150 m radius round it, heading along the
circle, and logs 36 slant ranges from its transducer (at the vessel's reference point) with a
small repeatable error of up to 0.3 m. Columns: vessel easting, vessel northing, gyro heading,
water depth, slant range (metres). No heading row.

    python3 data/demo/make_demo_boxin.py
"""
import math
import os

E0, N0, DEPTH, RADIUS = 500000.0, 6000000.0, 100.0, 150.0
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "MyData", "Calibration", "Boxin", "Demo Boxin.csv")

lines = []
for i in range(36):
    bearing = math.radians(i * 10.0)  # from the transponder to the vessel
    e = E0 + RADIUS * math.sin(bearing)
    n = N0 + RADIUS * math.cos(bearing)
    heading = (i * 10.0 + 90.0) % 360.0  # clockwise round the circle
    error = 0.3 * math.sin(i * 2.3)
    slant = math.hypot(RADIUS, DEPTH) + error
    lines.append("%.2f,%.2f,%.1f,%.1f,%.2f" % (e, n, heading, DEPTH, slant))
with open(OUT, "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")
