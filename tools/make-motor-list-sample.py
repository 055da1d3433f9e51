#!/usr/bin/python3
"""Writes the sample motor list (sheet "Motorer") and its measurement files into a folder.

Usage: make-motor-list-sample.py OUT_DIR
The measurement readings are millimetres on the measured diagram (scale factors on line 1); the
targets on line 5 make the batch calibrate the curves as the editor does.
"""
import math
import os
import sys

from openpyxl import Workbook
from openpyxl.styles import Font

HEADER = [
    "Nr", "Motorbeteckning", "Detaljnummer 1", "Detaljnummer 2",
    "Tomgångsvarvtal r/min (skrivs)", "Maxeffekt kW (skrivs)", "Anmärkning",
    "Moment vid maxeffekt Nm (skrivs)", "Varvtal vid maxeffekt r/min (skrivs)",
    "Luftförbrukning vid maxeffekt l/s (skrivs)", "", "Mätdatafil",
    "intKatalogindex (skrivs, tom = ej tillagd)", "Måttskiss",
]

# designation, part numbers, file, drawing, free speed r/min, stall torque Nm, air at free speed l/s
MOTORS = [
    ("TKM20-S1-EX", "8411 2001 00", "8411 2001 01", "TKM20S1.DAT", "TKM20", 1400.0, 32.0, 19.0),
    ("TKM30-S2-EX", "8411 3002 00", "", "TKM30S2.DAT", "TKM30", 900.0, 75.0, 27.0),
    ("TKS05-C3-EX", "8411 0503 00", "8411 0503 01", "TKS05C3.DAT", "TKS05", 2600.0, 6.5, 9.5),
]

SX, SY1, SY2 = 20.0, 0.5, 0.25  # r/min, Nm and l/s per millimetre
POINTS = 8


def fmt(value):
    text = f"{value:.4g}"
    return text


def measurement(designation, free_speed, stall, air_free):
    speeds = [free_speed * k / (POINTS - 1) for k in range(POINTS)]
    torque = [stall * (1 - n / free_speed) * (1 + 0.08 * math.sin(math.pi * n / free_speed)) for n in speeds]
    air = [air_free * (0.72 + 0.28 * n / free_speed) for n in speeds]
    power = [m * n * 2 * math.pi / 60000 for m, n in zip(torque, speeds)]
    best = max(range(POINTS), key=lambda k: power[k])
    lines = [
        f"{POINTS},{fmt(SX)},{fmt(SY1)},{fmt(SY2)},1",
        ",".join(fmt(n / SX) for n in speeds),
        ",".join(fmt(m / SY1) for m in torque),
        ",".join(fmt(q / SY2) for q in air),
        f"{fmt(free_speed)},{fmt(power[best] * 1.02)},{fmt(speeds[best])},{fmt(air[best])}",
        "1,1,1",
        fmt(stall * 0.8),
        f'"{designation}"',
        "#2026-12-07#",
    ]
    return "\r\n".join(lines) + "\r\n"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    book = Workbook()
    sheet = book.active
    sheet.title = "Motorer"
    sheet.append(HEADER)
    for cell in sheet[1]:
        cell.font = Font(bold=True)
    for row, (designation, part1, part2, file, drawing, free, stall, air) in enumerate(MOTORS, start=2):
        sheet.append([row - 1, designation, part1, part2, None, None, "", None, None, None, None, file, None,
                      drawing])
        with open(os.path.join(out, file), "w", newline="") as f:
            f.write(measurement(designation, free, stall, air))
    for column, width in zip("ABCDEFGHIJKLMN", [5, 18, 15, 15, 14, 12, 14, 14, 14, 14, 3, 14, 14, 10]):
        sheet.column_dimensions[column].width = width
    sheet.freeze_panes = "A2"
    info = book.create_sheet("Info")
    info["A1"] = "Motorlista: kolumn L anger mätdatafilen relativt arbetsbokens mapp."
    book.save(os.path.join(out, "Motorlista.xlsx"))


if __name__ == "__main__":
    main()
