#!/usr/bin/env python3
"""Writes the damaged anchor, cable-type and barge settings files that the "...BadInput" suites
read: each is the fixture anchor file (anchor_fixture.ANK, from make_anchor_files.py) or a small
settings file with one kind of damage. Run from this folder after make_anchor_files.py:
    python3 make_bad_settings_files.py
"""

with open("anchor_fixture.ANK", "rb") as f:
    GOLDEN = f.read().split(b"\r\n")[:-1]  # 83 lines, without their line ends
assert len(GOLDEN) == 83


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


def crlf(lines):
    return b"".join(line + b"\r\n" for line in lines)


def replaced(changes):
    """The golden lines with line n (1-based) replaced."""
    lines = list(GOLDEN)
    for n, text in changes.items():
        lines[n - 1] = text
    return lines


# Read right: blank lines anywhere, CR-only line ends, encodings with a byte-order mark. The
# encoded ones carry a name with a letter beyond ASCII.
blank = list(GOLDEN)
blank.insert(78, b"   ")  # before the analogue header
blank.insert(0, b"")
write("bad_anchor_blank_lines.ANK", crlf(blank))
write("bad_anchor_cr.ANK", b"".join(line + b"\r" for line in GOLDEN))
named = crlf(replaced({7: "Name = Anker S\u00fcd".encode("cp1252")})).decode("cp1252")
write("bad_anchor_utf8_bom.ANK", b"\xef\xbb\xbf" + named.encode("utf-8"))
write("bad_anchor_utf16le.ANK", b"\xff\xfe" + named.encode("utf-16-le"))
write("bad_anchor_utf16be.ANK", b"\xfe\xff" + named.encode("utf-16-be"))

# Refused: no byte-order mark on UTF-16, two lines swapped, a line missing, a line too many.
write("bad_anchor_utf16_no_bom.ANK", named.encode("utf-16-le"))
swapped = list(GOLDEN)
swapped[23], swapped[24] = swapped[24], swapped[23]  # "Tension" and "Anchor Easting"
write("bad_anchor_swapped.ANK", crlf(swapped))
write("bad_anchor_missing_line.ANK", crlf(GOLDEN[:26] + GOLDEN[27:]))  # no "Tolerance"
write("bad_anchor_extra_line.ANK", crlf(GOLDEN + [b"Spare = 1"]))

# Loaded, less the values no anchor spread holds.
write("bad_anchor_absurd.ANK", crlf(replaced({
    5: b"Status = 9",
    16: b"Ground Chain Length = 1e308",
    20: b"Upper Cable Type = 70000",
    24: b"Tension = -5.000",
    38: b"Anchor Weight = 1e15",
    52: b"Lower Length = -3.000",  # buoy 2
})))

# Cable types. Rows as the older writer left them: a name beginning with '[' or holding '='
# ended the section there, and every row from it on was lost.
write("bad_cable_old_names.INI", b"Temperature = 10.000\r\n"
      b"Salinity = 35.000\r\n"
      b"[Name, Diameter, Cable Weight In Air]\r\n"
      b"Wire, 40, 1, 7.250\r\n"
      b"[Spare], 0, 1, 5.000\r\n"
      b"Stud chain = 76mm, 0, 1, 140.000\r\n")
# Rows no anchor cable can be: a weight of -3.7e15 kg/m, a diameter of 5 m, a cable that
# floats; the last row is sound.
write("bad_cable_absurd.INI", b"Temperature = 10.000\r\n"
      b"Salinity = 35.000\r\n"
      b"[Name, Diameter, Cable Weight In Air]\r\n"
      b"Wire, 40, 1, -3700000000000000.000\r\n"
      b"Huge, 5000, 0, 126.000\r\n"
      b"Floats, 200, 0, 1.000\r\n"
      b"Chain, 0, 1, 140.000\r\n")
write("bad_cable_cr.INI", b"Temperature = 10.000\r"
      b"Salinity = 35.000\r"
      b"[Name, Diameter, Cable Weight In Air]\r"
      b"Wire, 40, 1, 7.250\r"
      b"Chain, 0, 1, 140.000\r")

# Barge settings: values no barge has, and a file saved as UTF-16.
write("bad_barge_absurd.INI", b"Barge Eng = 1000.000\r\n"
      b"Barge Nng = 5000.000\r\n"
      b"Heading = 1e308\r\n"
      b"Offset X = 1e12\r\n"
      b"Offset Y = 2.000\r\n"
      b"Draft = -4.000\r\n"
      b"Water line To Zero = 4.500\r\n")
with open("barge_fixture.INI", "rb") as f:
    write("bad_barge_utf16le.INI", b"\xff\xfe" + f.read().decode("ascii").encode("utf-16-le"))
