#!/usr/bin/env python3
"""Regenerates the geodesic reference lines of the ellipsoid test from GeographicLib.

Needs Debian's geographiclib-tools (GeodSolve); the tests need nothing. Run from this folder:

    python3 geod_generate_fixtures.py

geod_wgs84_lines.csv  lat1, lon1, lat2, lon2 (degrees, 12 decimals) and the exact geodesic
                      length s12 (metres) on WGS84, for lines of 1, 10, 100, 300, 600 and
                      1000 km from start latitudes -70..70 in eight azimuths. The end point
                      comes from the direct problem, rounded to 12 decimals, and the length
                      from the inverse problem on the rounded ends:
                      GeodSolve -p 9            (lat1 lon1 azi1 s12 -> lat2 lon2 azi2)
                      GeodSolve -i -p 9         (lat1 lon1 lat2 lon2 -> azi1 azi2 s12)
geod_wgs84_long_lines.csv  the same for lines of 1500 to 19900 km (LONG_LENGTHS_KM)
"""
import subprocess

LATITUDES = [-70.0, -45.0, -20.0, 0.0, 0.5, 15.0, 35.0, 52.0, 61.0, 70.0]
AZIMUTHS = [0.0, 30.0, 75.0, 90.0, 135.0, 180.0, 225.0, 300.0]
LENGTHS_KM = [1, 10, 100, 300, 600, 1000]
LONG_LENGTHS_KM = [1500, 2500, 4000, 6000, 8000, 10000, 12000, 15000, 18000, 19900]
LONGITUDE = 3.25


def solve(args, lines):
    out = subprocess.run(["GeodSolve"] + args, input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True).stdout
    return [row.split() for row in out.strip().splitlines()]


def write(name, lengths):
    starts = [(lat, az, km) for lat in LATITUDES for az in AZIMUTHS for km in lengths]
    direct = solve(["-p", "9"], ["%.12f %.12f %.12f %.3f" % (lat, LONGITUDE, az, km * 1000.0)
                                 for lat, az, km in starts])
    ends = [(float(row[0]), float(row[1])) for row in direct]
    pairs = ["%.12f %.12f %.12f %.12f" % (lat, LONGITUDE, lat2, lon2)
             for (lat, _, _), (lat2, lon2) in zip(starts, ends)]
    inverse = solve(["-i", "-p", "9"], pairs)
    with open(name, "w") as f:
        f.write("lat1,lon1,lat2,lon2,s12\n")
        for pair, row in zip(pairs, inverse):
            f.write(",".join(pair.split()) + "," + row[2] + "\n")


def main():
    write("geod_wgs84_lines.csv", LENGTHS_KM)
    write("geod_wgs84_long_lines.csv", LONG_LENGTHS_KM)


if __name__ == "__main__":
    main()
