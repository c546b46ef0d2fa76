#!/usr/bin/env python3
"""Writes the NavHost demo: one feature file of every kind around the demo seabed, the host's
file lists and settings, and a replayed feed of a vessel running a racetrack over the site with
two AIS targets about.

    make_navhost_demo.py [demo folder]

Run from anywhere; it writes into the folder it lies in unless told otherwise, and only the
files listed below (the demo seabed and the other programs' files are left alone). The same
input always gives the same bytes. Needs nothing but Python 3.

Grid: UTM zone 31 north on WGS84, metres. The seabed covers E 499800..501400, N 5999600..6000400.
"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# The grid: UTM zone 31 on WGS84 by Krueger's series to the fourth order of n (Karney 2011,
# "Transverse Mercator with an accuracy of a few nanometers", eqs. 9, 11, 35, 36): well under a
# millimetre within the zone.

A = 6378137.0
F = 1 / 298.257223563
K0 = 0.9996
FALSE_EASTING = 500000.0
LON0 = math.radians(3.0)
N_ = F / (2 - F)
A_RECT = A / (1 + N_) * (1 + N_ ** 2 / 4 + N_ ** 4 / 64)
ALPHA = (N_ / 2 - 2 * N_ ** 2 / 3 + 5 * N_ ** 3 / 16 + 41 * N_ ** 4 / 180,
         13 * N_ ** 2 / 48 - 3 * N_ ** 3 / 5 + 557 * N_ ** 4 / 1440,
         61 * N_ ** 3 / 240 - 103 * N_ ** 4 / 140,
         49561 * N_ ** 4 / 161280)
BETA = (N_ / 2 - 2 * N_ ** 2 / 3 + 37 * N_ ** 3 / 96 - N_ ** 4 / 360,
        N_ ** 2 / 48 + N_ ** 3 / 15 - 437 * N_ ** 4 / 1440,
        17 * N_ ** 3 / 480 - 37 * N_ ** 4 / 840,
        4397 * N_ ** 4 / 161280)
E2 = F * (2 - F)
E = math.sqrt(E2)


def grid_to_geographic(easting, northing):
    """(latitude, longitude) in degrees of a grid point."""
    xi = northing / (K0 * A_RECT)
    eta = (easting - FALSE_EASTING) / (K0 * A_RECT)
    xi1, eta1 = xi, eta
    for j, b in enumerate(BETA, start=1):
        xi1 -= b * math.sin(2 * j * xi) * math.cosh(2 * j * eta)
        eta1 -= b * math.cos(2 * j * xi) * math.sinh(2 * j * eta)
    chi = math.asin(math.sin(xi1) / math.cosh(eta1))
    lon = LON0 + math.atan2(math.sinh(eta1), math.cos(xi1))
    # Conformal to geodetic latitude by Newton's method on tan(phi).
    tau1 = math.tan(chi)
    tau = tau1
    for _ in range(6):
        sigma = math.sinh(E * math.atanh(E * tau / math.sqrt(1 + tau * tau)))
        taup = tau * math.sqrt(1 + sigma * sigma) - sigma * math.sqrt(1 + tau * tau)
        dtau = (tau1 - taup) / math.sqrt(1 + taup * taup) * (1 + (1 - E2) * tau * tau) / (
            (1 - E2) * math.sqrt(1 + tau * tau))
        tau += dtau
    return math.degrees(math.atan(tau)), math.degrees(lon)


def convergence(easting, northing):
    """Grid convergence (degrees, grid north from true north, clockwise) at a grid point, by a
    small step north in latitude."""
    lat, lon = grid_to_geographic(easting, northing)
    e2, n2 = geographic_to_grid(lat + 1e-4, lon)
    return math.degrees(math.atan2(e2 - easting, n2 - northing))


def geographic_to_grid(lat, lon):
    phi, lam = math.radians(lat), math.radians(lon) - LON0
    tau = math.tan(phi)
    sigma = math.sinh(E * math.atanh(E * tau / math.sqrt(1 + tau * tau)))
    taup = tau * math.sqrt(1 + sigma * sigma) - sigma * math.sqrt(1 + tau * tau)
    xi1 = math.atan2(taup, math.cos(lam))
    eta1 = math.asinh(math.sin(lam) / math.sqrt(taup * taup + math.cos(lam) ** 2))
    xi, eta = xi1, eta1
    for j, a in enumerate(ALPHA, start=1):
        xi += a * math.sin(2 * j * xi1) * math.cosh(2 * j * eta1)
        eta += a * math.cos(2 * j * xi1) * math.sinh(2 * j * eta1)
    return FALSE_EASTING + K0 * A_RECT * eta, K0 * A_RECT * xi


# ---------------------------------------------------------------------------------------------
# Writers: text files with CR LF, as the suite writes them.

written = []


def write_bytes(root, relative, data):
    path = os.path.join(root, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)
    written.append(relative)


def write_text(root, relative, lines):
    write_bytes(root, relative, "".join(line + "\r\n" for line in lines).encode("cp1252"))


def settings(pairs):
    """Settings-file lines "key = value"."""
    return ["%s = %s" % (k, v) for k, v in pairs]


def pen(colour, style, width, fill):
    return "%d, %d, %d, %d" % (colour, style, width, fill)


def bgr(r, g, b):
    """A COLORREF: red in the low byte."""
    return r | (g << 8) | (b << 16)


def windows(relative):
    """The suite's path of a file of the demo drive."""
    return "C:\\" + relative.replace("/", "\\")


# Colours of the demo, chosen to stand apart on the chart's black ground and from each other.
ORANGE = bgr(255, 128, 0)
YELLOW = bgr(255, 255, 0)
CYAN = bgr(0, 255, 255)
MAGENTA = bgr(255, 0, 255)
RED = bgr(255, 0, 0)
GREEN = bgr(0, 255, 0)
BLUE = bgr(0, 128, 255)
WHITE = bgr(255, 255, 255)
PINK = bgr(255, 128, 192)
LIME = bgr(128, 255, 0)
VIOLET = bgr(160, 96, 255)

SETTINGS = "MySettings/NavHost/"

# ---------------------------------------------------------------------------------------------
# The features. Every one lies in or beside the seabed's rectangle.

BOUNDARY = [(499750, 5999550), (501450, 5999550), (501450, 6000450), (499750, 6000450)]
SURVEY_MARKS = [  # name, easting, northing, height
    ("Template Drop", 500560, 6000150, 0.0),
    ("Buoy North", 500150, 6000380, 0.0),
    ("Buoy South", 500150, 5999620, 0.0),
    ("Start Of Survey", 499900, 5999640, 0.0),
]
FLOWLINE = [(500900, 6000010), (501050, 6000120), (501300, 6000300)]
PIPE_ROUTE = [(499820, 5999980), (500200, 5999960), (500600, 6000090), (501000, 6000180), (501380, 6000160)]
CABLE_ROUTE = [("CR1", 499800, 6000330), ("CR2", 500300, 6000300), ("CR3", 500800, 6000360),
               ("CR4", 501400, 6000340)]
DESIGN_ROUTE = [(499850, 5999680, 0), (500350, 5999700, 150), (500700, 5999880, 150), (501350, 5999900, 0)]
SAIL_LINES = [(499900, 5999700 + 100 * i, 501300, 5999700 + 100 * i) for i in range(7)]
UMBILICAL = [(501300, 6000300, 0), (501150, 6000420, 60), (500700, 6000430, 60), (500700, 6000250, 0)]
STRUCTURES = [  # name, shape, easting, northing, height, heading, length
    ("Platform Alpha", "Jacket", 501300, 6000300, 25.0, 30.0, 60.0),
    ("Manifold M1", "Manifold", 500700, 6000250, 3.0, 0.0, 20.0),
]
WELLHEAD_A = (500900, 6000010)


def write_features(root):
    # Boundary: the survey area, in orange with a light hatch.
    write_text(root, "MyData/Boundaries/Demo Survey Area.csv", ["%d,%d" % p for p in BOUNDARY])
    write_text(root, "MyData/Boundaries/Demo Survey Area.DRW", settings([
        ("Vector Symbol", 0), ("Symbol Size", 0), ("Colour", ORANGE), ("Line Thickness", 2), ("Fill", -2),
        ("Pen Style", 2), ("Label Mode", 0), ("Label Position", 0), ("Show Leg Label", 0)]))

    # Grid waypoints: survey marks (the template's drop point among them) with rings on the buoys.
    write_text(root, "MyData/Waypoints/Demo Survey Marks.txt",
               ["%d,%d,%.1f,%s" % (e, n, h, name) for name, e, n, h in SURVEY_MARKS])
    waypoint_companion = [("Data Order", 0), ("Use", 1), ("Clearance", "10.000"), ("Tolerance", "25.000")]
    write_text(root, SETTINGS + "Demo_Survey_Marks_GRID_WAYPOINT.INI", settings(waypoint_companion + [
        ("Symbol", 11), ("Colour", CYAN), ("Size", 3), ("Label Mode", 1), ("Label Position", 4),
        ("Draw Rings", 1), ("No Rings", 2), ("Ring Size Metres", "40.000"), ("Ring Size NM", "0.020"),
        ("Ring Colour", CYAN), ("Zuduzuro Mode", 0)]))
    write_text(root, SETTINGS + "Demo_Wellheads_GRID_WAYPOINT.INI", settings(waypoint_companion + [
        ("Symbol", 9), ("Colour", YELLOW), ("Size", 3), ("Label Mode", 1), ("Label Position", 2),
        ("Draw Rings", 0), ("No Rings", 1), ("Ring Size Metres", "50.000"), ("Ring Size NM", "1.000"),
        ("Ring Colour", YELLOW), ("Zuduzuro Mode", 0)]))

    # Pipelines: the export line (the anchor program's), a flowline from wellhead A, and the pipe
    # route across the site; each with its companion.
    write_text(root, "MyData/Pipelines/Demo Flowline.txt", ["%d,%d" % p for p in FLOWLINE])
    write_text(root, "MyData/Pipelines/Demo Pipe Route.txt", ["%d,%d" % p for p in PIPE_ROUTE])

    def pipeline_companion(name, colour, corridor, label):
        write_text(root, SETTINGS + name + "_PIPELINE.INI", settings([
            ("Data Order", 0), ("Use", 1), ("Diameter", 12), ("Display Corridor", 1 if corridor else 0),
            ("Port Corridor", "%.3f" % corridor), ("Stdb Corridor", "%.3f" % corridor),
            ("Corridor Pen", pen(colour, 0, 1, 2)), ("Clearance", "10.000"), ("Tolerance", "25.000"),
            ("Pipeline Pen", pen(colour, 0, 2, 0)), ("Start KP", "0.000"), ("Increasing KPs", 1),
            ("Label KPs", label), ("KP Interval", "0.250")]))

    pipeline_companion("Demo_Export_Line", BLUE, 30.0, 1)
    pipeline_companion("Demo_Flowline", MAGENTA, 0.0, 0)
    pipeline_companion("Demo_Pipe_Route", GREEN, 0.0, 1)

    # Route with its corridor, named points.
    write_text(root, "MyData/Routes/Demo Cable Route.csv", ["%s,%d,%d" % p for p in CABLE_ROUTE])
    write_text(root, SETTINGS + "Demo_Cable_Route_DATA_ORDER.INI", settings([("Data Order", 1)]))
    write_text(root, "MyData/Routes/Demo Cable Route.DRW", settings([
        ("Vector Symbol", 7), ("Symbol Size", 2), ("Colour", PINK), ("Line Thickness", 2), ("Fill", -2),
        ("Pen Style", 0), ("Label Mode", 1), ("Label Position", 1), ("Show Leg Label", 0)]))
    write_text(root, "MyData/Routes/Demo Cable Route.COR", settings([
        ("Display Corridor", 1), ("Port Corridor Width", "40.000"), ("Starboard Corridor Width", "40.000"),
        ("Corridor Colour", PINK), ("Corridor Fill", 3)]))

    # Design route: intersection points with turn radii, and its corridor.
    write_text(root, "MyData/Routes/Demo Design Route.csv", ["%d, %d, %d" % p for p in DESIGN_ROUTE])
    write_text(root, "MyData/Routes/Demo Design Route.DRW", settings([
        ("Vector Symbol", 11), ("Symbol Size", 2), ("Colour", LIME), ("Line Thickness", 2), ("Fill", -2),
        ("Pen Style", 0), ("Label Mode", 1), ("Label Position", 2), ("Show Leg Label", 0)]))
    write_text(root, "MyData/Routes/Demo Design Route.COR", settings([
        ("Display Corridor", 1), ("Port Corridor Width", "25.000"), ("Starboard Corridor Width", "25.000"),
        ("Corridor Colour", LIME), ("Corridor Fill", 2)]))

    # Sail lines: seven east-west lines 100 m apart over the seabed.
    write_text(root, "MyData/SailLines/Demo Sail Lines.csv", ["%d,%d,%d,%d" % l for l in SAIL_LINES])
    write_text(root, "MyData/Routes/Demo Sail Lines.DRW", settings([
        ("Vector Symbol", 0), ("Symbol Size", 0), ("Colour", bgr(128, 128, 255)), ("Line Thickness", 1),
        ("Fill", -2), ("Pen Style", 2), ("Label Mode", 0), ("Label Position", 0), ("Show Leg Label", 0)]))

    # Route position list: the umbilical from the platform to the manifold, vertices with radii.
    write_text(root, "MyData/RPL/Demo Umbilical.csv", ["%d,%d,%d" % p for p in UMBILICAL])
    write_text(root, SETTINGS + "Demo_Umbilical_RPL.INI", settings([
        ("Use", 1), ("Display Corridor", 1), ("Port Corridor", "15.000"), ("Stdb Corridor", "15.000"),
        ("Corridor Pen", pen(VIOLET, 0, 1, 3)), ("Pipeline Pen", pen(VIOLET, 0, 2, 0)), ("Diameter", 6),
        ("Clearance", "10.000"), ("Tolerance", "25.000")]))

    # Structures with their outline shapes.
    blocks = []
    for index, (name, shape, e, n, h, heading, length) in enumerate(STRUCTURES, start=1):
        blocks += ["STRUCTURE %d" % (1 if shape == "Jacket" else 2), "NAME %s" % name, "SHAPE %s" % shape, "SHOW 1",
                   "%.3fE %.3f" % (e, n), "HEIGHT %.3f" % h, "HEADING %.3f" % heading, "LENGTH %.3f" % length, ""]
    write_text(root, "MyData/Structures/Demo Structures.dat", blocks[:-1])
    write_bytes(root, "MyData/Structures/Shapes/Jacket.dxf", dxf_document(
        (-10, -10, 10, 10),
        [("LWPOLYLINE", 7, [(-10, -10), (10, -10), (10, 10), (-10, 10)], True),
         ("LINE", 7, (-10, -10), (10, 10)), ("LINE", 7, (-10, 10), (10, -10)),
         ("CIRCLE", 7, (0, 0), 3.0)]))
    write_bytes(root, "MyData/Structures/Shapes/Manifold.dxf", dxf_document(
        (-8, -5, 8, 5),
        [("LWPOLYLINE", 3, [(-8, -5), (8, -5), (8, 5), (-8, 5)], True), ("LINE", 3, (-8, 0), (8, 0))]))

    # Digitised data: seabed debris and a scar, read as a DIG drawing from its DXF source.
    debris = []
    for i, (e, n) in enumerate([(500050, 5999760), (500320, 6000120), (500980, 5999680), (501220, 6000050)]):
        r = 12 + 4 * i
        debris.append(("LWPOLYLINE", 1 + 2 * i, [(e - r, n - r), (e + r, n - r / 2), (e + r / 2, n + r), (e - r, n + r / 2)],
                       True))
    debris.append(("LWPOLYLINE", 6, [(499900, 6000200), (500050, 6000230), (500200, 6000190), (500330, 6000240)], False))
    write_bytes(root, "MyData/Drawings/Demo Debris.dxf", dxf_document((499700, 5999500, 501500, 6000500), debris))

    # DXF drawing: the platform's 500 m safety zone and labels.
    site = [("CIRCLE", 1, (501300, 6000300), 500.0),
            ("TEXT", 1, (501000, 6000520), 20.0, "500m ZONE"),
            ("LWPOLYLINE", 2, [(500650, 6000200), (500750, 6000200), (500750, 6000300), (500650, 6000300)], True),
            ("TEXT", 2, (500640, 6000310), 12.0, "DRILL CENTRE")]
    write_bytes(root, "MyData/Drawings/Demo Site Plan.dxf", dxf_document((500600, 5999700, 501900, 6000900), site))

    # Shapefiles: exclusion zones (polygons) and marker buoys (points), geographic WGS84, both
    # named "Exclusion_..." so that the selector offers them as one shape name.
    zones = [[(499960, 5999860), (500140, 5999860), (500140, 5999990), (499960, 5999990)],
             [(500380, 5999560), (500560, 5999560), (500560, 5999640), (500380, 5999640)]]
    write_shapefile(root, "MyData/Shapes/Exclusion_Zones", 5,
                    [[grid_to_geographic(e, n) for e, n in zone] for zone in zones], ["Zone A", "Zone B"])
    write_text(root, "MyData/Shapes/Exclusion_Zones.INI", settings([
        ("Status", 1), ("Style", 0), ("Size", 2), ("Colour", RED), ("Fill", 5), ("Label Mode", 0),
        ("Label Position", 0), ("Label Column", 0), ("Icon Mode", 0)]))
    buoys = [(500050, 5999925), (500470, 5999600)]
    write_shapefile(root, "MyData/Shapes/Exclusion_Buoys", 1,
                    [[grid_to_geographic(e, n)] for e, n in buoys], ["Buoy A", "Buoy B"])
    write_text(root, "MyData/Shapes/Exclusion_Buoys.INI", settings([
        ("Status", 1), ("Style", 7), ("Size", 3), ("Colour", RED), ("Fill", 0), ("Label Mode", 0),
        ("Label Position", 0), ("Label Column", 0), ("Icon Mode", 0)]))


# ---------------------------------------------------------------------------------------------
# DXF (R12 text) and shapefiles, written by hand.

def dxf_document(extents, entities):
    out = []

    def pair(code, value):
        out.append("%3d" % code)
        out.append(value if isinstance(value, str) else ("%.3f" % value if isinstance(value, float) else str(value)))

    pair(0, "SECTION"); pair(2, "HEADER")
    pair(9, "$EXTMIN"); pair(10, float(extents[0])); pair(20, float(extents[1])); pair(30, 0.0)
    pair(9, "$EXTMAX"); pair(10, float(extents[2])); pair(20, float(extents[3])); pair(30, 0.0)
    pair(0, "ENDSEC")
    pair(0, "SECTION"); pair(2, "ENTITIES")
    for entity in entities:
        kind, colour = entity[0], entity[1]
        pair(0, kind); pair(8, "0"); pair(62, colour)
        if kind == "LINE":
            (x1, y1), (x2, y2) = entity[2], entity[3]
            pair(10, float(x1)); pair(20, float(y1)); pair(30, 0.0)
            pair(11, float(x2)); pair(21, float(y2)); pair(31, 0.0)
        elif kind == "CIRCLE":
            (x, y), r = entity[2], entity[3]
            pair(10, float(x)); pair(20, float(y)); pair(30, 0.0); pair(40, float(r))
        elif kind == "LWPOLYLINE":
            points, closed = entity[2], entity[3]
            pair(90, len(points)); pair(70, 1 if closed else 0)
            for x, y in points:
                pair(10, float(x)); pair(20, float(y))
        elif kind == "TEXT":
            (x, y), height, text = entity[2], entity[3], entity[4]
            pair(10, float(x)); pair(20, float(y)); pair(30, 0.0); pair(40, float(height)); pair(1, text)
    pair(0, "ENDSEC")
    pair(0, "EOF")
    return "".join(line + "\r\n" for line in out).encode("ascii")


def write_shapefile(root, base, shape_type, records, names):
    """Polygons (type 5: one ring each, given as (lat, lon) corners) or points (type 1) in
    longitude and latitude, with a one-column table of names."""
    contents = []
    for record in records:
        xy = [(lon, lat) for lat, lon in record]
        if shape_type == 1:
            contents.append(struct.pack("<idd", 1, xy[0][0], xy[0][1]))
            continue
        ring = xy + [xy[0]]
        ring.reverse()  # outer rings run clockwise
        xs = [p[0] for p in ring]
        ys = [p[1] for p in ring]
        body = struct.pack("<i4dii", 5, min(xs), min(ys), max(xs), max(ys), 1, len(ring))
        body += struct.pack("<i", 0)
        body += b"".join(struct.pack("<dd", x, y) for x, y in ring)
        contents.append(body)
    every = [p for record in records for p in record]
    box = (min(p[1] for p in every), min(p[0] for p in every), max(p[1] for p in every), max(p[0] for p in every))

    def header(length_words):
        return (struct.pack(">7i", 9994, 0, 0, 0, 0, 0, length_words) +
                struct.pack("<2i", 1000, shape_type) + struct.pack("<4d", *box) + struct.pack("<4d", 0, 0, 0, 0))

    shp = b""
    shx = b""
    offset = 50
    for number, content in enumerate(contents, start=1):
        shp += struct.pack(">2i", number, len(content) // 2) + content
        shx += struct.pack(">2i", offset, len(content) // 2)
        offset += 4 + len(content) // 2
    write_bytes(root, base + ".shp", header(50 + len(shp) // 2) + shp)
    write_bytes(root, base + ".shx", header(50 + len(shx) // 2) + shx)
    # dBASE III table: one character column "NAME" of 20.
    width = 20
    table = struct.pack("<B3BIHH20x", 3, 126, 1, 1, len(names), 32 + 32 + 1, 1 + width)
    table += b"NAME".ljust(11, b"\0") + b"C" + b"\0" * 4 + bytes([width, 0]) + b"\0" * 14
    table += b"\r"
    for name in names:
        table += b" " + name.encode("ascii").ljust(width)
    table += b"\x1a"
    write_bytes(root, base + ".dbf", table)


# ---------------------------------------------------------------------------------------------
# The host's settings: file lists, companions, terrain, vessel, template, target plot, chart.

def write_host_settings(root):
    def file_list(name, section, paths):
        write_text(root, SETTINGS + name, ["[%s]" % section] + [windows(p) for p in paths])

    file_list("Boundary.FLS", "Boundary", ["MyData/Boundaries/Demo Survey Area.csv"])
    file_list("GRID_Waypoints.FLS", "GRID Waypoints",
              ["MyData/Obstructions/Demo Wellheads.txt", "MyData/Waypoints/Demo Survey Marks.txt"])
    file_list("Pipelines.FLS", "Pipelines",
              ["MyData/Pipelines/Demo Export Line.txt", "MyData/Pipelines/Demo Flowline.txt"])
    file_list("Route.FLS", "Route", ["MyData/Routes/Demo Cable Route.csv"])
    file_list("Design_Route.FLS", "Design Route", ["MyData/Routes/Demo Design Route.csv"])
    file_list("SailLine.FLS", "SailLine", ["MyData/SailLines/Demo Sail Lines.csv"])
    file_list("RPLs.FLS", "RPLs", ["MyData/RPL/Demo Umbilical.csv"])
    file_list("Structure.FLS", "Structure", ["MyData/Structures/Demo Structures.dat"])
    file_list("Shape_Files.FLS", "Shape Files",
              ["MyData/Shapes/Exclusion_Zones.shp", "MyData/Shapes/Exclusion_Buoys.shp"])
    file_list("Dig_List.INI", "Dig File", ["MyData/Drawings/Demo Debris.dxf"])
    file_list("DXF_List.INI", "DXF File", ["MyData/Drawings/Demo Site Plan.dxf"])
    write_text(root, SETTINGS + "Active_Pipeline.INI",
               settings([("Path", windows("MyData/Pipelines/Demo Pipe Route.txt"))]))
    write_text(root, SETTINGS + "DTM.INI", settings([
        ("Dtm One File Name", windows("MyData/DTM/Demo Seabed.xyz")), ("Dtm Two File Name", ""),
        ("Dtm Three File Name", ""), ("Display Coverage", 1), ("Dtm One Pen", pen(bgr(0, 150, 150), 0, 1, -2)),
        ("Dtm Two Pen", pen(CYAN, 0, 2, -2)), ("Dtm Three Pen", pen(BLUE, 0, 2, -2))]))
    write_text(root, SETTINGS + "Demo_Site_Plan.DXI", settings([("Use", 1), ("Show Text", 1), ("Scale", "1.000")]))

    # The host's own: which vessel and template it follows, its wind farm and GPX files.
    write_text(root, SETTINGS + "Host.INI", settings([
        ("Vessel Name", "Demo Vessel"), ("Template Name", "Demo Template"),
        ("Wind Farm File", windows("MyData/WindFarms/Demo Wind Farm.csv")),
        ("GPX File", windows("MyData/GPX/Demo Tracks.gpx"))]))
    write_text(root, SETTINGS + "UDP_Ports/UDP Ports.UDP", ["10110, Demo Navigation Feed"])

    # The chart: 1:10000, north up, following the vessel (re-centred when it leaves the view).
    chart = [("Tick Mode", 2), ("Scale Index", 16), ("North Up", 1), ("Orientation", 0), ("Angle Offset", 0),
             ("Centre Easting", "500600.000"), ("Centre Northing", "6000000.000"), ("Track Mode", 2),
             ("Track Object", 1), ("Track Waypoint File", 0), ("Track Waypoint Index", 0), ("Show North Arrow", 1)]
    write_text(root, SETTINGS + "Navigation_Chart.INI", settings(chart))
    write_text(root, SETTINGS + "Grid_View_Pane.INI",
               settings([(k, 17 if k == "Scale Index" else v) for k, v in chart]))

    # Target plot: centred on the template's drop point.
    lat, lon = grid_to_geographic(*SURVEY_MARKS[0][1:3])
    write_text(root, SETTINGS + "Target_Plot.INI", settings([
        ("Latitude", "%.16f" % math.radians(lat)), ("Longitude", "%.16f" % math.radians(lon)),
        ("Orientation", 0)] + target_plot_options(draw_rings=1, rings=3, radius=25.0, colour=GREEN, box=0)))

    # The ROV's depth graph: an echo sounder with the seabed from depth plus altitude, its axis
    # round the 300 m the host feeds rather than from the surface.
    write_text(root, SETTINGS + "Depth_Graph.INI", settings([
        ("Trace Mode", 0), ("Depth Mode", 1), ("Depth Of Burial Mode", 0), ("Depth Plus Altitude", 1),
        ("Zero Mode", 0), ("Left To Right", 0), ("Show Values", 1)]))

    write_vessel(root)
    write_template(root)

    # The job's names for the reports, in the order the project pane writes them, the report id
    # last; the host reads them at start.
    write_text(root, SETTINGS + "JOB.INI", settings([
        ("Company", "Demo Survey"), ("Project", "Pipeline A burial survey"), ("Client Company", "Demo Energy"),
        ("Client Rep", "A. Client"), ("Location", "Demo site"), ("Task", "Template installation"),
        ("Project Number", "DS-042"), ("Party Chief", "P. Chief"), ("Senior Surveyor Nights", "N. Shift"),
        ("Master Name", "M. Master"), ("Senior DPO", "S. Officer"), ("DPO", "D. Officer"),
        ("Jack Engineer", "J. Engineer"), ("Report ID", "DS-042-R1")]))


def target_plot_options(draw_rings, rings, radius, colour, box, box_x=20.0, box_y=20.0):
    return [("North Up", 1), ("Nautical Miles", 0), ("Display Labels", 1), ("Label Rings", 1),
            ("Cardinal Colour", WHITE), ("Text Colour", WHITE), ("Draw Zone Lines", 0),
            ("Start Zone Line", "0.000"), ("Stop Zone Line", "0.000"), ("Zone Line Colour", YELLOW),
            ("Shape Box", box), ("Box Size X", "%.3f" % box_x), ("Box Size Y", "%.3f" % box_y),
            ("Draw Rings", draw_rings), ("No Rings", rings), ("Radius Metres", "%.3f" % radius),
            ("Radius NM", "%.3f" % (radius / 1852.0)), ("Ring Colour", colour)]


def point_line(name, enabled, x, y, z, colour, symbol, size, label_position, radius=0.0):
    return "%s, %d, %.3f, %.3f, %.3f, %d, %d, %d, %d, %.3f, %.3f" % (
        name, enabled, x, y, z, colour, symbol, size, label_position, radius, 0.0)


def track_object_settings(trail, outline_colour, length_a, length_b, width, waypoint_file, waypoint,
                          options, antennas, offsets, heading):
    lines = settings([
        ("Active", 1), ("Primary GPS", 0), ("Primary MRU", 0), ("Trk Pt Type", 0), ("Trk Pt No", 0),
        ("Trk Pt Symbol Size", 2), ("Waypoint File Index", waypoint_file), ("Waypoint no", waypoint),
        ("Waypoint Colour", CYAN), ("Enable Trail", trail), ("Show Trail", trail), ("Trail Colour", YELLOW),
        ("Max Trail Size", 600), ("Show", 1), ("Outline File", ""), ("Outline Colour", outline_colour),
        ("Outline Size", 2), ("Outline Style", 0), ("Outline Fill", -2), ("Shadow Colour", bgr(128, 128, 128)),
        ("Shadow Size", 1), ("Shadow Style", 2), ("Shadow Fill", -2), ("Length A", "%.3f" % length_a),
        ("Length B", "%.3f" % length_b), ("Width A", "%.3f" % width), ("Width B", "%.3f" % width),
        ("True Alignment", "%.3f" % heading)] + options)
    if antennas:
        lines += ["[Antenna]"] + antennas
    if offsets:
        lines += ["[Offsets]"] + offsets
    lines += settings([("Heading Tolerance", "5.000"), ("Pitch Tolerance", "2.000"), ("Roll Tolerance", "2.000"),
                       ("Depth Tolerance", "1.000"), ("SailLine File Index", 0), ("SailLine no", 3),
                       ("Sail Line Colour", YELLOW)])
    return lines


def write_vessel(root):
    lines = settings([("Draft", "4.500"), ("Water Line To Zero", "0.000")])
    lines += track_object_settings(
        trail=1, outline_colour=WHITE, length_a=45.0, length_b=15.0, width=9.0, waypoint_file=1, waypoint=0,
        options=target_plot_options(draw_rings=1, rings=2, radius=50.0, colour=GREEN, box=0),
        antennas=[point_line("DGPS 1", 1, 2.0, 20.0, 18.0, GREEN, 8, 1, 0)],
        offsets=[point_line("A-Frame", 1, 0.0, -14.0, 3.0, ORANGE, 5, 1, 0),
                 point_line("Moonpool", 1, 0.0, 5.0, 0.0, MAGENTA, 12, 1, 0)],
        heading=90.0)
    lines += ["[Cranes]", point_line("Crane 1", 1, -6.0, 10.0, 12.0, YELLOW, 3, 1, 0, 20.0)]
    write_text(root, "MyData/Vessel/Demo Vessel.VSL", lines)


def write_template(root):
    lines = track_object_settings(
        trail=0, outline_colour=CYAN, length_a=6.0, length_b=6.0, width=6.0, waypoint_file=1, waypoint=0,
        options=target_plot_options(draw_rings=1, rings=0, radius=10.0, colour=CYAN, box=1, box_x=8.0, box_y=8.0),
        antennas=[], offsets=[point_line("Hub", 1, 0.0, 0.0, 2.0, CYAN, 6, 1, 0)], heading=45.0)
    lines += ["[Beacons]", point_line("Beacon 101", 1, 4.0, 4.0, 3.0, YELLOW, 9, 2, 4)]
    write_text(root, "MyData/Vessel/Demo Template.TPL", lines)


# ---------------------------------------------------------------------------------------------
# GPX tracks and a wind farm, for the host's GPX and wind-farm dialogs.

def write_gpx(root):
    points = []
    for i in range(13):
        e = 499900 + 110 * i
        n = 5999580 + 40 * math.sin(i / 2.0)
        lat, lon = grid_to_geographic(e, n)
        points.append('      <trkpt lat="%.7f" lon="%.7f"><time>2026-12-10T08:%02d:%02dZ</time></trkpt>'
                      % (lat, lon, 30 + (i * 25) // 60, (i * 25) % 60))
    wpt = grid_to_geographic(500150, 6000380)
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<gpx version="1.1" creator="make_navhost_demo.py" xmlns="http://www.topografix.com/GPX/1/1">',
             '  <wpt lat="%.7f" lon="%.7f"><name>Buoy North</name></wpt>' % wpt,
             '  <trk><name>Guard Vessel Patrol</name><trkseg>'] + points + ['  </trkseg></trk>', '</gpx>']
    write_text(root, "MyData/GPX/Demo Tracks.gpx", lines)


def write_pipeline_survey(root):
    """A survey listing of the export line for the pipeline import dialog: KP, easting, northing
    and depth every 5 m, the line wandering a few decimetres about its design."""
    design = [(500450, 5999500), (500470, 5999800), (500480, 6000100), (500500, 6000500)]
    lines = ["KP,Easting,Northing,Depth"]
    kp = 0.0
    for (e1, n1), (e2, n2) in zip(design, design[1:]):
        length = math.hypot(e2 - e1, n2 - n1)
        steps = int(length // 5)
        for i in range(steps):
            f = i / steps
            wander = 0.4 * math.sin((kp * 1000 + 5 * i) / 37.0)
            e = e1 + f * (e2 - e1) + wander
            n = n1 + f * (n2 - n1)
            depth = 45.0 + 5.0 * math.sin((n - 5999500) / 300.0)
            lines.append("%.3f,%.2f,%.2f,%.2f" % (kp + f * length / 1000, e, n, depth))
        kp += length / 1000
    lines.append("%.3f,%.2f,%.2f,%.2f" % (kp, design[-1][0], design[-1][1], 45.0))
    write_text(root, "MyData/Pipelines/Demo Export Line Survey.csv", lines)


def write_wind_farm(root):
    lines = ["Id,Wind Farm,Latitude,Longitude,Max Height,Blade Radius,Structure Height,Lights,Remarks"]
    for row in range(2):
        for column in range(3):
            lat, lon = grid_to_geographic(501700 + 250 * column, 5999700 + 400 * row)
            lines.append("T%d%d,Demo Offshore Wind,%.7f,%.7f,150.0,60.0,90.0,Fl Y 5s,Demo turbine"
                         % (row + 1, column + 1, lat, lon))
    write_text(root, "MyData/WindFarms/Demo Wind Farm.csv", lines)


# ---------------------------------------------------------------------------------------------
# The replayed feed: GGA, GSA, RMC, VTG each second and a ZDA every ten, the vessel at 5 m/s round a
# racetrack of two sail lines (a closed loop, so the replay runs on without a jump); AIS from a
# supply vessel (class A) and a guard boat (class B).

def nmea(body):
    checksum = 0
    for c in body.encode("ascii"):
        checksum ^= c
    return "$%s*%02X" % (body, checksum)


def aivdm(bits, fragments=1, number=1, sequence="", channel="A"):
    """!AIVDM sentences of a bit string, six bits a character, split into `fragments`."""
    fill = (6 - len(bits) % 6) % 6
    bits += "0" * fill
    payload = ""
    for i in range(0, len(bits), 6):
        v = int(bits[i:i + 6], 2)
        payload += chr(v + 48 if v < 40 else v + 56)
    size = (len(payload) + fragments - 1) // fragments
    out = []
    for k in range(fragments):
        part = payload[k * size:(k + 1) * size]
        body = "AIVDM,%d,%d,%s,%s,%s,%d" % (fragments, k + 1, sequence, channel, part, fill if k == fragments - 1 else 0)
        checksum = 0
        for c in body.encode("ascii"):
            checksum ^= c
        out.append("!%s*%02X" % (body, checksum))
    return out


def uint(value, width):
    return format(value & ((1 << width) - 1), "0%db" % width)


def sixbit_text(text, chars):
    table = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ !\"#$%&'()*+,-./0123456789:;<=>?"
    text = text.upper().ljust(chars, "@")[:chars]
    return "".join(uint(table.index(c), 6) for c in text)


def ais_position_a(mmsi, lat, lon, sog_knots, cog, heading, status=0):
    return (uint(1, 6) + uint(0, 2) + uint(mmsi, 30) + uint(status, 4) + uint(0, 8) +
            uint(round(sog_knots * 10), 10) + uint(0, 1) + uint(round(lon * 600000), 28) +
            uint(round(lat * 600000), 27) + uint(round(cog * 10), 12) + uint(round(heading), 9) +
            uint(30, 6) + uint(0, 2) + uint(0, 3) + uint(0, 1) + uint(0, 19))


def ais_static_a(mmsi, name, callsign, ship_type, bow, stern, port, starboard):
    return (uint(5, 6) + uint(0, 2) + uint(mmsi, 30) + uint(0, 2) + uint(9000001, 30) + sixbit_text(callsign, 7) +
            sixbit_text(name, 20) + uint(ship_type, 8) + uint(bow, 9) + uint(stern, 9) + uint(port, 6) +
            uint(starboard, 6) + uint(1, 4) + uint(12, 4) + uint(10, 5) + uint(8, 5) + uint(0, 6) + uint(45, 8) +
            sixbit_text("ABERDEEN", 20) + uint(0, 1) + uint(0, 1))


def ais_position_b(mmsi, lat, lon, sog_knots, cog, heading):
    return (uint(18, 6) + uint(0, 2) + uint(mmsi, 30) + uint(0, 8) + uint(round(sog_knots * 10), 10) + uint(0, 1) +
            uint(round(lon * 600000), 28) + uint(round(lat * 600000), 27) + uint(round(cog * 10), 12) +
            uint(round(heading), 9) + uint(30, 6) + uint(0, 2) + uint(1, 1) + uint(0, 1) + uint(1, 1) +
            uint(1, 1) + uint(1, 1) + uint(0, 1) + uint(0, 1) + uint(0, 20))


def ais_static_b_name(mmsi, name):
    return uint(24, 6) + uint(0, 2) + uint(mmsi, 30) + uint(0, 2) + sixbit_text(name, 20)


def ais_static_b_dimensions(mmsi, ship_type, callsign, bow, stern, port, starboard):
    return (uint(24, 6) + uint(0, 2) + uint(mmsi, 30) + uint(1, 2) + uint(ship_type, 8) + sixbit_text("DEM", 3) +
            "0" * 24 + sixbit_text(callsign, 7) + uint(bow, 9) + uint(stern, 9) + uint(port, 6) +
            uint(starboard, 6) + uint(0, 6))


def racetrack(distance):
    """Grid position and grid heading (degrees) at `distance` metres round the loop: east along
    N 5999800 from E 500000 to 501200, a half turn north of radius 200 m, west along N 6000200,
    a half turn south back to the start."""
    straight, radius = 1200.0, 200.0
    half = math.pi * radius
    lap = 2 * straight + 2 * half
    s = distance % lap
    if s < straight:
        return 500000 + s, 5999800.0, 90.0
    s -= straight
    if s < half:
        a = s / radius  # about (501200, 6000000), from south round by east to north
        return 501200 + radius * math.sin(a), 6000000 - radius * math.cos(a), (90 - math.degrees(a)) % 360
    s -= half
    if s < straight:
        return 501200 - s, 6000200.0, 270.0
    s -= straight
    a = s / radius  # about (500000, 6000000), from north round by west to south
    return 500000 - radius * math.sin(a), 6000000 + radius * math.cos(a), (270 - math.degrees(a)) % 360


def lat_text(lat):
    d = int(abs(lat))
    return "%02d%08.5f,%s" % (d, (abs(lat) - d) * 60, "N" if lat >= 0 else "S")


def lon_text(lon):
    d = int(abs(lon))
    return "%03d%08.5f,%s" % (d, (abs(lon) - d) * 60, "E" if lon >= 0 else "W")


# The nine satellites of the GGA in a 3D fix, so that the receiver shows its fix mode and DOPs.
GSA = "GPGSA,A,3,02,05,07,09,13,15,18,21,26,,,,1.6,0.8,1.4"


def write_feed(root):
    speed = 5.0  # m/s
    lap = 2 * 1200.0 + 2 * math.pi * 200.0
    epochs = int(round(lap / speed))
    start = 8 * 3600 + 30 * 60  # 08:30:00 UTC on 10 December 2026
    lines = []
    for t in range(epochs):
        e, n, heading = racetrack(t * speed)
        lat, lon = grid_to_geographic(e, n)
        course = (heading - convergence(e, n)) % 360  # the receiver gives true course
        knots = speed * 3600 / 1852
        seconds = start + t
        hhmmss = "%02d%02d%02d.00" % (seconds // 3600, (seconds // 60) % 60, seconds % 60)
        lines.append(nmea("GPGGA,%s,%s,%s,2,09,0.8,12.40,M,44.96,M,2.0,0137" % (hhmmss, lat_text(lat), lon_text(lon))))
        lines.append(nmea(GSA))
        lines.append(nmea("GPRMC,%s,A,%s,%s,%.1f,%.1f,101226,,,D" % (hhmmss, lat_text(lat), lon_text(lon), knots, course)))
        lines.append(nmea("GPVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K,D" % (course, course, knots, knots * 1.852)))
        if t % 10 == 0:
            lines.append(nmea("GPZDA,%s,10,12,2026,00,00" % hhmmss))
        # The supply vessel steams slowly north-east across the site; the guard boat holds
        # station off the platform, turning slowly.
        if t % 3 == 0:
            se, sn = 499500 + 2.5 * (t % 900), 5999400 + 1.5 * (t % 900)
            slat, slon = grid_to_geographic(se, sn)
            lines += aivdm(ais_position_a(235012345, slat, slon, 5.7, 59.0 - convergence(se, sn), 59))
        if t % 5 == 1:
            ge, gn = 501550 + 60 * math.cos(t / 90.0), 6000600 + 60 * math.sin(t / 90.0)
            glat, glon = grid_to_geographic(ge, gn)
            gcourse = (math.degrees(-t / 90.0) + 360) % 360
            lines += aivdm(ais_position_b(235098765, glat, glon, 1.3, gcourse, int(gcourse)))
        if t % 30 == 2:
            lines += aivdm(ais_static_a(235012345, "DEMO SUPPLIER", "MDEM1", 90, 60, 20, 8, 8), 2, 1, str(1 + (t // 30) % 9))
        if t % 30 == 17:
            lines += aivdm(ais_static_b_name(235098765, "GUARD BOAT"), channel="B")
            lines += aivdm(ais_static_b_dimensions(235098765, 37, "MGRD2", 10, 5, 3, 3), channel="B")
    write_text(root, "MyData/demo_navigation.nmea", lines)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else HERE
    write_features(root)
    write_host_settings(root)
    write_gpx(root)
    write_wind_farm(root)
    write_pipeline_survey(root)
    write_feed(root)
    for relative in written:
        print(relative)


if __name__ == "__main__":
    main()
