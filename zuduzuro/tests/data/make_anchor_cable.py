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
  height, and the rest of the span lies on the seabed.
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

with open("anchor_cable.txt", "w") as f:
    f.write("\n".join(out) + "\n")
