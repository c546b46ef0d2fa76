#!/usr/bin/env python3
"""Writes clip_edge_cases.txt: polygons that meet the view's edges exactly, with the area and
pieces of their intersection with the view from shapely.

The view is the rectangle (0, 0)-(1000, 600). First a table of hand-made cases, each in both
directions round: vertices on the view's edges and corners, runs of collinear vertices along an
edge (a start vertex among them), polygons touching the view from outside at one point or along
one edge, touching it from inside, sharing edges with it, a U whose notch reaches down to an
edge, and the triangle (1500, 0), (700, 600), (-100, 0) whose intersection is the trapezoid
(0, 0), (1000, 0), (1000, 375), (700, 600), (0, 75). Then seeded random polygons (stars and
ellipses) whose vertices near an edge's line are snapped onto it, some with a collinear run
inserted along an edge; only polygons shapely holds valid are kept.

Format, as clip_cases.txt (one record a line, numbers in repr form):
  view xmin ymin xmax ymax
  polygon <id> <n> <pieces> <joined> <area>   then n lines "x y"
  point <x> <y> <0|1>          (inside the intersection with the view; belongs to the polygon above)

Run from this folder with Debian's python3-shapely:  /usr/bin/python3 clip_edge_generate_fixtures.py
"""
import math
import random

from shapely.geometry import Point, Polygon, box

from clip_generate_fixtures import pieces_and_area, snap

XMIN, YMIN, XMAX, YMAX = 0.0, 0.0, 1000.0, 600.0
VIEW = box(XMIN, YMIN, XMAX, YMAX)
rng = random.Random(93)

HAND = [
    # the triangle whose bottom edge runs along the view's bottom edge
    [(1500, 0), (700, 600), (-100, 0)],
    # squares sharing part of the bottom edge, inside and outside
    [(200, 0), (400, 0), (400, 200), (200, 200)],
    [(200, -200), (400, -200), (400, 0), (200, 0)],
    # touching at one point, from outside and from inside
    [(500, 0), (450, -100), (550, -100)],
    [(500, 0), (600, 100), (400, 100)],
    [(1000, 600), (1100, 650), (1050, 700)],
    [(0, 600), (100, 500), (50, 450)],
    # the view itself, and polygons sharing its edges
    [(0, 0), (1000, 0), (1000, 600), (0, 600)],
    [(0, 0), (1000, 0), (1000, 900), (0, 900)],
    [(-300, -300), (1000, -300), (1000, 600), (-300, 600)],
    # a U whose notch reaches down to the bottom edge: two pieces
    [(100, -100), (900, -100), (900, 300), (600, 300), (600, 0), (400, 0), (400, 300), (100, 300)],
    # a U whose notch runs along the bottom edge with its sides inside: one piece
    [(100, 0), (900, 0), (900, 300), (600, 300), (600, 100), (400, 100), (400, 300), (100, 300)],
    # along the left edge, from outside and from inside
    [(0, -100), (0, 700), (-200, 700), (-200, -100)],
    [(0, -100), (300, -100), (300, 700), (0, 700)],
    # the start vertex on an edge between collinear neighbours
    [(0, 300), (0, 650), (300, 650), (300, -50), (0, -50)],
    [(0, 300), (0, 500), (300, 500), (300, 100), (0, 100)],
    # vertices on the midpoints of the view's edges; vertices on its corners
    [(500, 0), (1000, 300), (500, 600), (0, 300)],
    [(0, 0), (500, 300), (1000, 0), (500, 700)],
    [(0, 0), (1000, 600), (0, 600)],
    [(-100, 300), (0, 0), (1000, 0), (1100, 300), (1000, 600), (0, 600)],
    # a comb over the top edge, the tips of its teeth on the edge and above it
    [(100, 700), (100, 400), (200, 600), (300, 400), (400, 700), (500, 400), (600, 600), (700, 400),
     (800, 650), (900, 400), (900, 700)],
    # a collinear run along the top edge from outside, then down into the view
    [(-100, 600), (200, 600), (400, 600), (600, 600), (500, 300), (300, 300)],
    # a thin sliver along the bottom edge, half outside
    [(100, -1), (900, -1), (900, 1), (100, 1)],
    # a polygon that leaves and comes back through the same point of the right edge
    [(800, 100), (1000, 300), (1200, 100), (1200, 500), (1000, 300), (800, 500)],
]


def with_run(points):
    """Inserts, after a vertex snapped onto an edge's line, two more vertices along that line."""
    out = list(points)
    for i, (x, y) in enumerate(points):
        if y in (YMIN, YMAX):
            out[i + 1:i + 1] = [(x + 37.5, y), (x + 80.25, y)]
            return out
        if x in (XMIN, XMAX):
            out[i + 1:i + 1] = [(x, y + 21.5), (x, y + 60.75)]
            return out
    return out


def random_polygon():
    cx = rng.uniform(XMIN - 300, XMAX + 300)
    cy = rng.uniform(YMIN - 200, YMAX + 200)
    r = rng.uniform(150, 900)
    n = rng.randint(3, 30)
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    if rng.random() < 0.6:
        radii = [rng.uniform(0.2 * r, r) for _ in angles]
    else:
        radii = [r] * n
    squash = rng.uniform(0.4, 1.0)
    points = [(cx + q * math.cos(a), cy + q * squash * math.sin(a)) for a, q in zip(angles, radii)]
    points = snap(points, rng.uniform(10.0, 80.0), (XMIN, YMIN, XMAX, YMAX))
    if rng.random() < 0.4:
        points = with_run(points)
    # whole numbers on the edges' lines and off them alike, as a view of whole metres has them
    if rng.random() < 0.3:
        points = [(round(x), round(y)) for x, y in points]
    return points


def write(out, ident, points):
    poly = Polygon(points)
    if not poly.is_valid:
        # a ring that touches itself at a point: shapely's own repair gives its two parts
        poly = poly.buffer(0)
    pieces, joined, area = pieces_and_area(poly, VIEW)
    clipped = poly.intersection(VIEW)
    out.append(f"polygon {ident} {len(points)} {pieces} {joined} {area!r}")
    out.extend(f"{float(x)!r} {float(y)!r}" for x, y in points)
    for _ in range(8):
        p = (rng.uniform(XMIN, XMAX), rng.uniform(YMIN, YMAX))
        out.append(f"point {p[0]!r} {p[1]!r} {int(clipped.contains(Point(p)))}")


def main():
    out = [f"view {XMIN!r} {YMIN!r} {XMAX!r} {YMAX!r}"]
    ident = 0
    for points in HAND:
        for ring in (points, points[::-1]):
            write(out, ident, ring)
            ident += 1
    written = 0
    while written < 400:
        points = random_polygon()
        poly = Polygon(points)
        if not poly.is_valid or poly.area == 0 or len(set(points)) != len(points):
            continue
        write(out, ident, points if rng.random() < 0.5 else points[::-1])
        ident += 1
        written += 1
    with open("clip_edge_cases.txt", "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
