#!/usr/bin/env bash
# Sets everything up, installs the product into a private Wine prefix and runs it.
set -euo pipefail
trap 'echo "$(basename "$0"): failed at line $LINENO" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64
source "$root/scripts/winenv.sh"
trap zl_env_stop EXIT
zl_env_start
zl_install_product

# An editor build: the editor's hand-over goes straight to the writer, whose window
# shows the job it received. Close that window to end.
zl_env set ZLXBuildEditor 3
zl_env set ZLXBuildZLXLabel "SAMPLE_COMPILATION"
zl_env set ZlxBuildDescription "Compilation handed over by the editor"
zl_env set ZLXBuildDestinationFile 'C:\users\Public\Documents\Sample.zl4'
zl_env set CDETotalSectors 150000
wine "$ZL_HOME_UNIX/system/zl5build.exe"
sleep 2
echo "Job report written by the writer:"
cat "$ZL_HOME_UNIX/system/zl5write.log" 2>/dev/null | tr -d '\r' || true
if zl_display_is_ours; then
    # Nobody can see a virtual display: keep a picture of it instead.
    zl_screenshot "$zl_build/screenshots/run.png" && echo "Screenshot: $zl_build/screenshots/run.png"
else
    echo "Close the writer's window to end."
    while pgrep -f 'zl5write.exe' >/dev/null; do sleep 1; done
fi
