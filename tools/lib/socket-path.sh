#!/usr/bin/env bash
# The length limit of Unix socket paths, for the scripts that start private
# servers: sun_path holds 108 bytes with the terminating NUL, so a socket's
# path has at most 107. A server told a longer path fails, often only in its
# own log, and often long after it started (slurmd when it starts a job
# step), so these scripts keep their sockets in a short private folder and
# check every path before they start anything.
#
# Sourced by shell scripts:
#   socket_folder NAME      makes a private folder (mode 0700) named after
#       NAME under $XDG_RUNTIME_DIR, else $TMPDIR, else /tmp, and prints its
#       path; the caller removes it when its server stops
#   socket_path_fits WHO PATH [WHAT]
#       returns 0 when PATH fits; else says on standard error, as WHO, which
#       path (WHAT it is) is too long, its length and the limit, and returns 1
# Run by scripts in other languages, with the same arguments:
#   tools/lib/socket-path.sh folder NAME
#   tools/lib/socket-path.sh fits WHO PATH [WHAT]

SOCKET_PATH_MAX=107

# Where socket_folder makes its folders.
socket_base() {
  local base
  for base in "${XDG_RUNTIME_DIR:-}" "${TMPDIR:-}" /tmp; do
    [ -n "$base" ] && [ -d "$base" ] && [ -w "$base" ] && { echo "${base%/}"; return 0; }
  done
  echo "socket-path: no writable folder for sockets (XDG_RUNTIME_DIR, TMPDIR, /tmp)" >&2
  return 1
}

socket_folder() {
  local base folder
  base=$(socket_base) || return 1
  folder=$(mktemp -d "$base/ombrel-$1.XXXXXX") || {
    echo "socket-path: could not make a folder for sockets in $base" >&2
    return 1
  }
  chmod 700 "$folder" && echo "$folder"
}

socket_path_fits() {
  local who=$1 path=$2 what=${3:+ ($3)} length base hint=""
  # Bytes, not characters: the limit is the kernel's.
  length=$(printf '%s' "$path" | wc -c)
  [ "$length" -le "$SOCKET_PATH_MAX" ] && return 0
  base=$(socket_base 2>/dev/null)
  if [ -n "$base" ] && [[ $path == "$base"/* ]]; then
    hint="; set XDG_RUNTIME_DIR or TMPDIR to a shorter folder than $base"
  fi
  echo "$who: the Unix socket path '$path'$what is $length bytes long, over the limit of" \
    "$SOCKET_PATH_MAX bytes (sun_path holds $((SOCKET_PATH_MAX + 1)) with the terminating NUL)$hint" >&2
  return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case ${1:-} in
    folder) [ $# -eq 2 ] && { socket_folder "$2"; exit; } ;;
    fits) [ $# -ge 3 ] && [ $# -le 4 ] && { socket_path_fits "${@:2}"; exit; } ;;
  esac
  echo "usage: tools/lib/socket-path.sh folder NAME | fits WHO PATH [WHAT]" >&2
  exit 2
fi
