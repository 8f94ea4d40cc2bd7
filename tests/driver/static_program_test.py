#!/usr/bin/env python3
"""The program as linked, read back with readelf: fully static and not position-independent (no
loader, no start-up relocations), with the --eh-frame-hdr table through which the unwinder finds
a frame, and the start files' registration of the unwind tables wrapped away (the unwinder would
otherwise sort every frame description at the first exception).

    static_program_test.py PROGRAM
"""
import subprocess
import sys


def readelf(option, program):
    return subprocess.run(["readelf", option, "-W", program], check=True, capture_output=True,
                          text=True).stdout


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
    for fault in faults:
        print(f"{program}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
