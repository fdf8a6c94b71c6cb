#!/usr/bin/env bash
# Installs the Debian 12 packages Vellumark needs, only those missing.
#   install-deps.sh             what building and running need
#   install-deps.sh --package   also what building the Debian package needs
#   install-deps.sh --test      also what packaging and the tests need
set -euo pipefail

# libqt6svg6: the program's drawings are SVG files, read through its plugins.
# at-spi2-core, dbus-daemon (tests): the screen readers' bus, read by the
# accessibility test.
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core
          qt6-image-formats-plugins qt6-translations-l10n libqt6svg6 qt6-wayland)
if [[ "${1:-}" == "--package" || "${1:-}" == "--test" ]]; then
    packages+=(dpkg-dev)
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=(lintian weston clang-format poppler-utils cups printer-driver-cups-pdf
               xvfb xauth xdotool imagemagick appstream desktop-file-utils libxcb1-dev
               clang libclang-rt-14-dev locales at-spi2-core dbus-daemon)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests read numbers under a German desktop's locale.
if [[ "${1:-}" == "--test" ]] && ! locale -a | grep -qix 'de_DE.utf-\?8'; then
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
