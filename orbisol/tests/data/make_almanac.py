#!/usr/bin/env python3
"""Writes the yearly sun almanacs "sarsunYY.dat" from an independent ephemeris (astropy).

Needs Debian's python3-astropy (5.2) and python3-numpy, installed by
`SUITE_FIXTURE_TOOLS=1 scripts/setup.sh`; the tests and the program need nothing. Run from the
top of the source tree:

    python3 orbisol/tests/data/make_almanac.py 2024 2035 orbisol/tests/data/

and copy the files to data/demo/MyData/Star Almanac/ for the demo drive.

For each month the script samples, every hour from 00:00 UT of its first day to 00:00 UT of
the next month's first day (both included):

  declination  apparent declination of the sun, true equator and equinox of date (degrees)
  E            GHA - UT (hours), GHA = Greenwich apparent sidereal time - apparent right
               ascension, so that GHA = E + UT
  R            Greenwich apparent sidereal time - UT (hours), unwrapped within the month
  S.D.         the sun's semi-diameter, 959.63 arc seconds at 1 au (degrees)

against x = (UT / 86400 + day of month) / 32, and fits polynomials in x by least squares,
reweighted towards the smallest largest residual (see fit): quartics for declination and E,
straight lines for R and S.D. A file holds a title line "Sun for YYYY"
with the command and the year's largest fitting residuals in its tail, then twelve lines
"month,R a0,R a1,dec a0..a4,E a0..a4,S.D. a0,S.D. a1" with CR LF line ends.

Automatic IERS downloads are off: UT1 - UTC is taken as 0, an error below 1 s of time, that
is below 0.004 degrees of hour angle and far below what the tests ask of the azimuth.
"""
import calendar
import os
import sys
import warnings

import numpy as np
from astropy import units as u
from astropy.coordinates import TETE, get_sun
from astropy.time import Time
from astropy.utils import iers

iers.conf.auto_download = False
iers.conf.auto_max_age = None

COMMAND = "python3 orbisol/tests/data/make_almanac.py"
SD_AT_ONE_AU = 959.63 / 3600.0  # degrees
LAWSON_STEPS = 30


def month_samples(year, month):
    """Times (UTC) and x of the month's hourly samples."""
    days = calendar.monthrange(year, month)[1]
    hours = np.arange(days * 24 + 1)
    start = Time(f"{year:04d}-{month:02d}-01T00:00:00", scale="utc")
    times = start + hours * u.hour
    x = (hours / 24.0 + 1.0) / 32.0
    return times, x


def sun_quantities(times):
    """Declination (deg), E (h), R (h) and S.D. (deg) at the times."""
    times.delta_ut1_utc = np.zeros(times.shape)
    sun = get_sun(times).transform_to(TETE(obstime=times))
    gast = times.sidereal_time("apparent", "greenwich").hour
    ut = (times.mjd - np.floor(times.mjd[0])) * 24.0
    ra = sun.ra.hour
    dec = sun.dec.deg
    e = np.mod(gast - ra - ut, 24.0)
    r = np.unwrap(np.mod(gast - ut, 24.0), period=24.0)
    sd = SD_AT_ONE_AU / sun.distance.to(u.au).value
    return dec, e, r, sd


def fit(x, y, degree):
    """Coefficients a0..a_degree and the largest residual.

    A weighted least-squares fit whose weights are refined by Lawson's iteration (each weight
    times its last residual), so that the largest residual rather than the sum of squares is
    made small: a plain fit leaves up to 0.2 s of E at the ends of a month, where the Moon's
    pull on the Earth (6 arc seconds in the sun's longitude over a lunar month) is least
    absorbed by a quartic; reweighted, the worst month stays under 0.1 s.
    """
    polynomial = np.polynomial.polynomial
    weights = np.full(x.shape, 1.0 / len(x))
    for _ in range(LAWSON_STEPS):
        coeffs = polynomial.polyfit(x, y, degree, w=np.sqrt(weights))
        weights = np.maximum(weights * np.abs(polynomial.polyval(x, coeffs) - y), 1e-15)
        weights /= weights.sum()
    coeffs = polynomial.polyfit(x, y, degree, w=np.sqrt(weights))
    residual = np.max(np.abs(polynomial.polyval(x, coeffs) - y))
    return list(coeffs), residual


def year_lines(year):
    lines = []
    worst = {"dec": 0.0, "e": 0.0, "r": 0.0, "sd": 0.0}
    for month in range(1, 13):
        times, x = month_samples(year, month)
        dec, e, r, sd = sun_quantities(times)
        r_c, r_res = fit(x, r, 1)
        dec_c, dec_res = fit(x, dec, 4)
        e_c, e_res = fit(x, e, 4)
        sd_c, sd_res = fit(x, sd, 1)
        worst["dec"] = max(worst["dec"], dec_res * 3600.0)
        worst["e"] = max(worst["e"], e_res * 3600.0)
        worst["r"] = max(worst["r"], r_res * 3600.0)
        worst["sd"] = max(worst["sd"], sd_res * 3600.0)
        values = r_c + dec_c + e_c + sd_c
        lines.append(f"{month}," + ",".join(f"{v:.10f}" for v in values))
    return lines, worst


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_almanac.py FIRST_YEAR LAST_YEAR OUTPUT_FOLDER")
    first, last, folder = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    command = f"{COMMAND} {first} {last} {sys.argv[3]}"
    warnings.simplefilter("ignore")  # leap-second table age and the like; UT1 - UTC is set
    for year in range(first, last + 1):
        lines, worst = year_lines(year)
        title = (f"Sun for {year} - apparent, true equator and equinox of date, from astropy; "
                 f"made by: {command}; largest residuals: declination {worst['dec']:.4f} arcsec, "
                 f"E {worst['e']:.4f} s, R {worst['r']:.4f} s, S.D. {worst['sd']:.4f} arcsec")
        assert len(title) <= 1023
        path = os.path.join(folder, f"sarsun{year % 100:02d}.dat")
        with open(path, "w", newline="\r\n", encoding="ascii") as out:
            out.write(title + "\n")
            for line in lines:
                out.write(line + "\n")
        print(path, title)


if __name__ == "__main__":
    main()
