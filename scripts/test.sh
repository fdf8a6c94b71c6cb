#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless; builds,
# checks, installs and purges the Debian package; then the whole suite again
# under AddressSanitizer and UBSan, and a short run of each fuzz target
# (docs/ROBUSTNESS.md).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/check-format.sh
scripts/build.sh -DBUILD_TESTING=ON
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300
tests/package_test.sh

echo "Sanitized build: AddressSanitizer, LeakSanitizer, UBSan"
cmake -S . -B build-asan -G Ninja -DVELLUMARK_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure --timeout 600

scripts/fuzz.sh 20

# Every step above stops the run on a failure, so reaching here means all passed.
normal=$(ctest --test-dir build -N | sed -n 's/^Total Tests: //p')
sanitized=$(ctest --test-dir build-asan -N | sed -n 's/^Total Tests: //p')
echo
# The package test is one more.
echo "tests: $((normal + sanitized + 1)) passed, 0 failed"
