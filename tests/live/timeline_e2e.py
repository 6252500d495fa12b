"""End-to-end tests of the timeline page that ombrel-live serves: the real
program on an X display (under wine for the Windows builds) and the page in a
headless Chromium driven through WebDriver, each check waiting for the event
itself (a state the page was sent, a line, a picture).

    timeline_e2e.py <scenario> <program> <folder of the colour packs> <demo folder to make>
                    <music> [<screenshot to write>]

Scenarios:
  basic   the page shows the music's waveform with its clicks where they are; a
          click on the timeline seeks there (the session's status, the
          picture); requests without the token, with a foreign Host, or a
          command from another origin are refused
  page    a drag sets the loop; two pages stay in step with each other and
          with the window's keys; the key T opens the page
  model   the beat grid's tempo, a seek snapped to the nearest beat, markers
          added, renamed, moved by dragging their flag, deleted and jumped to,
          kept across a restart of the session after a crash
"""
import http.client
import os
import re
import shutil
import sys
import urllib.parse

from live_driver import ColourDemo, Live, wait_for
from webdriver import Browser, WebDriverError

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from private_display import wine_display  # noqa: E402

scenario, program, packs, demo, music = sys.argv[1:6]
screenshot = sys.argv[6] if len(sys.argv) > 6 else None
windows = program.endswith(".exe")
suffix = ".dll" if windows else ".so"
slow = 4 if windows else 1
out = os.path.join(os.path.dirname(demo), "timeline-" + scenario)
failures = []

# The columns of the timeline's canvas where the waveform's colour reaches
# far from its middle line: the music's loud clicks.
LOUD_COLUMNS = """
const c = document.getElementById("timeline"), g = c.getContext("2d");
const data = g.getImageData(0, 0, c.width, c.height).data, loud = [];
for (let x = 0; x < c.width; ++x) {
  let n = 0;
  for (let y = 0; y < c.height; ++y) {
    const i = 4 * (y * c.width + x);
    if (data[i] === 90 && data[i + 1] === 200 && data[i + 2] === 120) ++n;
  }
  if (n > c.height / 3) loud.push(x);
}
return {width: c.width, loud: loud};
"""

# Resolves once the page has drawn the music's waveform.
WAVEFORM_DRAWN = """
const done = arguments[arguments.length - 1];
if (document.body.dataset.waveform) { done(true); return; }
new MutationObserver((changes, observer) => {
  if (document.body.dataset.waveform) { observer.disconnect(); done(true); }
}).observe(document.body, {attributes: true});
"""


def check(ok, what):
    print(("ok: " if ok else "FAILED: ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


colour_demo = ColourDemo(demo, packs, suffix, music)
put, make_demo = colour_demo.put, colour_demo.make


def red_time(colour):
    return colour[0] / 255.0 * 8.0


def timeline_address(live):
    found = re.search(r"timeline: (http://127\.0\.0\.1:\d+/\?token=[0-9a-f]{32})\n",
                      live.said())
    return found.group(1) if found else None


def token_of(address):
    return urllib.parse.urlparse(address).query.split("=")[1]


def length_of(state):
    return state["length"] if state.get("length") else 6.0


class Page:
    """One browser showing the timeline page, and where times fall on it."""

    def __init__(self, address, name):
        self.browser = Browser(out, name, script_seconds=60 * slow)
        self.browser.open(address)
        self.state = self.browser.state_where("s.packs.length > 0")
        self.width = self.browser.run(
            "return document.getElementById('timeline').getBoundingClientRect().width;")

    def x_of(self, seconds):
        return round(seconds / length_of(self.state) * self.width)

    def time_at(self, x):
        return x / self.width * length_of(self.state)

    def click_at(self, seconds):
        """Clicks where `seconds` is; the time under the pointer."""
        x = self.x_of(seconds)
        self.browser.pointer("#timeline", [("move", x, 100), ("down",), ("up",)])
        return self.time_at(x)

    def drag(self, start, end, y=100):
        a, b = self.x_of(start), self.x_of(end)
        self.browser.pointer("#timeline", [("move", a, y), ("down",), ("move", (a + b) // 2, y),
                                           ("move", b, y), ("up",)])
        return self.time_at(a), self.time_at(b)

    def where(self, condition, what):
        try:
            return self.browser.state_where(condition)
        except WebDriverError as e:
            check(False, "%s: no such state came (%s)" % (what, str(e)[:200]))
            return None


def start_live():
    make_demo()
    environment = {"SDL_AUDIODRIVER": "no-such-driver"}
    if not windows:
        # The browser's opener, standing in for the desktop's: it notes the
        # address it was given.
        opener = os.path.join(out, "opener")
        os.makedirs(opener)
        with open(os.path.join(opener, "xdg-open"), "w") as script:
            script.write('#!/bin/sh\necho "$1" >> "%s"\n' % os.path.join(out, "opened"))
        os.chmod(os.path.join(opener, "xdg-open"), 0o755)
        environment["PATH"] = opener + os.pathsep + os.environ["PATH"]
    live = Live(program, demo, ["--size", "160x120", "--paused"], out, environment=environment)
    address = wait_for(lambda: timeline_address(live), 30 * slow)
    first = wait_for(lambda: (lambda s: s if s.get("frames", 0) > 5 else None)(live.status()),
                     30 * slow)
    check(address and first, "the session draws and says the timeline's address: %s" % address)
    return live, address


def answer_to(port, method, path, host=None, origin=None, body=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30 * slow)
    headers = {"Host": host or "127.0.0.1:%d" % port}
    if origin:
        headers["Origin"] = origin
    connection.request(method, path, body=body, headers=headers)
    response = connection.getresponse()
    text = response.read().decode(errors="replace")
    connection.close()
    return response.status, text


def holds_listener(pid, port):
    """Whether the process holds the socket listening on the loopback port."""
    with open("/proc/net/tcp") as table:
        inodes = {"socket:[%s]" % f[9] for f in (line.split() for line in list(table)[1:])
                  if f[3] == "0A" and int(f[1].split(":")[1], 16) == port}
    folder = "/proc/%d/fd" % pid
    return any(os.readlink(os.path.join(folder, fd)) in inodes for fd in os.listdir(folder))


def refusals(live, address):
    port, token = urllib.parse.urlparse(address).port, token_of(address)
    own = "http://127.0.0.1:%d" % port
    before = live.status()["time"]
    for method, path, host, origin, body, status, what in [
            ("GET", "/", None, None, None, 403, "the page without the token"),
            ("GET", "/events?token=" + "0" * 32, None, None, None, 403,
             "the events with a wrong token"),
            ("GET", "/?token=" + token, "attacker.example:%d" % port, None, None, 403,
             "the page with a foreign Host (a rebound name)"),
            ("GET", "/?token=" + token, "127.0.0.1:%d" % (port + 1), None, None, 403,
             "the page with another port in its Host"),
            ("POST", "/command?token=" + token, None, "http://attacker.example", "seek 4.5", 403,
             "a command from another origin"),
            ("POST", "/command?token=" + token, None, None, "seek 4.5", 403,
             "a command without an origin"),
            ("POST", "/command?token=" + token, None, own, "seek 4.5\nquit", 400,
             "a body of two command lines"),
            ("POST", "/command?token=" + token, None, own, "x" * (70 * 1024), 413,
             "a body over 64 KiB")]:
        got, text = answer_to(port, method, path, host, origin, body)
        check(got == status, "%s: refused with %d (%d: %s)" % (what, status, got, text[:100]))
    check(abs(live.status()["time"] - before) < 1e-6 and live.process.poll() is None,
          "no refused command reached the session")
    got, text = answer_to(port, "POST", "/command?token=" + token, "localhost:%d" % port,
                          "http://localhost:%d" % port, "seek 0")
    check(got == 200 and text.startswith("ok at 0.000"),
          "a command from the page's own origin (by the name localhost) is carried out: %s" %
          text)


def basic(live, address):
    page = Page(address, "first")
    try:
        page.browser.wait(WAVEFORM_DRAWN)
        drawn = page.browser.run(LOUD_COLUMNS)
        runs = []
        for x in drawn["loud"]:
            if runs and x <= runs[-1][1] + 1:
                runs[-1][1] = x
            else:
                runs.append([x, x])
        seconds = [page.time_at((a + b + 1) / 2.0 * page.width / drawn["width"]) for a, b in runs]
        check(len(seconds) == 5 and all(abs(t - (n + 1)) < 0.03 for n, t in enumerate(seconds)),
              "the waveform shows the clicks at 1, 2, 3, 4 and 5 s: %s" %
              ["%.3f" % t for t in seconds])

        clicked = page.click_at(2.0)
        state = page.where("Math.abs(s.time - %f) < 0.01" % clicked, "a click seeks")
        check(state is not None, "a click at %.3f s seeks there (the page's state)" % clicked)
        status = live.status()
        check(abs(status.get("time", -1) - clicked) < 0.01 and not status.get("playing"),
              "the session is there, still paused: %.3f s" % status.get("time", -1))
        colour = wait_for(lambda: (lambda c: c if c and abs(red_time(c) - clicked) < 0.05
                                   else None)(live.colour()), 10 * slow)
        check(colour, "the picture tells %.3f s (%s)" % (clicked, live.colour()))
        if screenshot:
            page.browser.screenshot(screenshot)
        if not windows:
            port = urllib.parse.urlparse(address).port
            check(holds_listener(live.process.pid, port) and
                  not holds_listener(status["pid"], port),
                  "the page's port is the supervisor's alone, not handed to the session")
    finally:
        page.browser.close()
    refusals(live, address)


def two_pages(live, address):
    first, second = Page(address, "first"), Page(address, "second")
    try:
        start, end = first.drag(1.5, 3.0)
        condition = "s.loop && Math.abs(s.loop.start - %f) < 0.01 && Math.abs(s.loop.end - %f)" \
            " < 0.01" % (start, end)
        check(first.where(condition, "the drag's loop"),
              "a drag from %.3f to %.3f s sets the loop" % (start, end))
        loop = live.status().get("loop") or [0, 0]
        check(abs(loop[0] - start) < 0.01 and abs(loop[1] - end) < 0.01,
              "the session loops there: %s" % loop)
        check(second.where(condition, "the loop on the second page"),
              "the second page shows the loop")
        second.browser.click("#loop-off")
        check(first.where("s.loop === null", "no loop"), "the second page's \"no loop\" reaches "
              "the first")

        clicked = first.click_at(4.0)
        check(second.where("Math.abs(s.time - %f) < 0.01" % clicked, "seek seen"),
              "a seek on the first page shows on the second")
        second.browser.click("#play")
        check(first.where("s.playing", "playing"), "play on the second page shows on the first")
        first.browser.click("#play")
        check(second.where("!s.playing", "paused"), "pause on the first shows on the second")
        check(live.press("Home"), "the window takes the key Home")
        check(first.where("s.time === 0", "home") and second.where("s.time === 0", "home"),
              "the window's key Home shows on both pages")
        live.press("t")
        opened = os.path.join(out, "opened")
        check(wait_for(lambda: os.path.exists(opened), 10 * slow), "the key T opens the browser")
        given = open(opened).read().strip() if os.path.exists(opened) else ""
        leads = open(given).read() if os.path.isfile(given) else ""
        check(token_of(address) not in given and 'content="0;url=%s"' % address in leads and
              given.startswith(live.status().get("private_folder", "?") + "/page/"),
              "on a file of the private folder that leads on to the address, keeping the token "
              "out of the process list: %s" % given)
    finally:
        first.browser.close()
        second.browser.close()


def model(live, address):
    page = Page(address, "first")
    try:
        page.browser.run("const f = document.getElementById('tempo');"
                         "f.bpm.value = 120; f.offset.value = 0.1; f.beats.value = 4;")
        page.browser.click("#tempo button[type=submit]")
        check(page.where("s.tempo && s.tempo.bpm === 120 && s.tempo.offset === 0.1 && "
                         "s.tempo.beatsPerBar === 4", "tempo"), "the tempo form sets the tempo")
        page.browser.click("[data-snap=beats]")
        check(page.where("s.snap === 'beats'", "snap"), "the snap switch snaps to beats")
        # Beats at 0.1 s and every 0.5 s after it: 2.3 s is nearest 2.1 s.
        page.click_at(2.3)
        check(page.where("Math.abs(s.time - 2.1) < 1e-6", "snapped seek"),
              "a click at 2.3 s seeks to the nearest beat, 2.1 s")

        for name in ("drop", "break"):
            page.browser.run("document.querySelector('#marker-add input').value = arguments[0];",
                             name)
            page.browser.click("#marker-add button")
            page.where("s.markers.some(m => m.name === '%s')" % name, "marker " + name)
            page.click_at(3.6)
        check(page.where("s.markers.length === 2 && s.markers.some(m => m.name === 'drop' && "
                         "Math.abs(m.time - 2.1) < 1e-6)", "markers"),
              "markers are added at the play head")
        page.browser.run("const f = document.querySelector('tr[data-marker=break] .marker-name');"
                         "f.value = 'outro'; f.dispatchEvent(new Event('change'));")
        check(page.where("s.markers.some(m => m.name === 'outro')", "rename"),
              "a marker is renamed in its field")
        page.drag(2.1, 4.0, y=8)
        check(page.where("s.markers.some(m => m.name === 'drop' && Math.abs(m.time - 4.1) < 1e-6)",
                         "moved"), "a marker's flag dragged to 4.0 s moves it to the beat 4.1 s")
        page.browser.click("tr[data-marker=outro] .marker-delete")
        check(page.where("s.markers.length === 1", "deleted"), "a marker is deleted")
        page.browser.click("tr[data-marker=drop] .marker-jump")
        check(page.where("Math.abs(s.time - 4.1) < 1e-6", "jump"), "a marker is jumped to")

        pid = live.status()["pid"]
        put("Crashes")
        back = wait_for(lambda: (lambda s: s if s.get("pid") not in (None, pid) and
                                 s.get("frames", 0) > 0 else None)(live.status()), 30 * slow)
        check(back, "the session starts again after a crash")
        check(page.where("s.markers.length === 1 && s.markers[0].name === 'drop' && "
                         "Math.abs(s.markers[0].time - 4.1) < 1e-6", "kept"),
              "the marker is kept across the restart, and the page follows the new session")
    finally:
        page.browser.close()


scenarios = {"basic": basic, "page": two_pages, "model": model}
server = wine_display()
shutil.rmtree(out, ignore_errors=True)
os.makedirs(out)
live = None
try:
    live, address = start_live()
    if address:
        scenarios[scenario](live, address)
except WebDriverError as e:
    check(False, "the browser: %s" % e)
finally:
    if live:
        if live.process.poll() is None:
            live.ask("quit", 10)
        status = live.end(30)
        check(status == 0, "the session ends with status 0 (got %s)" % status)
        print(live.said())
    if server:
        server.terminate()
print("%s: %s" % (scenario, "%d failed" % len(failures) if failures else "passed"))
sys.exit(1 if failures else 0)
