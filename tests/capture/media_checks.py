"""What the capture tests read back from the videos they make, with the
ffmpeg and ffprobe commands, and how they report each check."""
import array
import os
import subprocess
import sys

from private_display import wine_display

failures = []


def check(ok, what):
    print(("ok: " if ok else "FAILED: ") + what)
    if not ok:
        failures.append(what)


def run_program(command, cwd, env, windows, timeout=240):
    """Runs a program of the build, under wine for a Windows one, natively
    without the display (the capture makes its own); its status and output."""
    if windows:
        command = [os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "../../tools/wine-run")] + command
    else:
        env.pop("DISPLAY", None)
    done = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True,
                          timeout=timeout)
    return done.returncode, done.stdout + done.stderr


def run_scenario(scenarios, scenario, windows):
    """Runs one scenario (on a private display under wine), reports how its
    checks went and ends the test with its status."""
    server = wine_display() if windows else None
    try:
        scenarios[scenario]()
    finally:
        if server:
            server.terminate()
            server.wait(timeout=30)
    print("%s: %s" % (scenario, "%d failed" % len(failures) if failures else "passed"))
    sys.exit(1 if failures else 0)


def probe(path, stream, entry):
    out = subprocess.run(["ffprobe", "-v", "error", "-select_streams", stream, "-count_frames",
                          "-show_entries", "stream=" + entry, "-of", "csv=p=0", path],
                         capture_output=True, text=True).stdout.strip()
    return float(out) if out not in ("", "N/A") else -1.0


def frame_md5s(path):
    out = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:v", "-f", "framemd5",
                          "-"], capture_output=True, text=True).stdout
    return [line.split(",")[-1].strip() for line in out.splitlines() if not line.startswith("#")]


def frame_levels(path):
    """The mean grey of every decoded frame, 0 to 255."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:v", "-vf",
                          "scale=8:8,format=gray", "-f", "rawvideo", "-"],
                         capture_output=True).stdout
    return [sum(raw[i:i + 64]) / 64 for i in range(0, len(raw), 64)]


def click_onsets(path):
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:a", "-ac", "1",
                          "-ar", "44100", "-f", "s16le", "-"], capture_output=True).stdout
    samples = array.array("h", raw)
    onsets, last = [], -10 ** 9
    for i, value in enumerate(samples):
        if abs(value) > 8000 and i - last > 4410:
            onsets.append(i)
            last = i
    return onsets


def aligned(video, audio, rate, click_demo, clicks):
    """Each click of the sound lies within the span of a white frame, and
    every white frame holds a click."""
    levels = frame_levels(video)
    music = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "stream=duration_ts",
                            "-of", "csv=p=0", os.path.join(click_demo, "Data", "audio.ogg")],
                           capture_output=True, text=True).stdout.strip()
    expected = -(-int(music) * rate // 44100)
    check(len(levels) == expected,
          "the music's length in frames: %d (got %d)" % (expected, len(levels)))
    white = [n for n, level in enumerate(levels) if level > 200]
    dark = [n for n, level in enumerate(levels) if level >= 40 and level <= 200]
    check(not dark, "every frame is black or white (grey: %s)" % dark[:5])
    onsets = click_onsets(audio)
    check(len(onsets) == len(clicks), "%d clicks heard (got %s)" % (len(clicks), onsets))
    spans = [(n * 44100 // rate, (n + 1) * 44100 // rate) for n in white]
    for onset in onsets:
        inside = [span for span in spans if span[0] <= onset < span[1]]
        check(len(inside) == 1, "the click at sample %d lies within a white frame's span %s"
              % (onset, inside or spans))
    check(len(white) == len(clicks), "one white frame per click (white: %s)" % white)

