#!/usr/bin/env python3
"""The machine code of the program's grid kernels, read back with objdump:

  - no fused multiply-add anywhere in Tidewerk's own code (every product is rounded before it is
    added, on every path);
  - wide instructions (VEX or EVEX: AVX, AVX2, AVX-512) only in the grid kernels compiled for
    them, so that the program runs on a processor without them: no inline function or template
    of another header was compiled into a wide copy that the linker could keep for everyone;
  - the AVX2 kernel uses no AVX-512 register, and the baseline kernel no wide instruction.

    kernel_code_test.py PROGRAM
"""
import re
import subprocess
import sys

FUSED = re.compile(r"^v?f(n)?m(add|sub)")
WIDE_MNEMONIC = re.compile(r"^v")  # VEX- or EVEX-encoded instructions all start with v
AVX512_OPERAND = re.compile(r"%zmm|%k[0-7]|%[xy]mm(1[6-9]|2[0-9]|3[01])\b|\{1to")


def functions(program):
    """(mangled name, [(mnemonic, operands)]) of every function in the program."""
    listing = subprocess.run(["objdump", "-d", "--no-show-raw-insn", "-w", program],
                             check=True, capture_output=True, text=True).stdout
    name, body = None, []
    for line in listing.splitlines():
        header = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
        if header:
            if name:
                yield name, body
            name, body = header.group(1), []
            continue
        instruction = re.match(r"^\s+[0-9a-f]+:\s+(\S+)\s*(.*)$", line)
        if name and instruction:
            body.append((instruction.group(1), instruction.group(2)))
    if name:
        yield name, body


def demangle(names):
    if not names:
        return {}
    out = subprocess.run(["c++filt"], input="\n".join(names), check=True, capture_output=True,
                         text=True).stdout.splitlines()
    return dict(zip(names, out))


def main():
    program = sys.argv[1]
    found = [(n, b) for n, b in functions(program) if n.startswith("_Z")]
    readable = demangle([n for n, _ in found])
    faults = []
    kernels = {"avx512": 0, "avx2": 0, "baseline": 0}
    for mangled, body in found:
        name = readable[mangled]
        own = "tidewerk" in name
        in_grid = re.match(r"^([\w: ]+ )?tidewerk::grid::", name) is not None
        fused = [m for m, _ in body if FUSED.match(m)]
        wide = [m for m, _ in body if WIDE_MNEMONIC.match(m)]
        avx512 = [m + " " + o for m, o in body if AVX512_OPERAND.search(o)]
        if own and fused:
            faults.append(f"{name}: fused multiply-add ({fused[0]})")
        if wide and not in_grid:
            faults.append(f"{name}: wide instruction outside the grid kernels ({wide[0]})")
        if in_grid:  # the kernels' templates are instantiated per lane count: <16ul, <8ul, <4ul
            if "evaluate_avx512" in name or "<16ul" in name:
                kernels["avx512"] += 1
            elif "evaluate_avx2" in name or "<8ul" in name:
                kernels["avx2"] += 1
                if avx512:
                    faults.append(f"{name}: AVX-512 in the AVX2 kernel ({avx512[0]})")
            elif "evaluate_baseline" in name or "<4ul" in name:
                kernels["baseline"] += 1
                if wide:
                    faults.append(f"{name}: wide instruction in the baseline kernel ({wide[0]})")
    for kernel, count in kernels.items():
        if count == 0:
            faults.append(f"no {kernel} kernel found in {program}")
    for fault in faults:
        print(fault)
    print(f"{len(found)} C++ functions read; kernels {kernels}; {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
