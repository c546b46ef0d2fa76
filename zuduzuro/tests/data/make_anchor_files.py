#!/usr/bin/env python3
"""Writes the expected bytes of the fixture anchor's "ANCHOR.ANK" and of a "Barge.INI", line by
line from the file layouts (not from the program's writer). Run from this folder:
    python3 make_anchor_files.py
"""

ESC = {"\r": b"\xabCR\xbb", "\n": b"\xabLF\xbb", ",": b"\xabCOMMA\xbb"}


def escaped(text, chars):
    out = b""
    for c in text:
        out += ESC[c] if c in chars else c.encode("cp1252")
    return out


def number(key, value, decimals=3):
    return ("%s = %.*f\n" % (key, decimals, value)).encode("cp1252")


def integer(key, value):
    return ("%s = %d\n" % (key, value)).encode("cp1252")


def flag(key, value):
    return integer(key, 1 if value else 0)


NAME = "Anchor 3, port\r\nbow"

lines = [
    number("Water Depth", 45.5),
    number("Waterline To Zero", 2.25),
    number("Working Distance", 2500.0),
    # The header's name keeps its comma but not its line break, so the header stays one line.
    b"--------------------- Anchor " + escaped(NAME, "\r\n") + b" --------------------\n",
    integer("Status", 2),
    flag("Display", True),
    b"Name = " + escaped(NAME, "\r\n,") + b"\n",
    integer("Winch Operator", 2),
    flag("Use", True),
    number("X", 12.5),
    number("Y", -30.25),
    number("Z", 8.0),
    number("Depth At Anchor", 52.125),
    flag("Use Ground Chain", True),
    integer("Ground Chain Type", 3),
    number("Ground Chain Length", 150.0),
    flag("Use Upper Section", True),
    integer("Lower Cable Type", 2),
    number("Lower Cable Chain Length", 800.0),
    integer("Upper Cable Type", 4),
    number("Upper Cable Chain Length", 120.5),
    flag("Use Cable Out", False),
    number("Observed Cable Out", 1000.0),
    number("Tension", 85.5),
    number("Anchor Easting", 501000.0),
    number("Anchor Northing", 6201000.0),
    number("Tolerance", 5.0),
    number("Planned Easting", 501010.0),
    number("Planned Northing", 6201020.0),
    integer("Tug No", 3),
    number("Tug Fairlead Height", 6.5),
    number("Tug Easting", 500500.0),
    number("Tug Northing", 6200500.0),
    number("Tug Pennant Wire Length", 300.0),
    integer("Pennant Wire Type", 2),
    integer("Pennant Mode", 1),
    number("Cable On Deck", 50.0),
    number("Anchor Weight", 12.0),
]
for n in range(1, 6):
    used = n <= 3
    lines += [
        (".................... Buoy %d ....................\n" % n).encode(),
        flag("Use Buoy", used),
        number("Pennant Wire Length", 20.0 + n if used else 0.0),
        flag("Use Upper Section", used and n % 2 == 1),
        integer("Lower Cable Type", 2 if used else 0),
        number("Lower Length", 100.0 * n if used else 0.0),
        integer("Upper Cable Type", 3 if used else 0),
        number("Upper Length", 50.0 * n if used else 0.0),
    ]
lines += [
    b" -------------------------------- Analogue Unit ----------------------------------------\n",
    integer("Module", 4),
    integer("Channel", 6),
    number("Slope", 1.25, 5),
    number("Offset", -0.5),
]
assert len(lines) == 83
with open("anchor_fixture.ANK", "wb") as f:
    f.write(b"".join(lines).replace(b"\n", b"\r\n"))

barge = [
    number("Barge Eng", 1000.0),
    number("Barge Nng", 5000.0),
    number("Heading", 90.0),
    number("Offset X", 2.0),
    number("Offset Y", 0.0),
    number("Draft", 3.25),
    number("Water line To Zero", 4.5),
]
with open("barge_fixture.INI", "wb") as f:
    f.write(b"".join(barge).replace(b"\n", b"\r\n"))
