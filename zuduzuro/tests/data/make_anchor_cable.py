#!/usr/bin/env python3
"""Expected anchor cables over a flat seabed without terrain, from numpy and scipy. Run from this
folder:
    /usr/bin/python3 make_anchor_cable.py
Writes anchor_cable.txt:
- "onbottom": On Bottom, water depth 100 m, fairlead level 0, T = 50 t, w = 100 kg/m, anchor
  1000 m off. The seabed points lie every 5 m (a straight seabed carried 500 m past the anchor,
  300 steps). The cable is the catenary through the fairlead with the top tension, touching down
  tangentially: a = (1000 T - w d) / w, touchdown X = a acosh(1 + d/a), and at a distance x < X
  the depth d - a(cosh((X - x)/a) - 1); then the cable length over those points.
- "liveclear" / "livelying": Live, pennant mode 0, both supports 10 m above the water
  (fairlead level 10, tug fairlead height -10) over a flat seabed, top tension at the fairlead.
  Clear: the symmetric two-support catenary with w a cosh(S/2a) = 1000 T (brentq on a) gives
  the sag and so the lowest point. Lying: each side is the catenary of the fairlead's horizontal
  tension over the supports' height, and the rest of the span lies on the seabed; each point at
  the catenary's own depth.
- "buoysequal" / "buoysunequal": the spacing of buoys 1 and 2 over a flat seabed: buoy 1's cable
  between the two pennant ends, its top tension at the pennant nearer the fairlead and one
  horizontal tension along it (brentq on the lowest point's height); for equal pennants also the
  spacing of the whole cable's piecewise catenary (one horizontal tension from the fairlead
  through both buoys) and the difference between them.
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
a = (1000.0 * T - w * d) / w
xs = np.arange(0, 1001, 5.0)
depths = [d - a * (math.cosh((X - x) / a) - 1.0) if x < X else d for x in xs]
length = sum(math.hypot(xs[i + 1] - xs[i], depths[i + 1] - depths[i]) for i in range(len(xs) - 1))
out.append("onbottom %.9f %.9f %d" % (X, length, len(xs)))
out += ["%.3f %.9f" % (x, z) for x, z in zip(xs, depths)]

# Live, both supports 10 m above the water.
T, w, S, up = 100.0, 50.0, 1000.0, 10.0
# Clear: deep water.
deep = 400.0
aa = brentq(lambda a: w * a * math.cosh(S / (2 * a)) - 1000.0 * T, 500.0, 1e6, xtol=1e-12)
sag = aa * (math.cosh(S / (2 * aa)) - 1.0)
out.append("liveclear %.3f %.9f" % (deep, -up + sag))
# Lying: shallow water. Both sides hang with the fairlead's horizontal tension.
shallow = 40.0
h = shallow + up
x1 = span(T, w, h)
a = (1000.0 * T - w * h) / w
out.append("livelying %.3f %.9f %.9f" % (shallow, S - 2 * x1, x1))
for x in np.arange(0, S + 1, 5.0):
    u = x1 - x if x < x1 else (x - (S - x1) if x > S - x1 else 0.0)
    out.append("%.3f %.9f" % (x, shallow - a * (math.cosh(u / a) - 1.0)))

# Buoys over a flat seabed (water depth 80 m, fairlead level 5, T = 40 t): the span between buoy
# 1 and buoy 2 of buoy 1's cable (100 kg/m, 400 m).
T, D, FL, w, L = 40.0, 80.0, 5.0, 100.0, 400.0


def two_supports(h1, h2):
    """One weight between supports h1 and h2 over the seabed, top tension T at support 1 and one
    horizontal tension along the cable: the span."""
    Tk = 1000.0 * T
    # On the seabed: H from support 1; each side the element over its height.
    H = Tk - w * h1
    a = H / w
    s1, s2 = math.sqrt(h1 * h1 + 2 * a * h1), math.sqrt(h2 * h2 + 2 * a * h2)
    if L > s1 + s2:
        return a * math.acosh(1 + h1 / a) + a * math.acosh(1 + h2 / a) + L - s1 - s2

    # Clear: the lowest point d above the seabed, H = Tk - w (h1 - d).
    def sides(d):
        a = (Tk - w * (h1 - d)) / w
        return [(math.sqrt(k * k + 2 * a * k), a * math.acosh(1 + k / a)) for k in (h1 - d, h2 - d)]

    d = brentq(lambda d: sum(s for s, _ in sides(d)) - L, 0.0, min(h1, h2) - 1e-9, xtol=1e-12)
    return sum(x for _, x in sides(d))


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
