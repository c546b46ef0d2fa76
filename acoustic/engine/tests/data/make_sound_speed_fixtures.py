#!/usr/bin/python3
"""Reference values for the sound-speed tests, computed with Debian's python3-gsw (TEOS-10).

practical_salinity.csv: 2000 points over T 0..30 degrees C (IPTS-68), S 2..42 and
p 0..10000 dbar: t68, S, p (dbar) and the conductivity ratio R = C / 42.914 mS/cm that
gsw.C_from_SP gives at t90 = t68 / 1.00024. gsw's practical salinity is the 1978 scale, so the
suite's salinity of R and its ratio of S must both come back to within 1e-4.

gsw_sound_speed.csv: 500 points over T 0..30 degrees C, S 30..40 and p 0..5000 dbar (at 0 E,
30 N): t, S, p (dbar) and gsw.sound_speed of the absolute salinity and conservative
temperature. The 2010 equation of state is a coarse peer of the older formulas (they differ
by a few tenths of a m/s), not a check value.

Run once with:
    /usr/bin/python3 acoustic/engine/tests/data/make_sound_speed_fixtures.py
The output is deterministic (fixed seed).
"""
import os

import gsw
import numpy as np

here = os.path.dirname(os.path.abspath(__file__))
rng = np.random.default_rng(1978)

n = 2000
t68 = rng.uniform(0.0, 30.0, n)
sp = rng.uniform(2.0, 42.0, n)
p = rng.uniform(0.0, 10000.0, n)
r = gsw.C_from_SP(sp, t68 / 1.00024, p) / 42.914
with open(os.path.join(here, "practical_salinity.csv"), "w") as f:
    f.write("# t68,S,p_dbar,R  (make_sound_speed_fixtures.py, gsw %s)\n" % gsw.__version__)
    for row in zip(t68, sp, p, r):
        f.write("%.10f,%.10f,%.10f,%.12f\n" % row)

m = 500
t = rng.uniform(0.0, 30.0, m)
sp = rng.uniform(30.0, 40.0, m)
p = rng.uniform(0.0, 5000.0, m)
sa = gsw.SA_from_SP(sp, p, 0.0, 30.0)
ct = gsw.CT_from_t(sa, t, p)
c = gsw.sound_speed(sa, ct, p)
with open(os.path.join(here, "gsw_sound_speed.csv"), "w") as f:
    f.write("# t,S,p_dbar,c  (make_sound_speed_fixtures.py, gsw %s)\n" % gsw.__version__)
    for row in zip(t, sp, p, c):
        f.write("%.10f,%.10f,%.10f,%.6f\n" % row)
