"""Makes the one table of bench/run from the benchmarks' JSON results and the
real program's sessions, and keeps its figures in a JSON file beside it.

    table.py <results folder> <markdown file> <json file> <processor> <cores>
             [--compare <earlier json file>]

Each row maker below reads its results and returns its rows: the measure,
the result, the reference it is set against, the ratio or goal, and the
figures it adds to the JSON file. A new measure is one more maker in
ROW_MAKERS. With --compare, the exit status is 1 when a figure is worse than
in the earlier file by more than its measured spread.
"""
import datetime
import glob
import json
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "program"))
sys.path.insert(0, os.path.join(HERE, "capture"))
import compare  # noqa: E402
import draw_rows  # noqa: E402
import split_rows  # noqa: E402
import figures as program  # noqa: E402
from stats import figure, median_figure, quartiles  # noqa: E402

NA = "n/a"


class Row:
    def __init__(self, measure, result=NA, reference=NA, ratio=NA, figures=None):
        self.cells = (measure, result, reference, ratio)
        self.figures = figures or {}
        self.failed = result == NA


def spread_text(values, form):
    """The median of `values` with its interquartile range: "12.3 [11.9-12.8]"."""
    q1, middle, q3 = quartiles(values)
    return "%s [%s-%s]" % (form % middle, form % q1, form % q3)


def runs(results, name, prefix):
    """Every run (each repetition) of the benchmark `prefix` in result `name`."""
    try:
        with open(os.path.join(results, name + ".json")) as f:
            benchmarks = json.load(f)["benchmarks"]
    except (OSError, ValueError, KeyError):
        return []
    return [b for b in benchmarks if b["name"].startswith(prefix) and not b.get("error_occurred")
            and b.get("run_type", "iteration") == "iteration"]


def seconds(benchmark, key="cpu_time"):
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[benchmark.get("time_unit", "ns")]
    return benchmark[key] * unit


def host_overhead(results):
    host = runs(results, "frame_overhead", "BM_HostFrame")
    bare = runs(results, "frame_overhead", "BM_BareFrame")
    if not host or not bare:
        return [Row("Host work per frame")]
    host_ns = [seconds(b) * 1e9 for b in host]
    bare_ns = [seconds(b) * 1e9 for b in bare]
    ratio = quartiles(host_ns)[1] / quartiles(bare_ns)[1]
    new = max(b["new_per_frame"] for b in host)
    malloc = max(b["malloc_per_frame"] for b in host)
    return [
        Row("Host work per frame: timer, time store, 5 bindings, 2 runs of no-op plugins",
            spread_text(host_ns, "%.1f") + " ns",
            "bare loop, same clock and 2 virtual calls: %s ns" % spread_text(bare_ns, "%.1f"),
            "%.2fx (goal: at most 1.2x)" % ratio,
            {"host_frame_ns": median_figure(host_ns, "ns", "lower"),
             "host_frame_bare_ns": median_figure(bare_ns, "ns", "lower")}),
        Row("Allocations per frame of the host's work",
            "%g new, %g malloc" % (new, malloc),
            "bare loop: %g new, %g malloc" % (max(b["new_per_frame"] for b in bare),
                                              max(b["malloc_per_frame"] for b in bare)),
            "goal: 0",
            {"host_frame_allocations": figure(new + malloc, 0, "per frame", "lower")}),
    ]


def lexer(results):
    rows = []
    rates = {}
    for size in (1, 10):
        found = [b["bytes_per_second"] / 1e6 for b in
                 runs(results, "lexer", "BM_LexerSignatureText/%d" % size)
                 if b["name"].split("/")[1] == str(size)]
        if not found:
            rows.append(Row("Lexer throughput, %d MB" % size))
            continue
        rates[size] = quartiles(found)[1]
        capacity = runs(results, "lexer", "BM_LexerSignatureText/%d" % size)[0]
        rows.append(Row("Lexer throughput, %d MB of signature text" % size,
                        spread_text(found, "%.1f") + " MB/s",
                        "look-ahead buffer capacity: %d" % capacity["lookahead_capacity"],
                        "%.2f of the 1 MB rate" % (rates[size] / rates[1]) if 1 in rates else "",
                        {"lexer_%dmb_mb_per_s" % size: median_figure(found, "MB/s", "higher")}))
    return rows


def frame_rate_pairs(results):
    """The rounds of the frame-rate benchmark: {"demo": run, "bare": run} each."""
    rounds = {}
    processes = sorted(os.path.basename(name)[:-len(".json")]
                       for name in glob.glob(os.path.join(results, "frame_rate*.json")))
    for process in processes:
        for b in runs(results, process, "BM_"):
            side = "demo" if b["name"].startswith("BM_DemoFrameLoop") else "bare"
            rounds.setdefault((process, b["name"].split("/")[1]), {})[side] = b
    return [dict(r, process=key[0]) for key, r in rounds.items() if len(r) == 2]


def frame_rate(results):
    """The demo's frame loop and the bare loop, alternating in short rounds."""
    pairs = frame_rate_pairs(results)
    if not pairs:
        return [Row("Demo frame rate, 640 x 480")]
    demo = [r["demo"] for r in pairs]
    bare = [r["bare"] for r in pairs]
    ratios = [100.0 * r["demo"]["fps"] / r["bare"]["fps"] for r in pairs]
    cpu_ratios = [r["demo"]["cpu_time"] / r["bare"]["cpu_time"] for r in pairs]

    def values(found, key):
        return [b[key] for b in found]

    def ms(found, key):
        return [seconds(b, key) * 1000 for b in found]

    figures = {"demo_fps": median_figure(values(demo, "fps"), "fps", "higher"),
               "demo_bare_fps": median_figure(values(bare, "fps"), "fps", "higher"),
               "demo_percent_of_bare": median_figure(ratios, "%", "higher"),
               "demo_cpu_per_bare_cpu": median_figure(cpu_ratios, "x", "lower")}
    times = {}
    for side, found in (("demo", demo), ("demo_bare", bare)):
        for key, clock in (("real_time", "wall"), ("cpu_time", "cpu")):
            name = "%s_%s_ms_per_frame" % (side, clock)
            times[name] = ms(found, key)
            figures[name] = median_figure(times[name], "ms", "lower")
    allocations = {"new": values(demo, "new_per_frame"), "malloc": values(demo, "malloc_per_frame")}
    return [
        Row("Demo frame rate, 640 x 480, Xvfb, Mesa software renderer "
            "(%d rounds in %d processes)" % (len(pairs), len({r["process"] for r in pairs})),
            spread_text(values(demo, "fps"), "%.1f") + " fps",
            "bare SDL2 loop drawing the same scene: %s fps" % spread_text(values(bare, "fps"),
                                                                          "%.1f"),
            "%s%% (goal: at least 99%%)" % spread_text(ratios, "%.1f"),
            figures),
        Row("Time per demo frame: wall clock, and CPU of all the process's threads",
            "%s ms wall, %s ms CPU" % (spread_text(times["demo_wall_ms_per_frame"], "%.2f"),
                                       spread_text(times["demo_cpu_ms_per_frame"], "%.2f")),
            "bare SDL2 loop: %s ms wall, %s ms CPU"
            % (spread_text(times["demo_bare_wall_ms_per_frame"], "%.2f"),
               spread_text(times["demo_bare_cpu_ms_per_frame"], "%.2f")),
            "CPU %sx" % spread_text(cpu_ratios, "%.2f")),
        Row("Allocations per demo frame on its thread, window system and GL driver included",
            "%.2f new, %.1f malloc" % (quartiles(allocations["new"])[1],
                                       quartiles(allocations["malloc"])[1]),
            "bare SDL2 loop: %.2f new, %.1f malloc"
            % (quartiles(values(bare, "new_per_frame"))[1],
               quartiles(values(bare, "malloc_per_frame"))[1]), "",
            {"demo_malloc_per_frame": median_figure(allocations["malloc"], "per frame", "lower")}),
    ]


def frame_times(folder, sessions, rate_pairs):
    """The real program's frame times against the bare loop's, from rounds
    that ran in turns in the same window size under the same probe, set
    beside the in-process frame rates: the two rows measure the same ratio."""
    title = "Frame times, real program and bare SDL2 loop in turns (seconds 5 to 20 of each)"
    program_side, bare_side = [], []
    for name in sorted(n for n in sessions if n.startswith("frames-")):
        try:
            bare = program.read_probe(os.path.join(folder, "bare-" + name[7:], "probe.txt"))
        except (OSError, ValueError):
            continue
        record = sessions[name]
        found = program.frame_statistics(record["swaps"], record["timer_zero"] + 5 * program.SECOND,
                                          seconds=15)
        bare_found = len(bare["swaps"]) > 1 and program.frame_statistics(
            bare["swaps"], bare["swaps"][0] + 5 * program.SECOND, seconds=15)
        if found and bare_found:
            program_side.append(found)
            bare_side.append(bare_found)
    if not program_side:
        return Row(title)

    def text(found):
        return "median %s ms, 99th %s ms" % (
            spread_text([f["median"][0] for f in found], "%.2f"),
            spread_text([f["p99"][0] for f in found], "%.2f"))
    # The program's share of the bare loop's speed, round by round.
    shares = [100.0 * b["median"][0] / p["median"][0] for p, b in zip(program_side, bare_side)]
    q1, share, q3 = quartiles(shares)
    agreement = ""
    if rate_pairs:
        rates = [100.0 * r["demo"]["fps"] / r["bare"]["fps"] for r in rate_pairs]
        r1, rate, r3 = quartiles(rates)
        overlap = q1 <= r3 and r1 <= q3
        agreement = "; in-process frame rate: %.1f%% [%.1f-%.1f]: %s" % (
            rate, r1, r3, "they agree" if overlap else
            "they differ: the real program carries what the in-process loop does not "
            "(its own process, the probe's audio clock, the setup dialog's settings)")
    medians = [f["median"][0] for f in program_side]
    p99 = [f["p99"][0] for f in program_side]
    return Row("%s, %d rounds" % (title, len(program_side)), text(program_side),
               "bare SDL2 loop: " + text(bare_side),
               "bare / program: %.1f%% [%.1f-%.1f]%s; 99th / median: %.2f (goal: at most 1.5)"
               % (share, q1, q3, agreement, quartiles(p99)[1] / quartiles(medians)[1]),
               {"program_frame_median_ms": median_figure(medians, "ms", "lower"),
                "program_frame_p99_ms": median_figure(p99, "ms", "lower"),
                "program_percent_of_bare": median_figure(shares, "%", "higher")})


def program_rows(results):
    """The real program, driven on the display with the probe preloaded."""
    folder = os.path.join(results, "program")
    sessions = {os.path.basename(p): program.read_session(p)
                for p in sorted(glob.glob(os.path.join(folder, "*")))
                if not os.path.basename(p).startswith("bare")}
    sessions = {name: record for name, record in sessions.items() if record}
    long = sessions.get("long")
    rows = [frame_times(folder, sessions, frame_rate_pairs(results))]

    def timed(title, measure, names, name, goal=""):
        found = [measure(r) for n, r in sessions.items() if n.startswith(names)]
        found = [v for v in found if v is not None]
        if not found:
            rows.append(Row(title))
            return
        rows.append(Row(title, spread_text(found, "%.0f") + " ms", "%d sessions" % len(found), goal,
                        {name: median_figure(found, "ms", "lower")}))

    timed("From OK on the setup dialog to the first frame presented", program.first_frame_ms,
          ("long", "escape", "close"), "program_first_frame_ms")
    timed("From Escape to the process's end", program.exit_ms, ("escape",),
          "program_escape_exit_ms", "goal: under 100 ms")
    timed("From the close button to the process's end", program.exit_ms, ("close",),
          "program_close_exit_ms")

    peaks = [r["peak_rss_kb"] / 1024.0 for r in sessions.values()]
    if long and peaks:
        q1, _, q3 = quartiles(peaks)
        rows.append(Row("Peak resident memory of the demo (62 s of play)",
                        "%.0f MB" % (long["peak_rss_kb"] / 1024.0),
                        "all %d sessions: %.0f-%.0f MB" % (len(peaks), min(peaks), max(peaks)), "",
                        {"program_peak_rss_mb": figure(long["peak_rss_kb"] / 1024.0, q3 - q1,
                                                       "MB", "lower")}))
    else:
        rows.append(Row("Peak resident memory of the demo"))

    music = long and program.music_against_picture(long)
    if music:
        start, after, jitter, buffer_ms = music
        rows.append(Row("Music against picture after 60 s of play (+: picture ahead)",
                        "%+.1f ms" % after,
                        "%+.1f ms at the music's first buffer; the device takes %.1f ms buffers"
                        % (start, buffer_ms), "goal: within 17 ms",
                        {"program_music_offset_ms": figure(abs(after), buffer_ms, "ms", "lower"),
                         "program_music_drift_ms": figure(abs(after - start), jitter, "ms",
                                                          "lower")}))
    else:
        rows.append(Row("Music against picture after 60 s of play"))
    return rows


def decode(results):
    found = runs(results, "decode", "DecodeAMinuteOfMusic")
    if not found:
        return [Row("Decoding a minute of music")]
    cpu = [seconds(b) * 1000 for b in found]
    music = found[0].get("seconds_of_music", 60.0)
    return [Row("Decoding a minute of music to the output format",
                spread_text(cpu, "%.0f") + " ms CPU", "%.0f s of music" % music,
                "%.2f%% of one core while it plays" % (quartiles(cpu)[1] / 10.0 / music),
                {"decode_minute_cpu_ms": median_figure(cpu, "ms", "lower")})]


def capture(results):
    """ombrel-capture through EGL beside Xvfb (bench/capture/run-draw)."""
    return draw_rows.rows(results, Row)


def split_render(results):
    return split_rows.rows(results, Row)


def live(results):
    """ombrel-live, the real program, with the device pack, the test's colour
    scene pack and music (bench/live/live-bench)."""
    try:
        with open(os.path.join(results, "live.json")) as f:
            found = json.load(f)
    except (OSError, ValueError):
        found = {}
    rows = []
    reloads, keys = found.get("reload_ms"), found.get("key_ms")
    if reloads:
        rows.append(Row("Live: a new build of the scene pack in place to its first frame",
                        "median %.0f ms, worst %.0f ms" % (quartiles(reloads)[1], max(reloads)),
                        "%d reloads, playing; 0.1 s of it the file standing still" % len(reloads),
                        "goal: median under 300 ms",
                        {"live_reload_ms": median_figure(reloads, "ms", "lower")}))
    else:
        rows.append(Row("Live: a new build in place to its first frame"))
    if keys:
        rows.append(Row("Live: a key press (Right) to the first frame at the new time",
                        "median %.0f ms, worst %.0f ms" % (quartiles(keys)[1], max(keys)),
                        "%d presses with xdotool, playing" % len(keys), "",
                        {"live_key_ms": median_figure(keys, "ms", "lower")}))
    else:
        rows.append(Row("Live: a key press to the frame at the new time"))
    offsets = found.get("music_offset_ms")
    if offsets:
        sizes = [abs(v) for v in offsets]
        rows.append(Row("Live: music against picture after 10 seeks (+: picture ahead)",
                        "median %+.1f ms, worst %.1f ms" % (quartiles(offsets)[1], max(sizes)),
                        "30 readings over 3 s; the music went back to the clock %d times"
                        % found.get("music_resyncs", 0), "goal: within 17 ms",
                        {"live_music_offset_ms": median_figure(sizes, "ms", "lower")}))
    else:
        rows.append(Row("Live: music against picture after 10 seeks"))
    trips = found.get("page_ms")
    if trips:
        rows.append(Row("Live: a seek posted by the timeline page to the state event showing it",
                        "median %.0f ms, worst %.0f ms" % (quartiles(trips)[1], max(trips)),
                        "%d seeks, paused; the state is asked for at once after a command"
                        % len(trips),
                        "goal: median under 100 ms",
                        {"live_page_ms": median_figure(trips, "ms", "lower")}))
    else:
        rows.append(Row("Live: a seek posted by the timeline page to its state event"))
    rows.append(live_edit(results))
    return rows


def live_edit(results):
    """A saved edit of the example scene pack to its first frame
    (bench/live/edit-bench)."""
    try:
        with open(os.path.join(results, "live-edit.json")) as f:
            found = json.load(f)
    except (OSError, ValueError):
        found = {}
    edits, builds = found.get("edit_ms"), found.get("build_ms")
    if not edits:
        return Row("Live: an edit of the example scene pack saved to its first frame")
    rest = [e - b for e, b in zip(edits, builds or [])]
    return Row("Live: an edit of the example scene pack saved to its first frame",
               "median %.0f ms, worst %.0f ms" % (quartiles(edits)[1], max(edits)),
               "%d edits with the -live target's build command; of it the build %s, the rest "
               "(watch, reload, frame) %s; load %.1f on %d cores"
               % (len(edits), "median %.0f ms" % quartiles(builds)[1] if builds else "untold",
                  "median %.0f ms" % quartiles(rest)[1] if rest else "untold",
                  found.get("load", 0.0), found.get("cores", 0)),
               "goal: median at most 700 ms",
               {"live_edit_ms": median_figure(edits, "ms", "lower")})


def tone_breaks(log):
    """The seconds of tone recorded and the breaks in it, from the log of
    tests/audio/music-gaps.sh."""
    with open(log) as f:
        said = dict(line.split()[:2] for line in f if line.startswith(("tone ", "breaks ")))
    return float(said["tone"]), int(said["breaks"])


def music_server(results):
    """The real program's music through a private PulseAudio daemon, a minute
    idle and a minute with both cores busy (tests/audio/music-gaps.sh with the
    frame probe)."""
    rows = []
    for load, title in [("idle", "idle"), ("loaded", "both cores kept busy")]:
        folder = os.path.join(results, "music_" + load)
        try:
            tone, breaks = tone_breaks(folder + ".log")
            record = program.read_probe(os.path.join(folder, "probe.txt"))
        except (OSError, KeyError, ValueError):
            rows.append(Row("Music through the sound server, %s" % title))
            continue
        rows.append(Row("Breaks in the music through the sound server, %s" % title,
                        "%.1f a minute" % (60.0 * breaks / tone) if tone else NA,
                        "%d in %.0f s of the tone recorded" % (breaks, tone), "goal: 0",
                        {"music_breaks_per_minute_" + load: figure(60.0 * breaks / tone, 0,
                                                                   "a minute", "lower")}))
        took = program.callback_times(record)
        if took:
            worst, rare, budget = took
            rows.append(Row("The device callback's time through the sound server, %s" % title,
                            "worst %.2f ms, 99.9th %.3f ms" % (worst, rare),
                            "budget: one buffer, %.1f ms" % budget,
                            "worst: %.0f%% of the budget" % (100.0 * worst / budget),
                            {"music_callback_worst_ms_" + load: figure(worst, worst, "ms",
                                                                       "lower")}))
        if load != "idle":
            continue
        try:
            latency = program.read_latency(os.path.join(folder, "latency.txt"),
                                           record["realtime_offset"])
        except (OSError, KeyError, ValueError):
            latency = []
        heard = program.heard_music_against_picture(record, latency, 55)
        if heard:
            offset, device, server = heard
            rows.append(Row("Music heard against picture through the sound server after 55 s "
                            "(+: picture ahead)", "%+.1f ms" % offset,
                            "%+.1f ms at the device, and the server's latency %.1f ms"
                            % (device, server), "goal: within 30 ms",
                            {"music_heard_offset_ms": figure(abs(offset), 12, "ms", "lower")}))
        else:
            rows.append(Row("Music heard against picture through the sound server"))
    return rows


def summed_breaks(folder, who, load):
    """The tone recorded and its breaks over every round of `who` ("program"
    or "control") at `load`, and the number of rounds."""
    tone = breaks = 0
    logs = sorted(glob.glob(os.path.join(folder, "%s_%s_*.log" % (who, load))))
    for log in logs:
        seconds, count = tone_breaks(log)
        tone, breaks = tone + seconds, breaks + count
    return tone, breaks, len(logs)


def chance_of_as_many(program, control):
    """How likely the program's share of all the breaks is at least what was
    found if both broke equally often a second: wine's breaks are few and
    come at random, so a small excess over the control tells nothing alone.
    Both are (seconds of tone, breaks, rounds)."""
    (seconds, breaks, _), (control_seconds, control_breaks, _) = program, control
    if breaks * control_seconds <= control_breaks * seconds:
        return "not more"
    total, share = breaks + control_breaks, seconds / (seconds + control_seconds)
    p = sum(math.comb(total, k) * share**k * (1 - share)**(total - k)
            for k in range(breaks, total + 1))
    return "as many or more by chance alone: p = %.2f" % p


def music_wine(results):
    """The Windows builds' music under wine through the same daemon: breaks
    against the control that plays the tone straight through waveOut, alone
    and beside the program drawing, and the music's start heard against the
    Linux build's (tests/audio/music-heard.sh). Only for the builds that were
    there and could run."""
    rows = []
    for folder in sorted(glob.glob(os.path.join(results, "wine_*"))):
        folder_name = os.path.basename(folder)[len("wine_"):]
        build = {"windows": "i686", "windows64": "x86-64"}.get(folder_name, folder_name)
        # A build that cannot run here stops at its first run, saying why.
        with open(os.path.join(folder, "control_idle_1.log")) as f:
            first = f.readline().strip()
        if first.startswith("skipped: "):
            rows.append(Row("Music under wine, %s build" % build, "not run here",
                            first[len("skipped: "):], ""))
            continue
        for load, title in [("idle", "idle"), ("loaded", "both cores kept busy")]:
            measure = "Breaks in the music under wine, %s build, %s" % (build, title)
            try:
                runs = {who: summed_breaks(folder, who, load)
                        for who in ("program", "control", "beside")}
            except (OSError, KeyError, ValueError):
                rows.append(Row(measure))
                continue
            rounds = runs["program"][2]
            if not rounds or not all(runs[who][0] for who in runs):
                rows.append(Row(measure))
                continue

            def rate(who):
                return 60.0 * runs[who][1] / runs[who][0]

            def said(who):
                return "%.1f a minute (%d in %.0f s)" % (rate(who), runs[who][1], runs[who][0])

            rows.append(Row(measure + " (%d rounds)" % rounds, said("program"),
                            "control through waveOut beside the program drawing: %s; alone: %s"
                            % (said("beside"), said("control")),
                            "goal: no more than the control beside the program (%s)"
                            % chance_of_as_many(runs["program"], runs["beside"]),
                            {"wine_%s_breaks_per_minute_%s" % (folder_name, load):
                             figure(rate("program"), max(rate("beside"), 1.0), "a minute",
                                    "lower")}))
        try:
            with open(os.path.join(folder, "heard.log")) as f:
                later = [float(line.split()[1]) for line in f if line.startswith("later ")]
        except (OSError, ValueError, IndexError):
            later = []
        if later:
            rows.append(Row("Music heard under wine, %s build, against the Linux build's, "
                            "at its start (+: later)" % build,
                            spread_text(later, "%+.1f") + " ms",
                            "%d starts, each beside the Linux build's" % len(later),
                            "the Linux build's own: see above",
                            {"wine_%s_heard_later_ms" % folder_name:
                             median_figure([abs(v) for v in later], "ms", "lower")}))
        else:
            rows.append(Row("Music heard under wine, %s build, against the Linux build's" % build))
    return rows


ROW_MAKERS = [host_overhead, lexer, frame_rate, program_rows, music_server, music_wine, decode,
              capture, split_render, live]

NOTES = """\
Results are medians; the range in brackets is the interquartile range (25th to
75th percentile) of the repeated measurements, the spread that `bench/run
--compare` allows. How each figure was taken:

- Host work per frame: the demo graph's frame over plugins that do nothing,
  beside a loop that reads the same clock and makes two virtual calls on the
  same plugin objects; CPU time, five runs of two seconds each. Allocations are
  counted by interposing the process's allocators.
- Lexer: signature-like text, five runs; the same rate at 1 MB and 10 MB means
  linear time, and the look-ahead buffer keeps one small capacity whatever the
  input's size.
- Demo frame rate and time per frame: the host's frame loop over the real packs
  with the music playing (everything but the setup dialog, `bench/demo`),
  beside an SDL2 loop that opens the same window and draws the same scene
  without host or packs. The two run in one process, in windows side by side,
  alternating in rounds of at least half a second each (Google Benchmark
  sizes each run with short trial runs just before it; the bare loop goes
  first in odd rounds, the demo in even ones), so that a busy moment of the
  machine weighs on both. One process can favour one side by a few percent
  for its whole life, so the rounds are spread over twelve processes of four
  rounds each; the ratios are the medians of the 48 demo/bare pairs. CPU
  time is the whole process's, Mesa's rasteriser threads included, and the
  music's thread once the demo has started it (a fifth of a percent of a
  core, on both sides).
- The real program (`solvara` from the staged folder, as it ships) is driven on
  the display as a person does: Return on the setup dialog, then Escape or the
  close button (`tools/lib/demo-session.sh`, `tools/close-window`). A probe
  preloaded into it (`bench/program/frame_probe.cpp`) wraps the SDL2 calls it
  makes and records when each frame is presented (the buffer swap), the demo
  timer's reset (the program's first reading of the monotonic clock), when the
  program takes Escape or the close request off its event queue, each buffer
  the audio device takes, and the peak resident memory (getrusage; the probe's
  own records add under 1 MB). The process's end is when the driving shell's
  wait for it returns; the time the probe takes to write its record at exit
  is taken off. Nine sessions: one of 62 s of play and eight of 3 s, four
  ended by Escape and four by the close button.
- Frame times: the times between buffer swaps from second 5 to second 20 of
  the demo's time, in rounds of a 22 s session of the real program followed by
  the bare SDL2 loop (seconds 5 to 20 of its run) in the same 640 x 480 window
  under the same probe, so that both sides meet the same moments of the
  machine. Each figure is the median over the rounds with its interquartile
  range; "bare / program" is the bare loop's median frame time over the
  program's, round by round: the same ratio as the in-process frame-rate row,
  with which it is compared.
- Music against picture: the demo's time (since its timer's reset) minus the
  position of the music actually played, counted by the music layer as the
  frames of music the output device has consumed, read by the probe as the
  device takes each buffer. The audio device is SDL's virtual one, clocked by
  the probe at exactly 44100 frames per second as a sound card's crystal
  paces it; a real card's clock error (tens of parts per million, about a
  millisecond a minute) and its output latency are not included. The music
  enters the first buffer the device takes after it was started (just before
  the timer's reset), so the offset varies between runs by up to one buffer.
- Music through the sound server: a 440 Hz sine as the demo's music, the real
  program playing it for 62 s through SDL's PulseAudio driver to a private
  daemon's null sink (paced like a sound card), recorded from the sink's
  monitor and checked sample by sample for breaks (`tests/audio/music-gaps.sh`,
  `tone_gaps`); loaded: `stress-ng --cpu 2` for the whole run. The probe,
  here without pacing the device, times the program's audio callback for
  every buffer. The music is heard the server's latency for the stream (its
  buffer and the sink's, read with `pactl` twice a second) after the device
  takes it; the server holds it deep on purpose, as a shorter buffer breaks
  the music on a busy machine, and the music layer starts the music that much
  ahead of the demo's clock (what the server was asked to hold).
- Music under wine: the Windows builds found beside the Linux one (after
  `./test`), each through wine's PulseAudio driver to the same private daemon,
  a minute idle and a minute loaded in three rounds, with the control
  `waveout_tone.exe` before the program each time: the same tone straight
  through waveOut with deep buffers, once alone and once beside the program
  drawing the demo (its music into a second sink that is not recorded), so
  its breaks are what wine itself costs a program that draws as the demo
  does, with none of the music layer on the tone's path. Wine's breaks come
  a few a minute and vary from one minute to the next for the control too,
  so the rounds are added up. The start:
  `music_start` (the host's music calls, then the wall clock read where the
  host resets its timer) under wine plays a tone on one channel while the
  Linux build's `music_start` plays one on the other; from one recording, how
  much later the Windows build's tone is heard against its own time 0 than
  the Linux build's (`tests/audio/music-heard.sh`; the Linux build against
  itself gives 0 within a buffer).
- Capture (`bench/capture/run-draw`): `ombrel-capture` from the staged folder
  renders ten seconds of the demo at 60 frames per second to H.264 (x264, its
  default preset) and AAC in MP4, three times per size through EGL without a
  display (Mesa's software device here) and three times on a private Xvfb of
  the frame's size (`OMBREL_CAPTURE_DRAW=xvfb`), the two alternating; the
  rate is the frames written per second of the whole run, start-up included,
  and the ratio the median of each EGL take's rate over the Xvfb take's just
  after it. The same at 1920 x 1080 with nothing written
  (`OMBREL_CAPTURE_OUTPUT=none`) is the drawing and the read-back alone: on
  Xvfb each frame is also copied to the X server when it is shown, through
  EGL it stays in its pixel buffer. The renderer row is each way's first
  line.
- On a GPU node: `bench/capture/run-draw` with no arguments builds the staged
  demo, measures the same rows there and prints them; the EGL rows are then
  the GPU's (its first line names it), the Xvfb rows Mesa's software
  renderer. Expected there: drawing the scene costs the GPU next to nothing,
  so drawing and reading back alone run at hundreds of frames per second at
  1920 x 1080 (bounded by copying 8 MB a frame back over the bus), and a
  whole capture runs at about the rate of encoding alone (the split
  rendering row's "encoding alone", which grows with the node's cores),
  instead of the two costs added as here.
""" + split_rows.NOTES


def main(argv):
    results, markdown, json_file, machine, cores = argv[1:6]
    earlier = None
    if len(argv) > 7 and argv[6] == "--compare":
        with open(argv[7]) as f:
            earlier = json.load(f)["figures"]
    rows = [row for make in ROW_MAKERS for row in make(results)]
    header = ("Measure", "Result", "Reference", "Ratio or goal")
    widths = [max(len(r.cells[i]) for r in rows + [Row(*header)]) for i in range(4)]

    def line(cells):
        return "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"

    table = "\n".join([line(header), "|" + "|".join("-" * (w + 2) for w in widths) + "|"] +
                      [line(r.cells) for r in rows])
    today = datetime.date.today().isoformat()
    machine = machine or "an unknown processor"
    about = "Measured on %s with %s (%s cores): Linux build (RelWithDebInfo), Xvfb or EGL " \
            "without a display, Mesa's software renderer." % (today, machine, cores)
    print()
    print(about)
    print(table)
    with open(markdown, "w") as f:
        f.write("# Performance\n\nWritten by `bench/run`. %s\n\n%s\n\n%s%s" %
                (about, table, NOTES, split_rows.prediction(results)))
    figures = {}
    for row in rows:
        figures.update(row.figures)
    with open(json_file, "w") as f:
        json.dump({"measured": today, "machine": machine, "cores": int(cores),
                   "figures": figures}, f, indent=1, sort_keys=True)
        f.write("\n")

    status = 1 if any(r.failed for r in rows) else 0
    if earlier is not None:
        worse = compare.regressions(earlier, figures)
        print("\nCompared with %s: %s" % (argv[7], "no figure is worse beyond its spread"
                                          if not worse else "worse beyond the spread:"))
        for text in worse:
            print("  " + text)
        status = status or (1 if worse else 0)
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
