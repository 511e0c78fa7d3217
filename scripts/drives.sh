# Sourced by scripts/winenv.sh: puts disc images into emulated drives and lets Wine show each
# such drive as a CD drive whose root holds the disc's files and whose volume label is the
# disc's. Wine's mount manager reads drive types and labels when it starts, so the changes
# take effect with zl_drives_apply, which restarts the prefix's server.
#
#   zl_drive_map X IMAGE [zl5drive insert options]   e.g. zl_drive_map E disc.cue --profile noraw
#   zl_drive_unmap X
#   zl_drives_apply
#   zl_map_sample_drives [LIST]                      the sample discs (see zl_sample_drive_list)
#
# ZL_SAMPLE_DRIVES=1 (or a LIST) makes zl_install_product map the sample discs; without it
# the drives mapped before are removed, so a run starts with no drives unless asked.

zl_drives_state() { echo "$WINEPREFIX/zl_drives.list"; }

zl_drive_tool() { wine "$ZL_HOME_UNIX/system/zl5drive.exe" "$@" | tr -d '\r'; }

# The default set: LETTER=SAMPLE[:PROFILE], all profiles and disc kinds once at least.
zl_sample_drive_list() {
    echo "E=audio F=cdtext:oldslow G=data:noraw H=mixed:vendoraudio I=cdextra J=vcd" \
        "K=svcd:nosub L=photocd M=cdi N=dvdvideo:dvdonly O=dvdrom P=dvdromvideo"
}

# The folder that becomes the drive's root: the files beside a sample disc, else extracted
# from the image with xorriso (for a CUE sheet, from its newest data session).
zl_drive_files() {
    local letter=$1 image=$2 root
    if [[ -d ${image%.*}.files ]]; then
        echo "${image%.*}.files"
        return
    fi
    root=$WINEPREFIX/zl_drives/$letter
    [[ -d $root ]] && chmod -R u+w "$root" && rm -rf "$root"
    mkdir -p "$root"
    case ${image,,} in
    *.iso)
        xorriso -osirrox on -indev "$image" -extract / "$root" >/dev/null 2>&1 || true ;;
    *.cue)
        local start data=$WINEPREFIX/zl_drives/$letter.iso
        start=$(zl_drive_tool export "${letter^^}:" "$(winepath -w "$data")" | sed -n 's/^start=//p')
        if [[ -n $start ]]; then
            xorriso -osirrox on -displacement "-$start" -indev "$data" -extract / "$root" \
                >/dev/null 2>&1 || true
        fi
        rm -f "$data" ;;
    esac
    chmod -R u+w "$root"
    echo "$root"
}

zl_drive_map() {
    local letter=${1%%:*} image=$2
    letter=${letter,,}
    shift 2
    image=$(cd "$(dirname "$image")" && pwd)/$(basename "$image")
    zl_drive_unmap "$letter"
    zl_drive_tool insert "${letter^^}:" "$image" "$@" >/dev/null || return 1
    local root label
    root=$(zl_drive_files "$letter" "$image")
    label=$(zl_drive_tool info "${letter^^}:" | sed -n 's/^label=//p')
    # Read by the mount manager at its start; zl_drives_apply removes it again afterwards, so
    # the root shows exactly the disc's files.
    printf '%s\n' "$label" >"$root/.windows-label"
    ln -sfn "$root" "$WINEPREFIX/dosdevices/$letter:"
    rm -f "$WINEPREFIX/dosdevices/$letter::"
    wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d cdrom /f >/dev/null 2>&1
    echo "$letter $root" >>"$(zl_drives_state)"
}

zl_drive_unmap() {
    local letter=${1%%:*} state
    letter=${letter,,}
    state=$(zl_drives_state)
    zl_drive_tool remove "${letter^^}:" >/dev/null 2>&1 || true
    [[ -f $state ]] && grep -q "^$letter " "$state" || return 0
    rm -f "$WINEPREFIX/dosdevices/$letter:"
    wine reg delete 'HKLM\Software\Wine\Drives' /v "$letter:" /f >/dev/null 2>&1 || true
    grep -v "^$letter " "$state" >"$state.new" || true
    mv "$state.new" "$state"
}

# Restarts the prefix's server so that Wine mounts the drives as they are now.
zl_drives_apply() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 2>/dev/null || true
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    local letter root
    while read -r letter root; do
        rm -f "$root/.windows-label"
    done <"$(zl_drives_state)"
}

# LIST: LETTER=SAMPLE[:PROFILE] ...; DVD samples are inserted as DVDs.
zl_map_sample_drives() {
    local list=${1:-$(zl_sample_drive_list)} item letter sample profile image
    for item in $list; do
        letter=${item%%=*}
        sample=${item#*=}
        profile=modern
        [[ $sample == *:* ]] && profile=${sample#*:} && sample=${sample%%:*}
        image=$zl_build/win64/samples/$sample.cue
        [[ -f $image ]] || image=$zl_build/win64/samples/$sample.iso
        local media=()
        [[ $sample == dvd* ]] && media=(--dvd)
        zl_drive_map "$letter" "$image" --profile "$profile" "${media[@]}"
    done
}

# Called by zl_install_product: the drives of the last run go, the requested ones come.
zl_drives_on_install() {
    local state letter root
    state=$(zl_drives_state)
    touch "$state"
    [[ -s $state || -n ${ZL_SAMPLE_DRIVES:-} ]] || return 0
    while read -r letter root; do
        zl_drive_unmap "$letter"
    done < <(cat "$state")
    if [[ -n ${ZL_SAMPLE_DRIVES:-} ]]; then
        if [[ $ZL_SAMPLE_DRIVES == 1 ]]; then
            zl_map_sample_drives
        else
            zl_map_sample_drives "$ZL_SAMPLE_DRIVES"
        fi
    fi
    zl_drives_apply
}
