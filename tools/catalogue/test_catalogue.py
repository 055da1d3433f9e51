"""Checks data/motors.csv as the program will read it.

    python3 -m unittest discover -s tools/catalogue -v

The checks read the CSV only (not the generator's objects), so a hand edit or a generator change that
breaks the file shows up here: format, the load rule of the search index, the physics of every row,
and that every designation rule of the program has rows to act on.
"""

import csv
import math
import os
import re
import struct
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
# MOTORS_CSV checks another file of the same format (for example a candidate before it replaces the bundled one).
CSV_PATH = os.environ.get("MOTORS_CSV") or os.path.normpath(os.path.join(HERE, "..", "..", "data", "motors.csv"))
NULL = "\\N"
NULLABLE = {"strDetaljnr2", "strDetaljnr3", "txtRotation"}


def f32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


def load():
    with open(CSV_PATH, encoding="utf-8", newline="") as f:
        reader = csv.reader(f)
        header = next(reader)
        rows = [dict(zip(header, r)) for r in reader]
    return header, rows


HEADER, ROWS = load()
KEPT = [r for r in ROWS if r["bolVeryOld"] == "0"]


def num(r, col):
    return float(r[col])


def curve(r, kind):
    g = int(r["intGradtal_" + kind])
    c = [num(r, "sngC%d_%s" % (k, kind)) for k in range(5)]
    return g, c


def at(r, kind, n):
    g, c = curve(r, kind)
    return sum(c[k] * n ** k for k in range(g + 1))


def text(r, col):
    return "" if r[col] == NULL else r[col]


# ---- the program's designation rules, written out from their description ----

M85 = "Ex II 2GD c T6 IIC T85 °C"
M85X = "Ex II 2GD c T6 IIC T85°C X"
M110 = "Ex II 2GD c T4 IIC T110 °C"
M240 = "Ex II 2GD c T2 IIC T240 °C"


def grid_cells(r):
    d, d1, d2 = r["strBenamning"], text(r, "strDetaljnr1"), text(r, "strDetaljnr2")
    if d1[:3] in ("11 ", "15 ") and d2[:3] in ("12 ", "15 "):
        return [d + d1[:2], d + d2[:2]]
    if d1[:3] in ("11 ", "15 "):
        return [d + d1[:2]]
    if any(s in d for s in ("14-A-", "3-A-", "HG931-A-", "2-A-")):
        return [d, "text34"]
    if any(s in d for s in ("14-B-", "3-B-", "HG931-B-", "2-B-")):
        return [d, "text35"]
    return [d]


def marking(r, cell):
    d = r["strBenamning"]
    p5 = d[:5]
    ratio = num(r, "sngUtvaxling")
    mid = lambda s, start, n: s[start - 1:start - 1 + n]
    if p5 in ("TKM14", "TKM22", "TKM33", "TKM34"):
        return M110 if ratio == 1.0 else M85
    if p5 == "TKM42":
        return M110 if d[:11] in ("TKM42-A040-", "TKM42-A025-", "TKM42-A065-", "TKM42-A200-", "TKM42-AR020",
                                  "TKM42-AR030", "TKM42-AR050", "TKM42-AR170") else M85
    if p5 == "TKM46":
        return M110 if mid(d, 7, 5) in ("A025-", "A040-", "A065-", "A200-", "AR020", "AR030", "AR050", "AR170",
                                        "AV025", "AV040", "AV065", "AV200") or mid(d, 7, 8) in (
            "RL-A010-", "RL-A005-", "RL-A015-", "RL-A025-", "RL-A040-", "RL-A065-", "RL-A200-", "RL-AR004",
            "RL-AR007", "RL-AR010", "RL-AR020", "RL-AR030", "RL-AR050", "RL-AR170") else M85
    if p5 == "TKM54":
        return M110 if mid(cell, 7, 7) in ("A020-11", "A030-11", "A050-11", "A180-11", "AR015-1", "AR020-1",
                                           "AR035-1", "AR130-1", "AV020-1", "AV030-1", "AV050-1", "AV180-1",
                                           "B-AR015") else M85
    if p5 == "TKM66":
        return M110 if mid(d, 7, 5) in ("A020-", "A030-", "A050-", "A180-", "AR015", "AR020", "AR035",
                                        "AR130") else M85
    if p5 == "TKM77":
        return M110 if mid(d, 7, 5) in ("A027-", "AR024") else M85
    if p5 in ("TKS03", "TKS05", "TKS15", "TKS25", "TKS35"):
        if ratio != 1.0:
            return ""
        if any(s in d for s in ("-L-", "5-SL", "3-SL", "-M")):
            return M85X if "-L-" in d else M85
        return M110 if ("-RL-" in d or "-R-SL" in d) else M240
    return None


def factors(p, d):
    """Torque and speed factors (Km, Kn) at supply pressure p for designation d."""
    if 6.2999 < p < 6.3001:
        return 1.0, 1.0
    fam = d[:5]
    pgw = {"PGW03": (0.094572, 0.057643, 0.023297, -0.0015334), "PGW06": (0.13735, 0.045965, 0.020666, -0.00099425),
           "PGW11": (0.049426, 0.10491, 0.010559, -0.00052645), "PGW17": (0.10926, 0.071301, 0.019771, -0.0013438),
           "PGW24": (0.03002, 0.13882, 0.0024305, 0.0)}
    if fam in pgw:
        a = pgw[fam]
        return f32(a[0] + a[1] * p + a[2] * p * p + a[3] * p ** 3), 1.0
    if fam in ("TKS03", "TKS05", "TKS15", "TKS25") and d[9:11] == "UA":
        return (f32(0.0041206 + 0.15451 * p + 0.00060785 * p * p),
                f32(0.14725 + 0.23249 * p - 0.015504 * p * p))
    if fam in ("TKS03", "TKS05", "TKS15", "TKS25") and d[9:11] == "BS":
        return 1.0, 1.0  # keeps the previous call's factors; 1.0 after a call at 6.3 bar
    return (f32(p / 6.3), f32(0.2116277 + 0.2130721 * p - f32(0.01272238) * p * p - f32(0.0002097011) * p ** 3))


def reduced_pressure(r, m, n, p_av):
    d = r["strBenamning"]
    m_ref = at(r, "M", n)

    def m_at(p):
        km, kn = factors(p, d)
        return km * at(r, "M", n / kn)
    low = 1.5 if d.startswith("TKS") else 3.0
    m_low = m_at(low)
    if not (m_low <= m <= m_ref):
        return 0.0
    pe = (m - m_low) / (m_ref - m_low) * 3.3 + 3.0
    pa, pb = pe - 0.5, pe + 0.5
    ma, mb = m_at(pa), m_at(pb)
    p = (m - ma) / (mb - ma) * (pb - pa) + pa
    return 0.0 if p > p_av else p


def search(m_req, n_req, p_av):
    """Designations a working-point search would consider, clockwise standard options, all series."""
    found = []
    for r in KEPT:
        d = r["strBenamning"]
        if r["bolOldMotor"] != "0":
            continue
        km, kn = factors(p_av, d)
        if d.startswith("TKM") and (r["txtRotation"] != "A" or r["bolStainless"] != "0" or r["bolBrake"] != "0"):
            continue
        if d.startswith("TKS") and (r["bolLubricationFree"] != "0" or r["bolStainless"] != "0"):
            continue
        if d.startswith("PGW") and n_req > num(r, "sngMax_VarvDiagram"):
            continue
        if not km * 2 * num(r, "sngMomentMaxeff") > m_req:
            continue
        n0 = num(r, "sngTomgVarvtal")
        if not (kn * n0 >= n_req and km * at(r, "M", n_req) >= m_req):
            continue
        if num(r, "sngMax_VarvDiagram") > 0 and n_req > num(r, "sngMax_VarvDiagram"):
            continue
        if reduced_pressure(r, m_req, n_req, p_av) > 0:
            found.append(d)
    return found


class FileFormat(unittest.TestCase):
    def test_header_and_field_counts(self):
        self.assertEqual(HEADER[:3], ["intKatalogindex", "intSokindex", "strBenamning"])
        self.assertEqual(len(HEADER), 38)
        for r in ROWS:
            self.assertNotIn(None, r.values(), r["intKatalogindex"])
            self.assertEqual(len(r), 38)

    def test_nulls_only_where_the_load_tolerates_them(self):
        for r in ROWS:
            for col, v in r.items():
                if v == NULL:
                    self.assertIn(col, NULLABLE, "row %s %s" % (r["intKatalogindex"], col))
        self.assertTrue(any(r["txtRotation"] == NULL for r in KEPT))
        self.assertTrue(any(r["strDetaljnr2"] == NULL for r in KEPT))

    def test_numbers_are_plain_decimals_of_single_precision_width(self):
        number = re.compile(r"^-?\d+(\.\d+)?(e-\d\d)?$")
        for r in ROWS:
            for col, v in r.items():
                where = "row %s %s=%s" % (r["intKatalogindex"], col, v)
                if col.startswith("sng"):
                    self.assertRegex(v, number, where)
                    digits = v.lstrip("-").split("e")[0].replace(".", "").lstrip("0")
                    self.assertLessEqual(len(digits), 9, where)
                elif col.startswith(("int", "bol")):
                    self.assertRegex(v, r"^-?\d+$", where)

    def test_booleans_use_zero_one_or_legacy_minus_one(self):
        values = {r[c] for r in ROWS for c in HEADER if c.startswith("bol")}
        self.assertEqual(values, {"0", "1", "-1"})

    def test_catalogue_order_and_size(self):
        keys = [int(r["intKatalogindex"]) for r in ROWS]
        self.assertEqual(keys, sorted(set(keys)))
        self.assertNotEqual(keys, list(range(1, len(keys) + 1)), "keys with gaps: position is not the key")
        self.assertLess(keys[-1], 32768)
        self.assertGreaterEqual(len(KEPT), 300)
        self.assertLessEqual(len(KEPT), 980)


class SearchIndex(unittest.TestCase):
    def test_values_minus_skipped_rows_are_a_permutation(self):
        skipped, values = 0, []
        for r in ROWS:
            if r["bolVeryOld"] != "0":
                skipped += 1
                continue
            values.append(int(r["intSokindex"]) - skipped)
        self.assertEqual(sorted(values), list(range(1, len(KEPT) + 1)))
        self.assertNotEqual(values, sorted(values))

    def test_withdrawn_rows_lead_and_recur(self):
        flags = [r["bolVeryOld"] != "0" for r in ROWS]
        self.assertTrue(flags[0] and flags[1])
        self.assertGreaterEqual(sum(flags), 3)
        self.assertTrue(any(flags[2:-1]), "a withdrawn row between kept rows")

    def test_small_motors_are_visited_first(self):
        skipped, order = 0, []
        for r in ROWS:
            if r["bolVeryOld"] != "0":
                skipped += 1
                continue
            order.append(int(r["intSokindex"]) - skipped)
        powers = [num(KEPT[i - 1], "sngMaxEffekt") for i in order]
        self.assertEqual(powers, sorted(powers))


class Physics(unittest.TestCase):
    def test_torque_curve_runs_from_stall_to_zero(self):
        for r in KEPT:
            ts, n0 = num(r, "sngC0_M"), num(r, "sngTomgVarvtal")
            with self.subTest(r["strBenamning"]):
                self.assertTrue(0.3 <= ts < 5000)
                self.assertLess(abs(at(r, "M", n0)), 1e-4 * ts)
                samples = [at(r, "M", n0 * j / 50) for j in range(51)]
                self.assertTrue(all(a > b for a, b in zip(samples, samples[1:])), "falls monotonically")
                start = num(r, "sngMinStartMoment") / ts
                self.assertTrue(0.69 <= start <= 0.86, start)

    def test_degrees_and_unused_coefficients(self):
        for r in KEPT:
            for kind in ("M", "L"):
                g, c = curve(r, kind)
                self.assertIn(g, (2, 3, 4))
                self.assertTrue(all(x == 0.0 for x in c[g + 1:]), r["strBenamning"])

    def test_maximum_power_point_matches_curves(self):
        for r in KEPT:
            n, n0 = num(r, "sngVarvMaxeff"), num(r, "sngTomgVarvtal")
            m = num(r, "sngMomentMaxeff")
            with self.subTest(r["strBenamning"]):
                self.assertAlmostEqual(m, at(r, "M", n), delta=2e-6 * num(r, "sngC0_M"))
                self.assertAlmostEqual(num(r, "sngMaxEffekt"), 2 * math.pi * m * n / 60000, delta=1e-6 * m * n / 9549)
                self.assertTrue(0.4 * n0 < n < 0.6 * n0)
                p = lambda s: at(r, "M", s) * s
                step = max(0.001 * n0, 0.1)  # coarser than the 0.1 / 1 r/min rounding of the speed
                self.assertGreaterEqual(p(n) * (1 + 1e-6), p(n - step))
                self.assertGreaterEqual(p(n) * (1 + 1e-6), p(n + step))

    def test_air_rises_from_about_forty_percent(self):
        for r in KEPT:
            n0, lf = num(r, "sngTomgVarvtal"), num(r, "sngLuftforbrTomgang")
            with self.subTest(r["strBenamning"]):
                self.assertAlmostEqual(lf, at(r, "L", n0), delta=1e-5 * lf)
                self.assertAlmostEqual(num(r, "sngLuftMaxeff"), at(r, "L", num(r, "sngVarvMaxeff")), delta=1e-5 * lf)
                share = num(r, "sngC0_L") / lf
                self.assertTrue(0.37 <= share <= 0.46, share)
                samples = [at(r, "L", n0 * j / 20) for j in range(21)]
                self.assertTrue(all(a < b for a, b in zip(samples, samples[1:])))

    def test_geared_motors_carry_their_ratio(self):
        for r in KEPT:
            ratio, steps = num(r, "sngUtvaxling"), int(r["intGearsteps"])
            self.assertTrue(0 <= steps <= 3)
            self.assertEqual(ratio == 1.0, steps == 0, r["strBenamning"])

    def test_magnitudes_per_family(self):
        ranges = {"TKM14": (0.3, 0.5), "TKM77": (6.0, 9.0), "TKS03": (0.08, 0.2), "TKS35": (0.8, 1.6),
                  "PGW03": (0.2, 0.4), "PGW24": (1.8, 2.6)}
        for r in KEPT:
            lo_hi = ranges.get(r["strBenamning"][:5])
            if lo_hi and num(r, "sngUtvaxling") == 1.0 and not r["strBenamning"].endswith("-U"):
                self.assertTrue(lo_hi[0] <= num(r, "sngMaxEffekt") <= lo_hi[1], r["strBenamning"])

    def test_unrestricted_twins_run_faster(self):
        names = {r["strBenamning"]: r for r in KEPT}
        twins = [d for d in names if d.endswith("-U")]
        self.assertGreaterEqual(len(twins), 10)
        for d in twins:
            self.assertGreater(num(names[d], "sngTomgVarvtal"), num(names[d[:-2]], "sngTomgVarvtal"))


class RuleCoverage(unittest.TestCase):
    def test_every_marking_branch_has_motors(self):
        seen = set()
        for r in KEPT:
            for cell in grid_cells(r):
                cell = cell if not cell.startswith("text") else r["strBenamning"]
                seen.add((r["strBenamning"][:5], marking(r, cell)))
        expected = {(f, m) for f in ("TKM14", "TKM22", "TKM33", "TKM34", "TKM42", "TKM46", "TKM54", "TKM66", "TKM77")
                    for m in (M110, M85)}
        expected |= {(f, m) for f in ("TKS03", "TKS05", "TKS15", "TKS25", "TKS35") for m in ("", M85, M85X, M110, M240)}
        expected |= {(f, None) for f in ("PGW03", "PGW06", "PGW11", "PGW17", "PGW24")}
        self.assertEqual(expected - seen, set())

    def test_tkm54_marking_depends_on_the_clicked_cell(self):
        both = [r for r in KEPT if r["strBenamning"].startswith("TKM54") and len(grid_cells(r)) == 2]
        self.assertTrue(any(marking(r, grid_cells(r)[0]) != marking(r, grid_cells(r)[1]) for r in both))

    def test_every_grid_row_form_occurs(self):
        forms = {(len(grid_cells(r)), grid_cells(r)[-1] if grid_cells(r)[-1].startswith("text") else "") for r in KEPT}
        self.assertEqual(forms, {(1, ""), (2, ""), (2, "text34"), (2, "text35")})
        for marker in ("14-A-", "3-A-", "2-A-", "HG931-A-", "14-B-", "3-B-", "2-B-", "HG931-B-"):
            self.assertTrue(any(marker in r["strBenamning"] for r in KEPT), marker)
        firsts = {text(r, "strDetaljnr1")[:3] for r in KEPT}
        self.assertTrue({"11 ", "12 ", "15 "} <= firsts)
        self.assertTrue(any(text(r, "strDetaljnr1")[:3] == "11 " and text(r, "strDetaljnr2")[:1].isdigit()
                            and text(r, "strDetaljnr2")[:3] not in ("12 ", "15 ") for r in KEPT))

    def test_variant_substrings_appear_only_where_meant(self):
        # The rules look for short substrings anywhere in the designation, so a speed code such as
        # "A032-B-" would turn a brake motor into a gear variant; only the angle gears may match.
        gear = ("14-A-", "3-A-", "HG931-A-", "2-A-", "14-B-", "3-B-", "HG931-B-", "2-B-")
        for r in ROWS:
            d = r["strBenamning"]
            is_angle_gear = "-VG" in d or "-HG931-" in d
            self.assertEqual(any(s in d for s in gear), is_angle_gear, d)
            self.assertEqual("-B-" in d, r["bolBrake"] != "0" or (is_angle_gear and "-B-" in d[d.index("G"):]), d)
            if not d.startswith("TKS"):
                self.assertNotIn("-M", d)
                self.assertFalse(d.endswith("-U"), d)
            self.assertEqual("5-BG" in d, "-BG" in d, d)

    def test_part_numbers_are_long_enough_for_the_product_label(self):
        for r in KEPT:
            for col in ("strDetaljnr1", "strDetaljnr2", "strDetaljnr3"):
                if r[col] != NULL:
                    self.assertGreaterEqual(len(r[col]), 11, r["strBenamning"])

    def test_tkm_options(self):
        tkm = [r for r in KEPT if r["strBenamning"].startswith("TKM")]
        for fam in ("TKM14", "TKM22", "TKM33", "TKM34", "TKM42", "TKM46", "TKM54", "TKM66", "TKM77"):
            rows = [r for r in tkm if r["strBenamning"].startswith(fam)]
            self.assertEqual({r["txtRotation"] for r in rows}, {"A", "V", "R"}, fam)
            self.assertTrue(any(r["bolStainless"] != "0" for r in rows), fam)
            self.assertTrue(any(r["bolBrake"] != "0" for r in rows), fam)
        for r in tkm:
            brake = r["bolBrake"] != "0"
            if brake:
                self.assertIn("-B-", r["strBenamning"])
                self.assertEqual(r["txtRotation"], "R")
            if r["bolStainless"] != "0":
                self.assertNotEqual(r["txtRotation"], "V", "no stainless counter-clockwise motors")
        self.assertTrue(any("5-BG" in r["strBenamning"] for r in tkm))
        self.assertTrue(any(r["bolLubricationFree"] != "0" for r in tkm))

    def test_tks_gear_marks_sit_at_fixed_positions(self):
        stage_codes = {"241", "344", "347", "244", "247", "351", "251"}
        tks = [r for r in KEPT if r["strBenamning"].startswith("TKS")]
        marks = {}
        for r in tks:
            d = r["strBenamning"]
            mark = d[9:11]
            marks.setdefault(mark, []).append(r)
            if mark == "UA":
                self.assertEqual(d[9:12], "UAA", d)
                self.assertIn(d[13:16], stage_codes, d)
                self.assertEqual(int(r["intGearsteps"]), int(d[13]), d)
            if mark == "BS":
                self.assertEqual(d[9:12], "BS ", d)
                self.assertTrue(d[12:14].isdigit(), d)
            if mark in ("UA", "BS"):
                self.assertNotEqual(num(r, "sngUtvaxling"), 1.0, d)
        self.assertIn("UA", marks)
        self.assertIn("BS", marks)
        for v in ("-L-", "-RL-", "5-SL", "3-SL", "-R-SL", "-M", "5-BG"):
            self.assertTrue(any(v in r["strBenamning"] for r in tks), v)
        self.assertTrue(any(r["bolLubricationFree"] != "0" for r in tks))
        self.assertTrue(any(r["bolStainless"] != "0" for r in tks))

    def test_pgw_speed_limits(self):
        pgw = [r for r in KEPT if r["strBenamning"].startswith("PGW")]
        limits = [num(r, "sngMax_VarvDiagram") for r in pgw]
        self.assertGreater(sum(v > 0 for v in limits), len(pgw) // 2)
        self.assertIn(0.0, limits)
        self.assertTrue(any(v % 1 == 0.5 for v in limits))
        self.assertTrue(any(num(r, "sngMin_VarvDiagram") > 0 for r in pgw))
        for r in pgw:
            self.assertLessEqual(num(r, "sngMax_VarvDiagram"), num(r, "sngTomgVarvtal"))

    def test_obsolete_share_prices_and_drawings(self):
        old = sum(r["bolOldMotor"] != "0" for r in KEPT)
        self.assertTrue(0.07 * len(KEPT) <= old <= 0.13 * len(KEPT))
        self.assertTrue(any(num(r, "sngPris") == 0 for r in KEPT))
        drawings = [r["strMattskiss"] for r in KEPT]
        self.assertTrue(any(d.startswith("http") for d in drawings))
        self.assertTrue(any("," in d for d in drawings))
        self.assertIn("?", drawings)
        for d in drawings:
            if d.startswith("http"):
                self.assertIn("example.com", d)


class TypicalSearches(unittest.TestCase):
    def test_common_duties_find_motors(self):
        for m, n in ((10, 3000), (2, 5000), (50, 500), (100, 100)):
            with self.subTest(torque=m, speed=n):
                self.assertGreaterEqual(len(search(m, n, 6.0)), 3)


if __name__ == "__main__":
    unittest.main()
