"""tidewerk.study: the record the program's --json writes, from TOML text or from a dict;
bad study files raise InputError with the program's message."""

import json
import subprocess
import tomllib

import pytest
import tidewerk

from conftest import BINARY, SOURCE_DIR

FERRY = SOURCE_DIR / "examples" / "study_twin_screw_ferry.toml"
SHIP = SOURCE_DIR / "examples" / "study_holtrop_mennen_ship.toml"


def program_record(path, folder):
    """The record the program writes with --json for the study file `path`."""
    done = subprocess.run([str(BINARY), "study", "--json", "-q", "-o", str(folder), str(path)],
                          capture_output=True, check=False)
    assert done.returncode in (0, 5), done.stderr
    return json.loads((folder / (path.stem + ".json")).read_text())


def without_origin(record):
    """The record without what names the file and the build."""
    return {k: v for k, v in record.items() if k not in ("study_file", "version")}


@pytest.mark.parametrize("path", [FERRY, SHIP], ids=["ferry", "holtrop_mennen_ship"])
def test_the_record_is_the_programs(path, tmp_path):
    record = tidewerk.study(path.read_text())
    assert record["study_file"] == "study"
    assert record["version"] == tidewerk.__version__
    assert without_origin(record) == without_origin(program_record(path, tmp_path))


def test_a_dict_as_tomllib_reads_it_gives_the_same_record():
    text = FERRY.read_text()
    assert tidewerk.study(tomllib.loads(text)) == tidewerk.study(text)


def test_the_template_runs_to_its_result():
    record = tidewerk.study(tidewerk.study_template())
    assert record["ending"] == "result" and record["exit_status"] == 0
    names = [t["name"] for t in record["tables"]]
    assert names == ["resistance", "candidates", "speed-power"]
    results = {r["name"]: (r["value"], r["unit"]) for r in record["results"]}
    assert results["D"][1] == "m" and results["N"][1] == "rpm"
    assert results["series"][0] in (1, 2, 3)


def test_the_threads_do_not_change_the_record():
    text = SHIP.read_text()
    assert tidewerk.study(text, jobs=1) == tidewerk.study(text, jobs=3)


def test_no_feasible_propeller_is_a_record_with_its_reasons():
    study_input = tomllib.loads(FERRY.read_text())
    study_input["propeller"]["N_min"], study_input["propeller"]["N_max"] = 90.0, 100.0
    record = tidewerk.study(study_input)
    assert record["ending"] == "no result" and record["exit_status"] == 5
    assert record["reason"].startswith("no feasible propeller: Wageningen B Z = 3: needs P/D")
    assert record["results"] == []


@pytest.mark.parametrize("edit, message", [
    (lambda s: s["ship"].pop("B"), "study: [ship] B: missing (m, moulded breadth)"),
    (lambda s: s["engine"].update(mcr=1.0), "study: [engine] mcr: unknown key; did you mean MCR?"),
    (lambda s: s["propeller"].update(blades=[4, 4.5]),
     "study: [propeller] blades: must hold whole numbers; found a real number"),
])
def test_a_bad_dict_names_the_key(edit, message):
    study_input = tomllib.loads(tidewerk.study_template())
    edit(study_input)
    with pytest.raises(tidewerk.InputError) as error:
        tidewerk.study(study_input)
    assert str(error.value) == message


def test_bad_text_names_line_and_column_and_other_types_are_refused():
    text = tidewerk.study_template().replace("CM = 0.98", "CM = 1.98")
    with pytest.raises(tidewerk.InputError, match=r"^study:10:6: \[ship\] CM: 1.98 is out of"):
        tidewerk.study(text)
    with pytest.raises(TypeError):
        tidewerk.study(b"[ship]")
    study_input = tomllib.loads(tidewerk.study_template())
    study_input["ship"]["L"] = {1, 2}
    with pytest.raises(TypeError, match="ship.L"):
        tidewerk.study(study_input)
