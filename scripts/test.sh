#!/usr/bin/env bash
# Sets everything up and runs every test: native unit tests (ASan/UBSan), the Windows
# tests and end-to-end tests under Wine, and the warning-free 32-bit release build.
set -euo pipefail
trap 'echo "$(basename "$0"): failed at line $LINENO" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

echo "== native build and unit tests"
"$root/scripts/build.sh" native
(cd "${ZL_BUILD_DIR:-$root/build}/native" && ctest --output-on-failure)

echo "== Windows x86_64 build"
"$root/scripts/build.sh" win64

# The release build needs the processors while the Windows tests mostly wait for windows and
# programs, so it runs beside them; its output is shown when it fails.
echo "== Windows i686 release build (beside the Windows tests)"
release_log=$(mktemp)
"$root/scripts/build.sh" win32 >"$release_log" 2>&1 &
release_pid=$!

source "$root/scripts/winenv.sh"
trap 'zl_env_stop; rm -f "$release_log"' EXIT
zl_env_start
# The end-to-end tests run the wizard on the sample discs in emulated drives.
export ZL_SAMPLE_DRIVES=1
zl_install_product

echo "== Windows tests under Wine"
failed=0
for exe in "$zl_build"/win64/tests/win/*_tests.exe "$zl_build"/win64/tests/e2e/*_tests.exe; do
    [[ -f $exe ]] || continue
    echo "-- $(basename "$exe")"
    if ! (cd "$(dirname "$exe")" && wine "$exe" --gtest_brief=1); then
        failed=1
    fi
done
if ! wait "$release_pid"; then
    cat "$release_log"
    echo "The i686 release build failed." >&2
    failed=1
fi
exit $failed
