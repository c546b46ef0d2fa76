#!/usr/bin/env python3
"""Writes clip_cases.txt, the expected results of the chart's clipping tests, from shapely.

The view is an axis-parallel rectangle. Polygons: about 200 seeded random simple polygons,
convex (points on an ellipse) and concave (star-shaped, random radii), some wholly inside the
view, some wholly outside, some containing it, most crossing it; in many, vertices near a view
edge are snapped exactly onto it (corners included). For each polygon the file gives the area
and number of pieces of Polygon.intersection(box) (pieces of zero area, where shapely returns
points or lines, are not pieces; pieces that touch at a point are also counted as one, since
moving a vertex on the view edge by the clipper's tolerance may join them), and a few points with Polygon.contains. Segments: a table of
special cases and random ones with LineString.intersection(box); a segment of no length is
listed with the result 2 and no shapely value.

Format (one record a line, numbers in repr form):
  view xmin ymin xmax ymax
  polygon <id> <n> <pieces> <joined> <area>   then n lines "x y"
  point <x> <y> <0|1>                     (belongs to the polygon above)
  segment x1 y1 x2 y2 <result> [cx1 cy1 cx2 cy2]   (result 0 visible, 1 not, 2 no length)

Run from this folder with Debian's python3-shapely:  python3 clip_generate_fixtures.py
"""
import math
import random

from shapely.geometry import LineString, Point, Polygon, box

XMIN, YMIN, XMAX, YMAX = -120.5, 30.25, 310.75, 255.5
VIEW = box(XMIN, YMIN, XMAX, YMAX)
W, H = XMAX - XMIN, YMAX - YMIN
CX, CY = (XMIN + XMAX) / 2, (YMIN + YMAX) / 2
rng = random.Random(36)


def ellipse(cx, cy, rx, ry, n):
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    return [(cx + rx * math.cos(a), cy + ry * math.sin(a)) for a in angles]


def star(cx, cy, rmin, rmax, n):
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    out = []
    for a in angles:
        r = rng.uniform(rmin, rmax)
        out.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return out


def snap(points, reach, view=(XMIN, YMIN, XMAX, YMAX)):
    """Puts vertices within `reach` of a view edge's line exactly on it."""
    xmin, ymin, xmax, ymax = view
    out = []
    for x, y in points:
        for edge in (xmin, xmax):
            if abs(x - edge) < reach:
                x = edge
        for edge in (ymin, ymax):
            if abs(y - edge) < reach:
                y = edge
        out.append((x, y))
    return out


def pieces_and_area(poly, view=VIEW):
    """Pieces, pieces counting those that touch as one, and the area."""
    clipped = poly.intersection(view)
    parts = [g for g in getattr(clipped, "geoms", [clipped]) if g.geom_type == "Polygon" and g.area > 0]
    group = list(range(len(parts)))

    def root(i):
        while group[i] != i:
            i = group[i]
        return i

    for i in range(len(parts)):
        for j in range(i + 1, len(parts)):
            if parts[i].intersects(parts[j]):
                group[root(j)] = root(i)
    joined = len({root(i) for i in range(len(parts))})
    return len(parts), joined, sum(g.area for g in parts)


def random_polygon(kind):
    n = rng.randint(3, 40)
    concave = rng.random() < 0.6
    if kind == "inside":
        cx, cy = CX + rng.uniform(-W / 6, W / 6), CY + rng.uniform(-H / 6, H / 6)
        r = min(W, H) / 4
    elif kind == "outside":
        a = rng.uniform(0, 2 * math.pi)
        cx, cy = CX + 1.5 * W * math.cos(a), CY + 1.5 * H * math.sin(a)
        r = min(W, H) / 3
    elif kind == "contains":
        cx, cy = CX + rng.uniform(-10, 10), CY + rng.uniform(-10, 10)
        r = 2.5 * max(W, H)
        concave = False
    else:
        cx, cy = rng.uniform(XMIN - W / 3, XMAX + W / 3), rng.uniform(YMIN - H / 3, YMAX + H / 3)
        r = rng.uniform(0.3, 1.0) * max(W, H)
    if concave and kind == "crossing":
        # deep dents, so that one outline often leaves several pieces in the view
        points = star(cx, cy, 0.1 * r, r, rng.randint(10, 60))
    elif concave:
        points = star(cx, cy, 0.25 * r, r, n)
    else:
        points = ellipse(cx, cy, r, r * rng.uniform(0.5, 1.0), n)
    if kind == "crossing" and rng.random() < 0.6:
        points = snap(points, rng.uniform(5.0, 30.0))
    return points


def write_polygons(out):
    kinds = ["inside"] * 15 + ["outside"] * 15 + ["contains"] * 10 + ["crossing"] * 160
    written = 0
    while written < len(kinds):
        kind = kinds[written]
        points = random_polygon(kind)
        poly = Polygon(points)
        if not poly.is_valid or poly.area == 0:
            continue
        pieces, joined, area = pieces_and_area(poly)
        out.append(f"polygon {written} {len(points)} {pieces} {joined} {area!r}")
        out.extend(f"{x!r} {y!r}" for x, y in points)
        minx, miny, maxx, maxy = poly.bounds
        for _ in range(5):
            p = (rng.uniform(minx, maxx), rng.uniform(miny, maxy))
            out.append(f"point {p[0]!r} {p[1]!r} {int(poly.contains(Point(p)))}")
        written += 1


SEGMENTS = [
    # no length, inside and outside
    (10.0, 50.0, 10.0, 50.0), (500.0, 500.0, 500.0, 500.0),
    # both ends beyond one side: left, right, below, above
    (-200.0, 40.0, -150.0, 200.0), (320.0, 40.0, 400.0, 250.0),
    (0.0, 10.0, 100.0, 20.0), (0.0, 300.0, 100.0, 260.0),
    # vertical: inside, through, outside; horizontal: inside, through, outside
    (50.0, 60.0, 50.0, 200.0), (50.0, -100.0, 50.0, 400.0), (-130.0, 0.0, -130.0, 400.0),
    (0.0, 100.0, 200.0, 100.0), (-500.0, 100.0, 500.0, 100.0), (-500.0, 20.0, 500.0, 20.0),
    # reversed direction, through two corners' sides, diagonal through the whole view
    (500.0, 100.0, -500.0, 100.0), (-200.0, 0.0, 400.0, 300.0), (400.0, 300.0, -200.0, 0.0),
    # ends on the edges, along an edge, crossing near a corner but missing it
    (XMIN, 100.0, XMAX, 200.0), (0.0, YMIN, 100.0, YMAX), (XMIN, YMIN, XMAX, YMIN),
    (XMIN - 50.0, 200.0, XMIN + 10.0, YMAX + 50.0), (XMIN - 50.0, 240.0, XMIN + 10.0, YMAX + 50.0),
]


def write_segments(out):
    segments = list(SEGMENTS)
    for _ in range(100):
        segments.append(tuple(rng.uniform(lo, hi) for lo, hi in
                              ((XMIN - W, XMAX + W), (YMIN - H, YMAX + H)) * 2))
    for x1, y1, x2, y2 in segments:
        if x1 == x2 and y1 == y2:
            out.append(f"segment {x1!r} {y1!r} {x2!r} {y2!r} 2")
            continue
        part = LineString([(x1, y1), (x2, y2)]).intersection(VIEW)
        if part.geom_type != "LineString" or part.length == 0:
            out.append(f"segment {x1!r} {y1!r} {x2!r} {y2!r} 1")
            continue
        (ax, ay), (bx, by) = part.coords[0], part.coords[-1]
        out.append(f"segment {x1!r} {y1!r} {x2!r} {y2!r} 0 {ax!r} {ay!r} {bx!r} {by!r}")


def main():
    out = [f"view {XMIN!r} {YMIN!r} {XMAX!r} {YMAX!r}"]
    write_polygons(out)
    write_segments(out)
    with open("clip_cases.txt", "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
