#!/usr/bin/env python3
"""Runs `airmotor-cli search|list --json` over a broad set of inputs and compares every output with
the independent reference model (search_reference.py). Exit status 0 when all agree.

Single-precision results (rows, factors, current values) must agree to the last bit; axis records
are doubles and must agree exactly too. Usage:

    compare.py --cli build/bin/airmotor-cli --folder build/bin [--data data] [-v]
"""

from __future__ import annotations

import argparse
import concurrent.futures
import json
import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import search_reference as ref  # noqa: E402

S = "search"
L = "list"

# (command, language, options). Every case 1..12, several pressures, imperial units, series and
# option combinations, listings and clicks on other rows and columns.
SCENARIOS: list[tuple[str, str, dict]] = []


def add(command: str, options: dict, language: str = "English") -> None:
    SCENARIOS.append((command, language, options))


for p in ("6.3", "3", "4.5", "5", "6", "6.29995", "6.2999", "6.3001", "2"):
    add(S, {"torque": "10", "speed": "3000", "pressure": p})
    add(S, {"torque": "2", "speed": "6000", "pressure": p, "series": "TKM,TKS,PGW"})
    add(S, {"torque": "0.5", "speed": "12000", "pressure": p, "series": "TKS"})
for p in ("6.3", "4.5", "5"):
    # Cases 1..12.
    add(S, {"torque": "5", "speed": "2000", "start-torque": "4", "pressure": p})
    add(S, {"start-torque": "5", "free-min": "3000", "pressure": p})
    add(S, {"start-torque": "5", "free-max": "4000", "pressure": p, "series": "TKM"})
    add(S, {"start-torque": "2", "free-max": "15000", "pressure": p, "series": "TKS,PGW"})
    add(S, {"torque": "5", "speed": "2000", "stall-min": "20", "pressure": p})
    add(S, {"stall-min": "20", "free-min": "3000", "pressure": p})
    add(S, {"stall-min": "10", "free-max": "5000", "pressure": p, "series": "TKM,PGW"})
    add(S, {"torque": "3", "speed": "2000", "stall-max": "25", "pressure": p})
    add(S, {"stall-max": "15", "free-min": "3000", "pressure": p})
    add(S, {"stall-max": "15", "free-max": "6000", "pressure": p, "series": "TKM,PGW"})
    add(S, {"stall-max": "40", "free-max": "20000", "pressure": p, "series": "TKM,TKS,PGW"})
    add(S, {"torque": "8", "speed": "2500", "pressure": p, "series": "TKM,TKS,PGW"})
    add(S, {"torque": "3", "speed": "2000", "free-min": "4000", "pressure": p})
    add(S, {"torque": "3", "speed": "2000", "free-max": "5000", "pressure": p, "series": "TKM,PGW"})
    add(S, {"torque": "1", "speed": "1500", "free-max": "9000", "pressure": p, "series": "TKM,TKS"})
# Working point at standstill / free running, more than two values, invalid fields, no case.
add(S, {"torque": "25", "speed": "0"})
add(S, {"torque": "0", "speed": "3000"})
add(S, {"torque": "5", "speed": "2000", "start-torque": "4", "free-min": "1000"})
add(S, {"torque": "20000", "speed": "3000"})
add(S, {"torque": "-5", "speed": "3000"})
add(S, {"torque": "5"})
add(S, {"torque": "1,5", "speed": "3000"})
add(S, {"torque": "*", "speed": "3000"})
add(S, {"torque": "10", "speed": "3000", "pressure": "583196"})
add(S, {"torque": "10", "speed": "3000", "series": ""})
add(S, {"torque": "1000", "speed": "3000"})
add(S, {"torque": "10", "speed": "3000", "pressure": "7"})
# Options.
add(S, {"torque": "2", "speed": "3000", "steel": "stainless"})
add(S, {"torque": "2", "speed": "3000", "rotation": "counter-clockwise", "steel": "stainless"})
add(S, {"torque": "2", "speed": "3000", "rotation": "counter-clockwise", "pressure": "5"})
add(S, {"torque": "2", "speed": "3000", "brake": "with", "pressure": "4.5"})
add(S, {"torque": "2", "speed": "3000", "rotation": "reversible"})
add(S, {"torque": "2", "speed": "3000", "brake": "with", "series": "TKS"})
add(S, {"torque": "0.5", "speed": "5000", "series": "TKS", "tks-lubrication": "lube-free", "pressure": "5"})
add(S, {"torque": "0.5", "speed": "5000", "series": "TKS", "tks-steel": "stainless", "pressure": "4"})
for v in ("restricted", "both", "fallback"):
    add(S, {"torque": "0.5", "speed": "5000", "series": "TKS", "tks-versions": v})
    add(S, {"torque": "0.3", "speed": "8000", "series": "TKS", "tks-versions": v, "pressure": "5"})
    add(S, {"torque": "0.5", "speed": "5000", "free-min": "9000", "series": "TKS", "tks-versions": v})
add(S, {"torque": "1", "speed": "3000", "series": "PGW"})
add(S, {"torque": "1", "speed": "3000", "series": "PGW", "pressure": "4"})
add(S, {"torque": "5", "speed": "1000", "series": "PGW,TKM", "pressure": "5"})
# Imperial units.
for p in ("91", "80", "44", "40", "90"):
    add(S, {"torque": "7", "speed": "3000", "pressure": p}, "English_Imperial")
    add(S, {"torque": "2", "speed": "4000", "start-torque": "3", "pressure": p,
            "series": "TKM,TKS,PGW"}, "English_Imperial")
add(S, {"torque": "10", "speed": "3000", "pressure": "583196"}, "English_Imperial")
# Other languages (texts only).
add(S, {"torque": "10", "speed": "3000", "pressure": "5"}, "German")
add(S, {"torque": "5", "speed": "2000", "start-torque": "4", "pressure": "5"}, "Spanish")
# Clicks on other rows and columns, diagram alternatives.
for row, col in ((2, 0), (2, 1), (3, 1), (6, 0), (15, 0), (40, 0), (1, 2), (0, 0)):
    add(S, {"torque": "2", "speed": "3000", "pressure": "5", "select": str(row), "column": str(col)})
    add(S, {"torque": "5", "speed": "2000", "start-torque": "4", "pressure": "4.5",
            "select": str(row), "column": str(col), "series": "TKM,TKS,PGW"})
for alt in ("1", "4", "5"):
    add(S, {"torque": "10", "speed": "3000", "pressure": "5", "alternative": alt})
    add(S, {"torque": "1", "speed": "3000", "pressure": "4", "alternative": alt, "series": "PGW"})
# Bracketed rows and their information message, also in imperial units.
for lang in ("English", "English_Imperial"):
    add(S, {"torque": "7", "speed": "300", "start-torque": "1", "select": "2"}, lang)
    add(S, {"torque": "3", "speed": "1000", "pressure": "5", "select": "3", "series": "TKM,TKS,PGW"}, lang)
    add(S, {"torque": "12", "speed": "500", "start-torque": "2", "pressure": "4", "select": "4"}, lang)
# Explosion-protection class of a family told apart by the clicked cell, bracketed or not.
for t in ("300", "650"):
    for col in ("0", "1"):
        add(S, {"torque": t, "speed": "5", "series": "TKM", "select": "2", "column": col})
# "BS" motors keep the factors of the previous motor.
for p in ("3", "4", "5.5", "6.3"):
    add(S, {"torque": "0.8", "speed": "300", "series": "TKS", "pressure": p, "select": "2"})
    add(S, {"start-torque": "1", "free-max": "2000", "series": "TKS", "pressure": p})
# Field rules: partners emptied, key filter, pressure raised on leaving.
add(S, {"stall-min": "5", "stall-max": "30", "free-max": "5000", "series": "TKM"})
add(S, {"free-min": "1000", "free-max": "8000", "stall-max": "20", "series": "TKM"})
add(S, {"torque": "1a,5", "speed": "3 000"})
add(S, {"torque": "10", "speed": "3000", "pressure": "2.5"})
add(S, {"torque": "7", "speed": "3000", "pressure": "43"}, "English_Imperial")
add(S, {"torque": "10", "speed": "3000", "pressure": "6.31"})
add(S, {"stall-max": "8", "free-max": "9000", "pressure": "3.5", "series": "TKM,PGW"})
# Listings.
for series in ("TKM", "TKS", "PGW", "TKM,TKS,PGW", "TKS,PGW"):
    for obsolete in ("all", "only-obsolete", "only-new"):
        add(L, {"series": series, "obsolete": obsolete})
add(L, {"series": "TKS", "tks-versions": "both", "select": "4", "column": "1"})
add(L, {"series": "TKM", "rotation": "reversible", "brake": "with"})
add(L, {"series": "TKM", "steel": "stainless", "select": "2"})
add(L, {"series": "TKS", "tks-steel": "stainless"})
add(L, {"series": ""})
add(L, {"series": "PGW", "pressure": "4", "select": "3", "alternative": "4"})
add(L, {"series": "TKM,TKS,PGW", "pressure": "75", "select": "30", "column": "1"}, "English_Imperial")
# Gear-version cells, mounting-position variants ("5-BG"), web-linked drawings.
for row, col in ((8, 1), (9, 1), (9, 0), (22, 0), (36, 1), (138, 0), (157, 0), (240, 0), (93, 0)):
    add(L, {"series": "TKM,TKS,PGW", "obsolete": "all", "tks-versions": "both", "select": str(row),
            "column": str(col)})
add(L, {"series": "TKS", "tks-versions": "both", "select": "10", "pressure": "4"}, "Spanish")
for row in range(1, 120, 20):
    add(L, {"series": "TKM,TKS,PGW", "obsolete": "all", "select": str(row), "column": str(row % 2)})


def cli_args(command: str, language: str, options: dict) -> list[str]:
    args = ["--language", language, command]
    for name, value in options.items():
        args += [f"--{name}", value]
    return args + ["--json"]


def same(a, b) -> bool:
    if isinstance(a, bool) or isinstance(b, bool):
        return a is b
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        if isinstance(a, float) and math.isnan(a):
            return isinstance(b, float) and math.isnan(b)
        # A single is printed with the fewest digits that read back as the same single; a double
        # (the axis records) with all its digits. So a single must read back bit for bit, and a
        # double must be equal.
        cli, model = float(a), float(b)
        return cli == model or (ref.f32(model) == model and ref.f32(cli) == model)
    return a == b


def diff(cli, model, path: str, out: list[str]) -> None:
    if isinstance(model, dict) and isinstance(cli, dict):
        for key in sorted(set(model) | set(cli)):
            if key not in cli:
                out.append(f"{path}.{key}: missing in CLI output")
            elif key not in model:
                out.append(f"{path}.{key}: not expected (CLI has {cli[key]!r})")
            else:
                diff(cli[key], model[key], f"{path}.{key}", out)
    elif isinstance(model, list) and isinstance(cli, list):
        if len(model) != len(cli):
            out.append(f"{path}: CLI has {len(cli)} elements, reference {len(model)}")
        for n, (c, m) in enumerate(zip(cli, model)):
            diff(c, m, f"{path}[{n}]", out)
    elif not same(cli, model):
        out.append(f"{path}: CLI {cli!r}, reference {model!r}")


DESIGNATIONS = ("TKM22-A1100", "PGW03-A", "PGW06-A", "PGW11-A", "PGW17-A", "PGW24-A", "TKS03-ST-UAA-1",
                "TKS25-ST-UAA-1", "TKS35-ST-UAA-1", "TKS05-ST-BS 32", "TKS 05-ST-UA", "")
PRESSURES = ("0", "1.5", "3", "4.5", "5.8", "6.2999", "6.29995", "6.3", "6.3001", "7")
AXIS_VALUES = ("12.3", "17", "9.2", "8.7", "5970", "0.995", "1", "1.2", "1.21", "1.6", "1.7", "1.8", "2.0001",
               "2.4", "2.45", "2.5", "2.51", "0.0123", "123456", "1e-5", "15920", "0", "-3")
FIT_SETS = (("1", "0,1 1,3 2,5"), ("1", "0,1 1,3"), ("4", "0,1 1,2 2,0 3,5 4,4"),
            ("4", "0,1 1,2 2,0 3,5 4,4 5,1"), ("2", "1,1 1,2 1,3 1,4"), ("3", "0,1 1,3 2,5 3,2 4,1 5,0 6,7"),
            ("3", "0.5,1800 0.4,2400 0.3,3000 0.2,3600 0.1,4200 0,4800 -0.01,4900"),
            ("2", "1e3,1 2e3,4 3e3,9.5 4e3,16 5e3,24"), ("0", "1,2 3,4"))


def model_commands(cli: str, folder: str, data: str) -> list[str]:
    """catalogue, texts, factors, axis, decimals and fit against the reference."""
    checks: list[tuple[tuple, dict, str]] = []
    for d in DESIGNATIONS:
        for p in PRESSURES:
            km, kn, kl = ref.pressure_factors(ref.f32(float(p)), d, (0.25, 0.5, 0.75))
            checks.append((("factors", "--designation", d, "--pressure", p, "--previous", "0.25,0.5,0.75"),
                           {"sngKm": km, "sngKn": kn, "sngKl": kl}, f"factors {d!r} {p}"))
    for v in AXIS_VALUES:
        for axis in "XY":
            model = ref.nice_axis(float(v), axis)
            checks.append((("axis", "--value", v, "--axis", axis), model or {"unchanged": True},
                           f"axis {v} {axis}"))
    for v in AXIS_VALUES + ("9000.004", "900.0004", "12.5", "12", "0.00005", "0.00004999"):
        text = ref.format_mask(float(v), "#######.##" if float(v) > 9000 else
                               "#######.###" if float(v) > 900 else "#######.####")
        decimals = len(text.split(".")[1]) if "." in text else 0
        checks.append((("decimals", "--value", v), {"decimals": decimals}, f"decimals {v}"))
    for degree, points in FIT_SETS:
        pairs = [tuple(ref.f32(float(t)) for t in pt.split(",")) for pt in points.split()]
        x = [0.0] + [a for a, _ in pairs]
        y = [0.0] + [b for _, b in pairs]
        model = {"coefficients": ref.fit_polynomial(x, y, len(pairs), int(degree))}
        checks.append((("fit", "--degree", degree, "--points", points), model, f"fit {degree} {points}"))

    motors = ref.load_catalogue(os.path.join(data, "motors.csv"))
    catalogue = {"count": len(motors) - 1, "motors": []}
    for index, m in enumerate(motors[1:], 1):
        row = {"index": index}
        for key in ("intSokindex", "strBenamning", "strDetaljnr1", "strDetaljnr2", "strDetaljnr3", "txtRotation",
                    "bolLubricationFree", "bolStainless", "bolBrake", "sngTomgVarvtal", "sngLuftforbrTomgang",
                    "sngMaxEffekt", "sngMomentMaxeff", "sngLuftMaxeff", "sngVarvMaxeff", "sngStallmoment",
                    "sngMinStartMoment", "sngPris", "strMattskiss", "sngUtvaxling", "sngVikt", "intGradtal_M"):
            row[key] = m[key]
        row["sngC_M"] = m["cM"]
        row["intGradtal_L"] = m["intGradtal_L"]
        row["sngC_L"] = m["cL"]
        for key in ("bolOldMotor", "sngMin_VarvDiagram", "sngMax_VarvDiagram"):
            row[key] = m[key]
        catalogue["motors"].append(row)
    checks.append((("catalogue",), catalogue, "catalogue"))
    for language in ref.LANGUAGE_COLUMNS:
        imperial = language == "English_Imperial"
        texts = ref.load_texts(data, language)
        checks.append((("--language", language, "texts"),
                       {"language": language, "intImperialUnits": 1 if imperial else 0,
                        "units": dict(ref.IMPERIAL_UNITS if imperial else ref.SI_UNITS),
                        "texts": {str(k): t for k, t in enumerate(texts)}}, f"texts {language}"))

    def run_cli(args: tuple) -> dict:
        proc = subprocess.run([cli, "--folder", folder, *args, "--json"], capture_output=True, text=True)
        return json.loads(proc.stdout) if proc.returncode == 0 else {"exit": proc.returncode}

    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        answers = list(pool.map(run_cli, [c[0] for c in checks]))
    out: list[str] = []
    for (_, model, label), got in zip(checks, answers):
        diff(got, model, label, out)
    return out


def main() -> int:
    parser = argparse.ArgumentParser(description="compare the CLI's search with the reference model")
    parser.add_argument("--cli", required=True)
    parser.add_argument("--folder", required=True)
    parser.add_argument("--data", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                       "..", "data"))
    parser.add_argument("-v", "--verbose", action="store_true")
    parser.add_argument("--only", type=int, help="run scenario number N only")
    a = parser.parse_args()

    failures = 0
    listed = 0
    chosen = [n for n in range(len(SCENARIOS)) if a.only is None or n == a.only]

    def run_cli(n: int) -> subprocess.CompletedProcess:
        command, language, options = SCENARIOS[n]
        return subprocess.run([a.cli, "--folder", a.folder] + cli_args(command, language, options),
                              capture_output=True, text=True)

    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        results = dict(zip(chosen, pool.map(run_cli, chosen)))
    for n in chosen:
        command, language, options = SCENARIOS[n]
        args = cli_args(command, language, options)
        proc = results[n]
        if proc.returncode != 0:
            print(f"[{n}] {' '.join(args)}: exit {proc.returncode}: {proc.stderr.strip()}")
            failures += 1
            continue
        cli = json.loads(proc.stdout)
        model = ref.run(a.data, command, options, language)
        listed += len(model["rows"])
        out: list[str] = []
        diff(cli, json.loads(json.dumps(model)), "", out)
        if out:
            failures += 1
            print(f"[{n}] {' '.join(args)}")
            for line in out[:12]:
                print("    " + line)
            if len(out) > 12:
                print(f"    ... {len(out) - 12} more")
        elif a.verbose:
            print(f"[{n}] ok: case {model['case']}, {len(model['rows'])} rows")
    if a.only is None:
        out = model_commands(a.cli, a.folder, a.data)
        for line in out:
            print("    " + line)
        if out:
            failures += 1
        print("catalogue, texts, factors, axis, decimals and fit: " + ("differ" if out else "agree"))
    total = len(SCENARIOS) if a.only is None else 1
    print(f"{total - failures} of {total} scenarios agree ({listed} result rows compared)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
