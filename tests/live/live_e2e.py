"""End-to-end tests of ombrel-live: the real program on an X display (under
wine for the Windows builds), driven as an author drives it: packs replaced
under it, commands on its standard input, keys in its window, and its picture
read back from the window and its music from a PulseAudio daemon of the
test's own. Each scenario is one CTest test.

    live_e2e.py <scenario> <program> <folder of the colour packs> <demo folder to make>
                <music> <device buffer frames>

Scenarios:
  session   reloads while playing and while paused; a bad signature, a Run that
            throws and a crash, each leaving the last good build drawing; seek,
            pause and loop by commands and keys, checked on the picture and on
            the music; the end by Escape
  timeline  by the control channel: a malformed markers file reported and
            left alone, a tempo, snapping to beats, a seek that lands on a
            beat, the clock stopped at the end of the music, and a marker
            that is still there when the session is started again
  hundred   100 reloads in a row: memory, open handles, the private folder;
            keys after a new device pack with no audio device
  edit      a build command run on each saved change: a failed build shows the
            compiler's error, not the build tool's progress, and the next good
            build clears it; the private folder removed under the session is
            made again, with its control socket
  ends      the session ends, and is not started again, when its display goes
            (status 75), when the program that started it goes, and when its
            supervisor is killed
  intruders another user of the machine (a throwaway one; run as root, else
            skipped) plants the private folder, plants a link in its place and
            connects to the control socket: each is refused, nothing is copied
            into, loaded from or deleted through what they planted, and the
            session with a sound folder works
"""
import array
import ctypes
import json
import os
import select
import signal
import socket
import shutil
import subprocess
import sys
import tempfile
import time

from live_driver import ColourDemo, Live, Sound, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from private_display import wine_display  # noqa: E402

here = os.path.dirname(os.path.abspath(__file__))
scenario, program, packs, demo, music = sys.argv[1:6]
device_buffer = int(sys.argv[6])
windows = program.endswith(".exe")
suffix = ".dll" if windows else ".so"
# Wine starts programs, and crashes, much more slowly than the native loader.
slow = 4 if windows else 1
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAILED: ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def press_until(live, key, condition, what):
    """Presses the key once and waits until the condition holds. No press may
    be lost: the program sees its keys even where the device pack takes the
    window's message first. The wait is long for a busy wine."""
    if not live.press(key):
        return check(False, "%s (no window to press %s in)" % (what, key))
    if wait_for(condition, 3 * slow):
        return check(True, what)
    status = live.status()
    check(False, "%s (time %s, playing %s, loop %s, %d frames)" % (
        what, status.get("time"), status.get("playing"), status.get("loop"),
        status.get("frames", 0)))


def red_time(colour):
    """The demo time (within eight seconds) that the colour's red tells."""
    return colour[0] / 255.0 * 8.0


colour_demo = ColourDemo(demo, packs, suffix, music)
put, make_demo = colour_demo.put, colour_demo.make


def pack_version(status, name="Vantrope"):
    for pack in status.get("packs", []):
        if pack["file"].startswith(name):
            return pack["version"]
    return -1


def green_is(live, green, seconds=10):
    return wait_for(lambda: (lambda c: c if c and abs(c[1] - green) <= 4 else None)(live.colour()),
                    seconds * slow)


def session():
    out = os.path.join(os.path.dirname(demo), "session")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    make_demo()
    sound = Sound(out)
    live = Live(program, demo, ["--size", "160x120"], out, sound)
    try:
        session_steps(live)
    finally:
        if live.process.poll() is None:
            live.ask("quit", 10)
        status = live.end(30)
        sound.stop()
        print(live.said())
    check(status == 0, "the session ends with status 0 (got %s)" % status)


def session_steps(live):
    first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 10 else None)(live.status()),
                     30 * slow)
    if not check(first, "the session draws frames"):
        return
    pid = first["pid"]
    check(green_is(live, 60), "build A is drawn")

    # A new build while playing: the new colour, the same process, the time
    # going on from where it was.
    before = live.status()["time"]
    put("B")
    put_at = time.monotonic_ns()
    shown = green_is(live, 200)
    after = live.status()
    if windows:
        took = (time.monotonic_ns() - put_at) / 1e9
        check(shown, "build B is drawn (seen %.1f s after its file was in place)" % took)
    else:
        # The program's own note of when it showed the new build's first
        # frame, on the same clock.
        took = (after["reload_shown_ns"] - put_at) / 1e9
        check(shown and 0 < took <= 2.0,
              "build B is drawn %.2f s after its file was in place (2 s at most)" % took)
    check(after["pid"] == pid, "in the same process")
    # Each pack counts its own versions.
    check((pack_version(first), pack_version(first, "Kestrelia"), pack_version(after)) ==
          (1, 1, 2), "the packs start at version 1 each, the new build is version 2 (%s)"
          % [(p["file"], p["version"]) for p in after["packs"]])
    check(after["time"] >= before, "the time went on (%.2f s, then %.2f s)" % (before, after["time"]))

    # While paused: the paused frame is drawn again by the new build, at the
    # same time.
    check(live.ask("pause").startswith("ok paused"), "pause")
    check(live.ask("seek 2").startswith("ok at 2.000"), "seek 2")
    colour = green_is(live, 200)
    check(colour and abs(red_time(colour) - 2.0) < 0.05, "the picture tells 2 s (%s)" % (colour,))
    put("A")
    colour = green_is(live, 60)
    check(colour and abs(red_time(colour) - 2.0) < 0.05,
          "paused, build A draws the same moment again (%s)" % (colour,))
    good = pack_version(live.status())

    # Three bad builds: each is reported, the last good one goes on drawing.
    for build, error in [("Signature", "PrintCOctreeScene"), ("Throws", "this build throws")]:
        put(build)
        status = wait_for(lambda: (lambda s: s if error in (s.get("error") or "") else None)(
            live.status()), 10 * slow)
        check(status, "%s: the error is reported (%s)" % (build, (status or {}).get("error")))
        colour = live.colour()
        check(colour and abs(colour[1] - 60) <= 4 and colour[2] < 200,
              "%s: the last good build goes on drawing (%s)" % (build, colour,))
        check(pack_version(live.status()) == good, "%s: the last good version runs" % build)
    put("Crashes")
    crashed_at = time.monotonic()
    status = wait_for(lambda: (lambda s: s if s.get("pid") not in (None, pid) and
                               s.get("frames", 0) > 0 else None)(live.status()), 30 * slow)
    back = time.monotonic() - crashed_at
    check(status, "after the crash the session goes on in a new process (%.1f s)" % back)
    status = status or {}
    told = status.get("error") or ""
    check("crashed" in told, "the crash is told: %s" % told)
    # With where: the function where the module names it, else the copy and
    # the offset.
    where = (" in LiveColourCrashHere (Vantrope." if not windows else " at Vantrope.")
    check(where in told and "+0x" in told, "with where it crashed (%s)" % where.strip())
    check(pack_version(status) == good, "the last good version runs again")
    check(abs(status.get("time", -1) - 2.0) < 0.01 and not status.get("playing"),
          "at the same moment, still paused (%.3f s)" % status.get("time", -1))
    colour = green_is(live, 60)
    check(colour and abs(red_time(colour) - 2.0) < 0.05, "build A draws again (%s)" % (colour,))
    put("B")
    check(green_is(live, 200), "the next good build is taken")

    # A misspelt plugin name: the build loads, draws nothing, and is named.
    put("Misspelt")
    status = wait_for(lambda: (lambda s: s if s.get("warnings") else None)(live.status()),
                      10 * slow)
    check(status and "the demo calls PrintCOctreeScene, which no loaded pack has (Vantrope"
          in status["warnings"][0] and "has PrintCoctreeScene)" in status["warnings"][0],
          "a misspelt plugin is named with the nearest name: %s" % (status or {}).get("warnings"))
    put("B")
    check(green_is(live, 200) and not live.status().get("warnings"), "the warning goes with it")

    # A new device pack: a new window, every plugin started again, the same
    # moment.
    device = pack_version(live.status(), "Kestrelia")
    shutil.copyfile(os.path.join(packs, "Kestrelia" + suffix),
                    os.path.join(demo, "Kestrelia" + suffix))
    status = wait_for(lambda: (lambda s: s if pack_version(s, "Kestrelia") > device and
                               all(p["state"] == "running" for p in s["packs"]) else None)(
        live.status()), 20 * slow)
    check(status, "the new device pack is started")
    colour = green_is(live, 200)
    check(colour and abs(red_time(colour) - 2.0) < 0.05,
          "the scene draws again in the new window, at the same moment (%s)" % (colour,))

    # The timeline by commands.
    check(live.ask("foo").startswith("error: unknown command"), "an unknown command is refused")
    check(live.ask("seek -1").startswith("error: seek"), "a malformed seek is refused")
    check(abs(live.status()["time"] - 2.0) < 0.01, "and changes nothing")
    check(live.ask("loop 1 1.5").startswith("ok loop"), "loop 1 1.5")
    check(live.ask("play").startswith("ok playing"), "play")
    times = []
    for _ in range(12):
        time.sleep(0.15)
        times.append(live.status()["time"])
    check(all(1.0 <= t < 1.6 for t in times) and max(times) - min(times) > 0.1,
          "the time goes round the loop: %s" % ["%.2f" % t for t in times])
    colour = live.colour()
    check(colour and 0.9 <= red_time(colour) < 1.6, "the picture is in the loop (%s)" % (colour,))
    check(live.ask("loop off") == "ok no loop", "loop off")

    # The timeline by keys.
    live.ask("pause")
    live.ask("seek 3")
    # The music is 6 s long: Shift+Right stops at its end.
    for key, expected in [("Right", 4.0), ("shift+Right", 6.0), ("Left", 5.0),
                          ("Home", 0.0), ("shift+Left", 0.0)]:
        press_until(live, key, lambda: abs(live.status()["time"] - expected) < 0.01,
                    "%s goes to %.0f s" % (key, expected))
    press_until(live, "space", lambda: live.status()["playing"], "Space plays")
    time.sleep(0.3)
    press_until(live, "bracketleft", lambda: live.status().get("loop_start") is not None,
                "[ marks the loop's start")
    time.sleep(0.6)
    press_until(live, "bracketright", lambda: live.status().get("loop") is not None,
                "] marks its end")
    loop = live.status().get("loop") or [0, 0]
    check(0 < loop[0] and 0.3 < loop[1] - loop[0] < 3, "[ and ] set a loop: %s" % loop)
    press_until(live, "BackSpace", lambda: live.status().get("loop") is None,
                "Backspace clears it")
    press_until(live, "space", lambda: not live.status()["playing"], "Space pauses")

    # The music: paused, then played from 3.5 s: the click of 4.0 s comes half a
    # second of music after it starts again, less the time until the output
    # next asks for music, when the music is placed at the clock's time.
    # Through the sound server, which holds eight device buffers and asks for
    # music in chunks of about a quarter of that, this is up to two device
    # buffers, and the output's thread may wake up a buffer late.
    live.ask("seek 3.5")
    time.sleep(0.8)
    before = live.status()["music"]
    live.ask("play")
    time.sleep(1.0)
    live.ask("pause")
    print("music before and after: %s, %s" % (before, live.status()["music"]))
    time.sleep(0.8)
    live.press("Escape")


def music_samples(out):
    raw = os.path.join(out, "music.raw")
    if not os.path.exists(raw):
        return None
    data = open(raw, "rb").read()
    stereo = array.array("h", data[:len(data) // 4 * 4])
    return stereo[0::2]


def check_music(out):
    samples = music_samples(out)
    if not check(samples, "the music was recorded"):
        return
    # The last time the music starts after a silence of at least 0.3 s.
    quiet, start = 0, None
    for i, value in enumerate(samples):
        if abs(value) > 100:
            if quiet >= 13230:
                start = i
            quiet = 0
        else:
            quiet += 1
    if not check(start is not None, "the music starts again after the pause"):
        return
    click = next((i for i in range(start, len(samples)) if abs(samples[i]) > 8000), None)
    if not check(click is not None, "the click of 4.0 s is heard"):
        return
    # A dropout (a run of exact zeros the output fills in when the program is
    # late) is a fault of its own, checked apart from the timing.
    dropped, run = 0, 0
    for value in samples[start:click]:
        run = run + 1 if value == 0 else 0
        if run == 16:
            dropped += 16
        elif run > 16:
            dropped += 1
    check(dropped == 0, "no dropout in the music after it starts again (%d samples)" % dropped)
    gap = click - start
    check(22050 - 3 * device_buffer - 100 <= gap <= 22050 + 100,
          "after seek 3.5 the click of 4.0 s comes %d samples of music after it starts again "
          "(22050, less at most three device buffers of %d)" % (gap, device_buffer))


def timeline():
    out = os.path.join(os.path.dirname(demo), "timeline")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    make_demo()
    marks = os.path.join(demo, "markers.txt")
    with open(marks, "w") as text:
        text.write("1.000 intro\n2 two words\n")
    live = Live(program, demo, ["--size", "160x120"], out,
                environment={"SDL_AUDIODRIVER": "no-such-driver"})
    try:
        state = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 0 else None)(
            live.status()), 30 * slow)
        if not check(state, "the session draws frames"):
            return
        state = json.loads(live.ask("state"))
        check(state["markers"] == [] and state["lastError"].endswith(
            "markers.txt line 2: expected \"SECONDS NAME\" or \"tempo BPM OFFSET BEATS\""),
            "a malformed markers file is reported by its line: %r" % state["lastError"])
        with open(marks) as text:
            check(text.read() == "1.000 intro\n2 two words\n", "and left as it is")
        check(live.ask("tempo 120 0.1 4") == "ok tempo 120 0.100 4", "tempo 120 0.1 4")
        check(live.ask("snap beats") == "ok snap beats", "snap beats")
        check(live.ask("pause").startswith("ok paused"), "pause")
        answer = live.ask("seek 1.3")
        state = json.loads(live.ask("state"))
        check(answer == "ok at 1.100" and abs(state["time"] - 1.1) < 1e-6,
              "seek 1.3 lands on the beat at 1.1 s (%s; state %s)" % (answer, state["time"]))
        check(state["tempo"] == {"bpm": 120, "offset": 0.1, "beatsPerBar": 4} and
              state["snap"] == "beats" and abs(state["length"] - 6.0) < 0.001,
              "the state tells the grid, the snapping and the music's length: %s" % state)
        check(live.ask("marker add 2.5 drop") == "ok marker drop at 2.500", "marker add 2.5 drop")
        check(live.ask("marker add 3 drop").startswith("error: marker \"drop\" already"),
              "a second marker of the name is refused")
        check(live.ask("snap off") == "ok snap off" and live.ask("seek 5.9") == "ok at 5.900" and
              live.ask("play").startswith("ok playing"), "play from 5.9 s")
        state = wait_for(lambda: (lambda s: s if not s["playing"] else None)(
            json.loads(live.ask("state"))), 10 * slow)
        check(state and state["atEnd"] and state["time"] == 6.0,
              "the clock stops at the end of the music: %s" % state)
        check(live.ask("quit") == "ok quitting", "quit")
        check(live.end(30) == 0, "the session ends with status 0")
    finally:
        if live.process.poll() is None:
            live.ask("quit", 10)
            live.end(30)
        print(live.said())
    with open(os.path.join(demo, "markers.txt")) as text:
        written = text.read()
    check(written == "tempo 120 0.100 4\n2.500 drop\n", "markers.txt holds them: %r" % written)

    again = Live(program, demo, ["--size", "160x120", "--paused"], out,
                 environment={"SDL_AUDIODRIVER": "no-such-driver"})
    try:
        state = json.loads(again.ask("state") or "{}")
        check(state.get("markers") == [{"name": "drop", "time": 2.5}] and
              (state.get("tempo") or {}).get("bpm") == 120,
              "started again, the session has the marker and the tempo: %s" % state)
        check(again.ask("marker jump drop") == "ok at 2.500", "marker jump drop")
    finally:
        again.ask("quit", 10)
        status = again.end(30)
        print(again.said())
    check(status == 0, "the session started again ends with status 0 (got %s)" % status)


def hundred():
    """Also: without a usable audio device the session warns and plays on
    silently on the same clock, and keys reach it after a new device pack;
    the window's close button ends it."""
    out = os.path.join(os.path.dirname(demo), "hundred")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    make_demo()
    live = Live(program, demo, ["--size", "160x120"], out,
                environment={"SDL_AUDIODRIVER": "no-such-driver"})
    folder = None
    try:
        first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 10 else None)(
            live.status()), 30 * slow)
        if not check(first, "the session draws frames"):
            return
        check(not first["music"]["output"] and any("no usable audio device" in w
                                                   for w in first["warnings"]),
              "without an audio device it says so: %s" % first["warnings"])
        time.sleep(0.5)
        check(live.status()["time"] > first["time"] + 0.3, "and the clock goes on")
        # A few reloads first, so that what one reload leaves for good (the
        # loader's caches) is counted before the measure.
        builds = ["B", "A"]
        for n in range(104):
            version = pack_version(live.status())
            put(builds[n % 2])
            reached = wait_for(lambda: pack_version(live.status()) > version and
                               all(p["state"] == "running" for p in live.status()["packs"]),
                               10 * slow, 0.02)
            if not reached:
                check(False, "reload %d is taken" % (n + 1))
                return
            if n == 3:
                start = live.status()
        end = live.status()
        grown = (end["resident_kb"] - start["resident_kb"]) / 1024.0
        print("resident memory: %d kB, then %d kB after 100 reloads; handles %d, then %d" %
              (start["resident_kb"], end["resident_kb"], start["open_handles"],
               end["open_handles"]))
        check(grown <= 10, "100 reloads: resident memory grew by %.1f MB (10 at most)" % grown)
        check(end["open_handles"] <= start["open_handles"],
              "no file descriptor or handle is left open (%d, then %d)" %
              (start["open_handles"], end["open_handles"]))
        # Each pack's running copy, and the scene's last good one before it.
        check(end["private_files"] == 3, "the private folder holds only the copies in use "
              "and the last good one (%d files, 3 expected)" % end["private_files"])
        folder = end["private_folder"]
        # A new device pack with no audio device: the window system starts
        # again from nothing, and the keys must still be seen.
        device = pack_version(end, "Kestrelia")
        shutil.copyfile(os.path.join(packs, "Kestrelia" + suffix),
                        os.path.join(demo, "Kestrelia" + suffix))
        check(wait_for(lambda: (lambda s: pack_version(s, "Kestrelia") > device and
                                s.get("frames", 0) > end["frames"] + 10)(live.status()),
                       20 * slow), "the new device pack is started")
        playing = live.status()["playing"]
        press_until(live, "space", lambda: live.status()["playing"] != playing,
                    "Space is seen in the new window")
        subprocess.run([sys.executable, os.path.join(here, "../../tools/close-window"),
                        live.window()])
        status = live.end(30)
        check(status == 0, "the close button ends the session with status 0 (got %s)" % status)
    finally:
        if live.process.poll() is None:
            live.ask("quit", 10)
            live.end(30)
    if folder and not windows:
        check(not os.path.exists(folder), "the private folder is removed at the end")


def window_title(live):
    window = live.window()
    if window is None:
        return ""
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    return info.split("\n")[1] if "\n" in info else info


def ask_socket(path, command):
    try:
        with socket.socket(socket.AF_UNIX) as client:
            client.settimeout(30)
            client.connect(path)
            client.sendall((command + "\n").encode())
            return client.makefile().readline().strip()
    except OSError as e:
        return "refused: %s" % e


# The build of the edit scenario: "bad" in the source fails as a compiler
# does, on its standard error, after a progress line; else the next colour.
BUILD = """if grep -q bad "$1/scene.cpp"; then
  echo "[ 50%] Building CXX object CMakeFiles/scene.dir/scene.cpp.o"
  echo "$1/scene.cpp:3:1: error: expected ';' before '}' token" >&2
  exit 2
fi
cp "$2" "$3.new" && mv "$3.new" "$3"
"""


def edit():
    out = os.path.join(os.path.dirname(demo), "edit")
    shutil.rmtree(out, ignore_errors=True)
    sources = os.path.join(out, "sources")
    os.makedirs(sources)
    make_demo()
    with open(os.path.join(out, "build.sh"), "w") as script:
        script.write(BUILD)
    with open(os.path.join(sources, "scene.cpp"), "w") as source:
        source.write("good")
    build = "sh %s %s %s %s && echo copied" % (
        os.path.join(out, "build.sh"), sources, os.path.join(packs, "LiveColourB" + suffix),
        os.path.join(demo, "Vantrope" + suffix))
    live = Live(program, demo, ["--size", "160x120", "--build", build, "--sources", sources], out,
                environment={"SDL_AUDIODRIVER": "no-such-driver"})
    try:
        first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 10 else None)(
            live.status()), 30)
        if not check(first, "the session draws frames"):
            return
        with open(os.path.join(sources, "scene.cpp"), "w") as source:
            source.write("bad")
        status = wait_for(lambda: (lambda s: s if "build failed" in (s.get("error") or "")
                                   else None)(live.status()), 30)
        error = (status or {}).get("error") or ""
        check("scene.cpp:3:1: error: expected ';'" in error,
              "a failed build names the compiler's error: %s" % error)
        check("[ 50%]" in ((status or {}).get("build_output") or ""),
              "the status keeps the build's whole output")
        check(wait_for(lambda: "scene.cpp:3:1: error" in window_title(live), 10),
              "so does the window's title: %s" % window_title(live))
        with open(os.path.join(sources, "scene.cpp"), "w") as source:
            source.write("good again")
        status = wait_for(lambda: (lambda s: s if pack_version(s) > pack_version(first) and
                                   s.get("error") is None else None)(live.status()), 30)
        check(status and status.get("build_output") is None and green_is(live, 200),
              "the next good build is drawn and clears the failure: %s" % (status or {}).get(
                  "error"))
        check(wait_for(lambda: "build failed" not in window_title(live), 10),
              "from the title too: %s" % window_title(live))

        # The private folder removed under the session: made again, with
        # its control socket, and reloads go on.
        # Moved away at once, then deleted: the session may be writing in it
        # while a removal file by file goes on.
        status = live.status()
        removed = status["private_folder"] + ".removed"
        os.rename(status["private_folder"], removed)
        shutil.rmtree(removed)
        put("A")
        reloaded = wait_for(lambda: (lambda s: s if pack_version(s) > pack_version(status) and
                                     s["packs"][0]["state"] == "running" else None)(
            live.status()), 30)
        check(reloaded and green_is(live, 60),
              "after the private folder was removed the next build is taken: %s" %
              (reloaded or {}).get("error"))
        check(wait_for(lambda: os.path.exists(status["control"]), 10) and
              ask_socket(status["control"], "status").startswith("{"),
              "the control socket answers again: %s" % ask_socket(status["control"], "status"))
        said = live.said()
        check("had been removed: made again" in said and "listening again" in said,
              "the terminal says both were made again")
    finally:
        if live.process.poll() is None:
            live.ask("quit", 10)
        status = live.end(30)
    check(status == 0, "the session ends with status 0 (got %s)" % status)


def ended_within(pid, seconds):
    """Waits for the end of a process of ours (a child, or one handed to us
    as the subreaper) and collects it: true when it ended in time, or had
    ended and been collected by its own parent already."""
    try:
        handle = os.pidfd_open(pid)
    except ProcessLookupError:
        return True
    try:
        ended = bool(select.select([handle], [], [], seconds)[0])
    finally:
        os.close(handle)
    if ended:
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass
    return ended


def started_session(errors_path, environment):
    """ombrel-live under a shell that stands for the -live target: the
    shell, the supervisor's pid and the session's (found through the control
    socket, once it has drawn)."""
    shell = subprocess.Popen(
        ["sh", "-c", '"$0" --demo "$1" --size 160x120 </dev/null 2>"$2" & echo $!; wait',
         program, demo, errors_path], env=environment, stdout=subprocess.PIPE, text=True)
    supervisor = int(shell.stdout.readline())

    def said_control():
        try:
            with open(errors_path) as said:
                for line in said:
                    if line.startswith("ombrel-live: control channel: "):
                        return line.split(": ", 2)[2].split(" (")[0]
        except OSError:
            return None
    control = wait_for(said_control, 30)
    status = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 5 else None)(
        (lambda a: json.loads(a) if a.startswith("{") else {})(ask_socket(control, "status"))),
        30) if control else None
    return shell, supervisor, (status or {}).get("pid")


def ends():
    out = os.path.join(os.path.dirname(demo), "ends")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    make_demo()
    # Orphans of this test are handed to it, to be waited for.
    ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
    quiet = dict(os.environ, SDL_AUDIODRIVER="no-such-driver")

    # The display goes: the session ends with status 75 and is not started
    # again on whatever display then has its number.
    ends_fd = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(ends_fd[1]), "-screen", "0",
                               "640x480x24", "-nolisten", "tcp", "-noreset"],
                              pass_fds=[ends_fd[1]], stderr=subprocess.DEVNULL)
    os.close(ends_fd[1])
    with os.fdopen(ends_fd[0]) as answer:
        display = ":" + answer.readline().strip()
    live = Live(program, demo, ["--size", "160x120"], out,
                environment={"DISPLAY": display, "SDL_AUDIODRIVER": "no-such-driver"})
    first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 5 else None)(live.status()), 30)
    check(first, "the session draws on its own display")
    server.kill()
    server.wait()
    status = live.end(30)
    said = live.said()
    check(status == 75 and "the display has gone" in said and "crashed" not in said,
          "when its display goes the session ends with status 75, told, not as a crash "
          "(status %s)" % status)

    # The program that started it goes: the supervisor and the session end.
    shell, supervisor, session_pid = started_session(os.path.join(out, "parent.txt"), quiet)
    if check(session_pid, "a session under a parent draws"):
        os.kill(shell.pid, signal.SIGKILL)
        shell.wait()
        check(ended_within(supervisor, 30) and ended_within(session_pid, 30),
              "when its parent goes, the supervisor and the session end")
    # The supervisor is killed: the session ends too.
    shell, supervisor, session_pid = started_session(os.path.join(out, "killed.txt"), quiet)
    if check(session_pid, "another session draws"):
        os.kill(supervisor, signal.SIGKILL)
        check(ended_within(supervisor, 30) and ended_within(session_pid, 30),
              "when its supervisor is killed, the session ends")
    shell.wait()


def as_user(user, command):
    return subprocess.run(["runuser", "-u", user, "--"] + command, capture_output=True, text=True)


# Connects to a Unix socket, sends "status" and prints the first line back,
# or why it could not.
CLIENT = """import socket, sys
try:
    s = socket.socket(socket.AF_UNIX)
    s.settimeout(30)
    s.connect(sys.argv[1])
    try:
        s.sendall(b"status\\n")
    except BrokenPipeError:
        pass  # refused before the line was sent: the answer is still there to read
    print("answer: " + s.makefile().readline().strip())
except OSError as e:
    print("refused: %s" % e)
"""


def intruders():
    if os.getuid() != 0:
        print("skipped: only root can make the throwaway user that plays the other user")
        sys.exit(77)
    out = os.path.join(os.path.dirname(demo), "intruders")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    make_demo()
    # A shared temporary folder of the test's own, as /tmp is (every user may
    # write in it; each removes only their own entries), where the other user
    # can reach it whatever folder the build is in.
    shared = tempfile.mkdtemp(prefix="ombrel-intruders-")
    os.chmod(shared, 0o1777)
    os.environ.pop("XDG_RUNTIME_DIR", None)
    environment = {"TMPDIR": shared}
    root = os.path.join(shared, "ombrel-live-0")
    user = "ombrel-intruder-%d" % os.getpid()
    made = subprocess.run(["useradd", "--system", "--no-create-home", "--shell",
                           "/usr/sbin/nologin", user], capture_output=True, text=True)
    if not check(made.returncode == 0, "a throwaway user is made: %s" % made.stderr.strip()):
        return
    try:
        uid = int(subprocess.run(["id", "-u", user], capture_output=True, text=True).stdout)
        refused_starts(user, uid, root, environment, out)
        refused_clients(user, uid, root, environment, out)
    finally:
        subprocess.run(["userdel", user])
        shutil.rmtree(shared, ignore_errors=True)


def start_refused(environment, expected, what):
    run = subprocess.run([program, "--demo", demo, "--size", "160x120"], cwd=demo,
                         env=dict(os.environ, **environment), capture_output=True, text=True,
                         timeout=60)
    check(run.returncode == 1 and expected in run.stderr,
          "%s: the session does not start (status %d): %s" % (what, run.returncode,
                                                               run.stderr.strip()))


def refused_starts(user, uid, root, environment, out):
    planted = as_user(user, ["mkdir", "-m", "0777", root])
    check(planted.returncode == 0, "the other user plants %s: %s" % (root, planted.stderr))
    start_refused(environment, "Unsafe private folder %s: %s belongs to user %d, not to user 0"
                  % (root, root, uid), "a planted folder")
    check(os.listdir(root) == [], "nothing is copied into the planted folder")
    os.rmdir(root)

    victim = os.path.join(out, "victim")
    os.makedirs(os.path.join(victim, "12345"))
    with open(os.path.join(victim, "12345", "work.txt"), "w") as kept:
        kept.write("the user's own work")
    planted = as_user(user, ["ln", "-s", victim, root])
    check(planted.returncode == 0, "the other user plants a link: %s" % planted.stderr)
    start_refused(environment, "Unsafe private folder %s: %s is a symbolic link" % (root, root),
                  "a planted link")
    check(os.path.exists(os.path.join(victim, "12345", "work.txt")),
          "nothing is deleted through the link")
    os.remove(root)


def refused_clients(user, uid, root, environment, out):
    live = Live(program, demo, ["--size", "160x120"], out,
                environment=dict(environment, SDL_AUDIODRIVER="no-such-driver"))
    try:
        first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 10 else None)(
            live.status()), 30)
        if not check(first, "with a sound private folder the session draws frames"):
            return
        socket_path, folder = first["control"], first["private_folder"]
        check(folder.startswith(root + "/"), "its private folder is in %s: %s" % (root, folder))
        tried = as_user(user, ["/usr/bin/python3", "-c", CLIENT, socket_path]).stdout.strip()
        check(tried.startswith("refused:"),
              "the other user cannot reach the control socket: %s" % tried)
        # Were the folders opened to everyone behind the session's back, the
        # socket still serves its own user alone.
        for path, mode in ((root, 0o755), (folder, 0o755), (socket_path, 0o666)):
            os.chmod(path, mode)
        tried = as_user(user, ["/usr/bin/python3", "-c", CLIENT, socket_path]).stdout.strip()
        check(tried == "answer: error: refused: user %d may not control the live session of "
              "user 0" % uid, "a client of the other user is refused by its user: %s" % tried)
        for path, mode in ((root, 0o700), (folder, 0o700), (socket_path, 0o600)):
            os.chmod(path, mode)
        check(live.status().get("frames", 0) > first["frames"],
              "and the session goes on serving its own user")
    finally:
        if live.process.poll() is None:
            live.ask("quit", 10)
        status = live.end(30)
    check(status == 0, "the session ends with status 0 (got %s)" % status)


scenarios = {"session": session, "timeline": timeline, "hundred": hundred,
             "intruders": intruders, "edit": edit, "ends": ends}
server = wine_display()
try:
    scenarios[scenario]()
    if scenario == "session":
        check_music(os.path.join(os.path.dirname(demo), "session"))
finally:
    if server:
        server.terminate()
print("%s: %s" % (scenario, "%d failed" % len(failures) if failures else "passed"))
sys.exit(1 if failures else 0)
