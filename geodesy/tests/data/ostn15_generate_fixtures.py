#!/usr/bin/env python3
"""Regenerates the National Grid reference table from the exact transverse Mercator.

Needs Debian's geographiclib-tools (TransverseMercatorProj); the tests do not. Run from this
folder:

    python3 ostn15_generate_fixtures.py

ostn15_national_grid.csv  the National Grid (Airy 1830: a = 6377563.396 m, b = 6356256.909 m;
                          scale 0.9996012717 on 2 W; true origin 49 N; false origin 400000 m,
                          -100000 m) over the OSTN15 grid's extent, 49.75 N..61 N every 0.75
                          degree and 9 W..2 E every half degree, exact (Lee/Karney):
                          TransverseMercatorProj -l -2 -k 0.9996012717 -e 6377563.396 1/<a/(a-b)> -p 9
                          easting = x + 400000; northing = y - y(49 N, 2 W) - 100000
"""
import subprocess

A = 6377563.396
B = 6356256.909


def main():
    args = ["TransverseMercatorProj", "-l", "-2", "-k", "0.9996012717", "-e", str(A), f"1/{A / (A - B)!r}", "-p", "9"]
    lats = [49.75 + 0.75 * i for i in range(16)]
    lons = [-9.0 + 0.5 * i for i in range(23)]
    points = [(49.0, -2.0)] + [(lat, lon) for lat in lats for lon in lons]
    text = "".join(f"{lat} {lon}\n" for lat, lon in points)
    out = subprocess.run(args, input=text, capture_output=True, text=True, check=True).stdout.splitlines()
    y0 = float(out[0].split()[1])
    rows = ["# latitude (deg),longitude (deg),easting (m),northing (m)",
            "# " + " ".join(args[:7]) + " 1/<a/(a-b)> -p 9 (GeographicLib, exact); E = x + 400000, N = y - y(49 N) - 100000"]
    for (lat, lon), line in zip(points[1:], out[1:]):
        x, y = (float(v) for v in line.split()[:2])
        rows.append(f"{lat},{lon},{x + 400000:.6f},{y - y0 - 100000:.6f}")
    with open("ostn15_national_grid.csv", "w") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
