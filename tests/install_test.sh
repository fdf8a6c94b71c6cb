#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop files and
# checks that the installed program finds its data folder.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1

# A missing tool skips the test (77, see tests/CMakeLists.txt), or fails it
# where every tool must be there (tests/requiredtools.h).
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "needs a missing tool: $tool (scripts/install-deps.sh --test)" >&2
        [[ "${VELLUMARK_REQUIRE_TOOLS:-}" == 1 ]] && exit 1
        exit 77
    fi
done
work=$(mktemp -d)
trap 'kill "${app:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vellumark \
            share/applications/example.orvandi.Vellumark.desktop \
            share/metainfo/example.orvandi.Vellumark.metainfo.xml \
            share/icons/hicolor/scalable/apps/vellumark.svg \
            share/icons/hicolor/16x16/apps/vellumark.png \
            share/icons/hicolor/48x48/apps/vellumark.png \
            share/icons/hicolor/256x256/apps/vellumark.png \
            share/vellumark/help-en.html \
            share/man/man1/vellumark.1.gz \
            share/doc/vellumark/copyright \
            share/doc/vellumark/changelog.gz; do
    [[ -s "$prefix/$file" ]] || { echo "missing after install: $file" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/example.orvandi.Vellumark.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/example.orvandi.Vellumark.metainfo.xml"

# The first start writes the program's folder as the last picture folder.
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/vellumark" &
app=$!
settings="$work/config/Orvandi/Vellumark/Settings.ini"
for _ in $(seq 100); do
    grep -q '^Spessore=' "$settings" 2>/dev/null && break
    sleep 0.1
done
expected="Percorso=$prefix/share/vellumark"
grep -qxF "$expected" "$settings" || { echo "expected $expected in:" >&2; cat "$settings" >&2; exit 1; }
echo "install test passed"
