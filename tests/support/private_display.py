"""A private X display for the Python end-to-end tests that need one (wine
needs a display even for a program that shows no window)."""
import os
import subprocess


def wine_display():
    """Starts a private Xvfb when the test run has no display, exports its
    DISPLAY and returns the server to stop at the end (None when a display was
    there). The server picks a free number itself (-displayfd); -noreset: a
    server that resets when its last client leaves turns away whoever connects
    during the reset."""
    if os.environ.get("DISPLAY"):
        return None
    ends = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(ends[1]), "-screen", "0", "640x480x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=[ends[1]],
                              stderr=subprocess.DEVNULL)
    os.close(ends[1])
    with os.fdopen(ends[0]) as answer:
        os.environ["DISPLAY"] = ":" + answer.readline().strip()
    return server
