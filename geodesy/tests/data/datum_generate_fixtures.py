#!/usr/bin/env python3
"""Writes datum_helmert_proj.csv: every built-in Helmert set of geodesy/Datum.cpp run through
PROJ (cct) as cart -> helmert -> inverse cart, so that DatumTest checks our own arithmetic,
rotation convention and spheroids against an independent implementation.

Run once from the repository root (needs PROJ's `cct`, Debian package proj-bin):
    python3 geodesy/tests/data/datum_generate_fixtures.py
The parameter rows are read from geodesy/Datum.cpp and the ellipsoids from
geodesy/Spheroid.cpp, so a set is tested with exactly the values the code holds.
"""
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[3]
OUT = Path(__file__).resolve().parent / "datum_helmert_proj.csv"

# Positions (latitude, longitude degrees, ellipsoidal height metres) on the "From" side.
POINTS = [(52.0, 3.0, 50.0), (25.5, 51.2, 0.0), (-6.25, 12.1, 120.0), (60.4, -10.7, -30.0)]


def spheroid_rows():
    """(a, 1/f) of every row of the built-in ellipsoid table, in row order."""
    text = (ROOT / "geodesy/Spheroid.cpp").read_text(encoding="latin-1")
    table = re.findall(r'\{(\d+), "[^"]*", "[^"]*", ([-0-9.e]+), ([-0-9.e]+),\s*([-0-9.e]+)\}', text)
    return [(float(a), float(rf)) for _, a, _, rf in table]


def helmert_sets():
    text = (ROOT / "geodesy/Datum.cpp").read_text(encoding="latin-1")
    body = text.split("kHelmertSets[CDatum::HELMERT_SETS] = {", 1)[1].split("};", 1)[0]
    sets = re.findall(r'\{"[^"]*", "[^"]*", "[^"]*", (\d+), (\d+),\s*\{([^}]*)\}\}', body)
    out = []
    for from_row, to_row, params in sets:
        values = [v.strip() for v in params.split(",")]
        out.append((int(from_row), int(to_row), [float(v) for v in values[:7]], int(values[7])))
    return out


def main():
    ellipsoids = spheroid_rows()
    sets = helmert_sets()
    if len(sets) != 55:
        sys.exit(f"expected 55 sets, read {len(sets)}")
    lines = ["index,rotation_sign,convention,lat,lon,h,out_lat,out_lon,out_h"]
    for index, (from_row, to_row, p, sign) in enumerate(sets):
        a1, rf1 = ellipsoids[from_row]
        a2, rf2 = ellipsoids[to_row]
        # The position-vector matrix with the rotations as stored; rotation sign 1 turns
        # them over, which is the coordinate-frame convention of the same numbers.
        convention = "coordinate_frame" if sign == 1 else "position_vector"
        pipeline = (f"+proj=pipeline +step +proj=cart +a={a1!r} +rf={rf1!r} "
                    f"+step +proj=helmert +x={p[0]!r} +y={p[1]!r} +z={p[2]!r} +rx={p[3]!r} +ry={p[4]!r} "
                    f"+rz={p[5]!r} +s={p[6]!r} +convention={convention} "
                    f"+step +inv +proj=cart +a={a2!r} +rf={rf2!r}")
        given = "".join(f"{lon} {lat} {h}\n" for lat, lon, h in POINTS)
        result = subprocess.run(["cct", "-d", "12"] + pipeline.split(), input=given, capture_output=True,
                                text=True, check=True)
        for (lat, lon, h), row in zip(POINTS, result.stdout.strip().splitlines()):
            out_lon, out_lat, out_h = row.split()[:3]
            lines.append(f"{index},{sign},{convention},{lat},{lon},{h},{out_lat},{out_lon},{out_h}")
    OUT.write_text("\n".join(lines) + "\n")
    print(f"wrote {OUT} ({len(lines) - 1} rows)")


if __name__ == "__main__":
    main()
