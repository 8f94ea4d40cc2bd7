#!/usr/bin/python3
"""The --csv and --json outputs of every example, read the way a Python user reads them.

    outputs_test.py <tidewerk binary> <examples folder>

Each example runs in a fresh folder with --csv --json and the keyboard input "1".  Every table
file must load with the csv module (and with pandas where it is installed) without options:
a header, then rows of as many fields, every number the shortest text of a single-precision
value.  The JSON must hold the same tables, and its result block the numbers the report prints,
to the report's digits.
"""

import csv
import glob
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

try:
    import pandas
except ImportError:  # not needed for the test; used where it is installed
    pandas = None

BINARY = None
EXAMPLES = None
TASK_FILE = "Tidewerk_28-03-2020.Tsk"
NUMBER = re.compile(r"-?[0-9]+\.[0-9]*(e[-+][0-9]+)?")
WHOLE = re.compile(r"-?[0-9]+")
# The columns of row numbers and counts, written as whole numbers.
COUNT_COLUMNS = {"row", "propeller"}
TABLE_NAMES = {"open-water", "pitch", "blade-area", "candidates", "bollard", "bp-delta",
               "operating-point", "result"}
MARKS = {"design", "operating", "selected", "chosen"}


def float32(x):
    """The single-precision value nearest to x, as a Python float (exact)."""
    return struct.unpack("f", struct.pack("f", x))[0]


def significant_digits(text):
    mantissa = re.split("[eE]", text)[0]
    return mantissa.replace("-", "").replace(".", "").strip("0")


def fewest_digits(value):
    """The fewest significant digits that read back to the float32 `value`."""
    for precision in range(1, 10):
        if float32(float("%.*g" % (precision, value))) == value:
            return precision
    raise AssertionError("no text of 9 digits reads back to %r" % value)


def shortest_float32_text(text):
    """True when `text` reads as a float32 and no text of fewer digits reads back to it."""
    value = float32(float(text))
    if value == 0.0:
        return significant_digits(text) == ""
    return len(significant_digits(text)) == fewest_digits(value)


def fixed(value, decimals):
    """A value as a report field Fw.d shows it, for comparison: the digits after rounding."""
    return "%.*f" % (decimals, round(value, decimals))


class Run:
    """One example run in its own folder."""

    def __init__(self, example, folder):
        self.example = example
        self.folder = folder
        shutil.copy(os.path.join(EXAMPLES, example + ".Tsk"), os.path.join(folder, TASK_FILE))
        done = subprocess.run([BINARY, "--csv", "--json"], cwd=folder, input=b"1\n",
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        self.status = done.returncode
        self.errors = done.stderr.decode("utf-8", "replace")
        with open(os.path.join(folder, "Tidewerk.Son"), encoding="latin-1") as f:
            self.report = f.read()
        with open(os.path.join(folder, "Tidewerk.json"), encoding="utf-8") as f:
            self.json = json.load(f)
        # The same file with every real kept as its text.
        with open(os.path.join(folder, "Tidewerk.json"), encoding="utf-8") as f:
            self.json_texts = json.load(f, parse_float=str)
        self.tables = {}
        self.table_paths = {}
        for path in sorted(glob.glob(os.path.join(folder, "Tidewerk.*.csv"))):
            name = os.path.basename(path)[len("Tidewerk."):-len(".csv")]
            with open(path, newline="", encoding="utf-8") as f:
                self.tables[name] = list(csv.reader(f))
            self.table_paths[name] = path

    def result(self, name):
        for entry in self.json["results"]:
            if entry["name"] == name:
                return entry["value"]
        raise AssertionError("%s: no result %s" % (self.example, name))

    def printed(self, pattern, after=""):
        """The first number the pattern captures in the report, after the last `after`."""
        start = self.report.rfind(after) if after else 0
        match = re.search(pattern, self.report[max(start, 0):])
        if match is None:
            raise AssertionError("%s: %r not in the report" % (self.example, pattern))
        return match.group(1)


class OutputsTest(unittest.TestCase):
    runs = {}
    scratch = None

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="tidewerk-outputs-")
        for path in sorted(glob.glob(os.path.join(EXAMPLES, "*.Tsk"))):
            example = os.path.basename(path)[:-len(".Tsk")]
            folder = os.path.join(cls.scratch, example)
            os.mkdir(folder)
            cls.runs[example] = Run(example, folder)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def run_of(self, example):
        self.assertIn(example, self.runs)
        return self.runs[example]

    def test_every_example_has_its_result_and_tables(self):
        self.assertGreaterEqual(len(self.runs), 10)
        for run in self.runs.values():
            with self.subTest(example=run.example):
                self.assertEqual(run.status, 0, run.errors)
                self.assertEqual(run.json["ending"], "result")
                self.assertIsNone(run.json["reason"])
                self.assertEqual(run.json["exit_status"], 0)
                self.assertEqual(run.json["program"], "Tidewerk")
                self.assertEqual(run.json["task_file"], TASK_FILE)
                self.assertTrue(run.tables)
                self.assertLessEqual(set(run.tables), TABLE_NAMES)
                self.assertTrue(run.json["values"])
                for value in run.json["values"]:
                    self.assertEqual(set(value),
                                     {"symbol", "unit", "meaning", "value", "text", "line"})
                    self.assertEqual(float32(float(value["text"])), float32(value["value"]))

    def test_csv_files_are_tidy(self):
        for run in self.runs.values():
            for name, rows in run.tables.items():
                with self.subTest(example=run.example, table=name):
                    header = rows[0]
                    self.assertTrue(all(re.fullmatch(r"[A-Za-z0-9_]+", c) for c in header),
                                    header)
                    self.assertEqual(len(set(header)), len(header))
                    self.assertGreater(len(rows), 1)
                    marked = header[-1] == "mark"
                    for row in rows[1:]:
                        self.assertEqual(len(row), len(header), row)
                        for column, field in zip(header, row[:-1] if marked else row):
                            if field == "":
                                continue
                            if column in COUNT_COLUMNS:
                                self.assertTrue(WHOLE.fullmatch(field), field)
                                continue
                            self.assertTrue(NUMBER.fullmatch(field), field)
                            self.assertTrue(shortest_float32_text(field), field)
                        if marked:
                            self.assertIn(row[-1], MARKS | {""})
                    if pandas is not None:
                        frame = pandas.read_csv(run.table_paths[name])
                        self.assertEqual(list(frame.columns), header)
                        self.assertEqual(len(frame), len(rows) - 1)

    def test_json_tables_are_the_csv_tables(self):
        for run in self.runs.values():
            with self.subTest(example=run.example):
                tables = run.json_texts["tables"]
                self.assertEqual(sorted(t["name"] for t in tables), sorted(run.tables))
                for table in tables:
                    rows = run.tables[table["name"]]
                    self.assertEqual(table["columns"], rows[0])
                    self.assertEqual(len(table["rows"]), len(rows) - 1)
                    for json_row, csv_row in zip(table["rows"], rows[1:]):
                        self.assertEqual(len(json_row), len(csv_row))
                        for column, j, c in zip(table["columns"], json_row, csv_row):
                            if column in COUNT_COLUMNS:
                                self.assertIsInstance(j, int)
                            if j is None:
                                self.assertEqual(c, "")
                            elif c in MARKS:
                                self.assertEqual(j, c)
                            elif isinstance(j, int):
                                self.assertEqual(str(j), c)
                            else:
                                # The same float; the fewest digits below 2^25.
                                self.assertEqual(float32(float(j)), float32(float(c)), (j, c))
                                if abs(float(j)) < 2.0 ** 25:
                                    self.assertTrue(shortest_float32_text(j), j)

    def check_printed(self, run, checks, after=""):
        for name, pattern, decimals in checks:
            with self.subTest(example=run.example, result=name):
                value = run.result(name)
                text = run.printed(pattern, after)
                if decimals is None:
                    self.assertEqual(int(text.rstrip(".")), value)
                else:
                    self.assertEqual(fixed(float(text), decimals),
                                     fixed(float32(value), decimals), text)

    def check_marked_row(self, run, table, mark, column, value):
        rows = run.tables[table]
        marked = [row for row in rows[1:] if row[-1] == mark]
        self.assertEqual(len(marked), 1, run.example)
        self.assertEqual(float32(float(marked[0][rows[0].index(column)])), float32(value))

    def test_coefficient_matching_result_as_printed(self):  # cases 1 to 3
        run = self.run_of("case1_merchant_ship_b")
        self.check_printed(run, [
            ("selected", r"SECILEN PERVANE =\s*(\d+)", None),
            ("PD", r" P/D=\s*([-0-9.]+)", 3),
            ("J", r"\n J=\s*([-0-9.]+)", 3),
            ("Kt", r" Kt=\s*([-0-9.]+)", 3),
            ("10Kq", r" 10Kq=\s*([-0-9.]+)", 3),
            ("eta0", r" eta=\s*([-0-9.]+)", 3),
            ("Bp", r" Bp=\s*([-0-9.]+)", 4),
            ("delta", r" delta=\s*([-0-9.]+)", 4),
            ("T", r" T=\s*([-0-9.]+)", 2),
            ("Z", r" Z =\s*([0-9]+)", None),
            ("D", r" D =\s*([-0-9.]+)", 3),
            ("Vtip", r" Vtip=\s*([-0-9.]+)", 2),
            ("n", r" RPS=\s*([-0-9.]+)", 3),
            ("N", r" RPM=\s*([-0-9.]+)", 2),
            ("Q", r" TORK=\s*([-0-9.]+)", 3),
            ("Pd", r" Pd=\s*([-0-9.]+)", 1),
        ], after="SECILEN PERVANE")
        self.check_marked_row(run, "candidates", "selected", "row", run.result("selected"))
        self.check_marked_row(run, "candidates", "selected", "PD", run.result("PD"))

    def test_bollard_pull_result_as_printed(self):  # case 4
        run = self.run_of("case4_tug_b")
        self.check_printed(run, [
            ("chosen", r"SECILEN PERVANE =\s*(\d+)", None),
            ("PD", r" P/D=\s*([-0-9.]+)", 3),
            ("Kt", r" Kt=\s*([-0-9.]+)", 3),
            ("10Kq", r" 10Kq=\s*([-0-9.]+)", 3),
            ("n", r" RPS=\s*([-0-9.]+)", 3),
            ("N", r" RPM=\s*([-0-9.]+)", 3),
            ("T", r" T=\s*([-0-9.]+)", 3),
            ("D", r" D=\s*([-0-9.]+)", 3),
            ("Z", r" Z=\s*([0-9]+)", None),
            ("Q", r" TORK=\s*([-0-9.]+)", 3),
            ("Pd", r" Pd=\s*([-0-9.]+)", 1),
        ], after="SECILEN PERVANE")
        self.check_marked_row(run, "bollard", "chosen", "propeller", run.result("chosen"))

    def test_open_water_table_as_printed(self):  # case 5
        run = self.run_of("case5_b")
        self.check_printed(run, [("Z", r" Z =\s*([0-9]+) EAR", None)])
        printed = re.findall(r"^ *(\d+) +([-0-9.]+) +([-0-9.]+) +([-0-9.]+) +([-0-9.]+) +"
                             r"([-0-9.]+) +([-0-9.]+) *$", run.report, re.MULTILINE)
        rows = run.tables["open-water"]
        self.assertEqual(rows[0], ["J", "Kt", "10Kq", "eta0", "Bp", "delta", "mark"])
        self.assertEqual(len(printed), len(rows) - 1)
        for line, row in zip(printed, rows[1:]):
            for text, field, decimals in zip(line[1:], row, (3, 4, 4, 4, 4, 4)):
                self.assertEqual(fixed(float(text), decimals),
                                 fixed(float32(float(field)), decimals), (line, row))
            self.assertEqual(row[-1], "")

    def test_operating_point_as_printed(self):  # case 6
        run = self.run_of("case6_operating_point_b")
        self.check_printed(run, [
            ("T", r" T=\s*([-0-9.]+)", 2),
            ("Z", r" Z =\s*([0-9]+)", None),
            ("Pd", r" Pd=\s*([-0-9.]+)", 2),
            ("J", r" J=\s*([-0-9.]+)", 3),
            ("Kt", r" Kt=\s*([-0-9.]+)", 3),
            ("10Kq", r" 10Kq=\s*([-0-9.]+)", 3),
            ("eta0", r" Eta0=\s*([-0-9.]+)", 3),
        ], after="KULLANILMISTIR")
        marked_j = re.search(r"^ *\d+ \* +([-0-9.]+)", run.report, re.MULTILINE).group(1)
        self.assertEqual(fixed(float(marked_j), 3), fixed(float32(run.result("J")), 3))
        self.check_marked_row(run, "open-water", "operating", "J", run.result("J"))

    def test_bp_delta_result_as_printed(self):  # case 7
        run = self.run_of("case7_bp_delta_b")
        self.check_printed(run, [
            ("T", r" T=\s*([-0-9.]+)", 2),
            ("Z", r" Z =\s*([0-9]+)", None),
            ("PD", r" P/D=\s*([-0-9.]+)", 3),
            ("J", r"\n J=\s*([-0-9.]+)", 3),
            ("Kt", r" Kt=\s*([-0-9.]+)", 3),
            ("10Kq", r" 10Kq=\s*([-0-9.]+)", 3),
            ("eta0", r" eta=\s*([-0-9.]+)", 3),
            ("n", r" RPS=\s*([-0-9.]+)", 3),
            ("Q", r" TORK=\s*([-0-9.]+)", 3),
            ("Pd", r" Pd=\s*([-0-9.]+)", 1),
        ], after="KULLANILMISTIR")
        result = run.tables["result"]
        self.assertEqual(float32(float(result[1][result[0].index("PD")])),
                         float32(run.result("PD")))

    def test_design_result_as_printed(self):  # cases 8 to 10
        run = self.run_of("case8_merchant_ship")
        self.check_printed(run, [
            ("J", r"- J =\s*([-0-9.]+)", 3),
            ("PD", r"pic orani P/D =\s*([-0-9.]+)", 3),
            ("Pd", r"verilen guc - Pd =\s*([-0-9.]+)", 2),
            ("Z", r"\n Z =\s*([0-9]+) EAR", None),
            ("Q", r" TORK=\s*([-0-9.]+)", 3),
            ("Sigma", r"Sigma =\s*([-0-9.]+)", 3),
            ("Tauc", r"Tauc =\s*([-0-9.]+)", 3),
            ("EARmin_burrill_2_5", r"%2.5 Sirt Kavitasyon Hattina Gore Min. EAR =\s*([-0-9.]+)", 3),
            ("EARmin_burrill_5", r"%5.0 Sirt Kavitasyon Hattina Gore Min. EAR =\s*([-0-9.]+)", 3),
            ("EARmin_burrill_upper", r"ust sinir icin Minimum  EAR =\s*([-0-9.]+)", 3),
            ("EARmin_keller", r"Min. EAR =\s*([-0-9.]+) \+ k", 3),
            ("Vtip", r"Vtip =\s*([-0-9.]+)", 3),
        ])
        design_j = re.search(r"^ *\d+ +([-0-9.]+) .*\*\*D\*\*", run.report, re.MULTILINE).group(1)
        self.assertEqual(fixed(float(design_j), 3), fixed(float32(run.result("J")), 3))
        self.check_marked_row(run, "open-water", "design", "J", run.result("J"))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BINARY = os.path.abspath(sys.argv[1])
    EXAMPLES = os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=1)
