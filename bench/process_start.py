#!/usr/bin/env python3
"""Whole-process times of the program: a static C program that returns at once, `tidewerk
--version`, and the run of the case-2 Gawn task file, each started many times in turn.

    bench/process_start.py build/tidewerk [runs]

Prints the least and the median wall time of each (milliseconds).  The least is the figure to
compare on a shared machine: every other run was slowed by something else.  Needs a C
compiler for the reference program."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TASK = os.path.join(HERE, "..", "tests", "e2e", "runs", "case2_gawn", "task.Tsk")


def wall_times(command, folder, runs):
    times = []
    with open(os.devnull, "rb") as keys, open(os.devnull, "wb") as sink:
        for _ in range(runs):
            start = time.perf_counter()
            subprocess.run(command, cwd=folder, stdin=keys, stdout=sink, stderr=sink, check=True)
            times.append(time.perf_counter() - start)
    return times


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    with tempfile.TemporaryDirectory(prefix="tidewerk-start-") as folder:
        source = os.path.join(folder, "nothing.c")
        with open(source, "w") as f:
            f.write("int main(void) { return 0; }\n")
        nothing = os.path.join(folder, "nothing")
        subprocess.run([os.environ.get("CC", "cc"), "-O2", "-static", source, "-o", nothing],
                       check=True)
        shutil.copy(TASK, os.path.join(folder, "Tidewerk_28-03-2020.Tsk"))
        commands = {
            "static C program, returns at once": [nothing],
            "tidewerk --version": [program, "--version"],
            "tidewerk, case 2 Gawn (151 x 1400)": [program],
        }
        results = {name: [] for name in commands}
        # In turns, so that a busy spell of the machine falls on all of them alike.
        for _ in range(10):
            for name, command in commands.items():
                results[name] += wall_times(command, folder, max(1, runs // 10))
        for name, times in results.items():
            print(f"{name:40s} least {min(times) * 1e3:6.2f} ms   "
                  f"median {statistics.median(times) * 1e3:6.2f} ms")


if __name__ == "__main__":
    main()
