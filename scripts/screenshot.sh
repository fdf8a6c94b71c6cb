#!/usr/bin/env bash
# Takes a screenshot of the real window under Xvfb.
#   screenshot.sh OUTPUT.png [NAME=VALUE ...]
# Each NAME=VALUE is written into a fresh settings file first (for example
# Lingua=Tedesco Skin=6); About=0 is implied.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "$1")
shift
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/config/Orvandi/Vellumark" "$work/runtime"
chmod 700 "$work/runtime"
{
    echo '; Vellumark settings, verbatim: a value is everything after the first "=" up to the end of its line'
    echo "About=0"
    for pair in "$@"; do echo "$pair"; done
} > "$work/config/Orvandi/Vellumark/Settings.ini"

Xvfb -displayfd 3 -screen 0 1000x1000x24 -nolisten tcp 3> "$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    build/vellumark &
app=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^Vellumark " 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || { echo "the window did not appear" >&2; exit 1; }
sleep "${SCREENSHOT_DELAY:-1}"
eval "${SCREENSHOT_ACTION:-true}"
sleep 0.5
import -window "$window" "$output"
echo "$output"
