"""The rows of split rendering in bench/run's table, from the results of
bench/capture/run-split, and the table that predicts a render on 1, 4 and 16
machines from them."""
import glob
import json
import os

from stats import median_figure, quartiles

# The demo the prediction is for: four minutes at 1920 x 1080 and 60 fps.
PREDICTED_FRAMES = 4 * 60 * 60
MACHINES = (1, 4, 16)


def takes(results, name):
    found = []
    for path in sorted(glob.glob(os.path.join(results, "split_%s_*.json" % name))):
        try:
            with open(path) as f:
                found.append(json.load(f)["benchmarks"][0])
        except (OSError, ValueError, KeyError, IndexError):
            pass
    return found


def middle(values):
    return quartiles(values)[1]


def spread(values, form):
    q1, m, q3 = quartiles(values)
    return "%s [%s-%s]" % (form % m, form % q1, form % q3)


def rows(results, Row):
    whole = [t["fps"] for t in takes(results, "whole")]
    draw = [t["fps"] for t in takes(results, "draw")]
    encode = [t["fps"] for t in takes(results, "encode")]
    jobs = takes(results, "jobs2")
    start = [t["seconds"] for t in takes(results, "start")]
    made = []
    label = "Capture at 1920 x 1080, 60 fps, beside its own limits (5 s of the demo)"
    if whole and draw and encode:
        slower = min(middle(draw), middle(encode))
        # Where drawing and encoding each keep every core busy, they cannot
        # overlap: a frame then costs the two times added.
        added = 1.0 / (1.0 / middle(draw) + 1.0 / middle(encode))
        made.append(Row(label, spread(whole, "%.1f") + " fps",
                        "drawing alone %s fps, encoding alone %s fps" %
                        (spread(draw, "%.1f"), spread(encode, "%.1f")),
                        "%.0f%% of the slower (goal: at least 90%%); %.0f%% of the two "
                        "costs added" % (100 * middle(whole) / slower, 100 * middle(whole) / added),
                        {"capture_limits_percent":
                         median_figure([100 * w / slower for w in whole], "%", "higher")}))
    else:
        made.append(Row(label))
    label = "Split render, --jobs 2: two halves side by side on this machine, then joined"
    if whole and jobs:
        rate = [t["fps"] for t in jobs]
        made.append(Row(label, spread(rate, "%.1f") + " fps",
                        "whole capture: %s fps" % spread(whole, "%.1f"),
                        "%.2fx the whole capture" % (middle(rate) / middle(whole)),
                        {"split_jobs2_fps": median_figure(rate, "fps", "higher")}))
    else:
        made.append(Row(label))
    label = "Join of 300 frames: the picture copied, the music encoded once"
    if jobs and start:
        join = [t["join_seconds"] for t in jobs]
        made.append(Row(label, spread(join, "%.2f") + " s",
                        "a task of one frame, start to end: %s s" % spread(start, "%.2f"),
                        "%.0f frames per second" % (jobs[0]["frames"] / middle(join)),
                        {"split_join_seconds": median_figure(join, "s", "lower")}))
    else:
        made.append(Row(label))
    return made


def prediction(results):
    """Markdown: the time to render the four-minute demo on 1, 4 and 16
    machines like this one, and what that assumes."""
    whole = [t["fps"] for t in takes(results, "whole")]
    jobs = takes(results, "jobs2")
    start = [t["seconds"] for t in takes(results, "start")]
    if not (whole and jobs and start):
        return ""
    frames = jobs[0]["frames"]
    begin = middle(start)
    per_frame = max(frames / middle(whole) - begin, 0.0) / frames
    join_per_frame = middle([t["join_seconds"] for t in jobs]) / frames
    megabytes = middle([t["bytes"] for t in jobs]) / frames * PREDICTED_FRAMES / 1e6
    lines = ["| Machines | Segments | Rendering (slowest segment) | Join | In all | Against one |",
             "|---|---|---|---|---|---|"]
    one = begin + PREDICTED_FRAMES * per_frame
    for machines in MACHINES:
        render = begin + PREDICTED_FRAMES / machines * per_frame
        join = 0.0 if machines == 1 else PREDICTED_FRAMES * join_per_frame
        lines.append("| %d | %s | %.1f min | %s | %.1f min | %.2fx |" % (
            machines, "none (one whole capture)" if machines == 1 else str(machines),
            render / 60, "none" if machines == 1 else "%.1f min" % (join / 60),
            (render + join) / 60, one / (render + join)))
    return """
## Rendering on many machines

A four-minute demo at 1920 x 1080 and 60 fps ({frames} frames), predicted from
the figures above:

{table}

How: a machine's task takes the start and end of a one-frame segment
({begin:.2f} s) plus {per_frame:.1f} ms per frame, the whole capture's time per
frame once that start is taken off; the join takes {join:.2f} ms per frame (its
300-frame time scaled, so its own start is counted many times over: an upper
bound). It assumes machines like this one, each rendering one segment alone
(no other work on it); segments of equal length (the demo's frames cost about
the same throughout); the scheduler starting every task at once (a Slurm
cluster with free nodes starts them within seconds, not counted); and a
shared folder fast enough for the segments, about {megabytes:.0f} MB in all at
the default quality, which the join reads once (under 10 s at 1 Gbit/s).
""".format(frames=PREDICTED_FRAMES, table="\n".join(lines), begin=begin,
           per_frame=per_frame * 1000, join=join_per_frame * 1000, megabytes=megabytes)


NOTES = """\
- Split rendering (`bench/capture/run-split`): at 1920 x 1080 and 60 fps, five
  seconds of the demo (300 frames), three takes of each: the whole capture;
  the same frames drawn and read back with nothing written
  (`OMBREL_CAPTURE_OUTPUT=none`); the same frames encoded alone by the
  capture's writer through its queue (`capture_encode_bench`, two seconds of
  the demo's frames used in turn); two halves rendered side by side with
  `--frames` and joined with `--join`, as `render-video --jobs 2` does without
  its build check (the rate counts from the first start to the join's end);
  and a one-frame segment, for the start and end of a task. The software
  renderer and x264 each keep every core busy, so on a machine without a
  graphics card the drawing and the encoding cannot overlap: the whole
  capture's limit there is the two costs added, 1 / (1 / drawing + 1 /
  encoding), which the row also gives.
"""
