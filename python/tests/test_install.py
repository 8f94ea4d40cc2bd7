"""`make install PREFIX=...` puts the module into the interpreter's package folder under the
prefix, and nowhere else, and it imports from there."""

import os
import pathlib
import subprocess
import sys

import pytest

BUILD_DIR = os.environ.get("TIDEWERK_BUILD_DIR")


@pytest.mark.skipif(not BUILD_DIR, reason="TIDEWERK_BUILD_DIR names no build tree")
def test_the_module_installs_under_the_prefix_and_imports(tmp_path):
    prefix = tmp_path / "prefix"
    done = subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", str(prefix)],
                          capture_output=True, text=True, timeout=300, check=True)
    installed = [pathlib.Path(line.split(": ", 1)[1]) for line in done.stdout.splitlines()
                 if line.startswith("-- Installing: ") or line.startswith("-- Up-to-date: ")]
    assert installed and all(prefix in path.parents or path == prefix for path in installed), \
        done.stdout
    modules = [path for path in installed if path.name.startswith("tidewerk.cpython")]
    assert len(modules) == 1
    folder = modules[0].parent
    assert folder.name in ("dist-packages", "site-packages")
    check = subprocess.run(
        [sys.executable, "-c", "import tidewerk; print(tidewerk.__file__); "
         "print(round(float(tidewerk.open_water(1, 0.5, 1.0, 0.7, 4).Kt), 4))"],
        env={**os.environ, "PYTHONPATH": str(folder)}, cwd=tmp_path, capture_output=True,
        text=True, timeout=60, check=True)
    assert check.stdout.split() == [str(modules[0]), "0.271"]
