# Sourced by tests/packages/check-packages: what the checks of every kind of
# package share. Each check prints "ok: ..." or "FAILED: ..." and counts.
#
#   check <description> <command...>     runs the command, counts the result
#   unpack <archive> <empty folder>      .zip, .tar.gz or .deb (dpkg-deb -x)
#   archive_version <file name>          the version in a package's name
#   play_demo <folder> <out>             the program started from <folder> as
#       demo-session starts it (./solvara or ./solvara.exe there), driven
#       as a person does: Return on the setup dialog, a look at the frames,
#       Escape; checks the window, the frames, the music and the exit status
#   music_rms <out>                      the loudness of what the demo played
# Needs: DISPLAY, tools/lib/demo-session.sh sourced, $work (the checks' folder).

passed=0
failed=0
check() {
    local description=$1
    shift
    if "$@"; then
        echo "ok: $description"
        passed=$((passed + 1))
    else
        echo "FAILED: $description"
        failed=$((failed + 1))
    fi
}

unpack() {
    local archive=$1 folder=$2
    mkdir -p "$folder"
    [ -z "$(ls -A "$folder")" ] || { echo "unpack: $folder is not empty" >&2; return 1; }
    case $archive in
        *.zip) unzip -q "$archive" -d "$folder" ;;
        *.tar.gz) tar -xzf "$archive" -C "$folder" ;;
        *.deb) dpkg-deb -x "$archive" "$folder" ;;
        *) echo "unpack: $archive is no package" >&2; return 1 ;;
    esac
}

archive_version() {
    local name
    name=$(basename "$1")
    case $name in
        solvara_*_amd64.deb) name=${name#solvara_}; echo "${name%_amd64.deb}" ;;
        solvara-* | ombrel-sdk-*)
            name=${name#solvara-}
            name=${name#ombrel-sdk-}
            echo "$name" | sed -E 's/-(linux-x86_64|windows-x86|windows-x64)\.(tar\.gz|zip)$//' ;;
    esac
}

is_less() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

music_rms() {
    local out=$1
    [ -s "$out/music.wav" ] || return 1
    sox "$out/music.wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

not_black() {
    local mean
    mean=$(convert "$1" -format '%[fx:mean]' info: 2>/dev/null)
    [ -n "$mean" ] && is_less 0.02 "$mean"
}

# play_demo <folder> <out> <what>: the checks are named for <what>.
play_demo() {
    local folder=$1 out=$2 what=$3 start_seconds=30 window=""
    SESSION_ENV=()
    if [ -f "$folder/solvara.exe" ]; then
        # Wine needs longer to start a program, more so in a new prefix.
        start_seconds=120
        # The music goes to a file through ALSA. Wine's ALSA is configured by
        # a file of the test's own alone: the system's configuration may name
        # plugins that exist for 64-bit programs only (PulseAudio's), and
        # 32-bit ALSA then opens no device at all.
        mkdir -p "$out"
        out=$(cd "$out" && pwd)
        printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "wav"\n}\npcm.null { type null }\n' \
            "$out/music.wav" >"$out/asound.conf"
        SESSION_ENV=("ALSA_CONFIG_PATH=$out/asound.conf")
    fi
    session_start "$folder" "$out"
    local setup_shown=no demo_shown=no music=no status="" rms=""
    if session_wait_window setup "$start_seconds" >/dev/null; then
        setup_shown=yes
        session_dismiss setup Return 20
        if window=$(session_wait_window demo 60); then
            demo_shown=yes
            for _ in $(seq 1 300); do
                session_music_heard && break
                sleep 0.1
            done
            sleep 5
            session_shot "$window" "$out/frame.png"
            session_dismiss demo Escape 20
        fi
    fi
    session_wait_exit 30
    status=$SESSION_STATUS
    session_stop
    session_music_wav >/dev/null 2>&1
    rm -f "$out/music.raw"
    check "$what: the setup dialog appeared" test "$setup_shown" = yes
    check "$what: the demo window appeared after OK" test "$demo_shown" = yes
    check "$what: frames are drawn (the window is not black)" not_black "$out/frame.png"
    rms=$(music_rms "$out")
    check "$what: the music played (RMS ${rms:-none})" eval '[ -n "$rms" ] && is_less 0.01 "$rms"'
    check "$what: the program ended with status 0 after Escape (got $status)" test "$status" = 0
    if [ "$status" != 0 ] || [ "$demo_shown" = no ]; then
        grep -v -E 'fixme|^ALSA|^CRITICAL' "$out/stderr.txt" 2>/dev/null | head -n 15
    fi
}

# A video file with a picture of the size asked for and the number of frames
# of the length asked for, and music: video_ok <file> <WxH> <frames> [<wav>]
video_ok() {
    local file=$1 size=$2 frames=$3 wav=${4:-} info
    info=$(ffprobe -v error -count_frames -select_streams v:0 \
        -show_entries stream=width,height,nb_read_frames -of csv=p=0 "$file" 2>/dev/null)
    [ "$info" = "${size%x*},${size#*x},$frames" ] || { echo "  video: $info" >&2; return 1; }
    ffprobe -v error -select_streams a:0 -show_entries stream=codec_type -of csv=p=0 \
        "${wav:-$file}" 2>/dev/null | grep -q audio
}
