#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests, benchmarks
# or fuzzers) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DBUILD_TESTING=OFF
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "Vellumark is built (build/vellumark), but there is no display to show it on:" >&2
    echo "run this from a graphical desktop session." >&2
    exit 1
fi
exec build/vellumark
