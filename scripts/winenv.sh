# Sourced by the run and test scripts: a private Wine prefix under the build folder, a
# display and a sound server when there are none, and one wineserver kept alive for the
# whole run. Everything started here is stopped again by zl_env_stop.

zl_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
zl_build=${ZL_BUILD_DIR:-$zl_root/build}
export WINEPREFIX=$zl_build/wineprefix
export WINEDEBUG=-all
# No Mono or Gecko prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export ZL_HOME_UNIX="$WINEPREFIX/drive_c/Program Files/Kestrelin/Zelvane 5"
export ZL_HOME_WIN='C:\Program Files\Kestrelin\Zelvane 5\'
zl_started=()
zl_own_display=0
source "$zl_root/scripts/drives.sh"

zl_display_is_ours() { ((zl_own_display)); }

zl_screenshot() {
    mkdir -p "$(dirname "$1")"
    xwd -root -silent | convert xwd:- "$1"
}

zl_env_start() {
    if [[ -z "${DISPLAY:-}" ]]; then
        zl_own_display=1
        local n
        for n in 91 92 93 94 95 96 97 98; do
            [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            zl_started+=("$!")
            export DISPLAY=":$n"
            break
        done
        for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X${DISPLAY#:} ]] && break; sleep 0.1; done
    fi
    if ! pactl info >/dev/null 2>&1; then
        pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
            --load="module-null-sink sink_name=zl_null" --load=module-native-protocol-unix \
            >/dev/null 2>&1 &
        zl_started+=("$!")
        for _ in $(seq 30); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    fi
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        mkdir -p "$WINEPREFIX"
        wine wineboot -i >/dev/null 2>&1
        # The prefix's first server is not persistent; let it end before starting ours.
        wineserver -w
    fi
    # Fails harmlessly when a server of this prefix is already running.
    wineserver -p 2>/dev/null || true
    if zl_display_is_ours; then
        # A virtual desktop draws window frames, so screenshots show what a user sees.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    fi
    wine cmd /c exit 0 >/dev/null 2>&1 || true   # warms the server up
}

zl_env_stop() {
    wineserver -k 2>/dev/null || true
    local pid
    for pid in "${zl_started[@]}"; do kill "$pid" 2>/dev/null || true; done
    zl_started=()
}

# Installs the Windows build as the product's home folder inside the prefix and points
# the settings store at it and at its disc information database.
zl_install_product() {
    cmake --install "$zl_build/win64" --prefix "$ZL_HOME_UNIX" >/dev/null
    zl_env set ZlxHomePath "$ZL_HOME_WIN"
    zl_env set ZlxLanguage ENU
    # The disc information library's database: the sample discs' entries installed above.
    zl_env set CddbPath "${ZL_HOME_WIN}cddb\\"
    zl_drives_on_install
}

zl_env() { wine "$ZL_HOME_UNIX/system/zl5env.exe" "$@"; }
