#!/usr/bin/env python3
"""Random segments clipped to random convex and star-shaped polygons by shapely
(LineString.intersection(Polygon)). Cases where the segment touches a vertex, runs along an
edge or starts or ends on the outline are left out. Run from this folder:
    /usr/bin/python3 make_clip_cases.py
Rows: P,<id>,<n>,x1,y1,...  (a polygon), then S,<polygon id>,sx,sy,ex,ey,<pieces>,ax,ay,bx,by,...
"""
import math
import random

from shapely.geometry import LineString, Point, Polygon

random.seed(20261210)
TOUCH = 1e-6


def polygon(star):
    n = random.randint(3, 12)
    angles = sorted(random.uniform(0, 2 * math.pi) for _ in range(n))
    cx, cy = random.uniform(200, 800), random.uniform(200, 800)
    base = random.uniform(50, 300)
    points = []
    for a in angles:
        r = base * (random.uniform(0.3, 1.0) if star else 1.0)
        points.append((round(cx + r * math.sin(a), 3), round(cy + r * math.cos(a), 3)))
    return points


def pieces_of(geometry):
    if geometry.is_empty:
        return []
    kind = geometry.geom_type
    if kind == "LineString":
        return [geometry]
    if kind in ("MultiLineString", "GeometryCollection"):
        out = []
        for g in geometry.geoms:
            if g.geom_type != "LineString":
                return None  # a touching point: left out
            out.append(g)
        return out
    return None


polygons = [polygon(star=i % 2 == 1) for i in range(40)]
rows = []
for pid, points in enumerate(polygons):
    rows.append("P,%d,%d,%s" % (pid, len(points), ",".join("%.3f,%.3f" % p for p in points)))

made = 0
while made < 2000:
    pid = random.randrange(len(polygons))
    points = polygons[pid]
    shape = Polygon(points)
    # Ends around the polygon's box, so that most segments meet it.
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    span = max(max(xs) - min(xs), max(ys) - min(ys))

    def near():
        return (round(random.uniform(min(xs) - span / 2, max(xs) + span / 2), 3),
                round(random.uniform(min(ys) - span / 2, max(ys) + span / 2), 3))

    s, e = near(), near()
    if s == e:
        continue
    segment = LineString([s, e])
    if any(segment.distance(Point(p)) < TOUCH for p in points):
        continue
    if shape.exterior.distance(Point(s)) < TOUCH or shape.exterior.distance(Point(e)) < TOUCH:
        continue
    pieces = pieces_of(segment.intersection(shape))
    if pieces is None:
        continue
    ends = []
    for piece in pieces:
        a, b = piece.coords[0], piece.coords[-1]
        if math.dist(a, s) > math.dist(b, s):
            a, b = b, a
        ends.append((a, b))
    ends.sort(key=lambda ab: math.dist(ab[0], s))
    rows.append(
        "S,%d,%.3f,%.3f,%.3f,%.3f,%d%s"
        % (pid, s[0], s[1], e[0], e[1], len(ends),
           "".join(",%.12f,%.12f,%.12f,%.12f" % (a[0], a[1], b[0], b[1]) for a, b in ends))
    )
    made += 1

with open("clip_cases.csv", "w") as f:
    f.write("# /usr/bin/python3 make_clip_cases.py\n")
    f.write("\n".join(rows) + "\n")
