#!/usr/bin/python3
"""Writes the two empty result workbooks of the production comparison into a folder.

Sheet "TKM": rows 1-2 are the headings, the batches fill one row per printed motor from row 3
(B designation, C gear ratio, D number of production records, then Old, New and Diff % of each
quantity of the comparison table).

usage: make_sample_tkm_workbooks.py OUT_DIR
"""
import os
import sys

from openpyxl import Workbook
from openpyxl.styles import Font

NAMES = [
    "Alla TKM Trebro och Ungern Test.xlsx",  # the editor's batch (result rows 1-9)
    "Produktionsdata Ungern med filtrering.xlsx",  # the main window's batch (whole catalogue)
]
QUANTITIES = [
    "Maxeffekt kW", "Moment vid maxeffekt Nm", "Varvtal vid maxeffekt r/min",
    "Luftf. vid maxeffekt l/s", "Tomgångsvarvtal r/min", "Luftf. Tomgång l/s",
]


def write(path):
    book = Workbook()
    sheet = book.active
    sheet.title = "TKM"
    bold = Font(bold=True)
    for column, text in ((2, "Motorbeteckning"), (3, "Utväxling"), (4, "Antal prov")):
        sheet.cell(row=1, column=column, value=text).font = bold
    for k, quantity in enumerate(QUANTITIES):
        first = 5 + 3 * k
        sheet.cell(row=1, column=first, value=quantity).font = bold
        for offset, text in enumerate(("Old", "New", "Diff %")):
            sheet.cell(row=2, column=first + offset, value=text).font = bold
    sheet.column_dimensions["B"].width = 22
    sheet.freeze_panes = "C3"
    book.save(path)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    for name in NAMES:
        write(os.path.join(sys.argv[1], name))


if __name__ == "__main__":
    main()
