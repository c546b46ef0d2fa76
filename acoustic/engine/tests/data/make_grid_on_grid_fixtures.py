#!/usr/bin/python3
"""Grid-on-grid fixtures: points carried through PROJ's cct, and least-squares solutions by
numpy, for every model of the grid-on-grid transformation.

grid_on_grid.txt holds one block per case:
    case <name> <scale mode> <rotation> <shift>
    pt <X> <Y> <E> <N>            (system A, then system B; one line per pair)
    want <dE> <dN> <SF1> <SF2> <A> <B> <C> <D>
Exact cases ("...exact"): the targets are cct's output for the source points, and the wanted
parameters come from cct itself (the images of the origin and of points 1e6 m along each
axis), read as the model states them. Noisy cases ("...noisy"): the same targets with
N(0, 0.02 m) noise, and the parameters from numpy.linalg.lstsq on the model's design (means
of the ratios for the ratio models).

2D Helmert (+proj=helmert +x +y +s +theta, theta in arc seconds, s unitless) gives
E = x + s (X cos t + Y sin t), N = y + s (-X sin t + Y cos t); +proj=affine gives
E = xoff + s11 X + s12 Y, N = yoff + s21 X + s22 Y.

Run once with Debian's proj-bin and python3-numpy:
    /usr/bin/python3 acoustic/engine/tests/data/make_grid_on_grid_fixtures.py
The output is deterministic (fixed seed).
"""
import math
import os
import subprocess

import numpy as np

here = os.path.dirname(os.path.abspath(__file__))
rng = np.random.default_rng(104)


def cct(proj, points):
    text = "".join("%.10f %.10f 0 0\n" % (x, y) for x, y in points)
    out = subprocess.run(["cct", "-d", "10"] + proj.split(), input=text, capture_output=True, text=True,
                         check=True).stdout
    rows = [line.split() for line in out.splitlines() if line.strip() and not line.startswith("#")]
    return [(float(r[0]), float(r[1])) for r in rows]


def matrix_of(proj):
    (e0, n0), (e1, n1), (e2, n2) = cct(proj, [(0, 0), (1e6, 0), (0, 1e6)])
    return e0, n0, (e1 - e0) / 1e6, (e2 - e0) / 1e6, (n1 - n0) / 1e6, (n2 - n0) / 1e6


def lstsq(design, obs):
    return np.linalg.lstsq(np.array(design), np.array(obs), rcond=None)[0]


# name, scale mode, rotation, shift, PROJ string
cases = [
    ("identity", 0, 0, 0, "+proj=affine"),
    ("mean_differences", 0, 0, 1, "+proj=helmert +x=123.456 +y=-78.9 +s=1 +theta=0"),
    ("rotation", 0, 1, 0, "+proj=helmert +x=0 +y=0 +s=1 +theta=45000"),
    ("rotation_shift", 0, 1, 1, "+proj=helmert +x=-2500.25 +y=1250.5 +s=1 +theta=720000"),
    ("quarter_turn", 0, 1, 1, "+proj=helmert +x=100 +y=200 +s=1 +theta=324000"),
    ("ratio_single", 1, 0, 0, "+proj=affine +s11=1.0004 +s22=1.0004"),
    ("scaled_rotation", 1, 1, 0, "+proj=helmert +x=0 +y=0 +s=0.99987 +theta=118800"),
    ("similarity", 1, 1, 1, "+proj=helmert +x=310.75 +y=-1220.125 +s=1.00031 +theta=1084500"),
    ("line_fits_single", 1, 0, 1, "+proj=affine +xoff=55.5 +yoff=-44.25 +s11=0.9996 +s22=0.9996"),
    ("ratio_per_axis", 2, 0, 0, "+proj=affine +s11=1.0003 +s22=0.9998"),
    ("linear", 2, 1, 0, "+proj=affine +s11=0.998 +s12=0.03 +s21=-0.025 +s22=1.001"),
    ("line_fits", 2, 0, 1, "+proj=affine +xoff=-12.5 +yoff=33.75 +s11=1.0002 +s22=0.9997"),
    ("affine", 2, 1, 1, "+proj=affine +xoff=1500.5 +yoff=-2750.25 +s11=1.0012 +s12=0.0231 +s21=-0.0219 +s22=0.9991"),
]


def want_exact(mode, rot, shift, proj):
    dE, dN, A, B, C, D = matrix_of(proj)
    if (mode, rot, shift) == (0, 0, 0):
        return (0, 0, 1, 1, 0, 0, 0, 0)
    if (mode, rot, shift) == (0, 0, 1):
        return (dE, dN, 1, 1, 1, 0, 0, 1)
    if mode == 0:
        return (dE if shift else 0, dN if shift else 0, 1, 1, A, B, C, D)
    if (mode, rot) == (1, 1):
        sf = math.hypot(A, C)
        return (dE, dN, sf, sf, A, B, C, D)
    if rot == 0 and shift == 0:
        return (0, 0, A, D, A, 0, 0, D)
    if rot == 0:
        return (dE, dN, A, D, A, 0, 0, D)
    return (dE, dN, math.hypot(A, B), math.hypot(C, D), A, B, C, D)


def want_noisy(mode, rot, shift, pts):
    X = np.array([p[0] for p in pts]); Y = np.array([p[1] for p in pts])
    E = np.array([p[2] for p in pts]); N = np.array([p[3] for p in pts])
    one = np.ones_like(X)
    # Designs with a shift are solved about the centroid: on raw grid coordinates the shift at
    # the origin loses digits to the conditioning, even in an SVD solve.
    mX, mY, mE, mN = X.mean(), Y.mean(), E.mean(), N.mean()
    Xc, Yc, Ec, Nc = X - mX, Y - mY, E - mE, N - mN
    if (mode, rot, shift) == (0, 0, 0):
        return (0, 0, 1, 1, 0, 0, 0, 0)
    if (mode, rot, shift) == (0, 0, 1):
        return (np.mean(E - X), np.mean(N - Y), 1, 1, 1, 0, 0, 1)
    if rot == 1 and (mode == 0 or shift == 1) and not (mode == 2):
        # similarity: [dE, dN, p, q], about the centroid
        design = [[1, 0, y, x] for x, y in zip(Xc, Yc)] + [[0, 1, -x, y] for x, y in zip(Xc, Yc)]
        dE, dN, p, q = lstsq(design, np.concatenate([Ec, Nc]))
        dE, dN = mE + dE - q * mX - p * mY, mN + dN + p * mX - q * mY
        if mode == 0:
            r = math.atan2(p, q)
            c, s = math.cos(r), math.sin(r)
            return (dE if shift else 0, dN if shift else 0, 1, 1, c, s, -s, c)
        sf = math.hypot(p, q)
        return (dE, dN, sf, sf, q, p, -p, q)
    if (mode, rot, shift) == (1, 1, 0):
        design = [[y, x] for x, y in zip(X, Y)] + [[-x, y] for x, y in zip(X, Y)]
        p, q = lstsq(design, np.concatenate([E, N]))
        sf = math.hypot(p, q)
        return (0, 0, sf, sf, q, p, -p, q)
    if rot == 0 and shift == 0:
        if mode == 1:
            sf = np.mean(np.concatenate([E / X, N / Y]))
            return (0, 0, sf, sf, sf, 0, 0, sf)
        return (0, 0, np.mean(E / X), np.mean(N / Y), np.mean(E / X), 0, 0, np.mean(N / Y))
    if rot == 0:
        a, dE = lstsq(np.column_stack([Xc, one]), Ec)
        d, dN = lstsq(np.column_stack([Yc, one]), Nc)
        dE, dN = mE + dE - a * mX, mN + dN - d * mY
        if mode == 1:
            sf = (a + d) / 2
            return (dE, dN, sf, sf, sf, 0, 0, sf)
        return (dE, dN, a, d, a, 0, 0, d)
    if shift == 0:
        A, B = lstsq(np.column_stack([X, Y]), E)
        C, D = lstsq(np.column_stack([X, Y]), N)
        return (0, 0, math.hypot(A, B), math.hypot(C, D), A, B, C, D)
    dE, A, B = lstsq(np.column_stack([one, Xc, Yc]), Ec)
    dN, C, D = lstsq(np.column_stack([one, Xc, Yc]), Nc)
    dE, dN = mE + dE - A * mX - B * mY, mN + dN - C * mX - D * mY
    return (dE, dN, math.hypot(A, B), math.hypot(C, D), A, B, C, D)


with open(os.path.join(here, "grid_on_grid.txt"), "w") as f:
    f.write("# make_grid_on_grid_fixtures.py (PROJ cct, numpy %s)\n" % np.__version__)
    for name, mode, rot, shift, proj in cases:
        # A local grid: far enough from the origin for the shifts to be extrapolated, near
        # enough that cct's own rounding (an ulp of the coordinates) stays below 1e-11 m.
        src = [(52000 + rng.uniform(-1500, 1500), 31000 + rng.uniform(-1500, 1500)) for _ in range(8)]
        dst = cct(proj, src)
        exact = [(x, y, e, n) for (x, y), (e, n) in zip(src, dst)]
        f.write("case %s_exact %d %d %d\n" % (name, mode, rot, shift))
        for p in exact:
            f.write("pt %.10f %.10f %.10f %.10f\n" % p)
        f.write("want " + " ".join("%.15g" % v for v in want_exact(mode, rot, shift, proj)) + "\n")
        noisy = [(x, y, e + rng.normal(0, 0.02), n + rng.normal(0, 0.02)) for x, y, e, n in exact]
        f.write("case %s_noisy %d %d %d\n" % (name, mode, rot, shift))
        for p in noisy:
            f.write("pt %.10f %.10f %.10f %.10f\n" % p)
        f.write("want " + " ".join("%.15g" % v for v in want_noisy(mode, rot, shift, noisy)) + "\n")
