#!/usr/bin/python3
"""Noisy seabed networks and their least-squares solution, solved independently of the
suite with SciPy, for the network adjustment tests.

For each case this writes <name>.NET (a network file as the suite reads it),
<name>.expected.csv (index, easting, northing of every station in use after the
adjustment, to 1e-6 m) and <name>.variance.txt (rows, unknowns and the variance factor, the
reduced chi-square of the solution, or "none" when rows do not exceed unknowns). The solution
is computed from the values exactly as written to the file (3 decimals), so the test compares
like with like.

Model: unknowns are the plan positions of the free stations (status 1 and 3); depths are
known. Slant ranges between stations, grid bearings (horizontal angles clockwise from
north), and for status 3 the given position as an observation; weights 1 / s^2, bearing
standard errors in arc seconds. Pairs count only when both stations are in use and not
both fixed.

Run once from anywhere with Debian's python3-scipy and python3-numpy:
    /usr/bin/python3 acoustic/engine/tests/data/make_network_fixtures.py
The output is deterministic (fixed seeds).
"""

import math
import os

import numpy as np
from scipy.optimize import least_squares

HERE = os.path.dirname(os.path.abspath(__file__))
COMMAND = "/usr/bin/python3 acoustic/engine/tests/data/make_network_fixtures.py"


def fmt(value):
    return "%.3f" % value


def wrap(angle):
    """Angle in radians into (-pi, pi]."""
    return math.atan2(math.sin(angle), math.cos(angle))


def make_case(name, seed, count, status, depth_range, perturb, range_sigma, bearing_sigma,
              use_bearings, drop_fraction, position_se):
    rng = np.random.default_rng(seed)
    side = 300.0 * math.sqrt(count)
    truth = []
    for _ in range(count):
        truth.append((412000.0 + rng.uniform(0, side), 6830000.0 + rng.uniform(0, side),
                      rng.uniform(*depth_range)))

    stations = []
    for i, (e, n, z) in enumerate(truth):
        st = status[i]
        if st == 1:
            a = rng.uniform(0, 2 * math.pi)
            r = rng.uniform(0.5, 1.0) * perturb
            ge, gn = e + r * math.sin(a), n + r * math.cos(a)
        elif st == 3:
            # The given position is an observation of the truth with its own error.
            ge = e + rng.normal(0, position_se)
            gn = n + rng.normal(0, position_se)
        else:
            ge, gn = e, n
        se = position_se if st == 3 else 1.0
        stations.append([st, "ST%02d" % (i + 1), float(fmt(ge)), float(fmt(gn)), float(fmt(z)), float(fmt(se))])

    ranges, bearings = [], []
    for i in range(count):
        for j in range(count):
            if i == j:
                continue
            (ei, ni, zi), (ej, nj, zj) = truth[i], truth[j]
            if rng.uniform() >= drop_fraction:
                se = rng.choice([0.05, 0.1, 0.2])
                slant = math.sqrt((ej - ei) ** 2 + (nj - ni) ** 2 + (zj - zi) ** 2)
                value = slant + rng.normal(0, range_sigma) * se / 0.1
                ranges.append((i, j, float(fmt(value)), float(fmt(se))))
            if use_bearings and rng.uniform() >= drop_fraction:
                se = rng.choice([5.0, 10.0, 20.0])
                az = math.degrees(math.atan2(ej - ei, nj - ni)) % 360.0
                value = (az + rng.normal(0, bearing_sigma) * se / 10.0 / 3600.0) % 360.0
                bearings.append((i, j, float(fmt(value)), float(fmt(se))))
    write_case(name, stations, ranges, bearings)


def write_case(name, stations, ranges, bearings):
    """Writes the network file, solves it and writes what the adjustment must give."""
    count = len(stations)
    with open(os.path.join(HERE, name + ".NET"), "w", newline="\r\n") as f:
        f.write("Two Way Travel Time = 0\n")
        f.write("Speed Of Sound In Water = 1485.000\n")
        f.write("[StationT]\n")
        for st, nm, e, n, z, se in stations:
            f.write("%d, %s, %s, %s, %s, %s\n" % (st, nm, fmt(e), fmt(n), fmt(z), fmt(se)))
        f.write("[Range]\n")
        for i, j, v, se in ranges:
            f.write("%d, %d, %s, %s\n" % (i, j, fmt(v), fmt(se)))
        f.write("[Bearing]\n")
        for i, j, v, se in bearings:
            f.write("%d, %d, %s, %s\n" % (i, j, fmt(v), fmt(se)))

    in_use = [s[0] != 0 for s in stations]
    fixed = [s[0] == 2 for s in stations]
    free = [i for i in range(count) if in_use[i] and not fixed[i]]
    column = {i: k for k, i in enumerate(free)}

    def used(i, j):
        return in_use[i] and in_use[j] and not (fixed[i] and fixed[j])

    def position(x, i):
        if i in column:
            k = column[i]
            return x[2 * k], x[2 * k + 1], stations[i][4]
        return stations[i][2], stations[i][3], stations[i][4]

    def residuals(x):
        out = []
        for i, j, v, se in ranges:
            if used(i, j):
                ei, ni, zi = position(x, i)
                ej, nj, zj = position(x, j)
                out.append((math.sqrt((ej - ei) ** 2 + (nj - ni) ** 2 + (zj - zi) ** 2) - v) / se)
        for i, j, v, se in bearings:
            if used(i, j):
                ei, ni, _ = position(x, i)
                ej, nj, _ = position(x, j)
                az = math.atan2(ej - ei, nj - ni)
                out.append(wrap(az - math.radians(v)) / (se * math.pi / 180.0 / 3600.0))
        for i in free:
            if stations[i][0] == 3 and stations[i][5] > 0:
                e, n, _ = position(x, i)
                out.append((e - stations[i][2]) / stations[i][5])
                out.append((n - stations[i][3]) / stations[i][5])
        return np.array(out)

    x0 = []
    for i in free:
        x0 += [stations[i][2], stations[i][3]]
    # Offsets from the start keep the unknowns small, so the tolerances bite at the 1e-9 m level.
    x0 = np.array(x0)
    fit = least_squares(lambda d: residuals(x0 + d), np.zeros_like(x0), method="lm",
                        xtol=1e-15, ftol=1e-15, gtol=1e-15, max_nfev=10000)
    assert fit.success, fit.message
    x = x0 + fit.x

    with open(os.path.join(HERE, name + ".expected.csv"), "w", newline="\n") as f:
        f.write("# index, easting, northing after adjustment (SciPy least_squares, cost %.6e)\n" % fit.cost)
        for i in range(count):
            if in_use[i]:
                e, n, _ = position(x, i)
                f.write("%d, %.6f, %.6f\n" % (i, e, n))

    # The variance factor is the reduced chi-square of the solution: the weighted sum of the
    # squared residuals of every row, position rows included, over rows minus unknowns. With
    # no redundancy there is none.
    rows, unknowns = len(fit.fun), len(x0)
    redundancy = rows - unknowns
    with open(os.path.join(HERE, name + ".variance.txt"), "w", newline="\n") as f:
        f.write("# %s (SciPy least_squares; reduced chi-square = 2 cost / (rows - unknowns))\n" % COMMAND)
        f.write("rows %d\nunknowns %d\n" % (rows, unknowns))
        if redundancy > 0:
            f.write("variance_factor %.12f\n" % (2.0 * fit.cost / redundancy))
        else:
            f.write("variance_factor none\n")
    print(name, "stations", count, "ranges", len(ranges), "bearings", len(bearings), "cost", fit.cost,
          "rows", rows, "unknowns", unknowns)


def make_no_redundancy_case(name):
    """Four observations and a position observation that fix three free stations and nothing
    more: as many rows as unknowns. (Counted as observations less adjusted stations, it would
    seem to have a redundancy of 1.)"""
    truth = [(520000.0, 7100000.0, 300.0), (520400.0, 7100050.0, 310.0), (520180.0, 7100330.0, 305.0),
             (519850.0, 7100260.0, 320.0), (520300.0, 7099700.0, 298.0)]
    status = [2, 2, 1, 1, 3]
    given = [truth[0][:2], truth[1][:2], (520183.0, 7100326.0), (519853.5, 7100262.5), (520300.4, 7099699.7)]
    stations = [[status[i], "NR%d" % (i + 1), given[i][0], given[i][1], truth[i][2], 0.5 if status[i] == 3 else 1.0]
                for i in range(len(truth))]

    def slant(i, j):
        return math.sqrt(sum((truth[j][k] - truth[i][k]) ** 2 for k in range(3)))

    def bearing(i, j):
        return math.degrees(math.atan2(truth[j][0] - truth[i][0], truth[j][1] - truth[i][1])) % 360.0

    # Slightly off the truth, as measurements are: with no redundancy they are met exactly.
    ranges = [(0, 2, float(fmt(slant(0, 2) + 0.04)), 0.1), (1, 2, float(fmt(slant(1, 2) - 0.03)), 0.1),
              (0, 3, float(fmt(slant(0, 3) + 0.02)), 0.1)]
    bearings = [(2, 3, float(fmt(bearing(2, 3) + 0.004)), 10.0)]
    write_case(name, stations, ranges, bearings)


def main():
    # Ranges and bearings, depths 450 to 620 m, one station out of use, one with a
    # position observation.
    status = [2, 1, 1, 2, 1, 0, 1, 3, 1, 1, 1, 1]
    make_case("noisy_ranges_bearings", 11, len(status), status, (450.0, 620.0), 4.0, 0.05, 8.0,
              True, 0.2, 0.5)
    # Ranges only, two fixed stations.
    status = [2, 1, 1, 1, 2, 1, 1, 1]
    make_case("noisy_ranges", 23, len(status), status, (90.0, 110.0), 3.0, 0.05, 0.0, False, 0.15, 1.0)
    # Strong depth differences (200 to 1400 m): bearings are horizontal angles whatever the
    # depths; one fixed station, bearings fix the orientation.
    status = [2] + [1] * 19
    make_case("noisy_deep", 37, len(status), status, (200.0, 1400.0), 5.0, 0.08, 10.0, True, 0.3, 1.0)
    # Nine stations, three of them with position observations, whose rows are their own part of
    # the variance factor.
    status = [2, 3, 1, 1, 3, 1, 2, 1, 3]
    make_case("variance_nine", 53, len(status), status, (300.0, 450.0), 3.0, 0.1, 10.0, True, 0.35, 0.5)
    make_no_redundancy_case("no_redundancy")


if __name__ == "__main__":
    main()
