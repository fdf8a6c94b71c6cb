#!/usr/bin/env bash
# Builds and runs every benchmark in bench/ and prints one table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
echo "Vellumark benchmarks, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m)"
echo
echo "| measure | value | compared with | its value | ratio | target |"
echo "|---|---|---|---|---|---|"
for bench in build/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    "$bench"
done
