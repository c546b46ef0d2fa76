#!/usr/bin/python3
"""The peer of SoundSpeedBench: TEOS-10 (python3-gsw) over the same 100 000 points, vectorised:
practical salinity from conductivity, then the speed of sound. Prints the best of five wall
times in seconds. Run by the benchmark itself; by hand:
    /usr/bin/python3 acoustic/engine/bench/sound_speed_gsw.py
"""
import time

import gsw
import numpy as np

n = 100000
depth = np.linspace(0.0, 5000.0, n)
t = 25.0 - 23.0 * depth / 5000.0
sp = np.full(n, 35.0)
lat = np.degrees(1.0)
p = gsw.p_from_z(-depth, lat)
c = gsw.C_from_SP(sp, t, p)

best = float("inf")
for _ in range(5):
    start = time.perf_counter()
    s = gsw.SP_from_C(c, t, p)
    sa = gsw.SA_from_SP(s, p, 0.0, lat)
    ct = gsw.CT_from_t(sa, t, p)
    speed = gsw.sound_speed(sa, ct, p)
    best = min(best, time.perf_counter() - start)
print("%.6f" % best)
