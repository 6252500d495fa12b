# Sourced by the scripts that drive the real program on the X display
# ($DISPLAY): finding its windows and pressing keys in them.

# The first visible window of the program ("solvara", or "solvara.exe" under
# wine) whose title is exactly $1; "" finds the setup dialog, which has none.
# (xdotool's own search by name misses titles set as UTF-8 text, as SDL sets
# them.)
find_window() {
  local window
  for window in $(xdotool search --onlyvisible --classname '^solvara(\.exe)?$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] && { echo "$window"; return; }
  done
}

# Gives the window the keyboard focus and presses key $2 in it; never waits
# long for a window that has gone meanwhile.
press() { timeout 5 xdotool windowfocus --sync "$1" key "$2" 2>/dev/null; }

# The demo window's title.
DemoWindowTitle=" SOLVARA RealTime"
