"""tidewerk.resistance and tidewerk.propulsion_factors: the 1982 worked example of Holtrop and
Mennen through the module, arrays of speeds, and the errors that name the input."""

import numpy as np
import pytest

import tidewerk

# The 1982 example hull: L 205 m, B 32 m, T 10 m, 37 500 m3, bulb and transom; S and iE estimated.
EXAMPLE_1982 = dict(L=205, B=32, TF=10, TA=10, volume=37500, lcb=-0.75, CM=0.98, CWP=0.75,
                    ABT=20, hB=4, AT=16, SAPP=50, one_plus_k2=1.5, Cstern=10)


def test_anchor_a_row_at_25_knots():
    r = tidewerk.resistance(EXAMPLE_1982, 25, method="holtrop-mennen-1982")
    assert r["RT"].shape == ()
    published_kN = dict(RF=(869.63, 0.05), RAPP=(8.83, 0.2), RW=(557.11, 0.1),
                        RA=(221.98, 0.1), RT=(1793.26, 0.05))
    for name, (value, percent) in published_kN.items():
        assert float(r[name]) / 1000 == pytest.approx(value, rel=percent / 100), name
    assert float(r["RB"]) / 1000 == pytest.approx(0.049, abs=0.0005)
    assert float(r["RTR"]) == 0
    assert float(r["S"]) == pytest.approx(7381.45, abs=0.01)
    assert float(r["form_factor"]) == pytest.approx(1.156, abs=5e-4)
    assert float(r["PE"]) == pytest.approx(float(r["RT"]) * 25 * 1852 / 3600)
    hull_only = tidewerk.resistance(EXAMPLE_1982, 25, method="holtrop-mennen-1982",
                                    correlation_area="hull")
    assert float(hull_only["RT"]) / 1000 == pytest.approx(1793.26, rel=0.001)
    assert float(hull_only["RT"]) < float(r["RT"])


def test_arrays_of_speeds_keep_their_shape_and_match_single_speeds():
    speeds = np.array([[0.0, 10.0], [20.0, 25.0]])
    r = tidewerk.resistance(EXAMPLE_1982, speeds)
    assert sorted(r) == sorted(["V", "Fn", "Rn", "CF", "CA", "S", "iE", "form_factor", "RF",
                                "RAPP", "RW", "RB", "RTR", "RA", "RT", "PE"])
    assert r["RT"].shape == (2, 2) and r["RT"].dtype == np.float64
    assert r["RT"][0, 0] == 0
    assert r["RT"][1, 1] == float(tidewerk.resistance(EXAMPLE_1982, 25)["RT"])


def test_propulsion_factors_of_the_example_hull():
    single = tidewerk.propulsion_factors(EXAMPLE_1982, 25, 1, 8.0, 0.7, None,
                                         method="holtrop-mennen-1982")
    assert [float(x) for x in single] == pytest.approx([0.2740, 0.1984, 0.9954], abs=1e-4)
    twin = tidewerk.propulsion_factors(EXAMPLE_1982, [25, 25], "twin", 5.5, None, 1.0,
                                       method="holtrop-mennen-1982")
    assert twin.w == pytest.approx([0.1174] * 2, abs=1e-4)
    assert twin.etaR == pytest.approx([0.9771] * 2, abs=1e-4)


@pytest.mark.parametrize("call, error, words", [
    (lambda: tidewerk.resistance({**EXAMPLE_1982, "B": -32}, 25), ValueError,
     "B (moulded breadth) = -32 m"),
    (lambda: tidewerk.resistance({**EXAMPLE_1982, "CM": 1.5}, 25), ValueError, "CM"),
    (lambda: tidewerk.resistance({k: v for k, v in EXAMPLE_1982.items() if k != "L"}, 25),
     ValueError, "hull['L'] is missing"),
    (lambda: tidewerk.resistance({**EXAMPLE_1982, "Lpp": 200}, 25), ValueError, "'Lpp'"),
    (lambda: tidewerk.resistance(EXAMPLE_1982, -1), ValueError, "speed_knots = -1.0"),
    (lambda: tidewerk.resistance(EXAMPLE_1982, [10, float("nan")]), ValueError, "speed_knots"),
    (lambda: tidewerk.resistance(EXAMPLE_1982, 25, method="holtrop"), ValueError,
     "method 'holtrop' is unknown"),
    (lambda: tidewerk.resistance(EXAMPLE_1982, 25, correlation_area="S"), ValueError,
     "correlation_area"),
    (lambda: tidewerk.resistance(EXAMPLE_1982, 25, water={"rho": 0}), ValueError, "rho"),
    (lambda: tidewerk.resistance({**EXAMPLE_1982, "B": "32"}, 25), TypeError, "hull['B']"),
    (lambda: tidewerk.propulsion_factors(EXAMPLE_1982, 25, 3, 8, 0.7, 1), ValueError, "screws"),
    (lambda: tidewerk.propulsion_factors(EXAMPLE_1982, 25, 1, 0, 0.7, 1), ValueError,
     "D (propeller diameter) = 0 m"),
    (lambda: tidewerk.propulsion_factors(EXAMPLE_1982, 25, 1, 8, None, 1), ValueError, "EAR"),
])
def test_errors_name_the_input(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)
