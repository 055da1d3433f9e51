#!/usr/bin/env python3
"""The HTTP API of airmotor-server, against the real binary on a free loopback port.

    api_test.py --server build/bin/airmotor-server --cli build/bin/airmotor-cli --folder build/bin

Every endpoint and status code; every JSON answer against the OpenAPI document the server serves;
the search figures against airmotor-cli's, to the last digit, for the recorded search duties (all
twelve cases and the refusals); hostile input; a catalogue reload; SIGTERM with requests in flight.
"""

from __future__ import annotations

import argparse
import concurrent.futures
import http.client
import json
import os
import re
import shlex
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import jsonschema

HERE = os.path.dirname(os.path.abspath(__file__))
RECORDED_CASES = os.path.join(HERE, "..", "cli", "recorded", "cases.txt")
ARGS: argparse.Namespace


class Server:
    """airmotor-server on a free loopback port; stderr is collected (one log line per request)."""

    def __init__(self, folder: str, *extra: str):
        self.proc = subprocess.Popen([ARGS.server, "--folder", folder, "--listen", "127.0.0.1:0", *extra],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                                     env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        self.lines: list[str] = []
        first = self.proc.stderr.readline()
        self.lines.append(first)
        match = re.search(r"listening on http://127\.0\.0\.1:(\d+)/", first)
        if not match:
            self.proc.kill()
            raise RuntimeError("the server did not start: " + first + self.proc.stderr.read())
        self.port = int(match.group(1))
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stderr:
            self.lines.append(line)

    def request(self, method: str, path: str, body: bytes | str | dict | None = None,
                headers: dict | None = None, timeout: float = 60):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        if isinstance(body, dict):
            body = json.dumps(body)
        conn.request(method, path, body=body, headers=headers or {})
        response = conn.getresponse()
        data = response.read()
        conn.close()
        return response.status, dict(response.getheaders()), data

    def json(self, method: str, path: str, body=None):
        status, headers, data = self.request(method, path, body)
        return status, json.loads(data)

    def stop(self, sig=signal.SIGTERM, timeout=30) -> int:
        if self.proc.poll() is None:
            self.proc.send_signal(sig)
        code = self.proc.wait(timeout=timeout)
        self.reader.join(timeout=5)
        return code


def cli_run(*args: str, folder: str | None = None) -> tuple[int, dict | None]:
    proc = subprocess.run([ARGS.cli, "--folder", folder or ARGS.folder, *args, "--json"], capture_output=True,
                          text=True, timeout=120, env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    return proc.returncode, json.loads(proc.stdout) if proc.returncode == 0 else None


def cli(*args: str, folder: str | None = None) -> dict:
    code, answer = cli_run(*args, folder=folder)
    assert code == 0, args
    return answer


def body_of(cli_args: list[str]) -> dict:
    """The API body of command-line options: --start-torque 4 becomes {"startTorque": "4"}."""
    return {re.sub(r"-(\w)", lambda m: m.group(1).upper(), name[2:]): value
            for name, value in zip(cli_args[::2], cli_args[1::2])}


def search_cases() -> list[list[str]]:
    """The recorded `search` lines made of session options only (no files, no flags)."""
    cases = []
    with open(RECORDED_CASES, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line.startswith("search ") or "{" in line:
                continue
            args = shlex.split(line)[1:]
            if len(args) % 2 or not all(a.startswith("--") for a in args[::2]):
                continue
            if any(a in ("--language", "--select", "--column") for a in args[::2]):
                continue
            cases.append(args)
    return cases


class ApiTest(unittest.TestCase):
    server: Server
    schemas: dict

    @classmethod
    def setUpClass(cls):
        cls.server = Server(ARGS.folder)
        status, cls.openapi = cls.server.json("GET", "/api/v1/openapi.json")
        assert status == 200

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def conforms(self, schema: str, answer):
        document = {"$ref": f"#/components/schemas/{schema}", "components": self.openapi["components"]}
        jsonschema.Draft202012Validator(document).validate(answer)

    def ok(self, schema: str, method: str, path: str, body=None) -> dict:
        """A 200 answer that conforms to its schema."""
        status, answer = self.server.json(method, path, body)
        self.assertEqual(status, 200, path)
        self.conforms(schema, answer)
        return answer

    def test_endpoints_answer_as_documented(self):
        s = self.server
        duty = {"torque": 10, "speed": 3000, "pressure": 6.3}
        answer = self.ok("Selection", "POST", "/api/v1/search", duty)
        self.assertGreater(len(answer["rows"]), 3)
        index = answer["rows"][0]["index"]

        answer = self.ok("Selection", "POST", "/api/v1/list", {"series": ["TKM"], "pressure": 6})
        self.assertIsNone(answer["case"])
        self.assertTrue(all(r["designation"].startswith("TKM") for r in answer["rows"]))

        answer = self.ok("Motor", "GET", f"/api/v1/motors/{index}?pressure=6&language=German")
        self.assertIn("bar(e)", answer["panel"]["heading"])
        # Every listed motor can be opened, the one in the listing's last row too.
        listing = self.ok("Selection", "POST", "/api/v1/list", {"series": ["TKM", "TKS", "PGW"], "obsolete": "all"})
        self.ok("Motor", "GET", f"/api/v1/motors/{listing['rows'][-1]['index']}")

        for path, kind in ((f"/api/v1/motors/{index}/diagram.svg?torque=10&speed=3000&pressure=6.3", b"<svg"),
                           (f"/api/v1/motors/{index}/drawing.svg", b"<svg"),
                           (f"/api/v1/motors/{index}/drawing.png", b"\x89PNG")):
            status, headers, data = s.request("GET", path)
            self.assertEqual(status, 200, path)
            self.assertIn(kind, data[:400], path)

        status, headers, data = s.request("POST", "/api/v1/datasheet.pdf", {**duty, "row": 1})
        self.assertEqual((status, headers["Content-Type"]), (200, "application/pdf"))
        self.assertTrue(data.startswith(b"%PDF"))

        answer = self.ok("Comparison", "POST", "/api/v1/compare", {**duty, "rows": [1, 2, 3]})
        self.assertEqual([r["row"] for r in answer["rows"]], [1, 2, 3])

        answer = self.ok("Calculation", "POST", "/api/v1/calculators/rotating-mass", {"index": index})
        self.assertIn("i", answer["inputs"])
        self.assertNotIn("Text1_0", json.dumps(answer))
        status, answer = s.json("POST", "/api/v1/calculators/wagon", {"index": index, "mu": 5})
        self.conforms("Calculation", answer)
        self.assertEqual(status, 422 if answer["refused"] else 200)

        for language, torque in (("English", "Torque [Nm]"), ("German", "Drehmoment [Nm]")):
            answer = self.ok("Texts", "GET", f"/api/v1/texts?language={language}")
            self.assertEqual(answer["labels"]["torque"], torque)
            self.assertIn("Deutsch", [l["name"] for l in answer["languages"]])

        answer = self.ok("Catalogue", "GET", "/api/v1/catalogue")
        self.assertEqual(answer["count"], len(answer["motors"]))
        self.ok("Health", "GET", "/api/v1/health")

    def test_refusals_and_errors_have_their_status(self):
        s = self.server
        cases = [
            ("POST", "/api/v1/search", {"torque": 10, "speed": 3000, "pressure": 6.3001}, 422, "Selection"),
            ("POST", "/api/v1/search", '{"torque": 10,', 400, "Error"),
            ("POST", "/api/v1/search", {"Label17": 1}, 400, "Error"),
            ("POST", "/api/v1/search", {"rotation": "sideways"}, 400, "Error"),
            ("POST", "/api/v1/search", {"language": "Klingon"}, 400, "Error"),
            ("POST", "/api/v1/compare", {"torque": 10, "speed": 3000, "rows": [1, 1]}, 400, "Error"),
            ("POST", "/api/v1/datasheet.pdf", {"torque": 10, "speed": 3000, "row": 999}, 400, "Error"),
            ("GET", "/api/v1/search", None, 405, "Error"),
            ("DELETE", "/api/v1/health", None, 405, "Error"),
            ("GET", "/api/v1/nothing", None, 404, "Error"),
            ("GET", "/api/v2/search", None, 404, "Error"),
            ("GET", "/api/v1/motors/0", None, 404, "Error"),
            ("GET", "/api/v1/motors/99999", None, 404, "Error"),
            ("GET", "/api/v1/motors/1?width=5", None, 400, "Error"),
            ("GET", "/api/v1/motors/1/diagram.svg?width=199", None, 400, "Error"),
            ("GET", "/api/v1/motors/1/diagram.svg?height=3001", None, 400, "Error"),
            ("GET", "/api/v1/motors/1/diagram.svg?width=x", None, 400, "Error"),
            ("GET", "/api/v1/texts?language=Klingon", None, 400, "Error"),
        ]
        for method, path, body, status, schema in cases:
            with self.subTest(path=path, body=body):
                got, headers, data = s.request(method, path, body)
                self.assertEqual(got, status, data[:300])
                self.conforms(schema, json.loads(data))
                if got == 405:
                    self.assertIn("Allow", headers)

    def test_picture_sizes_at_their_limits_are_drawn(self):
        for query in ("width=200&height=200", "width=3000&height=3000"):
            status, headers, data = self.server.request("GET", f"/api/v1/motors/1/diagram.svg?{query}")
            self.assertEqual(status, 200, query)
            width = re.search(rb'<svg[^>]*width="([\d.]+)', data)
            self.assertIsNotNone(width, query)

    def test_one_answer_per_request_on_a_kept_alive_connection(self):
        # A refused page request must not get a second answer that the next request would read as its own.
        with socket.create_connection(("127.0.0.1", self.server.port), timeout=10) as sock:
            sock.sendall(b"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n"
                         b"GET /nothing.html HTTP/1.1\r\nHost: x\r\n\r\n"
                         b"GET /api/v1/health HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
            received = b""
            deadline = time.monotonic() + 10
            # Read until three answers are in, then a little longer for any stray one.
            while time.monotonic() < deadline:
                sock.settimeout(0.5 if received.count(b"HTTP/1.1 ") >= 3 else 5)
                try:
                    chunk = sock.recv(65536)
                except TimeoutError:
                    break
                if not chunk:
                    break
                received += chunk
        statuses = re.findall(rb"HTTP/1\.1 (\d{3}) ", received)
        self.assertEqual(statuses, [b"405", b"404", b"200"])

    def test_the_log_has_one_line_per_request(self):
        self.server.request("GET", "/api/v1/health?probe=log")
        time.sleep(0.2)
        lines = [l for l in self.server.lines if l.startswith("GET /api/v1/health ")]
        self.assertTrue(lines)
        self.assertRegex(lines[-1].strip(), r"^GET /api/v1/health 200 \d+us$")

    def test_every_answer_carries_the_security_headers(self):
        for path in ("/", "/api/v1/health", "/api/v1/nothing", "/../../etc/passwd"):
            status, headers, data = self.server.request("GET", path)
            self.assertIn("script-src 'self'", headers.get("Content-Security-Policy", ""), path)
            self.assertNotIn("unsafe-inline", headers["Content-Security-Policy"])
            self.assertEqual(headers.get("X-Content-Type-Options"), "nosniff", path)
            self.assertIn("Referrer-Policy", headers)

    def test_search_figures_equal_the_command_lines(self):
        cases = search_cases()
        self.assertGreater(len(cases), 60)
        seen_cases = set()
        refusals = 0

        def compare(args: list[str]):
            status, answer = self.server.json("POST", "/api/v1/search", body_of(args))
            code, searched = cli_run("search", *args)
            if code != 0:
                # What the command line calls a usage error is a bad request here.
                self.assertEqual((code, status), (2, 400), args)
                return None, False
            self.assertEqual(answer["refused"], searched["refused"], args)
            self.assertEqual(status, 422 if searched["refused"] else 200, args)
            self.assertEqual(answer["case"], searched["case"], args)
            # The command line clicks the first row after the search; its messages follow the search's.
            self.assertEqual(answer["messages"], searched["messages"][:len(answer["messages"])], args)
            self.assertEqual(len(answer["rows"]), len(searched["rows"]), args)
            for mine, theirs in zip(answer["rows"], searched["rows"]):
                for name in ("row", "index", "designation", "throttle"):
                    self.assertEqual(mine[name], theirs[name], (args, name))
            if answer["rows"]:
                analysed = cli("analyse", "--all", *args)["rows"]
                for mine, theirs in zip(answer["rows"], analysed):
                    for name, value in theirs.items():
                        self.assertEqual(mine[name], value, (args, name))
            return answer["case"], answer["refused"]

        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            for case, refused in pool.map(compare, cases):
                seen_cases.add(case)
                refusals += refused
        self.assertTrue(set(range(1, 13)) <= seen_cases, seen_cases)
        self.assertGreater(refusals, 0)

    def test_batch_answers_as_the_server_does(self):
        duty = {"torque": 10, "speed": 3000, "pressure": 6.3}
        requests = [({"op": "search", **duty}, "POST", "/api/v1/search", duty),
                    ({"op": "search", **duty, "pressure": 6.3001}, "POST", "/api/v1/search", {**duty, "pressure": 6.3001}),
                    ({"op": "list", "series": "PGW"}, "POST", "/api/v1/list", {"series": "PGW"}),
                    ({"op": "compare", **duty, "rows": [1, 3]}, "POST", "/api/v1/compare", {**duty, "rows": [1, 3]}),
                    ({"op": "motor", "index": 134, "pressure": 5}, "GET", "/api/v1/motors/134?pressure=5", None),
                    ({"op": "texts", "language": "Italian"}, "GET", "/api/v1/texts?language=Italian", None),
                    ({"op": "search", "torque": "x"}, "POST", "/api/v1/search", {"torque": "x"})]
        lines = "".join(json.dumps(r[0]) + "\n" for r in requests) + "not json\n" + '{"op": "fly"}\n'
        proc = subprocess.run([ARGS.cli, "--folder", ARGS.folder, "batch"], input=lines, capture_output=True,
                              text=True, timeout=120)
        self.assertEqual(proc.returncode, 0, proc.stderr)
        answers = [json.loads(line) for line in proc.stdout.splitlines()]
        self.assertEqual(len(answers), len(requests) + 2)
        for answer, (_, method, path, body) in zip(answers, requests):
            status, served = self.server.json(method, path, body)
            self.assertEqual(answer, served, path)
        self.assertIn("error", answers[-2])
        self.assertIn("unknown op", answers[-1]["error"])

    def test_drawings_are_looked_up_by_index_never_by_path(self):
        for path in ("/api/v1/motors/..%2F..%2Fetc%2Fpasswd/drawing.svg", "/api/v1/motors/1/../../drawing.png",
                     "/api/v1/motors/1/drawing.wmf", "/Zevodida.db", "/web/index.html", "/%2e%2e/Zevodida.db"):
            with self.subTest(path=path):
                status, headers, data = self.server.request("GET", path)
                self.assertEqual(status, 404, data[:200])


class HostileTest(unittest.TestCase):
    """The server keeps serving whatever arrives, and its memory stays bounded."""

    def setUp(self):
        self.server = Server(ARGS.folder)

    def tearDown(self):
        self.server.stop()

    def rss_kib(self) -> int:
        with open(f"/proc/{self.server.proc.pid}/status") as f:
            return int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1))

    def healthy(self):
        status, answer = self.server.json("GET", "/api/v1/health")
        self.assertEqual((status, answer["status"]), (200, "ok"))

    def raw(self, payload: bytes, read=True) -> bytes:
        with socket.create_connection(("127.0.0.1", self.server.port), timeout=20) as sock:
            sock.sendall(payload)
            if not read:
                return b""
            chunks = []
            while True:
                try:
                    chunk = sock.recv(65536)
                except (ConnectionResetError, socket.timeout):
                    break
                if not chunk:
                    break
                chunks.append(chunk)
            return b"".join(chunks)

    def test_huge_announced_and_chunked_bodies_are_refused_before_they_arrive(self):
        answer = self.raw(b"POST /api/v1/search HTTP/1.1\r\nHost: x\r\nContent-Length: 1000000000\r\n\r\n{")
        self.assertIn(b" 413 ", answer.split(b"\r\n")[0])
        answer = self.raw(b"POST /api/v1/search HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n{}{}{\r\n")
        self.assertIn(b" 411 ", answer.split(b"\r\n")[0])
        status, headers, data = self.server.request("POST", "/api/v1/search", b"{" + b" " * 70000 + b"}")
        self.assertEqual(status, 413)
        self.healthy()

    def test_a_flood_of_bad_and_big_requests_leaves_memory_bounded(self):
        before = self.rss_kib()
        bodies = [b"[" * 10000, b'{"torque":' + b"9" * 60000 + b"}", b"\xff" * 60000, b'{"a":"' + b"x" * 60000 + b'"}']
        for k in range(200):
            self.server.request("POST", "/api/v1/search", bodies[k % len(bodies)])
        self.healthy()
        # AddressSanitizer keeps freed memory in quarantine on purpose: only the plain build is measured.
        if "ASAN_OPTIONS" not in os.environ:
            self.assertLess(self.rss_kib() - before, 30 * 1024)

    def test_slow_and_idle_clients_are_cut_off_and_others_served(self):
        slow = socket.create_connection(("127.0.0.1", self.server.port), timeout=30)
        slow.sendall(b"POST /api/v1/search HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\n{")
        self.healthy()
        started = time.monotonic()
        slow.settimeout(30)
        try:
            rest = slow.recv(100)
        except ConnectionResetError:
            rest = b""
        self.assertEqual(rest, b"")
        self.assertLess(time.monotonic() - started, 15)
        slow.close()

    def test_a_thousand_connections_at_once(self):
        sockets = []
        try:
            for _ in range(1000):
                sockets.append(socket.create_connection(("127.0.0.1", self.server.port), timeout=10))
            self.healthy()
        finally:
            for s in sockets:
                s.close()
        self.healthy()

    def test_drawings_beyond_the_per_client_cap_get_429(self):
        def get(_):
            return self.server.request("POST", "/api/v1/datasheet.pdf",
                                       {"torque": 10, "speed": 3000, "pressure": 6.3, "row": 1})[0]
        with concurrent.futures.ThreadPoolExecutor(max_workers=16) as pool:
            statuses = list(pool.map(get, range(16)))
        self.assertTrue(set(statuses) <= {200, 429}, statuses)
        self.assertIn(429, statuses)
        self.assertIn(200, statuses)


class LifecycleTest(unittest.TestCase):
    def test_sigterm_answers_the_requests_in_flight(self):
        server = Server(ARGS.folder, "--threads", "1")
        results = []

        def datasheet():
            results.append(server.request("POST", "/api/v1/datasheet.pdf",
                                          {"torque": 10, "speed": 3000, "pressure": 6.3, "row": 1})[0])
        workers = [threading.Thread(target=datasheet) for _ in range(3)]
        for w in workers:
            w.start()
        time.sleep(0.3)
        self.assertEqual(server.stop(), 0)
        for w in workers:
            w.join(timeout=30)
        self.assertEqual(results, [200, 200, 200])
        self.assertTrue(any("POST /api/v1/datasheet.pdf 200" in line for line in server.lines))

    def test_a_changed_catalogue_is_served_without_a_restart(self):
        with tempfile.TemporaryDirectory() as tmp:
            folder = os.path.join(tmp, "program")
            shutil.copytree(ARGS.folder, folder, ignore=shutil.ignore_patterns("*.o", "CMakeFiles", "*_tests",
                                                                                 "airmotor*", "web-shots"))
            server = Server(folder)
            try:
                status, answer = server.json("GET", "/api/v1/health")
                before = answer["motors"]
                # A catalogue with fewer motors, written as make-database writes: a new file renamed over.
                data = os.path.join(tmp, "data")
                shutil.copytree(os.path.join(HERE, "..", "..", "data"), data,
                                ignore=shutil.ignore_patterns("help", "samples", "print", "web"))
                with open(os.path.join(data, "motors.csv"), encoding="utf-8") as f:
                    lines = f.readlines()
                with open(os.path.join(data, "motors.csv"), "w", encoding="utf-8") as f:
                    f.writelines(lines[:11])
                made = subprocess.run([ARGS.cli, "make-database", data, os.path.join(folder, "Zevodida.db")],
                                      capture_output=True, text=True)
                self.assertEqual(made.returncode, 0, made.stderr)
                deadline = time.monotonic() + 10
                while time.monotonic() < deadline:
                    status, answer = server.json("GET", "/api/v1/health")
                    if answer["motors"] != before:
                        break
                    time.sleep(0.2)
                reloaded = answer["motors"]
                self.assertEqual(reloaded, cli("catalogue", folder=folder)["count"])
                self.assertLess(reloaded, before)
                # A broken file leaves the last good catalogue in service.
                with open(os.path.join(folder, "Zevodida.db.new"), "wb") as f:
                    f.write(b"not a database")
                os.replace(os.path.join(folder, "Zevodida.db.new"), os.path.join(folder, "Zevodida.db"))
                time.sleep(1.5)
                status, answer = server.json("GET", "/api/v1/health")
                self.assertEqual((status, answer["motors"]), (200, reloaded))
                self.assertTrue(any("previous one stays" in line for line in server.lines))
            finally:
                server.stop()

    def test_command_line(self):
        # Which options are refused is ServerOptions.CommandLines'; here the exit codes and one-line messages.
        for args, code in ((["--help"], 0), (["--version"], 0), (["--bogus"], 2), (["--listen", "256.1.1.1:80"], 2),
                           (["--folder", "/nonexistent/folder", "--listen", "127.0.0.1:0"], 1)):
            with self.subTest(args=args):
                proc = subprocess.run([ARGS.server, *args], capture_output=True, text=True, timeout=30,
                                      env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
                self.assertEqual(proc.returncode, code, proc.stderr)
                if code:
                    self.assertEqual(len(proc.stderr.strip().splitlines()), 1, proc.stderr)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--server", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--folder", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
