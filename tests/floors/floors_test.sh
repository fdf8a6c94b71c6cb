#!/usr/bin/env bash
# Checks that the floors hold: each probe that climbs a floor or reaches a
# Qt module the floor may not use fails to compile for the include it makes,
# the control probe compiles, and no source reaches a higher floor by a
# relative path or a forbidden Qt module by Qt's include root.
#   floors_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1
build_dir=$2
failures=0

expect_build() { # TARGET ok|refused
    local target=$1 expected=$2 output
    output=$(cmake --build "$build_dir" --target "$target" 2>&1)
    local status=$?
    if [[ $expected == ok && $status -ne 0 ]]; then
        echo "FAIL: $target should compile:"; echo "$output" | tail -n 20
        failures=$((failures + 1))
    elif [[ $expected == refused ]]; then
        if [[ $status -eq 0 ]]; then
            echo "FAIL: $target compiled, but it climbs a floor"
            failures=$((failures + 1))
        elif ! grep -qE 'No such file or directory|is not for this floor' <<<"$output"; then
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
expect_build floor_probe_logic_uses_widgets refused
expect_build floor_probe_logic_includes_widgets refused
expect_build floor_probe_logic_uses_widgets_module refused
expect_build floor_probe_logic_uses_printsupport_module refused
expect_build floor_probe_widgets_includes_dialogs refused
expect_build floor_probe_widgets_uses_printsupport refused
expect_build floor_probe_widgets_uses_printsupport_module refused
expect_build floor_probe_dialogs_includes_app refused
expect_build floor_probe_dialogs_uses_printsupport refused
expect_build floor_probe_dialogs_uses_printsupport_module refused
expect_build floor_probe_dialogs_includes_print refused
expect_build floor_probe_print_includes_app refused

# No source of the floor includes a path that starts with what follows.
refuse_includes() { # FLOOR PATH_START WHAT
    local floor=$1 path=$2 what=$3
    if grep -nE "#[[:space:]]*include[[:space:]]*[\"<](\.\./)*$path/" -r --include="*.h" \
            --include="*.cpp" "$source_dir/$floor" 2>/dev/null; then
        echo "FAIL: $floor $what"
        failures=$((failures + 1))
    fi
}

# A relative path ("../app/x.h") would slip past the include folders.
declare -A above=([logic]="widgets dialogs print app" [widgets]="dialogs print app"
                  [dialogs]="print app" [print]="app")
for floor in logic widgets dialogs print; do
    for higher in ${above[$floor]}; do
        refuse_includes "$floor" "$higher" "includes the $higher floor"
    done
done

# Qt's modules by the include root, in case a stand-in is missing for a
# header added by a newer Qt.
declare -A forbidden=([logic]="QtWidgets QtPrintSupport" [widgets]="QtPrintSupport"
                      [dialogs]="QtPrintSupport")
for floor in logic widgets dialogs; do
    for module in ${forbidden[$floor]}; do
        refuse_includes "$floor" "$module" "uses $module"
    done
done
echo "floors: $failures failure(s)"
[[ $failures -eq 0 ]]
