#!/usr/bin/python3
"""Writes the tide data set's real-data fixtures for one year.

    python3 marevo/tests/data/make_tide_fixtures.py 2024 marevo/tests/data/

Needs Debian's python3-numpy, python3-astropy, xtide-data and tcd-utils (scripts/setup.sh with
SUITE_FIXTURE_TOOLS=1). The harmonic constants, equilibrium arguments and node factors are read
from the xtide-data harmonics file, dumped to text by restore_tide_db. Writes, for year Y:

  TAF<yy>.DAT    one 64-byte record a day from 1 January, plus one extra day: for M2, S2, K1
                 and O1 the argument A and the node factor f (doubles, little-endian).
  MOON<yy>.DAT   80-byte records: new moon, first quarter, full moon and last quarter as five
                 32-bit ints each (year, month, day, hour, minute), in UT.
  PORTS<yy>.DAT  224-byte records, one per station below, with its M2, S2, K1 and O1 constants
                 in metres and degrees and no shallow-water terms. The reader's name for this
                 file is another; the tests copy the set to a temporary folder under the
                 reader's names (StageTideFixtures in marevo/tests/TideFileWriter.h).
  TP<yy>.IDX     54-byte turning-point index records (year modulo 100 without padding), one per
                 station: name length, inverted name, and the inverted number and time-zone
                 characters interleaved from byte 41.
  TP<yy>.DAT     24-byte turning-point records: each station's high and low waters of the year
                 from the same four-constituent sum as the program's curve (so they agree with
                 it), as the inverted number, a 64-bit UT time (seconds since 1970) and the
                 height in metres as a little-endian double.
  tide_oracle_<Y>.txt  high and low waters of the first station from a harmonic sum over every
                 constituent the station has in the harmonics file.

The argument A. The usual harmonic term of a constituent of speed w (degrees per hour) is
    f H cos(V0 + u + w t - g),
t in hours after 00:00 UT on 1 January, V0 + u its equilibrium argument then (the harmonics
file gives it per year, with f for the middle of the year), g the phase lag on UT (the stations
below are referred to the Greenwich meridian). At 00:00 UT of day n (0-based) the argument is
V0 + u + 24 w n, and the file stores A = -(V0 + u + 24 w n) mod 360. The prediction takes
    theta = g + A - d h / 24,   d = A - A' (raised by 360 until past 600, or 300 for K1 and O1),
A' being the next day's A and h the hour of the day. Then d = 24 w (mod 360, and the raising
gives 24 w itself for these four constituents), so
    theta = g - (V0 + u + 24 w n) - w h = -(V0 + u + w t - g),
whose cosine is the usual term's. The moon's phases are the instants where the moon's apparent
ecliptic longitude less the sun's is 0, 90, 180 and 270 degrees (astropy's built-in ephemeris).
"""

import os
import struct
import subprocess
import sys
import tempfile

import numpy as np

COMMAND = "python3 marevo/tests/data/make_tide_fixtures.py {year} marevo/tests/data/"
HARMONICS = "/usr/share/xtide/harmonics-dwf-20191229-free.tcd"
FOUR = ["M2", "S2", "K1", "O1"]
FEET = 0.3048
# (name in the harmonics file, port number, text, time zone as hhmm). The first is the
# semidiurnal station with small shallow-water terms of the comparison.
STATIONS = [
    ("Bar Harbor, Frenchman Bay, Maine", "13320", "USA", -500),
    ("Eastport, Passamaquoddy Bay, Maine", "10140", "USA", -500),
    ("Cutler Naval Base, Machias Bay, Maine", "11250", "USA", -500),
]


def read_harmonics():
    """Constituent speeds, yearly equilibrium arguments and node factors, and the stations."""
    with tempfile.TemporaryDirectory() as folder:
        base = os.path.join(folder, "harmonics")
        subprocess.run(["restore_tide_db", HARMONICS, base], check=True, stdout=subprocess.DEVNULL)
        with open(base + ".txt", encoding="latin-1") as text:
            lines = [line.rstrip("\n") for line in text]
    data = iter([line for line in lines if line.strip() and not line.startswith("#")])
    count = int(next(data))
    speeds = {}
    order = []
    for _ in range(count):
        name, speed = next(data).split()
        speeds[name] = float(speed)
        order.append(name)
    first_year = int(next(data))

    def table():
        years = int(next(data))
        values = {}
        for name in order:
            assert next(data).split()[0] == name
            row = []
            while len(row) < years:
                row += [float(v) for v in next(data).split()]
            values[name] = row
        assert next(data).strip() == "*END*"
        return values

    arguments = table()
    factors = table()
    stations = {}
    for line in data:
        name = line
        meridian = next(data).split()[0]
        datum, units = next(data).split()[:2]
        constants = {}
        for constituent in order:
            fields = next(data).split()
            if fields[0] != "x":
                constants[constituent] = (float(fields[1]), float(fields[2]))
        stations[name] = (meridian, float(datum), units, constants)
    return speeds, first_year, arguments, factors, stations


def metres(value, units):
    return value * FEET if units == "feet" else value


def inverted(text, length):
    raw = text.encode("cp1252")[:length]
    return bytes((~b) & 0xFF for b in raw) + b"\xff" * (length - len(raw))


def write_factors(path, year, speeds, first_year, arguments, factors):
    days = 366 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 365
    index = year - first_year
    with open(path, "wb") as out:
        for n in range(days + 1):  # one extra day: the last day's prediction needs it
            record = b""
            for name in FOUR:
                argument = arguments[name][index] + 24.0 * speeds[name] * n
                record += struct.pack("<dd", (-argument) % 360.0, factors[name][index])
            out.write(record)


def moon_phases(year):
    """UT instants (numpy datetime64[s]) of new, first quarter, full and last quarter moons
    from a little before 1 January to a little after 31 December, in order."""
    from astropy import units as u
    from astropy.coordinates import GeocentricTrueEcliptic, get_body, solar_system_ephemeris
    from astropy.time import Time
    from astropy.utils import iers

    iers.conf.auto_download = False
    solar_system_ephemeris.set("builtin")

    def elongation(times):
        t = Time(times, format="jd", scale="utc")
        frame = GeocentricTrueEcliptic(equinox=t)
        moon = get_body("moon", t).transform_to(frame).lon.deg
        sun = get_body("sun", t).transform_to(frame).lon.deg
        return (moon - sun) % 360.0

    start = Time(f"{year}-01-01T00:00:00", scale="utc").jd - 35.0
    grid = start + np.arange(0.0, 365.0 + 70.0, 0.25)
    values = elongation(grid)
    phases = []
    for quarter in range(4):
        target = 90.0 * quarter
        shifted = (values - target + 180.0) % 360.0 - 180.0
        for i in np.nonzero((shifted[:-1] < 0) & (shifted[1:] >= 0))[0]:
            low, high = grid[i], grid[i + 1]
            for _ in range(40):  # bisection to well under a second
                middle = 0.5 * (low + high)
                if (elongation(np.array([middle]))[0] - target + 180.0) % 360.0 - 180.0 < 0:
                    low = middle
                else:
                    high = middle
            phases.append((0.5 * (low + high), quarter))
    phases.sort()
    return [(Time(jd, format="jd", scale="utc").datetime64.astype("datetime64[s]"), quarter) for jd, quarter in phases]


def write_moon(path, year):
    phases = moon_phases(year)
    # Records start at a new moon; the first holds the last new moon before the year.
    first = max(i for i, (when, quarter) in enumerate(phases)
                if quarter == 0 and when < np.datetime64(f"{year}-01-01"))
    with open(path, "wb") as out:
        i = first
        while i + 3 < len(phases) and phases[i][0] < np.datetime64(f"{year + 1}-01-01"):
            record = b""
            for when, quarter in phases[i:i + 4]:
                # Round to the minute, as the file keeps it.
                when = (when + np.timedelta64(30, "s")).astype("datetime64[m]")
                text = str(when)  # YYYY-MM-DDTHH:MM
                record += struct.pack("<5i", int(text[0:4]), int(text[5:7]), int(text[8:10]),
                                      int(text[11:13]), int(text[14:16]))
            assert [q for _, q in phases[i:i + 4]] == [0, 1, 2, 3]
            out.write(record)
            i += 4


def write_ports(path, stations):
    with open(path, "wb") as out:
        for name, number, text, zone in STATIONS:
            meridian, datum, units, constants = stations[name]
            assert meridian in ("+00:00", "00:00"), "the phases must be on UT"
            record = bytearray(224)
            record[0:8] = inverted(number, 8)
            record[9:49] = inverted(name.split(",")[0], 40)
            record[50:90] = inverted(text, 40)
            record[96:112] = struct.pack("<dd", 0.0, 0.0)
            values = [metres(datum, units)]
            for constituent in FOUR:
                amplitude, phase = constants[constituent]
                values += [phase, metres(amplitude, units)]
            values += [0.0, 0.0, 0.0, 0.0]
            record[112:216] = struct.pack("<13d", *values)
            record[216:220] = struct.pack("<i", zone)
            out.write(bytes(record))


def write_oracle(path, year, speeds, first_year, arguments, factors, stations, command):
    name = STATIONS[0][0]
    meridian, datum, units, constants = stations[name]
    index = year - first_year
    days = 366 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 365
    hours = np.arange(days * 1440 + 1) / 60.0
    height = np.full(hours.shape, metres(datum, units))
    for constituent, (amplitude, phase) in constants.items():
        argument = arguments[constituent][index] + speeds[constituent] * hours - phase
        height += factors[constituent][index] * metres(amplitude, units) * np.cos(np.radians(argument))
    with open(path, "w") as out:
        out.write(f"# {command}\n")
        out.write(f"# High (H) and low (L) waters of {name}, {year}, from a harmonic sum over its\n")
        out.write(f"# {len(constants)} constituents (numpy): minutes after 00:00 UT on 1 January, metres.\n")
        for kind, minute, peak in turning_points(height):
            out.write(f"{kind} {minute:.3f} {peak:.4f}\n")


def turning_points(height):
    """High ("H") and low ("L") waters of heights at one-minute steps: (kind, minute, height)."""
    points = []
    for i in range(1, len(height) - 1):
        before, here, after = height[i - 1], height[i], height[i + 1]
        if (here > before and here >= after) or (here < before and here <= after):
            # The vertex of the parabola through the three minutes.
            curvature = before - 2.0 * here + after
            shift = 0.5 * (before - after) / curvature if curvature != 0 else 0.0
            peak = here - 0.25 * (before - after) * shift
            points.append(("H" if here > before else "L", i + shift, peak))
    return points


def write_turning_points(index_path, data_path, year, speeds, first_year, arguments, factors, stations):
    index = year - first_year
    days = 366 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 365
    hours = np.arange(days * 1440 + 1) / 60.0
    start = int(np.datetime64(f"{year}-01-01T00:00:00", "s").astype(np.int64))
    with open(index_path, "wb") as idx, open(data_path, "wb") as dat:
        for name, number, text, zone in STATIONS:
            meridian, datum, units, constants = stations[name]
            title = name.split(",")[0].encode("cp1252")[:40]
            zone_text = f"{'+' if zone >= 0 else '-'}{abs(zone):04d}".encode("ascii")
            record = bytearray(54)
            record[0] = len(title)
            record[1:41] = inverted(title.decode("cp1252"), 40)
            for i in range(5):
                record[41 + 2 * i] = inverted(number, 5)[i]
                record[42 + 2 * i] = (~zone_text[i]) & 0xFF
            idx.write(bytes(record))
            # The program's curve: the datum and the four constituents of the ports file.
            height = np.full(hours.shape, metres(datum, units))
            for constituent in FOUR:
                amplitude, phase = constants[constituent]
                argument = arguments[constituent][index] + speeds[constituent] * hours - phase
                height += factors[constituent][index] * metres(amplitude, units) * np.cos(np.radians(argument))
            for kind, minute, peak in turning_points(height):
                dat.write(inverted(number, 5) + b"\0\0\0" + struct.pack("<qd", start + round(minute * 60.0), peak))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    year = int(sys.argv[1])
    folder = sys.argv[2]
    command = COMMAND.format(year=year)
    speeds, first_year, arguments, factors, stations = read_harmonics()
    yy = year % 100
    write_factors(os.path.join(folder, f"TAF{yy:02d}.DAT"), year, speeds, first_year, arguments, factors)
    write_moon(os.path.join(folder, f"MOON{yy:02d}.DAT"), year)
    write_ports(os.path.join(folder, f"PORTS{yy:02d}.DAT"), stations)
    write_turning_points(os.path.join(folder, f"TP{yy}.IDX"), os.path.join(folder, f"TP{yy:02d}.DAT"), year, speeds,
                         first_year, arguments, factors, stations)
    write_oracle(os.path.join(folder, f"tide_oracle_{year}.txt"), year, speeds, first_year, arguments, factors,
                 stations, command)
    # The binary files cannot hold their command; it stands in this notice beside them.
    with open(os.path.join(folder, f"tide_fixtures_{year}.txt"), "w") as out:
        out.write(f"TAF{yy:02d}.DAT, MOON{yy:02d}.DAT, PORTS{yy:02d}.DAT, TP{yy}.IDX, TP{yy:02d}.DAT and\n")
        out.write(f"tide_oracle_{year}.txt were made by\n")
        out.write(f"    {command}\n")
        out.write("from " + HARMONICS + " (xtide-data) and astropy's built-in ephemeris.\n")


if __name__ == "__main__":
    main()
