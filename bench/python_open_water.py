#!/usr/bin/env python3
"""Speed of the Python module tidewerk.

    PYTHONPATH=build/python python3 bench/python_open_water.py [--bench build/tidewerk_bench]

1. tidewerk.open_water over one million advance coefficients, for each series (and for the
   Wageningen B series with the ITTC78 correction, and for a family whose pitch ratio changes
   every 1000 points): evaluations per second, the best of several calls.
2. tidewerk.run of the case-2 Gawn task (tests/e2e/runs/case2_gawn/task.Tsk), the largest
   sweep of the cases, against the same run in C++ (BM_Case2_Gawn of build/tidewerk_bench,
   built by `make bench`; left out when it is not there), and with its --json record.
"""

import argparse
import json
import pathlib
import statistics
import subprocess
import sys
import time

SOURCE = pathlib.Path(__file__).resolve().parents[1]
try:
    import tidewerk
except ImportError:
    sys.path.insert(0, str(SOURCE / "build" / "python"))
    import tidewerk
import numpy as np

POINTS = 1_000_000


def best_time(call, repeats, clock=time.perf_counter):
    times = []
    for _ in range(repeats):
        start = clock()
        call()
        times.append(clock() - start)
    return min(times), statistics.median(times)


def open_water_figures(repeats):
    J = np.linspace(0.0, 1.5, POINTS, dtype=np.float32)
    J64 = J.astype(np.float64)
    family = np.repeat(np.linspace(0.5, 1.4, POINTS // 1000, dtype=np.float32), 1000)
    rows = [
        ("Wageningen B", lambda: tidewerk.open_water(1, J, 1.0, 0.7, 4)),
        ("Wageningen B, ITTC78", lambda: tidewerk.open_water(1, J, 1.0, 0.7, 4, (4, 5, 150))),
        ("Wageningen B, J as float64", lambda: tidewerk.open_water(1, J64, 1.0, 0.7, 4)),
        ("Wageningen B, P/D per point", lambda: tidewerk.open_water(1, J, family, 0.7, 4)),
        ("Gawn", lambda: tidewerk.open_water(2, J, 1.0, 0.7, 3)),
        ("KCA", lambda: tidewerk.open_water(3, J, 1.0, 0.7, 4)),
    ]
    print(f"open_water over {POINTS:,} J values, best of {repeats} calls:"
          " wall time, processor time, evaluations per second of each")
    for name, call in rows:
        wall = best_time(call, repeats)[0]
        cpu = best_time(call, repeats, time.process_time)[0]
        print(f"  {name:30s} {wall * 1e3:6.2f} ms {cpu * 1e3:6.2f} ms"
              f"   {POINTS / wall / 1e6:6.1f} M/s {POINTS / cpu / 1e6:6.1f} M/s")


def cpp_case2_ms(bench):
    """Median wall and processor times of BM_Case2_Gawn in ms, or None."""
    if not bench.exists():
        return None
    done = subprocess.run([str(bench), "--benchmark_filter=^BM_Case2_Gawn$",
                           "--benchmark_format=json", "--benchmark_repetitions=5",
                           "--benchmark_report_aggregates_only=true"],
                          capture_output=True, text=True, check=True)
    for entry in json.loads(done.stdout)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
            return entry["real_time"] * scale, entry["cpu_time"] * scale
    return None


def run_figures(repeats, bench):
    task = (SOURCE / "tests" / "e2e" / "runs" / "case2_gawn" / "task.Tsk").read_text()
    tidewerk.run(task, "\n\n")
    call = lambda: tidewerk.run(task, "\n\n")
    wall = best_time(call, repeats)[1] * 1e3
    cpu = best_time(call, repeats, time.process_time)[1] * 1e3
    print(f"run() of the case-2 Gawn task (median): {wall:.2f} ms, processor {cpu:.2f} ms")
    with_record = lambda: tidewerk.run(task, "\n\n").json
    record_wall = best_time(with_record, repeats)[1] * 1e3
    record_cpu = best_time(with_record, repeats, time.process_time)[1] * 1e3
    print(f"  and its record, run().json (median): {record_wall:.2f} ms, processor"
          f" {record_cpu:.2f} ms")
    cpp = cpp_case2_ms(bench)
    if cpp is None:
        print(f"  (no {bench}: `make bench` builds the C++ figure)")
    else:
        print(f"  C++ in-process, BM_Case2_Gawn (median): {cpp[0]:.2f} ms, processor"
              f" {cpp[1]:.2f} ms")
        print(f"  Python / C++: {wall / cpp[0]:.2f} (wall), {cpu / cpp[1]:.2f} (processor)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeats", type=int, default=20)
    parser.add_argument("--bench", type=pathlib.Path, default=SOURCE / "build" / "tidewerk_bench")
    arguments = parser.parse_args()
    open_water_figures(arguments.repeats)
    run_figures(arguments.repeats, arguments.bench)


if __name__ == "__main__":
    main()
