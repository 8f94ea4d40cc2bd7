#!/usr/bin/env python3
"""The program as linked, read back with readelf: fully static and not position-independent (no
loader, no start-up relocations), with the --eh-frame-hdr table through which the unwinder finds
a frame, and the start files' registration of the unwind tables wrapped away (the unwinder would
otherwise sort every frame description at the first exception).  Where strace is installed, also
what the start-up asks of the kernel: the heap of a run mapped in one call beyond the program's
own segments (the allocation that grows it is easily optimised away), none for --version.

    static_program_test.py PROGRAM
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def readelf(option, program):
    return subprocess.run(["readelf", option, "-W", program], check=True, capture_output=True,
                          text=True).stdout


def populated_writes(program, arguments, folder):
    """The sizes of the MADV_POPULATE_WRITE calls of a run of the program."""
    trace = os.path.join(folder, "trace")
    with open(os.devnull, "rb") as keys:
        subprocess.run(["strace", "-f", "-e", "trace=madvise", "-o", trace,
                        os.path.abspath(program), *arguments],
                       cwd=folder, stdin=keys, capture_output=True, check=False)
    with open(trace) as f:
        return [int(m.group(1)) for m in re.finditer(r"madvise\(0x[0-9a-f]+, (\d+), "
                                                      r"MADV_POPULATE_WRITE\)", f.read())]


def heap_faults(program):
    with tempfile.TemporaryDirectory() as folder:
        # A missing task file: the run ends at once, after the start-up.
        run = populated_writes(program, ["missing.Tsk"], folder)
        version = populated_writes(program, ["--version"], folder)
    faults = []
    if len(run) != len(version) + 1 or max(run, default=0) < 192 * 1024:
        faults.append(f"the heap of a run is not mapped at start-up: {run}")
    if len(version) != 1:
        faults.append(f"--version maps more than the data segment: {version}")
    return faults


def main():
    program = sys.argv[1]
    header = readelf("-h", program)
    segments = readelf("-l", program)
    symbols = readelf("-s", program)
    faults = []
    if "EXEC (Executable file)" not in header:
        faults.append("not a plain executable (position-independent?)")
    if "INTERP" in segments or "DYNAMIC" in segments:
        faults.append("has a dynamic section: a loader or start-up relocations")
    if "GNU_EH_FRAME" not in segments:
        faults.append("no --eh-frame-hdr table for the unwinder")
    if "__wrap___register_frame_info" not in symbols:
        faults.append("the start files' registration of the unwind tables is not wrapped")
    if shutil.which("strace"):
        faults += heap_faults(program)
    for fault in faults:
        print(f"{program}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
