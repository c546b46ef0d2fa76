#!/usr/bin/env python3
"""Expected anchor cables over a flat seabed without terrain, from numpy and scipy. Run from this
folder:
    /usr/bin/python3 make_anchor_cable.py
Writes anchor_cable.txt:
- "onbottom": On Bottom, water depth 100 m, fairlead level 0, T = 50 t, w = 100 kg/m, anchor
  1000 m off. The seabed points lie every 5 m (a straight seabed carried 500 m past the anchor,
  300 steps). Each cable point's height is the one whose catenary span with the fairlead's
  tension equals the touchdown span less the point's distance (brentq), as the program draws it;
  then the cable length over those points, and the largest departure of the drawn points from
  the true catenary through the same ends, z(x) = d - a(cosh((X - x)/a) - 1).
- "liveclear" / "livelying": Live, pennant mode 0, both supports 10 m above the water
  (fairlead level 10, tug fairlead height -10) over a flat seabed, top tension at both supports.
  Clear: the symmetric two-support catenary with w·a·cosh(S/2a) = 1000 T (brentq on a) gives
  the sag and so the lowest point. Lying: each side is the catenary element over the supports'
  height, and the rest of the span lies on the seabed; each drawn point is solved as from its
  support with the top tension (brentq).
- "buoysequal" / "buoysunequal": the spacing of buoys 1 and 2 over a flat seabed, from the
  program's two-support equations with brentq in place of its halving search; for equal
  pennants also the spacing of the physical piecewise catenary and the difference between them.
"""
import math

import numpy as np
from scipy.optimize import brentq


def span(tension, weight, height):
    """Horizontal span of a catenary hanging from a top point `height` above its lowest point."""
    if height <= 0:
        return 0.0
    a = (1000.0 * tension - weight * height) / weight
    return a * math.acosh(1.0 + height / a)


out = ["# /usr/bin/python3 make_anchor_cable.py (in zuduzuro/tests/data)"]

# On Bottom.
T, w, d, rng = 50.0, 100.0, 100.0, 1000.0
X = span(T, w, d)
xs = np.arange(0, 1001, 5.0)
depths = []
for x in xs:
    if x < X:
        h = brentq(lambda h: span(T, w, h) - (X - x), 1e-12, d, xtol=1e-12)
        depths.append(d - h)
    else:
        depths.append(d)
length = sum(math.hypot(xs[i + 1] - xs[i], depths[i + 1] - depths[i]) for i in range(len(xs) - 1))
a = (1000.0 * T - w * d) / w
departure = max(abs((d - a * (math.cosh((X - x) / a) - 1.0)) - z) for x, z in zip(xs, depths) if x < X)
out.append("onbottom %.9f %.9f %.9f %d" % (X, length, departure, len(xs)))
out += ["%.3f %.9f" % (x, z) for x, z in zip(xs, depths)]

# Live, both supports 10 m above the water.
T, w, S, up = 100.0, 50.0, 1000.0, 10.0
# Clear: deep water.
deep = 400.0
aa = brentq(lambda a: w * a * math.cosh(S / (2 * a)) - 1000.0 * T, 500.0, 1e6, xtol=1e-12)
sag = aa * (math.cosh(S / (2 * aa)) - 1.0)
out.append("liveclear %.3f %.9f" % (deep, -up + sag))
# Lying: shallow water.
shallow = 40.0
h = shallow + up
x1 = span(T, w, h)
out.append("livelying %.3f %.9f %.9f" % (shallow, S - 2 * x1, x1))
# Each drawn point: on either side the height whose span with the support's tension reaches the
# touchdown, on the seabed between.
for x in np.arange(0, S + 1, 5.0):
    u = x1 - x if x < x1 else (x - (S - x1) if x > S - x1 else 0.0)
    z = shallow if u <= 0 else shallow - brentq(lambda r: span(T, w, r) - u, 1e-12, h, xtol=1e-12)
    out.append("%.3f %.9f" % (x, z))

# Buoys over a flat seabed (water depth 80 m, fairlead level 5, T = 40 t): the span between buoy
# 1 and buoy 2 of buoy 1's cable (100 kg/m, 400 m), hanging clear of the seabed.
T, D, FL, w, L = 40.0, 80.0, 5.0, 100.0, 400.0


def element(h, weight=w, tension=T):
    """Suspended length and span of the element from a top `h` above its lowest point."""
    a = (1000.0 * tension - weight * h) / weight
    return math.sqrt(h * h + 2 * a * h), a * math.acosh(1.0 + h / a)


def two_supports(h1, h2):
    """The program's own equations: top tension T at both supports, brentq on the lowest point."""
    s1, x1 = element(h1)
    s2, x2 = element(h2)
    if L > s1 + s2:
        return x1 + x2 + L - s1 - s2
    d = brentq(lambda d: element(h1 - d)[0] + element(h2 - d)[0] - L, 0.0, min(h1, h2) - 1e-9, xtol=1e-12)
    return element(h1 - d)[1] + element(h2 - d)[1]


for name, p1, p2 in (("buoysequal", 20.0, 20.0), ("buoysunequal", 20.0, 35.0)):
    spacing = two_supports(D - p1, D - p2)
    line = "%s %.3f %.3f %.9f" % (name, p1, p2, spacing)
    if p1 == p2:
        # The piecewise catenary of the whole cable: one horizontal tension throughout, set at
        # the fairlead by the top tension over the fairlead's height when its section touches
        # down; the buoys add only upward forces.
        a = (1000.0 * T - w * (D + FL)) / w
        h = D - p1
        if L > 2 * math.sqrt(h * h + 2 * a * h):
            physical = 2 * a * math.acosh(1.0 + h / a) + L - 2 * math.sqrt(h * h + 2 * a * h)
        else:
            physical = 2 * a * math.asinh(L / (2 * a))
        line += " %.9f %.9f" % (physical, abs(spacing - physical))
    out.append(line)

with open("anchor_cable.txt", "w") as f:
    f.write("\n".join(out) + "\n")
