#!/usr/bin/python3
"""Writes the Marevo program's demo tide data into data/demo/MyData/Tides/.

    /usr/bin/python3 data/demo/make_tide_demo.py

The yearly files of 2024 to 2035 (TAF, MOON, PORTS, TP .IDX and .DAT) come from the tide data
set's fixture generator, marevo/tests/data/make_tide_fixtures.py (see its header for what it
needs), run once a year into a scratch folder; only the data files are kept. Its stations lie
in the Gulf of Maine; their positions, which the generator leaves at zero, are written into the
port records ("PORTS<yy>.DAT", which scripts/run.sh links under the reader's names) here. Beside them this script writes:

  TidalDiamond.TDD  four tidal diamonds off Frenchman Bay and Passamaquoddy Bay: a 32-byte
                    header each (number and the reference port big-endian, positions as
                    little-endian doubles in radians, the row count at byte 25), then 5-byte
                    rows (tenths of hours from high water, direction big-endian, spring and
                    neap rates in twentieths of a knot). Three refer to the standard ports
                    13320 and 10140; one to a port that the data do not hold ("not linked").
  5058.CTC          a co-tidal chart of 7 x 9 nodes at 5 minutes of arc over the same bay: a
                    36-byte header (two corners as radians, then the row and column spacings
                    in minutes of arc as 16-bit ints) and 64-byte nodes of eight doubles.
"""

import math
import os
import shutil
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TIDES = os.path.join(HERE, "MyData", "Tides")
GENERATOR = os.path.join(ROOT, "marevo", "tests", "data", "make_tide_fixtures.py")
YEARS = range(2024, 2036)


def yearly_files():
    for year in YEARS:
        with tempfile.TemporaryDirectory() as scratch:
            subprocess.run(["/usr/bin/python3", GENERATOR, str(year), scratch + "/"], check=True)
            for name in os.listdir(scratch):
                if name.endswith((".DAT", ".IDX")):
                    shutil.copy(os.path.join(scratch, name), os.path.join(TIDES, name))
            place_stations(os.path.join(TIDES, f"PORTS{year % 100:02d}.DAT"))


# The stations' positions (degrees north, degrees east), which the fixture generator leaves at
# zero: written into each year's port records (bytes 96 and 104, degrees), matched by number.
POSITIONS = {"13320": (44.3917, -68.2043), "10140": (44.9046, -66.9829), "11250": (44.6417, -67.2967)}


def place_stations(path):
    with open(path, "rb") as data:
        records = bytearray(data.read())
    for start in range(0, len(records) - 223, 224):
        number = bytes(~b & 0xFF for b in records[start:start + 8]).split(b"\0")[0].decode("latin-1").strip()
        if number in POSITIONS:
            lat, lon = POSITIONS[number]
            struct.pack_into("<dd", records, start + 96, lat, lon)
    with open(path, "wb") as data:
        data.write(records)


def diamond(number, letter, reference, lat, lon, rows):
    header = bytearray(32)
    struct.pack_into(">H", header, 0, number)
    header[2] = letter
    struct.pack_into(">H", header, 4, reference)
    struct.pack_into("<dd", header, 8, math.radians(lat), math.radians(lon))
    header[25] = len(rows)
    body = b"".join(struct.pack(">bHBB", round(h * 10), d, round(s * 20), round(n * 20)) for h, d, s, n in rows)
    return bytes(header) + body


def stream(flood, ebb, spring):
    """Thirteen hourly rows from six hours before high water to six after."""
    rows = []
    for h in range(-6, 7):
        rate = spring * math.sin(math.pi * (h + 6) / 12.0)
        direction = flood if h < 0 else ebb
        rows.append((h, direction, round(rate, 2), round(rate * 0.55, 2)))
    return rows


def write_diamonds():
    diamonds = [
        diamond(1, 1, 13320, 44.360, -68.180, stream(10, 190, 1.4)),
        diamond(2, 0, 13320, 44.300, -68.120, stream(25, 205, 1.1)),
        diamond(3, 1, 10140, 44.900, -66.960, stream(330, 150, 2.6)),
        diamond(4, 0, 12345, 44.050, -68.400, stream(45, 225, 0.9)),
    ]
    with open(os.path.join(TIDES, "TidalDiamond.TDD"), "wb") as out:
        out.write(b"".join(diamonds))


def write_chart():
    lat1, lon1 = 44.25, -68.40
    rows, columns, spacing = 7, 9, 5
    # A hundredth of a minute over the last node, so that the reader's count of nodes does not
    # hang on the last bit of a division.
    lat2 = lat1 + ((rows - 1) * spacing + 0.01) / 60.0
    lon2 = lon1 + ((columns - 1) * spacing + 0.01) / 60.0
    header = struct.pack("<dddd", math.radians(lon1), math.radians(lat1), math.radians(lon2), math.radians(lat2))
    header += struct.pack("<hh", spacing, spacing)
    nodes = b""
    for r in range(rows):
        for c in range(columns):
            # Co-tidal time differences (minutes) and co-range ratios of high and low water,
            # rising gently to the north-east of the bay.
            values = [2.0 * r + c, 3.0 * r + c, 1.00 + 0.01 * r, 1.00 + 0.008 * c,
                      -1.5 * r, -1.0 * c, 0.98 + 0.005 * r, 0.97 + 0.004 * c]
            nodes += struct.pack("<8d", *values)
    with open(os.path.join(TIDES, "5058.CTC"), "wb") as out:
        out.write(header + nodes)


def main():
    os.makedirs(TIDES, exist_ok=True)
    yearly_files()
    write_diamonds()
    write_chart()


if __name__ == "__main__":
    main()
