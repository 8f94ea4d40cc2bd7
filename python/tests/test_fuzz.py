"""Random arguments to every entry point for a bounded time (TIDEWERK_FUZZ_SECONDS, 20 s by
default, shared by the tests below).  Whatever a caller passes, the module either answers or
raises one of the exceptions it documents; it never takes the interpreter down."""

import os
import random
import time
import warnings

import numpy as np

import tidewerk
from conftest import EXAMPLES

SECONDS = float(os.environ.get("TIDEWERK_FUZZ_SECONDS", "20"))
SEED = int(os.environ.get("TIDEWERK_FUZZ_SEED", str(random.randrange(2**32))))

ALLOWED = (ValueError, TypeError, OverflowError, MemoryError,
           tidewerk.InputError, tidewerk.ArithmeticError)

SPECIAL = [0.0, -0.0, 1e-45, -1e-38, 1e-4, 0.5, 1.0, 4.0, 1e38, 3.5e38, 1e300, -1e300,
           float("nan"), float("inf"), float("-inf"), 0, -1, 7, 2**31, -2**63, 2**80, True]


class Weird:
    def __float__(self):
        raise RuntimeError("no float here")

    def __len__(self):
        return -1


def number(rng):
    return rng.choice(SPECIAL) if rng.random() < 0.6 else rng.uniform(-5, 5)


def array(rng):
    # Some draws cannot be made into an array (an infinity as an integer): those are a plain
    # list of the same numbers instead.
    try:
        with np.errstate(all="ignore"), warnings.catch_warnings():
            warnings.simplefilter("ignore")
            return numpy_array(rng)
    except (ValueError, TypeError, OverflowError):
        return [number(rng) for _ in range(rng.randrange(5))]


def numpy_array(rng):
    kind = rng.randrange(10)
    n = rng.choice([0, 1, 2, 3, 17, 1000])
    if kind == 0:
        return np.array([number(rng) for _ in range(n)])
    if kind == 1:
        return np.array([number(rng) for _ in range(n)], dtype=rng.choice(
            [np.float16, np.float32, np.float64, np.int8, np.uint16, np.int64, np.bool_]))
    if kind == 2:
        return np.full(rng.choice([10**7, 3 * 10**6]), number(rng), dtype=np.float32)
    if kind == 3:
        return np.array([number(rng) for _ in range(4 * n)]).reshape(-1, 2)[:, ::-1]
    if kind == 4:
        return [[number(rng) for _ in range(rng.randrange(3))] for _ in range(rng.randrange(3))]
    if kind == 5:
        return np.empty((rng.randrange(3), 0, rng.randrange(3)))
    if kind == 6:
        return np.arange(n, dtype=np.float64)[::rng.choice([1, 2, -1])]
    if kind == 7:
        return np.array(["a", "1"] * n, dtype=rng.choice([object, str, bytes]))
    if kind == 8:
        return np.array([1 + 2j] * n)
    return np.array(["2020-03-28"] * n, dtype="datetime64[D]")


def anything(rng, depth=0):
    pick = rng.randrange(14)
    if pick < 5:
        return number(rng)
    if pick < 8:
        return array(rng)
    if pick == 8:
        return None
    if pick == 9:
        return rng.choice(["", "0.5", "J", "\x00", "tidewerk", "\udcff"])
    if pick == 10:
        return rng.choice([b"", b"\xff", bytearray(b"0.5")])
    if pick == 11 and depth < 3:
        return [anything(rng, depth + 1) for _ in range(rng.randrange(4))]
    if pick == 12:
        return rng.choice([{}, {"D": 4}, object(), Weird(), tidewerk.Series.GAWN, slice(1)])
    return rng.choice([-1, -(2**70), 2**70])  # sizes and numbers past any limit


def series(rng):
    return rng.choice([1, 2, 3, tidewerk.Series.KCA]) if rng.random() < 0.7 else anything(rng)


def check(call):
    try:
        return call()
    except ALLOWED:
        return None


def within_budget(share):
    deadline = time.monotonic() + SECONDS * share
    return lambda: time.monotonic() < deadline


def test_open_water_with_random_arguments(capsys):
    with capsys.disabled():  # shown even when a fault ends the interpreter
        print(f"\nfuzz seed {SEED} (TIDEWERK_FUZZ_SEED={SEED} repeats it)", flush=True)
    rng = random.Random(SEED)
    going, calls = within_budget(0.5), 0
    while going():
        arguments = [series(rng)] + [anything(rng) if rng.random() < 0.4 else number(rng)
                                     for _ in range(4)]
        ittc78 = None
        if rng.random() < 0.4:
            ittc78 = (tuple(anything(rng) if rng.random() < 0.3 else number(rng) for _ in range(3))
                      if rng.random() < 0.8 else anything(rng))
        result = check(lambda: tidewerk.open_water(*arguments, ittc78=ittc78))
        if result is not None:
            shape = result.J.shape
            for name in ("z", "Kt", "Kq", "eta0"):
                column = getattr(result, name)
                assert column.dtype == np.float32 and column.shape == shape, SEED
        calls += 1
    assert calls > 0


def test_the_other_entry_points_with_random_arguments():
    rng = random.Random(SEED + 1)
    going = within_budget(0.2)
    while going():
        check(lambda: tidewerk.series_info(anything(rng)))
        check(lambda: tidewerk.template(anything(rng), series(rng)))
        check(lambda: tidewerk.blade_number_used(series(rng), anything(rng)))
        check(lambda: tidewerk._evaluate_point(series(rng), *[number(rng) for _ in range(4)],
                                               ittc78=rng.choice([None, (4, 5, 150), (1, 2)])))
        check(lambda: tidewerk.run(anything(rng), anything(rng)))


def mutated(rng, text):
    data = bytearray(text)
    for _ in range(rng.randrange(1, 8)):
        where = rng.randrange(len(data) + 1)
        action = rng.randrange(4)
        if action == 0 and where < len(data):
            data[where] = rng.randrange(256)
        elif action == 1:
            data[where:where] = rng.choice([b"\n", b"-", b"0", b"1e38", b"nan", b",", b"9" * 40])
        elif action == 2:
            del data[where:where + rng.randrange(1, 40)]
        else:
            data = data[:where]
    return bytes(data)


def test_run_with_damaged_task_files_and_random_keyboards():
    rng = random.Random(SEED + 2)
    tasks = [p.read_bytes() for p in EXAMPLES]
    going, runs = within_budget(0.3), 0
    while going():
        task = mutated(rng, rng.choice(tasks))
        keyboard = rng.choice(["", "1\n", "E\n", "E\n81\n", "2\n\n\n", "E\n4 150\n", "\xff\n"])
        run = check(lambda: tidewerk.run(task, keyboard))
        if run is not None:
            assert run.status in (0, 5), (SEED, task)
            assert isinstance(run.report, str) and run.report.startswith(" ---"), (SEED, task)
            assert run.json["exit_status"] == run.status, (SEED, task)
            assert len(run.json["results"]) == len(run.result), (SEED, task)
        runs += 1
    assert runs > 0
