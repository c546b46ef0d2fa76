#!/usr/bin/env python3
"""Regenerates the reference lines of the chart's geodesic test from GeographicLib.

Needs Debian's geographiclib-tools (GeodSolve, RhumbSolve), installed by
`SUITE_FIXTURE_TOOLS=1 scripts/setup.sh`; the tests need nothing. Run from this folder:

    python3 geodesic_generate_fixtures.py

geodesic_lines.csv     ellipsoid, lat1, lon1, lat2, lon2 (degrees, 9 decimals), the geodesic's
                       s12 (metres), azi1 and azi2 (degrees), and the rhumb line's s12 and azi12:
                       GeodSolve -p 9 [-e a f]       lat1 lon1 azi1 s12 -> lat2 lon2 (ends rounded)
                       GeodSolve -i -p 9 [-e a f]    lat1 lon1 lat2 lon2 -> azi1 azi2 s12
                       RhumbSolve -i -p 9 [-e a f]   lat1 lon1 lat2 lon2 -> azi12 s12 S12
geodesic_meridian.csv  ellipsoid, latitude (degrees), the meridian distance from the equator:
                       GeodSolve -i -p 9 [-e a f]    0 0 lat 0 -> s12
geodesic_points.csv    line, k, lat, lon: the points k * s12 / (n + 1), n = ceil(s12 / 111120), of
                       the lines of geodesic_lines.csv numbered in POINT_LINES:
                       GeodSolve -L lat1 lon1 azi1 -p 9 [-e a f]   s -> lat lon azi
"""
import math
import subprocess

ELLIPSOIDS = {
    "WGS84": [],
    "Hayford": ["-e", "6378388", "1/297"],
}

# Lines from a start, an azimuth and a length: every quadrant, 10 m to 2000 km, both
# hemispheres, westward lines (longitude difference below 0).
DIRECT_LINES = [
    (52.0, 3.0, 45.0, 10.0),
    (52.0, 3.0, 135.0, 1000.0),
    (52.0, 3.0, 225.0, 10000.0),
    (52.0, 3.0, 315.0, 100000.0),
    (-33.5, 151.2, 60.0, 250000.0),
    (-33.5, 151.2, 200.0, 500000.0),
    (61.0, -1.5, 290.0, 1000000.0),
    (20.0, -80.0, 120.0, 2000000.0),
    (-45.0, 10.0, 330.0, 2000000.0),
    (70.0, 25.0, 100.0, 50000.0),
    (0.5, 7.0, 10.0, 300000.0),
]

# Lines between given ends: along a meridian both ways, along the equator both ways, on one
# parallel, across ±180° both ways, and from the equator.
END_LINES = [
    (10.0, 5.0, 12.0, 5.0),
    (12.0, 5.0, 10.0, 5.0),
    (0.0, 10.0, 0.0, 12.0),
    (0.0, 12.0, 0.0, 10.0),
    (45.0, 0.0, 45.0, 3.0),
    (-20.0, 179.5, -19.0, -179.7),
    (-19.0, -179.7, -20.0, 179.5),
    (0.0, 3.0, 1.0, 4.0),
]

MERIDIAN_LATITUDES = [-80.0, -45.0, 0.0, 1.0, 30.0, 52.5, 60.0, 89.0]

# Lines of geodesic_lines.csv (0-based, WGS84 rows first) whose great-circle points are kept.
POINT_LINES = [4, 7, 10, 17]


def run(program, args, lines):
    out = subprocess.run([program] + args, input="\n".join(lines) + "\n", capture_output=True, text=True,
                         check=True).stdout
    return [row.split() for row in out.strip().splitlines()]


def main():
    rows = []
    meridian = []
    for name, e in ELLIPSOIDS.items():
        direct = run("GeodSolve", ["-p", "9"] + e, ["%.9f %.9f %.9f %.3f" % line for line in DIRECT_LINES])
        ends = [(lat1, lon1, round(float(r[0]), 9), round(float(r[1]), 9))
                for (lat1, lon1, _, _), r in zip(DIRECT_LINES, direct)]
        ends += END_LINES
        pairs = ["%.9f %.9f %.9f %.9f" % end for end in ends]
        geodesic = run("GeodSolve", ["-i", "-p", "9"] + e, pairs)
        rhumb = run("RhumbSolve", ["-i", "-p", "9"] + e, pairs)
        for end, g, r in zip(ends, geodesic, rhumb):
            rows.append([name] + ["%.9f" % v for v in end] + [g[2], g[0], g[1], r[1], r[0]])
        arcs = run("GeodSolve", ["-i", "-p", "9"] + e, ["0 0 %.9f 0" % lat for lat in MERIDIAN_LATITUDES])
        meridian += [[name, "%.9f" % lat, a[2]] for lat, a in zip(MERIDIAN_LATITUDES, arcs)]

    with open("geodesic_lines.csv", "w") as f:
        f.write("ellipsoid,lat1,lon1,lat2,lon2,s12,azi1,azi2,rhumb_s12,rhumb_azi12\n")
        for row in rows:
            f.write(",".join(row) + "\n")
    with open("geodesic_meridian.csv", "w") as f:
        f.write("ellipsoid,lat,m\n")
        for row in meridian:
            f.write(",".join(row) + "\n")
    with open("geodesic_points.csv", "w") as f:
        f.write("line,k,lat,lon\n")
        for index in POINT_LINES:
            row = rows[index]
            lat1, lon1, s12, azi1 = float(row[1]), float(row[2]), float(row[5]), float(row[6])
            n = math.ceil(s12 / 111120.0)
            step = s12 / (n + 1)
            points = run("GeodSolve", ["-L", row[1], row[2], row[6], "-p", "9"] + ELLIPSOIDS[row[0]],
                         ["%.6f" % (k * step) for k in range(1, n + 1)])
            for k, p in zip(range(1, n + 1), points):
                f.write("%d,%d,%s,%s\n" % (index, k, p[0], p[1]))


if __name__ == "__main__":
    main()
