#!/usr/bin/env python3
"""Writes the AIS decoding fixture: sentences made by the demo generator's encoder
(data/demo/make_navhost_demo.py) with values chosen to reach every field the host reads, and the
values gpsd's decoder gives for them, which the tests compare with the host's.

    python3 make_ais_fixture.py        # needs gpsdecode (Debian gpsd-clients)

Writes ais_sentences.nmea and ais_expected.csv beside itself. The tests never run gpsdecode.
"""
import csv
import importlib.util
import json
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
demo_loader = importlib.util.spec_from_file_location(
    "demo", os.path.join(HERE, "..", "..", "..", "data", "demo", "make_navhost_demo.py"))
demo = importlib.util.module_from_spec(demo_loader)
demo_loader.loader.exec_module(demo)

sentences = []
# Class A positions: north-east, south-west, and one with nothing available.
sentences += demo.aivdm(demo.ais_position_a(235012345, 54.142712, 2.992347, 5.7, 59.0, 59, status=0))
sentences += demo.aivdm(demo.ais_position_a(987654321, -33.861, -151.2005, 12.3, 301.4, 300, status=1))
sentences += demo.aivdm(demo.uint(3, 6) + demo.uint(0, 2) + demo.uint(244000001, 30) + demo.uint(5, 4) +
                        demo.uint(-128, 8) + demo.uint(1023, 10) + demo.uint(0, 1) + demo.uint(181 * 600000, 28) +
                        demo.uint(91 * 600000, 27) + demo.uint(3600, 12) + demo.uint(511, 9) + "0" * 38)
# Static and voyage data over two fragments.
sentences += demo.aivdm(demo.ais_static_a(235012345, "DEMO SUPPLIER", "MDEM1", 90, 60, 20, 8, 8), 2, 1, "3")
# Class B position and both parts of its static data.
sentences += demo.aivdm(demo.ais_position_b(235098765, 54.1535, 3.024652, 1.3, 359.4, 359), channel="B")
sentences += demo.aivdm(demo.ais_static_b_name(235098765, "GUARD BOAT"), channel="B")
sentences += demo.aivdm(demo.ais_static_b_dimensions(235098765, 37, "MGRD2", 10, 5, 3, 3), channel="B")

with open(os.path.join(HERE, "ais_sentences.nmea"), "w", newline="\r\n") as out:
    out.write("\n".join(sentences) + "\n")
decoded = subprocess.run(["gpsdecode", "-j"], input="\n".join(sentences) + "\n", capture_output=True, text=True,
                         check=True).stdout
columns = ["type", "mmsi", "lat", "lon", "speed", "course", "heading", "turn", "status", "shipname", "callsign",
           "shiptype", "to_bow", "to_stern", "to_port", "to_starboard", "part"]
with open(os.path.join(HERE, "ais_expected.csv"), "w", newline="") as out:
    writer = csv.writer(out, lineterminator="\r\n")
    writer.writerow(columns)
    for line in decoded.splitlines():
        record = json.loads(line)
        if record.get("class") != "AIS":
            continue
        writer.writerow(["" if record.get(c) is None else record.get(c) for c in columns])
