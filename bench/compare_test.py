"""The comparison of two bench/run results and the statistics behind it."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare import regressions  # noqa: E402
from stats import figure, median_figure, quantile  # noqa: E402


class Statistics(unittest.TestCase):
    def test_quantiles_interpolate_and_ignore_order(self):
        self.assertEqual(quantile([4, 1, 3, 2], 0.5), 2.5)
        self.assertEqual(quantile([10], 0.99), 10)
        self.assertAlmostEqual(quantile(range(101), 0.99), 99.0)
        spread = median_figure([1, 2, 3, 4, 100], "ms", "lower")
        self.assertEqual((spread["value"], spread["spread"]), (3, 2))


class Comparison(unittest.TestCase):
    def test_worse_beyond_the_larger_spread_in_either_direction(self):
        earlier = {"fps": figure(100, 5, "fps", "higher"), "ms": figure(10, 1, "ms", "lower"),
                   "gone": figure(1, 0, "", "lower")}
        self.assertEqual(regressions(earlier, {"fps": figure(96, 2, "fps", "higher"),
                                               "ms": figure(8, 0, "ms", "lower"),
                                               "new": figure(9, 0, "", "lower")}), [])
        found = regressions(earlier, {"fps": figure(94, 2, "fps", "higher"),
                                      "ms": figure(11.5, 0.2, "ms", "lower")})
        self.assertEqual([f.split(":")[0] for f in found], ["fps", "ms"])

    def test_a_zero_spread_makes_any_worsening_count(self):
        earlier = {"allocations": figure(0, 0, "per frame", "lower")}
        self.assertEqual(len(regressions(earlier, {"allocations": figure(0.5, 0, "", "lower")})), 1)
        self.assertEqual(regressions(earlier, {"allocations": figure(0, 0, "", "lower")}), [])


if __name__ == "__main__":
    unittest.main()
