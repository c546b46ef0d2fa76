#!/usr/bin/python3
# Makes profile_terrain.xyz (a small terrain with holes) and profile_lines.txt (50 lines sampled
# across it, with the depth expected at every sample). The bilinear depths come from scipy's
# RegularGridInterpolator; where a cell misses a corner the nearest corner that has a depth
# answers (first of LL, LR, UL, UR on a tie); samples without any depth take the depth of the
# nearest sample before them, or the first depth found. Run from the repository root:
#   /usr/bin/python3 chart/tests/data/profile_generate_fixtures.py
import math
import random

import numpy as np
from scipy.interpolate import RegularGridInterpolator

E0, N0, CELL, COLS, ROWS = 1000.0, 2000.0, 5.0, 14, 11
HOLES = {(3, 3), (4, 3), (3, 4), (8, 6), (9, 6), (9, 7), (10, 7), (6, 1), (12, 9), (2, 8)}
HOLES |= {(c, r) for c in range(5, 8) for r in range(8, 10)}

lines = []
cm = np.full((ROWS, COLS), np.nan)
for r in range(ROWS):
    for c in range(COLS):
        if (c, r) in HOLES:
            continue
        depth = 20 + 0.37 * c + 0.23 * r + 2 * math.sin(c / 3.0) * math.cos(r / 4.0)
        text = "%.2f" % depth
        lines.append("%.1f %.1f %s" % (E0 + c * CELL, N0 + r * CELL, text))
        # The loader keeps whole centimetres, truncated.
        cm[r, c] = int(float(text) * 100.0)
with open("chart/tests/data/profile_terrain.xyz", "w") as f:
    f.write("\n".join(lines) + "\n")

grid = cm / 100.0
interp = RegularGridInterpolator((N0 + np.arange(ROWS) * CELL, E0 + np.arange(COLS) * CELL), grid,
                                 method="linear", bounds_error=False, fill_value=None)
EMAX, NMAX = E0 + (COLS - 1) * CELL, N0 + (ROWS - 1) * CELL


def depth_at(e, n):
    if not (E0 <= e <= EMAX and N0 <= n <= NMAX):
        return None
    u = min(max(math.floor((e - E0) / CELL), 0), COLS - 2)
    t = min(max(math.floor((n - N0) / CELL), 0), ROWS - 2)
    de, dn = e - (E0 + u * CELL), n - (N0 + t * CELL)
    corners = [(u, t), (u + 1, t), (u, t + 1), (u + 1, t + 1)]
    known = [not math.isnan(grid[r, c]) for c, r in corners]
    if all(known):
        return float(interp([[n, e]])[0])
    dist = [math.hypot(de, dn), math.hypot(CELL - de, dn), math.hypot(de, CELL - dn),
            math.hypot(CELL - de, CELL - dn)]
    best = None
    for i in range(4):
        if known[i] and (best is None or dist[i] < dist[best]):
            best = i
    return None if best is None else float(grid[corners[best][1], corners[best][0]])


random.seed(66)
out = ["# /usr/bin/python3 chart/tests/data/profile_generate_fixtures.py",
       "# line: start E, start N, end E, end N, offset, point count; then range, depth (none), flag"]
for _ in range(50):
    se, sn = round(random.uniform(E0 - 10, EMAX + 10), 6), round(random.uniform(N0 - 10, NMAX + 10), 6)
    ee, en = round(random.uniform(E0 - 10, EMAX + 10), 6), round(random.uniform(N0 - 10, NMAX + 10), 6)
    offset = random.choice([0.0, 1.5, -2.25])
    length = math.hypot(ee - se, en - sn)
    bearing = math.atan2(ee - se, en - sn)
    if bearing < 0:
        bearing += 2 * math.pi
    s, c = math.sin(bearing), math.cos(bearing)
    points = [(se, sn)]
    k = 1
    while k * CELL <= length:
        points.append((se + k * CELL * s, sn + k * CELL * c))
        k += 1
    points.append((ee, en))
    samples = []
    for e, n in points:
        rng = 0.0 if not samples else math.hypot(e - se, n - sn)
        if samples and not rng > samples[-1][0]:
            continue
        d = depth_at(e, n)
        samples.append([rng, None if d is None else d + offset, 0 if d is None else 1])
    first = next((p[1] for p in samples if p[1] is not None), None)
    if first is not None:
        prev = first
        for p in samples:
            if p[1] is None:
                p[1] = prev
            else:
                prev = p[1]
    out.append("%.6f %.6f %.6f %.6f %.2f %d" % (se, sn, ee, en, offset, len(samples)))
    for rng, d, flag in samples:
        out.append("%.9f %s %d" % (rng, "none" if d is None else "%.9f" % d, flag))
with open("chart/tests/data/profile_lines.txt", "w") as f:
    f.write("\n".join(out) + "\n")
