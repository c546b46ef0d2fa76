#!/usr/bin/env python3
"""Writes the route, boundary and sail-line fixtures (route_*, bnd_*, sail_*) of the feature tests.

The golden files are what the writers must produce byte for byte; they are built here from the
file formats alone (settings lines "<key> = <value>" ended by CR LF, records of fields joined by
", " and ended by CR LF, numbers with three decimals), not from the code under test.

The coordinate listing is of the route "Survey Line": four waypoints on a grid origin of
realistic size, turning 90 degrees to starboard at the second waypoint and 90 degrees to port at
the third, each on a turn of radius 100 m. Its arcs are walked as the listing walks them: from
the turn start angle (a bearing from the centre) in steps of acos((R - 1) / R), upward while
below start + sweep for a starboard turn (direction 1), downward while above start - sweep for
a port turn (direction -1); a point at angle a is (centre E + R sin a, centre N + R cos a).

Run from this folder:  python3 route_generate_fixtures.py
"""
import math

CRLF = b"\r\n"
E0, N0 = 452000.0, 6231000.0

# name, easting, northing; the third name holds the separator, which records escape.
WAYPOINTS = [
    ("SOL", E0 + 1000.0, N0 + 1000.0),
    ("Turn A", E0 + 1000.0, N0 + 2000.0),
    ("Turn B, east", E0 + 2000.0, N0 + 2000.0),
    ("EOL", E0 + 2000.0, N0 + 3000.0),
]
RADIUS = 100.0
# The turns: centre, tangent start, tangent end, start angle, sweep, direction.
TURNS = {
    1: ((E0 + 1100.0, N0 + 1900.0), (E0 + 1000.0, N0 + 1900.0), (E0 + 1100.0, N0 + 2000.0),
        1.5 * math.pi, math.pi / 2.0, 1),
    2: ((E0 + 1900.0, N0 + 2100.0), (E0 + 1900.0, N0 + 2000.0), (E0 + 2000.0, N0 + 2100.0),
        math.pi, math.pi / 2.0, -1),
}


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


def lines(*texts):
    return b"".join(t.encode("cp1252") + CRLF for t in texts)


def escape(text):
    return text.replace(",", "\xabCOMMA>\xbb")


def position(e, n):
    return "%.3f, %.3f" % (e, n)


def route_files():
    write("route_Survey_Line_DATA_ORDER.INI", lines("Data Order = 1"))
    write("route_Survey_Line.COR", lines(
        "Display Corridor = 1",
        "Port Corridor Width = 25.500",
        "Starboard Corridor Width = 40.125",
        "Corridor Colour = 65280",
        "Corridor Fill = -2",
    ))
    # One route file per data order, as the writer writes them.
    write("route_order0.csv", lines(*[position(e, n) for _, e, n in WAYPOINTS]))
    write("route_order1.csv", lines(*["%s, %s" % (escape(nm), position(e, n)) for nm, e, n in WAYPOINTS]))
    write("route_order2.csv", lines(*["%s, %s" % (position(e, n), escape(nm)) for nm, e, n in WAYPOINTS]))

    out = []
    for i, (_, e, n) in enumerate(WAYPOINTS):
        if i not in TURNS:
            out.append(position(e, n))
            continue
        centre, start, end, angle, sweep, direction = TURNS[i]
        out.append(position(*start))
        step = math.acos((RADIUS - 1.0) / RADIUS)
        a = angle
        if direction == 1:
            while a < angle + sweep:
                out.append(position(centre[0] + math.sin(a) * RADIUS, centre[1] + math.cos(a) * RADIUS))
                a += step
        else:
            while a > angle - sweep:
                out.append(position(centre[0] + math.sin(a) * RADIUS, centre[1] + math.cos(a) * RADIUS))
                a -= step
        out.append(position(*end))
    write("route_Survey_Line_CoordList.CSV", lines(*out))

    write("route_Routes.FLS", lines("[Route]", "C:\\MyData\\Lines\\Survey Line.csv", "C:\\MyData\\Lines\\Tie 2.txt"))
    write("route_Routes.INI", lines("Edit File Index = 1", "Edit Point Index = 0"))


def boundary_files():
    # A number pair a line, parted by comma, blank, tab or semicolon; a header, the point (0, 0)
    # and lines without two numbers are skipped.
    write("bnd_site.txt", lines(
        "Easting,Northing",
        "100,200",
        "0,0",
        "x",
        "300 400",
        "",
        "452100.5\t6231200.25",
        "452300;6231400;ignored",
        "452500, ",
    ))
    write("bnd_Boundaries.FLS", lines("[Boundary]", "C:\\MyData\\Site\\Site.txt"))


def sail_line_files():
    write("sail_lines.csv", lines(
        "SOL E, SOL N, EOL E, EOL N",
        "1000.0, 2000.0, 1000.0, 3000.0",
        "1000, 2000, 0, 0",
        "452000, 6231000, 452500",
        "452000.000, 6231000.000, 452500.000, 6230500.000",
        "",
    ))
    write("sail_Sail_Plan_DATA_ORDER.INI", lines("Data Order = 0"))
    write("sail_SailLines.FLS", lines("[SailLine]", "C:\\MyData\\Lines\\Sail Plan.csv"))


if __name__ == "__main__":
    route_files()
    boundary_files()
    sail_line_files()
