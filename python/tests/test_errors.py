"""What the module raises: ValueError and TypeError for arguments it cannot take, and the
program's own messages as tidewerk.InputError and tidewerk.ArithmeticError."""

import builtins
import pathlib

import numpy as np
import pytest

import tidewerk
from conftest import E2E_RUNS, task_text


@pytest.mark.parametrize("series", [0, 4, -1, 2**70, np.int64(9)])
def test_an_unknown_series_is_a_value_error(series):
    for call in (lambda: tidewerk.open_water(series, 0.5, 1.0, 0.7, 4),
                 lambda: tidewerk.series_info(series),
                 lambda: tidewerk.template(5, series),
                 lambda: tidewerk._evaluate_point(series, 0.5, 1.0, 0.7, 4)):
        with pytest.raises(ValueError, match="unknown series"):
            call()


@pytest.mark.parametrize("series", [1.0, "1", None, True, [1]])
def test_a_series_that_is_no_whole_number_is_a_type_error(series):
    with pytest.raises(TypeError):
        tidewerk.open_water(series, 0.5, 1.0, 0.7, 4)
    with pytest.raises(TypeError):
        tidewerk.series_info(series)


def test_series_numbers_given_as_numpy_integers_are_taken():
    assert tidewerk.series_info(np.int32(2)).name == "Gawn"


@pytest.mark.parametrize("case", [0, 11, -3, 2**40])
def test_an_unknown_case_is_a_value_error(case):
    with pytest.raises(ValueError, match="unknown case"):
        tidewerk.template(case)


@pytest.mark.parametrize("case", [8.0, "8", True, [8]])
def test_a_case_that_is_no_whole_number_is_a_type_error(case):
    with pytest.raises(TypeError, match="case"):
        tidewerk.template(case)


def test_a_template_series_needs_a_case():
    with pytest.raises(TypeError, match="needs a case"):
        tidewerk.template(series=2)
    assert tidewerk.template(np.int64(8), np.int32(3)) == tidewerk.template(8, 3)


def test_arrays_of_different_lengths_are_a_value_error():
    with pytest.raises(ValueError, match="different lengths"):
        tidewerk.open_water(1, [0.1, 0.2, 0.3], [1.0, 1.1], 0.7, 4)
    with pytest.raises(ValueError, match="different lengths"):
        tidewerk.open_water(1, np.zeros(5), 1.0, 0.7, np.ones(4))
    with pytest.raises(ValueError, match="different lengths"):
        tidewerk.open_water(1, np.zeros(5), 1.0, 0.7, 4, ittc78=(np.ones(3), 5, 150))
    with pytest.raises(ValueError, match="different lengths"):
        tidewerk.open_water(1, [], 1.0, 0.7, [4, 5])


def test_ittc78_must_be_three_values():
    with pytest.raises(ValueError, match="three values"):
        tidewerk.open_water(1, 0.5, 1.0, 0.7, 4, ittc78=(4, 5))
    for wrong in (4.0, "4 5 150", {"D": 4}):
        with pytest.raises(TypeError):
            tidewerk.open_water(1, 0.5, 1.0, 0.7, 4, ittc78=wrong)


@pytest.mark.parametrize("wrong", [None, "0.5", ["a", "b"], [0.5, None], {"J": 1}, 1 + 2j,
                                   np.array(["1"]), object(), [[0.1, 0.2], [0.3]]])
def test_inputs_that_are_not_numbers_are_a_type_error(wrong):
    with pytest.raises(TypeError, match="J must be"):
        tidewerk.open_water(1, wrong, 1.0, 0.7, 4)


def test_an_unreadable_task_is_an_input_error_with_the_programs_message():
    with pytest.raises(tidewerk.InputError) as raised:
        tidewerk.run("no task here")
    error = raised.value
    assert not isinstance(error, builtins.ArithmeticError)
    assert error.status == 1 and error.run.status == 1 and error.run.ending == "input error"
    assert str(error) == error.run.reason
    assert str(error).startswith("task file Tidewerk_28-03-2020.Tsk: the file ends after line 1")
    assert f"Tidewerk: input error: {error}" in error.run.errors
    assert "HESAP PROGRAMI" in error.run.report  # the banner came before the error


def test_a_word_for_a_number_is_an_input_error():
    with pytest.raises(tidewerk.InputError, match="line 81"):
        tidewerk.run(task_text(1, 5, "one 4 0.70"))
    # The keyboard ends where the diameter and revolutions are expected.
    with pytest.raises(tidewerk.InputError, match="keyboard input"):
        tidewerk.run(task_text(1, 5, "1.0 4 0.70"), "E\n")


def test_an_arithmetic_fault_is_the_modules_arithmetic_error():
    folder = next(p for p in E2E_RUNS if p.name == "case7_b_delta_zero")
    with pytest.raises(tidewerk.ArithmeticError) as raised:
        tidewerk.run((folder / "task.Tsk").read_text(), "\n")
    error = raised.value
    assert isinstance(error, builtins.ArithmeticError) and tidewerk.ArithmeticError is not \
        builtins.ArithmeticError
    assert error.status == 3 and error.run.ending == "arithmetic error"
    assert str(error) == "division by zero in case 7; delta = 0 (line 81)"
    assert (folder / "stderr.txt").read_text().strip() in error.run.errors


def test_arguments_of_run_that_are_no_text_are_a_type_error(tmp_path):
    for task in (None, 12, 1.5, ["task"], object()):
        with pytest.raises(TypeError, match="task"):
            tidewerk.run(task)
    with pytest.raises(TypeError, match="keyboard"):
        tidewerk.run(task_text(1, 5, "1.0 4 0.70"), 5)
    with pytest.raises(FileNotFoundError):
        tidewerk.run(tmp_path / "missing.Tsk")
    with pytest.raises(IsADirectoryError):
        tidewerk.run(pathlib.Path(tmp_path))


@pytest.mark.parametrize("name", ["typo.Tsk", "designs/coaster.TSK", "./tidewerk_28-03-2020.tsk"])
def test_a_file_name_that_names_no_file_is_file_not_found(name, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    with pytest.raises(FileNotFoundError) as caught:
        tidewerk.run(name)
    assert caught.value.filename == name
    with pytest.raises(FileNotFoundError):
        tidewerk.run(pathlib.Path(name))
