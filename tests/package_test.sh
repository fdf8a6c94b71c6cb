#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it with apt-get,
# runs the installed program (--version, then its window on a virtual X
# display until the exit command), purges it and checks that nothing of it is
# left under /usr. Uses apt-get (with sudo when not root); the machine ends as
# it was found, packages included.
#   package_test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
apt_get() {
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -y -qq "$@"
}
installed_packages() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^.i/ {print $2}' | sort
}
traces_under_usr() {
    find /usr -iname '*vellumark*' 2>/dev/null | sort
}
fail() {
    echo "package test: $*" >&2
    exit 1
}

if dpkg-query -W -f='${Status}' vellumark 2>/dev/null | grep -q 'install ok installed'; then
    fail "vellumark is installed on this machine already; the test would remove it"
fi

work=$(mktemp -d)
packages_before=
# Purges the program and whatever its installation brought along.
restore_packages() {
    [[ -n "$packages_before" ]] || return 0
    local added
    added=$(comm -13 <(echo "$packages_before") <(installed_packages))
    if [[ -n "$added" ]]; then
        # shellcheck disable=SC2086
        apt_get purge $added >/dev/null
    fi
}
cleanup() {
    [[ -n "${app:-}" ]] && kill "$app" 2>/dev/null
    [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
    restore_packages || true
    rm -rf "$work"
}
trap cleanup EXIT

deb=$(scripts/package.sh "$work/out" | tail -n 1)
version=$(dpkg-deb -f "$deb" Version)
[[ $(basename "$deb") == "vellumark_${version}_$(dpkg --print-architecture).deb" ]] \
    || fail "unexpected package name $(basename "$deb")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

echo "lintian:"
lintian --fail-on error --info "$deb" | sed 's/^/  /'

traces_before=$(traces_under_usr)
packages_before=$(installed_packages)
apt_get install "$deb" >/dev/null
dpkg -L vellumark > "$work/files"

# The version the package carries, from the installed program.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vellumark --version)
[[ "$shown" == "Vellumark $version" ]] || fail "--version printed '$shown'"

# The installed program on a virtual display, ended by its exit command.
mkdir -p "$work/config/Orvandi/Vellumark" "$work/runtime"
chmod 700 "$work/runtime"
printf '[General]\nAbout=0\nUscita=0\n' > "$work/config/Orvandi/Vellumark/Settings.ini"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    /usr/bin/vellumark &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Vellumark ${version//./\\.}\$" | head -n 1) \
    || fail "the installed program's window did not show"
xdotool windowfocus --sync "$window" key ctrl+q
status=0
timeout 30 tail --pid="$app" -f /dev/null || fail "the exit command did not end the program"
wait "$app" || status=$?
app=
[[ $status -eq 0 ]] || fail "the program ended with status $status"
grep -qx 'Stampa=C' "$work/config/Orvandi/Vellumark/Settings.ini" \
    || fail "the settings were not written at exit"
kill "$xvfb"
xvfb=

apt_get purge vellumark >/dev/null
restore_packages
[[ "$(installed_packages)" == "$packages_before" ]] || fail "the installed packages differ from before"
while read -r path; do
    if [[ -f "$path" || -L "$path" ]]; then
        fail "left after purge: $path"
    fi
done < "$work/files"
[[ "$(traces_under_usr)" == "$traces_before" ]] || fail "left under /usr: $(comm -13 <(echo "$traces_before") <(traces_under_usr))"
echo "package test passed"
