#!/usr/bin/env python3
"""Writes data/motors.csv, the bundled demo catalogue of compressed-air motors.

Run by hand (the build only reads the CSV):

    python3 tools/catalogue/generate_catalogue.py            # writes data/motors.csv
    python3 tools/catalogue/generate_catalogue.py --out X.csv

The output is deterministic: a fixed random seed varies the figures of the
catalogue, so a re-run produces the same file byte for byte.

Physical model (all curves valid at 6.3 bar; n in r/min, M in Nm, L in l/s):

* Each motor has a free speed n0 and a stall torque Ts. With x = n / n0 the
  torque is  M(n) = Ts * (1 - x) * (1 + k1*x + k2*x^2 + k3*x^3),  i.e. a
  straight line from Ts at standstill to 0 at free speed with a small
  curvature (|k| <= 0.12, so the curve falls monotonically). The degree
  intGradtal_M is 2, 3 (most motors) or 4. Expanding in powers of n gives the
  coefficients sngC0_M..sngC4_M; C0 = Ts exactly.
* Air consumption rises with speed from about 40 % of the free-speed figure at
  standstill:  L(n) = Lf * (a0 + a1*x + a2*x^2 + a3*x^3)  with a0 = 0.38..0.45
  and the a's summing to 1, so L(n0) = Lf. Degree intGradtal_L 2, 3 or 4.
* Power P(n) = 2*pi*M(n)*n / 60000 kW; its maximum lies near n0/2.
* Every coefficient is rounded to single precision first; all derived figures
  are then computed from those rounded curves: sngVarvMaxeff is the speed of
  maximum power (found numerically, rounded to whole r/min, to 0.1 r/min below
  2000 r/min free speed), sngMomentMaxeff = M(sngVarvMaxeff), sngMaxEffekt =
  2*pi*M*n/60000 there, sngLuftMaxeff = L(sngVarvMaxeff), sngLuftforbrTomgang
  = L(n0). sngMinStartMoment is 70-85 % of Ts.
* A gear of ratio i and efficiency eta turns a motor (n0, Ts) into one with
  free speed n0/i and stall torque Ts*i*eta; the air curve is the motor's own,
  taken at motor speed n*i. sngUtvaxling = i (1 = no gear).
* Specific air consumption at maximum power falls slowly with size (about
  36 l/s per kW for the smallest motors, 25 for the largest). Weight grows with
  power and gear size; the relative price with size and options.

Designation grammar (what the program reads from it):

* TKM: "TKM<ff>-<rot><code>..." where rot is A (clockwise, txtRotation A),
  AV (counter-clockwise, V) or AR (reversible, R) and code is the nominal free
  speed in tens of r/min. "RL-" before rot marks the stainless execution;
  brake motors (always reversible) carry "B-" before rot or "-B-S" after the
  code; "-VG2-A-15", "-VG3-B-17", "-VG14-A-7", "-HG931-B-33" are angle-gear
  variants A/B ending in the ratio; "-BG" a variant ordered with a mounting
  position (always after a code ending in 5, giving "5-BG"); "-LF"
  lubrication-free; "-F" flange execution. TKM66 and TKM77 use a blank after
  the family ("TKM66 A020-").
* TKS: ungeared "TKS<ff>-[<var>-]<code>[-U]" with var L (lube-free), RL
  (stainless), SL (silenced), R-SL (stainless silenced), M (flange), BG; a
  trailing "-U" is the unrestricted twin of a restricted motor. Geared
  "TKS<ff>-<vv>-UAA-<stage code>-<code>" (multi-stage gear, "UA" at positions
  10-11, gear code at 14-16), "TKS<ff>-<vv>-BS <a>-<code>" (worm gear of
  centre distance a mm, "BS" at 10-11) or "TKS<ff>-<vv>-PG<n>-<code>"
  (planetary gear).
* PGW: "PGW<ff>-<rot><code>" with a maximum allowed speed in
  sngMax_VarvDiagram on most motors.
* A designation whose first part number carries a variant code ("11 ", "15 ")
  ends in "-": the result table appends the code, giving "TKM54-A020-11".
"""

import argparse
import csv
import io
import math
import os
import random
import struct
import sys
from decimal import Decimal

COLUMNS = [
    "intKatalogindex", "intSokindex", "strBenamning", "strDetaljnr1", "strDetaljnr2", "strDetaljnr3",
    "txtRotation", "bolLubricationFree", "bolStainless", "bolBrake", "sngTomgVarvtal",
    "sngLuftforbrTomgang", "sngMaxEffekt", "sngMomentMaxeff", "sngLuftMaxeff", "sngVarvMaxeff",
    "sngMinStartMoment", "sngPris", "strMattskiss", "intGearsteps", "sngUtvaxling", "sngVikt",
    "intGradtal_M", "sngC0_M", "sngC1_M", "sngC2_M", "sngC3_M", "sngC4_M",
    "intGradtal_L", "sngC0_L", "sngC1_L", "sngC2_L", "sngC3_L", "sngC4_L",
    "bolOldMotor", "bolVeryOld", "sngMin_VarvDiagram", "sngMax_VarvDiagram",
]

NULL = "\\N"
SEED = 20170112
TWO_PI = 8.0 * math.atan(1.0)  # 2 * sngPi, sngPi = 4 * arctan(1)


# ---------------------------------------------------------------- numbers --

def f32(value):
    """Nearest single-precision value (as a Python float)."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def fmt_f32(value):
    """Shortest decimal text that reads back as the same single-precision value."""
    value = f32(value)
    if value == 0.0:
        return "0"
    for digits in range(1, 10):
        text = "%.*g" % (digits, value)
        if f32(float(text)) == value:
            break
    if "e" in text:
        exponent = int(text.split("e")[1])
        if exponent >= -4:
            # Plain notation for ordinary magnitudes keeps the file readable.
            text = format(Decimal(text), "f")
        else:
            mantissa, _ = text.split("e")
            text = "%se-%02d" % (mantissa, -exponent)
    if "." in text and "e" not in text:
        text = text.rstrip("0").rstrip(".")
    return text


def poly(coeffs, degree, n):
    """Curve value the way the program forms it: sum of C_k * n^k, k <= degree."""
    return sum(coeffs[k] * n ** k for k in range(degree + 1))


def expand(shape, scale, n0):
    """Coefficients in powers of n of scale * shape(x), x = n / n0 (shape lists powers of x)."""
    return [scale * a / n0 ** k for k, a in enumerate(shape)] + [0.0] * (5 - len(shape))


def torque_shape(ks):
    """(1 - x) * (1 + k1 x + k2 x^2 + ...) as a list of powers of x."""
    inner = [1.0] + list(ks)
    out = [0.0] * (len(inner) + 1)
    for k, a in enumerate(inner):
        out[k] += a
        out[k + 1] -= a
    return out


def air_shape(a0, rest):
    """a0 + a1 x + ... with the a's summing to 1; rest are the relative weights of a1.."""
    total = sum(rest)
    return [a0] + [(1.0 - a0) * r / total for r in rest]


def max_power_speed(cm, gm, n0):
    """Speed of maximum of 2*pi*M(n)*n/60000 on [0, n0], golden-section refined."""
    def power(n):
        return poly(cm, gm, n) * n
    steps = 400
    best = max(range(1, steps), key=lambda j: power(n0 * j / steps))
    lo, hi = n0 * (best - 1) / steps, n0 * (best + 1) / steps
    ratio = (math.sqrt(5.0) - 1.0) / 2.0
    for _ in range(100):
        a = hi - ratio * (hi - lo)
        b = lo + ratio * (hi - lo)
        if power(a) < power(b):
            lo = a
        else:
            hi = b
    return (lo + hi) / 2.0


# ------------------------------------------------------------------ motor --

class Motor:
    """One catalogue row; figures are derived from the curves in finish()."""

    def __init__(self, name, **kw):
        self.name = name
        self.series = name[:3]
        self.family = name[:5]
        self.rotation = kw.get("rotation", "A")
        self.lube_free = kw.get("lube_free", 0)
        self.stainless = kw.get("stainless", 0)
        self.brake = kw.get("brake", 0)
        self.ratio = kw.get("ratio", 1.0)
        self.gearsteps = kw.get("gearsteps", 0)
        self.old = kw.get("old", 0)
        self.very_old = kw.get("very_old", 0)
        self.essential = kw.get("essential", False)
        self.part = kw.get("part", ("", NULL, NULL))
        self.drawing = kw.get("drawing", "?")
        self.min_diagram = kw.get("min_diagram", 0.0)
        self.max_diagram = kw.get("max_diagram", 0.0)
        self.price = kw.get("price", 0.0)
        self.weight = kw.get("weight", 0.0)
        self.true_value = kw.get("true_value", 1)  # legacy rows store True as -1
        self.n0 = kw["n0"]
        self.power = kw["power"]  # target output power at the maximum-power point, kW
        self.air_free = kw["air_free"]  # l/s at free speed
        self.gm = kw.get("gm", 3)
        self.gl = kw.get("gl", 3)
        self.ks = kw["ks"]
        self.air_a0 = kw["air_a0"]
        self.air_rest = kw["air_rest"]
        self.start_share = kw["start_share"]

    def finish(self):
        n0 = self.n0
        shape = torque_shape(self.ks[: self.gm - 1])
        x_peak = max(range(1, 1000), key=lambda j: poly(shape, self.gm, j / 1000.0) * j / 1000.0) / 1000.0
        peak = poly(shape, self.gm, x_peak) * x_peak
        stall = self.power * 60000.0 / (TWO_PI * n0 * peak)
        self.cm = [f32(c) for c in expand(shape, stall, n0)]
        ashape = air_shape(self.air_a0, self.air_rest[: self.gl])
        self.cl = [f32(c) for c in expand(ashape, self.air_free, n0)]
        self.stall = self.cm[0]
        n_peak = max_power_speed(self.cm, self.gm, n0)
        n_peak = round(n_peak, 1) if n0 < 2000 else float(round(n_peak))
        self.n_maxeff = f32(n_peak)
        self.m_maxeff = f32(poly(self.cm, self.gm, self.n_maxeff))
        self.p_maxeff = f32(TWO_PI * self.m_maxeff * self.n_maxeff / 60000.0)
        self.l_maxeff = f32(poly(self.cl, self.gl, self.n_maxeff))
        self.l_free = f32(poly(self.cl, self.gl, n0))
        self.min_start = f32(round(self.start_share * self.stall, 3 if self.stall < 10 else 1))

    def flag(self, value):
        return str(self.true_value) if value else "0"

    def row(self, katalogindex, sokindex):
        d1, d2, d3 = self.part
        return [
            str(katalogindex), str(sokindex), self.name, d1, d2, d3, self.rotation,
            self.flag(self.lube_free), self.flag(self.stainless), self.flag(self.brake),
            fmt_f32(self.n0), fmt_f32(self.l_free), fmt_f32(self.p_maxeff), fmt_f32(self.m_maxeff),
            fmt_f32(self.l_maxeff), fmt_f32(self.n_maxeff), fmt_f32(self.min_start),
            fmt_f32(self.price), self.drawing, str(self.gearsteps), fmt_f32(self.ratio),
            fmt_f32(self.weight), str(self.gm)] + [fmt_f32(c) for c in self.cm] + [
            str(self.gl)] + [fmt_f32(c) for c in self.cl] + [
            self.flag(self.old), self.flag(self.very_old),
            fmt_f32(self.min_diagram), fmt_f32(self.max_diagram),
        ]


# -------------------------------------------------------------- catalogue --

class Builder:
    """Collects motors in catalogue order (series, family, speed)."""

    def __init__(self, seed=SEED):
        self.rng = random.Random(seed)
        self.motors = []
        self.serial = 0

    # --- shared helpers
    def part_body(self, prefix="8"):
        """A plain 12-character part number such as "8110 2234 10"."""
        self.serial += 1
        s = self.serial
        return "%s%03d %04d %02d" % (prefix, 110 + s // 97, (2234 + 37 * s) % 10000, (10 + 3 * s) % 100)

    def code(self, n0):
        return "%03d" % round(n0 / 10.0)

    def curve_kw(self, n0, motor_power, out_power, motor_kw):
        """Curve parameters. motor_power is the power of this motor before the gear (it sets the
        air consumption), out_power the power at the shaft, motor_kw the family's nominal power."""
        rng = self.rng
        specific = 30.0 * motor_kw ** -0.09  # l/s per kW at maximum power
        gm = rng.choices([2, 3, 4], weights=[2, 10, 1])[0]
        gl = rng.choices([2, 3, 4], weights=[2, 10, 1])[0]
        ks = [rng.uniform(-0.12, 0.08), rng.uniform(-0.06, 0.06), rng.uniform(-0.03, 0.03)]
        a0 = rng.uniform(0.38, 0.45)
        rest = [rng.uniform(0.7, 0.9), rng.uniform(0.12, 0.25), rng.uniform(-0.05, 0.04), rng.uniform(0.0, 0.02)]
        ashape = air_shape(a0, rest[:gl])
        air_at_half = poly(ashape, gl, 0.5)
        air_free = specific * motor_power / air_at_half
        return dict(n0=n0, power=out_power, air_free=air_free, gm=gm, gl=gl, ks=ks, air_a0=a0,
                    air_rest=rest, start_share=rng.uniform(0.70, 0.85))

    def add(self, name, n0_motor, kw_motor, ratio=1.0, eff=1.0, **kw):
        """Adds a motor whose own (ungeared) free speed is n0_motor, behind a gear of ratio/eff."""
        rng = self.rng
        power = kw_motor * rng.uniform(0.96, 1.04)
        n0 = n0_motor / ratio
        n0 = round(n0, 1) if n0 < 100 else float(round(n0))
        args = self.curve_kw(n0, power, power * eff, kw_motor)
        args.update(kw)
        args.setdefault("ratio", ratio)
        m = Motor(name, **args)
        self.motors.append(m)
        return m


def weight_of(kw, ratio, stainless=0, brake=0, base=2.6):
    w = base * kw ** 0.8
    if ratio != 1.0:
        w *= 1.35 + 0.1 * math.log10(ratio)
    if stainless:
        w *= 1.12
    if brake:
        w *= 1.18
    return round(w, 2 if w < 10 else 1)


def price_of(kw, ratio, stainless=0, brake=0, lube_free=0, base=100.0):
    p = base * (1.0 + 2.2 * kw ** 0.7)
    if ratio != 1.0:
        p *= 1.4 + 0.05 * math.log10(ratio)
    if stainless:
        p *= 1.6
    if brake:
        p *= 1.3
    if lube_free:
        p *= 1.15
    return round(p, 1)


# TKM families: motor power (kW) and the motor's own (ungeared) free speed (r/min).
TKM_FAMILIES = [
    ("TKM14", 0.40, 20000.0),
    ("TKM22", 0.80, 12000.0),
    ("TKM33", 1.30, 10000.0),
    ("TKM34", 1.80, 9000.0),
    ("TKM42", 2.60, 7000.0),
    ("TKM46", 3.30, 6500.0),
    ("TKM54", 4.20, 6000.0),
    ("TKM66", 5.50, 5500.0),
    ("TKM77", 7.50, 5000.0),
]


def gear_for(ratio):
    """(steps, efficiency) of the gear a TKM motor needs for this ratio."""
    if ratio == 1.0:
        return 0, 1.0
    if ratio <= 6.0:
        return 1, 0.95
    if ratio <= 40.0:
        return 2, 0.92
    return 3, 0.88


class TkmBlock:
    """Builds one TKM family from a list of variant specs."""

    def __init__(self, builder, family, kw, n0_motor):
        self.b = builder
        self.family = family
        self.kw = kw
        self.n0_motor = n0_motor
        self.sep = " " if family in ("TKM66", "TKM77") else "-"

    def motor(self, rot, code_speed, *, prefix="", suffix="", rotation=None, stainless=0, brake=0,
              lube_free=0, parts="plain", drawing=None, essential=False, old=0, price_zero=False,
              true_value=1, min_diagram=0.0):
        b = self.b
        # Near the motor's own speed the motor runs ungeared (reversible motors are a little slower).
        ungeared = code_speed >= self.n0_motor * 0.85
        ratio = 1.0 if ungeared else round(self.n0_motor / code_speed, 2)
        own_n0 = code_speed if ungeared else self.n0_motor
        steps, eff = gear_for(ratio)
        code = "%03d" % round(code_speed / 10.0)
        name = "%s%s%s%s%s" % (self.family, self.sep, prefix, rot + code, suffix)
        if rotation is None:
            rotation = {"A": "A", "AV": "V", "AR": "R"}[rot]
        if brake:
            rotation = "R"
        if suffix.endswith("-A-") or suffix.endswith("-B-"):
            name += "%d" % round(ratio)  # angle-gear variants end in their ratio
        elif not suffix and parts in ("plain", "plain2", "plain3", "12") and self.family >= "TKM42":
            name += "-F"  # flange execution; the speed code is always followed by a '-'
        part, name = self.parts(parts, name)
        if drawing is None:
            stem = self.family + ("B" if brake else "G" if ratio != 1.0 else "A")
            drawing = stem + ("S" if stainless else "")
        m = b.add(name, own_n0, self.kw, ratio, eff, rotation=rotation, stainless=stainless,
                  brake=brake, lube_free=lube_free, gearsteps=steps, part=part, drawing=drawing,
                  essential=essential, old=old, true_value=true_value, min_diagram=min_diagram,
                  weight=weight_of(self.kw, ratio, stainless, brake),
                  price=0.0 if price_zero else price_of(self.kw, ratio, stainless, brake, lube_free))
        return m

    def parts(self, kind, name):
        """Part numbers of one row; names of rows with variant-coded numbers end in '-'."""
        b = self.b
        body = b.part_body()
        if kind == "plain":
            return (body, NULL, NULL), name
        if kind == "plain2":
            return (body, b.part_body(), NULL), name
        if kind == "plain3":
            return (body, b.part_body(), b.part_body()), name
        if kind == "12":  # a "12" number first is not a variant code for the table
            return ("12 " + body, NULL, NULL), name
        if kind == "11-12":
            return ("11 " + body, "12 " + b.part_body(), NULL), name + "-"
        if kind == "15-12":
            return ("15 " + body, "12 " + b.part_body(), NULL), name + "-"
        if kind == "11-15":
            return ("11 " + body, "15 " + b.part_body(), NULL), name + "-"
        if kind == "11":
            return ("11 " + body, NULL, NULL), name + "-"
        if kind == "11short":  # the older short form "11 4501 2030"
            return ("11 %04d %04d" % (4500 + b.serial % 97, 2030 + b.serial), NULL, NULL), name + "-"
        if kind == "11-plain":
            return ("11 " + body, b.part_body(), NULL), name + "-"
        if kind == "15":
            return ("15 " + body, NULL, NULL), name + "-"
        raise ValueError(kind)


def build_tkm(b):
    fam = {f: TkmBlock(b, f, kw, n0) for f, kw, n0 in TKM_FAMILIES}

    # TKM14: small motors; explosion marking follows the gear ratio.
    t = fam["TKM14"]
    t.motor("A", 20000, parts="11-12", drawing="TKM14A11,TKM14A12")
    t.motor("AV", 20000)
    t.motor("AR", 18000, parts="11short")
    for sp in (8000, 5000, 3000, 2000, 1200, 1000):
        t.motor("A", sp, parts="plain2")
    for sp in (5000, 2000, 1000):
        t.motor("AV", sp)
        t.motor("AR", sp, parts="11-plain")
    t.motor("A", 3000, suffix="-VG14-A-", parts="plain2", essential=True)
    t.motor("A", 3000, suffix="-VG14-B-", parts="plain2", essential=True)
    t.motor("A", 1500, prefix="RL-", stainless=1, parts="11")
    t.motor("AR", 1500, prefix="RL-", stainless=1)
    t.motor("AR", 3000, suffix="-B-S", brake=1, essential=True)
    t.motor("AR", 2500, suffix="-B-S", brake=1)
    t.motor("A", 8000, suffix="-LF", lube_free=1)
    t.motor("A", 12000, old=1)

    # TKM22
    t = fam["TKM22"]
    t.motor("A", 12000, parts="11-12", drawing="TKM22A11,TKM22A12")
    t.motor("AV", 12000, parts="plain2")
    t.motor("AR", 11000, parts="15-12", drawing="TKM22R15,TKM22R12")
    for sp in (6000, 4000, 2500, 1500, 800, 500, 250):
        t.motor("A", sp, parts="plain2")
    for sp in (4000, 1500, 500):
        t.motor("AV", sp)
        t.motor("AR", sp, parts="11")
    t.motor("A", 800, suffix="-VG2-A-", parts="plain2", essential=True)
    t.motor("A", 800, suffix="-VG2-B-", parts="plain2", essential=True)
    t.motor("A", 2500, prefix="RL-", stainless=1, parts="11-12", drawing="TKM22AS11,TKM22AS12")
    t.motor("AR", 800, prefix="RL-", stainless=1)
    t.motor("AR", 1500, suffix="-B-S", brake=1, essential=True)
    t.motor("AR", 500, suffix="-B-S", brake=1)
    t.motor("A", 450, suffix="-BG", essential=True)
    t.motor("A", 6000, suffix="-LF", lube_free=1, parts="12")
    t.motor("A", 16000, parts="plain2")  # high-speed rotor
    t.motor("A", 9000, old=1)
    t.motor("AV", 250, old=1, true_value=-1)

    # TKM33
    t = fam["TKM33"]
    t.motor("A", 10000, parts="11-12", drawing="TKM33A11,TKM33A12")
    t.motor("AV", 10000, parts="plain3")
    t.motor("AR", 9500, parts="11-15", drawing="TKM33R11, TKM33R15")
    for sp in (5000, 3200, 2000, 1200, 600, 300, 150):
        t.motor("A", sp, parts="plain2")
    for sp in (3200, 1200, 300):
        t.motor("AV", sp)
        t.motor("AR", sp, parts="11")
    t.motor("A", 600, suffix="-VG3-A-", essential=True)
    t.motor("A", 600, suffix="-VG3-B-", essential=True)
    t.motor("A", 300, suffix="-HG931-A-", essential=True)
    t.motor("A", 300, suffix="-HG931-B-", essential=True)
    t.motor("A", 2000, prefix="RL-", stainless=1)
    t.motor("AR", 600, prefix="RL-", stainless=1, parts="11")
    t.motor("AR", 1200, suffix="-B-S", brake=1, essential=True)
    t.motor("AR", 300, suffix="-B-S", brake=1, price_zero=True)
    t.motor("A", 250, suffix="-BG", essential=True)
    t.motor("A", 3200, suffix="-LF", lube_free=1)
    t.motor("A", 14000)  # high-speed rotor
    t.motor("A", 7000, old=1)

    # TKM34
    t = fam["TKM34"]
    t.motor("A", 9000, parts="11-12", drawing="TKM34A11,TKM34A12")
    t.motor("AV", 9000)
    t.motor("AR", 8500, parts="11")
    for sp in (4500, 2800, 1700, 1000, 500, 250, 120):
        t.motor("A", sp, parts="plain2")
    for sp in (2800, 1000, 250):
        t.motor("AV", sp)
        t.motor("AR", sp, parts="11-plain")
    t.motor("A", 1000, suffix="-VG14-A-", essential=True)
    t.motor("A", 1000, suffix="-VG14-B-", essential=True)
    t.motor("A", 1700, prefix="RL-", stainless=1)
    t.motor("AR", 500, prefix="RL-", stainless=1)
    t.motor("AR", 1000, prefix="B-", brake=1, essential=True)
    t.motor("AR", 250, prefix="B-", brake=1)
    t.motor("A", 450, suffix="-BG", essential=True)
    t.motor("A", 4500, suffix="-LF", lube_free=1, min_diagram=500.0)
    t.motor("A", 12000)  # high-speed rotor
    t.motor("A", 6000, old=1)
    t.motor("AV", 120, old=1)

    # TKM42: T110 only for the listed leading texts.
    t = fam["TKM42"]
    t.motor("A", 7000, parts="11-12", drawing="TKM42A11,TKM42A12")
    t.motor("AV", 7000)
    t.motor("AR", 6500, parts="11")
    for sp in (2000, 650, 400, 250):  # "TKM42-A200-" ... listed
        t.motor("A", sp, parts="11-12", essential=True, drawing="TKM42G11,TKM42G12")
    for sp in (1700, 500, 300, 200):  # "TKM42-AR170" ... listed
        t.motor("AR", sp, parts="plain2", essential=True)
    for sp in (4000, 1200, 150, 100):  # not listed: T85
        t.motor("A", sp, parts="plain2")
    for sp in (2000, 650, 400, 250):  # counter-clockwise is not listed for TKM42
        t.motor("AV", sp)
    t.motor("A", 250, suffix="-HG931-A-", essential=True)
    t.motor("A", 250, suffix="-HG931-B-", essential=True)
    t.motor("A", 400, prefix="RL-", stainless=1)
    t.motor("AR", 300, prefix="RL-", stainless=1)
    t.motor("AR", 500, suffix="-B-S", brake=1, essential=True)
    t.motor("AR", 200, suffix="-B-S", brake=1)
    t.motor("A", 650, suffix="-LF", lube_free=1)
    t.motor("A", 5000, old=1)
    t.motor("AR", 1000, old=1)

    # TKM46: T110 for the listed codes after the family (positions 7..11) or "RL-" codes (7..14).
    t = fam["TKM46"]
    t.motor("A", 6500, parts="11-12", drawing="TKM46A11,TKM46A12")
    t.motor("AV", 6500)
    t.motor("AR", 6000, parts="11")
    for sp in (250, 400, 650, 2000):
        t.motor("A", sp, essential=True, parts="plain2")
        t.motor("AV", sp, essential=True)
    for sp in (200, 300, 500, 1700):
        t.motor("AR", sp, essential=True, parts="11")
    for sp in (100, 50, 150, 250, 400, 650, 2000):
        t.motor("A", sp, prefix="RL-", stainless=1, essential=True)
    for sp in (40, 70, 100, 200, 300, 500, 1700):
        t.motor("AR", sp, prefix="RL-", stainless=1, essential=True)
    for sp in (3500, 1200, 120):  # not listed: T85
        t.motor("A", sp, parts="plain2")
    t.motor("AV", 100)
    t.motor("AR", 300, prefix="B-", brake=1, essential=True)
    t.motor("AR", 120, prefix="B-", brake=1)
    t.motor("A", 650, suffix="-BG", essential=True)
    t.motor("A", 1200, suffix="-LF", lube_free=1)
    t.motor("A", 4500, old=1)
    t.motor("AV", 1200, old=1)

    # TKM54: T110 decided on the table cell text, i.e. with the appended variant code.
    t = fam["TKM54"]
    t.motor("A", 6000, parts="11-12", drawing="TKM54A11,TKM54A12")
    t.motor("AV", 6000)
    t.motor("AR", 5500, parts="11")
    for sp in (200, 300, 500, 1800):  # "A020-11" in column 0, "A020-12" (T85) in column 1
        t.motor("A", sp, parts="11-12", essential=True, drawing="TKM54G11,TKM54G12")
    for sp in (150, 200, 350, 1300):  # "AR015-1"
        t.motor("AR", sp, parts="11", essential=True)
    for sp in (200, 300, 500, 1800):  # "AV020-1"
        t.motor("AV", sp, parts="15-12", essential=True, drawing="TKM54G15,TKM54G12")
    for sp in (3000, 800, 100):  # not listed
        t.motor("A", sp, parts="plain2")
    t.motor("A", 4500, parts="plain2")
    t.motor("A", 500, parts="plain")  # listed code, but no "-11" in the cell text: T85
    t.motor("AR", 150, prefix="B-", brake=1, parts="11", essential=True)  # "B-AR015"
    t.motor("AR", 350, prefix="B-", brake=1)
    t.motor("A", 300, prefix="RL-", stainless=1)
    t.motor("AR", 200, prefix="RL-", stainless=1, parts="11")
    t.motor("A", 800, suffix="-LF", lube_free=1)
    t.motor("A", 4000, old=1)
    t.motor("AR", 800, old=1)

    # TKM66: listed codes at positions 7..11; some drawings are web documents.
    t = fam["TKM66"]
    t.motor("A", 5500, parts="11-12", drawing="TKM66A11,TKM66A12")
    t.motor("AV", 5500)
    t.motor("AR", 5000, parts="11")
    for sp in (200, 300, 500, 1800):
        t.motor("A", sp, parts="plain2", essential=True,
                drawing="https://drawings.example.com/tkm66-a%03d.pdf" % round(sp / 10))
    for sp in (150, 200, 350, 1300):
        t.motor("AR", sp, parts="11", essential=True)
    for sp in (4000, 3000, 800, 120, 80):  # not listed
        t.motor("A", sp, parts="plain2")
    for sp in (200, 500):
        t.motor("AV", sp)
    t.motor("AR", 350, suffix="-B-S", brake=1, essential=True)
    t.motor("AR", 150, suffix="-B-S", brake=1)
    t.motor("A", 500, prefix="RL-", stainless=1)
    t.motor("A", 800, suffix="-LF", lube_free=1, drawing="?")
    t.motor("A", 3500, old=1)

    # TKM77: the largest motors.
    t = fam["TKM77"]
    t.motor("A", 5000, parts="11-12", drawing="TKM77A11,TKM77A12")
    t.motor("AV", 5000)
    t.motor("AR", 4500, parts="11short")
    t.motor("A", 270, parts="plain2", essential=True, drawing="https://drawings.example.com/tkm77-a027.pdf")
    t.motor("AR", 240, parts="11", essential=True)
    for sp in (4000, 3000, 1500, 800, 500, 150, 100):  # not listed
        t.motor("A", sp, parts="plain2")
    for sp in (800, 240):
        t.motor("AV", sp)
    for sp in (1500, 500):
        t.motor("AR", sp, parts="11-plain")
    t.motor("AR", 270, suffix="-B-S", brake=1, essential=True)
    t.motor("A", 500, prefix="RL-", stainless=1)
    t.motor("A", 1500, suffix="-LF", lube_free=1)
    t.motor("A", 2500, old=1)


# TKS families: motor power (kW), restricted free speed (r/min), multi-stage gear codes.
TKS_FAMILIES = [
    ("TKS03", 0.12, 12000.0, ("241", "344", "347")),
    ("TKS05", 0.25, 11000.0, ("241", "344", "347")),
    ("TKS15", 0.50, 9000.0, ("244", "347")),
    ("TKS25", 0.80, 8000.0, ("247", "351")),
    ("TKS35", 1.20, 7000.0, ("251", "351")),
]

# Ungeared variants: (designation part, lube-free, stainless).
TKS_VARIANTS = [("", 0, 0), ("L", 1, 0), ("RL", 0, 1), ("SL", 0, 0), ("R-SL", 0, 1), ("M", 0, 0)]


def build_tks(b):
    rng = b.rng
    for idx, (family, kw, n0, stage_codes) in enumerate(TKS_FAMILIES):
        def add(name, ratio, eff, steps, *, lube_free=0, stainless=0, parts=None, unrestricted=False,
                rotation="R", drawing=None, old=0, essential=False, true_value=1, speed=None):
            own_n0 = (speed or n0) * (1.35 if unrestricted else 1.0)
            own_kw = kw * (1.3 if unrestricted else 1.0)
            if parts is None:
                parts = (b.part_body(), NULL, NULL)
            if drawing is None:
                drawing = family + ("G" if ratio != 1.0 else "") + ("S" if stainless else "")
            m = b.add(name, own_n0, own_kw, ratio, eff, rotation=rotation, lube_free=lube_free,
                      stainless=stainless, gearsteps=steps, part=parts, drawing=drawing, old=old,
                      essential=essential, true_value=true_value,
                      weight=weight_of(kw, ratio, stainless, base=3.4),  # a twin differs inside only
                      price=price_of(own_kw, ratio, stainless, 0, lube_free, base=80.0))
            if unrestricted:
                m.air_free *= 1.08  # the restrictor is gone: more air at free speed
            return m

        code = b.code
        # Ungeared restricted motors and their unrestricted twins.
        for var, lube, steel in TKS_VARIANTS:
            stem = "%s-%s" % (family, var + "-" if var else "")
            add(stem + code(n0), 1.0, 1.0, 0, lube_free=lube, stainless=steel, essential=True)
            if var in ("", "L", "RL"):
                add(stem + code(n0) + "-U", 1.0, 1.0, 0, lube_free=lube, stainless=steel, unrestricted=True,
                    essential=True)
        # Slower restricted motors with variant-coded part numbers.
        slow = round(n0 * 0.6, -2)
        body = b.part_body()
        add("%s-%s-" % (family, code(slow)), 1.0, 1.0, 0, speed=slow,
            parts=("11 " + body, "12 " + b.part_body(), NULL),
            drawing="%sA11,%sA12" % (family, family))
        if family[-1] in "5":
            add("%s-BG-%s" % (family, code(n0)), 1.0, 1.0, 0, essential=True)
        # Multi-stage gears: "UA" at 10-11, gear code at 14-16.
        for gc in stage_codes:
            stages = int(gc[0])
            ratios = (5.0, 12.0, 24.0) if stages == 2 else (40.0, 90.0)
            eff = 0.9 if stages == 2 else 0.86
            for r in ratios:
                r = round(r * rng.uniform(0.95, 1.05), 2)
                add("%s-ST-UAA-%s-%s" % (family, gc, code(n0 / r)), r, eff, stages, essential=True,
                    rotation=rng.choice(["R", "R", "A"]))
        r = round(8.0 * rng.uniform(0.95, 1.05), 2)
        add("%s-SL-UAA-%s-%s" % (family, stage_codes[0], code(n0 / r)), r, 0.9, int(stage_codes[0][0]))
        r = round(15.0 * rng.uniform(0.95, 1.05), 2)
        add("%s-RL-UAA-%s-%s" % (family, stage_codes[0], code(n0 / r)), r, 0.9, int(stage_codes[0][0]),
            stainless=1)
        r = round(40.0 * rng.uniform(0.95, 1.05), 2)
        add("%s-LF-UAA-%s-%s" % (family, stage_codes[-1], code(n0 / r)), r, 0.86, int(stage_codes[-1][0]),
            lube_free=1,
            rotation=NULL if idx == 1 else "R")
        # Worm gears: "BS " at 10-12, centre distance from 13.
        centre = (25, 32, 40, 50, 63)[idx]
        for r in (10.0, 30.0):
            add("%s-ST-BS %d-%s" % (family, centre, code(n0 / r)), r, 0.7 if r < 20 else 0.55, 1,
                essential=True, rotation="A")
        # Planetary gears: other gear, default pressure family.
        for r in (4.0, 16.0):
            add("%s-ST-PG%d-%s" % (family, 1 if r < 10 else 2, code(n0 / r)), r, 0.95 if r < 10 else 0.9,
                1 if r < 10 else 2, rotation=NULL if (idx, r) == (3, 16.0) else "R")
        add("%s-%s" % (family, code(n0 * 0.85)), 1.0, 1.0, 0, old=1, speed=round(n0 * 0.85, -2),
            true_value=-1 if idx == 2 else 1)


PGW_FAMILIES = [
    ("PGW03", 0.30, 6000.0),
    ("PGW06", 0.60, 5500.0),
    ("PGW11", 1.10, 5000.0),
    ("PGW17", 1.70, 4500.0),
    ("PGW24", 2.40, 4000.0),
]


def build_pgw(b):
    for idx, (family, kw, n0) in enumerate(PGW_FAMILIES):
        allowed = round(n0 * 0.75, -2)
        for r, rot in ((1.0, "A"), (1.0, "R"), (3.0, "R"), (6.0, "A"), (12.0, "R"), (25.0, "A")):
            eff = 1.0 if r == 1.0 else 0.93 if r < 10 else 0.88
            steps = 0 if r == 1.0 else 1 if r < 10 else 2
            name = "%s-%s%s" % (family, rot, b.code(n0 / r))
            max_speed = allowed / r
            max_speed = round(max_speed, 1) if max_speed < 100 else float(round(max_speed))
            parts = (b.part_body(), NULL, NULL)
            drawing = family + ("G" if r != 1.0 else "A")
            min_diagram = 0.0
            if (idx, r) == (1, 1.0):
                max_speed = allowed + 0.5  # fractions in the field are held as whole numbers
            if (idx, r) == (2, 1.0):
                max_speed = allowed - 0.5
            if (idx, r) == (3, 3.0):
                max_speed = 0.0  # no limit recorded: never listed against a working speed
            if (idx, r) == (0, 6.0):
                max_speed = 0.0
            if r == 1.0 and rot == "R":
                min_diagram = round(n0 * 0.1, -1)
            if (idx, r) == (2, 3.0):
                parts = ("11 " + parts[0], "12 " + b.part_body(), NULL)
                name += "-"
                drawing = "PGW11G11, PGW11G12"
            if (idx, r) == (4, 6.0):
                parts = ("15 " + parts[0], b.part_body(), b.part_body())
                name += "-"
            if (idx, r) == (0, 12.0):
                parts = ("12 " + parts[0], NULL, NULL)
            if (idx, r) == (4, 25.0):
                drawing = "https://drawings.example.com/pgw24-gear.pdf"
            if (idx, r) == (3, 25.0):
                drawing = "?"
            b.add(name, n0, kw, r, eff, rotation=NULL if (idx, r) == (0, 3.0) else rot, gearsteps=steps,
                  part=parts, drawing=drawing, max_diagram=max_speed, min_diagram=min_diagram,
                  weight=weight_of(kw, r, base=3.0), essential=True,
                  price=0.0 if (idx, r) == (1, 12.0) else price_of(kw, r, base=90.0),
                  true_value=-1 if idx == 4 and r == 1.0 else 1)
        # A stainless execution and an obsolete one per family.
        b.add("%s-A%s-RF" % (family, b.code(n0)), n0, kw, 1.0, 1.0, stainless=1, rotation="A",
              part=(b.part_body(), NULL, NULL), drawing=family + "AS", max_diagram=allowed,
              weight=weight_of(kw, 1.0, 1, base=3.0), price=price_of(kw, 1.0, 1, base=90.0))
        b.add("%s-A%s" % (family, b.code(n0 * 1.1)), n0 * 1.1, kw * 0.9, 1.0, 1.0, rotation="A", old=1,
              part=(b.part_body(), NULL, NULL), drawing=family + "A", max_diagram=round(allowed * 1.1, -2),
              weight=weight_of(kw, 1.0, base=3.0), price=price_of(kw, 1.0, base=90.0))


def very_old(b, template, name):
    """A withdrawn motor kept in the table but never loaded."""
    m = b.add(name, template[1], template[0] * 0.8, 1.0, 1.0, rotation="A",
              part=(b.part_body("7"), NULL, NULL), drawing="?", very_old=1,
              weight=weight_of(template[0], 1.0), price=0.0)
    b.motors.pop()
    return m


def build():
    b = Builder()
    vo = [very_old(b, (0.35, 18000.0), "TKM13-A1800"), very_old(b, (0.7, 11000.0), "TKM21-A1100")]
    build_tkm(b)
    tkm = b.motors
    b.motors = []
    build_tks(b)
    tks = b.motors
    b.motors = []
    build_pgw(b)
    pgw = b.motors
    vo_mid = very_old(b, (3.0, 6000.0), "TKM45-A600")
    vo_end = very_old(b, (1.0, 5000.0), "PGW10-A500")
    # Withdrawn rows first (so every later search index shifts), one among the TKM46 rows, one at the end.
    cut = next(i for i, m in enumerate(tkm) if m.family == "TKM46") + 3
    motors = vo + tkm[:cut] + [vo_mid] + tkm[cut:] + tks + pgw + [vo_end]
    mark_obsolete(b.rng, motors)
    for m in motors:
        m.finish()
    return motors


def mark_obsolete(rng, motors):
    """About one motor in ten is obsolete; rows that carry a rule of their own stay current."""
    pool = [m for m in motors if not m.essential and not m.very_old and not m.old]
    target = round(0.10 * len(motors)) - sum(1 for m in motors if m.old)
    for m in rng.sample(pool, max(0, target)):
        m.old = 1


def search_order(kept):
    """Catalogue indexes (1-based, among kept rows) ordered small motors first."""
    return sorted(range(1, len(kept) + 1),
                  key=lambda i: (kept[i - 1].p_maxeff, kept[i - 1].stall, i))


def rows_of(motors):
    kept = [m for m in motors if not m.very_old]
    order = search_order(kept)
    rows = []
    skipped = 0
    c = 0
    key = 0
    series = None
    for m in motors:
        if m.series != series and series is not None:
            # Each series starts on a fresh hundred, as the catalogue keys were reserved per series;
            # the program's catalogue index is the row's position, not this key.
            key = (key // 100 + 1) * 100
        series = m.series
        key += 1
        if m.very_old:
            skipped += 1
            rows.append(m.row(key, 0))
            continue
        c += 1
        # The loader subtracts the withdrawn rows met so far from every stored value.
        rows.append(m.row(key, order[c - 1] + skipped))
    check_search_index(rows)
    return rows


def check_search_index(rows):
    """Replays the load rule: stored intSokindex minus withdrawn rows before it is a permutation."""
    col = {name: i for i, name in enumerate(COLUMNS)}
    skipped = 0
    values = []
    for r in rows:
        if r[col["bolVeryOld"]] != "0":
            skipped += 1
            continue
        values.append(int(r[col["intSokindex"]]) - skipped)
    assert sorted(values) == list(range(1, len(values) + 1)), "intSokindex is not a permutation"
    assert values != sorted(values), "search order equals catalogue order"


def to_csv(rows):
    out = io.StringIO()
    w = csv.writer(out, lineterminator="\n", quoting=csv.QUOTE_MINIMAL)
    w.writerow(COLUMNS)
    w.writerows(rows)
    return out.getvalue()


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.normpath(os.path.join(here, "..", "..", "data", "motors.csv"))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=default_out, help="output file (default: data/motors.csv)")
    args = ap.parse_args(argv)
    text = to_csv(rows_of(build()))
    tmp = args.out + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    os.replace(tmp, args.out)
    print("wrote %s (%d rows)" % (args.out, text.count("\n") - 1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
