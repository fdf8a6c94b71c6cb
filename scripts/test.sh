#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test
# headless; builds, checks, installs and purges the Debian package; then the
# suite again under AddressSanitizer and UBSan, this time with a CUPS server
# running, and a short run of each fuzz target (docs/ROBUSTNESS.md).
# Prints how long each step took; the last line is the count of tests.
set -euo pipefail
cd "$(dirname "$0")/.."

# Here every tool a test needs must be there: a missing one fails its test
# instead of skipping it (tests/requiredtools.h).
export VELLUMARK_REQUIRE_TOOLS=1

timings=()
timed() { # NAME COMMAND...
    local name=$1 start=$SECONDS
    shift
    "$@" || return $?
    timings+=("$(printf '%-16s %4d s' "$name" $((SECONDS - start)))")
}

runtime=$(mktemp -d)
background=
cups=
cleanup() {
    [[ -n "$background" ]] && kill "$background" 2>/dev/null
    [[ -n "$cups" ]] && kill "$cups" 2>/dev/null && wait "$cups" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

timed install-deps scripts/install-deps.sh --test
timed format scripts/check-format.sh
timed configure cmake --preset default >/dev/null
timed build cmake --build --preset default

# The tests mostly wait (for windows, servers, printers): meanwhile the
# package's release build and the sanitized build use the idle processors.
(
    nice scripts/package.sh "$runtime/package" >/dev/null
    nice cmake --preset asan >/dev/null
    nice cmake --build --preset asan >/dev/null
) >"$runtime/background.log" 2>&1 &
background=$!
timed ctest ctest --preset default --parallel "$jobs"
timed background-build wait "$background" || { cat "$runtime/background.log" >&2; exit 1; }
background=
timed package tests/package_test.sh

# Once more while a CUPS server runs, as on every desktop: no test may
# depend on there being none. The server is started here unless one answers.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    /usr/sbin/cupsd -f &
    cups=$!
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break
        sleep 0.2
    done
    lpstat -r | grep -q 'is running' || { echo "no CUPS server could be started" >&2; exit 1; }
fi
echo "Sanitized run: AddressSanitizer, LeakSanitizer, UBSan; a CUPS server running"
timed asan-ctest ctest --preset asan --parallel "$jobs"
if [[ -n "$cups" ]]; then
    kill "$cups"
    wait "$cups" 2>/dev/null || true
    cups=
fi

timed fuzz scripts/fuzz.sh 20

echo
printf '%s\n' "${timings[@]}"
# Every step above stops the run on a failure, so reaching here means all passed.
normal=$(ctest --preset default -N | sed -n 's/^Total Tests: //p')
sanitized=$(ctest --preset asan -N | sed -n 's/^Total Tests: //p')
echo
# The package test is one more.
echo "tests: $((normal + sanitized + 1)) passed, 0 failed"
