# Sourced by ./test, ./demo and the scripts that need a display of their own:
# starts a private virtual X display, exports DISPLAY (and OMBREL_XVFB_PID),
# and stops the display when the calling script exits.
#
# The server picks a free display number itself (-displayfd) and tells which
# once it takes connections: scripts that start at the same moment never end
# up sharing one server, which the first to end would take from the other.
# -noreset: by default the server resets itself whenever its last client
# leaves, and a program that connects during the reset (a dialog opening just
# as a test's xdotool disconnects) is turned away and finds no display.
ombrel_xvfb_answer=$(mktemp "${TMPDIR:-/tmp}/ombrel-xvfb.XXXXXX")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ombrel_xvfb_answer" >/dev/null 2>&1 &
OMBREL_XVFB_PID=$!
trap 'kill $OMBREL_XVFB_PID 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  grep -q . "$ombrel_xvfb_answer" 2>/dev/null && break
  kill -0 "$OMBREL_XVFB_PID" 2>/dev/null || break
  sleep 0.1
done
if grep -q '^[0-9][0-9]*$' "$ombrel_xvfb_answer" 2>/dev/null; then
  export DISPLAY=":$(head -n 1 "$ombrel_xvfb_answer")"
else
  echo "xvfb-start: Xvfb did not start a display within 10 s" >&2
fi
rm -f "$ombrel_xvfb_answer"
unset ombrel_xvfb_answer
