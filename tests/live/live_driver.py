"""Drives ombrel-live as an author does, for its end-to-end tests and its
benchmarks: the program on the X display of $DISPLAY (under wine for a
Windows build), its standard input as the control channel, its window's
picture and keys, and its music played to a PulseAudio daemon of the caller's
own and recorded."""
import json
import os
import queue
import re
import shutil
import subprocess
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def wait_for(condition, seconds, step=0.1):
    """The first true value of condition() within the time, or None."""
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


class ColourDemo:
    """A demo folder made for a test: the device pack, the music and a build of
    the time-coloured test pack as its scene pack."""

    def __init__(self, folder, packs, suffix, music):
        self.folder, self.packs, self.suffix, self.music = folder, packs, suffix, music

    def put(self, build):
        """A build of the colour pack written over the demo's scene pack, in
        place, as a build writes its output."""
        shutil.copyfile(os.path.join(self.packs, "LiveColour" + build + self.suffix),
                        os.path.join(self.folder, "Vantrope" + self.suffix))

    def make(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(os.path.join(self.folder, "Data"))
        shutil.copy(os.path.join(self.packs, "Kestrelia" + self.suffix), self.folder)
        self.put("A")
        shutil.copy(self.music, os.path.join(self.folder, "Data", "audio.ogg"))


class Sound:
    """A PulseAudio daemon of the test's own, started in its folder and
    stopped at its end, with one null sink (paced like a sound card) whose
    monitor is recorded to music.raw. Its socket is in a short folder of its
    own (tools/lib/socket-path.sh), whatever the depth of the test's folder."""

    def __init__(self, out):
        folder = os.path.join(out, "pulse")
        os.makedirs(os.path.join(folder, "home"), exist_ok=True)
        tool = os.path.join(HERE, "..", "..", "tools", "lib", "socket-path.sh")
        self.runtime = subprocess.run([tool, "folder", "pulse"], stdout=subprocess.PIPE,
                                      text=True, check=True).stdout.strip()
        socket = os.path.join(self.runtime, "native")
        if subprocess.run([tool, "fits", "live_driver", socket, "the sound daemon's socket"]
                          ).returncode != 0:
            shutil.rmtree(self.runtime)
            raise RuntimeError("no sound daemon: its socket's path is too long (above)")
        self.server = "unix:" + socket
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=os.path.join(folder, "home"))
        self.daemon = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
             "-L", "module-null-sink sink_name=live rate=44100",
             "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket],
            env=env, stdout=subprocess.DEVNULL, stderr=open(os.path.join(out, "pulse.log"), "w"))
        client = dict(os.environ, PULSE_SERVER=self.server)
        wait_for(lambda: subprocess.run(["pactl", "info"], env=client, capture_output=True)
                 .returncode == 0, 20)
        self.recorder = subprocess.Popen(
            ["parec", "-d", "live.monitor", "--raw", "--format=s16le", "--rate=44100",
             "--channels=2"], env=client, stdout=open(os.path.join(out, "music.raw"), "wb"))

    def stop(self):
        for process in (self.recorder, self.daemon):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Live:
    """ombrel-live running on a demo folder, with its standard input as the
    control channel and its picture read from its window. `slow`: how much
    longer than natively things take (four times under wine)."""

    def __init__(self, program, demo, arguments, out, sound=None, environment=None):
        self.out = out
        self.windows = program.endswith(".exe")
        self.slow = 4 if self.windows else 1
        env = dict(os.environ, WINEDEBUG="-all", **(environment or {}))
        if sound:
            env.update(PULSE_SERVER=sound.server, SDL_AUDIODRIVER="pulseaudio")
        command = [program, "--demo", demo] + arguments
        if self.windows:
            command = [os.path.join(HERE, "../../tools/wine-run")] + command
        self.errors = open(os.path.join(out, "stderr.txt"), "w")
        self.process = subprocess.Popen(command, cwd=demo, env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=self.errors, text=True,
                                        bufsize=1)
        self.answers = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.answers.put(line.rstrip("\r\n"))
        self.answers.put(None)

    def ask(self, command, seconds=60):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        try:
            return self.answers.get(timeout=seconds * self.slow) or ""
        except queue.Empty:
            return ""

    def status(self):
        answer = self.ask("status")
        try:
            return json.loads(answer)
        except ValueError:
            return {}

    def window(self):
        listing = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True,
                                 text=True).stdout
        for line in listing.splitlines():
            found = re.match(r'\s*(0x[0-9a-f]+) "ombrel-live ', line)
            if found and " 1x1+" not in line:
                info = subprocess.run(["xwininfo", "-id", found.group(1)], capture_output=True,
                                      text=True).stdout
                if "IsViewable" in info:
                    return found.group(1)
        return None

    def colour(self):
        """The red, green and blue of the middle of the window, or None."""
        window = self.window()
        if window is None:
            return None
        shot = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"],
                              capture_output=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", shot)
        if not header:
            return None
        width, height = int(header.group(1)), int(header.group(2))
        at = header.end() + 3 * ((height // 2) * width + width // 2)
        return tuple(shot[at:at + 3]) if len(shot) >= at + 3 else None

    def press(self, key):
        """Presses the key in the window; false when no window was found to
        press it in. The window is found by its title, which the program
        gives it a little after it appears."""
        window = wait_for(self.window, 5 * self.slow)
        if window is None:
            return False
        # Wine takes keys only in a window it has activated, by a click.
        if self.windows:
            subprocess.run(["xdotool", "mousemove", "--window", window, "20", "20", "click", "1"])
        else:
            subprocess.run(["xdotool", "mousemove", "--window", window, "20", "20"])
        subprocess.run(["xdotool", "windowfocus", window], stderr=subprocess.DEVNULL)
        time.sleep(0.2)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "--window", window, key])
        # When the press closes the window, xdotool fails on the window that
        # has gone before it lets the key go (tools/lib/demo-session.sh says more).
        subprocess.run(["xdotool", "keyup", key], stderr=subprocess.DEVNULL)
        return True

    def end(self, seconds=60):
        try:
            return self.process.wait(timeout=seconds * self.slow)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None

    def said(self):
        self.errors.flush()
        with open(os.path.join(self.out, "stderr.txt")) as text:
            return text.read()


