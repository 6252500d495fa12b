# Sourced by tests/packages/check-packages: an SDK archive, unpacked into an
# empty folder, builds the template pack out of tree with nothing but the
# archive (and, for Windows, the mingw-w64 compilers its toolchain file
# names); the validator of the program's package for the same target passes
# the pack put beside the program.
#
#   check_sdk <archive> <linux-x86_64|windows-x86|windows-x64> <demo folder>
#       <runs: yes|no>; <demo folder> is the unpacked program's folder of the
#       same target (lib/solvara, or the zip's folder), or empty when that
#       package was not checked

check_sdk() {
    local archive=$1 platform=$2 demo=$3 runs=$4 what="SDK $2" sdk build options=()
    unpack "$archive" "$work/sdk-$platform" || { check "the $what unpacks" false; return; }
    sdk=$work/sdk-$platform/$(basename "$archive" | sed -E 's/\.(tar\.gz|zip)$//')
    build=$work/template-$platform
    local config=$sdk/lib/cmake/Ombrel pack=TemplatePack.so
    check "$what: holds the CMake package, the headers, the template pack and the guide" \
        eval 'test -f "$config/OmbrelConfig.cmake" && test -f "$sdk/include/ombrel/plugin/contract.h" &&
              test -f "$sdk/share/ombrel/template-pack/CMakeLists.txt" &&
              test -f "$sdk/share/ombrel/writing-a-pack.md"'
    case $platform in
        linux-x86_64) options=(-DCMAKE_PREFIX_PATH="$sdk") ;;
        windows-x86 | windows-x64)
            local arch=i686
            [ "$platform" = windows-x64 ] && arch=x86_64
            check "$what: holds its toolchain file" test -f "$config/toolchain-mingw-$arch.cmake"
            options=(-DCMAKE_TOOLCHAIN_FILE="$config/toolchain-mingw-$arch.cmake" -DOmbrel_DIR="$config")
            pack=TemplatePack.dll ;;
    esac
    (timeout 300 cmake -S "$sdk/share/ombrel/template-pack" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release "${options[@]}" && timeout 300 cmake --build "$build") \
        >"$work/template-$platform.txt" 2>&1
    check "$what: builds the template pack out of tree" test -f "$build/$pack"
    [ -f "$build/$pack" ] || { tail -n 20 "$work/template-$platform.txt"; return; }
    check "$what: the outside build takes nothing from the source tree" \
        eval '! grep -q -F "$root/" "$build/CMakeCache.txt" "$build/build.ninja"'

    if [ -z "$demo" ] || [ "$runs" = no ]; then
        echo "skipped: the $what's pack in the demo: the program's package was not run"
        return
    fi
    # A copy of the demo folder, with the pack beside the program.
    local beside=$work/demo-with-template-$platform
    cp -r "$demo" "$beside" && cp "$build/$pack" "$beside/"
    if [ "$pack" = TemplatePack.dll ]; then
        WINEPREFIX=$work/wineprefix-${platform#windows-} windows_run "$beside" \
            ./ombrel-validate.exe --strictness 5 "$pack" >"$work/validate-template-$platform.txt" 2>&1
    else
        (cd "$beside" && timeout 300 ./ombrel-validate --strictness 5 "$pack") \
            >"$work/validate-template-$platform.txt" 2>&1
    fi
    check "$what: the packed validator passes the template pack" test $? = 0
}
