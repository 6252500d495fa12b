# Sourced by tests/packages/check-packages: the Linux packages, each unpacked
# into an empty folder of its own and run from there.
#
#   check_linux_tree <tree> <version> <what>   a tree with bin/, lib/solvara/,
#       share/ (the tarball's folder, or usr/ of the Debian package): the tools
#       say the version, the launcher plays the demo from another folder, the
#       validator passes the packs, the capture program writes a short video
#   check_tarball <archive>
#   check_deb <package> <install: yes|no>      dpkg-deb -x, lintian, and with
#       <install> yes also dpkg -i, the installed program and dpkg -P

check_linux_tree() {
    local tree=$1 version=$2 what=$3 tool
    for tool in ombrel-capture ombrel-inspect ombrel-validate; do
        check "$what: $tool --version says $version" \
            test "$("$tree/bin/$tool" --version 2>&1)" = "$tool $version"
    done
    check "$what: the desktop entry starts solvara with its icon" \
        grep -q -x 'Exec=solvara' "$tree/share/applications/solvara.desktop"
    check "$what: the icon is in place" test -s "$tree/share/icons/hicolor/32x32/apps/solvara.png"

    # From the PATH, in a folder of the caller's: the launcher finds its own.
    local out=$work/${what// /-}
    mkdir -p "$out"
    play_demo "$tree/bin" "$out/demo" "$what"

    (cd "$out" && PATH="$tree/bin:$PATH" timeout 300 ombrel-validate --strictness 5 Kestrelia.so) \
        >"$out/validate-kestrelia.txt" 2>&1
    check "$what: the packed validator passes the packed Kestrelia.so" test $? = 0
    (cd "$out" && PATH="$tree/bin:$PATH" timeout 300 ombrel-validate --strictness 5 \
        --with Kestrelia.so Vantrope.so) >"$out/validate-vantrope.txt" 2>&1
    check "$what: the packed validator passes the packed Vantrope.so" test $? = 0

    (cd "$out" && PATH="$tree/bin:$PATH" timeout 300 ombrel-capture -o capture.mp4 --seconds 1 \
        --size 320x240 --fps 30) >"$out/capture.txt" 2>&1
    check "$what: the packed capture program writes a second of video with music" \
        video_ok "$out/capture.mp4" 320x240 30
}

check_tarball() {
    local archive=$1 version tree
    version=$(archive_version "$archive")
    unpack "$archive" "$work/tarball" || { check "the tarball unpacks" false; return; }
    tree=$work/tarball/$(basename "$archive" .tar.gz)
    check "the tarball holds one folder of its name, with its read-me" test -s "$tree/README.txt"
    check_linux_tree "$tree" "$version" tarball
}

check_deb() {
    local package=$1 install=$2 version
    version=$(archive_version "$package")
    check "the Debian package says version $version" \
        test "$(dpkg-deb -f "$package" Version)" = "$version"
    local depends
    depends=$(dpkg-deb -f "$package" Depends)
    check "its dependencies come from dpkg-shlibdeps (SDL2, GTK 3, FFmpeg)" \
        eval 'for d in libsdl2 libgtk-3 libavcodec libavformat libswscale libgl1; do
                  grep -q "$d" <<<"$depends" || exit 1; done'
    lintian --no-tag-display-limit "$package" >"$work/lintian.txt" 2>&1
    check "lintian reports no error ($(grep -c '^W:' "$work/lintian.txt") warnings)" \
        eval '! grep -q "^E:" "$work/lintian.txt"'
    grep -E '^(E|W):' "$work/lintian.txt" | sed 's/^/  lintian: /'

    unpack "$package" "$work/deb" || { check "the Debian package unpacks" false; return; }
    check "the program is in its own folder, /usr/lib/solvara" test -x "$work/deb/usr/lib/solvara/solvara"
    check_linux_tree "$work/deb/usr" "$version" "deb tree"

    [ "$install" = yes ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "skipped: installing the Debian package: only root may (run as root in CI)"
        return 0
    fi
    if dpkg-query -W -f='${Status}' solvara 2>/dev/null | grep -q 'ok installed'; then
        check "solvara is not installed before the test installs it" false
        return
    fi
    # The driver removes it however the checks end.
    deb_installed=yes
    dpkg -i "$package" >"$work/dpkg-install.txt" 2>&1
    check "dpkg -i installs the package" test $? = 0
    local out=$work/installed
    mkdir -p "$out"
    check "solvara is on the PATH" test "$(command -v solvara)" = /usr/bin/solvara
    play_demo /usr/bin "$out/demo" "installed"
    dpkg -P solvara >"$work/dpkg-remove.txt" 2>&1
    local removed=$?
    deb_installed=no
    check "dpkg -P removes it, with its folder" \
        eval '[ $removed = 0 ] && [ ! -e /usr/lib/solvara ] && ! dpkg-query -W solvara >/dev/null 2>&1'
}
