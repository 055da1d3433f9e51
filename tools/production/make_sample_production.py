#!/usr/bin/python3
"""Writes a small, realistic production-test database (SQLite) for the bundled catalogue.

Each of the first TKM motors of data/motors.csv gets a few test records scattered around its
catalogue figures, with the faults real test benches produce: failed tests, zero readings,
outliers, serials without a free-speed row and retested serials. Deterministic (fixed seed).

usage: make_sample_production.py MOTORS.csv OUT.sqlite [--motors N] [--records-per-motor N]
"""
import argparse
import csv
import os
import random
import sqlite3
import tempfile

SCHEMA = """
CREATE TABLE Provres (
  ID INTEGER PRIMARY KEY,
  Produktnummer TEXT,
  SerNbr TEXT,
  "Godkänd" BOOLEAN,
  VarvtalEffekt REAL,
  "LuftförbrukningEffekt" REAL,
  Moment REAL,
  "VarvtalTomgång" REAL,
  "LuftförbrukningTomgång" REAL,
  Provdatum TEXT
);
CREATE TABLE Sheet1 (SerNbr TEXT, "Speed RPM" REAL, "Air cons" REAL);
"""


def motors(path, count):
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            if len(count) == 0:
                return
            if not row["strBenamning"].startswith("TKM") or row["bolVeryOld"] == "1":
                continue
            if row["strDetaljnr1"] in ("", "\\N"):
                continue
            count.pop()
            yield row


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("motors_csv")
    parser.add_argument("out")
    parser.add_argument("--motors", type=int, default=40)
    parser.add_argument("--records-per-motor", type=int, default=8)
    args = parser.parse_args()
    rng = random.Random(130605)
    fd, tmp = tempfile.mkstemp(dir=os.path.dirname(os.path.abspath(args.out)), suffix=".tmp")
    os.close(fd)
    db = sqlite3.connect(tmp)
    db.executescript(SCHEMA)
    serial = 410000
    for m in motors(args.motors_csv, [None] * args.motors):
        part = m["strDetaljnr1"]
        # Test benches write the part number with or without its blanks.
        for _ in range(rng.randint(2, args.records_per_motor)):
            serial += rng.randint(1, 7)
            stored = part if rng.random() < 0.5 else part.replace(" ", "")
            approved = 1 if rng.random() < 0.88 else 0
            spread = lambda: rng.gauss(1.0, 0.04)
            speed = float(m["sngVarvMaxeff"]) * spread()
            torque = float(m["sngMomentMaxeff"]) * spread()
            air = float(m["sngLuftMaxeff"]) * spread()
            if rng.random() < 0.03:
                torque = 0.0  # a torque cell left empty by the operator
            if rng.random() < 0.03:
                speed *= 2.1  # gear not mounted
            free = float(m["sngTomgVarvtal"]) * spread()
            free_air = float(m["sngLuftforbrTomgang"]) * spread()
            db.execute(
                "INSERT INTO Provres (Produktnummer, SerNbr, \"Godkänd\", VarvtalEffekt, "
                "\"LuftförbrukningEffekt\", Moment, \"VarvtalTomgång\", \"LuftförbrukningTomgång\", Provdatum) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                (stored, str(serial), approved, round(speed, 1), round(air, 2), round(torque, 3),
                 round(free, 0), round(free_air, 2), "2013-06-%02d" % rng.randint(1, 28)))
            if rng.random() < 0.04:
                continue  # the free-speed bench lost this one
            db.execute("INSERT INTO Sheet1 VALUES (?, ?, ?)", (str(serial), round(free, 0), round(free_air, 2)))
            if rng.random() < 0.05:  # retested: the first row counts
                db.execute("INSERT INTO Sheet1 VALUES (?, ?, ?)",
                           (str(serial), round(free * 0.9, 0), round(free_air * 0.9, 2)))
    db.commit()
    db.close()
    os.chmod(tmp, 0o644)
    os.replace(tmp, args.out)


if __name__ == "__main__":
    main()
