"""Shared helpers of the module's tests: where the program and the repository are, and a run
of the real program in a folder of its own."""

import os
import pathlib
import subprocess

import pytest

SOURCE_DIR = pathlib.Path(
    os.environ.get("TIDEWERK_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
BINARY = pathlib.Path(
    os.environ.get("TIDEWERK_BINARY", SOURCE_DIR / "build" / "tidewerk")).resolve()
EXAMPLES = sorted((SOURCE_DIR / "examples").glob("*.Tsk"))
E2E_RUNS = sorted(p for p in (SOURCE_DIR / "tests" / "e2e" / "runs").iterdir() if p.is_dir())
TASK_FILE_NAME = "Tidewerk_28-03-2020.Tsk"


def task_text(series, case, values):
    """A task file: 15 lines of text, the series, 63 lines, the case and its values."""
    lines = [f"explanatory line {k}" for k in range(1, 16)] + [str(series)]
    lines += [f"explanatory line {k}" for k in range(17, 80)] + [str(case), values]
    return "\n".join(lines) + "\n"


class ProgramRun:
    """What the program wrote: its exit status, screen, report and error output, the text of
    each table file Tidewerk.<name>.csv keyed by name (with --csv) and of Tidewerk.json (with
    --json; None without)."""

    def __init__(self, status, screen, report, errors, tables, json):
        self.status, self.screen, self.report, self.errors, self.tables, self.json = (
            status, screen, report, errors, tables, json)


def run_program(task_bytes, keyboard, folder, *arguments):
    """Runs build/tidewerk in `folder` on the task (bytes) with `keyboard` typed."""
    folder.mkdir(parents=True, exist_ok=True)
    (folder / TASK_FILE_NAME).write_bytes(task_bytes)
    done = subprocess.run([str(BINARY), *arguments], cwd=folder, input=keyboard.encode(),
                          capture_output=True, timeout=120, check=False)
    def text(name):
        path = folder / name
        return path.read_bytes().decode("utf-8", "surrogateescape") if path.exists() else None
    tables = {path.name[len("Tidewerk."):-len(".csv")]: text(path.name)
              for path in folder.glob("Tidewerk.*.csv")}
    return ProgramRun(done.returncode, done.stdout.decode("utf-8", "surrogateescape"),
                      text("Tidewerk.Son"), done.stderr.decode("utf-8", "surrogateescape"),
                      tables, text("Tidewerk.json"))


@pytest.fixture(scope="session")
def program():
    if not BINARY.exists():
        pytest.fail(f"the program {BINARY} is not built")
    return run_program
