#!/usr/bin/env python3
"""Expected crossings of two anchor lines with the fixture pipeline and obstruction files, from
shapely: pipelines by LineString.intersection of each leg with the anchor line, obstructions by
project and distance of the record's point. Run from this folder:
    /usr/bin/python3 make_crossings.py
"""
import math

from shapely.geometry import LineString, Point

PIPELINE = [(900, 2200), (1300, 2300), (700, 2500), (1200, 2700)]
# name, easting, northing, height, radius (0: the file's tolerance of 25 applies)
OBSTRUCTIONS = [
    ("Wreck A", 1010.0, 2400.0, 3.5, 30.0),
    ("Exactly One Radius", 1030.0, 2500.0, 2.0, 30.0),
    ("Just Outside", 1030.001, 2600.0, 1.0, 30.0),
    ("No Radius", 990.0, 2800.0, 4.0, 0.0),
    ("Beyond The Anchor", 1000.0, 3020.0, 1.0, 30.0),
    ("Skewed Side", 1100.0, 2400.0, 2.5, 40.0),
]
FILE_TOLERANCE = 25.0
LINES = {"north": ((1000.0, 2000.0), (1000.0, 3000.0)), "skewed": ((1000.0, 2000.0), (1210.0, 2910.0))}

with open("crossings_pipeline.txt", "w", newline="\r\n") as f:
    for e, n in PIPELINE:
        f.write("%.3f,%.3f\n" % (e, n))
with open("crossings_obstructions.txt", "w", newline="\r\n") as f:
    for name, e, n, h, r in OBSTRUCTIONS:
        f.write("%s,%.3f,%.3f,%.3f,%.3f\n" % (name, e, n, h, r))

rows = []
for key, (start, end) in LINES.items():
    cable = LineString([start, end])
    for a, b in zip(PIPELINE, PIPELINE[1:]):
        hit = LineString([a, b]).intersection(cable)
        if hit.is_empty:
            continue
        rows.append((key, 1, hit.x, hit.y, cable.project(hit), 0.0))
    for name, e, n, h, r in OBSTRUCTIONS:
        p = Point(e, n)
        radius = r if r > 0 else FILE_TOLERANCE
        offset = p.distance(cable)
        if offset <= radius:
            rows.append((key, 0, e, n, cable.project(p), math.sqrt(radius * radius - offset * offset)))

with open("crossings_expected.csv", "w") as f:
    f.write("# /usr/bin/python3 make_crossings.py   (line, kind, easting, northing, distance from fairlead, reach)\n")
    for key, kind, x, y, d, reach in rows:
        f.write("%s,%d,%.12f,%.12f,%.12f,%.12f\n" % (key, kind, x, y, d, reach))
