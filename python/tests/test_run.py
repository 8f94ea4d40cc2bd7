"""tidewerk.run against the program itself: the same screen, report and exit status for every
example and every end-to-end run, the tables the program writes with --csv and the record it
writes with --json; the templates of --template, each of which runs."""

import concurrent.futures
import csv
import io
import json
import pathlib
import subprocess

import numpy as np
import pytest

import tidewerk
from conftest import BINARY, E2E_RUNS, EXAMPLES, task_text


def run_or_error(task, keyboard, lang="tr"):
    """The Run, also when the run ended with an error."""
    try:
        return tidewerk.run(task, keyboard, lang=lang)
    except (tidewerk.InputError, tidewerk.ArithmeticError, tidewerk.InternalError) as error:
        return error.run


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.stem)
def test_examples_match_the_program(example, program, tmp_path):
    expected = program(example.read_bytes(), "1\n", tmp_path)
    run = run_or_error(example.read_text(), "1\n")
    assert run.status == expected.status
    assert run.report == expected.report
    assert run.screen == expected.screen
    assert run.errors == expected.errors


@pytest.mark.parametrize("folder", [p for p in E2E_RUNS if (p / "task.Tsk").exists()],
                         ids=lambda p: p.name)
def test_checked_runs_match_their_files(folder):
    keyboard = (folder / "keyboard.txt").read_bytes() if (folder / "keyboard.txt").exists() else b""
    arguments = (folder / "arguments").read_text().split() if (folder / "arguments").exists() else []
    lang = arguments[arguments.index("--lang") + 1] if "--lang" in arguments else "tr"
    run = run_or_error((folder / "task.Tsk").read_bytes(), keyboard.decode(), lang)
    status = (folder / "status").read_text().strip() if (folder / "status").exists() else "0"
    assert run.status == int(status)
    assert run.screen == (folder / "screen.txt").read_text()
    assert run.report == (folder / "report.txt").read_text()
    if (folder / "stderr.txt").exists():
        assert (folder / "stderr.txt").read_text().rstrip("\n") in run.errors
    else:
        assert run.errors == ""
    for where, what in run.warnings:
        assert f"Tidewerk: warning: {where}: {what}" in run.errors


def test_a_task_given_as_path_str_text_or_bytes_runs_the_same(tmp_path):
    example = next(p for p in EXAMPLES if p.stem == "case5_gawn")
    by_text = tidewerk.run(example.read_text(), "H\n")
    for task in (example, str(example), example.read_bytes(), bytearray(example.read_bytes())):
        run = tidewerk.run(task, "H\n")
        assert (run.status, run.screen, run.report) == (by_text.status, by_text.screen,
                                                         by_text.report)
    # A file of any name; the program's messages name it.
    renamed = tmp_path / "coaster.Tsk"
    renamed.write_text(task_text(2, 5, "1.0 4 0.70"))
    run = tidewerk.run(renamed, "H\n")
    assert any("coaster.Tsk" in where for where, _ in run.warnings), run.warnings


def test_the_keyboard_reaches_the_run():
    task = task_text(1, 5, "1.0 4 0.70")
    plain = tidewerk.run(task, "H\n")
    corrected = tidewerk.run(task, "E\n4 150\n")
    assert "YAPILMAMISTIR" in plain.report and "ITTC78" in corrected.report
    assert plain.report != corrected.report


def csv_columns(text):
    """The columns of a table file: header name -> list of fields."""
    header, *rows = list(csv.reader(io.StringIO(text)))
    assert all(len(row) == len(header) for row in rows)
    return {name: [row[k] for row in rows] for k, name in enumerate(header)}


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.stem)
def test_tables_hold_the_values_the_program_writes(example, program, tmp_path):
    expected = program(example.read_bytes(), "1\n", tmp_path, "--csv", "--json")
    run = run_or_error(example.read_text(), "1\n")
    assert expected.tables and run.tables
    # One file per table; the record gives their order.
    assert list(run.tables) == [t["name"] for t in json.loads(expected.json)["tables"]]
    assert set(run.tables) == set(expected.tables)
    for name, columns in run.tables.items():
        written = csv_columns(expected.tables[name])
        assert list(columns) == list(written), name
        for token, fields in written.items():
            column = columns[token]
            assert column.shape == (len(fields),), (name, token)
            if token == "mark":
                assert column.dtype.kind == "U" and list(column) == fields, name
                continue
            assert column.dtype == np.float32, (name, token)
            values = np.array([float(f) if f else np.nan for f in fields], dtype=np.float32)
            assert np.array_equal(column, values, equal_nan=True), (name, token)


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.stem)
def test_record_and_result_are_the_programs_json(example, program, tmp_path):
    expected = program(example.read_bytes(), "1\n", tmp_path, "--json")
    run = run_or_error(example.read_text(), "1\n")
    # The task given as text is named as the program names its classic task file.
    assert run.json_text == expected.json
    record = json.loads(expected.json)
    assert run.json == record and run.json is run.json
    assert record["exit_status"] == run.status

    # The result block: one entry per name, the record's numbers; counts are ints.
    assert list(run.result) == [r["name"] for r in record["results"]]
    assert list(run.result_units) == list(run.result)
    for entry in record["results"]:
        value = run.result[entry["name"]]
        assert run.result_units[entry["name"]] == entry["unit"]
        assert type(value) is type(entry["value"]), entry
        assert np.float32(value) == np.float32(entry["value"]), entry
        # The shortest text of the single-precision value, not its exact binary value.
        assert isinstance(value, int) or float(str(np.float32(value))) == value, entry


def marked_row(table, mark):
    rows = np.flatnonzero(table["mark"] == mark)
    assert len(rows) == 1, mark
    return {token: column[rows[0]] for token, column in table.items() if token != "mark"}


def test_result_block_matches_the_marked_rows():
    examples = {p.stem: p for p in EXAMPLES}
    design = tidewerk.run(examples["case8_merchant_ship"].read_text(), "1\n")
    row = marked_row(design.tables["open-water"], "design")
    assert np.float32(design.result["J"]) == row["J"] and design.result["Z"] == 4
    assert design.result_units["Pd"] == "kW" and design.result_units["PD"] == ""
    operating = tidewerk.run(examples["case6_operating_point_b"].read_text(), "1\n")
    row = marked_row(operating.tables["open-water"], "operating")
    for token in ("J", "Kt", "10Kq", "eta0"):
        assert np.float32(operating.result[token]) == row[token], token
    assert np.float32(operating.result["T"]) == operating.tables["operating-point"]["T_kN"][0]
    selected = tidewerk.run(examples["case2_merchant_ship_b"].read_text(), "1\n")
    row = marked_row(selected.tables["candidates"], "selected")
    assert selected.result["selected"] == int(row["row"])
    assert np.float32(selected.result["PD"]) == row["PD"]


def test_a_run_without_its_result_has_its_record():
    no_result = tidewerk.run(task_text(1, 5, "1.0 4 1.20"), "\n")
    assert no_result.result == {} and no_result.result_units == {}
    assert no_result.json["ending"] == "no result" and no_result.json["exit_status"] == 5
    assert no_result.json["reason"] == no_result.reason and no_result.json["results"] == []
    with pytest.raises(tidewerk.InputError) as raised:
        tidewerk.run(task_text(1, 5, "1.0 4 one"))
    record = raised.value.run.json
    assert (record["ending"], record["exit_status"]) == ("input error", 1)
    assert record["case"]["number"] == 5 and record["values"] == []


def test_the_record_names_a_task_read_from_a_path(tmp_path):
    path = tmp_path / "coaster.Tsk"
    path.write_text(task_text(3, 5, "1.0 4 0.70"))
    run = tidewerk.run(path, "1\n")
    assert run.json["task_file"] == str(path) and run.json["series"]["name"] == "KCA"
    assert tidewerk.run(path.read_text(), "1\n").json["task_file"] == "Tidewerk_28-03-2020.Tsk"


def template_written(*arguments):
    done = subprocess.run([str(BINARY), "--template", *map(str, arguments)],
                          capture_output=True, timeout=60, check=True)
    return done.stdout.decode()


def test_templates_are_those_of_the_program():
    assert tidewerk.template() == template_written()
    assert len(tidewerk.template().splitlines()) == 10
    for case in range(1, 11):
        assert tidewerk.template(case) == tidewerk.template(case, tidewerk.Series.WAGENINGEN_B)
        for series in (1, 2, 3):
            assert tidewerk.template(case, series) == template_written(case, "--series", series)


@pytest.mark.parametrize("case", range(1, 11))
def test_every_template_runs(case):
    for series in tidewerk.Series.__members__.values():
        run = tidewerk.run(tidewerk.template(case, series), "1\n")
        refused = case == 4 and not tidewerk.series_info(series).bollard_pull
        assert run.status == (5 if refused else 0), (case, series, run.reason)
        assert run.json["case"]["number"] == case
        assert run.json["series"]["number"] == int(series)
        assert refused or run.result, (case, series)


def test_runs_without_a_result_and_with_warnings_return_a_run():
    no_result = tidewerk.run(task_text(1, 5, "1.0 4 1.20"), "\n")
    assert no_result.status == 5 and no_result.ending == "no result" and no_result.reason
    banner = tidewerk.run(task_text(1, 0, ""), "")
    assert banner.status == 5 and "HESAP PROGRAMI" in banner.report
    gawn = tidewerk.run(task_text(2, 5, "1.0 4 0.70"), "H\n")
    assert gawn.status == 0 and gawn.ending == "result" and gawn.reason == ""
    assert ("task file Tidewerk_28-03-2020.Tsk, line 81",
            "Z = 4 is used as 3 by the Gawn series") in gawn.warnings


def test_bytes_that_are_not_utf8_come_back_as_they_were():
    task = task_text(1, 5, "1.0 4 0.70").encode().replace(b"explanatory line 3", b"\xff\xfe \xe7")
    run = tidewerk.run(task, b"H\n")
    assert run.status == 0
    assert run.report.encode("utf-8", "surrogateescape") == tidewerk.run(
        task_text(1, 5, "1.0 4 0.70"), "H\n").report.encode()


def test_runs_in_several_threads_give_the_serial_results():
    tasks = [(p.read_text(), "1\n") for p in EXAMPLES] * 2
    serial = [run_or_error(*t).report for t in tasks]
    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        parallel = list(pool.map(lambda t: run_or_error(*t).report, tasks))
    assert parallel == serial
