"""End-to-end tests of split rendering: the real ombrel-capture renders
ranges of frames as segments and joins them, by itself, through
tools/render-video on this machine, through a private Slurm cluster and over
ssh with GNU parallel; ffmpeg reads back what it wrote and compares it with a
whole capture of the same settings. Each scenario is one CTest test.

    split_e2e.py <scenario> <program> <stage folder> <click demo folder>
                 <work folder> <click rate> <click samples, comma-separated>
                 <source folder> <build folder>

Scenarios: lossless, seams, bad-join, slurm, hosts (Linux); y4m (any build;
under wine for Windows). Exit status 77: skipped, with the reason printed,
where the machine lacks what the scenario needs.
"""
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from media_checks import (  # noqa: E402
    aligned, check, failures, frame_md5s, run_program, run_scenario)

scenario, program, stage, click_demo, work = sys.argv[1:6]
click_rate = int(sys.argv[6])
clicks = [int(c) for c in sys.argv[7].split(",")]
source, build = sys.argv[8:10]
windows = program.endswith(".exe")
# The real demo, small and short: 60 frames.
DEMO = ["--size", "320x240", "--fps", "30", "--seconds", "2"]
SKIPPED = 77


def run(command, cwd, env=None, timeout=240):
    return run_program(command, cwd, dict(env or os.environ), windows, timeout)


def capture(arguments, cwd, **options):
    return run([program] + arguments, cwd, **options)


def render_video(arguments, env=None, timeout=300):
    env = dict(env or os.environ, OMBREL_RENDER_BUILD=build)
    return run([os.path.join(source, "tools", "render-video")] + arguments, work, env, timeout)


def fresh(name):
    folder = os.path.join(work, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def ranges(total, count):
    return ["%d-%d" % (k * total // count, (k + 1) * total // count - 1) for k in range(count)]


def split(out, demo, arguments, count, total, extension=".mkv"):
    """Renders `count` segments and joins them, given in reverse order;
    returns the joined video's path."""
    segments = []
    for frames in ranges(total, count):
        segment = os.path.join(out, "part-%s%s" % (frames, extension))
        code, text = capture(["--frames", frames, "-o", segment, "--demo", demo] + arguments, out)
        check(code == 0, "segment %s: status 0 (got %d: %s)" % (frames, code, text.strip()))
        segments.append(segment)
    joined = os.path.join(out, "joined" + (".y4m" if extension == ".y4m" else ".mp4"))
    code, text = capture(["--join", "-o", joined, "--demo", demo] + segments[::-1], out)
    check(code == 0, "join: status 0 (got %d: %s)" % (code, text.strip()))
    return joined


def decoded(path, stream, form):
    return subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:" + stream] + form +
                          ["-"], capture_output=True).stdout


def samples(path):
    return decoded(path, "a", ["-f", "s16le"])


def timestamps_rise(path, stream):
    out = subprocess.run(["ffprobe", "-v", "error", "-select_streams", stream, "-show_entries",
                          "packet=dts", "-of", "csv=p=0", path], capture_output=True,
                         text=True).stdout.split()
    dts = [int(value.strip(",")) for value in out if value.strip(",") not in ("N/A", "")]
    return len(dts) > 0 and all(a < b for a, b in zip(dts, dts[1:]))


def same_video(whole, joined, what):
    """Lossless: the joined video decodes to exactly the whole capture's
    frames and sound."""
    first, second = frame_md5s(whole), frame_md5s(joined)
    check(len(second) == len(first) and len(first) > 0,
          "%s: as many frames as the whole capture (%d and %d)" % (what, len(second), len(first)))
    check(first == second, "%s: every frame identical to the whole capture's" % what)
    check(samples(whole) == samples(joined),
          "%s: the sound decodes to the whole capture's samples" % what)


def lossless():
    out = fresh("split-lossless")
    whole = os.path.join(out, "whole.mp4")
    code, text = capture(["-o", whole, "--demo", stage, "--crf", "0"] + DEMO, out)
    check(code == 0, "whole capture: status 0 (got %d: %s)" % (code, text.strip()))
    joined = split(out, stage, ["--crf", "0"] + DEMO, 4, 60)
    same_video(whole, joined, "4 segments at --crf 0")
    check(not [f for f in os.listdir(out) if f.endswith(".part")],
          "no temporary file is left (%s)" % os.listdir(out))


def gray(path):
    """Every frame at 80 x 60 in grey, as bytes."""
    raw = decoded(path, "v", ["-vf", "scale=80:60,format=gray", "-f", "rawvideo"])
    return [raw[i:i + 4800] for i in range(0, len(raw), 4800)]


def difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def seams():
    """Default settings, through render-video --jobs 2: no frame lost or
    repeated at a seam, timestamps rising, the music whole and in time."""
    out = fresh("split-seams")
    whole = os.path.join(out, "whole.mp4")
    code, text = capture(["-o", whole, "--demo", stage] + DEMO, out)
    check(code == 0, "whole capture: status 0 (got %d: %s)" % (code, text.strip()))
    joined = os.path.join(out, "jobs.mp4")
    code, text = render_video([joined, "--jobs", "2", "--segments", "4"] + DEMO)
    check(code == 0, "render-video --jobs 2: status 0 (got %d: %s)" % (code, text.strip()))
    a, b = gray(whole), gray(joined)
    check(len(a) == len(b) == 60, "60 frames each (whole %d, joined %d)" % (len(a), len(b)))
    for seam in (15, 30, 45):
        for n in (seam - 1, seam):
            own = difference(a[n], b[n])
            near = min(difference(a[m], b[n]) for m in (n - 1, n + 1))
            check(own < 2.0 and own < near,
                  "frame %d at a seam is the whole capture's frame %d (difference %.2f, "
                  "to its neighbours %.2f)" % (n, n, own, near))
    check(timestamps_rise(joined, "v") and timestamps_rise(joined, "a"),
          "the joined video's timestamps rise throughout")
    check(samples(whole) == samples(joined), "the sound decodes to the whole capture's samples")
    check(sorted(os.listdir(out)) == ["jobs.mp4", "whole.mp4"],
          "no segment or temporary file is left (%s)" % os.listdir(out))

    # A click in the music and a white frame, wherever the seams fall.
    video = split(out, click_demo, ["--size", "160x120", "--fps", str(click_rate)], 4,
                  -(-132300 * click_rate // 44100))
    aligned(video, video, click_rate, click_demo, clicks)


def refused(arguments, message, out, status=1):
    code, text = capture(arguments, out)
    check(code == status and message in text,
          "%s: status %d and '%s' (got %d: %s)" % (" ".join(os.path.basename(a) for a in arguments),
                                                   status, message, code, text.strip()))


def bad_join():
    """Each bad set of segments is named, ends with status 1, writes nothing."""
    out = fresh("split-bad-join")
    short = ["--size", "160x120", "--fps", str(click_rate), "--seconds", "1"]
    made = {}
    for name, frames, extra in [
            ("seg-0-9.mkv", "0-9", []), ("seg-10-19.mkv", "10-19", []),
            ("seg-15-29.mkv", "15-29", []), ("seg-20-29.mkv", "20-29", []),
            ("seg-10-19-192x144.mkv", "10-19", ["--size", "192x144"]),
            ("seg-10-19-60.mkv", "10-19", ["--fps", "60", "--seconds", "0.5"])]:
        code, text = capture(["--frames", frames, "-o", os.path.join(out, name),
                              "--demo", click_demo] + short + extra, out)
        check(code == 0, "segment %s: status 0 (got %d: %s)" % (name, code, text.strip()))
        made[name] = os.path.join(out, name)
    # A segment cut short, as a copy that died half way would leave it.
    with open(made["seg-0-9.mkv"], "rb") as f:
        whole_segment = f.read()
    made["seg-cut.mkv"] = os.path.join(out, "seg-cut.mkv")
    with open(made["seg-cut.mkv"], "wb") as f:
        f.write(whole_segment[:len(whole_segment) * 2 // 3])
    output = os.path.join(out, "joined.mp4")
    join = ["--join", "-o", output, "--demo", click_demo]
    s = made
    cases = [
        ([s["seg-0-9.mkv"], s["seg-10-19.mkv"], s["seg-15-29.mkv"]], "overlap at frames 15-19"),
        ([s["seg-0-9.mkv"], s["seg-20-29.mkv"]], "frames 10-19 are missing"),
        ([s["seg-10-19.mkv"], s["seg-20-29.mkv"]], "frames 0-9 are missing"),
        ([s["seg-0-9.mkv"], s["seg-10-19.mkv"]], "frames 20-29 are missing"),
        ([s["seg-0-9.mkv"], s["seg-10-19-192x144.mkv"], s["seg-20-29.mkv"]],
         "seg-10-19-192x144.mkv is 192x144"),
        ([s["seg-0-9.mkv"], s["seg-10-19-60.mkv"], s["seg-20-29.mkv"]], "at 60/1 fps"),
        ([s["seg-cut.mkv"], s["seg-10-19.mkv"], s["seg-20-29.mkv"]],
         "seg-cut.mkv does not hold exactly frames 0-9"),
        ([s["seg-0-9.mkv"], os.path.join(click_demo, "Data", "audio.ogg")],
         "is no segment of a split capture"),
    ]
    for segments, message in cases:
        refused(join + segments, message, out)
        check(not os.path.exists(output) and not os.path.exists(output + ".part"),
              "no output file")
    refused(["--frames", "0-9", "-o", os.path.join(out, "seg.mp4"), "--demo", click_demo] + short,
            "give -o NAME.mkv", out)
    refused(["--frames", "20-30", "-o", os.path.join(out, "late.mkv"), "--demo", click_demo] +
            short, "the video has 30 frames", out)
    check(sorted(os.listdir(out)) == sorted(made), "nothing else left (%s)" % os.listdir(out))


def y4m():
    """Y4M segments (the form the Windows build writes) join to the very
    files a whole capture writes."""
    out = fresh("split-y4m")
    arguments = ["--size", "160x120", "--fps", str(click_rate)]
    code, text = capture(["-o", os.path.join(out, "whole.y4m"), "--demo", click_demo] + arguments,
                         out)
    check(code == 0, "whole capture: status 0 (got %d: %s)" % (code, text.strip()))
    # Each start of the program under wine takes seconds: two segments there.
    joined = split(out, click_demo, arguments, 2 if windows else 3,
                   -(-132300 * click_rate // 44100), ".y4m")
    for extension in (".y4m", ".wav"):
        with open(os.path.join(out, "whole" + extension), "rb") as a, \
                open(joined[:-4] + extension, "rb") as b:
            check(a.read() == b.read(), "the joined %s is the whole capture's" % extension)


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIPPED)


def start_cluster(folder):
    """A Slurm cluster of the test's own, stopped when this test ends; where
    a check failed meanwhile, its stop shows the first errors its daemons
    logged, often the only word of why a job failed."""
    cluster = os.path.join(source, "tools", "slurm-cluster")
    done = subprocess.run([cluster, "start", folder, str(os.getpid())], capture_output=True,
                          text=True, timeout=120)
    if done.returncode == SKIPPED:
        skip(done.stderr.strip())
    if done.returncode != 0:
        subprocess.run([cluster, "stop", folder], timeout=60)
        check(False, "the Slurm cluster starts (%s)" % done.stderr.strip())
        return None

    def stop():
        if failures:
            errors = subprocess.run([cluster, "errors", folder], capture_output=True, text=True,
                                    timeout=60).stdout.strip()
            print("The Slurm cluster's logs in %s: %s"
                  % (folder, "\n" + errors if errors else "no error logged"))
        with open(os.path.join(folder, "runtime-folder")) as f:
            sockets = f.read().strip()
        subprocess.run([cluster, "stop", folder], timeout=60)
        check(not os.path.exists(sockets), "the cluster's stop removes %s" % sockets)
    return stop


def segment_processes(frames, folder):
    """The ids of the ombrel-capture processes rendering `frames` into
    `folder` (not those of other tests running on the machine)."""
    found = []
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                words = f.read().split(b"\0")
        except (OSError, ValueError):
            continue
        if words[0].endswith(b"ombrel-capture") and frames.encode() in words and \
                any(word.startswith(folder.encode() + b"/") for word in words):
            found.append(int(entry))
    return found


def slurm():
    """render-video --slurm on a private cluster whose node has no X server
    (no DISPLAY, Xvfb forbidden: the tasks draw through EGL): 4 tasks, one
    of them killed once and run again by Slurm; the video is still the whole
    one."""
    out = fresh("split-slurm")
    stop = start_cluster(os.path.join(work, "slurm-cluster"))
    if stop is None:
        return
    try:
        env = dict(os.environ, SLURM_CONF=os.path.join(work, "slurm-cluster", "slurm.conf"),
                   OMBREL_CAPTURE_DRAW="egl")
        env.pop("DISPLAY", None)
        arguments = ["--crf", "0"] + DEMO
        video = os.path.join(out, "slurm.mp4")
        for asked, named in [(["--partition", "nowhere"], "nowhere"), (["--gres", "gpu:1"], "gres")]:
            code, text = render_video([video, "--slurm"] + asked + arguments, env)
            check(code != 0 and named in text.lower() and not os.path.exists(video),
                  "%s is passed to Slurm, refused there, status non-zero, no output (got %d: %s)"
                  % (" ".join(asked), code, text.strip()))

        running = subprocess.Popen(
            [os.path.join(source, "tools", "render-video"), video, "--slurm", "--segments", "4"] +
            arguments, cwd=out, env=dict(env, OMBREL_RENDER_BUILD=build),
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, start_new_session=True)
        killed = False
        deadline = time.monotonic() + 200
        while running.poll() is None and time.monotonic() < deadline:
            if not killed:
                for pid in segment_processes("15-29", out):
                    os.kill(pid, signal.SIGKILL)
                    killed = True
            time.sleep(0.05)
        if running.poll() is None:
            os.killpg(running.pid, signal.SIGTERM)
        text = running.communicate(timeout=60)[0]
        check(running.returncode == 0, "render-video --slurm: status 0 (got %s: %s)"
              % (running.returncode, text.strip()))
        check(killed, "the task of frames 15-29 was killed once")
        whole = os.path.join(out, "whole.mp4")
        code, text = capture(["-o", whole, "--demo", stage] + arguments, out)
        same_video(whole, video, "--slurm with a task killed once")
    finally:
        stop()


def hosts():
    """render-video --hosts through GNU parallel over ssh to a private sshd
    on localhost."""
    sshd = shutil.which("sshd") or "/usr/sbin/sshd"
    if not os.access(sshd, os.X_OK) or not shutil.which("ssh") or not shutil.which("parallel"):
        skip("--hosts needs sshd, ssh and GNU parallel; this machine lacks one of them")
    out = fresh("split-hosts")
    keys = fresh("split-hosts-ssh")
    for name in ("host", "client"):
        subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f",
                        os.path.join(keys, name)], check=True, timeout=30)
    shutil.copy(os.path.join(keys, "client.pub"), os.path.join(keys, "authorized_keys"))
    os.chmod(keys, 0o700)
    import socket
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    config = os.path.join(keys, "sshd_config")
    with open(config, "w") as f:
        f.write("Port %d\nListenAddress 127.0.0.1\nHostKey %s\nAuthorizedKeysFile %s\n"
                "PidFile %s\nPermitRootLogin prohibit-password\nStrictModes no\nUsePAM no\n"
                % (port, os.path.join(keys, "host"), os.path.join(keys, "authorized_keys"),
                   os.path.join(keys, "sshd.pid")))
    os.makedirs("/run/sshd", exist_ok=True)
    server = subprocess.Popen([sshd, "-D", "-e", "-f", config], stderr=subprocess.DEVNULL)
    try:
        ssh = ("ssh -p %d -i %s -o BatchMode=yes -o StrictHostKeyChecking=no "
               "-o UserKnownHostsFile=/dev/null -o LogLevel=ERROR"
               % (port, os.path.join(keys, "client")))
        reached = False
        for _ in range(50):
            if subprocess.run(ssh.split() + ["localhost", "true"], capture_output=True,
                              timeout=30).returncode == 0:
                reached = True
                break
            time.sleep(0.2)
        if not reached:
            skip("ssh to a private sshd on localhost could not be set up")
        machines = os.path.join(keys, "machines")
        with open(machines, "w") as f:
            f.write("# the machines to render on\n2/localhost\n")
        video = os.path.join(out, "hosts.mp4")
        arguments = ["--crf", "0"] + DEMO
        code, text = render_video([video, "--hosts", machines, "--segments", "3"] + arguments,
                                  dict(os.environ, PARALLEL_SSH=ssh))
        check(code == 0, "render-video --hosts: status 0 (got %d: %s)" % (code, text.strip()))
        whole = os.path.join(out, "whole.mp4")
        capture(["-o", whole, "--demo", stage] + arguments, out)
        same_video(whole, video, "--hosts")
    finally:
        server.terminate()
        server.wait(timeout=30)


scenarios = {"lossless": lossless, "seams": seams, "bad-join": bad_join, "y4m": y4m,
             "slurm": slurm, "hosts": hosts}
run_scenario(scenarios, scenario, windows)
