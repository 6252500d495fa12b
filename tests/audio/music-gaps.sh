#!/usr/bin/env bash
# Plays the real program with a continuous 440 Hz tone as its music through a
# private PulseAudio daemon, records the sink's monitor, and counts the breaks
# in the tone (tone_gaps), as a listener would hear them.
#
#   music-gaps.sh <stage folder> <bin folder> <work folder> <seconds> <idle|loaded>
#   music-gaps.sh <control.exe> ...   the same for a control program under
#       wine that plays the tone by itself for <seconds> (waveout_tone.exe)
#
# loaded: both cores kept busy by stress-ng for the whole run. Prints the
# breaks found; fails when there is any. A stage folder with solvara.exe runs
# under wine, through wine's PulseAudio driver.
set -uo pipefail
stage=$1 bin=$2 work=$3 seconds=$4 load=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

[ -x "$bin/tone_gaps" ] || { echo "skipped: no $bin/tone_gaps (the native build makes it)"; exit 77; }
for tool in pulseaudio parec sox stress-ng; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# The machine field of the PE header: 014c for a 32-bit program.
pe_machine() {
    local at
    at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' '
}
program=$stage/solvara.exe
[ -f "$stage" ] && program=$stage
if [ -f "$program" ] && [ "$(pe_machine "$program")" = 014c ] &&
    ! "$root/tools/can-run-32-bit"; then
    echo "skipped: this machine cannot run 32-bit programs"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work/stage"
if [ -d "$stage" ]; then
    cp -r "$stage/." "$work/stage/"
    sox -n -r 44100 -c 2 "$work/stage/Data/audio.ogg" synth $((seconds + 20)) sine 440 vol 0.5
fi

if [ -z "${DISPLAY:-}" ]; then . "$root/tools/xvfb-start"; fi
. "$root/tools/demo-session"
. "$root/tools/pulse-server"
stress_pid=
cleanup() {
    session_stop
    [ -n "$stress_pid" ] && kill "$stress_pid" 2>/dev/null && wait "$stress_pid" 2>/dev/null
    pulse_stop
    [ -n "${OMBREL_XVFB_PID:-}" ] && kill "$OMBREL_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

pulse_start "$work/pulse" || exit 1
pulse_record "$work/capture.raw"
if [ "$load" = loaded ]; then
    stress-ng --cpu 2 --quiet --timeout $((seconds + 120)) &
    stress_pid=$!
fi
if [ -f "$stage" ]; then
    # The control plays by itself and ends; its runtime DLLs lie beside it.
    timeout $((seconds + 120)) "$root/cmake/wine-run" "$stage" "$seconds" >"$work/control.txt" 2>&1
    SESSION_STATUS=$?
else
    SESSION_ENV=(SDL_AUDIODRIVER=pulseaudio PULSE_SERVER="$PULSE_SERVER" PULSE_SINK="$PULSE_SINK")
    session_start "$work/stage" "$work/session"
    # Wine and a loaded machine take a while to start the program.
    session_play $((seconds + 120)) "$seconds"
fi
pulse_record_stop
echo "$load, $seconds s of demo, program exit status $SESSION_STATUS"
"$bin/tone_gaps" "$work/capture.raw"
gaps=$?
[ "$SESSION_STATUS" = 0 ] || { echo "FAILED: the program did not end normally"; exit 1; }
exit $gaps
