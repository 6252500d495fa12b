# Sourced by tests/packages/check-packages: a Windows zip, unpacked into an
# empty folder and run from there under wine, in a wine prefix made new for it
# (tools/wine-run starts 32-bit programs under 32-bit wine, 64-bit programs
# under 64-bit wine).
#
#   check_zip <archive> <x86|x64> <runs: yes|no>   with <runs> no (the x86 zip
#       on a machine that cannot run 32-bit programs) only the contents are
#       checked
#   windows_run <folder> <program.exe> <arguments...>  runs a packed program
#       there, bounded in time

windows_run() {
    local folder=$1
    shift
    (cd "$folder" && timeout 600 "$root/tools/wine-run" "$@")
}

check_zip() {
    local archive=$1 arch=$2 runs=$3 version folder what="windows-$arch zip"
    version=$(archive_version "$archive")
    unpack "$archive" "$work/zip-$arch" || { check "the $what unpacks" false; return; }
    folder=$work/zip-$arch/$(basename "$archive" .zip)
    local libgcc=libgcc_s_seh-1.dll file missing=""
    [ "$arch" = x86 ] && libgcc=libgcc_s_dw2-1.dll
    for file in solvara.exe Kestrelia.dll Vantrope.dll Data/audio.ogg ombrel-capture.exe \
        ombrel-inspect.exe ombrel-validate.exe libstdc++-6.dll "$libgcc" libwinpthread-1.dll \
        README.txt COPYRIGHT.txt THIRD-PARTY-NOTICES.txt; do
        [ -s "$folder/$file" ] || missing="$missing $file"
    done
    check "$what: the folder runs as it is (missing:${missing:- nothing})" test -z "$missing"
    check "$what: the notices name the GCC runtime's exception and stb_vorbis" \
        eval 'grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$folder/THIRD-PARTY-NOTICES.txt" &&
              grep -q "stb_vorbis" "$folder/THIRD-PARTY-NOTICES.txt"'
    if [ "$runs" = no ]; then
        echo "skipped: running the $what: this machine cannot run 32-bit programs"
        return
    fi

    # A wine prefix of its own, made by the first program that runs.
    export WINEPREFIX=$work/wineprefix-$arch
    local tool said
    for tool in ombrel-capture ombrel-inspect ombrel-validate; do
        said=$(windows_run "$folder" "./$tool.exe" --version 2>/dev/null | tr -d '\r')
        check "$what: $tool.exe --version says $version" test "$said" = "$tool $version"
    done

    local out=$work/${what// /-}
    mkdir -p "$out"
    play_demo "$folder" "$out/demo" "$what"

    # A second Run of OpenGLInit in one process fails on Windows, as the
    # program's own window class is registered once; the demo runs it once,
    # which counts at strictness 5 only.
    windows_run "$folder" ./ombrel-validate.exe --strictness 4 Kestrelia.dll \
        >"$out/validate-kestrelia.txt" 2>&1
    check "$what: the packed validator passes the packed Kestrelia.dll" test $? = 0
    windows_run "$folder" ./ombrel-validate.exe --strictness 5 --with Kestrelia.dll Vantrope.dll \
        >"$out/validate-vantrope.txt" 2>&1
    check "$what: the packed validator passes the packed Vantrope.dll" test $? = 0

    windows_run "$folder" ./ombrel-capture.exe -o capture.y4m --seconds 1 --size 320x240 --fps 30 \
        >"$out/capture.txt" 2>&1
    check "$what: the packed capture program writes a second of Y4M and WAV" \
        video_ok "$folder/capture.y4m" 320x240 30 "$folder/capture.wav"
    rm -f "$folder/capture.y4m" "$folder/capture.wav"
    unset WINEPREFIX
}
