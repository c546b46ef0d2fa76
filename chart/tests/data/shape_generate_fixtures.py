#!/usr/bin/env python3
"""Writes the drawing-exchange shapes the chart's shape scenes draw, and what ezdxf reads back.

shape_geometry.dxf (R2000, header extents (-70, -55) .. (70, 55), drawing units = metres):
  SOLID     a square given in the file's corner order (third and fourth corners swapped)
  LINE      one inside the extents, one with an end outside them
  CIRCLE    one inside, one whose centre lies outside the extents
  ARC       four arcs each within one quadrant, and one through 0 degrees
  LWPOLYLINE an open and a closed triangle
  TEXT      three justifications: LEFT, CENTER and RIGHT (baseline)
  INSERT    of block "MARK", whose one LINE stands away from the insertion point
shape_colours.dxf (R2000, same extents): a LINE in each colour number 1..255, in rows of 16,
  then a LINE BYLAYER on layer "L5" (colour 5) and a LINE BYBLOCK on layer "L200" (colour 200).

Beside them shape_expected.json holds ezdxf's reading of the saved files: the arcs' centres,
radii and their start_point and end_point, the solid's corners in polygon order (vertices()),
the texts' alignment names and anchor points, the polylines' points and closed flags, the
block line and where each colour line lies.

Needs Debian's python3-ezdxf (scripts/setup.sh installs it with SUITE_FIXTURE_TOOLS=1).
Run from this folder:  /usr/bin/python3 shape_generate_fixtures.py
"""
import json

import ezdxf
from ezdxf.enums import TextEntityAlignment

EXTMIN, EXTMAX = (-70.0, -55.0, 0.0), (70.0, 55.0, 0.0)
ARCS = [((-10.0, 35.0), 10.0, 10.0, 80.0), ((15.0, 35.0), 10.0, 100.0, 170.0),
        ((40.0, 35.0), 10.0, 190.0, 260.0), ((-10.0, 10.0), 10.0, 280.0, 350.0),
        ((15.0, 10.0), 10.0, 300.0, 60.0)]
TEXTS = [("LEFT", (30.0, 0.0)), ("CENTER", (50.0, -15.0)), ("RIGHT", (65.0, -30.0))]


def new_doc():
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.dxf.extmin = EXTMIN
    msp.dxf.extmax = EXTMAX
    return doc, msp


def geometry():
    doc, msp = new_doc()
    mark = doc.blocks.new("MARK", base_point=(0.0, 0.0))
    mark.add_line((55.0, 45.0), (65.0, 45.0), dxfattribs={"color": 3})
    # ezdxf takes the corners in the file's order: 0-1-3-2 goes round the square.
    msp.add_solid([(-60.0, 20.0), (-40.0, 20.0), (-60.0, 40.0), (-40.0, 40.0)], dxfattribs={"color": 1})
    msp.add_line((-60.0, -50.0), (-20.0, -50.0), dxfattribs={"color": 3})
    msp.add_line((60.0, 50.0), (90.0, 50.0), dxfattribs={"color": 3})
    msp.add_circle((-50.0, 0.0), 8.0, dxfattribs={"color": 4})
    msp.add_circle((80.0, 0.0), 20.0, dxfattribs={"color": 4})
    for centre, radius, start, end in ARCS:
        msp.add_arc(centre, radius, start, end, dxfattribs={"color": 2})
    msp.add_lwpolyline([(-30.0, -20.0), (-10.0, -20.0), (-20.0, -5.0)], dxfattribs={"color": 6})
    msp.add_lwpolyline([(0.0, -20.0), (20.0, -20.0), (10.0, -5.0)], close=True, dxfattribs={"color": 6})
    for name, at in TEXTS:
        text = msp.add_text("Ab", dxfattribs={"height": 4.0, "color": 7})
        text.set_placement(at, align=TextEntityAlignment[name])
    msp.add_blockref("MARK", (-30.0, 30.0), dxfattribs={"color": 3})
    return doc


def colours():
    doc, msp = new_doc()
    doc.layers.add("L5", color=5)
    doc.layers.add("L200", color=200)
    for c in range(1, 256):
        row, col = divmod(c - 1, 16)
        x, y = -64.0 + col * 8.0, 50.0 - row * 6.0
        msp.add_line((x, y), (x + 6.0, y), dxfattribs={"color": c})
    msp.add_line((-64.0, -50.0), (-58.0, -50.0), dxfattribs={"layer": "L5", "color": 256})
    msp.add_line((-48.0, -50.0), (-42.0, -50.0), dxfattribs={"layer": "L200", "color": 0})
    return doc


def xy(v):
    return [v[0], v[1]]


def expected(geometry_path, colours_path):
    out = {"arcs": [], "texts": [], "polylines": [], "colour_lines": []}
    doc = ezdxf.readfile(geometry_path)
    msp = doc.modelspace()
    for arc in msp.query("ARC"):
        out["arcs"].append({"centre": xy(arc.dxf.center), "radius": arc.dxf.radius,
                            "start_angle": arc.dxf.start_angle, "end_angle": arc.dxf.end_angle,
                            "start_point": xy(arc.start_point), "end_point": xy(arc.end_point)})
    solid = msp.query("SOLID")[0]
    out["solid_polygon"] = [xy(v) for v in solid.vertices()]
    for text in msp.query("TEXT"):
        alignment, p1, p2 = text.get_placement()
        out["texts"].append({"alignment": alignment.name, "anchor": xy(p2 if p2 is not None else p1),
                             "halign": text.dxf.halign, "valign": text.dxf.valign})
    for poly in msp.query("LWPOLYLINE"):
        out["polylines"].append({"points": [xy(p) for p in poly.get_points("xy")], "closed": poly.closed})
    line = doc.blocks.get("MARK").query("LINE")[0]
    out["block_line"] = [xy(line.dxf.start), xy(line.dxf.end)]
    doc = ezdxf.readfile(colours_path)
    for line in doc.modelspace().query("LINE"):
        out["colour_lines"].append({"start": xy(line.dxf.start), "end": xy(line.dxf.end),
                                    "color": line.dxf.color, "layer": line.dxf.layer,
                                    "layer_color": doc.layers.get(line.dxf.layer).color})
    return out


if __name__ == "__main__":
    geometry().saveas("shape_geometry.dxf")
    colours().saveas("shape_colours.dxf")
    with open("shape_expected.json", "w") as f:
        json.dump(expected("shape_geometry.dxf", "shape_colours.dxf"), f, indent=1)
        f.write("\n")
