#!/usr/bin/env python3
"""Writes the long and polar lines of the chart's geodesic test from GeographicLib's GeodSolve.

Needs Debian's geographiclib-tools (GeodSolve), installed by `SUITE_FIXTURE_TOOLS=1
scripts/setup.sh`; the tests need nothing. Run from this folder:

    python3 geodesic_long_generate_fixtures.py

geodesic_long_lines.csv   kind, ellipsoid, lat1, lon1, lat2, lon2 (degrees), s12 (metres), azi1, azi2
                          (degrees): "direct" rows from a start, an azimuth and a length
                          (GeodSolve -p 9 [-e a f]: lat1 lon1 azi1 s12 -> lat2 lon2 azi2), "inverse"
                          rows between given ends (GeodSolve -i -p 9 [-e a f]: -> azi1 azi2 s12).
                          Lines near the poles (over a pole, past it, along a meridian to it),
                          1000 to 19 000 km long, nearly antipodal, and short ones along the
                          equator, where the chart's second inverse series has no bearing.
geodesic_long_points.csv  line (row of geodesic_long_lines.csv, 0-based), k, lat, lon: the points
                          k * s12 / (n + 1), n = ceil(s12 / 111120), of the lines in POINT_LINES:
                          GeodSolve -L lat1 lon1 azi1 -p 9 [-e a f]   s -> lat lon azi
"""
import math

from geodesic_generate_fixtures import ELLIPSOIDS, run

# start latitude, longitude, azimuth (degrees), length (metres)
DIRECT_LINES = [
    # near the poles: over the pole, beside it, from it, the lengths that went 157-523 km wrong
    (89.5, 20.0, 180.0, 100000.0),
    (89.9, 20.0, 170.0, 30000.0),
    (89.9, -60.0, 90.0, 50000.0),
    (-89.8, 100.0, 10.0, 240000.0),
    (-88.0, -30.0, 200.0, 560000.0),
    (88.5, 140.0, 300.0, 400000.0),
    (85.0, 0.0, 45.0, 35000.0),
    # short and mid lines where the series holds
    (52.0, 3.0, 60.0, 20000.0),
    (-33.9, 151.2, 250.0, 39000.0),
    # long lines
    (52.0, 3.0, 290.0, 1000000.0),
    (20.0, -80.0, 120.0, 2000000.0),
    (-45.0, 10.0, 330.0, 5000000.0),
    (10.0, 100.0, 60.0, 10000000.0),
    (60.0, -150.0, 10.0, 15000000.0),
    (0.5, 7.0, 91.0, 19000000.0),
]

# ends: nearly antipodal, and along the equator (the second series' own blind spot)
END_LINES = [
    (0.0, 0.0, 0.5, 179.7),
    (30.0, 0.0, -29.9, 179.8),
    (-45.0, 10.0, 45.1, -170.05),
    (0.0, 10.0, 0.0, 10.2),
    (0.0, 10.0, 0.0, 12.0),
    (70.0, 0.0, 89.99, 180.0),
]

# rows of geodesic_long_lines.csv (WGS84 first) whose points are kept
POINT_LINES = [0, 3, 11, 13]


def main():
    rows = []
    for name, e in ELLIPSOIDS.items():
        direct = run("GeodSolve", ["-p", "9"] + e, ["%.9f %.9f %.9f %.3f" % line for line in DIRECT_LINES])
        for (lat1, lon1, azi1, s12), r in zip(DIRECT_LINES, direct):
            rows.append(["direct", name, "%.9f" % lat1, "%.9f" % lon1, r[0], r[1], "%.3f" % s12, "%.9f" % azi1, r[2]])
        inverse = run("GeodSolve", ["-i", "-p", "9"] + e, ["%.9f %.9f %.9f %.9f" % end for end in END_LINES])
        for end, r in zip(END_LINES, inverse):
            rows.append(["inverse", name] + ["%.9f" % v for v in end] + [r[2], r[0], r[1]])
    with open("geodesic_long_lines.csv", "w") as f:
        f.write("kind,ellipsoid,lat1,lon1,lat2,lon2,s12,azi1,azi2\n")
        for row in rows:
            f.write(",".join(row) + "\n")
    with open("geodesic_long_points.csv", "w") as f:
        f.write("line,k,lat,lon\n")
        for index in POINT_LINES:
            row = rows[index]
            s12 = float(row[6])
            n = math.ceil(s12 / 111120.0)
            step = s12 / (n + 1)
            points = run("GeodSolve", ["-L", row[2], row[3], row[7], "-p", "9"] + ELLIPSOIDS[row[1]],
                         ["%.6f" % (k * step) for k in range(1, n + 1)])
            for k, p in zip(range(1, n + 1), points):
                f.write("%d,%d,%s,%s\n" % (index, k, p[0], p[1]))


if __name__ == "__main__":
    main()
