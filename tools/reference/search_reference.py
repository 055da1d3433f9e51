#!/usr/bin/env python3
"""Independent reference model of the motor selection engine.

Re-computes, from data/motors.csv and data/texts.csv, what `airmotor-cli search|list ... --json`
should print: the search case, the result rows, the grid texts, the field states, the messages and
the current motor after the row click. It is written from the engine's rules, not from its C++
code, so that the two can be compared number by number.

Precision: a "single" is emulated by a round trip through a 32-bit float (`f32`). An operation
between two singles is done in double and rounded once, which gives the same result as float
arithmetic for + - * /. An operation with a double constant is done in double and rounded only
when the result is stored into a single. Powers are the C library's pow, as in the engine.

Python 3 standard library only.
"""

from __future__ import annotations

import csv
import functools
import math
import os
import re
import struct
from decimal import ROUND_HALF_UP, Decimal

INF = float("inf")
NAN = float("nan")

# --------------------------------------------------------------------------- single precision


def f32(x: float) -> float:
    """Round a double to the nearest single (IEEE, ties to even); overflow gives infinity."""
    try:
        return struct.unpack("<f", struct.pack("<f", x))[0]
    except OverflowError:
        return math.copysign(INF, x)


def div(a: float, b: float) -> float:
    """IEEE division (Python raises on a zero divisor)."""
    if b == 0.0:
        if a == 0.0 or math.isnan(a):
            return NAN
        return math.copysign(INF, a) * math.copysign(1.0, b)
    return a / b


def fdiv(a: float, b: float) -> float:
    return f32(div(a, b))


def power(x: float, k: int) -> float:
    if k == 0:
        return 1.0
    try:
        return math.pow(x, k)
    except OverflowError:
        return math.copysign(INF, x) if k % 2 else INF
    except ValueError:
        return NAN


# Single-precision constants of the pressure correction and the unit factors.
F6_3 = f32(6.3)
BAND_LOW = f32(6.2999)
BAND_HIGH = f32(6.3001)

IMPERIAL_UNITS = {
    "sngUnitMass": f32(0.453592),
    "sngUnitTorque": f32(1.35582),
    "sngUnitPower": f32(0.7457),
    "sngUnitAir": f32(0.471947),
    "sngUnitPressure": f32(0.0689476),
}
SI_UNITS = {name: 1.0 for name in IMPERIAL_UNITS}

# --------------------------------------------------------------------------- catalogue and texts

TEXT_COLUMNS = ("strBenamning", "strDetaljnr1", "strDetaljnr2", "strDetaljnr3", "strMattskiss")
NULL_TOLERANT = ("strDetaljnr1", "strDetaljnr2", "strDetaljnr3", "txtRotation")
BOOL_COLUMNS = ("bolLubricationFree", "bolStainless", "bolBrake", "bolOldMotor")
SINGLE_COLUMNS = (
    "sngTomgVarvtal", "sngLuftforbrTomgang", "sngMaxEffekt", "sngMomentMaxeff", "sngLuftMaxeff",
    "sngVarvMaxeff", "sngMinStartMoment", "sngPris", "sngUtvaxling", "sngVikt", "intGradtal_M",
    "intGradtal_L", "sngMin_VarvDiagram",
)
MAX_MOTORS = 980


@functools.lru_cache(maxsize=4)
def load_catalogue(path: str) -> list[dict | None]:
    """Motors by catalogue index (element 0 unused)."""
    motors: list[dict | None] = [None]
    skipped = 0
    with open(path, newline="", encoding="utf-8") as f:
        for rec in csv.DictReader(f):
            if int(rec["bolVeryOld"]) != 0:
                skipped += 1
                continue
            if len(motors) > MAX_MOTORS:
                break
            m: dict = {}
            sok = int(rec["intSokindex"]) - skipped
            m["intSokindex"] = ((sok + 32768) % 65536) - 32768
            for name in TEXT_COLUMNS:
                value = rec[name]
                m[name] = "" if (value == "\\N" and name in NULL_TOLERANT) else value
            rot = rec["txtRotation"]
            m["txtRotation"] = "" if rot == "\\N" else (rot[:1] if rot else " ")
            for name in BOOL_COLUMNS:
                m[name] = int(rec[name]) != 0
            for name in SINGLE_COLUMNS:
                m[name] = f32(float(rec[name]))
            m["sngStallmoment"] = f32(float(rec["sngC0_M"]))
            m["cM"] = [f32(float(rec[f"sngC{k}_M"])) for k in range(5)]
            m["cL"] = [f32(float(rec[f"sngC{k}_L"])) for k in range(5)]
            # Held as a 16-bit integer: nearest whole number, ties to even (classic conversion).
            m["sngMax_VarvDiagram"] = int(round(f32(float(rec["sngMax_VarvDiagram"]))))
            motors.append(m)
    return motors


LANGUAGE_COLUMNS = {
    "English": "strEnglish", "English_Imperial": "strEnglish", "German": "strGerman",
    "French": "strFrench", "Italian": "strItalian", "Spanish": "strSpanish",
}


@functools.lru_cache(maxsize=8)
def load_texts(data_dir: str, language: str) -> list[str]:
    texts = [""] * 229
    column = LANGUAGE_COLUMNS[language]
    with open(os.path.join(data_dir, "texts.csv"), newline="", encoding="utf-8") as f:
        for rec in csv.DictReader(f):
            value = rec.get(column)
            texts[int(rec["intKey"])] = "" if value in (None, "\\N") else value
    if language == "English_Imperial":
        with open(os.path.join(data_dir, "imperial.csv"), newline="", encoding="utf-8") as f:
            for rec in csv.DictReader(f):
                value = rec["strText"]
                texts[int(rec["intKey"])] = "" if value == "\\N" else value
    # A menu text ending in an ellipsis character is shown with three full stops.
    return tuple(t[:-1] + "..." if t.endswith("\u2026") else t for t in texts)


# --------------------------------------------------------------------------- number formats


def format_mask(value: float, mask: str) -> str:
    """Format mask of '#', '0' and '.': half away from zero on the exact binary value."""
    if math.isnan(value):
        return "NaN"
    if math.isinf(value):
        return "Inf" if value > 0 else "-Inf"
    integer_part, _, decimals = mask.partition(".")
    first_zero = integer_part.find("0")
    min_int = len(integer_part) - first_zero if first_zero >= 0 else 0
    max_dec = len(decimals)
    last_zero = decimals.rfind("0")
    min_dec = last_zero + 1 if last_zero >= 0 else 0
    q = Decimal(abs(value)).quantize(Decimal(1).scaleb(-max_dec), rounding=ROUND_HALF_UP)
    text = format(q, "f")
    ip, _, fp = text.partition(".")
    while len(fp) > min_dec and fp.endswith("0"):
        fp = fp[:-1]
    ip = ip.lstrip("0")
    if len(ip) < min_int:
        ip = "0" * (min_int - len(ip)) + ip
    out = ip + ("." + fp if fp else "")
    if value < 0 and q != 0:
        out = "-" + out
    return out


# --------------------------------------------------------------------------- performance model


def poly(coefficients: list[float], degree: float, x: float) -> float:
    """Catalogue polynomial: float sum, each term in double."""
    g = 0 if not degree >= 0 else int(min(math.floor(degree), 4))
    s = 0.0
    for k in range(g + 1):
        s = f32(s + coefficients[k] * power(x, k))
    return s


def torque_poly(m: dict, x: float) -> float:
    return poly(m["cM"], m["intGradtal_M"], x)


def air_poly(m: dict, x: float) -> float:
    return poly(m["cL"], m["intGradtal_L"], x)


def _cubic(c: tuple, p: float) -> float:
    return f32(c[0] + c[1] * p + c[2] * power(p, 2) + c[3] * power(p, 3))


PGW_FACTORS = {
    "PGW03": ((0.094572, 0.057643, 0.023297, -0.0015334), (-0.16496, 0.26632, -0.017825, 0.00079856)),
    "PGW06": ((0.13735, 0.045965, 0.020666, -0.00099425), (0.4089, -0.090215, 0.046534, -0.0026795)),
    "PGW11": ((0.049426, 0.10491, 0.010559, -0.00052645), (0.10525, 0.12537, 0.0025986, 0.0)),
    "PGW17": ((0.10926, 0.071301, 0.019771, -0.0013438), (0.11097, 0.15577, -0.002234, 0.0)),
    "PGW24": ((0.03002, 0.13882, 0.0024305, 0.0), (0.21641, 0.1014, 0.0036752, 0.0)),
}
COMMON_KL = (0.1529647, 0.0201782, f32(0.03195383), -f32(0.002177462))
DEFAULT_KN = (0.2116277, 0.2130721, -f32(0.01272238), -f32(0.0002097011))
UA_KM = (0.0041206, 0.15451, 0.00060785, 0.0)
UA_KN = (0.14725, 0.23249, -0.015504, 0.0)


def pressure_factors(p: float, designation: str, previous: tuple) -> tuple:
    """(Km, Kn, Kl) at p for the family of the designation; "BS" keeps `previous`."""
    if p == 0.0:
        return (0.0, 0.0, 0.0)
    if BAND_LOW < p < BAND_HIGH:
        return (1.0, 1.0, 1.0)
    family = designation[:5]
    if family in PGW_FACTORS:
        km, kl = PGW_FACTORS[family]
        return (_cubic(km, p), 1.0, _cubic(kl, p))
    if family in ("TKS03", "TKS05", "TKS15", "TKS25"):
        version = designation[9:11]
        if version == "UA":
            return (_cubic(UA_KM, p), _cubic(UA_KN, p), _cubic(COMMON_KL, p))
        if version == "BS":
            return previous
    return (f32(p / 6.3), _cubic(DEFAULT_KN, p), _cubic(COMMON_KL, p))


def torque_at(m: dict, n: float, factors: tuple) -> float:
    return f32(factors[0] * torque_poly(m, fdiv(n, factors[1])))


# --------------------------------------------------------------------------- least squares


def invert_matrix(a: list[list[float]]) -> list[list[float]] | None:
    """Gauss-Jordan with full pivoting in single precision; None for a zero pivot."""
    n = len(a)
    w = [row[:] for row in a]
    row_index = list(range(n))
    col_index = list(range(n))
    for k in range(n):
        best, pr, pc = 0.0, k, k
        for i in range(k, n):
            for j in range(k, n):
                if abs(w[i][j]) > best:
                    best, pr, pc = abs(w[i][j]), i, j
        if best == 0.0:
            return None
        if pr != k:
            w[pr], w[k] = w[k], w[pr]
            row_index[k] = pr
        if pc != k:
            for row in w:
                row[pc], row[k] = row[k], row[pc]
            col_index[k] = pc
        piv = w[k][k]
        for i in range(n):
            if i != k:
                w[i][k] = fdiv(w[i][k], -piv)
        for i in range(n):
            if i == k:
                continue
            for j in range(n):
                if j != k:
                    w[i][j] = f32(w[i][j] + f32(w[i][k] * w[k][j]))
        for j in range(n):
            if j != k:
                w[k][j] = fdiv(w[k][j], piv)
        w[k][k] = fdiv(1.0, piv)
    for k in range(n - 1, -1, -1):
        if row_index[k] != k:
            c = row_index[k]
            for row in w:
                row[c], row[k] = row[k], row[c]
        if col_index[k] != k:
            c = col_index[k]
            w[c], w[k] = w[k], w[c]
    return w


def fit_polynomial(x: list[float], y: list[float], n: int, d: int) -> list[float]:
    """Least-squares coefficients c0..cd; points at x[1..n], y[1..n]."""
    c = [0.0] * (d + 1)
    if n - 2 < d:
        return c
    normal = [[0.0] * (d + 1) for _ in range(d + 1)]
    rhs = [0.0] * (d + 1)
    for i in range(d + 1):
        for j in range(i, d + 1):
            s = 0.0
            for k in range(1, n + 1):
                s = f32(s + power(x[k], i) * power(x[k], j))
            normal[i][j] = s
            normal[j][i] = s
        s = 0.0
        for k in range(1, n + 1):
            s = f32(s + power(x[k], i) * y[k])
        rhs[i] = s
    inverse = invert_matrix(normal)
    if inverse is None:
        return c
    for i in range(d + 1):
        s = 0.0
        for j in range(d + 1):
            s = f32(s + f32(inverse[i][j] * rhs[j]))
        c[i] = s
    return c


# --------------------------------------------------------------------------- requirement input

FIELDS = ("ArbetsMomentB", "ArbetsVarvtalB", "MinStartmomentB", "StallmomentMinB", "StallmomentMaxB",
          "TomgVarvMinB", "TomgVarvMaxB", "TillgLuftTryckB")
DUTY_FIELDS = FIELDS[:7]
FIELD_OPTIONS = (("torque", "ArbetsMomentB"), ("speed", "ArbetsVarvtalB"),
                 ("start-torque", "MinStartmomentB"), ("stall-min", "StallmomentMinB"),
                 ("stall-max", "StallmomentMaxB"), ("free-min", "TomgVarvMinB"),
                 ("free-max", "TomgVarvMaxB"), ("pressure", "TillgLuftTryckB"))
UPPER = {"ArbetsMomentB": 10000, "ArbetsVarvtalB": 30000, "MinStartmomentB": 5000,
         "StallmomentMinB": 5000, "StallmomentMaxB": 5000, "TomgVarvMinB": 30000, "TomgVarvMaxB": 30000}
TORQUE_FIELDS = ("ArbetsMomentB", "MinStartmomentB", "StallmomentMinB", "StallmomentMaxB")
PARTNER = {"TomgVarvMaxB": "TomgVarvMinB", "TomgVarvMinB": "TomgVarvMaxB",
           "StallmomentMaxB": "StallmomentMinB", "StallmomentMinB": "StallmomentMaxB"}
YELLOW, WHITE, RED, BLACK = 14, 15, 12, 0

_LEADING_NUMBER = re.compile(r"\s*([-+]?(\d+\.?\d*|\.\d+))")


def leading_value(text: str) -> float:
    match = _LEADING_NUMBER.match(text)
    return float(match.group(1)) if match else 0.0


def key_filter(text: str) -> str:
    out = []
    for ch in text:
        if ch == ",":
            out.append(".")
        elif ch.isdigit() and ch.isascii() or ch in "*-.":
            out.append(ch)
        elif ch == "\b":
            if out:
                out.pop()
    return "".join(out)


class Session:
    """The selection window's state without its widgets."""

    def __init__(self, motors, texts, imperial: bool):
        self.motors = motors
        self.count = len(motors) - 1
        self.texts = texts
        self.imperial = imperial
        self.units = IMPERIAL_UNITS if imperial else SI_UNITS
        self.fields = {f: {"text": "", "colour": YELLOW, "enabled": True} for f in FIELDS}
        self.values = {f: 0.0 for f in FIELDS}
        self.factors = (1.0, 1.0, 1.0)
        self.messages: list[dict] = []
        # Start-up options.
        self.ticks = [True, True, False]
        self.rotation = 0
        self.steel = 0
        self.brake = 0
        self.steel_tks = 0
        self.lub_tks = 0
        self.restricted = 0
        self.obsolete = 2
        self.catalogue_view = 0
        self.rows: list[tuple] = []
        self.grid: list[dict] = []
        self.label23 = False
        self.case = None
        self.refused = False
        self.maintenance = False
        self.current = None
        self.alternative = 0
        self.set_text("TillgLuftTryckB", "91" if imperial else "6.3")

    # -- fields
    def validate(self, field: str) -> None:
        box = self.fields[field]
        if "*" in box["text"]:
            box["text"] = " 0"
        value = leading_value(box["text"])
        if field == "TillgLuftTryckB":
            lower, upper = (44, 91) if self.imperial else (3, 6.3)
        else:
            lower, upper = 0, UPPER[field]
        colour = WHITE if value < lower - 5e-11 else YELLOW
        if value > upper + 5e-11:
            colour = RED
        box["colour"] = colour
        if field == "TillgLuftTryckB":
            if self.imperial and value == 91:
                self.values[field] = F6_3
            else:
                self.values[field] = f32(f32(value) * self.units["sngUnitPressure"])
            # The current motor is re-scaled at once at the new pressure.
            designation = self.current["strCurrentBenamning"] if self.current else ""
            self.factors = pressure_factors(self.values[field], designation, self.factors)
        elif field in TORQUE_FIELDS:
            self.values[field] = f32(f32(value) * self.units["sngUnitTorque"])
        else:
            self.values[field] = f32(value)

    def set_text(self, field: str, text: str, partner_rule: bool = True) -> None:
        box = self.fields[field]
        if box["text"] == text:
            return
        box["text"] = text
        self.validate(field)
        if partner_rule and field in PARTNER:
            partner = PARTNER[field]
            self.set_text(partner, "", False)
            if self.values[field] <= 0:
                self.enable(partner, True, YELLOW)
            else:
                self.enable(partner, False, BLACK)

    def enable(self, field: str, on: bool, colour: int) -> None:
        box = self.fields[field]
        if on:
            if not box["enabled"]:
                box["colour"] = colour
                box["enabled"] = True
        else:
            box["enabled"] = False
            box["colour"] = colour

    def working_point(self) -> bool:
        m, n = self.values["ArbetsMomentB"], self.values["ArbetsVarvtalB"]
        if m > 0 and n > 0:
            return True
        if m > 0 and self.fields["ArbetsVarvtalB"]["text"] == "0":
            return True
        return n > 0 and self.fields["ArbetsMomentB"]["text"] == "0"

    def interplay(self) -> None:
        v = self.values
        wp = self.working_point()
        start = v["MinStartmomentB"] > 0
        free = v["TomgVarvMinB"] > 0 or v["TomgVarvMaxB"] > 0
        stall = v["StallmomentMinB"] > 0 or v["StallmomentMaxB"] > 0
        rules = (
            (start and wp, ("TomgVarvMaxB", "TomgVarvMinB", "StallmomentMinB", "StallmomentMaxB")),
            (free and wp, ("MinStartmomentB", "StallmomentMinB", "StallmomentMaxB")),
            (stall and wp, ("MinStartmomentB", "TomgVarvMaxB", "TomgVarvMinB")),
            (start and free, ("ArbetsMomentB", "ArbetsVarvtalB", "StallmomentMinB", "StallmomentMaxB")),
            (start and stall, ("ArbetsMomentB", "ArbetsVarvtalB", "TomgVarvMaxB", "TomgVarvMinB")),
            (stall and free, ("ArbetsMomentB", "ArbetsVarvtalB", "MinStartmomentB")),
        )
        for condition, disabled in rules:
            if condition:
                for f in disabled:
                    self.enable(f, False, BLACK)
                return
        for f in ("ArbetsMomentB", "ArbetsVarvtalB", "MinStartmomentB"):
            self.enable(f, True, YELLOW)
        if v["TomgVarvMinB"] == 0:
            self.enable("TomgVarvMaxB", True, YELLOW)
        if v["TomgVarvMaxB"] == 0:
            self.enable("TomgVarvMinB", True, YELLOW)
        if v["StallmomentMaxB"] == 0:
            self.enable("StallmomentMinB", True, YELLOW)
        if v["StallmomentMinB"] == 0:
            self.enable("StallmomentMaxB", True, YELLOW)

    def leave_pressure(self) -> None:
        stored = self.values["TillgLuftTryckB"]
        if self.imperial:
            if fdiv(stored, self.units["sngUnitPressure"]) < 44:
                self.set_text("TillgLuftTryckB", "44")
        elif stored < 3.0:
            self.set_text("TillgLuftTryckB", "3")

    # -- messages
    def show(self, key: int, text: str | None = None) -> None:
        self.messages.append({"key": key, "text": self.texts[key] if text is None else text})

    # -- filters
    def series_ok(self, d: str) -> bool:
        if all(self.ticks):
            return True
        series = d[:3]
        index = {"TKM": 0, "TKS": 1, "PGW": 2}.get(series)
        return True if index is None else self.ticks[index]

    def tkm_ok(self, m: dict) -> bool:
        if m["strBenamning"][:3] != "TKM":
            return True
        wanted = "AVR"[self.rotation]
        return (m["txtRotation"] == wanted and m["bolStainless"] == (self.steel == 1)
                and m["bolBrake"] == (self.brake == 1))

    def tks_ok(self, m: dict) -> bool:
        if m["strBenamning"][:3] != "TKS":
            return True
        return m["bolLubricationFree"] == (self.lub_tks == 1) and m["bolStainless"] == (self.steel_tks == 1)

    def grid_row(self, m: dict) -> tuple:
        d, nr1, nr2 = m["strBenamning"], m["strDetaljnr1"], m["strDetaljnr2"]
        code1 = nr1.startswith("11 ") or nr1.startswith("15 ")
        code2 = nr2.startswith("12 ") or nr2.startswith("15 ")
        if code1 and code2:
            return [d + nr1[:2], d + nr2[:2]], [True, True]
        if code1:
            return [d + nr1[:2], ""], [True, False]
        if any(s in d for s in ("14-A-", "3-A-", "HG931-A-", "2-A-")):
            return [d, " " + self.texts[34]], [True, False]
        if any(s in d for s in ("14-B-", "3-B-", "HG931-B-", "2-B-")):
            return [d, " " + self.texts[35]], [True, False]
        return [d, ""], [True, False]

    # -- listing
    def option_click(self) -> None:
        # An option click clears the result list before the series is listed again.
        self.rows, self.grid = [], []
        self.list_all()

    def list_all(self) -> None:
        self.case = None
        self.refused = False
        self.rows = [(i, 0.0, 0.0) for (i, _, _) in self.rows]
        self.label23 = False
        if not any(self.ticks):
            self.show(140)
            self.refused = True
            return
        if self.catalogue_view != 0:
            return
        for f in DUTY_FIELDS:
            self.set_text(f, "")
        for f in DUTY_FIELDS:
            self.enable(f, False, BLACK)
        self.rows, self.grid = [], []
        for i in range(1, self.count + 1):
            m = self.motors[i]
            if self.obsolete == 1 and not m["bolOldMotor"]:
                continue
            if self.obsolete == 2 and m["bolOldMotor"]:
                continue
            d = m["strBenamning"]
            if not self.series_ok(d) or not self.tkm_ok(m):
                continue
            if self.restricted == 0 and d.endswith("-U"):
                continue
            if not self.tks_ok(m):
                continue
            if d.endswith("-U"):
                self.label23 = True
            self.rows.append((i, 0.0, 0.0))
            cells, _ = self.grid_row(m)
            self.grid.append({"cells": cells, "colour": 9 if m["bolOldMotor"] else None})
        if self.grid:
            self.click(1, 0)
        else:
            self.grid.append({"cells": [self.texts[4], self.texts[4]], "colour": None})

    # -- search
    def search(self) -> None:
        self.case = None
        self.refused = False
        self.maintenance = False
        if self.fields["TillgLuftTryckB"]["text"] == "583196":
            self.maintenance = True
            self.set_text("TillgLuftTryckB", "91" if self.imperial else "6.3")
            return
        self.label23 = False
        self.rows, self.grid = [], []
        v = self.values
        if self.ticks[1] and (v["TomgVarvMinB"] > 0 or v["TomgVarvMaxB"] > 0):
            self.show(158)
            self.restricted = 0
        if not any(self.ticks):
            self.show(140)
            self.refused = True
            return
        if self.steel == 1 and self.rotation == 1:
            self.show(62)
        ok = self.fields["TillgLuftTryckB"]["colour"] == YELLOW and all(
            self.fields[f]["colour"] in (YELLOW, BLACK) for f in DUTY_FIELDS)
        if not ok:
            self.show(167)
            self.refused = True
            return
        given = sum(1 for f in ("ArbetsMomentB", "MinStartmomentB", "TomgVarvMinB", "TomgVarvMaxB",
                                "StallmomentMinB", "StallmomentMaxB") if v[f] > 0)
        if given > 2:
            self.show(142)
        wp = self.working_point()
        case = choose_case(v, wp)
        if case == 0:
            self.show(141)
            self.refused = True
            return
        self.case = case
        engine = SearchRun(self, case)
        engine.run()
        self.factors = (1.0, 1.0, 1.0)
        if self.rows:
            self.click(1, 0)
        else:
            self.grid.append({"cells": [self.texts[4], self.texts[4]], "colour": None})
            self.current = None

    # -- row click
    def click(self, row: int, column: int) -> bool:
        cell = ""
        if 1 <= row <= len(self.grid) and column in (0, 1):
            cell = self.grid[row - 1]["cells"][column]
        if not cell or row > len(self.rows):
            return False
        k, r_row, p_row = self.rows[row - 1]
        m = self.motors[k]
        d = m["strBenamning"]
        self.factors = pressure_factors(self.values["TillgLuftTryckB"], d, self.factors)
        km, kn, kl = self.factors
        u = self.units
        t = self.texts
        p_av = self.values["TillgLuftTryckB"]
        if self.imperial:
            pressure_text = format_mask(fdiv(p_av, u["sngUnitPressure"]), "####0")
        else:
            pressure_text = format_mask(p_av, "####0.00")
        stall_est = f32(2 * m["sngMomentMaxeff"])
        values = {
            "sngStallEst": stall_est,
            "sngCurrentUtvaxling": m["sngUtvaxling"],
            "sngCurMaxEffekt": f32(f32(km * m["sngMaxEffekt"]) * kn),
            "sngCurVarvMaxeff": f32(kn * m["sngVarvMaxeff"]),
            "sngCurMomentMaxeff": f32(km * m["sngMomentMaxeff"]),
            "sngCurLuftMaxeff": f32(kl * air_poly(m, f32(kn * m["sngVarvMaxeff"]))),
            "sngCurMinStartMoment": f32(km * m["sngMinStartMoment"]),
            "sngCurTomgVarv": f32(kn * m["sngTomgVarvtal"]),
            "sngCurStallmoment": f32(km * stall_est),
        }
        labels = {"Label17": f"{t[227]} {pressure_text} {t[56]}:"}
        labels["MaxeffektR"] = format_mask(fdiv(values["sngCurMaxEffekt"], u["sngUnitPower"]), "#0.00") + " "
        labels["NMaxeffR"] = format_mask(values["sngCurVarvMaxeff"], "####0") + " "
        start = fdiv(values["sngCurMinStartMoment"], u["sngUnitTorque"])
        mask = "####0.00" if start < 10 else "####0.0"
        labels["MinStartMomentR"] = format_mask(start, mask) + " "
        labels["StallmomentR"] = format_mask(fdiv(f32(km * stall_est), u["sngUnitTorque"]), mask) + " "
        weight = fdiv(m["sngVikt"], u["sngUnitMass"])
        labels["lblWeight"] = format_mask(weight, "####0.0" if weight >= 10 else "####0.00") + " "
        labels["QmR"] = format_mask(fdiv(values["sngCurLuftMaxeff"], u["sngUnitAir"]), "####0.0") + " "
        labels["RelativprisR"] = "" if m["sngPris"] <= 0 else format_mask(m["sngPris"], "####0.0") + " "
        nr2 = m["strDetaljnr2"]
        labels["lblProductNumber"] = nr2[-12:] if (column == 1 and len(nr2) >= 11) else m["strDetaljnr1"][-12:]
        mm = fdiv(values["sngCurMomentMaxeff"], u["sngUnitTorque"])
        labels["MmaxeffR"] = format_mask(mm, "####0.00" if mm < 1 else "####0.0") + " "
        free = values["sngCurTomgVarv"]
        labels["NtomgangR"] = format_mask(free, "####0.0" if free < 100 else "####0") + " "
        if m["sngMax_VarvDiagram"] < 1:
            labels["Label15"] = t[101]
            colour = 10
        else:
            labels["Label15"] = t[153]
            labels["NtomgangR"] = format_mask(f32(m["sngMax_VarvDiagram"] * kn), "####0") + " "
            colour = 12
        if p_row > 0:
            labels["ArbetstryckR"] = format_mask(fdiv(p_row, u["sngUnitPressure"]), t[60]) + " "
            labels["StrypningR"] = ""
        else:
            labels["ArbetstryckR"] = ""
            labels["StrypningR"] = (format_mask(f32(r_row * m["sngTomgVarvtal"]), "#####") + " "
                                    if r_row > 0 else "")
        if d[:3] == "PGW":
            labels["NtomgangR"] = " "
        labels["Label24"] = t[152]
        labels["lblClass"] = explosion_marking(d, m["sngUtvaxling"], cell)
        if "5-BG" in d:
            labels["Label24"] = t[221]
        information = None
        if cell.startswith("("):
            ut = u["sngUnitTorque"]
            smin = m["sngMinStartMoment"]
            req = self.values["ArbetsMomentB"]
            v1 = div(f32(smin * p_row) / 6.3, ut)
            text = f"{t[138]} ({t[20]} {format_mask(v1, '##0.00')} {t[58]}"
            if req > smin:
                text += f" ,  {t[17]} {format_mask(fdiv(smin, ut), '##0.00')} {t[58]}"
            text += f") {t[139]} ({format_mask(fdiv(req, ut), '##0.00')} {t[58]})."
            information = text
            self.show(138, text)
        self.current = {
            "row": row, "column": column, "index": k, "strCurrentBenamning": d,
            "factors": {"sngKm": km, "sngKn": kn, "sngKl": kl},
            "values": values, "labels": labels, "NtomgangRColour": colour,
            "information": information, "mountingPositions": "5-BG" in d,
        }
        return True

    def scale(self) -> dict:
        k = self.current["index"]
        return current_motor_scale(self.motors[k], self.factors, self.units, self.alternative)


def choose_case(v: dict, wp: bool) -> int:
    start = v["MinStartmomentB"] > 0
    smin = v["StallmomentMinB"] > 0
    smax = v["StallmomentMaxB"] > 0
    fmin = v["TomgVarvMinB"] > 0
    fmax = v["TomgVarvMaxB"] > 0
    table = ((start and wp, 1), (start and fmin, 2), (start and fmax, 3), (smin and wp, 4),
             (smin and fmin, 5), (smin and fmax, 6), (smax and wp, 7), (smax and fmin, 8),
             (smax and fmax, 9), (wp and not fmin and not fmax, 10), (fmin and wp, 11), (fmax and wp, 12))
    for condition, case in table:
        if condition:
            return case
    return 0


class SearchRun:
    """One pass of the search over the catalogue in search order."""

    def __init__(self, session: Session, case: int):
        self.s = session
        self.case = case
        v = session.values
        self.m_req = v["ArbetsMomentB"]
        self.n_req = v["ArbetsVarvtalB"]
        self.start_req = v["MinStartmomentB"]
        self.stall_min = v["StallmomentMinB"]
        self.stall_max = v["StallmomentMaxB"]
        self.free_min = v["TomgVarvMinB"]
        self.free_max = v["TomgVarvMaxB"]
        self.p_av = v["TillgLuftTryckB"]
        self.km_av = self.kn_av = 1.0

    # Shared factors: every call of the correction writes them (a "BS" motor keeps them).
    def pf(self, p: float) -> tuple:
        self.s.factors = pressure_factors(p, self.d, self.s.factors)
        return self.s.factors

    def throttle_ratio(self, m: dict) -> float:
        n0 = m["sngTomgVarvtal"]
        ts = f32(self.km_av * m["sngStallmoment"])
        slope = fdiv(-ts, f32(self.kn_av * n0))
        r = fdiv(self.n_req, fdiv(f32(self.m_req - ts), slope))
        if r < 0.1 or r > 1.1:
            return 0.0
        h = f32(1.1 * n0 / 10)
        x, y = [0.0], [0.0]
        for k in range(11):
            n = f32(k * h)
            x.append(f32(self.km_av * torque_poly(m, n)))
            y.append(f32(self.kn_av * n))
        g = m["intGradtal_M"]
        degree = 0 if not g >= 0 else int(min(math.floor(g), 4))
        c = fit_polynomial(x, y, 11, degree)
        n_m = 0.0
        for k, ck in enumerate(c):
            n_m = f32(n_m + ck * power(self.m_req, k))
        r = fdiv(self.n_req, n_m)
        if r > 1.0:
            return 0.0
        r = f32(r * self.kn_av)
        if r < self.limit or r > 1.0:
            return 0.0
        return r

    def reduced_pressure(self, m: dict, torque: float, speed: float) -> float:
        m_ref = torque_poly(m, speed)
        p_low = 1.5 if self.d.startswith("TKS") else 3.0
        m_low = torque_at(m, speed, self.pf(p_low))
        if not (m_low <= torque <= m_ref):
            return 0.0
        p_e = f32(f32(div(f32(torque - m_low), f32(m_ref - m_low))) * 3.3 + 3.0)
        p_a = f32(p_e - 0.5)
        p_b = f32(p_e + 0.5)
        m_a = torque_at(m, speed, self.pf(p_a))
        m_b = torque_at(m, speed, self.pf(p_b))
        p = f32(f32(fdiv(f32(torque - m_a), f32(m_b - m_a)) * f32(p_b - p_a)) + p_a)
        return 0.0 if p > self.p_av else p

    def speed_test(self, m: dict) -> bool:
        return (f32(self.kn_av * m["sngTomgVarvtal"]) >= self.n_req
                and f32(self.km_av * torque_poly(m, self.n_req)) >= self.m_req)

    def after_reduced(self, m: dict, r: float, p: float, stall: bool) -> tuple:
        if p == 0.0:
            return r >= self.limit, r, p
        km = self.pf(p)[0]
        if stall:
            ok = f32(km * f32(2 * m["sngMomentMaxeff"])) >= self.stall_min
        else:
            ok = f32(km * m["sngMinStartMoment"]) >= self.start_req
        if not ok:
            p = 0.0
        return (r != 0.0 or p != 0.0), r, p

    def free_max_case(self, m: dict, stall: bool) -> tuple:
        n0 = m["sngTomgVarvtal"]
        if not f32(2 * self.free_max) >= n0:
            return False, 0.0, 0.0
        kn0 = f32(self.kn_av * n0)
        r = fdiv(self.free_max, kn0) if kn0 > self.free_max else 0.0
        if n0 <= self.free_max:
            return True, r, 0.0
        p = self.reduced_pressure(m, 0.0, self.free_max)
        return self.after_reduced(m, r, p, stall)

    def case_test(self, m: dict) -> tuple:
        c = self.case
        n0 = m["sngTomgVarvtal"]
        stall_est = f32(2 * m["sngMomentMaxeff"])
        start_ok = f32(self.km_av * m["sngMinStartMoment"]) >= self.start_req
        stall_ok = f32(self.km_av * stall_est) >= self.stall_min
        kn0 = f32(self.kn_av * n0)
        if c in (1, 4):
            if not (start_ok if c == 1 else stall_ok):
                return False, 0.0, 0.0
            if not self.speed_test(m):
                return False, 0.0, 0.0
            r = self.throttle_ratio(m)
            p = self.reduced_pressure(m, self.m_req, self.n_req)
            return self.after_reduced(m, r, p, c == 4)
        if c == 2:
            return start_ok and kn0 >= self.free_min, 0.0, 0.0
        if c in (3, 6):
            if not (start_ok if c == 3 else stall_ok):
                return False, 0.0, 0.0
            return self.free_max_case(m, c == 6)
        if c == 5:
            return kn0 >= self.free_min and stall_ok, 0.0, 0.0
        if c == 7:
            if not self.speed_test(m):
                return False, 0.0, 0.0
            p = self.reduced_pressure(m, self.m_req, self.n_req)
            if p == 0.0:
                return False, 0.0, 0.0
            if f32(self.pf(p)[0] * stall_est) > self.stall_max:
                return False, 0.0, 0.0
            r = self.throttle_ratio(m)
            if f32(self.km_av * stall_est) > self.stall_max:
                r = 0.0
            return True, r, p
        if c == 8:
            self.s.factors = (1.0, 1.0, self.s.factors[2])
            p = 0.0
            if f32(self.km_av * stall_est) > self.stall_max:
                p = f32(fdiv(self.stall_max, stall_est) * 6.3)
                if p < 3.0:
                    return False, 0.0, 0.0
                if p > 6.3:
                    p = F6_3
                self.pf(p)
            return f32(self.s.factors[1] * n0) >= self.free_min, 0.0, p
        if c == 9:
            self.s.factors = (1.0, 1.0, self.s.factors[2])
            strong = f32(self.km_av * stall_est) > self.stall_max
            if strong:
                p1 = f32(fdiv(self.stall_max, stall_est) * 6.3)
                if p1 < 3.0:
                    return False, 0.0, 0.0
                if p1 > 6.3:
                    p1 = F6_3
                if p1 > self.p_av:
                    p1 = self.p_av
                kn = self.pf(p1)[1]
                if f32(kn * n0) > self.free_max:
                    p1 = 0.0
            else:
                p1 = F6_3
            p2 = self.reduced_pressure(m, 0.0, self.free_max)
            p = p2 if p2 < p1 else p1
            if p < 3.0:
                p = 0.0
            if p > 6.3:
                p = F6_3
            r = 0.0
            if not strong:
                if f32(2 * self.free_max) < n0 and p == 0.0:
                    return False, 0.0, 0.0
                r = fdiv(self.free_max, kn0) if kn0 > self.free_max else 0.0
            return (p != 0.0 or r != 0.0), r, p
        if c == 10:
            if not self.speed_test(m):
                return False, 0.0, 0.0
            r = self.throttle_ratio(m)
            p = self.reduced_pressure(m, self.m_req, self.n_req)
            return (p != 0.0 or r >= self.limit), r, p
        if c == 11:
            if not self.speed_test(m):
                return False, 0.0, 0.0
            p = self.reduced_pressure(m, self.m_req, self.n_req)
            if p == 0.0:
                return False, 0.0, 0.0
            if f32(self.pf(p)[1] * n0) < self.free_min:
                return False, 0.0, 0.0
            r = self.throttle_ratio(m)
            if f32(r * n0) < self.free_min:
                r = 0.0
            return True, r, p
        if c == 12:
            if not self.speed_test(m):
                return False, 0.0, 0.0
            r = self.throttle_ratio(m)
            if r < self.limit or f32(r * n0) > self.free_max:
                return False, 0.0, 0.0
            p = self.reduced_pressure(m, self.m_req, self.n_req)
            if p > 0:
                if f32(self.pf(p)[1] * n0) > self.free_max:
                    p = 0.0
            return True, r, p
        return False, 0.0, 0.0

    def run(self) -> None:
        s = self.s
        b = 0
        for k in range(1, s.count + 1):
            i = s.motors[k]["intSokindex"]
            if i < 1 or i > s.count:
                continue
            m = s.motors[i]
            if m["bolOldMotor"]:
                continue
            self.d = m["strBenamning"]
            self.limit = 0.2 if self.d.startswith("TKS") else 0.5
            if self.p_av == F6_3:
                self.km_av = self.kn_av = 1.0
            else:
                f = self.pf(self.p_av)
                self.km_av, self.kn_av = f[0], f[1]
            if not s.tkm_ok(m) or not s.series_ok(self.d):
                continue
            if self.d[:3] == "PGW" and self.n_req > m["sngMax_VarvDiagram"]:
                continue
            if not s.tks_ok(m):
                continue
            if not f32(self.km_av * f32(2 * m["sngMomentMaxeff"])) > self.m_req:
                continue
            listed, r, p = self.case_test(m)
            if not listed:
                continue
            row = len(s.rows) + 1
            if s.restricted == 0 and self.d.endswith("-U"):
                continue
            vmax = m["sngMax_VarvDiagram"]
            if vmax > 0 and not (self.n_req <= vmax and self.free_min <= vmax):
                continue
            if "-B-" in self.d:
                b += 1
            if row > 15 + b:
                break
            s.rows.append((i, r, p))
            smin = m["sngMinStartMoment"]
            reached = self.m_req <= smin and (p == 0.0 or f32(p * smin) / 6.3 >= self.m_req)
            cells, designation = s.grid_row(m)
            cells = [f"( {c} )" if (designation[j] and not reached) else c for j, c in enumerate(cells)]
            s.grid.append({"cells": cells, "colour": None})
            if self.d.endswith("-U"):
                s.label23 = True


# --------------------------------------------------------------------------- explosion marking

M85 = "Ex II 2GD c T6 IIC T85 °C"
M85X = "Ex II 2GD c T6 IIC T85°C X"
M110 = "Ex II 2GD c T4 IIC T110 °C"
M240 = "Ex II 2GD c T2 IIC T240 °C"


def mid(text: str, start: int, length: int) -> str:
    return text[start - 1:start - 1 + length]


def explosion_marking(d: str, gear: float, cell: str) -> str:
    p5 = d[:5]
    if p5 in ("TKM14", "TKM22", "TKM33", "TKM34"):
        return M110 if gear == 1.0 else M85
    if p5 == "TKM42":
        return M110 if d[:11] in ("TKM42-A040-", "TKM42-A025-", "TKM42-A065-", "TKM42-A200-",
                                  "TKM42-AR020", "TKM42-AR030", "TKM42-AR050", "TKM42-AR170") else M85
    if p5 == "TKM46":
        five = ("A025-", "A040-", "A065-", "A200-", "AR020", "AR030", "AR050", "AR170", "AV025", "AV040",
                "AV065", "AV200")
        eight = ("RL-A010-", "RL-A005-", "RL-A015-", "RL-A025-", "RL-A040-", "RL-A065-", "RL-A200-",
                 "RL-AR004", "RL-AR007", "RL-AR010", "RL-AR020", "RL-AR030", "RL-AR050", "RL-AR170")
        return M110 if (mid(d, 7, 5) in five or mid(d, 7, 8) in eight) else M85
    if p5 == "TKM54":
        # Read the variant inside a start-torque bracket "( text )": the bracket says nothing about
        # the motor's protection class.
        if cell.startswith("( ") and cell.endswith(" )") and len(cell) >= 4:
            cell = cell[2:-2]
        seven = ("A020-11", "A030-11", "A050-11", "A180-11", "AR015-1", "AR020-1", "AR035-1", "AR130-1",
                 "AV020-1", "AV030-1", "AV050-1", "AV180-1", "B-AR015")
        return M110 if mid(cell, 7, 7) in seven else M85
    if p5 == "TKM66":
        return M110 if mid(d, 7, 5) in ("A020-", "A030-", "A050-", "A180-", "AR015", "AR020", "AR035",
                                        "AR130") else M85
    if p5 == "TKM77":
        return M110 if mid(d, 7, 5) in ("A027-", "AR024") else M85
    if p5 in ("TKS03", "TKS05", "TKS15", "TKS25", "TKS35"):
        if gear != 1.0:
            return ""
        if any(s in d for s in ("-L-", "5-SL", "3-SL", "-M")):
            return M85X if "-L-" in d else M85
        return M110 if ("-RL-" in d or "-R-SL" in d) else M240
    return ""


# --------------------------------------------------------------------------- axes


def nice_axis(value: float, axis: str) -> dict | None:
    if not value > 0 or math.isinf(value):
        return None
    m, e = value, 0
    while m >= 10.0:
        m /= 10.0
        e += 1
    while m < 1.0:
        m *= 10.0
        e -= 1
    if m == math.floor(m):
        c = m
    elif 1 < m <= 1.2:
        c = 1.2
    elif 1.2 < m <= 1.4:
        c = 1.4
    elif 1.4 < m <= 1.5:
        c = 1.5
    elif 1.5 < m <= 1.6:
        c = 1.6
    elif axis == "Y" and 1.6 < m <= 1.8:
        c = 1.8
    elif 2 < m <= 2.4:
        c = 2.4
    elif 2.4 < m <= 2.5:
        c = 2.5
    else:
        c = math.floor(m) + 1.0
    divisions = {1: 5, 1.2: 6, 1.4: 7, 1.5: 5, 1.6: 8, 1.8: 9, 2: 5, 2.4: 6, 2.5: 5, 3: 6, 4: 8, 5: 5,
                 6: 6, 7: 7, 8: 8, 9: 5, 10: 5}[c]
    if c == 9:
        c = 10.0
    maximum = c * math.pow(10.0, e)
    step = maximum / divisions
    return {"maximum": maximum, "step": step, "labelStep": step, "divisions": divisions}


def shared_grid_axis(top: float, d: int, margin: float) -> dict:
    for k in range(-2, 40):
        decade = math.pow(10.0, k)
        for f in (1.0, 1.5, 2.0, 3.0, 4.0, 5.0):
            s = f * decade
            if d * s * margin >= top:
                return {"maximum": d * s, "step": s, "labelStep": s, "divisions": d}
    return {"maximum": NAN, "step": NAN, "labelStep": NAN, "divisions": d}


def current_motor_scale(m: dict, factors: tuple, units: dict, mode: int) -> dict:
    km, kn, kl = factors
    if m["sngMax_VarvDiagram"] >= 1:
        top = float(m["sngMax_VarvDiagram"])
    else:
        top = m["sngTomgVarvtal"]
        if mode == 4:
            top = f32(top * kn)
    start = f32(0.05 * top) if m["sngMin_VarvDiagram"] <= 0 else m["sngMin_VarvDiagram"]
    ms = fdiv(f32(km * torque_poly(m, start)), units["sngUnitTorque"])
    if mode == 4:
        torque = fdiv(f32(km * m["sngStallmoment"]), units["sngUnitTorque"])
        air = f32(div(1.25 * kl * m["sngLuftforbrTomgang"], units["sngUnitAir"]))
        power_max = fdiv(f32(f32(km * kn) * m["sngMaxEffekt"]), units["sngUnitPower"])
    else:
        torque = fdiv(m["sngStallmoment"], units["sngUnitTorque"])
        air = f32(div(1.25 * m["sngLuftforbrTomgang"], units["sngUnitAir"]))
        power_max = fdiv(m["sngMaxEffekt"], units["sngUnitPower"])
    if ms > torque:
        torque = ms
    power_axis = nice_axis(0.995 * power_max, "Y")
    d = power_axis["divisions"] if power_axis else 5
    speed = nice_axis(0.995 * top, "X")
    if speed:
        q = speed["maximum"] / speed["step"]
        if q > 7 and speed["maximum"] > 1000:
            speed["labelStep"] = 2 * speed["step"]
    return {"sngTopVarv": top, "sngStartVarv": start, "sngMaxMomentAxel": torque, "sngMaxLuftAxel": air,
            "speed": speed, "power": power_axis, "torque": shared_grid_axis(torque, d, 1.00001),
            "air": shared_grid_axis(air, d, 1.0)}


# --------------------------------------------------------------------------- the CLI's command


def run(data_dir: str, command: str, options: dict, language: str = "English") -> dict:
    """What `airmotor-cli --language L <command> <options> --json` prints, as a dict.

    options: the CLI option names without "--" mapped to their texts.
    """
    motors = load_catalogue(os.path.join(data_dir, "motors.csv"))
    texts = list(load_texts(data_dir, language))
    s = Session(motors, texts, language == "English_Imperial")
    s.list_all()  # start-up listing and its click
    if "series" in options:
        wanted = [name in options["series"].split(",") for name in ("TKM", "TKS", "PGW")]
        for k in range(3):
            if s.ticks[k] != wanted[k]:
                s.ticks[k] = wanted[k]
                s.option_click()
    choice = {
        "rotation": ("clockwise", "counter-clockwise", "reversible"),
        "steel": ("standard", "stainless"), "brake": ("without", "with"),
        "lubrication": ("lubricated", "lube-free"), "tks-steel": ("standard", "stainless"),
        "tks-lubrication": ("lubricated", "lube-free"), "tks-versions": ("restricted", "both", "fallback"),
        "obsolete": ("all", "only-obsolete", "only-new"),
    }
    for name in ("rotation", "steel", "brake", "lubrication", "tks-steel", "tks-lubrication",
                 "tks-versions", "obsolete"):
        if name not in options:
            continue
        index = choice[name].index(options[name])
        if name == "rotation":
            s.rotation = index
        elif name == "steel":
            s.steel = index
            if index == 1:
                s.ticks[0] = True
        elif name == "brake":
            s.brake = index
            s.ticks[0] = True
            if index == 1:
                s.rotation = 2
        elif name == "tks-steel":
            s.steel_tks = index
            if index == 1:
                s.lub_tks = 1
        elif name == "tks-lubrication":
            s.lub_tks = index
        elif name == "tks-versions":
            s.restricted = index
        elif name == "obsolete":
            s.obsolete = index
            if index == 1:
                s.catalogue_view = 0
        s.option_click()
    if command == "search":
        s.catalogue_view = 1
        s.rows, s.grid = [], []
        for f in DUTY_FIELDS:
            s.enable(f, True, YELLOW)
    for option, field in FIELD_OPTIONS:
        if option not in options:
            continue
        s.enable(field, True, YELLOW)
        s.set_text(field, key_filter(options[option]))
    s.leave_pressure()
    s.interplay()
    s.alternative = int(options.get("alternative", 0))
    s.messages = []
    s.current = None
    if command == "list":
        s.list_all()
    else:
        s.search()
    clicked = False
    if not s.refused and not s.maintenance:
        s.current = None
        clicked = s.click(int(options.get("select", 1)), int(options.get("column", 0)))
    current = None
    if clicked:
        current = dict(s.current)
        current["scale"] = s.scale()
    return {
        "command": command,
        "case": s.case if command == "search" else None,
        "refused": s.refused,
        "messages": s.messages,
        "rows": [{"row": n + 1, "index": i, "designation": motors[i]["strBenamning"], "throttle": r,
                  "pressure": p} for n, (i, r, p) in enumerate(s.rows)],
        "grid": s.grid,
        "label23": s.label23,
        "maintenance": s.maintenance,
        "fields": {f: {"text": s.fields[f]["text"], "colour": s.fields[f]["colour"]} for f in FIELDS},
        "current": current,
    }


if __name__ == "__main__":
    import argparse
    import json

    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=("search", "list"))
    parser.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "..", "..", "data"))
    parser.add_argument("--language", default="English")
    parser.add_argument("option", nargs="*", help="NAME=VALUE, e.g. torque=10 speed=3000")
    a = parser.parse_args()
    opts = dict(item.split("=", 1) for item in a.option)
    print(json.dumps(run(a.data, a.command, opts, a.language), ensure_ascii=False, indent=1))
