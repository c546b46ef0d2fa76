#!/usr/bin/env python3
"""Regenerates the NTv2 reference shifts from PROJ.

Needs Debian's proj-bin (cct) and proj-data (the grids); the tests need only proj-data, and
skip the comparison when it is absent. Run from this folder:

    python3 ntv2_generate_fixtures.py

ntv2_proj_shifts.csv  for each grid, interior points on a 0.01 arc-second lattice (so that
                      cutting the input to 0.00001" changes nothing) and every tenth one on a
                      node, shifted by PROJ:
                      cct -d 12 +proj=hgridshift +grids=/usr/share/proj/<grid>
"""
import random
import struct
import subprocess

GRIDS = ["ntf_r93.gsb", "BETA2007.gsb", "nzgd2kgrid0005.gsb"]
FOLDER = "/usr/share/proj/"
POINTS = 60


def subgrid(path):
    with open(path, "rb") as f:
        data = f.read(352)
    s_lat, n_lat, e_long, w_long, lat_inc, long_inc = struct.unpack("<6d", b"".join(
        data[176 + 16 * i + 8:176 + 16 * i + 16] for i in range(4, 10)))
    return s_lat, n_lat, e_long, w_long, lat_inc, long_inc


def points(path, rng):
    s_lat, n_lat, e_long, w_long, lat_inc, long_inc = subgrid(path)
    out = []
    for i in range(POINTS):
        if i % 10 == 0:
            rows = int((n_lat - s_lat) / lat_inc)
            cols = int((w_long - e_long) / long_inc)
            lat = s_lat + rng.randrange(1, rows) * lat_inc
            west = e_long + rng.randrange(1, cols) * long_inc
        else:
            lat = rng.randrange(round((s_lat + lat_inc / 2) * 100), round((n_lat - lat_inc / 2) * 100)) / 100
            west = rng.randrange(round((e_long + long_inc / 2) * 100), round((w_long - long_inc / 2) * 100)) / 100
        out.append((lat, -west))  # arc-seconds, positive north and positive east
    return out


def main():
    run = subprocess.run(["cct", "--version"], capture_output=True, text=True)
    version = (run.stdout + run.stderr).strip().splitlines()[0]
    rows = ["# grid,latitude (arc-seconds N),longitude (arc-seconds E),"
            "shifted latitude (deg),shifted longitude (deg)",
            "# cct -d 12 +proj=hgridshift +grids=/usr/share/proj/<grid> (" + version + ")"]
    rng = random.Random(20240611)
    for grid in GRIDS:
        pts = points(FOLDER + grid, rng)
        text = "".join(f"{lon / 3600!r} {lat / 3600!r} 0 0\n" for lat, lon in pts)
        out = subprocess.run(["cct", "-d", "12", "+proj=hgridshift", "+grids=" + FOLDER + grid],
                             input=text, capture_output=True, text=True, check=True).stdout
        for (lat, lon), line in zip(pts, out.splitlines()):
            fields = line.split()
            rows.append(f"{grid},{lat:.2f},{lon:.2f},{fields[1]},{fields[0]}")
    with open("ntv2_proj_shifts.csv", "w") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
