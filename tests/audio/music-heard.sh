#!/usr/bin/env bash
# When a program's music is heard against its demo's time 0, beside the
# native build's, through one private PulseAudio daemon. music_start (the
# host's music calls) prints the wall-clock time where the host resets its
# timer. The native music_start plays a tone on the left channel from before
# the measured one starts until after it ends, the measured one a tone on the
# right; one recording of the sink's monitor holds both starts. So
#
#   heard later = (right start - left start) - (right zero - left zero)
#
# is how much later than the native build the measured program's music is
# heard against its own time 0, with no clock set against the recording.
# Measured against itself, the native build gives 0 within a buffer or two.
#
#   music-heard.sh <music_start program> <bin folder> <work folder> [runs]
#
# A Windows program runs under wine, through wine's PulseAudio driver.
# Prints "later <ms>" per run and their median as "median <ms>";
# MUSIC_HEARD_WITHIN=<ms> fails when the median is further from 0 than that.
set -uo pipefail
program=$1 bin=$2 work=$3 runs=${4:-3}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

[ -x "$bin/tone_gaps" ] || { echo "skipped: no $bin/tone_gaps (the native build makes it)"; exit 77; }
for tool in pulseaudio parec sox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
run=("$program")
case $program in
    *.exe)
        if ! "$root/tools/can-run-32-bit" --for "$program"; then
            echo "skipped: this machine cannot run 32-bit programs"
            exit 77
        fi
        run=("$root/tools/wine-run" "$program")
        ;;
esac

rm -rf "$work"
mkdir -p "$work"
sox -n -r 44100 -c 2 "$work/left.ogg" synth 30 sine 440 vol 0.5 remix 1 0
sox -n -r 44100 -c 2 "$work/right.ogg" synth 4 sine 440 vol 0.5 remix 0 1
. "$root/tools/lib/pulse-server.sh"
reference_pid=
cleanup() {
    [ -n "$reference_pid" ] && kill "$reference_pid" 2>/dev/null
    pulse_stop
}
trap cleanup EXIT
pulse_start "$work/pulse" || exit 1
export SDL_AUDIODRIVER=pulseaudio

# The start of the tone on one channel of a recording, in seconds.
tone_start() {
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -t raw "$1.$2" remix "$2" "$2"
    "$bin/tone_gaps" "$1.$2" | awk '/^start / { print $2 }'
}
zero_of() { awk '/^zero / { print $2 }' "$1"; }

later=()
for i in $(seq 1 "$runs"); do
    pulse_record "$work/capture-$i.raw"
    "$bin/music_start" "$work/left.ogg" 8 >"$work/left-$i.txt" 2>&1 &
    reference_pid=$!
    for _ in $(seq 1 100); do [ -n "$(zero_of "$work/left-$i.txt")" ] && break; sleep 0.1; done
    timeout 120 "${run[@]}" "$work/right.ogg" 2 >"$work/right-$i.txt" 2>&1
    wait "$reference_pid"
    reference_pid=
    pulse_record_stop
    left_zero=$(zero_of "$work/left-$i.txt") right_zero=$(zero_of "$work/right-$i.txt")
    left=$(tone_start "$work/capture-$i.raw" 1) right=$(tone_start "$work/capture-$i.raw" 2)
    if [ -z "$left_zero" ] || [ -z "$right_zero" ] || [ -z "$left" ] || [ -z "$right" ]; then
        echo "FAILED: run $i: a start is missing (zeros '$left_zero' '$right_zero'," \
            "tones at '$left' '$right')"
        cat "$work/right-$i.txt"
        exit 1
    fi
    later+=("$(awk -v lz="$left_zero" -v rz="$right_zero" -v l="$left" -v r="$right" \
        'BEGIN { printf "%.1f", (r - l) * 1000 - (rz - lz) / 1e6 }')")
    echo "later ${later[-1]}"
done
median=$(printf '%s\n' "${later[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "median $median"
if [ -n "${MUSIC_HEARD_WITHIN:-}" ]; then
    awk -v m="$median" -v w="$MUSIC_HEARD_WITHIN" 'BEGIN { exit !(m >= -w && m <= w) }' ||
        { echo "FAILED: the median must be within $MUSIC_HEARD_WITHIN ms"; exit 1; }
fi
