"""End-to-end tests of ombrel-capture: the real program renders a demo and
ffmpeg reads back what it wrote. Each scenario is one CTest test.

    capture_e2e.py <scenario> <program> <stage folder> <click demo folder>
                   <work folder> <click rate> <click samples, comma-separated>

Scenarios: egl, deterministic, clicks, bad-input, interrupt, stuck-exit (Linux); clicks-y4m
(any build; under wine for Windows). A program ending in .exe runs under
wine on the display of the test run; a Linux program runs with no DISPLAY,
so that it draws off screen through EGL (or on a private Xvfb).
"""
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from media_checks import (  # noqa: E402
    aligned, check, failures, frame_md5s, probe, run_program, run_scenario)

scenario, program, stage, click_demo, work = sys.argv[1:6]
click_rate = int(sys.argv[6])
clicks = [int(c) for c in sys.argv[7].split(",")]
windows = program.endswith(".exe")


def capture(arguments, cwd, env_extra=None, timeout=240):
    return run_program([program] + arguments, cwd, dict(os.environ, **(env_extra or {})),
                       windows, timeout)


def fresh(name):
    folder = os.path.join(work, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def deterministic():
    """Two captures of the real demo, one read back through pixel buffers into
    MP4 and one read back plainly into Matroska, decode to the same frames."""
    out = fresh("deterministic")
    runs = [("a.mp4", {}), ("b.mkv", {"OMBREL_CAPTURE_READBACK": "plain"})]
    for name, env in runs:
        code, text = capture(["-o", os.path.join(out, name), "--size", "320x240", "--fps", "30",
                              "--seconds", "2"], stage, env)
        check(code == 0, "%s: exit status 0 (got %d: %s)" % (name, code, text.strip()))
    first, second = (frame_md5s(os.path.join(out, name)) for name, _ in runs)
    check(len(first) == 60, "2 s at 30 fps are 60 frames (got %d)" % len(first))
    check(first == second, "both captures decode to identical frames")
    check(len(set(first)) > 30, "the demo moves: %d different frames" % len(set(first)))
    video = probe(os.path.join(out, "a.mp4"), "v", "duration")
    audio = probe(os.path.join(out, "a.mp4"), "a", "duration")
    check(abs(video - audio) <= 1.0 / 30,
          "the sound lasts as long as the picture (%.4f s and %.4f s)" % (audio, video))
    check(sorted(os.listdir(out)) == ["a.mp4", "b.mkv"], "no temporary file is left")


def clicks_scenario(output):
    out = fresh("clicks" + output.replace(".", "-"))
    video = os.path.join(out, "clicks" + output)
    code, text = capture(["-o", video, "--size", "160x120", "--fps", str(click_rate),
                          "--demo", click_demo], out)
    check(code == 0, "exit status 0 (got %d: %s)" % (code, text.strip()))
    audio = video[:-4] + ".wav" if output == ".y4m" else video
    aligned(video, audio, click_rate, click_demo, clicks)
    if output == ".y4m":
        frames = probe(video, "v", "nb_read_frames")
        samples = (os.path.getsize(audio) - 44) // 4
        check(samples == int(frames) * 44100 // click_rate,
              "the WAV holds the frames' samples exactly (%d for %d frames)" % (samples, frames))


def bad_input():
    """Each bad input is named, ends with its status and leaves no file."""
    out = fresh("bad-input")
    empty = fresh("bad-input-demo")
    no_music = fresh("bad-input-no-music")
    for pack in os.listdir(click_demo):
        if pack.endswith((".so", ".dll")):
            shutil.copy(os.path.join(click_demo, pack), no_music)
    video = os.path.join(out, "out.mp4")
    cases = [
        (["-o", os.path.join(out, "out.avi")], 2, "Unknown kind of output: "),
        (["-o", os.path.join(out, "missing", "out.mp4"), "--seconds", "1", "--demo", stage], 1,
         "Cannot write "),
        (["-o", video, "--size", "641x480"], 2, "--size 641x480"),
        (["-o", video, "--fps", "0"], 2, "--fps 0"),
        (["-o", video, "--demo", empty], 1, "Unable to load: " + empty),
        (["-o", video, "--demo", no_music], 1, "Can't create stream"),
    ]
    for arguments, status, message in cases:
        code, text = capture(arguments, out)
        check(code == status and message in text,
              "%s: status %d and '%s' (got %d: %s)" % (" ".join(arguments[2:]) or arguments[1],
                                                       status, message, code, text.strip()))
        check(os.listdir(out) == [], "nothing left behind (%s)" % os.listdir(out))


def interrupt():
    """Ctrl-C ends a playable file of the frames rendered."""
    out = fresh("interrupt")
    video = os.path.join(out, "cut.mp4")
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    # In a process group of its own, which gets the signal as a terminal's
    # Ctrl-C would give it.
    running = subprocess.Popen([program, "-o", video, "--size", "320x240", "--seconds", "600"],
                               cwd=stage, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, text=True, start_new_session=True)
    # Interrupted once frames are being written.
    for _ in range(600):
        if os.path.exists(video + ".part") and os.path.getsize(video + ".part") > 50000:
            break
        time.sleep(0.1)
    os.killpg(running.pid, signal.SIGINT)
    try:
        stdout, stderr = running.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        running.kill()
        stdout, stderr = running.communicate()
    check(running.returncode == 130, "status 130 (got %d: %s)" % (running.returncode, stderr))
    frames = probe(video, "v", "nb_read_frames") if os.path.exists(video) else 0
    check(frames > 0, "the file plays: %d frames" % frames)
    check("holds the" in stderr, "it says what it kept (%s)" % stderr.strip())
    check(os.listdir(out) == ["cut.mp4"], "no temporary file is left (%s)" % os.listdir(out))


def stuck_exit():
    """A finished video is kept and the program ends, even when a library's
    cleanup never returns: by itself within its bound, at once on a second
    SIGTERM."""
    out = fresh("stuck-exit")
    env = dict(os.environ, LD_PRELOAD=os.environ["OMBREL_STUCK_EXIT"])
    env.pop("DISPLAY", None)
    arguments = ["--size", "160x120", "--fps", "30", "--seconds", "1"]

    video = os.path.join(out, "waited.mkv")
    started = time.monotonic()
    done = subprocess.run([program, "-o", video] + arguments, cwd=stage, env=env,
                          capture_output=True, text=True, timeout=120)
    took = time.monotonic() - started
    check(done.returncode == 0, "status 0 (got %d: %s)" % (done.returncode, done.stderr))
    check("ending took more than" in done.stderr, "it says why it ended (%s)" % done.stderr)
    check(took < 60, "it ends by itself (after %.1f s)" % took)
    check(probe(video, "v", "nb_read_frames") == 30, "the video is whole")

    video = os.path.join(out, "asked.mkv")
    running = subprocess.Popen([program, "-o", video] + arguments, cwd=stage, env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    for _ in range(600):
        if os.path.exists(video):
            break
        time.sleep(0.1)
    running.send_signal(signal.SIGTERM)
    time.sleep(0.2)
    running.send_signal(signal.SIGTERM)
    try:
        running.communicate(timeout=5)
    except subprocess.TimeoutExpired:
        running.kill()
        running.communicate()
    check(running.returncode == 130,
          "a second SIGTERM ends it at once with status 130 (got %d)" % running.returncode)
    check(probe(video, "v", "nb_read_frames") == 30, "the video it had finished is kept")
    check(sorted(os.listdir(out)) == ["asked.mkv", "waited.mkv"], "no temporary file is left")


def decoded(path, stream, form):
    return subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:" + stream] + form +
                          ["-"], capture_output=True).stdout


def lowest_psnr(first, second):
    """The lowest PSNR of a frame of `second` against the same frame of
    `first`, in dB (inf: identical)."""
    text = subprocess.run(["ffmpeg", "-v", "info", "-i", first, "-i", second, "-lavfi",
                           "[0:v][1:v]psnr", "-f", "null", "-"], capture_output=True,
                          text=True).stderr
    found = [line.split("min:")[1].split()[0] for line in text.splitlines() if "min:" in line]
    return float(found[-1]) if found else -1.0


def egl():
    """With no X server to reach (no DISPLAY, no Xvfb on the PATH) a lossless
    capture draws through EGL and gives a capture on Xvfb's frames: as many,
    each within 40 dB PSNR, and the very same samples of music. With EGL gone
    too, or a GPU that is not there, it says so and writes nothing."""
    out = fresh("egl")
    settings = ["--size", "320x240", "--fps", "30", "--seconds", "2", "--crf", "0"]
    no_x = {"PATH": fresh("egl-no-xvfb")}
    runs = [("xvfb.mkv", {"OMBREL_CAPTURE_DRAW": "xvfb"}, " on Xvfb :"),
            ("egl.mkv", no_x, " on EGL device ")]
    for name, env, where in runs:
        code, text = capture(["-o", os.path.join(out, name)] + settings, stage, env)
        first = text.splitlines()[0] if text else ""
        check(code == 0 and first.startswith("ombrel-capture: drawing with ") and where in first,
              "%s: status 0, its first line names the renderer and%s (got %d: %s)"
              % (name, where, code, text.strip()))
    xvfb, egl_video = (os.path.join(out, name) for name, _, _ in runs)
    frames = [len(frame_md5s(v)) for v in (xvfb, egl_video)]
    check(frames[0] == frames[1] == 60, "60 frames each (Xvfb %d, EGL %d)" % tuple(frames))
    psnr = lowest_psnr(xvfb, egl_video)
    check(psnr >= 40.0, "every frame through EGL within 40 dB of Xvfb's (lowest %.1f dB)" % psnr)
    sound = [decoded(v, "a", ["-f", "s16le"]) for v in (xvfb, egl_video)]
    check(len(sound[0]) > 0 and sound[0] == sound[1], "the music's samples are the same")

    refused = fresh("egl-refused")
    video = os.path.join(refused, "none.mkv")
    for env, arguments, message in [
            (dict(no_x, __EGL_VENDOR_LIBRARY_FILENAMES=os.devnull), [],
             "no EGL device can draw and Xvfb could not be started"),
            (no_x, ["--gpu", "1023"], "--gpu 1023: no such GPU"),
            ({"OMBREL_CAPTURE_DRAW": "x11"}, [], "OMBREL_CAPTURE_DRAW=x11: give egl or xvfb")]:
        code, text = capture(["-o", video] + settings + arguments, stage, env)
        check(code == 1 and message in text and os.listdir(refused) == [],
              "status 1, '%s', nothing written (got %d: %s)" % (message, code, text.strip()))


scenarios = {
    "egl": egl,
    "deterministic": deterministic,
    "clicks": lambda: clicks_scenario(".mp4"),
    "clicks-y4m": lambda: clicks_scenario(".y4m"),
    "bad-input": bad_input,
    "interrupt": interrupt,
    "stuck-exit": stuck_exit,
}
run_scenario(scenarios, scenario, windows)
