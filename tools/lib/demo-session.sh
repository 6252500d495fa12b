# Sourced by every script that runs the real program and drives its windows
# as a person does: ./demo, the end-to-end, hostile and memory-check tests,
# and the program's benchmark sessions. Starts the staged program on the X
# display ($DISPLAY) with its music captured to a file, finds its windows,
# presses keys in them, takes screenshots and waits for its end. A stage
# folder that holds solvara.exe runs under wine (tools/wine-run picks the
# 32-bit or the 64-bit loader). Needs xwininfo, xdotool, ImageMagick's import,
# sox, python3, and wine for the Windows builds.
#
#   session_start <stage folder> <output folder>
#       starts the program in the background from its stage folder; sets
#       SESSION_PID, SESSION_OUT and SESSION_PLATFORM (posix or win32). The
#       music goes to <output>/music.raw (SDL's disk driver) or
#       <output>/music.wav (an ALSA file device under wine); standard output
#       and error go to <output>/stdout.txt and <output>/stderr.txt. The
#       assignments in the array SESSION_ENV, if set, are added to the
#       program's environment; natively the command in the array
#       SESSION_WRAPPER, if set, runs the program (e.g. valgrind and its options)
#   session_window <kind>          id of the program's top-level window of that
#       kind, if shown: setup (the setup dialog), demo (the demo window),
#       message (a message box titled "Exception")
#   session_wait_window <kind> <seconds>   waits for it; prints its id
#   session_click <window> <x> <y> a click of the left button at that place
#   session_press <window> <key>   moves the pointer into the window (a click
#       under wine), gives it the focus and presses the key;
#       SESSION_PRESSED_AT is the time of the press (seconds since the epoch)
#   session_dismiss <kind> <key> <seconds>  presses the key on the window of
#       that kind until the window has gone (a busy wine may drop a press)
#   session_close <window>         asks the window to close, as its close
#       button does (tools/close-window)
#   session_shot <window|root> <file>   a PNG of the window's contents
#   session_play <time limit> <seconds of demo before Escape, or never>
#       answers the program until it ends, as a person does: Return on the
#       setup dialog and on a message box, Escape on the demo window once it
#       has shown that long, each again a few seconds later while the window
#       stays. Sets SESSION_SAW_SETUP and SESSION_SAW_DEMO (yes or no),
#       SESSION_ESCAPES (how many were pressed) and SESSION_STATUS; ends the
#       program and fails when it runs past the time limit (in seconds)
#   session_wait_exit <seconds>    waits for the program and sets
#       SESSION_STATUS to its exit code, or to "running" when it has not ended
#       in time (call it directly, not in $(...): only this shell can wait)
#   session_messages               the texts of the message boxes shown, one
#       a line (the line "Exception: ..." on standard error natively; wine's
#       trace of the box under wine, which cuts a long text)
#   session_music_heard            succeeds once the program's music has begun
#       to reach the capture file
#   session_music_wav              writes <output>/music.wav from what was
#       captured (already a WAV under wine)
#   session_stop                   ends the program if it still runs

session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

session_start() {
    local stage=$1 out=$2
    # The program runs in its stage folder: the output's path must hold there.
    mkdir -p "$out"
    out=$(cd "$out" && pwd)
    SESSION_OUT=$out
    rm -f "$out/music.raw" "$out/music.wav" "$out/stdout.txt" "$out/stderr.txt"
    if [ -f "$stage/solvara.exe" ]; then
        SESSION_PLATFORM=win32
        # A private ALSA configuration whose default device writes a WAV file.
        mkdir -p "$out/home"
        cat >"$out/home/.asoundrc" <<ALSA
pcm.!default {
  type file
  slave.pcm "null"
  file "$out/music.wav"
  format "wav"
}
ALSA
        # The system's configuration without its conf.d folders: the pulseaudio
        # package's hook there needs an ALSA plugin that 32-bit wine lacks, and
        # ALSA opens no device at all when a hook fails.
        sed '/conf\.d"$/d' /usr/share/alsa/alsa.conf >"$out/home/alsa.conf"
        (cd "$stage" && exec env HOME="$out/home" WINEDEBUG="-all,trace+msgbox" \
            ALSA_CONFIG_PATH="$out/home/alsa.conf" \
            ${SESSION_ENV[@]+"${SESSION_ENV[@]}"} "$session_root/tools/wine-run" ./solvara.exe) \
            >"$out/stdout.txt" 2>"$out/stderr.txt" &
    else
        SESSION_PLATFORM=posix
        (cd "$stage" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/music.raw" \
            ${SESSION_ENV[@]+"${SESSION_ENV[@]}"} ${SESSION_WRAPPER[@]+"${SESSION_WRAPPER[@]}"} \
            ./solvara) >"$out/stdout.txt" 2>"$out/stderr.txt" &
    fi
    SESSION_PID=$!
}

# A window is taken by its name and its program's class in the list of the
# root's children, then its name is read again with its map state in one look:
# wine creates a message box's window without a name and names it before it
# maps it, so a list taken in that moment shows a nameless window of the
# program that is shown a moment later as the message box.
session_window() {
    local name
    case $1 in
        setup) name='(has no name)' ;;
        demo) name='" SOLVARA RealTime"' ;;
        message) name='"Exception"' ;;
        *) return 1 ;;
    esac
    local id info
    for id in $(xwininfo -root -children 2>/dev/null | grep -F -- "$name: (\"solvara" |
        grep -v ' 1x1+' | awk '{print $1}'); do
        info=$(xwininfo -id "$id" 2>/dev/null)
        if grep -q -x -F -- "xwininfo: Window id: $id $name" <<<"$info" &&
            grep -q 'Map State: IsViewable' <<<"$info"; then
            echo "$id"
            return 0
        fi
    done
}

session_wait_window() {
    local kind=$1 seconds=$2 id i
    for ((i = 0; i < seconds * 10; i++)); do
        id=$(session_window "$kind")
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

session_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1 >/dev/null 2>&1
}

# The pointer goes into the window first: with no window manager, X gives the
# keyboard to the window under the pointer when a program drops its focus.
# Under wine it clicks there, as a person does: with no window manager on the
# display, wine activates a window only when it is clicked, and drops the keys
# of a window it has not activated. (Natively a click could land on a widget
# that takes the focus, such as the message box's text.) The key goes to the
# focused window, or straight to the window when something else holds the
# focus.
session_press() {
    if [ "$SESSION_PLATFORM" = win32 ]; then
        session_click "$1" 20 20
    else
        xdotool mousemove --window "$1" 20 20 >/dev/null 2>&1
    fi
    xdotool windowfocus "$1" >/dev/null 2>&1
    sleep 0.3
    SESSION_PRESSED_AT=$EPOCHREALTIME
    xdotool key --clearmodifiers --window "$1" "$2" 2>/dev/null
    # xdotool presses the key on the display and then sends it to the window
    # as well; when the press closes the window (Return on the setup dialog,
    # Escape on the demo), sending to the window that has gone fails and
    # xdotool exits before it lets the key go. A key left down repeats into
    # every later window (a held Escape cancels each next dialog), so it is let
    # go once more here; letting go of a key that is up does nothing.
    xdotool keyup "$2" 2>/dev/null
}

session_dismiss() {
    local kind=$1 key=$2 seconds=$3 id i
    for ((i = 0; i < seconds; i += 2)); do
        id=$(session_window "$kind")
        [ -n "$id" ] || return 0
        session_press "$id" "$key"
        for _ in $(seq 1 17); do
            [ -z "$(session_window "$kind")" ] && return 0
            sleep 0.1
        done
    done
    return 1
}

session_close() {
    python3 "$session_root/tools/close-window" "$1"
}

session_shot() {
    import -window "$1" "$2" 2>/dev/null
}

session_play() {
    local limit=$1 escape_after=$2 started=$SECONDS demo_since=-1 id demo last=""
    local accepted_at=-10 answered_at=-10 escaped_at=-10
    SESSION_SAW_SETUP=no SESSION_SAW_DEMO=no SESSION_ESCAPES=0
    while kill -0 "$SESSION_PID" 2>/dev/null; do
        if ((SECONDS - started >= limit)); then
            session_stop
            SESSION_STATUS=running
            return 1
        fi
        demo=$(session_window demo)
        [ -n "$demo" ] && SESSION_SAW_DEMO=yes
        # A key only for a window that was there at the last look already (a
        # window just shown may not take keys yet), and again only when it is
        # still there a while later.
        if id=$(session_window message) && [ -n "$id" ]; then
            if [ "$id" = "$last" ] && ((SECONDS - answered_at >= 5)); then
                session_press "$id" Return
                answered_at=$SECONDS
            fi
        elif id=$(session_window setup) && [ -n "$id" ]; then
            SESSION_SAW_SETUP=yes
            if [ "$id" = "$last" ] && ((SECONDS - accepted_at >= 5)); then
                session_press "$id" Return
                accepted_at=$SECONDS
            fi
        elif [ "$escape_after" != never ] && [ -n "$demo" ]; then
            ((demo_since < 0)) && demo_since=$SECONDS
            if ((SECONDS - demo_since >= escape_after && SECONDS - escaped_at >= 3)); then
                session_press "$demo" Escape
                escaped_at=$SECONDS
                SESSION_ESCAPES=$((SESSION_ESCAPES + 1))
            fi
        fi
        last=$id
        sleep 0.2
    done
    wait "$SESSION_PID"
    SESSION_STATUS=$?
}

session_wait_exit() {
    local seconds=$1 i
    SESSION_STATUS=running
    for ((i = 0; i < seconds * 20; i++)); do
        if ! kill -0 "$SESSION_PID" 2>/dev/null; then
            wait "$SESSION_PID"
            SESSION_STATUS=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}

session_messages() {
    if [ "$SESSION_PLATFORM" = win32 ]; then
        sed -n 's/^.*trace:msgbox:MSGBOX_OnInit L"\(.*\)"\(\.\.\.\)\{0,1\}$/\1/p' \
            "$SESSION_OUT/stderr.txt"
    else
        sed -n 's/^Exception: //p' "$SESSION_OUT/stderr.txt"
    fi
}

session_music_heard() {
    [ -s "$SESSION_OUT/music.raw" ] || [ -s "$SESSION_OUT/music.wav" ]
}

session_music_wav() {
    if [ -s "$SESSION_OUT/music.raw" ]; then
        sox -t raw -r 44100 -e signed -b 16 -c 2 "$SESSION_OUT/music.raw" "$SESSION_OUT/music.wav"
    fi
}

# SDL turns the end signal into a quit request, which a program held in a
# message box never reads: a program still there a few seconds later is killed.
session_stop() {
    if [ -n "${SESSION_PID:-}" ] && kill -0 "$SESSION_PID" 2>/dev/null; then
        kill "$SESSION_PID" 2>/dev/null
        session_wait_exit 3 || kill -KILL "$SESSION_PID" 2>/dev/null
        wait "$SESSION_PID" 2>/dev/null
    fi
}
