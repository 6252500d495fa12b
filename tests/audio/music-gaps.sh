#!/usr/bin/env bash
# Plays the real program with a continuous 440 Hz tone as its music through a
# private PulseAudio daemon, records the sink's monitor, and counts the breaks
# in the tone (tone_gaps), as a listener would hear them.
#
#   music-gaps.sh <stage folder> <bin folder> <work folder> <seconds> <idle|loaded>
#   music-gaps.sh <control.exe> ...   the same for a control program under
#       wine that plays the tone by itself for <seconds> (waveout_tone.exe)
#
# MUSIC_GAPS_BESIDE=<stage folder> (with a control): the real program of that
# stage plays the demo beside the control for the whole run, its music (the
# same tone) into a second null sink that is not recorded. The control then
# meets all that the program costs wine's driver, its drawing with the
# software renderer above all, with none of the music layer on the path of
# the tone recorded: what wine itself costs a demo.
#
# loaded: both cores kept busy by stress-ng for the whole run. Prints the
# breaks found; fails when there is any. A stage folder with solvara.exe runs
# under wine, through wine's PulseAudio driver.
#
# MUSIC_GAPS_PROBE=<frame_probe.so> (native programs, for the benchmarks):
# the probe is preloaded into the program, without pacing its device, and
# writes <work folder>/probe.txt; the server's latency for the program's
# stream is sampled twice a second into <work folder>/latency.txt (the
# clock's time in ns, then the buffer's and the sink's latency in us).
set -uo pipefail
stage=$1 bin=$2 work=$3 seconds=$4 load=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

[ -x "$bin/tone_gaps" ] || { echo "skipped: no $bin/tone_gaps (the native build makes it)"; exit 77; }
for tool in pulseaudio parec sox stress-ng; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
program=$stage/solvara.exe
[ -f "$stage" ] && program=$stage
if [ -f "$program" ] && ! "$root/tools/can-run-32-bit" --for "$program"; then
    echo "skipped: this machine cannot run 32-bit programs"
    exit 77
fi

beside=${MUSIC_GAPS_BESIDE:-}
[ -n "$beside" ] && [ ! -f "$stage" ] && { echo "MUSIC_GAPS_BESIDE goes with a control program"; exit 2; }
rm -rf "$work"
mkdir -p "$work/stage"
if [ -d "$stage" ] || [ -n "$beside" ]; then
    cp -r "${beside:-$stage}/." "$work/stage/"
    sox -n -r 44100 -c 2 "$work/stage/Data/audio.ogg" synth $((seconds + 20)) sine 440 vol 0.5
fi

if [ -z "${DISPLAY:-}" ]; then . "$root/tools/lib/xvfb-start.sh"; fi
. "$root/tools/lib/demo-session.sh"
. "$root/tools/lib/pulse-server.sh"
stress_pid= latency_pid= control_pid=
cleanup() {
    session_stop
    [ -n "$control_pid" ] && kill "$control_pid" 2>/dev/null
    [ -n "$latency_pid" ] && kill "$latency_pid" 2>/dev/null
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
if [ -n "$beside" ]; then
    # The program first, until its demo window shows; the control's tone
    # then, while the program draws, which it goes on doing a while after.
    pulse_add_sink ombrel_aside || { echo "FAILED: no second sink"; exit 1; }
    SESSION_ENV=(PULSE_SERVER="$PULSE_SERVER" PULSE_SINK=ombrel_aside)
    session_start "$work/stage" "$work/session"
    session_wait_window setup 120 >/dev/null && session_dismiss setup Return 30
    session_wait_window demo 120 >/dev/null || { echo "FAILED: the program beside did not draw"; exit 1; }
    timeout $((seconds + 120)) "$root/tools/wine-run" "$stage" "$seconds" >"$work/control.txt" 2>&1 &
    control_pid=$!
    session_play $((seconds + 120)) $((seconds + 10))
    echo "the program beside the control: exit status $SESSION_STATUS"
    [ "$SESSION_STATUS" = 0 ] || { echo "FAILED: the program beside did not end normally"; exit 1; }
    wait "$control_pid"
    SESSION_STATUS=$?
elif [ -f "$stage" ]; then
    # The control plays by itself and ends; its runtime DLLs lie beside it.
    timeout $((seconds + 120)) "$root/tools/wine-run" "$stage" "$seconds" >"$work/control.txt" 2>&1
    SESSION_STATUS=$?
else
    SESSION_ENV=(SDL_AUDIODRIVER=pulseaudio PULSE_SERVER="$PULSE_SERVER" PULSE_SINK="$PULSE_SINK")
    if [ -n "${MUSIC_GAPS_PROBE:-}" ]; then
        SESSION_ENV+=(LD_PRELOAD="$MUSIC_GAPS_PROBE" FRAME_PROBE_OUTPUT="$work/probe.txt"
            FRAME_PROBE_PACE=0)
        while sleep 0.5; do
            HOME=$PULSE_HOME pactl list sink-inputs 2>/dev/null | awk -v now="$(date +%s%N)" '
                /Buffer Latency:/ { buffer = $3 }
                /Sink Latency:/ { if (buffer != "") print now, buffer, $3; buffer = "" }'
        done >"$work/latency.txt" &
        latency_pid=$!
    fi
    session_start "$work/stage" "$work/session"
    # Wine and a loaded machine take a while to start the program.
    session_play $((seconds + 120)) "$seconds"
fi
pulse_record_stop
[ -n "$latency_pid" ] && kill "$latency_pid" 2>/dev/null
echo "$load, $seconds s of demo, program exit status $SESSION_STATUS"
"$bin/tone_gaps" "$work/capture.raw"
gaps=$?
[ "$SESSION_STATUS" = 0 ] || { echo "FAILED: the program did not end normally"; exit 1; }
if [ -n "${MUSIC_GAPS_PROBE:-}" ]; then
    # The first buffer of music against the demo's time 0, and when it is
    # heard: the server's latency later. The music layer starts the music
    # that much ahead of the picture; a stream that is not yet playing, or no
    # account of the server's buffer, puts the music behind the picture.
    start=$(awk '/^timer_zero / { zero = $2 }
        /^buffer / { if ($3 > 0 && !found) { found = 1; printf "%.1f", (previous - zero) / 1e6 }
                     previous = $2 }' "$work/probe.txt")
    latency=$(awk '{ print ($2 + $3) / 1000 }' "$work/latency.txt" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }')
    heard=$(awk -v s="${start:-1e9}" -v l="${latency:-1e9}" 'BEGIN { printf "%.1f", s + l }')
    echo "the music enters the device ${start:-never} ms after the demo's time 0;" \
        "the server holds ${latency:-unknown} ms: it is heard $heard ms after the picture"
    awk -v ms="$heard" 'BEGIN { exit !(ms >= -50 && ms <= 50) }' ||
        { echo "FAILED: the music must be heard within 50 ms of the picture"; exit 1; }
fi
exit $gaps
