#!/usr/bin/env python3
"""Writes the NMEA test capture and, once, gpsd's reading of it.

    python3 nmea_fixtures.py capture   writes nmea_capture.nmea (needs nothing but Python)
    python3 nmea_fixtures.py gpsd      runs the capture through gpsd and writes
                                       nmea_gpsd_tpv.csv and nmea_gpsd_sky.csv

The second step needs Debian's gpsd and gpsd-clients; the tests need neither. It runs

    gpsfake -1 -q -p -r '?WATCH={"enable":true,"json":true}' nmea_capture.nmea

(gpsd fed from the file once, its JSON reports printed) and keeps the TPV of every second and
the SKY report that precedes it. The test compares them with what CGps decodes from the same file.

The capture: a vessel in the North Sea (UTM zone 31) at about 6.4 knots on 045 degrees,
40 one-second epochs from 23:59:50 UTC on 29 February 2024 across midnight into 1 March.
Every epoch has GGA, GSA, three GSV, GST, RMC, VTG and ZDA, in that order (the order of many
receivers: GSA before GSV). Epochs 20 to 27 have no fix: empty position fields, quality 0,
RMC status V, GSA fix type 1 and no signal levels.
"""
import csv
import datetime
import json
import math
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
CAPTURE = HERE / "nmea_capture.nmea"
EPOCHS = 40
NO_FIX = range(20, 28)
START = datetime.datetime(2024, 2, 29, 23, 59, 50, tzinfo=datetime.timezone.utc)

# PRN, elevation, azimuth, SNR at the start; the first eight are used in the fix.
SATELLITES = [
    (2, 62, 115, 47), (5, 18, 42, 38), (7, 71, 260, 49), (9, 34, 301, 44), (13, 9, 187, 31),
    (15, 45, 78, 45), (18, 27, 222, 41), (20, 55, 12, 46), (23, 4, 350, 0), (26, 12, 140, 29),
    (29, 7, 95, 25),
]
USED = [s[0] for s in SATELLITES[:8]]


def checksum(body):
    value = 0
    for ch in body:
        value ^= ord(ch)
    return "$%s*%02X" % (body, value)


def lat_field(deg):
    hemisphere = "N" if deg >= 0 else "S"
    deg = abs(deg)
    whole = int(deg)
    return "%02d%08.5f,%s" % (whole, (deg - whole) * 60.0, hemisphere)


def lon_field(deg):
    hemisphere = "E" if deg >= 0 else "W"
    deg = abs(deg)
    whole = int(deg)
    return "%03d%08.5f,%s" % (whole, (deg - whole) * 60.0, hemisphere)


def epoch_lines(i):
    t = START + datetime.timedelta(seconds=i)
    hms = t.strftime("%H%M%S") + ".00"
    ddmmyy = t.strftime("%d%m%y")
    fix = i not in NO_FIX
    speed = 6.4 + 0.1 * math.sin(i / 5.0)
    course = 45.0 + 1.5 * math.sin(i / 7.0)
    # Dead reckoning on a sphere is plenty for a test track.
    dist = 6.4 * 1852.0 / 3600.0 * i
    lat = 56.0 + 30.12345 / 60.0 + dist * math.cos(math.radians(45.0)) / 111320.0
    lon = 2.0 + 10.56789 / 60.0 + dist * math.sin(math.radians(45.0)) / (111320.0 * math.cos(math.radians(lat)))
    alt = 12.3 + 0.4 * math.sin(i / 3.0)
    lines = []
    if fix:
        quality = 2 if i >= 30 else 1
        lines.append(checksum("GPGGA,%s,%s,%s,%d,08,0.9,%.1f,M,50.1,M,,"
                              % (hms, lat_field(lat), lon_field(lon), quality, alt)))
        prns = ",".join("%02d" % p for p in USED) + ",,,,"
        lines.append(checksum("GPGSA,A,3,%s,1.6,0.9,1.3" % prns))
    else:
        lines.append(checksum("GPGGA,%s,,,,,0,00,99.99,,M,,M,," % hms))
        lines.append(checksum("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99"))
    sats = []
    for prn, el, az, snr in SATELLITES:
        el = min(90, el + i // 15)
        az = (az + i // 10) % 360
        level = "" if (not fix or snr == 0) else "%02d" % min(99, snr + (i % 3) - 1)
        sats.append("%02d,%02d,%03d,%s" % (prn, el, az, level))
    messages = (len(sats) + 3) // 4
    for m in range(messages):
        group = sats[4 * m:4 * m + 4]
        lines.append(checksum("GPGSV,%d,%d,%02d,%s" % (messages, m + 1, len(sats), ",".join(group))))
    if fix:
        lines.append(checksum("GPGST,%s,1.2,0.9,0.6,35.0,0.8,0.7,1.5" % hms))
        lines.append(checksum("GPRMC,%s,A,%s,%s,%.1f,%.1f,%s,,,%s"
                              % (hms, lat_field(lat), lon_field(lon), speed, course, ddmmyy,
                                 "D" if i >= 30 else "A")))
        lines.append(checksum("GPVTG,%.1f,T,,M,%.1f,N,%.1f,K,A" % (course, speed, speed * 1.852)))
    else:
        lines.append(checksum("GPRMC,%s,V,,,,,,,%s,,,N" % (hms, ddmmyy)))
        lines.append(checksum("GPVTG,,T,,M,,N,,K,N"))
    lines.append(checksum("GPZDA,%s,%s,%s,%s,00,00" % (hms, t.strftime("%d"), t.strftime("%m"), t.strftime("%Y"))))
    return lines


def write_capture():
    with open(CAPTURE, "w", newline="") as out:
        for i in range(EPOCHS):
            for line in epoch_lines(i):
                out.write(line + "\r\n")
    print("wrote", CAPTURE)


def run_gpsd():
    version = subprocess.run(["gpsd", "-V"], capture_output=True, text=True).stdout.strip()
    run = subprocess.run(["gpsfake", "-1", "-q", "-p", "-r", '?WATCH={"enable":true,"json":true}', str(CAPTURE)],
                         capture_output=True, text=True, timeout=300)
    # gpsd reports a TPV at the end of each second and the SKY of a second before its TPV, with
    # no time of its own: a SKY belongs to the TPV that follows it.
    tpv = {}
    sky = {}
    pending_sky = None
    for line in run.stdout.splitlines():
        if not line.startswith("{"):
            continue
        report = json.loads(line)
        if report.get("class") == "SKY" and "satellites" in report:
            pending_sky = report
        elif report.get("class") == "TPV" and "time" in report:
            tpv[report["time"]] = report
            if pending_sky is not None:
                sky[report["time"]] = pending_sky
                pending_sky = None
    header = "# gpsfake -1 -q -p -r '?WATCH={\"enable\":true,\"json\":true}' nmea_capture.nmea (%s)" % version
    with open(HERE / "nmea_gpsd_tpv.csv", "w", newline="") as out:
        out.write(header + "\n")
        out.write("# time,mode,lat (deg),lon (deg),altMSL (m),speed (m/s),track (deg)\n")
        w = csv.writer(out, lineterminator="\n")
        for time in sorted(tpv):
            r = tpv[time]
            w.writerow([time, r.get("mode", 0), r.get("lat", ""), r.get("lon", ""),
                        r.get("altMSL", r.get("alt", "")), r.get("speed", ""), r.get("track", "")])
    with open(HERE / "nmea_gpsd_sky.csv", "w", newline="") as out:
        out.write(header + "\n")
        out.write("# time,PRN,el (deg),az (deg),ss (dB-Hz),used\n")
        w = csv.writer(out, lineterminator="\n")
        for time in sorted(sky):
            for s in sorted(sky[time]["satellites"], key=lambda s: s["PRN"]):
                w.writerow([time, s["PRN"], s.get("el", ""), s.get("az", ""), s.get("ss", ""),
                            1 if s.get("used") else 0])
    print("wrote nmea_gpsd_tpv.csv (%d rows), nmea_gpsd_sky.csv (%d epochs)" % (len(tpv), len(sky)))


if __name__ == "__main__":
    if len(sys.argv) != 2 or sys.argv[1] not in ("capture", "gpsd"):
        sys.exit(__doc__)
    write_capture() if sys.argv[1] == "capture" else run_gpsd()
