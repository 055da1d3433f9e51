#!/usr/bin/env python3
"""Load on airmotor-server from Debian's wrk over loopback, every run bounded in time.

    bench/server/server_bench.py --server build/bin/airmotor-server --cli build/bin/airmotor-cli \\
                                 --folder build/bin [--runs 3] [--seconds 10] [--million]

Prints the median of the runs for: search with 32 connections (requests/s and p99 latency), the
diagram SVG and the data-sheet PDF (as many connections as one client may draw at once), the same
search as one airmotor-cli process per request, and with --million the server's RSS growth over
1,000,000 searches. wrk runs on the same machine: on two cores it takes one of them.
"""

from __future__ import annotations

import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

SEARCH = '{"torque":10,"speed":3000,"pressure":6.3}'
RENDERS_PER_CLIENT = 4


def start(server: str, folder: str):
    proc = subprocess.Popen([server, "--folder", folder, "--listen", "127.0.0.1:0"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    line = proc.stderr.readline()
    port = int(re.search(r":(\d+)/", line).group(1))
    # The log (one line per request) goes to a sink the benchmark does not read.
    subprocess.Popen(["cat"], stdin=proc.stderr, stdout=subprocess.DEVNULL)
    return proc, port


def wrk(url: str, connections: int, seconds: int, script: str | None) -> tuple[float, float]:
    args = ["wrk", "-t", "1", "-c", str(connections), "-d", f"{seconds}s", "--latency", "--timeout", "5s"]
    if script:
        args += ["-s", script]
    out = subprocess.run(args + [url], capture_output=True, text=True, timeout=seconds + 60).stdout
    done = re.search(r"(\d+) requests in ([\d.]+)(ms|s)", out)
    elapsed = float(done.group(2)) * (0.001 if done.group(3) == "ms" else 1.0)
    refused = re.search(r"Non-2xx or 3xx responses: (\d+)", out)
    # Only answers with a result count: a 429 is fast and would flatter the rate.
    rate = (int(done.group(1)) - (int(refused.group(1)) if refused else 0)) / elapsed
    if refused:
        print(f"  note: {refused.group(1)} answers were not 2xx", file=sys.stderr)
    p99 = re.search(r"99%\s+([\d.]+)(us|ms|s)", out)
    scale = {"us": 0.001, "ms": 1.0, "s": 1000.0}[p99.group(2)]
    return rate, float(p99.group(1)) * scale


def post_script(folder: str, body: str) -> str:
    path = os.path.join(folder, f"post-{abs(hash(body))}.lua")
    with open(path, "w") as f:
        f.write('wrk.method = "POST"\nwrk.headers["Content-Type"] = "application/json"\n')
        f.write(f"wrk.body = [[{body}]]\n")
    return path


def rss_kib(pid: int) -> int:
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--server", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--folder", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=int, default=10)
    parser.add_argument("--million", action="store_true")
    args = parser.parse_args()

    proc, port = start(args.server, args.folder)
    base = f"http://127.0.0.1:{port}/api/v1"
    results: dict[str, list[tuple[float, float]]] = {}
    with tempfile.TemporaryDirectory() as tmp:
        search = post_script(tmp, SEARCH)
        sheet = post_script(tmp, SEARCH[:-1] + ',"row":1}')
        cases = [("search, 32 connections", f"{base}/search", 32, search),
                 ("diagram SVG", f"{base}/motors/134/diagram.svg?torque=10&speed=3000&pressure=6.3",
                  RENDERS_PER_CLIENT, None),
                 ("data sheet PDF", f"{base}/datasheet.pdf", RENDERS_PER_CLIENT, sheet)]
        wrk(f"{base}/search", 8, 2, search)  # warm-up
        for name, url, connections, script in cases:
            runs = []
            for _ in range(args.runs):
                runs.append(wrk(url, connections, args.seconds, script))
                # Work a stopped run left in flight still holds its drawing slots for a moment.
                time.sleep(1)
            results[name] = runs

        cli_rates = []
        for _ in range(args.runs):
            started, count = time.monotonic(), 0
            while time.monotonic() - started < min(args.seconds, 5):
                subprocess.run([args.cli, "--folder", args.folder, "search", "--torque", "10", "--speed", "3000",
                                "--pressure", "6.3", "--json"], capture_output=True, check=True)
                count += 1
            cli_rates.append(count / (time.monotonic() - started))

        if args.million:
            before = rss_kib(proc.pid)
            started = time.monotonic()
            out = subprocess.run(["wrk", "-t", "1", "-c", "32", "-d", "240s", "-s", search, f"{base}/search"],
                                 capture_output=True, text=True).stdout
            done = int(re.search(r"(\d+) requests in", out).group(1))
            growth = (rss_kib(proc.pid) - before) / 1024
            print(f"RSS growth over {done} searches in {time.monotonic() - started:.0f} s: {growth:.1f} MB")
    proc.terminate()
    proc.wait(timeout=30)

    for name, runs in results.items():
        rate = statistics.median(r[0] for r in runs)
        p99 = statistics.median(r[1] for r in runs)
        print(f"{name}: median {rate:.0f} requests/s, p99 {p99:.2f} ms ({args.runs} runs of {args.seconds} s)")
    print(f"airmotor-cli search, one process per request: median {statistics.median(cli_rates):.1f} requests/s")


if __name__ == "__main__":
    main()
