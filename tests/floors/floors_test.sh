#!/usr/bin/env bash
# Checks that the floors hold: each probe that climbs a floor fails to
# compile for the include it makes, the control probe compiles, and no
# source reaches a higher floor by a relative path.
#   floors_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1
build_dir=$2
failures=0

expect_build() { # TARGET ok|missing-header
    local target=$1 expected=$2 output
    output=$(cmake --build "$build_dir" --target "$target" 2>&1)
    local status=$?
    if [[ $expected == ok && $status -ne 0 ]]; then
        echo "FAIL: $target should compile:"; echo "$output" | tail -n 20
        failures=$((failures + 1))
    elif [[ $expected == missing-header ]]; then
        if [[ $status -eq 0 ]]; then
            echo "FAIL: $target compiled, but it climbs a floor"
            failures=$((failures + 1))
        elif ! grep -q 'No such file or directory' <<<"$output"; then
            echo "FAIL: $target failed for another reason than the include:"
            echo "$output" | tail -n 20
            failures=$((failures + 1))
        else
            echo "ok: $target does not compile"
        fi
    else
        echo "ok: $target compiles"
    fi
}

expect_build floor_probe_logic_sees_logic ok
expect_build floor_probe_logic_uses_widgets missing-header
expect_build floor_probe_logic_includes_widgets missing-header
expect_build floor_probe_widgets_includes_dialogs missing-header
expect_build floor_probe_widgets_uses_printsupport missing-header
expect_build floor_probe_dialogs_includes_app missing-header
expect_build floor_probe_dialogs_uses_printsupport missing-header
expect_build floor_probe_dialogs_includes_print missing-header
expect_build floor_probe_print_includes_app missing-header

# A relative path ("../app/x.h") would slip past the include folders.
declare -A above=([logic]="widgets dialogs print app" [widgets]="dialogs print app"
                  [dialogs]="print app" [print]="app")
for floor in logic widgets dialogs print; do
    for higher in ${above[$floor]}; do
        if grep -nE "#include [\"<](\.\./)*$higher/" -r --include="*.h" --include="*.cpp" "$source_dir/$floor" 2>/dev/null; then
            echo "FAIL: $floor includes the $higher floor"
            failures=$((failures + 1))
        fi
    done
done
echo "floors: $failures failure(s)"
[[ $failures -eq 0 ]]
