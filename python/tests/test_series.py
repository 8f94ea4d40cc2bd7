"""tidewerk.open_water and tidewerk.series_info against the series' check values and, bit for
bit, against the library's single-point evaluation."""

import os
import subprocess
import sys
import threading
import time

import numpy as np
import pytest

import tidewerk

B, G, K = tidewerk.Series.WAGENINGEN_B, tidewerk.Series.GAWN, tidewerk.Series.KCA


def bits(values):
    return np.asarray(values, dtype=np.float32).view(np.uint32)


@pytest.mark.parametrize("series, kt, kq10", [
    (B, 0.2710, 0.4343), (G, 0.2828, 0.4567), (K, 0.2834, 0.4410)])
def test_check_values_at_j_half(series, kt, kq10):
    r = tidewerk.open_water(series, 0.5, 1.0, 0.7, 4)
    assert round(float(r.Kt), 4) == kt
    assert round(10 * float(r.Kq), 4) == kq10
    assert float(r.eta0) == pytest.approx(float(r.Kt) / float(r.Kq) * 0.5 / (2 * np.pi), rel=1e-6)
    assert not r.ittc78


def test_ittc78_check_value_of_wageningen_b():
    r = tidewerk.open_water(B, 0.5, 1.0, 0.7, 4, ittc78=(4, 5, 150))
    assert round(float(r.Kt), 4) == 0.2735
    assert r.ittc78
    plain = tidewerk.open_water(B, 0.5, 1.0, 0.7, 4)
    assert float(r.Kt) != float(plain.Kt) and float(r.Kq) != float(plain.Kq)


J_GRID = np.concatenate([np.linspace(-0.2, 1.8, 601, dtype=np.float32),
                         np.float32([0.0, -0.0, 1e-4, -1e-4, 0.001, -0.001, 0.0009999])])
PROPELLERS = [(pd, ear, z) for pd in (0.5, 0.83, 1.0, 1.4, 2.0) for ear in (0.35, 0.7, 1.05)
              for z in (2, 3, 4, 4.5, 6)]


def assert_equal_to_points(series, J, pd, ear, z, ittc78=None):
    r = tidewerk.open_water(series, J, pd, ear, z, ittc78)
    points = np.array([tidewerk._evaluate_point(series, j, pd, ear, z, ittc78) for j in J],
                      dtype=np.float32)
    for k, name in enumerate(("J", "z", "Kt", "Kq", "eta0")):
        assert np.array_equal(bits(getattr(r, name)), bits(points[:, k])), (name, pd, ear, z)


@pytest.mark.parametrize("series", [B, G, K])
def test_open_water_bit_identical_to_single_points_over_a_grid(series):
    for pd, ear, z in PROPELLERS[::4]:
        assert_equal_to_points(series, J_GRID, np.float32(pd), np.float32(ear), np.float32(z))


@pytest.mark.parametrize("conditions", [(4.0, 5.0, 150.0), (7.5, 8.2, 95.0), (0.0, 5.0, 150.0),
                                        (4.0, 0.0, 0.0), (4.0, 0.0005, 0.0002)])
def test_ittc78_bit_identical_to_single_points(conditions):
    for pd, ear, z in PROPELLERS[::7]:
        assert_equal_to_points(B, J_GRID, np.float32(pd), np.float32(ear), np.float32(z),
                               conditions)


def test_parameters_varying_per_point_are_bit_identical():
    rng = np.random.default_rng(7)
    n = 3000
    J = rng.uniform(-0.1, 1.6, n).astype(np.float32)
    # Runs of equal propellers of random length, as a sweep over a family gives them.
    pd = np.repeat(rng.uniform(0.5, 1.4, 60), 50).astype(np.float32)[:n]
    ear = np.repeat(rng.choice([0.4, 0.55, 0.7], 300), 10).astype(np.float32)[:n]
    z = rng.choice(np.float32([3, 4, 5]), n)
    D = rng.choice(np.float32([0.0, 3.0, 6.0]), n)
    for series in (B, G, K):
        for ittc78 in (None, (D, np.float32(6.0), np.float32(120.0)), (4.0, 6.0, 120.0)):
            r = tidewerk.open_water(series, J, pd, ear, z, ittc78)
            for i in range(0, n, 37):
                point = None if ittc78 is None else tuple(
                    float(np.broadcast_to(c, (n,))[i]) for c in ittc78)
                want = tidewerk._evaluate_point(series, J[i], pd[i], ear[i], z[i], point)
                got = (r.J[i], r.z[i], r.Kt[i], r.Kq[i], r.eta0[i])
                assert np.array_equal(bits(got), bits(want)), (series, i, ittc78)


def test_inputs_broadcast_like_numpy():
    J = np.linspace(0.1, 1.2, 12).reshape(12, 1)
    pd = np.array([[0.6, 0.9, 1.2]])
    r = tidewerk.open_water(B, J, pd, 0.7, 4)
    assert r.Kt.shape == (12, 3) and r.Kt.dtype == np.float32 and len(r) == 36
    for c in range(3):
        column = tidewerk.open_water(B, J[:, 0], pd[0, c], 0.7, 4)
        assert np.array_equal(bits(r.Kt[:, c]), bits(column.Kt))
        assert np.array_equal(bits(r.eta0[:, c]), bits(column.eta0))


def test_reals_are_rounded_to_float32_once():
    J64 = np.linspace(0.05, 1.3, 257)  # float64, as a caller usually has them
    a = tidewerk.open_water(B, J64, 1.1, 0.6, 5)
    b = tidewerk.open_water(B, J64.astype(np.float32), np.float32(1.1), np.float32(0.6), 5)
    assert np.array_equal(bits(a.Kt), bits(b.Kt)) and np.array_equal(bits(a.J), bits(b.J))
    ints = tidewerk.open_water(B, [0, 1], 1, 1, 4)
    assert ints.J.tolist() == [np.float32(0.001), 1.0]


def test_strided_and_fortran_ordered_inputs():
    J = np.linspace(0.0, 1.5, 400, dtype=np.float32)
    strided = tidewerk.open_water(G, J[::3], 1.0, 0.7, 3)
    copied = tidewerk.open_water(G, J[::3].copy(), 1.0, 0.7, 3)
    assert np.array_equal(bits(strided.Kq), bits(copied.Kq))
    grid = np.asfortranarray(J.reshape(20, 20))
    r = tidewerk.open_water(K, grid, 1.0, 0.7, 4)
    assert np.array_equal(bits(r.Kt), bits(tidewerk.open_water(K, J, 1.0, 0.7, 4).Kt.reshape(20, 20)))


def test_scalar_and_empty_inputs_keep_their_shape():
    r = tidewerk.open_water(B, 0.5, 1.0, 0.7, 4)
    assert r.Kt.shape == () and r.Kt.dtype == np.float32
    empty = tidewerk.open_water(K, [], 1.0, 0.7, 4)
    assert empty.Kt.shape == (0,) and len(empty) == 0 and not empty.ittc78
    assert tidewerk.open_water(B, np.zeros((0, 3)), 1.0, 0.7, 4).Kq.shape == (0, 3)


def test_used_j_and_blade_numbers():
    r = tidewerk.open_water(B, [0.0, 0.0005, -0.0005, 0.5], 1.0, 0.7, 4.5)
    assert r.J.tolist() == [np.float32(0.001), np.float32(0.001), np.float32(0.001), 0.5]
    assert r.z.tolist() == [4.5] * 4  # Wageningen B takes Z as given
    assert tidewerk.open_water(G, 0.5, 1.0, 0.7, [2, 3.005, 3.02, 6]).z.tolist() == [
        3, np.float32(3.005), 3, 3]  # within 0.01 of 3 Z stays
    assert tidewerk.open_water(K, 0.5, 1.0, 0.7, [2, 3, 4, 5, 6]).z.tolist() == [3, 3, 4, 5, 5]
    assert tidewerk.blade_number_used(G, 4) == 3 and tidewerk.blade_number_used(K, 7) == 5


def test_ittc78_only_where_the_series_takes_it():
    for series in (G, K):
        r = tidewerk.open_water(series, [0.4, 0.7], 1.0, 0.7, 4, ittc78=(4, 5, 150))
        plain = tidewerk.open_water(series, [0.4, 0.7], 1.0, 0.7, 4)
        assert not r.ittc78 and np.array_equal(bits(r.Kt), bits(plain.Kt))
    idle = tidewerk.open_water(B, 0.5, 1.0, 0.7, 4, ittc78=(4, 0, 0))
    assert not idle.ittc78
    mixed = tidewerk.open_water(B, 0.5, 1.0, 0.7, 4, ittc78=(4, [5, 0], [150, 0]))
    assert not mixed.ittc78  # applied at one point of two
    assert float(mixed.Kt[0]) != float(mixed.Kt[1])


def test_series_info():
    b, g, k = (tidewerk.series_info(s) for s in (1, G, 3))
    assert (b.name, g.name, k.name) == ("Wageningen B", "Gawn", "KCA")
    assert (b.series, g.series, k.series) == (B, G, K)
    assert np.float32(b.ear_min) == np.float32(0.3) and np.float32(b.ear_max) == np.float32(1.0501)
    assert np.float32(g.ear_min) == np.float32(0.201) and np.float32(k.ear_min) == np.float32(0.501)
    assert np.float32(b.pd_min) == np.float32(0.5) and 1.4 < b.pd_max < 1.41
    assert np.float32(k.pd_min) == np.float32(0.6) and 2.0 < g.pd_max < 2.01
    assert (b.ittc78, g.ittc78, k.ittc78) == (True, False, False)
    assert b.blade_rule == tidewerk.BladeNumberRule.AS_GIVEN
    assert g.blade_rule == tidewerk.BladeNumberRule.THREE_BLADES
    assert k.blade_rule == tidewerk.BladeNumberRule.THREE_TO_FIVE
    assert [(i.z_min, i.z_max) for i in (b, g, k)] == [(2, 7), (3, 3), (3, 5)]
    assert (b.bollard_pull, g.bollard_pull, k.bollard_pull) == (True, False, True)
    assert "Wageningen B" in repr(b)


def test_the_interpreter_runs_on_while_a_large_grid_is_evaluated():
    J = np.linspace(0.0, 1.5, 6_000_000, dtype=np.float32)
    call = []

    def evaluate():
        start = time.perf_counter()
        tidewerk.open_water(B, J, 1.0, 0.7, 4, ittc78=(4, 5, 150))
        call.extend((start, time.perf_counter()))

    worker = threading.Thread(target=evaluate)
    ticks = []
    worker.start()
    while worker.is_alive():
        ticks.append(time.perf_counter())
    worker.join()
    # Holding the lock through the evaluation would stop this loop for nearly all of the call:
    # no tick would fall in its middle half.
    start, end = call
    quarter = (end - start) / 4
    assert any(start + quarter < t < end - quarter for t in ticks), (end - start, len(ticks))


@pytest.mark.parametrize("series, J, pd, ear, z, named", [
    (B, 0.5, 5.0, 0.7, 4, "P/D outside 0.50 to 1.40 at 1 point (the first 5.000)"),
    (B, 0.5, 1.0, 1.5, 4, "EAR outside 0.30 to 1.05"),
    (G, 0.5, 1.0, 0.7, [3, 4, 5], "Z outside 3.00 to 3.00 at 2 points (the first 4.000)"),
    (K, [-0.2, 0.5, 1.6], 1.0, 0.7, 4, "J below 0 or beyond zero thrust (Kt < 0) at 2 points"),
])
def test_points_outside_the_series_warn_once_or_raise_when_strict(series, J, pd, ear, z, named):
    with pytest.warns(tidewerk.RangeWarning) as caught:
        r = tidewerk.open_water(series, J, pd, ear, z)
    assert len(caught) == 1
    assert named in str(caught[0].message)
    with pytest.raises(ValueError, match="extrapolated"):
        tidewerk.open_water(series, J, pd, ear, z, strict=True)
    # The values are those of the plain evaluation all the same.
    first = tidewerk._evaluate_point(series, float(np.ravel(J)[0]), pd, ear, float(np.ravel(z)[0]))
    assert bits(np.ravel(r.Kt)[0]) == bits(first[2])


def test_points_inside_the_series_give_no_warning():
    import warnings
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        tidewerk.open_water(B, np.linspace(0.0, 0.8, 9), 1.0, 0.7, 4, strict=True)
        tidewerk.open_water(G, 0.5, 1.2, 0.7, 3)


def test_threads_give_the_values_and_order_of_one_thread():
    # A million points and more go to every hardware thread by default; any count gives the
    # same bits, with propellers changing across the parts' boundaries.
    n = 1_200_003
    J = np.linspace(-0.1, 1.6, n, dtype=np.float32)
    pd = np.repeat(np.float32([0.6, 1.0, 1.3]), n // 3)
    one = tidewerk.open_water(B, J, pd, 0.7, 4, ittc78=(4.0, 5.0, 150.0), threads=1)
    for threads in (None, 2, 3, 7):
        r = tidewerk.open_water(B, J, pd, 0.7, 4, ittc78=(4.0, 5.0, 150.0), threads=threads)
        assert r.ittc78 == one.ittc78
        for name in ("J", "z", "Kt", "Kq", "eta0"):
            assert np.array_equal(bits(getattr(r, name)), bits(getattr(one, name))), (threads, name)
    small = tidewerk.open_water(K, J[:1000], 1.0, 0.7, 4, threads=4)
    assert np.array_equal(bits(small.Kt), bits(tidewerk.open_water(K, J[:1000], 1.0, 0.7, 4).Kt))


@pytest.mark.parametrize("threads, error", [(0, ValueError), (-2, ValueError),
                                            (1.5, TypeError), ("2", TypeError), (True, TypeError)])
def test_threads_must_be_a_whole_number_from_one(threads, error):
    with pytest.raises(error, match="threads"):
        tidewerk.open_water(B, 0.5, 1.0, 0.7, 4, threads=threads)


def test_an_unknown_instruction_set_is_refused_at_import():
    env = dict(os.environ, TIDEWERK_ISA="sse9")
    done = subprocess.run([sys.executable, "-c", "import tidewerk"], env=env,
                          capture_output=True, text=True)
    assert done.returncode != 0
    assert "ImportError: TIDEWERK_ISA=sse9: unknown instruction set" in done.stderr
    env["TIDEWERK_ISA"] = "baseline"
    done = subprocess.run([sys.executable, "-c", "import tidewerk; print(tidewerk.open_water("
                           "1, 0.5, 1.0, 0.7, 4).Kt)"], env=env, capture_output=True, text=True)
    assert done.returncode == 0 and done.stdout.strip() == str(
        tidewerk.open_water(B, 0.5, 1.0, 0.7, 4).Kt)
