#!/usr/bin/env python3
"""Runs every command line of recorded/cases.txt through `airmotor-cli ... --json` and compares the
answer, field by field, with the output recorded for it in recorded/outputs.jsonl.

The recorded search, listing and model outputs were checked against an independent single-precision
model of the selection rules before they were recorded; numbers must therefore stay equal to the
last digit. A change that is meant to alter an output is recorded again with --update, and the
diff of outputs.jsonl is reviewed with the change.

In a case line, {tmp} stands for a fresh temporary folder, {cases} for the folder of cases.txt
(input files) and {folder} for the program folder; paths in the answers are written back as those
placeholders.

    recorded_outputs.py --cli build/bin/airmotor-cli --folder build/bin [--update] [-k TEXT]
                        [--locale de_DE.UTF-8]

With --locale the CLI runs under that system locale (LANG and LC_ALL): a desktop whose locale
writes a decimal comma must get the same answers to the last digit.
"""

from __future__ import annotations

import argparse
import concurrent.futures
import json
import locale
import math
import os
import shlex
import subprocess
import sys
import tempfile

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "recorded")
CASES = os.path.join(HERE, "cases.txt")
OUTPUTS = os.path.join(HERE, "outputs.jsonl")


def read_cases() -> list[str]:
    with open(CASES, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip() and not line.lstrip().startswith("#")]


def run(cli: str, folder: str, case: str, env: dict | None = None) -> dict:
    """The answer as recorded: stdout as JSON (or as text when it is none), and, where they say
    something, the exit status, stderr and the files left in {tmp}."""
    with tempfile.TemporaryDirectory() as tmp:
        places = {"{tmp}": tmp, "{cases}": HERE, "{folder}": os.path.abspath(folder)}
        args = shlex.split(case)
        for mark, path in places.items():
            args = [a.replace(mark, path) for a in args]
        args = args[1:] if args[0] == "@text" else args + ["--json"]
        proc = subprocess.run([cli, "--folder", places["{folder}"], *args], capture_output=True, encoding="utf-8",
                              timeout=300, env=env)
        try:
            answer = {"answer": json.loads(proc.stdout)}
        except json.JSONDecodeError:
            answer = {"answer": proc.stdout}
        if proc.returncode != 0:
            answer["exit"] = proc.returncode
        if proc.stderr:
            answer["stderr"] = proc.stderr
        if "{tmp}" in case:
            answer["files"] = sorted(os.listdir(tmp))

        def unplace(value):
            if isinstance(value, str):
                for mark, path in places.items():
                    value = value.replace(path, mark)
                return value
            if isinstance(value, list):
                return [unplace(v) for v in value]
            if isinstance(value, dict):
                return {k: unplace(v) for k, v in value.items()}
            return value

        return unplace(answer)


def same(a, b) -> bool:
    if type(a) is not type(b):
        # 3 and 3.0 print differently: an integer turning into a float is a change.
        return False
    if isinstance(a, float) and math.isnan(a):
        return math.isnan(b)
    return a == b


def diff(got, want, path: str, out: list[str]) -> None:
    if isinstance(want, dict) and isinstance(got, dict):
        for key in sorted(set(want) | set(got)):
            if key not in got:
                out.append(f"{path}.{key}: missing")
            elif key not in want:
                out.append(f"{path}.{key}: not recorded (now {got[key]!r})")
            else:
                diff(got[key], want[key], f"{path}.{key}", out)
    elif isinstance(want, list) and isinstance(got, list):
        if len(want) != len(got):
            out.append(f"{path}: {len(got)} elements, recorded {len(want)}")
        for n, (g, w) in enumerate(zip(got, want)):
            diff(g, w, f"{path}[{n}]", out)
    elif not same(got, want):
        out.append(f"{path}: now {got!r}, recorded {want!r}")


def main() -> int:
    parser = argparse.ArgumentParser(description="compare the CLI's answers with the recorded ones")
    parser.add_argument("--cli", required=True)
    parser.add_argument("--folder", required=True)
    parser.add_argument("--update", action="store_true", help="record the current answers")
    parser.add_argument("-k", help="only the cases containing this text")
    parser.add_argument("--locale", help="run the CLI under this system locale")
    a = parser.parse_args()

    env = None
    if a.locale:
        if a.update:
            parser.error("answers are recorded under the classic locale only")
        previous = locale.setlocale(locale.LC_ALL)
        try:
            locale.setlocale(locale.LC_ALL, a.locale)
        except locale.Error:
            print(f"the locale {a.locale} is missing: scripts/install-deps makes it")
            return 1
        locale.setlocale(locale.LC_ALL, previous)
        env = {**os.environ, "LANG": a.locale, "LC_ALL": a.locale}

    every = read_cases()
    cases = [c for c in every if a.k is None or a.k in c]
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        answers = list(pool.map(lambda c: run(a.cli, a.folder, c, env), cases))

    recorded = {}
    if os.path.exists(OUTPUTS):
        with open(OUTPUTS, encoding="utf-8") as f:
            for line in f:
                entry = json.loads(line)
                recorded[entry.pop("case")] = entry
    if a.update:
        # Cases run now replace their answers; the others keep theirs; cases no longer listed go.
        recorded.update(zip(cases, answers))
        with open(OUTPUTS + ".new", "w", encoding="utf-8") as f:
            for case in every:
                if case in recorded:
                    f.write(json.dumps({"case": case, **recorded[case]}, ensure_ascii=False,
                                       separators=(",", ":")) + "\n")
        os.replace(OUTPUTS + ".new", OUTPUTS)
        print(f"{len(cases)} answers recorded in {OUTPUTS}")
        return 0

    failures = 0
    for case, answer in zip(cases, answers):
        out: list[str] = []
        if case not in recorded:
            out.append("no recorded answer: record it with --update")
        else:
            diff(answer, recorded[case], "", out)
        if out:
            failures += 1
            print(case)
            for line in out[:12]:
                print("    " + line)
            if len(out) > 12:
                print(f"    ... {len(out) - 12} more")
    stale = sorted(set(recorded) - set(every)) if a.k is None else []
    for case in stale:
        print(f"{case}\n    recorded, but no longer in cases.txt: record again with --update")
    print(f"{len(cases) - failures} of {len(cases)} answers as recorded")
    failures += len(stale)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
