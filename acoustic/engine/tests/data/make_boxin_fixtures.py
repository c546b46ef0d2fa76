#!/usr/bin/python3
"""Boxin fixtures: noisy box-ins solved by scipy.optimize.least_squares, and UTM grid terms by
GeographicLib's GeoConvert.

boxin_scipy.txt, one block per case:
    case <name> <computed depth 0/1> <trial E> <trial N> <trial D> <offset X> <offset Y>
    rec <vessel E> <vessel N> <heading deg> <range m> <depth m>      (one per observation)
    want <E> <N> <D> <mean position error> <mean range error> <mean scale error>
Ranges are slant ranges in metres (range mode 0, no corrections, grid scale 1). The transducer
is the vessel position plus the offsets (x to starboard, y forward) turned by the heading:
E = Ev + x cos h + y sin h, N = Nv - x sin h + y cos h. An observation's depth of 0 stands for
the transponder's depth. The wanted position minimises the sum of squared range misfits
sqrt(dE^2 + dN^2 + z^2) - r (least_squares, method "lm", tolerances 1e-15), with z the depth
in use (a record's own depth plus the solved change of the transponder depth). The means are
those of the residuals at the wanted position: range error = computed - observed, scale error
= computed / observed, position error = |horizontal distance - sqrt(r^2 - z^2)|.

boxin_utm.txt, one line per point:
    utm <zone> <hemisphere n/s> <lat deg> <lon deg> <E> <N> <convergence deg> <scale>
from "GeoConvert -u -z <zone><hemisphere> -p 6" and "GeoConvert -c -z <zone><hemisphere> -p 9".

Run once with Debian's python3-numpy, python3-scipy and geographiclib-tools:
    /usr/bin/python3 acoustic/engine/tests/data/make_boxin_fixtures.py
The output is deterministic (fixed seed).
"""
import math
import os
import subprocess

import numpy as np
import scipy
from scipy.optimize import least_squares

here = os.path.dirname(os.path.abspath(__file__))
rng = np.random.default_rng(711)
COMMAND = "/usr/bin/python3 acoustic/engine/tests/data/make_boxin_fixtures.py"


def transducers(recs, ox, oy):
    out = []
    for ve, vn, hd, _, _ in recs:
        h = math.radians(hd)
        out.append((ve + ox * math.cos(h) + oy * math.sin(h), vn - ox * math.sin(h) + oy * math.cos(h)))
    return np.array(out)


def depth_in_use(rec_depth, d, trial_d):
    return d if rec_depth == 0.0 else rec_depth + (d - trial_d)


def solve(recs, computed_depth, trial, ox, oy):
    t = transducers(recs, ox, oy)
    r = np.array([x[3] for x in recs])
    rd = [x[4] for x in recs]

    def misfit(p):
        d = p[2] if computed_depth else trial[2]
        z = np.array([depth_in_use(q, d, trial[2]) for q in rd])
        return np.sqrt((p[0] - t[:, 0]) ** 2 + (p[1] - t[:, 1]) ** 2 + z ** 2) - r

    x0 = np.array(trial if computed_depth else trial[:2], float)
    sol = least_squares(misfit, x0, method="lm", xtol=1e-15, ftol=1e-15, gtol=1e-15)
    e, n = sol.x[0], sol.x[1]
    d = sol.x[2] if computed_depth else trial[2]
    z = np.array([depth_in_use(q, d, trial[2]) for q in rd])
    dist = np.hypot(e - t[:, 0], n - t[:, 1])
    computed = np.sqrt(dist ** 2 + z ** 2)
    position = np.abs(dist - np.sqrt(r ** 2 - z ** 2))
    return e, n, d, position.mean(), (computed - r).mean(), (computed / r).mean()


def box_in(name, computed_depth, truth, trial, offsets, count, radius, noise, own_depths):
    e0, n0, d0 = truth
    ox, oy = offsets
    recs = []
    for i in range(count):
        a = 2 * math.pi * i / count + rng.uniform(-0.05, 0.05)
        rad = radius * rng.uniform(0.8, 1.2)
        ve, vn = e0 + rad * math.sin(a), n0 + rad * math.cos(a)
        hd = (math.degrees(a) + 90.0 + rng.uniform(-5, 5)) % 360.0
        # An observation's own depth is read against the trial depth: the transponder lies
        # (d0 - trial depth) deeper than it says.
        rec_depth = trial[2] + rng.uniform(-2, 2) if own_depths and i % 3 == 0 else 0.0
        z = d0 if rec_depth == 0.0 else rec_depth + (d0 - trial[2])
        h = math.radians(hd)
        te, tn = ve + ox * math.cos(h) + oy * math.sin(h), vn - ox * math.sin(h) + oy * math.cos(h)
        rng_ = math.sqrt((te - e0) ** 2 + (tn - n0) ** 2 + z ** 2) + rng.normal(0.0, noise)
        recs.append((round(ve, 3), round(vn, 3), round(hd, 3), round(rng_, 3), round(rec_depth, 3)))
    want = solve(recs, computed_depth, trial, ox, oy)
    lines = ["case %s %d %.3f %.3f %.3f %.3f %.3f" % ((name, computed_depth) + tuple(trial) + (ox, oy))]
    lines += ["rec %.3f %.3f %.3f %.3f %.3f" % r for r in recs]
    lines.append("want %.9f %.9f %.9f %.12f %.12f %.12f" % want)
    return lines


def write_scipy():
    out = ["# " + COMMAND, "# scipy %s, numpy %s" % (scipy.__version__, np.__version__)]
    out += box_in("plan", 0, (431250.0, 6652310.0, 85.0), (431270.0, 6652290.0, 85.0), (0.0, 0.0), 48, 180.0,
                  0.25, False)
    out += box_in("plan_offsets", 0, (512000.0, 5899000.0, 120.0), (511950.0, 5899040.0, 120.0), (2.0, -5.0),
                  72, 250.0, 0.4, False)
    out += box_in("depth", 1, (431250.0, 6652310.0, 85.0), (431270.0, 6652290.0, 60.0), (1.5, 3.0), 60, 150.0,
                  0.2, False)
    out += box_in("depth_own_depths", 1, (298400.0, 4012500.0, 1450.0), (298300.0, 4012600.0, 1400.0),
                  (-3.0, 12.0), 90, 1200.0, 1.5, True)
    with open(os.path.join(here, "boxin_scipy.txt"), "w") as f:
        f.write("\n".join(out) + "\n")


def geoconvert(args, text):
    return subprocess.run(["GeoConvert"] + args, input=text, capture_output=True, text=True,
                          check=True).stdout.split()


def write_utm():
    points = [(31, "n", 55.0, 3.5), (31, "n", 60.2, 0.3), (30, "n", 58.2, -1.7), (15, "n", 28.0, -93.5),
              (50, "n", 5.0, 114.0), (50, "n", 1.2, 119.4), (34, "s", -33.9, 18.4), (56, "s", -27.5, 153.1)]
    out = ["# " + COMMAND]
    for zone, hemi, lat, lon in points:
        z = "%d%s" % (zone, hemi)
        grid = geoconvert(["-u", "-z", z, "-p", "6"], "%.9f %.9f\n" % (lat, lon))
        gk = geoconvert(["-c", "-z", z, "-p", "9"], "%.9f %.9f\n" % (lat, lon))
        out.append("utm %d %s %.9f %.9f %s %s %s %s" % (zone, hemi, lat, lon, grid[1], grid[2], gk[0], gk[1]))
    with open(os.path.join(here, "boxin_utm.txt"), "w") as f:
        f.write("\n".join(out) + "\n")


write_scipy()
write_utm()
