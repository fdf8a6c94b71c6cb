#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the
# given number of seconds on its seed corpus (docs/ROBUSTNESS.md).
#   fuzz.sh [SECONDS] [TARGET...]     default: 60 s each, every target
# Inputs that find new paths collect in build-fuzz/corpus/<target>, so a
# later run goes on from there; an input that breaks a target is kept as
# build-fuzz/findings/<target>-crash-... and the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2; }
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(numbertext pictures settingsfile)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Freed picture buffers wait in AddressSanitizer's quarantine; keep it small
# so that the memory limit catches real growth, not recycled buffers.
export ASAN_OPTIONS=quarantine_size_mb=64:allocator_release_to_os_interval_ms=500

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
    [[ -d "fuzz/corpus/$target" ]] || { echo "no fuzz target $target" >&2; exit 2; }
    mkdir -p "build-fuzz/corpus/$target"
    log="build-fuzz/$target.log"
    echo "Fuzzing $target for $seconds s"
    # An input that takes longer than 25 s is a finding too.
    if ! "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
            "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$log" | tail -n 60 >&2 || true
        echo "fuzz_$target broke a promise: see $log and build-fuzz/findings/" >&2
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" | sed 's/^/    /' || true
done
