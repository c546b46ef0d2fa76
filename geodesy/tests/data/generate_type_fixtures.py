#!/usr/bin/env python3
"""Regenerates the projection-type fixtures typeNN_*.csv from PROJ.

Needs Debian's proj-bin (proj); the tests do not. Run from this folder:

    python3 generate_type_fixtures.py

Each case is a projection in PROJ's terms on a spheroid row of the built-in table (a and 1/f as
the table holds them) and a grid of points about its origin. Every point goes through
"proj -V -f %.9f <case>" (PROJ's verbose mode, which also gives the meridian and parallel
scales and the meridian convergence from PROJ's own numerical derivatives); the rows are
case,latitude,longitude,easting,northing,convergence (degrees),meridian scale h,parallel scale k.
The zone fixtures typeNN_zones.csv come from geodesy/tools/zone_tables_from_epsg.py.
"""
import re
import subprocess

ROWS = {
    3: (6377397.155, 299.1528128), 7: (6378206.4, 294.9786982138982), 11: (6378249.145, 293.465),
    15: (6377298.555679764, 300.8016995962373), 17: (6378137.0, 298.257222101),
    21: (6378245.0, 298.3), 26: (6378137.0, 298.257223563), 42: (6378160.0, 298.25),
    48: (6377295.664, 300.8017),
}


def grid(lat0, lon0, lats, lons):
    return [(round(lat0 + a, 6), round(lon0 + b, 6)) for a in lats for b in lons]


# (file, case, PROJ string, spheroid row, points)
CASES = [
    ("type05_mercator.csv", "merc_a",
     "+proj=merc +lon_0=110 +k_0=0.997 +x_0=3900000 +y_0=900000", 3,
     grid(0, 110, [-70, -30, -3, 0.5, 25, 55, 80], [-60, -5, 0.5, 10, 69])),
    ("type05_mercator.csv", "merc_b",
     "+proj=merc +lat_ts=42 +lon_0=51", 21,
     grid(0, 51, [-40, 0.25, 30, 42, 53, 70], [-20, -2, 2, 15])),
    ("type06_lambert.csv", "lcc_1sp",
     "+proj=lcc +lat_1=18 +lat_0=18 +lon_0=-77 +k_0=1 +x_0=250000 +y_0=150000", 7,
     grid(18, -77, [-3, -1, 0.2, 1.5, 3], [-3, -0.5, 0, 1, 3])),
    ("type06_lambert.csv", "lcc_1sp_k",
     "+proj=lcc +lat_1=36 +lat_0=36 +lon_0=9.9 +k_0=0.999625544 +x_0=500000 +y_0=300000", 11,
     grid(36, 9.9, [-3, -1, 0.7, 2.5], [-2.5, -0.3, 1.2, 2.5])),
    ("type06_lambert.csv", "lcc_2sp",
     "+proj=lcc +lat_0=27.8333333333333333 +lon_0=-99 +lat_1=30.2833333333333333 "
     "+lat_2=28.3833333333333333 +x_0=600000 +y_0=4000000", 17,
     grid(29, -99, [-12, -3, -0.5, 1, 4, 15, 40], [-25, -4, 0, 2.5, 10])),
    ("type06_lambert.csv", "lcc_2sp_south",
     "+proj=lcc +lat_0=-30 +lon_0=135 +lat_1=-25 +lat_2=-35 +x_0=1000000 +y_0=2000000", 17,
     grid(-30, 135, [-20, -6, -1, 0.5, 5, 15], [-20, -3, 0, 4, 18])),
    ("type06_lambert.csv", "lcc_tangent",
     "+proj=lcc +lat_0=37.5 +lon_0=-84.25 +lat_1=37.96666666666667 +lat_2=37.96666666666667 "
     "+x_0=500000 +y_0=0", 17,
     grid(38, -84.25, [-2, -0.5, 0.4, 1.5], [-3, -1, 0, 2])),
    ("type07_cassini.csv", "cass",
     "+proj=cass +lat_0=10.44166666666667 +lon_0=-61.33333333333333 +x_0=130000 +y_0=100000", 11,
     grid(10.44166666666667, -61.33333333333333, [-1.5, -0.4, 0.3, 1.2], [-0.9, -0.2, 0.1, 0.6, 0.9])),
    ("type07_cassini.csv", "cass_south",
     "+proj=cass +lat_0=-33.5 +lon_0=150 +x_0=100000 +y_0=200000", 17,
     grid(-33.5, 150, [-1.5, -0.2, 0.8], [-0.9, -0.3, 0.5, 0.9])),
    ("type08_guam.csv", "guam",
     "+proj=aeqd +guam +lat_0=13.47246635277778 +lon_0=144.7487507055556 +x_0=50000 +y_0=50000", 7,
     grid(13.47246635277778, 144.7487507055556, [-0.3, -0.05, 0.1, 0.25], [-0.3, -0.1, 0.05, 0.3])),
    ("type09_stereographic.csv", "sterea_rd",
     "+proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k=0.9999079 +x_0=155000 "
     "+y_0=463000", 3,
     grid(52.15616055555555, 5.38763888888889, [-3, -1, 0.4, 1.2, 3], [-3, -0.5, 0, 1.5, 3])),
    ("type09_stereographic.csv", "sterea_south",
     "+proj=sterea +lat_0=-41 +lon_0=173 +k=0.9999 +x_0=400000 +y_0=800000", 17,
     grid(-41, 173, [-4, -1, 0.5, 3], [-4, -0.7, 1, 4])),
    ("type09_stereographic.csv", "stere_north_a",
     "+proj=stere +lat_0=90 +lon_0=0 +k=0.994 +x_0=2000000 +y_0=2000000", 26,
     grid(0, 0, [60, 73, 84, 89.5], [-170, -90, -20, 0.5, 44, 135, 179])),
    ("type09_stereographic.csv", "stere_south_b",
     "+proj=stere +lat_0=-90 +lat_ts=-71 +lon_0=70 +x_0=6000000 +y_0=6000000", 26,
     grid(0, 0, [-89.5, -80, -75, -65, -55], [-160, -60, 10, 70.5, 120, 178])),
    ("type09_stereographic.csv", "stere_north_b",
     "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +x_0=0 +y_0=0", 26,
     grid(0, 0, [50, 66, 80, 89], [-170, -45.5, 10, 100])),
    ("type10_polyconic.csv", "poly",
     "+proj=poly +lat_0=0 +lon_0=-54 +x_0=5000000 +y_0=10000000", 42,
     grid(0, -54, [-33, -20, -5, -0.01, 0, 0.01, 3, 5.2], [-20, -8, -0.5, 0, 2, 20])),
    ("type10_polyconic.csv", "poly_north",
     "+proj=poly +lat_0=30 +lon_0=-96 +x_0=0 +y_0=0", 7,
     grid(30, -96, [-10, -2, 5, 20], [-15, -1, 3, 12])),
    ("type11_oblique_mercator.csv", "omerc_borneo",
     "+proj=omerc +lat_0=4 +lonc=115 +alpha=53.31582047222222 +gamma=53.13010236111111 +k=0.99984 "
     "+x_0=590476.87 +y_0=442857.65", 15,
     grid(4, 115, [-3, -1, 0.5, 1.38, 3], [-5, -1.5, 0, 0.8, 4])),
    ("type11_oblique_mercator.csv", "omerc_malaya",
     "+proj=omerc +no_uoff +lat_0=4 +lonc=102.25 +alpha=-36.9742095 +gamma=-36.86989763888889 "
     "+k=0.99984 +x_0=804670.24 +y_0=0", 48,
     grid(4, 102.25, [-3, -0.5, 1, 3], [-2.5, -0.4, 1, 2.5])),
    ("type11_oblique_mercator.csv", "omerc_alaska27",
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.6666666666667 +alpha=-36.86989764584402 "
     "+gamma=-36.86989764584402 +k=0.9999 +x_0=5000000 +y_0=-5000000", 7,
     grid(57, -133.6666666666667, [-3, -1, 0.5, 2], [-5, -1, 0.3, 4])),
    ("type11_oblique_mercator.csv", "omerc_alaska83",
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.6666666666667 +alpha=-36.86989764584402 "
     "+gamma=-36.86989764584402 +k=0.9999 +x_0=5000000 +y_0=-5000000", 17,
     grid(57, -133.6666666666667, [-3, -1, 0.5, 2], [-5, -1, 0.3, 4])),
    # The 1927 State Plane zones, in US survey feet: Texas South Central (Lambert), Alabama East
    # (Transverse Mercator), Alaska zone 1 (oblique Mercator), Michigan North (Lambert on the
    # enlarged ellipsoid).
    ("type12_state_plane_1927.csv", "spc27_lcc",
     "+proj=lcc +lat_0=27.8333333333333 +lon_0=-99 +lat_1=28.3833333333333 +lat_2=30.2833333333333 "
     "+x_0=609601.219202438 +y_0=0 +units=us-ft", 7,
     grid(29, -99, [-2, -0.5, 0.3, 1.5], [-3, -1, 0, 2.5])),
    ("type12_state_plane_1927.csv", "spc27_tm",
     "+proj=tmerc +lat_0=30.5 +lon_0=-85.8333333333333 +k=0.99996 +x_0=152400.30480061 +y_0=0 "
     "+units=us-ft", 7,
     grid(32.5, -85.8333333333333, [-2, -0.5, 1, 2.5], [-1.5, -0.3, 0.4, 1.5])),
    ("type12_state_plane_1927.csv", "spc27_hom",
     "+proj=omerc +no_uoff +lat_0=57 +lonc=-133.6666666666667 +alpha=-36.86989764584402 "
     "+gamma=-36.86989764584402 +k=0.9999 +x_0=5000000.001016 +y_0=-5000000.001016 +units=us-ft", 7,
     grid(57, -133.6666666666667, [-2, -0.5, 1], [-3, -0.5, 2])),
    ("type12_state_plane_1927.csv", "spc27_michigan",
     "+proj=lcc +lat_0=44.7833333333333 +lon_0=-87 +lat_1=45.4833333333333 +lat_2=47.0833333333333 "
     "+x_0=609601.219202438 +y_0=0 +k_0=1.0000382 +units=us-ft", 7,
     grid(46, -87, [-1.5, 0, 1.2], [-3, -0.5, 2])),
]

FIELD = {
    "x": re.compile(r"Easting \(x\):\s*(\S+)"),
    "y": re.compile(r"Northing \(y\):\s*(\S+)"),
    "h": re.compile(r"Meridian scale \(h\)\s*:\s*(\S+)"),
    "k": re.compile(r"Parallel scale \(k\)\s*:\s*(\S+)"),
    "c": re.compile(r"Convergence\s*:.*\[\s*(\S+)\s*\]"),
}


def run(case, points):
    _, name, definition, row, _ = case
    a, rf = ROWS[row]
    args = definition.split() + [f"+a={a!r}", f"+rf={rf!r}"]
    text = "".join(f"{lon} {lat}\n" for lat, lon in points)
    out = subprocess.run(["proj", "-V", "-f", "%.9f"] + args, input=text, capture_output=True, text=True,
                         check=True).stdout
    blocks = [b for b in out.split("Longitude:")[1:]]
    rows = []
    for (lat, lon), block in zip(points, blocks):
        v = {k: r.search(block).group(1) for k, r in FIELD.items()}
        rows.append(f"{name},{lat},{lon},{v['x']},{v['y']},{v['c']},{v['h']},{v['k']}")
    return definition + f" +a={a!r} +rf={rf!r}", rows


def main():
    version = subprocess.run(["proj"], capture_output=True, text=True)
    version = (version.stdout + version.stderr).splitlines()[0].split(",")[0]
    files = {}
    for case in CASES:
        definition, rows = run(case, case[4])
        f = files.setdefault(case[0], ["# case,latitude (deg),longitude (deg),easting,northing,convergence (deg),"
                                       "meridian scale h,parallel scale k",
                                       f"# proj -V -f %.9f <definition> ({version.strip()}), this folder's "
                                       "generate_type_fixtures.py"])
        f.append(f"# {case[1]}: {definition}")
        f.extend(rows)
    for name, lines in files.items():
        with open(name, "w") as out:
            out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
