#!/usr/bin/env python3
"""Writes the route position list fixtures rpl_route.* of the feature tests.

One design route in every file layout: a start S, three turns at the vertices V1 (radius 200 m,
90 degrees to starboard), V2 (100 m, 90 degrees to port) and V3 (300 m, 45 degrees to starboard),
and an end E. Tangent points and centres come from plane geometry: a turn of angle a at a vertex
has its tangent points R * tan(a / 2) back along the incoming and forward along the outgoing
straight, and its centre R square to the incoming straight on the side of the turn.

Run from this folder:  python3 rpl_generate_fixtures.py
"""
import math

E0, N0 = 452000.0, 6231000.0  # a grid origin of realistic size
S = (E0 + 1000.0, N0 + 1000.0)
VERTICES = [  # vertex, radius
    ((E0 + 1000.0, N0 + 2000.0), 200.0),
    ((E0 + 2000.0, N0 + 2000.0), 100.0),
    ((E0 + 2000.0, N0 + 3000.0), 300.0),
]
END = (E0 + 2000.0 + 800.0 * math.sin(math.pi / 4), N0 + 3000.0 + 800.0 * math.cos(math.pi / 4))


def unit(a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length = math.hypot(dx, dy)
    return dx / length, dy / length


def turns():
    points = [S] + [v for v, _ in VERTICES] + [END]
    result = []
    for i, (v, r) in enumerate(VERTICES, start=1):
        d_in = unit(points[i - 1], v)
        d_out = unit(v, points[i + 1])
        cross = d_in[0] * d_out[1] - d_in[1] * d_out[0]  # > 0: a turn to port (anticlockwise)
        angle = math.acos(max(-1.0, min(1.0, d_in[0] * d_out[0] + d_in[1] * d_out[1])))
        t = r * math.tan(angle / 2.0)
        tp_in = (v[0] - t * d_in[0], v[1] - t * d_in[1])
        tp_out = (v[0] + t * d_out[0], v[1] + t * d_out[1])
        side = -1 if cross > 0 else 1
        right = (d_in[1], -d_in[0])  # starboard normal of the incoming straight
        centre = (tp_in[0] + side * r * right[0], tp_in[1] + side * r * right[1])
        result.append(dict(v=v, r=r, side=side, tp_in=tp_in, tp_out=tp_out, centre=centre))
    return result


def f(x):
    return "%.4f" % x


def write(name, lines):
    with open(name, "w", newline="\r\n") as out:
        for line in lines:
            out.write(line + "\n")


def main():
    t = turns()
    # RLX: two header lines, then P, Q, a third point (the end on the last line) and the signed
    # radius; straights and arcs alternate.
    rlx = ["Route Position List,Fixture route", "7,lines"]
    rlx.append(",".join([f(S[0]), f(S[1]), f(t[0]["tp_in"][0]), f(t[0]["tp_in"][1]), "0", "0", "0"]))
    for i, turn in enumerate(t):
        p, q = turn["tp_in"], turn["tp_out"]
        rlx.append(",".join([f(p[0]), f(p[1]), f(q[0]), f(q[1]), "0", "0", f(turn["side"] * turn["r"])]))
        nxt = t[i + 1]["tp_in"] if i + 1 < len(t) else END
        third = ("0", "0") if i + 1 < len(t) else (f(END[0]), f(END[1]))
        rlx.append(",".join([f(q[0]), f(q[1]), f(nxt[0]), f(nxt[1]), third[0], third[1], "0"]))
    write("rpl_route.rlx", rlx)

    # Two fields: the start, the tangent points of each turn in pairs, the end.
    tp = [",".join([f(S[0]), f(S[1])])]
    for turn in t:
        tp.append(",".join([f(turn["tp_in"][0]), f(turn["tp_in"][1])]))
        tp.append(",".join([f(turn["tp_out"][0]), f(turn["tp_out"][1])]))
    tp.append(",".join([f(END[0]), f(END[1])]))
    write("rpl_route_tp.csv", tp)

    # Three fields: vertices with their radii (none at the ends).
    ip = [",".join([f(S[0]), f(S[1]), "0"])]
    for turn in t:
        ip.append(",".join([f(turn["v"][0]), f(turn["v"][1]), "%.0f" % turn["r"]]))
    ip.append(",".join([f(END[0]), f(END[1]), ""]))
    write("rpl_route_ip.csv", ip)

    # Five fields: code, number, easting, northing, radius; TP and CP lines carry the radius.
    coded = ["SP,0,%s,%s," % (f(S[0]), f(S[1]))]
    for i, turn in enumerate(t, start=1):
        r = "%.0f" % turn["r"]
        coded.append("TP,%d,%s,%s,%s" % (i, f(turn["tp_in"][0]), f(turn["tp_in"][1]), r))
        coded.append("IP,%d,%s,%s,%s" % (i, f(turn["v"][0]), f(turn["v"][1]), r))
        coded.append("CP,%d,%s,%s,%s" % (i, f(turn["centre"][0]), f(turn["centre"][1]), r))
        coded.append("TP,%d,%s,%s,%s" % (i, f(turn["tp_out"][0]), f(turn["tp_out"][1]), r))
    coded.append("EP,%d,%s,%s," % (len(t) + 1, f(END[0]), f(END[1])))
    write("rpl_route_coded.csv", coded)


if __name__ == "__main__":
    main()
