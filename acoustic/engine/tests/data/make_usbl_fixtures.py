#!/usr/bin/python3
"""USBL calibration fixtures: raw USBL readings made forward from a known transponder and known
misalignments with scipy's rotations, and a joint least-squares solution by scipy.

Frames: the vessel's body frame is forward, starboard, down (FRD) and the level frame north,
east, down (NED). A body vector reaches the level frame by the roll (about forward, positive
starboard down), then the pitch (about starboard, positive bow up), then the heading (about
down, clockwise from north): Rotation.from_euler("ZYX", [heading, pitch, roll]) applied to the
body vector. The engine's raw reading is X = starboard, Y = forward, Z = down.

The USBL is misaligned: the true attitude of its head is the vessel's heading + gyro correction
+ heading correction, pitch + pitch correction, roll + roll correction. Its slant range s is
short of the true range R as R = s * (actual / used speed) * scale + range error. The transducer
lies at the vessel's position plus the offsets (x starboard, y forward) turned by heading + gyro
correction, at depth "tz"; the grid is true (grid scale 1, convergence 0).

usbl_calibration.txt, one block per case:
    case <name> <gyro> <offset x> <offset y> <used speed> <actual speed> <trial E> <trial N> <trial D>
    obs <vessel E> <vessel N> <tz> <heading> <pitch> <roll> <X> <Y> <Z>
    want <E> <N> <heading corr> <pitch corr> <roll corr> <scale> <range error>
    tol <E> <N> <heading corr> <pitch corr> <roll corr> <scale> <range error>
Case "exact": no noise; want is the truth (heading correction 1.5, pitch 0.3, roll -0.2 degrees,
scale 1.002, range error 0.1 m) and tol the agreement asked of the engine. Case "noisy": each
raw component has N(0, 0.05 m) noise; want is scipy.optimize.least_squares (method "lm") over
all seven unknowns at once on the three components of every reading, and tol is five standard
errors of that estimate (0.05^2 (J'J)^-1 at the solution), or a floor where that is smaller
(1 mm, 0.001 degree, 2e-6 in scale): the engine solves in stages, from ranges and bearings,
so it agrees within the noise, not to the digit.

Each circle is sailed both ways (half the readings clockwise, half anticlockwise), as a
calibration is: a misaligned pitch or roll then shifts the readings of the two senses in
opposite directions instead of turning them all one way.

usbl_attitude.txt, in the same form: the same misaligned head read from three passes round the
transponder (150 m clockwise, 150 m anticlockwise, 250 m clockwise, 60 readings each), exact.
Case "attitude": the vessel lies trimmed 1 degree bow up and listed 1.5 degrees to port, and
pitches and rolls 2.5 degrees about that (sines of periods 7.3 and 11.7 readings): pitch from
-1.5 to 3.5, roll from -4 to 1 degrees. The engine must bring each reading level before it takes
its bearing, and find the heading correction within 0.05 degree of the truth. Case "level": the
same passes with the vessel level (pitch and roll 0), whose results must not change from those
the engine gave before it levelled the bearings; want and tol are the truth and a loose band.

Run once with Debian's python3-numpy and python3-scipy:
    /usr/bin/python3 acoustic/engine/tests/data/make_usbl_fixtures.py
The output is deterministic (fixed seed).
"""
import math
import os

import numpy as np
import scipy
from scipy.optimize import least_squares
from scipy.spatial.transform import Rotation

here = os.path.dirname(os.path.abspath(__file__))
rng = np.random.default_rng(712)
COMMAND = "/usr/bin/python3 acoustic/engine/tests/data/make_usbl_fixtures.py"

E0, N0, D0 = 431250.0, 6652310.0, 95.0
TRUE = dict(heading=1.5, pitch=0.3, roll=-0.2, scale=1.002, range_error=0.1)
GYRO, OX, OY, USED, ACTUAL, TZ = 0.5, 1.2, -3.5, 1500.0, 1490.0, 4.0


def transducer(ve, vn, heading):
    h = math.radians(heading + GYRO)
    return ve + OX * math.cos(h) + OY * math.sin(h), vn - OX * math.sin(h) + OY * math.cos(h)


def predict(obs, e, n, hc, pc, rc, scale, re):
    """Raw readings (X, Y, Z) the USBL gives for the transponder at (e, n, D0)."""
    out = []
    for ve, vn, tz, hd, pt, rl in obs:
        te, tn = transducer(ve, vn, hd)
        ned = np.array([n - tn, e - te, D0 - tz])
        rot = Rotation.from_euler("ZYX", np.radians([hd + GYRO + hc, pt + pc, rl + rc]))
        body = rot.inv().apply(ned)
        true_range = np.linalg.norm(ned)
        s = (true_range - re) / (scale * ACTUAL / USED)
        f, st, d = body * s / true_range
        out.append((st, f, d))
    return np.array(out)


def circles():
    obs = []
    for radius in (100.0, 180.0, 260.0, 340.0):
        for i in range(50):
            clockwise = i % 2 == 0
            a = 2 * math.pi * (i + 0.5 * (radius / 80.0)) / 50.0
            ve, vn = E0 + radius * math.sin(a), N0 + radius * math.cos(a)
            heading = math.degrees(a) + (90.0 if clockwise else -90.0)
            obs.append((round(ve, 3), round(vn, 3), TZ, round(heading % 360.0, 4), 0.0, 0.0))
    return obs


def passes(attitude):
    """Three passes of 60 readings round the transponder; the vessel pitching and rolling when
    `attitude`, else level."""
    obs = []
    for k, (radius, clockwise) in enumerate(((150.0, True), (150.0, False), (250.0, True))):
        for i in range(60):
            a = 2 * math.pi * (i + k / 3.0) / 60.0
            if not clockwise:
                a = -a
            ve, vn = E0 + radius * math.sin(a), N0 + radius * math.cos(a)
            heading = math.degrees(a) + (90.0 if clockwise else -90.0)
            j = 60 * k + i
            pitch = 1.0 + 2.5 * math.sin(2 * math.pi * j / 7.3 + 0.4) if attitude else 0.0
            roll = -1.5 + 2.5 * math.sin(2 * math.pi * j / 11.7 + 1.1) if attitude else 0.0
            obs.append((round(ve, 3), round(vn, 3), TZ, round(heading % 360.0, 4), round(pitch, 4), round(roll, 4)))
    return obs


def block(name, obs, raw, want, tol):
    lines = ["case %s %.3f %.3f %.3f %.3f %.3f %.3f %.3f %.3f" % (name, GYRO, OX, OY, USED, ACTUAL, E0 + 20.0,
                                                                N0 - 15.0, D0)]
    lines += ["obs %.3f %.3f %.3f %.4f %.4f %.4f %.6f %.6f %.6f" % (o + tuple(r)) for o, r in zip(obs, raw)]
    lines.append("want " + " ".join("%.9f" % w for w in want))
    lines.append("tol " + " ".join("%.9f" % t for t in tol))
    return lines


def main():
    out = ["# " + COMMAND, "# scipy %s, numpy %s" % (scipy.__version__, np.__version__)]
    obs = circles()
    truth = [E0, N0, TRUE["heading"], TRUE["pitch"], TRUE["roll"], TRUE["scale"], TRUE["range_error"]]
    raw = predict(obs, *truth)
    out += block("exact", obs, raw, truth, [0.01, 0.01, 0.01, 0.01, 0.01, 1e-6, 1e-4])

    sigma = 0.05
    noisy = raw + rng.normal(0.0, sigma, raw.shape)
    noisy = np.round(noisy, 6)

    def misfit(p):
        return (predict(obs, *p) - noisy).ravel()

    start = np.array([E0 + 20.0, N0 - 15.0, 0.0, 0.0, 0.0, 1.0, 0.0])
    sol = least_squares(misfit, start, method="lm", xtol=1e-15, ftol=1e-15, gtol=1e-15)
    jac = sol.jac
    cov = sigma ** 2 * np.linalg.inv(jac.T @ jac)
    floors = [0.001, 0.001, 0.001, 0.001, 0.001, 2e-6, 0.001]
    tol = [max(5.0 * math.sqrt(cov[i, i]), floors[i]) for i in range(7)]
    out += block("noisy", obs, noisy, sol.x, tol)
    with open(os.path.join(here, "usbl_calibration.txt"), "w") as f:
        f.write("\n".join(out) + "\n")

    out = ["# " + COMMAND, "# scipy %s, numpy %s" % (scipy.__version__, np.__version__)]
    for name, attitude in (("attitude", True), ("level", False)):
        obs = passes(attitude)
        out += block(name, obs, predict(obs, *truth), truth, [0.05, 0.05, 0.05, 0.05, 0.05, 1e-4, 0.01])
    with open(os.path.join(here, "usbl_attitude.txt"), "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
