# Sourceable: the life of the Wine prefix that scripts/wine-env.sh names: made, brought up, ended.
#
#   mirl_wine_prefix_ready
#       Makes the prefix usable for this run and returns once it is: creates it on first use, and
#       anew when it was made by the other loader (wineboot -i, about 15 s; Managed="N"
#       for the X11 driver, because without a window manager Wine makes every hidden top-level
#       window wait about 2 s for one), gives Wine a display (an Xvfb of our own when $DISPLAY is
#       unset, reused by later calls) and starts one persistent wineserver with Wine's services up.
#       Idempotent and serialised by a lock file.
#   mirl_wine_set_dpi DPI
#       Sets the DPI that Wine programs started from now on draw at (LogPixels: 96 is 100 %, 144
#       is 150 %); the server need not restart. Needs a ready prefix.
#   mirl_wine_stop
#       Ends the prefix's wineserver and our Xvfb. Not needed between tests: the server ends by
#       itself $MIRL_WINESERVER_LINGER seconds (default 120) after the last Wine program.
#   mirl_wine_stop_all
#       Ends the servers and Xvfbs of every prefix under build/wine: what a command that ran Wine
#       calls as it ends, passed or failed, so that nothing of it stays running.
# Each needs the environment of scripts/wine-env.sh, sourced first.

# shellcheck source=wine-xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-xvfb.sh"

# What made the prefix: the loader, and whether 32-bit Wine was installed. A prefix made by one
# loader can be unusable by the other, and one made before 32-bit Wine was installed starts no
# program at all afterwards ("could not load kernel32.dll"); neither can be mended, so a prefix
# whose maker differs from today's is made anew.
mirl__prefix_kind() {
    local kind=${MIRL_WINE##*/}
    [[ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]] && kind+="+i386"
    echo "$kind"
}

mirl__make_prefix() {
    [[ -f $WINEPREFIX/.mirl-ready && $(<"$WINEPREFIX/.mirl-ready") == "$(mirl__prefix_kind)" ]] &&
        return 0
    wineserver -k 2>/dev/null 9>&- || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    mirl_wine wineboot -i </dev/null >/dev/null 2>&1 9>&- || return 1
    mirl_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&- ||
        return 1
    # The prefix is written to disk when its server ends; end it so the next start sees it whole.
    wineserver -w 9>&-
    mirl__prefix_kind >"$WINEPREFIX/.mirl-ready"
}

mirl_wine_prefix_ready() {
    [[ -n ${WINEPREFIX:-} ]] || mirl_wine_env
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Everything started while the lock is held gets 9>&-: a server or Xvfb that inherited the
    # descriptor would hold the lock for as long as it lives.
    (
        flock 9
        if [[ -z ${DISPLAY:-} || ${MIRL_OWN_XVFB:-} == 1 ]]; then
            mirl__start_xvfb || exit 1
        fi
        if ! mirl__make_prefix; then
            echo "wine-env: could not create $WINEPREFIX with $MIRL_WINE" >&2
            mirl__end_xvfb
            exit 1
        fi
        # Exit status 0: a new server was started; 2: one already runs for this prefix.
        if wineserver -p"${MIRL_WINESERVER_LINGER:-120}" </dev/null >/dev/null 2>&1 9>&-; then
            # A first program brings up Wine's services, the device manager among them, which
            # rewrites dosdevices/comN now rather than under a test's feet.
            mirl_wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
            # Our Xvfb lives as long as this server.
            mirl__end_xvfb_with_server
        fi
        [[ -n ${DISPLAY:-} ]] && echo "$DISPLAY" >"$WINEPREFIX.display"
        exit 0
    ) 9>"$WINEPREFIX.lock" || return 1
    # The subshell cannot export; take the display it settled on.
    if [[ -z ${DISPLAY:-} || ${MIRL_OWN_XVFB:-} == 1 ]] && [[ -f $WINEPREFIX.display ]]; then
        DISPLAY=$(cat "$WINEPREFIX.display")
        export DISPLAY MIRL_OWN_XVFB=1
    fi
}

mirl_wine_set_dpi() {
    mirl_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1 9>&-
}

mirl_wine_stop() {
    [[ -n ${WINEPREFIX:-} ]] || mirl_wine_env
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    mirl__end_xvfb
}

mirl_wine_stop_all() {
    local prefix
    for prefix in "$mirl__prefixes"/*/; do
        WINEPREFIX=${prefix%/} mirl_wine_stop
    done
}
