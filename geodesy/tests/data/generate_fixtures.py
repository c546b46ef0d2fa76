#!/usr/bin/env python3
"""Regenerates the geodesy test fixtures from the reference programs.

Needs Debian's proj-bin (projinfo) and geographiclib-tools (TransverseMercatorProj); the
tests themselves need neither. Run from this folder:

    python3 generate_fixtures.py

epsg_ellipsoids.csv   a and 1/f of every ellipsoid code of the built-in spheroid table, as
                      EPSG's dataset in PROJ's database holds them:
                      projinfo "urn:ogc:def:ellipsoid:EPSG::<code>" -o PROJJSON -q
tm_wgs84.csv          exact transverse Mercator (GeographicLib, Lee/Karney) on WGS84 with
                      k0 = 0.9996 and the central meridian at 3 E (UTM zone 31), latitude
                      -80..84 every 2 degrees and up to 9 degrees either side of the central meridian:
                      TransverseMercatorProj -l 3 -k 0.9996 -p 9
tm_bessel.csv         the same on Bessel 1841 with k0 = 1 and the central meridian at 12 E:
                      TransverseMercatorProj -l 12 -k 1 -e 6377397.155 1/299.1528128 -p 9
"""
import json
import subprocess

CODES = [7001, 7002, 7003, 7004, 7005, 7006, 7007, 7008, 7009, 7010, 7011, 7012, 7013, 7014,
         7015, 7016, 7018, 7019, 7020, 7021, 7022, 7024, 7025, 7027, 7028, 7029, 7030, 7031,
         7032, 7033, 7034, 7035, 7036, 7041, 7042, 7043, 7044, 7045, 7046, 7047, 7048, 7049,
         7050, 7051, 7052, 7053, 7054, 7055, 7056, 7057, 7058, 7059, 1024]


def metres(value):
    if isinstance(value, dict):
        return value["value"] * value["unit"]["conversion_factor"]
    return float(value)


def ellipsoids():
    run = subprocess.run(["projinfo"], capture_output=True, text=True)
    version = next(l for l in (run.stdout + run.stderr).splitlines() if l.startswith("Rel.")).split(",")[0]
    rows = ["# code,EPSG name,a (m),1/f (0 for a sphere)",
            "# projinfo \"urn:ogc:def:ellipsoid:EPSG::<code>\" -o PROJJSON -q (PROJ " + version.strip() + ")"]
    for code in CODES:
        out = subprocess.run(["projinfo", f"urn:ogc:def:ellipsoid:EPSG::{code}", "-o", "PROJJSON", "-q"],
                             capture_output=True, text=True, check=True).stdout
        e = json.loads(out)
        if "radius" in e:
            a, rf = metres(e["radius"]), 0.0
        else:
            a = metres(e["semi_major_axis"])
            if "inverse_flattening" in e:
                rf = float(e["inverse_flattening"])
            else:
                b = metres(e["semi_minor_axis"])
                rf = a / (a - b)
        rows.append(f"{code},{e['name'].replace(',', ' ')},{a!r},{rf!r}")
    with open("epsg_ellipsoids.csv", "w") as f:
        f.write("\n".join(rows) + "\n")


def tm_grid(filename, central, args, latitudes, offsets):
    points = [(lat, central + d) for lat in latitudes for d in offsets]
    text = "".join(f"{lat} {lon}\n" for lat, lon in points)
    fwd = subprocess.run(["TransverseMercatorProj", "-l", str(central)] + args + ["-p", "9"],
                         input=text, capture_output=True, text=True, check=True).stdout.split("\n")
    rows = ["# latitude (deg),longitude (deg),x (m, from the central meridian),y (m, from the equator),"
            "convergence (deg),scale",
            "# TransverseMercatorProj -l " + str(central) + " " + " ".join(args) + " -p 9 (GeographicLib, exact)"]
    for (lat, lon), line in zip(points, fwd):
        x, y, g, k = line.split()
        rows.append(f"{lat},{lon},{x},{y},{g},{k}")
    with open(filename, "w") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    ellipsoids()
    offsets = [d / 2 for d in range(-18, 19)]  # every 0.5 degree out to 9 degrees
    tm_grid("tm_wgs84.csv", 3, ["-k", "0.9996"], list(range(-80, 85, 2)), offsets)
    tm_grid("tm_bessel.csv", 12, ["-k", "1", "-e", "6377397.155", "1/299.1528128"],
            [x for x in range(-75, 81, 5)], offsets)
