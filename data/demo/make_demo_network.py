#!/usr/bin/env python3
"""Writes the demo network of the Acoustic program: five seabed stations round the demo barge
(E 500000, N 6000000), one of each type and a second fixed one, with slant ranges between the
stations the adjustment uses and two grid bearings, in the network file format.

    python3 data/demo/make_demo_network.py   # writes MyData/Calibration/Network Adjustment/Demo Network.NET
"""
import math
import os

# (status, name, easting, northing, depth, weight): 0 unused, 1 float, 2 fixed, 3 boxed.
STATIONS = [
    (2, "TP1", 500000.000, 6000000.000, 100.000, 1.000),
    (2, "TP2", 500600.000, 6000050.000, 102.500, 1.000),
    (1, "TP3", 500320.000, 6000480.000, 98.000, 1.000),
    (3, "TP4", 499850.000, 6000420.000, 101.000, 0.500),
    (0, "TP5", 500250.000, 5999600.000, 99.000, 1.000),
]
# The true position of the float station lies a little off its given one, so the adjustment
# has something to do; the ranges are measured to the true positions.
TRUE = {2: (500321.400, 6000478.900), 3: (499850.600, 6000419.300)}
RANGE_SE = 0.100
BEARING_SE = 30.0  # arc seconds


def position(i):
    s = STATIONS[i]
    e, n = TRUE.get(i, (s[2], s[3]))
    return e, n, s[4]


def used(i, j):
    a, b = STATIONS[i][0], STATIONS[j][0]
    return a != 0 and b != 0 and not (a == 2 and b == 2)


def main():
    lines = ["Two Way Travel Time = 0", "Speed Of Sound In Water = 1485.000", "[StationT]"]
    for status, name, e, n, depth, weight in STATIONS:
        lines.append(f"{status}, {name}, {e:.3f}, {n:.3f}, {depth:.3f}, {weight:.3f}")
    lines.append("[Range]")
    bearings = []
    for i in range(len(STATIONS)):
        for j in range(len(STATIONS)):
            if i == j or not used(i, j):
                continue
            (e1, n1, z1), (e2, n2, z2) = position(i), position(j)
            slant = math.sqrt((e2 - e1) ** 2 + (n2 - n1) ** 2 + (z2 - z1) ** 2)
            lines.append(f"{i}, {j}, {slant:.3f}, {RANGE_SE:.3f}")
            if (i, j) in ((0, 2), (1, 3)):
                bearing = math.degrees(math.atan2(e2 - e1, n2 - n1)) % 360.0
                bearings.append(f"{i}, {j}, {bearing:.3f}, {BEARING_SE:.3f}")
    lines.append("[Bearing]")
    lines.extend(bearings)
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "MyData", "Calibration", "Network Adjustment", "Demo Network.NET")
    with open(path, "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
