#!/usr/bin/env bash
# Builds a Release build into build-release/ and from it the Debian package,
# vellumark_<version>_<arch>.deb, in the folder given (the top folder by
# default). The package holds what `cmake --install` installs, under /usr.
#   package.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath "${1:-.}")
scripts/install-deps.sh --package
# Debian's hardening flags, as a package built by Debian's own tools gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Without -Werror: a newer compiler's new warning must not stop a release.
cmake --preset release -DVELLUMARK_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build --preset release
rm -f build-release/vellumark_*.deb
(cd build-release && cpack -G DEB >/dev/null)
package=$(ls build-release/vellumark_*.deb)
mkdir -p "$output"
cp "$package" "$output/"
echo "$output/$(basename "$package")"
