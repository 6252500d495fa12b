#!/usr/bin/env bash
# can-run-32-bit answers whether this machine runs 32-bit x86 programs. Where
# 32-bit wine is installed, its loader must agree: a wrong "no" would skip the
# i686 tests on a machine that can run them, a wrong "yes" would fail them all.
# The override that plays a machine without 32-bit support answers no, and
# says why.
#
#   probe_test.sh <can-run-32-bit>
probe=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

reason=$(OMBREL_32BIT_PROBE=false "$probe" -v 2>&1) && fail "OMBREL_32BIT_PROBE=false answered yes"
[[ $reason == "this machine cannot run 32-bit programs: "* ]] || fail "no reason given: '$reason'"

if [ -n "${OMBREL_32BIT_PROBE:-}" ]; then
    echo "OMBREL_32BIT_PROBE=$OMBREL_32BIT_PROBE plays the machine: nothing to compare"
    exit 0
fi
answer=no
"$probe" && answer=yes
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
    echo "32-bit wine is not installed; the probe answered $answer"
    exit 0
fi
wine=no
timeout 60 "$loader" --version >/dev/null 2>&1 && wine=yes
[ "$answer" = "$wine" ] || fail "the probe answered $answer, but whether 32-bit wine starts: $wine"
echo "the probe and 32-bit wine agree: $answer"
