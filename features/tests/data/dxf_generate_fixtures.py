#!/usr/bin/env python3
"""Writes the DXF fixtures dxf_*.dxf of the feature tests, and what ezdxf reads back from them.

One survey-style drawing in two DXF versions (R12 and R2000), each with and without header
extents ($EXTMIN/$EXTMAX; "without" means the two variables are taken out of the saved HEADER):

  layers   "Pipes" (colour 3), "Text" (colour 7), "Off" (colour -5: switched off)
  blocks   "Marker": a LINE cross and a CIRCLE, base point (1, 2)
  entities LINE (BYLAYER and coloured), POLYLINE/VERTEX (open and closed), LWPOLYLINE (R2000
           only; open and closed, one with a bulge), ARC, CIRCLE, SOLID, TEXT with %%D, MTEXT
           (R2000 only) with formatting codes and one longer than 250 characters, INSERT of
           "Marker", one POINT, and a LINE far outside the header extents.

Beside each drawing, dxf_<name>.expected.json holds ezdxf's own reading of the saved file:
header extents, layers, blocks and, in file order, every model-space entity with the values the
tests compare (coordinates, radii, angles, texts, vertex lists, flags, colours).

Needs Debian's python3-ezdxf (scripts/setup.sh installs it with SUITE_FIXTURE_TOOLS=1).
Run from this folder:  /usr/bin/python3 dxf_generate_fixtures.py
"""
import json

import ezdxf

E0, N0 = 452000.0, 6231000.0  # a grid origin of realistic size
LONG_TEXT = "Route survey 2024. " * 16 + "End of note."  # 316 characters


def build(version, with_extents):
    doc = ezdxf.new(version)
    doc.layers.add("Pipes", color=3)
    doc.layers.add("Text", color=7)
    off = doc.layers.add("Off", color=5)
    off.off()  # stored as colour -5

    marker = doc.blocks.new("Marker", base_point=(1.0, 2.0))
    marker.add_line((-1.0, 0.0), (1.0, 0.0), dxfattribs={"layer": "Pipes"})
    marker.add_line((0.0, -1.0), (0.0, 1.0), dxfattribs={"color": 1})
    marker.add_circle((0.0, 0.0), 0.5, dxfattribs={"layer": "Pipes"})

    msp = doc.modelspace()
    msp.add_line((E0 + 10.0, N0 + 20.0), (E0 + 110.5, N0 + 220.25), dxfattribs={"layer": "Pipes"})
    msp.add_line((E0 + 15.0, N0 + 25.0), (E0 + 30.0, N0 + 40.0), dxfattribs={"layer": "Pipes", "color": 1})
    msp.add_polyline2d(
        [(E0 + 100.0, N0 + 100.0), (E0 + 200.0, N0 + 100.0), (E0 + 200.0, N0 + 150.0)],
        dxfattribs={"layer": "Pipes"})
    msp.add_polyline2d(
        [(E0 + 300.0, N0 + 300.0), (E0 + 350.0, N0 + 300.0), (E0 + 350.0, N0 + 350.0), (E0 + 300.0, N0 + 350.0)],
        close=True, dxfattribs={"color": 2})
    if version != "R12":
        msp.add_lwpolyline(
            [(E0 + 400.0, N0 + 400.0), (E0 + 450.0, N0 + 410.0), (E0 + 500.0, N0 + 400.0)],
            dxfattribs={"layer": "Pipes"})
        msp.add_lwpolyline(
            [(E0 + 600.0, N0 + 600.0, 0.0, 0.0, 0.0), (E0 + 650.0, N0 + 600.0, 0.0, 0.0, 0.5),
             (E0 + 650.0, N0 + 650.0, 0.0, 0.0, 0.0)],
            format="xyseb", close=True, dxfattribs={"color": 4})
    msp.add_arc((E0 + 700.0, N0 + 100.0), 25.0, 30.0, 120.0, dxfattribs={"layer": "Pipes"})
    msp.add_circle((E0 + 800.0, N0 + 100.0), 10.0, dxfattribs={"color": 6})
    msp.add_solid([(E0 + 900.0, N0 + 100.0), (E0 + 910.0, N0 + 100.0), (E0 + 900.0, N0 + 110.0),
                   (E0 + 910.0, N0 + 110.0)], dxfattribs={"color": 5})
    msp.add_text("Bearing 45%%D", dxfattribs={"layer": "Text", "height": 2.5, "rotation": 30.0,
                                               "insert": (E0 + 50.0, N0 + 60.0)})
    if version != "R12":
        msp.add_mtext("{\\fArial|b1|i0|c0|p34;Depth}",
                      dxfattribs={"layer": "Text", "char_height": 3.0, "insert": (E0 + 55.0, N0 + 65.0)})
        msp.add_mtext(LONG_TEXT, dxfattribs={"layer": "Text", "insert": (E0 + 56.0, N0 + 66.0)})
    msp.add_blockref("Marker", (E0 + 120.0, N0 + 130.0),
                     dxfattribs={"xscale": 2.0, "yscale": 3.0, "rotation": 45.0, "layer": "Off"})
    msp.add_point((E0 + 5.0, N0 + 5.0))
    msp.add_line((E0 + 5000.0, N0 + 5000.0), (E0 + 5010.0, N0 + 5010.0), dxfattribs={"layer": "Pipes"})

    if with_extents:
        # ezdxf writes the model space's extents into the HEADER when it saves.
        msp.dxf.extmin = (E0, N0, 0.0)
        msp.dxf.extmax = (E0 + 1000.0, N0 + 1000.0, 0.0)
    return doc


def remove_extents(path):
    """Takes $EXTMIN and $EXTMAX with their coordinates out of a saved file's HEADER (ezdxf
    always writes them, as the empty box 1e20 .. -1e20 when they were not set)."""
    with open(path, newline="") as f:
        lines = f.read().split("\n")
    out = []
    i = 0
    while i < len(lines):
        if lines[i].strip() == "9" and lines[i + 1] in ("$EXTMIN", "$EXTMAX"):
            i += 2
            while lines[i].strip() in ("10", "20", "30"):
                i += 2
            continue
        out.append(lines[i])
        i += 1
    with open(path, "w", newline="") as f:
        f.write("\n".join(out))


def xyz(v):
    return [float(v[0]), float(v[1]), float(v[2])]


def describe(e):
    t = e.dxftype()
    d = {"type": t, "layer": e.dxf.layer, "colour": e.dxf.get("color", 256)}
    if t == "LINE":
        d.update(start=xyz(e.dxf.start), end=xyz(e.dxf.end))
    elif t == "CIRCLE":
        d.update(centre=xyz(e.dxf.center), radius=e.dxf.radius)
    elif t == "ARC":
        d.update(centre=xyz(e.dxf.center), radius=e.dxf.radius, start_angle=e.dxf.start_angle,
                 end_angle=e.dxf.end_angle)
    elif t == "LWPOLYLINE":
        d.update(closed=bool(e.closed), vertices=[[p[0], p[1], p[4]] for p in e.get_points("xyseb")])
    elif t == "POLYLINE":
        d.update(closed=bool(e.is_closed),
                 vertices=[[v.dxf.location[0], v.dxf.location[1], v.dxf.get("bulge", 0.0)] for v in e.vertices])
    elif t == "SOLID":
        d.update(corners=[xyz(e.dxf.get(n)) for n in ("vtx0", "vtx1", "vtx2", "vtx3")])
    elif t == "TEXT":
        d.update(text=e.dxf.text, insert=xyz(e.dxf.insert), height=e.dxf.height, rotation=e.dxf.rotation)
    elif t == "MTEXT":
        d.update(text=e.text, plain_text=e.plain_text(), insert=xyz(e.dxf.insert), height=e.dxf.char_height)
    elif t == "INSERT":
        d.update(name=e.dxf.name, insert=xyz(e.dxf.insert), xscale=e.dxf.xscale, yscale=e.dxf.yscale,
                 rotation=e.dxf.rotation)
    elif t == "POINT":
        d.update(position=xyz(e.dxf.location))
    return d


def expected(path):
    doc = ezdxf.readfile(path)
    header = doc.header
    out = {
        "version": doc.dxfversion,
        "extmin": xyz(header["$EXTMIN"]) if "$EXTMIN" in header else None,
        "extmax": xyz(header["$EXTMAX"]) if "$EXTMAX" in header else None,
        "layers": [{"name": l.dxf.name, "colour": l.dxf.color} for l in doc.layers],
        "blocks": [],
        "entities": [describe(e) for e in doc.modelspace()],
    }
    for block in doc.blocks:
        if block.name.startswith("*"):
            continue
        out["blocks"].append({"name": block.name, "base": xyz(block.block.dxf.base_point),
                              "entities": [describe(e) for e in block]})
    return out


def main():
    for version in ("R12", "R2000"):
        for with_extents in (True, False):
            name = "dxf_%s_%s" % (version.lower(), "extents" if with_extents else "noextents")
            build(version, with_extents).saveas(name + ".dxf")
            if not with_extents:
                remove_extents(name + ".dxf")
            with open(name + ".expected.json", "w") as f:
                json.dump(expected(name + ".dxf"), f, indent=1, sort_keys=True)
                f.write("\n")


if __name__ == "__main__":
    main()
