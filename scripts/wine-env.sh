# Sourceable helpers for running the Windows programs under Wine in a prefix kept in the build tree.
#
#   source scripts/wine-env.sh [PATH]
#       Exports WINEPREFIX, MIRL_WINEPREFIX and WINEDEBUG=-all; starts nothing. The prefix is
#       $MIRL_WINEPREFIX if set, else <build dir>/wineprefix, the build dir being the nearest
#       directory with a CMakeCache.txt above PATH (an executable, say) or else above $PWD.
#       $HOME is never used.
#   mirl_wine_prefix_ready   (alias: mirl_wine_start)
#       Makes the prefix usable for this run and returns once it is: creates it on first use, and
#       anew when it was made before 32-bit Wine was installed (wineboot -i, about 15 s; Managed="N"
#       for the X11 driver, because without a window manager Wine makes every hidden top-level
#       window wait about 2 s for one), gives Wine a display
#       (an Xvfb of our own when $DISPLAY is unset, reused by later calls) and starts one
#       persistent wineserver with Wine's services up. Wine's device manager rewrites
#       dosdevices/comN when the server starts, so link ports (dosdevices/comN -> /dev/pts/M)
#       only after this has returned. Idempotent and serialised by a lock file.
#   mirl_wine_set_dpi DPI
#       Sets the DPI that Wine programs started from now on draw at (LogPixels: 96 is 100 %, 144
#       is 150 %); the server need not restart. Needs a ready prefix.
#   mirl_wine_stop
#       Ends the prefix's wineserver (and with it our Xvfb). Not needed between tests: the server
#       ends by itself $MIRL_WINESERVER_LINGER seconds (default 120) after the last Wine program.

mirl__build_dir_above() {
    local dir
    dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 1
    [[ -d $1 ]] && dir=$(cd "$1" && pwd)
    while [[ $dir != / ]]; do
        [[ -f $dir/CMakeCache.txt ]] && { echo "$dir"; return 0; }
        dir=$(dirname "$dir")
    done
    return 1
}

mirl_wine_env() {
    local hint=${1:-$PWD} build
    if [[ -z ${MIRL_WINEPREFIX:-} ]]; then
        if build=$(mirl__build_dir_above "$hint") || build=$(mirl__build_dir_above "$PWD"); then
            MIRL_WINEPREFIX=$build/wineprefix
        else
            MIRL_WINEPREFIX=${TMPDIR:-/tmp}/mirl-wineprefix-$(id -u)
        fi
    fi
    export MIRL_WINEPREFIX
    export WINEPREFIX=$MIRL_WINEPREFIX
    export WINEDEBUG=-all
    # No Mono/Gecko download prompts while the prefix is made.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# Where this run's Xvfb is recorded: "display pid".
mirl__x11_state() { echo "$WINEPREFIX.x11"; }

mirl__start_xvfb() {
    local state n pid
    state=$(mirl__x11_state)
    if [[ -f $state ]]; then
        read -r n pid <"$state" || true
        if [[ -n ${pid:-} ]] && kill -0 "$pid" 2>/dev/null && [[ -e /tmp/.X11-unix/X$n ]]; then
            export DISPLAY=:$n
            return 0
        fi
        rm -f "$state"
    fi
    for n in $(seq 90 199); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
        pid=$!
        for _ in $(seq 50); do
            [[ -e /tmp/.X11-unix/X$n ]] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$pid" 2>/dev/null; then
            echo "$n $pid" >"$state"
            export DISPLAY=:$n
            return 0
        fi
        kill "$pid" 2>/dev/null || true
    done
    echo "wine-env: no Xvfb display could be started" >&2
    return 1
}

# What the prefix was made for: a prefix made before 32-bit Wine was installed starts no program
# at all afterwards, 64-bit ones included ("could not load kernel32.dll"), and cannot be mended.
mirl__prefix_kind() {
    if [[ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]]; then
        echo "wow64"
    else
        echo "win64"
    fi
}

mirl__make_prefix() {
    [[ -f $WINEPREFIX/.mirl-ready && $(<"$WINEPREFIX/.mirl-ready") == "$(mirl__prefix_kind)" ]] &&
        return 0
    wineserver -k 2>/dev/null 9>&- || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i </dev/null >/dev/null 2>&1 9>&- || return 1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&- ||
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
        mirl__make_prefix || { echo "wine-env: could not create $WINEPREFIX" >&2; exit 1; }
        # Exit status 0: a new server was started; 2: one already runs for this prefix.
        if wineserver -p"${MIRL_WINESERVER_LINGER:-120}" </dev/null >/dev/null 2>&1 9>&-; then
            # A first program brings up Wine's services, the device manager among them, which
            # rewrites dosdevices/comN now rather than under a test's feet.
            wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
            if [[ -f $(mirl__x11_state) ]]; then
                local n pid
                read -r n pid <"$(mirl__x11_state)"
                # Our Xvfb lives as long as this server.
                setsid bash -c "wineserver -w; kill $pid 2>/dev/null; rm -f '$(mirl__x11_state)'" \
                    </dev/null >/dev/null 2>&1 9>&- &
            fi
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

mirl_wine_start() { mirl_wine_prefix_ready "$@"; }

mirl_wine_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1 9>&-
}

mirl_wine_stop() {
    [[ -n ${WINEPREFIX:-} ]] || mirl_wine_env
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

mirl_wine_env "${1:-}"
