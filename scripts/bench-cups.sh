#!/usr/bin/env bash
# Time from the print command until the CUPS PDF printer's file is complete,
# for two 6000 x 4000 photographs as A and B. Needs CUPS and cups-pdf (it
# starts a server when none answers). RUNS=n sets the runs per figure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target timetopaper_cups >/dev/null
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
echo "Vellumark time to paper, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m)"
echo
echo "| measure | value | compared with | its value | ratio | target |"
echo "|---|---|---|---|---|---|"
build/bench/timetopaper_cups
