#!/usr/bin/env python3
"""Exact anchor cables for the anchor-cable tests, from an independent solver in scipy. Run from
this folder:
    /usr/bin/python3 make_exact_cables.py
Writes exact_cables.txt; the tests read it and never run this script.

The solver here integrates the equilibrium of an inextensible cable along its length with
scipy.integrate.solve_ivp (DOP853): with H the horizontal tension (kgf), V the vertical force
(kgf, positive while the cable goes down in the direction of integration) and w the weight per
metre of the section at hand,
    dx/ds = H / T,  dy/ds = -V / T,  dV/ds = -w,  T = sqrt(H^2 + V^2),
section by section, and meets the ends of each cable by shooting with scipy.optimize.brentq.
It shares no formula with the program's closed-form catenary.

The cables are the ones the program solves:
- "onbottom": an On Bottom anchor without buoys and without a terrain model. The seabed is the
  program's straight profile (from the water depth at the fairlead, the slope to the depth at
  the anchor carried on 500 m past it, in equal steps of at least 5 m); the cable hangs from the
  fairlead (its level above the water) with the top tension, touching the seabed without passing
  through it: hung over a level seabed at the depth at which it just reaches the seabed line,
  tangent to it where the seabed slopes, past its lowest point (its catenary rising on) where
  the seabed rises toward the anchor (brentq on that depth, the deepest dip of the cable below
  the seabed found on a fine grid and refined by minimize_scalar); or, when the cable hung over
  the seabed's depth at the anchor reaches the anchor still hanging and clear of the seabed,
  lifting the anchor ("lifted"). The ground chain and, below an upper section, the lower
  section keep their lengths at the anchor end; the section at the fairlead is paid out as far as
  the anchor's range needs. The drawn cable lies on the seabed itself from the touchdown on.
  Given: the touchdown (the anchor when lifted) and the drawn depth at every seabed point to the
  anchor.
- "live": a Live anchor without buoys, pennant mode 0: between the fairlead and the tug's
  fairlead (both levels given as depths), the upper section (when flagged) paid out at the
  fairlead and the lower section of its length at the tug, over a level seabed at the greatest
  depth short of the tug. Given: the lowest point (its depth, or the length lying) and the drawn
  depths.
- "range": the anchor's range for a top tension with every section of its length, hung from a
  height over the seabed (touchdown span, range).
- "between": a cable of fixed sections between two supports over a base level, the top tension
  at support 1 (lowest point's height over the base, span).
- "crossing": a pipeline under one of the "onbottom" cables: the true clearance over its top at
  the crossing and the clearance setting below which the cable no longer enters the pipeline's
  alarm circle (the program's 21-point sweep of the upper half circle).
"""
import math

import numpy as np
from scipy.integrate import solve_ivp
from scipy.optimize import brentq

RTOL = 1e-12
ATOL = 1e-10
FREE = math.inf


class Run:
    """The cable integrated from one end: its pieces (dense solutions over arc length)."""

    def __init__(self):
        self.parts = []  # (s0, s1, w, solution)
        self.bottom = None  # (s, x, y) where V first reaches 0
        self.end = None  # (s, x, y, V)


def integrate(H, V0, y0, pieces, stop_at_bottom=False, stop_x=None):
    """Integrates from x = 0, height y0, over pieces [(w, length)] in order; a length of FREE
    runs until the integration stops (at V = 0 when stop_at_bottom, or at x = stop_x)."""
    run = Run()
    state = np.array([0.0, y0, V0])
    s = 0.0
    for w, length in pieces:
        def rhs(_, z, w=w):
            T = math.hypot(H, z[2])
            return [H / T, -z[2] / T, -w]

        events = []
        if stop_at_bottom and w > 0 and state[2] > 0:
            bottom = lambda _, z: z[2]
            bottom.terminal = True
            bottom.direction = -1
            events.append(bottom)
        if stop_x is not None:
            reach = lambda _, z: z[0] - stop_x
            reach.terminal = True
            reach.direction = 1
            events.append(reach)
        span = length if length != FREE else 1e7
        sol = solve_ivp(rhs, (s, s + span), state, method="DOP853", rtol=RTOL, atol=ATOL,
                        dense_output=True, events=events or None)
        s1 = sol.t[-1]
        run.parts.append((s, s1, w, sol.sol))
        state = sol.y[:, -1]
        if sol.status == 1:
            if stop_at_bottom and events and sol.t_events[0].size and w > 0 and run.bottom is None \
                    and abs(state[2]) < 1e-6 * max(1.0, H):
                run.bottom = (s1, state[0], state[1])
            run.end = (s1, state[0], state[1], state[2])
            return run
        s = s1
    run.end = (s, state[0], state[1], state[2])
    return run


def height_at(run, x):
    """The height of an integrated cable at horizontal distance x from its start (`run` may also
    be a function of x that gives it)."""
    if callable(run):
        return run(x)
    for s0, s1, _, sol in run.parts:
        x0, x1 = sol(s0)[0], sol(s1)[0]
        if x <= x1:
            if x <= x0:
                return sol(s0)[1]
            return sol(brentq(lambda t: sol(t)[0] - x, s0, s1, xtol=1e-13))[1]
    return run.end[2]


def lowest_point(run):
    """The lowest height along an integrated cable."""
    low = min(run.end[2], run.parts[0][3](run.parts[0][0])[1])
    for s0, s1, _, sol in run.parts:
        ss = np.linspace(s0, s1, 2001)
        ys = sol(ss)[1]
        i = int(np.argmin(ys))
        if 0 < i < len(ss) - 1:
            from scipy.optimize import minimize_scalar
            r = minimize_scalar(lambda t: sol(t)[1], bounds=(ss[i - 1], ss[i + 1]), method="bounded",
                                options={"xatol": 1e-10})
            low = min(low, r.fun)
        low = min(low, ys[i])
    return low


def root_below(f, top):
    """The root of f(H) for H below `top`, found by stepping H down from the top until f changes
    sign (H too small for a cable of that reach raises, and is stepped over)."""
    hi, fhi = top, f(top)
    H = top
    for _ in range(400):
        H *= 0.97
        try:
            fl = f(H)
        except ValueError:
            continue
        if (fl > 0) != (fhi > 0):
            return brentq(f, H, hi, xtol=1e-10)
        hi, fhi = H, fl
    raise ValueError("no root")


def straight_seabed(water, anchor_depth, rng):
    """The program's straight seabed profile (ranges, depths) without a terrain model."""
    reach = rng + 500.0
    end = water
    if anchor_depth > 0 and anchor_depth != water:
        end = anchor_depth + (anchor_depth - water) * 500.0 / rng
    n = min(max(int(math.floor(reach / 5.0)), 1), 500)
    ranges = [reach * k / n for k in range(n + 1)]
    depths = [water + (end - water) * k / n for k in range(n + 1)]
    return ranges, depths


def index_at(ranges, r):
    return next(i for i in range(1, len(ranges)) if ranges[i] >= r)


def seabed_depth(ranges, depths, x):
    return float(np.interp(x, ranges, depths))


def solve_on_bottom(T, fairlead, d_ref, D, fixed, free_w):
    """Fairlead `fairlead` m above the water, level seabed at d_ref, anchor D m off, fixed pieces
    [(w, L)] from the anchor end, the top section of weight free_w paid out. Returns the run from
    the fairlead, the touchdown (or None when lifted) and the height of the top."""
    Tk = 1000.0 * T
    h = d_ref + fairlead
    total_fixed = sum(L for _, L in fixed)

    def shoot(H, lf):
        pieces = [(free_w, lf)] + list(reversed(fixed))
        run = integrate(H, math.sqrt(Tk * Tk - H * H), h, pieces, stop_at_bottom=True)
        s, x, y, _ = run.end
        if run.bottom is not None:
            return run, y, x + (lf + total_fixed - s)
        return run, y, x

    def free_length(H):
        f = lambda lf: shoot(H, lf)[2] - D
        return brentq(f, 1e-9, 10 * (D + h), xtol=1e-11)

    def miss(H):
        return shoot(H, free_length(H))[1]

    H = brentq(miss, 1e-3 * Tk, Tk * (1 - 1e-12), xtol=1e-10)
    run, _, _ = shoot(H, free_length(H))
    touchdown = run.bottom[1] if run.bottom is not None else None
    return run, touchdown, h, H


def solve_live(T, fairlead, tug, d_ref, D, lower, upper_w):
    """Fairlead level -fairlead, tug level `tug` (depths), level seabed at d_ref, D apart; the
    lower section (w, L) fixed at the tug, the upper section of weight upper_w paid out at the
    fairlead (lower paid out when upper_w is None). Cable clear of the seabed."""
    Tk = 1000.0 * T
    h1, h2 = d_ref + fairlead, d_ref - tug

    def pieces(lf):
        if upper_w is None:
            return [(lower[0], lf)]
        return [(upper_w, lf), lower]

    def shoot(H, lf):
        run = integrate(H, math.sqrt(Tk * Tk - H * H), h1, pieces(lf))
        return run

    def free_length(H):
        return brentq(lambda lf: shoot(H, lf).end[1] - D, 1e-6, 20 * D, xtol=1e-11)

    def miss(H):
        return shoot(H, free_length(H)).end[2] - h2

    H = root_below(miss, Tk * (1 - 1e-12))
    return shoot(H, free_length(H)), h1, H


def solve_live_lying(T, fairlead, tug, d_ref, D, w):
    """As solve_live for one weight paid out, the cable lying on the seabed between its ends."""
    Tk = 1000.0 * T
    h1, h2 = d_ref + fairlead, d_ref - tug
    first = lambda H: integrate(H, math.sqrt(Tk * Tk - H * H), h1, [(w, FREE)], stop_at_bottom=True)
    H = brentq(lambda H: first(H).end[2], 1e-3 * Tk, Tk * (1 - 1e-12), xtol=1e-10)
    side1 = first(H)
    x1 = side1.end[1]
    # The far side rises from where it leaves the seabed to the tug: integrated back from there.
    rise = lambda L: integrate(H, 0.0, 0.0, [(w, L)]).end
    # V = 0 on the seabed: integrate up a length L of cable with V going negative.
    Lr = brentq(lambda L: rise(L)[2] - h2, 1e-6, 10 * D, xtol=1e-11)
    x2 = rise(Lr)[1]
    lying = D - x1 - x2
    return side1, x1, x2, lying, h1, h2, H, Lr


def solve_range(T, h, pieces_from_top):
    """The anchor range for top tension T, every piece fixed, the top h m over the seabed."""
    Tk = 1000.0 * T
    total = sum(L for _, L in pieces_from_top)
    shoot = lambda H: integrate(H, math.sqrt(Tk * Tk - H * H), h, pieces_from_top, stop_at_bottom=True)
    H = brentq(lambda H: shoot(H).end[2], 1e-3 * Tk, Tk * (1 - 1e-12), xtol=1e-10)
    run = shoot(H)
    assert run.bottom is not None, "the cable must touch down"
    s, x, _, _ = run.end
    return x, x + total - s, H


def solve_between(T, base, s1, s2, pieces_from_1):
    """Fixed pieces between supports at levels s1, s2 over base level `base`; tension at s1."""
    Tk = 1000.0 * T
    h1, h2 = base - s1, base - s2
    shoot = lambda H: integrate(H, math.sqrt(Tk * Tk - H * H), h1, pieces_from_1)
    H = brentq(lambda H: shoot(H).end[2] - h2, 1e-3 * Tk, Tk * (1 - 1e-12), xtol=1e-10)
    run = shoot(H)
    return lowest_point(run), run.end[1], H


def fmt(v):
    return "%.9f" % v


out = ["# /usr/bin/python3 make_exact_cables.py (in zuduzuro/tests/data)"]

# Sections: (weight kg/m in water, length m). The upper section is a wire, the lower one a
# chain, the ground chain a heavier chain.
WIRE, CHAIN, GROUND = 30.0, 110.0, 160.0

# The cables of several sections hang from the fairlead through the wire and the chain into the
# ground chain; their anchors lie where the same cable of fixed lengths (the wire paid out as
# given) reaches: the range solved below with every section fixed.
THREE_30_LIGHT = (15.0, 40.0, (CHAIN, 40.0), (GROUND, 80.0))   # tension, wire out, lower, chain
THREE_30_HEAVY = (40.0, 100.0, (CHAIN, 60.0), (GROUND, 80.0))
THREE_300_LIGHT = (60.0, 600.0, (CHAIN, 100.0), (GROUND, 150.0))
THREE_300_HEAVY = (100.0, 900.0, (CHAIN, 100.0), (GROUND, 100.0))


def anchored(fairlead, water, three):
    """The range of a three-section cable over a level seabed, every section of its length."""
    T, wire, lower, chain = three
    return solve_range(T, water + fairlead, [(WIRE, wire), lower, chain])[1]


onbottom_cases = [
    # name, tension t, fairlead level m, water depth m, depth at anchor m, range m, upper, lower, chain
    ("single-30-light", 12.0, 5.0, 30.0, 0.0, 500.0, None, (CHAIN, 0.0), None),
    ("single-30-heavy", 60.0, 5.0, 30.0, 0.0, 1200.0, None, (CHAIN, 0.0), None),
    ("single-300-light", 45.0, 8.0, 300.0, 0.0, 1500.0, None, (CHAIN, 0.0), None),
    ("single-300-heavy", 150.0, 8.0, 300.0, 0.0, 2500.0, None, (CHAIN, 0.0), None),
    ("single-30-lifted", 60.0, 5.0, 30.0, 0.0, 120.0, None, (CHAIN, 0.0), None),
    ("single-slope-down", 20.0, 5.0, 30.0, 45.0, 900.0, None, (CHAIN, 0.0), None),
    ("single-slope-up", 80.0, 8.0, 300.0, 260.0, 2000.0, None, (CHAIN, 0.0), None),
]
for tag, fairlead, water, three in (("30-light", 5.0, 30.0, THREE_30_LIGHT), ("30-heavy", 5.0, 30.0, THREE_30_HEAVY),
                                    ("300-light", 8.0, 300.0, THREE_300_LIGHT),
                                    ("300-heavy", 8.0, 300.0, THREE_300_HEAVY)):
    T, wire, lower, chain = three
    onbottom_cases.append(("three-" + tag, T, fairlead, water, 0.0, round(anchored(fairlead, water, three), 6), WIRE,
                           lower, chain))
onbottom_cases.append(("three-slope-down", 15.0, 5.0, 30.0, 42.0, 400.0, WIRE, (CHAIN, 40.0), (GROUND, 80.0)))
crossing_from = "single-30-light"

def onto_seabed(T, FL, D, fixed, free_w, ranges, depths):
    """The On Bottom cable touching the seabed line without passing through it."""
    from scipy.optimize import minimize_scalar
    seabed = lambda x: seabed_depth(ranges, depths, x)

    def miss(x):
        _, touchdown, _, _ = solve_on_bottom(T, FL, seabed(x), D, fixed, free_w)
        return (touchdown if touchdown is not None else D) - x

    # The level of the seabed where the cable, hung over that level, comes down to it.
    if miss(D) >= 0:
        level = seabed(D)
    else:
        level = seabed(brentq(miss, 1e-3, D, xtol=1e-9))

    def hanging(level):
        """The cable hung over `level`, its last section's catenary going on past its lowest
        point (integrated on from there) rather than lying."""
        run, touchdown, h, H = solve_on_bottom(T, FL, level, D, fixed, free_w)
        if touchdown is None:
            return run, run, touchdown, h, H
        s, x, y, _ = run.end
        w = run.parts[-1][2]
        on = integrate(H, 0.0, y, [(w, FREE)], stop_x=D - x + 1.0)
        height = lambda u: height_at(run, u) if u <= x else height_at(on, u - x)
        return height, run, touchdown, h, H

    def dip(level):
        """The deepest the cable hung over `level` passes below the seabed, and where."""
        height, _, _, _, _ = hanging(level)
        if not callable(height):
            run = height
            height = lambda u: height_at(run, u)
        below = lambda x: (level - height(x)) - seabed(x)
        xs = np.linspace(0.0, D, 4001)
        i = int(np.argmax([below(x) for x in xs]))
        lo, hi = xs[max(i - 1, 0)], xs[min(i + 1, len(xs) - 1)]
        r = minimize_scalar(lambda x: -below(x), bounds=(lo, hi), method="bounded", options={"xatol": 1e-9})
        return max((below(x), x) for x in (xs[i], r.x, D))

    deepest, _ = dip(level)
    if deepest > 1e-6:
        step = 0.1
        while dip(level - step)[0] > 0:
            step *= 2
        level = brentq(lambda A: dip(A)[0], level - step, level, xtol=1e-10)
        height, run, _, h, H = hanging(level)
        contact = dip(level)[1]
        return (height if callable(height) else run), (contact if contact < D else None), h, H, level
    return solve_on_bottom(T, FL, level, D, fixed, free_w) + (level,)


for name, T, FL, WD, DA, D, upper, lower, chain in onbottom_cases:
    ranges, depths = straight_seabed(WD, DA, D)
    n = index_at(ranges, D)
    fixed = []
    if chain is not None:
        fixed.append(chain)
    if upper is not None:
        fixed.append(lower)
        free_w = upper
    else:
        free_w = lower[0]
    run, touchdown, h, H, d_ref = onto_seabed(T, FL, D, fixed, free_w, ranges, depths)
    line = ("case name=%s kind=onbottom tension=%s fairlead=%s water=%s anchordepth=%s range=%s"
            % (name, T, FL, WD, DA, D))
    line += " upper=%s,%s" % ((upper, 5000.0) if upper is not None else (0.0, 0.0))
    line += " lower=%s,%s" % ((lower[0], lower[1] if upper is not None else 5000.0))
    line += " chain=%s,%s" % (chain if chain is not None else (0.0, 0.0))
    out.append(line)
    out.append("result touchdown=%s lifted=%d reference=%s horizontal=%s"
               % (fmt(touchdown if touchdown is not None else D), touchdown is None, fmt(d_ref), fmt(H)))
    for k in range(n + 1):
        x = ranges[k]
        cable = d_ref - height_at(run, x) if (touchdown is None or x <= touchdown) else math.inf
        out.append("point %s %s" % (fmt(x), fmt(min(cable, depths[k]))))
    # Between the seabed points too: the cable as solved, held up by the seabed.
    for x in np.linspace(0.0, D, 37)[1:-1]:
        x = float(x) + 0.37
        cable = d_ref - height_at(run, x) if (touchdown is None or x <= touchdown) else math.inf
        out.append("between %s %s" % (fmt(x), fmt(min(cable, seabed_depth(ranges, depths, x)))))
    out.append("end")
    if name == crossing_from:
        # A 24-inch pipeline at 40 % of the touchdown distance.
        dia = 24 * 0.0254
        xp = 0.4 * touchdown
        z = seabed_depth(ranges, depths, xp)
        cable_at = lambda x: min(d_ref - height_at(run, x) if x <= touchdown else math.inf,
                                 seabed_depth(ranges, depths, x))
        clearance = (z - dia) - cable_at(xp)

        def sweep(c):
            """How far the cable passes below the alarm circle at its worst of the 21 points."""
            r = dia + c
            worst = -math.inf
            for i in range(21):
                a = math.pi / 2 + i * math.pi / 20
                worst = max(worst, cable_at(xp + r * math.sin(a)) - (z + r * math.cos(a)))
            return worst

        threshold = brentq(sweep, 0.0, 3.0 * clearance + 10.0, xtol=1e-10)
        out.append("case name=%s-pipeline kind=crossing of=%s" % (name, name))
        out.append("result distance=%s seabed=%s diameter=24 clearance=%s threshold=%s"
                   % (fmt(xp), fmt(z), fmt(clearance), fmt(threshold)))
        out.append("end")

live_cases = [
    # name, tension t, fairlead level, tug level (depth), water, range, lower (w, L), upper weight
    ("live-single-300", 160.0, 8.0, -4.0, 300.0, 1200.0, (CHAIN, 0.0), None),
    ("live-two-300", 80.0, 8.0, -4.0, 300.0, 1600.0, (CHAIN, 500.0), WIRE),
]
for name, T, FL, C, WD, D, lower, upper_w in live_cases:
    ranges, depths = straight_seabed(WD, 0.0, D)
    n = index_at(ranges, D)
    d_ref = max(depths[:n])
    run, h1, H = solve_live(T, FL, C, d_ref, D, lower, upper_w)
    low = lowest_point(run)
    assert low > 1.0, "the cable must hang clear of the seabed"
    line = ("case name=%s kind=live tension=%s fairlead=%s tug=%s water=%s range=%s"
            % (name, T, FL, C, WD, D))
    line += " upper=%s,%s" % ((upper_w, 0.0) if upper_w is not None else (0.0, 0.0))
    line += " lower=%s,%s useupper=%d" % (lower[0], lower[1] if upper_w is not None else 5000.0,
                                          upper_w is not None)
    out.append(line)
    out.append("result lowest=%s lying=0 horizontal=%s" % (fmt(d_ref - low), fmt(H)))
    for k in range(n + 1):
        x = ranges[k]
        out.append("point %s %s" % (fmt(x), fmt(min(d_ref - height_at(run, min(x, D)), depths[k]))))
    out.append("end")

# Live, one weight, lying between its ends in shallow water.
name, T, FL, C, WD, D, w = "live-lying-30", 30.0, 5.0, -3.0, 30.0, 1500.0, CHAIN
ranges, depths = straight_seabed(WD, 0.0, D)
n = index_at(ranges, D)
d_ref = max(depths[:n])
side1, x1, x2, lying, h1, h2, H, Lr = solve_live_lying(T, FL, C, d_ref, D, w)
out.append("case name=%s kind=live tension=%s fairlead=%s tug=%s water=%s range=%s upper=0,0 lower=%s,5000 useupper=0"
           % (name, T, FL, C, WD, D, w))
out.append("result lowest=%s lying=%s touchdown=%s horizontal=%s" % (fmt(d_ref), fmt(lying), fmt(x1), fmt(H)))
rise = integrate(H, 0.0, 0.0, [(w, Lr)])
for k in range(n + 1):
    x = ranges[k]
    if x <= x1:
        y = height_at(side1, x)
    elif x <= x1 + lying:
        y = 0.0
    else:
        y = height_at(rise, min(x - x1 - lying, x2))
    out.append("point %s %s" % (fmt(x), fmt(min(d_ref - y, depths[k]))))
out.append("end")

range_cases = [
    # name, tension t, height m, pieces from the top (upper, lower, chain)
    ("range-three-30-light", 15.0, 35.0, [(WIRE, 40.0), (CHAIN, 40.0), (GROUND, 80.0)]),
    ("range-three-30-heavy", 40.0, 35.0, [(WIRE, 100.0), (CHAIN, 60.0), (GROUND, 80.0)]),
    ("range-three-300-light", 60.0, 308.0, [(WIRE, 600.0), (CHAIN, 100.0), (GROUND, 150.0)]),
    ("range-three-300-heavy", 100.0, 308.0, [(WIRE, 900.0), (CHAIN, 100.0), (GROUND, 100.0)]),
]
for name, T, h, pieces in range_cases:
    span, rng, H = solve_range(T, h, pieces)
    out.append("case name=%s kind=range tension=%s height=%s upper=%s,%s lower=%s,%s chain=%s,%s"
               % (name, T, h, pieces[0][0], pieces[0][1], pieces[1][0], pieces[1][1], pieces[2][0],
                  pieces[2][1]))
    out.append("result touchdown=%s range=%s horizontal=%s" % (fmt(span), fmt(rng), fmt(H)))
    out.append("end")

between_cases = [
    # name, tension t, base level, support 1 level, support 2 level, pieces from support 1
    ("between-three-300", 70.0, 300.0, -8.0, 60.0, [(WIRE, 400.0), (CHAIN, 300.0), (GROUND, 100.0)]),
    ("between-three-30", 40.0, 30.0, -5.0, 12.0, [(WIRE, 120.0), (CHAIN, 60.0), (GROUND, 30.0)]),
]
for name, T, base, s1, s2, pieces in between_cases:
    low, span, H = solve_between(T, base, s1, s2, pieces)
    assert low > 1.0, "the cable must hang clear of the seabed"
    out.append("case name=%s kind=between tension=%s base=%s support1=%s support2=%s upper=%s,%s lower=%s,%s chain=%s,%s"
               % (name, T, base, s1, s2, pieces[0][0], pieces[0][1], pieces[1][0], pieces[1][1],
                  pieces[2][0], pieces[2][1]))
    out.append("result lowest=%s span=%s horizontal=%s" % (fmt(low), fmt(span), fmt(H)))
    out.append("end")

with open("exact_cables.txt", "w") as f:
    f.write("\n".join(out) + "\n")
