"""A headless Chromium driven through chromedriver's W3C WebDriver protocol,
spoken over HTTP with Python's standard library: what the timeline page's
end-to-end tests do with it (open a page, run a script, wait for a script's
promise, click and drag with the pointer, take a screenshot)."""
import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import urllib.error
import urllib.request

ELEMENT = "element-6066-11e4-a52e-4f735466cecf"

# Resolves with the first state the page shows that satisfies the condition
# (a JavaScript expression of `s`): the one it has, or one still to come as a
# server-sent event. Nothing is asked for again and again.
WAIT_FOR_STATE = """
const condition = new Function("s", "return (" + arguments[0] + ");");
const done = arguments[arguments.length - 1];
const test = s => { try { return s && condition(s); } catch (e) { return false; } };
if (test(window.timelineState)) { done(window.timelineState); return; }
window.addEventListener("timeline-state", function seen(e) {
  if (!test(e.detail)) return;
  window.removeEventListener("timeline-state", seen);
  done(e.detail);
});
"""


class WebDriverError(RuntimeError):
    pass


def browser_program():
    for name in ("chromium", "chromium-browser"):
        found = shutil.which(name)
        if found:
            return found
    return None


def free_port():
    """A port free on both loopback addresses, which chromedriver listens
    on (asked to pick one itself, it may pick one for IPv6 that IPv4 has
    taken)."""
    while True:
        first = socket.socket(socket.AF_INET)
        first.bind(("127.0.0.1", 0))
        port = first.getsockname()[1]
        second = socket.socket(socket.AF_INET6)
        try:
            second.bind(("::1", port))
            return port
        except OSError:
            continue
        finally:
            first.close()
            second.close()


class Browser:
    """One headless Chromium with a chromedriver of its own, for one test."""

    def __init__(self, out, name="browser", width=1200, height=800, script_seconds=60):
        self.profile = tempfile.mkdtemp(prefix=name + "-", dir=out)
        self.log = open(os.path.join(out, name + "-chromedriver.log"), "w")
        self.driver = subprocess.Popen(["chromedriver", "--port=%d" % free_port()],
                                       stdout=subprocess.PIPE, stderr=self.log, text=True)
        # chromedriver says when it listens.
        self.base = None
        for line in self.driver.stdout:
            self.log.write(line)
            if "started successfully on port" in line:
                port = line.split("on port")[1].strip().rstrip(".").split()[0]
                self.base = "http://127.0.0.1:%s" % port
                break
        # What it says later is kept, so that its pipe never fills.
        threading.Thread(target=lambda: self.log.writelines(self.driver.stdout),
                         daemon=True).start()
        if not self.base:
            raise WebDriverError("chromedriver did not start (see %s)" % self.log.name)
        arguments = ["--headless=new", "--disable-gpu", "--no-first-run",
                     "--window-size=%d,%d" % (width, height), "--user-data-dir=" + self.profile]
        if os.geteuid() == 0:
            arguments.append("--no-sandbox")
        answer = self._call("POST", "/session", {"capabilities": {"alwaysMatch": {
            "browserName": "chrome",
            "goog:chromeOptions": {"binary": browser_program(), "args": arguments}}}})
        self.session = "/session/" + answer["sessionId"]
        self._call("POST", self.session + "/timeouts", {"script": script_seconds * 1000})

    def _call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=300) as response:
                return json.loads(response.read() or b"{}").get("value")
        except urllib.error.HTTPError as e:
            raise WebDriverError("%s %s: %s" % (method, path, e.read().decode()[:500]))

    def open(self, address):
        self._call("POST", self.session + "/url", {"url": address})

    def run(self, script, *arguments):
        return self._call("POST", self.session + "/execute/sync",
                          {"script": script, "args": list(arguments)})

    def wait(self, script, *arguments):
        """Runs a script that ends by calling its last argument; its value."""
        return self._call("POST", self.session + "/execute/async",
                          {"script": script, "args": list(arguments)})

    def state_where(self, condition):
        """The page's first state for which the JavaScript condition on `s`
        holds; raises WebDriverError when none comes within the script
        timeout."""
        return self.wait(WAIT_FOR_STATE, condition)

    def click(self, selector):
        self._call("POST", self.session + "/element/%s/click" % self.element(selector), {})

    def element(self, selector):
        found = self._call("POST", self.session + "/element",
                           {"using": "css selector", "value": selector})
        return found[ELEMENT]

    def pointer(self, selector, steps):
        """Pointer actions on the element: steps of ("move", x, y) relative
        to its top-left corner, ("down",) and ("up",)."""
        element = self.element(selector)
        box = self.run("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                       "return [r.width, r.height];", selector)
        actions = []
        for step in steps:
            if step[0] == "move":
                # WebDriver places the pointer from the element's centre,
                # rounded down.
                actions.append({"type": "pointerMove", "duration": 0,
                                "origin": {ELEMENT: element},
                                "x": int(step[1] - int(box[0] / 2)),
                                "y": int(step[2] - int(box[1] / 2))})
            else:
                actions.append({"type": "pointer" + step[0].capitalize(), "button": 0})
        self._call("POST", self.session + "/actions", {"actions": [{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
            "actions": actions}]})
        self._call("DELETE", self.session + "/actions")

    def screenshot(self, path):
        with open(path, "wb") as picture:
            picture.write(base64.b64decode(self._call("GET", self.session + "/screenshot")))

    def close(self):
        try:
            self._call("DELETE", self.session)
        except (WebDriverError, OSError, AttributeError):
            pass
        self.driver.terminate()
        try:
            self.driver.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.driver.kill()
            self.driver.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
