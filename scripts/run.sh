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
# Every sample disc in an emulated drive (E: to P:), each drive with its own profile.
export ZL_SAMPLE_DRIVES=${ZL_SAMPLE_DRIVES:-1}
zl_install_product
zl_env del ZLXBuildEditor >/dev/null 2>&1 || true
# Album and track titles from the disc information library: the first of the five
# ZlxSettings switches. The others keep their values (the wizard's defaults when unset).
switches=$(zl_env get ZlxSettings 2>/dev/null | tr -d '\r\n') || switches=
[[ ${#switches} -ge 5 ]] || switches=01110
zl_env set ZlxSettings "1${switches:1}"

echo "Emulated drives:"
zl_drive_tool list
if zl_display_is_ours; then
    # Nobody can see a virtual display: show the wizard, keep a picture of it, close it.
    wine "$ZL_HOME_UNIX/system/zl5build.exe" &
    sleep 10
    zl_screenshot "$zl_build/screenshots/run.png" && echo "Screenshot: $zl_build/screenshots/run.png"
else
    echo "The wizard is open; insert or eject discs with system\\zl5drive.exe while it runs."
    wine "$ZL_HOME_UNIX/system/zl5build.exe"
fi
