#!/usr/bin/env python3
"""The catalogue on PostgreSQL against the same catalogue in its SQLite file, through airmotor-cli.

    bench/pg/pg_bench.py --cli build/bin/airmotor-cli --folder build/bin [--runs 7] [--concurrent 50]

Starts a throwaway cluster (initdb and pg_ctl of Debian's postgresql-15, run as the postgres user,
Unix socket in a temporary folder, no TCP), pushes the folder's Zevodida.db into it and prints the
median of the runs for:
- one load (`catalogue --json`) from each, and a bare program start (`--version`) to subtract;
- that many loads at once from each, until the last one ends;
- one save (`save-motor --replace` of a fitted motor) into each.
Every figure is a whole program run, as a user or a script meets it. The cluster and its folder are
removed at the end, also after an error or Ctrl+C.
"""

from __future__ import annotations

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PG_BIN = "/usr/lib/postgresql/15/bin"
HERE = os.path.dirname(os.path.abspath(__file__))
MEASUREMENT = os.path.join(HERE, "..", "..", "tests", "cli", "recorded", "TKM20.DAT")
PORT = 5432  # names the socket file only: the cluster listens on no TCP address


def as_postgres(args: list[str], **kw) -> subprocess.CompletedProcess:
    return subprocess.run(["runuser", "-u", "postgres", "--", *args], check=True, capture_output=True, text=True,
                          **kw)


class Cluster:
    def __init__(self, folder: str):
        self.folder = folder
        self.data = os.path.join(folder, "data")
        self.url = f"postgresql:///bench?host={folder}&port={PORT}&user=postgres"

    def __enter__(self) -> "Cluster":
        # initdb refuses root: the cluster belongs to the postgres user, who must reach its folder.
        os.chmod(os.path.dirname(self.folder), 0o755)
        os.mkdir(self.folder)
        shutil.chown(self.folder, "postgres")
        as_postgres([f"{PG_BIN}/initdb", "-D", self.data, "-A", "trust", "-U", "postgres"])
        as_postgres([f"{PG_BIN}/pg_ctl", "-D", self.data, "-w", "-l", os.path.join(self.folder, "log"), "-o",
                     f"-p {PORT} -k {self.folder} -c listen_addresses=''", "start"])
        as_postgres(["psql", "-h", self.folder, "-p", str(PORT), "-d", "postgres", "-c", "CREATE DATABASE bench"])
        return self

    def __exit__(self, *exc) -> None:
        subprocess.run(["runuser", "-u", "postgres", "--", f"{PG_BIN}/pg_ctl", "-D", self.data, "-m", "immediate",
                        "stop"], capture_output=True)


def cli(args: argparse.Namespace, *extra: str) -> list[str]:
    return [args.cli, "--folder", args.folder, *extra]


def timed(command: list[str], env: dict | None = None) -> float:
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    return time.perf_counter() - start


def timed_together(command: list[str], count: int, env: dict) -> float:
    start = time.perf_counter()
    procs = [subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
             for _ in range(count)]
    if any(p.wait() != 0 for p in procs):
        sys.exit("a concurrent load failed")
    return time.perf_counter() - start


def median_ms(runs: int, measure) -> float:
    return statistics.median(measure() for _ in range(runs)) * 1000.0


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--folder", required=True)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--concurrent", type=int, default=50)
    args = parser.parse_args()
    args.folder = os.path.abspath(args.folder)
    env = {**os.environ, "QT_QPA_PLATFORM": "offscreen"}
    env.pop("AIRMOTOR_CATALOGUE", None)

    with tempfile.TemporaryDirectory() as tmp, Cluster(os.path.join(tmp, "pg")) as cluster:
        subprocess.run(cli(args, "catalogue", "init", cluster.url), check=True, capture_output=True, env=env)
        subprocess.run(cli(args, "catalogue", "push", os.path.join(args.folder, "Zevodida.db"), cluster.url),
                       check=True, capture_output=True, env=env)
        # A folder of its own for the SQLite saves, so the program folder's catalogue stays as it is.
        sqlite = os.path.join(tmp, "sqlite.db")
        shutil.copyfile(os.path.join(args.folder, "Zevodida.db"), sqlite)
        sources = {"SQLite": sqlite, "PostgreSQL": cluster.url}
        measurement = os.path.join(tmp, "NEW.DAT")
        shutil.copyfile(MEASUREMENT, measurement)

        print(f"median of {args.runs} runs, whole airmotor-cli runs")
        start = median_ms(args.runs, lambda: timed(cli(args, "--version"), env))
        print(f"  program start (--version)                 {start:8.1f} ms")
        for name, where in sources.items():
            load = cli(args, "--catalogue", where, "catalogue", "--json")
            one = median_ms(args.runs, lambda: timed(load, env))
            print(f"  one load from {name:<10}                  {one:8.1f} ms")
        for name, where in sources.items():
            load = cli(args, "--catalogue", where, "catalogue", "--json")
            many = median_ms(args.runs, lambda: timed_together(load, args.concurrent, env))
            print(f"  {args.concurrent} loads at once from {name:<10}         {many:8.1f} ms until the last ends")
        for name, where in sources.items():
            save = cli(args, "--catalogue", where, "save-motor", measurement, "--designation", "TKM20-BENCH", "--json")
            subprocess.run([*save, "--add"], check=True, capture_output=True, env=env)
            one = median_ms(args.runs, lambda: timed([*save, "--replace"], env))
            print(f"  one save into {name:<10}                  {one:8.1f} ms")


if __name__ == "__main__":
    main()
