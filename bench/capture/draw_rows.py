"""The rows of the capture's speed in bench/run's table, through EGL beside
the same on Xvfb, from the results of bench/capture/run-draw. Run alone
(draw_rows.py RESULTS) it prints them."""
import glob
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from stats import median_figure, quartiles  # noqa: E402

# Each size with its goal against real time (60 fps), if it has one.
SIZES = (("640x480", 2.0), ("1280x720", 1.0), ("1920x1080", None))


def rates(results, name):
    """The frames per second of each take of `name`, in take order."""
    found = []
    for path in sorted(glob.glob(os.path.join(results, name + "_[0-9].json"))):
        try:
            with open(path) as f:
                found.append(json.load(f)["benchmarks"][0]["fps"])
        except (OSError, ValueError, KeyError, IndexError):
            pass
    return found


def spread(values):
    q1, middle, q3 = quartiles(values)
    return "%.1f [%.1f-%.1f]" % (middle, q1, q3)


def beside(label, name, egl, xvfb, goal, Row):
    """A row of EGL against Xvfb: the ratio is the median of the takes'
    ratios, each EGL take against the Xvfb take just after it."""
    if not egl or len(egl) != len(xvfb):
        return Row(label)
    ratios = [e / x for e, x in zip(egl, xvfb)]
    real_time = quartiles(egl)[1] / 60.0
    goal_text = " (goal: at least %gx)" % goal if goal else ""
    return Row(label, spread(egl) + " fps", "on Xvfb: %s fps" % spread(xvfb),
               "%.2fx Xvfb's (goal: at least 1x); %.2fx real time%s"
               % (quartiles(ratios)[1], real_time, goal_text),
               {name + "_fps": median_figure(egl, "fps", "higher"),
                name + "_xvfb_fps": median_figure(xvfb, "fps", "higher"),
                name + "_egl_over_xvfb": median_figure(ratios, "x", "higher")})


def rows(results, Row):
    made = []
    for size, goal in SIZES:
        made.append(beside("Capture to H.264 and AAC in MP4, %s at 60 fps, through EGL"
                           % size.replace("x", " x "), "capture_" + size,
                           rates(results, "capture_" + size),
                           rates(results, "capture_xvfb_" + size), goal, Row))
    made.append(beside("Capture at 1920 x 1080 drawn and read back alone, through EGL",
                       "capture_draw_1920x1080", rates(results, "capture_draw_egl"),
                       rates(results, "capture_draw_xvfb"), None, Row))
    try:
        with open(os.path.join(results, "capture_renderer.json")) as f:
            ways = json.load(f)
    except (OSError, ValueError):
        ways = {}
    label = "The capture's renderer (its first line)"
    if ways.get("egl") and ways.get("xvfb"):
        same = ways["egl"].split(" on ")[0] == ways["xvfb"].split(" on ")[0]
        made.append(Row(label, ways["egl"], "on Xvfb: " + ways["xvfb"],
                        "the same renderer both ways" if same else "another renderer than Xvfb's"))
    else:
        made.append(Row(label))
    return made


class PrintedRow:
    def __init__(self, measure, result="n/a", reference="n/a", ratio="n/a", figures=None):
        self.cells = (measure, result, reference, ratio)


if __name__ == "__main__":
    for row in rows(sys.argv[1], PrintedRow):
        print("%s\n    %s\n    %s\n    %s" % row.cells)
