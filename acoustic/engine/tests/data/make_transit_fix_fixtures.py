#!/usr/bin/python3
"""Transit-fix fixtures: leg points and, in exact rational arithmetic (python3-sympy
geometry), the intersections of the legs' lines, the fix and the radius.

transit_fix.txt holds one block per case:
    case <name> <legs>
    pt <easting> <northing>        (points 1 .. 2 x legs, as a .TFX file gives them)
    cross <easting> <northing>     (intersections A, B, C[, D])
    centre <easting> <northing> <radius>
Three legs: L1 = 1-4, L2 = 2-5, L3 = 3-6; A = L1 x L3, B = L2 x L3, C = L1 x L2; the fix is
the centre of the circle through A, B and C. Four legs: L1 = 1-6, L2 = 2-5, L3 = 3-8,
L4 = 4-7; A = L1 x L3, B = L2 x L3, C = L2 x L4, D = L1 x L4; the fix is the crossing of the
diagonals A-C and B-D (radius 0).

Run once with:
    /usr/bin/python3 acoustic/engine/tests/data/make_transit_fix_fixtures.py
The output is deterministic (fixed seed).
"""
import os
import random

from sympy import Line, Point, Rational, Triangle

here = os.path.dirname(os.path.abspath(__file__))
random.seed(113)


def rational(value):
    return Rational(round(value * 1000), 1000)  # the 3 decimals of a .TFX line


def legs_through(centre, count):
    """Legs at headings spread round the compass, each missing the centre by a few metres."""
    points = []
    for i in range(count):
        heading = Rational(180 * i, count) + random.randint(-10, 10)
        miss = random.uniform(-4, 4)
        from sympy import cos, pi, sin
        h = float(heading) * float(pi) / 180
        ux, uy = float(sin(h)), float(cos(h))
        cx, cy = centre[0] + miss * uy, centre[1] - miss * ux
        points.append(((cx - 300 * ux, cy - 300 * uy), (cx + 300 * ux, cy + 300 * uy)))
    return points


def out(f, name, pts, lines_order, crosses, centre, radius):
    f.write("case %s %d\n" % (name, len(pts) // 2))
    for p in pts:
        f.write("pt %.3f %.3f\n" % (float(p.x), float(p.y)))
    for c in crosses:
        f.write("cross %.9f %.9f\n" % (float(c.x), float(c.y)))
    f.write("centre %.9f %.9f %.9f\n" % (float(centre.x), float(centre.y), float(radius)))


with open(os.path.join(here, "transit_fix.txt"), "w") as f:
    f.write("# make_transit_fix_fixtures.py (sympy rational geometry)\n")

    # The right triangle A = (100, 0), B = (0, 100), C = (0, 0), moved 1000 m east and north
    # (a point with a zero coordinate counts as not entered).
    o = 1000
    pts = [Point(o - 50, o), Point(o, o - 50), Point(o + 150, o - 50),
           Point(o + 200, o), Point(o, o + 200), Point(o - 50, o + 150)]
    L1, L2, L3 = Line(pts[0], pts[3]), Line(pts[1], pts[4]), Line(pts[2], pts[5])
    A, B, C = L1.intersection(L3)[0], L2.intersection(L3)[0], L1.intersection(L2)[0]
    circle = Triangle(A, B, C).circumcircle
    out(f, "right_triangle", pts, None, [A, B, C], circle.center, circle.radius)

    for k in range(3):
        centre = (452300 + random.uniform(-50, 50), 6231400 + random.uniform(-50, 50))
        legs = legs_through(centre, 3)
        # Points 1..3 are the legs' first ends, 4..6 their second ends.
        pts = [Point(rational(l[0][0]), rational(l[0][1])) for l in legs] + \
              [Point(rational(l[1][0]), rational(l[1][1])) for l in legs]
        L1, L2, L3 = Line(pts[0], pts[3]), Line(pts[1], pts[4]), Line(pts[2], pts[5])
        A, B, C = L1.intersection(L3)[0], L2.intersection(L3)[0], L1.intersection(L2)[0]
        circle = Triangle(A, B, C).circumcircle
        out(f, "three_legs_%d" % k, pts, None, [A, B, C], circle.center, circle.radius)

    for k in range(3):
        centre = (452300 + random.uniform(-50, 50), 6231400 + random.uniform(-50, 50))
        legs = legs_through(centre, 4)
        # L1 = 1-6, L2 = 2-5, L3 = 3-8, L4 = 4-7.
        pts = [None] * 8
        for (a, b), (i, j) in zip(legs, [(1, 6), (2, 5), (3, 8), (4, 7)]):
            pts[i - 1] = Point(rational(a[0]), rational(a[1]))
            pts[j - 1] = Point(rational(b[0]), rational(b[1]))
        L1, L2, L3, L4 = (Line(pts[0], pts[5]), Line(pts[1], pts[4]), Line(pts[2], pts[7]), Line(pts[3], pts[6]))
        A, B = L1.intersection(L3)[0], L2.intersection(L3)[0]
        C, D = L2.intersection(L4)[0], L1.intersection(L4)[0]
        fix = Line(A, C).intersection(Line(B, D))[0]
        out(f, "four_legs_%d" % k, pts, None, [A, B, C, D], fix, 0)
