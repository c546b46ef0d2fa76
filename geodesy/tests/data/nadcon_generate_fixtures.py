#!/usr/bin/env python3
"""Writes a small synthetic NADCON grid pair (the same one NadconTest writes: 30 columns,
20 rows, 0.25 degree spacing from 100 W 30 N, shifts linear in the column and row) and reads
nodes and in-between points back through GDAL's LOS/LAS driver, so that the record layout and
row order our reader assumes are checked against an independent reader. Output:
nadcon_gdal_values.csv (latitude, longitude, latitude shift, longitude shift, arc-seconds).

Run once from the repository root (needs gdallocationinfo, Debian package gdal-bin):
    python3 geodesy/tests/data/nadcon_generate_fixtures.py
"""
import struct
import subprocess
import tempfile
from pathlib import Path

OUT = Path(__file__).resolve().parent / "nadcon_gdal_values.csv"
NC, NR = 30, 20
XMIN, DX, YMIN, DY = -100.0, 0.25, 30.0, 0.25


def las(c, r):
    return 0.5 * c + 0.25 * r


def los(c, r):
    return 2.0 + 0.1 * c - 0.3 * r


def write(path, value):
    record = (NC + 1) * 4
    header = b"NADCON EXTRACTED REGION".ljust(56) + b"NADGRD".ljust(8)
    header += struct.pack("<3i5f", NC, NR, 1, XMIN, DX, YMIN, DY, 0.0)
    data = header.ljust(record, b"\0")
    for r in range(NR):
        data += struct.pack("<i", 0) + struct.pack(f"<{NC}f", *[value(c, r) for c in range(NC)])
    path.write_bytes(data)


def main():
    # Nodes (GDAL reads pixel values; pixel centres lie on the nodes).
    nodes = [(0, 0), (29, 0), (0, 19), (7, 11), (29, 19), (15, 3)]
    lines = ["column,row,las,los"]
    with tempfile.TemporaryDirectory() as folder:
        base = Path(folder) / "CONUS"
        write(base.with_suffix(".las"), las)
        write(base.with_suffix(".los"), los)
        for c, r in nodes:
            values = []
            for ext in (".las", ".los"):
                # Pixel row 0 is the northern row in GDAL's view of the grid.
                out = subprocess.run(["gdallocationinfo", "-valonly", str(base.with_suffix(ext)), str(c),
                                      str(NR - 1 - r)], capture_output=True, text=True, check=True)
                values.append(out.stdout.strip())
            lines.append(f"{c},{r},{values[0]},{values[1]}")
    OUT.write_text("\n".join(lines) + "\n")
    print(f"wrote {OUT}")


if __name__ == "__main__":
    main()
