"""Makes the one table of bench/run from the benchmarks' JSON results.

    table.py <results folder> <markdown file to write> <processor> <cores>
"""
import datetime
import json
import os
import sys

results, markdown, machine, cores = sys.argv[1:5]
NA = "n/a"


def load(name):
    try:
        with open(os.path.join(results, name + ".json")) as f:
            return [b for b in json.load(f)["benchmarks"] if not b.get("error_occurred")]
    except (OSError, ValueError, KeyError):
        return []


def find(benchmarks, prefix):
    return next((b for b in benchmarks if b["name"].startswith(prefix)), None)


def best(names, prefix, key):
    found = [b for b in (find(load(n), prefix) for n in names) if b]
    return max(found, key=lambda b: b[key]) if found else None


def seconds(benchmark, key="cpu_time"):
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[benchmark.get("time_unit", "ns")]
    return benchmark[key] * unit


rows = []
failed = False

overhead = load("frame_overhead")
host, bare = find(overhead, "BM_HostFrame"), find(overhead, "BM_BareFrame")
if host and bare:
    host_ns, bare_ns = seconds(host) * 1e9, seconds(bare) * 1e9
    rows.append(("Host work per frame: timer, time store, 5 bindings, 2 runs of no-op plugins",
                 "%.1f ns" % host_ns,
                 "bare loop, same clock and 2 virtual calls: %.1f ns" % bare_ns,
                 "%.2fx (goal: at most 1.5x)" % (host_ns / bare_ns)))
    rows.append(("Allocations per frame of the host's work",
                 "%g new, %g malloc" % (host["new_per_frame"], host["malloc_per_frame"]),
                 "bare loop: %g new, %g malloc" % (bare["new_per_frame"], bare["malloc_per_frame"]),
                 "goal: 0"))
else:
    failed = True
    rows.append(("Host work per frame", NA, NA, NA))

lexer = load("lexer")
small = next((b for b in lexer if b["name"].split("/")[:2] == ["BM_LexerSignatureText", "1"]), None)
large = next((b for b in lexer if b["name"].split("/")[:2] == ["BM_LexerSignatureText", "10"]), None)
for size, b in (("1 MB", small), ("10 MB", large)):
    if b:
        rows.append(("Lexer throughput, %s of signature text" % size,
                     "%.1f MB/s" % (b["bytes_per_second"] / 1e6),
                     "look-ahead buffer capacity: %d" % b["lookahead_capacity"],
                     "%.2f of the 1 MB rate" % (b["bytes_per_second"] / small["bytes_per_second"])
                     if small else ""))
    else:
        failed = True
        rows.append(("Lexer throughput, %s" % size, NA, NA, NA))

demo = best(["demo_1", "demo_2"], "BM_DemoFrameLoop", "fps")
bare_sdl = best(["bare_sdl_1", "bare_sdl_2"], "BM_BareSceneLoop", "fps")
if demo and bare_sdl:
    rows.append(("Demo frame rate, 640 x 480, Xvfb, Mesa software renderer",
                 "%.1f fps" % demo["fps"],
                 "bare SDL2 loop drawing the same scene: %.1f fps" % bare_sdl["fps"],
                 "%.1f%% (goal: at least 95%%)" % (100.0 * demo["fps"] / bare_sdl["fps"])))
    rows.append(("Allocations per demo frame on its thread, window system and GL driver included",
                 "%.2f new, %.1f malloc" % (demo["new_per_frame"], demo["malloc_per_frame"]),
                 "bare SDL2 loop: %.2f new, %.1f malloc"
                 % (bare_sdl["new_per_frame"], bare_sdl["malloc_per_frame"]), ""))
else:
    failed = True
    rows.append(("Demo frame rate, 640 x 480", NA, NA, NA))

decode = find(load("decode"), "DecodeAMinuteOfMusic")
if decode:
    cpu = seconds(decode)
    music = decode.get("seconds_of_music", 60.0)
    rows.append(("Decoding a minute of music to the output format",
                 "%.0f ms CPU" % (cpu * 1000),
                 "%.0f s of music" % music,
                 "%.2f%% of one core while it plays" % (100.0 * cpu / music)))
else:
    failed = True
    rows.append(("Decoding a minute of music", NA, NA, NA))

for size, goal in (("640x480", 2.0), ("1280x720", 1.0), ("1920x1080", None)):
    capture = find(load("capture_" + size), "capture")
    label = "Capture to H.264 and AAC in MP4, %s at 60 fps" % size.replace("x", " x ")
    if capture:
        ratio = capture["fps"] / 60.0
        rows.append((label, "%.1f fps" % capture["fps"], "real time: 60 fps",
                     "%.2fx real time%s" % (ratio, " (goal: at least %gx)" % goal if goal else "")))
    else:
        failed = True
        rows.append((label, NA, NA, NA))

header = ("Measure", "Result", "Reference", "Ratio")
widths = [max(len(r[i]) for r in rows + [header]) for i in range(4)]


def line(row):
    return "| " + " | ".join(c.ljust(w) for c, w in zip(row, widths)) + " |"


table = "\n".join([line(header), "|" + "|".join("-" * (w + 2) for w in widths) + "|"] +
                  [line(r) for r in rows])
about = "Measured on %s with %s (%s cores): Linux build (RelWithDebInfo), Xvfb, " \
        "Mesa's software renderer." % (datetime.date.today().isoformat(),
                                       machine or "an unknown processor", cores)
print()
print(about)
print(table)

with open(markdown, "w") as f:
    f.write("# Performance\n\nWritten by `bench/run`. %s\n\n%s\n\n" % (about, table))
    f.write("The host's work per frame runs the demo graph's frame over plugins that do nothing, "
            "beside a loop that reads the same clock and makes two virtual calls on the same "
            "plugin objects; both are CPU times, and allocations are counted by interposing the "
            "process's allocators. The demo's frame rate is the host's frame loop over the real "
            "packs with the music playing (everything but the setup dialog), beside an SDL2 loop "
            "that opens the same window and draws the same scene without host or packs; the two "
            "run twice, alternately, and the better run of each counts. The lexer reads "
            "signature-like text: the same rate at 1 MB and 10 MB means linear time, and its "
            "look-ahead buffer keeps one small capacity whatever the input's size. "
            "Capture is ombrel-capture rendering ten seconds of the demo at 60 fps to H.264 "
            "(x264 preset ultrafast, CRF 18) and AAC in MP4 on a private Xvfb of the frame's "
            "size: its rate includes reading every frame back, encoding and writing the "
            "file.\n")
sys.exit(1 if failed else 0)
