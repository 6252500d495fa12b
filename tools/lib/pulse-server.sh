# Sourced by the tests and benchmarks that play sound through a real sound
# server: starts a private PulseAudio daemon of their own (its own runtime
# folder, no system configuration, a null sink) and records what reaches that
# sink from its monitor. The caller's EXIT trap calls pulse_stop, so both end
# however the script ends.
#
#   pulse_start <folder>    starts the daemon with its log and home in
#       <folder>, its runtime and socket in a short private folder of its own
#       (tools/lib/socket-path.sh, checked against the length limit of a socket's
#       path before the daemon starts); exports PULSE_SERVER and PULSE_SINK
#       (the null sink, also the default), sets PULSE_PID, PULSE_HOME (the
#       home for pactl) and PULSE_RUNTIME. Fails when the daemon does not
#       answer within 10 s.
#   pulse_add_sink <name>   adds a second null sink of that name, for a
#       stream that must play without being recorded
#   pulse_record <file>     records the sink's monitor as raw 16-bit
#       little-endian stereo at 44.1 kHz into <file>; sets PULSE_RECORD_PID
#   pulse_record_stop       ends the recording (its last buffers written)
#   pulse_stop              ends the recording and the daemon, and removes
#       its runtime folder
#
# The daemon runs as the calling user; as root it needs --system=no and warns
# that it is not meant to run so, which does no harm to a private daemon.

. "$(dirname "${BASH_SOURCE[0]}")/socket-path.sh"

pulse_start() {
    local folder
    mkdir -p "$1/home"
    folder=$(cd "$1" && pwd)
    PULSE_HOME=$folder/home
    PULSE_RUNTIME=$(socket_folder pulse) || return 1
    socket_path_fits pulse-server "$PULSE_RUNTIME/native" "the daemon's socket" ||
        { rm -rf "$PULSE_RUNTIME"; PULSE_RUNTIME=; return 1; }
    export PULSE_SINK=ombrel_test
    export PULSE_SERVER="unix:$PULSE_RUNTIME/native"
    XDG_RUNTIME_DIR=$PULSE_RUNTIME PULSE_RUNTIME_PATH=$PULSE_RUNTIME HOME=$folder/home \
        pulseaudio -n --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
        --disable-shm=no --log-target=stderr \
        -L "module-null-sink sink_name=$PULSE_SINK rate=44100 channels=2" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$PULSE_RUNTIME/native" \
        2>"$folder/pulseaudio.log" &
    PULSE_PID=$!
    for _ in $(seq 1 100); do
        HOME=$PULSE_HOME pactl info >/dev/null 2>&1 && return 0
        kill -0 "$PULSE_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "pulse-server: the daemon did not start (see $folder/pulseaudio.log)" >&2
    return 1
}

pulse_add_sink() {
    HOME=$PULSE_HOME pactl load-module module-null-sink sink_name="$1" rate=44100 channels=2 \
        >/dev/null
}

pulse_record() {
    parec -d "$PULSE_SINK.monitor" --format=s16le --rate=44100 --channels=2 --raw \
        --latency-msec=20 >"$1" &
    PULSE_RECORD_PID=$!
}

pulse_record_stop() {
    if [ -n "${PULSE_RECORD_PID:-}" ]; then
        kill -INT "$PULSE_RECORD_PID" 2>/dev/null
        wait "$PULSE_RECORD_PID" 2>/dev/null
        PULSE_RECORD_PID=
    fi
}

pulse_stop() {
    pulse_record_stop
    if [ -n "${PULSE_PID:-}" ]; then
        kill "$PULSE_PID" 2>/dev/null
        wait "$PULSE_PID" 2>/dev/null
        PULSE_PID=
    fi
    if [ -n "${PULSE_RUNTIME:-}" ]; then
        rm -rf "$PULSE_RUNTIME"
        PULSE_RUNTIME=
    fi
}
