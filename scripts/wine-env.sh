# Sourceable helpers for running the Windows programs under Wine, and for giving them COM ports.
#
# Every Wine prefix of the project is build/wine/NAME, one for each purpose, so that the COM links
# of one never meet another's and each can run beside the others: NAME is the build tree's name
# for that tree's Windows tests (windows, windows-x86), e2e and e2e-x86 for the end-to-end runs,
# bench for the benchmarks, run for scripts/run.sh. $MIRL_WINEPREFIX, when set, is the prefix
# instead. $HOME is never used.
#
#   source scripts/wine-env.sh [NAME | PATH]
#       Exports WINEPREFIX, MIRL_WINEPREFIX, WINEDEBUG (quiet but for the loader's errors) and the
#       loader that starts Wine here (below); starts nothing. A PATH (a program, a folder) stands
#       for the name of the build tree it lies in, the nearest directory with a CMakeCache.txt
#       above it; without an argument, the one above $PWD.
#   mirl_wine ARGS...
#       Wine itself, started as the loader rule says: every Wine program, wineboot and reg
#       included, goes through it (or through $MIRL_WINE, for a caller that is no shell).
#       $MIRL_WINE_RUNS_32BIT is 1 where 32-bit Windows programs can run, else 0, and
#       mirl_wine_no_32bit_reason says why not.
#   mirl_wine_prefix_ready
#       Makes the prefix usable for this run and returns once it is: creates it on first use, and
#       anew when it was made by the other loader (wineboot -i, about 15 s; Managed="N"
#       for the X11 driver, because without a window manager Wine makes every hidden top-level
#       window wait about 2 s for one), gives Wine a display (an Xvfb of our own when $DISPLAY is
#       unset, reused by later calls) and starts one persistent wineserver with Wine's services up.
#       Idempotent and serialised by a lock file.
#   mirl_wine_link_com N TARGET
#       Makes COMn of the prefix lead to TARGET (an end of a pseudo-terminal, /dev/null, a serial
#       device): to a program it is then a COM port. Brings the prefix up first, since Wine's device
#       manager rewrites dosdevices/comN when a server starts. The link is made beside and renamed
#       over, so that a program never finds the port missing in between.
#   mirl_wine_unlink_com N...
#       Makes COMn lead nowhere.
#   mirl_wine_set_dpi DPI
#       Sets the DPI that Wine programs started from now on draw at (LogPixels: 96 is 100 %, 144
#       is 150 %); the server need not restart. Needs a ready prefix.
#   mirl_wine_stop
#       Ends the prefix's wineserver and our Xvfb. Not needed between tests: the server ends by
#       itself $MIRL_WINESERVER_LINGER seconds (default 120) after the last Wine program.
#   mirl_wine_stop_all
#       Ends the servers and Xvfbs of every prefix under build/wine: what a command that ran Wine
#       calls as it ends, passed or failed, so that nothing of it stays running.
#
# The loader rule. Debian's `wine` starts the 32-bit loader whenever 32-bit Wine is installed, and
# that loader runs 64-bit programs too; but on a kernel that runs no 32-bit programs it cannot
# execute at all ("Exec format error"), for any program. So the 32-bit loader is tried: where it
# answers, Wine starts through it, as Debian's `wine` would; where it does not, through the 64-bit
# loader, with WINELOADER naming it so that Wine's own child processes use it too, and 32-bit
# programs cannot run. Trying, not reading the kernel's command line: 32-bit support can be off by
# the kernel's default. MIRL_WINE32_LOADER and MIRL_WINE64_LOADER name other loaders (the rule's
# test points the first at a file that cannot execute).

mirl__root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

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
    local what=${1:-$PWD} name build
    if [[ -z ${MIRL_WINEPREFIX:-} ]]; then
        if [[ $what != */* ]]; then
            name=$what
        elif build=$(mirl__build_dir_above "$what"); then
            name=$(basename "$build")
        else
            name=scratch
        fi
        MIRL_WINEPREFIX=$mirl__root/build/wine/$name
    fi
    export MIRL_WINEPREFIX
    export WINEPREFIX=$MIRL_WINEPREFIX
    # Quiet, but for the loader's own word on a program it could not load.
    export WINEDEBUG=-all,err+module
    # No Mono/Gecko download prompts while the prefix is made.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    mirl__choose_loader
}

mirl__wine32_loader=${MIRL_WINE32_LOADER:-/usr/lib/wine/wine}
mirl__wine64_loader=${MIRL_WINE64_LOADER:-/usr/lib/wine/wine64}

mirl__choose_loader() {
    if [[ $("$mirl__wine32_loader" --version 2>/dev/null </dev/null) == wine-* ]]; then
        MIRL_WINE=$mirl__wine32_loader
        MIRL_WINE_RUNS_32BIT=1
        unset WINELOADER
    else
        MIRL_WINE=$mirl__wine64_loader
        MIRL_WINE_RUNS_32BIT=0
        export WINELOADER=$MIRL_WINE
    fi
    export MIRL_WINE MIRL_WINE_RUNS_32BIT
}

mirl_wine() { "$MIRL_WINE" "$@"; }

# Whether the kernel runs a 32-bit program: a 96-byte i386 ELF that only exits with status 42.
# Anything else (126 for "Exec format error") means it does not.
mirl_kernel_runs_32bit() {
    local probe status=0
    probe=$(mktemp) || return 1
    printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'`
          `'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\x80\x04\x08'`
          `'\0\x80\x04\x08\x60\0\0\0\x60\0\0\0\x05\0\0\0\0\x10\0\0'`
          `'\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    ((status == 42))
}

mirl_wine_no_32bit_reason() {
    if ((MIRL_WINE_RUNS_32BIT)); then
        return 1
    elif ! mirl_kernel_runs_32bit; then
        echo "this kernel runs no 32-bit programs"
    else
        echo "32-bit Wine (wine32:i386) is not installed or does not start"
    fi
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
    # Xvfb picks a free display itself and writes its number once it accepts connections: two
    # prefixes brought up side by side then never both take the display that looked free to each.
    local ready=$state.new
    rm -f "$ready"
    n=""
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" </dev/null \
        >/dev/null 2>&1 9>&- &
    pid=$!
    for _ in $(seq 100); do
        n=$(cat "$ready" 2>/dev/null)
        [[ -n $n ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$ready"
    if [[ -n $n ]] && kill -0 "$pid" 2>/dev/null; then
        echo "$n $pid" >"$state"
        export DISPLAY=:$n
        return 0
    fi
    kill "$pid" 2>/dev/null || true
    echo "wine-env: no Xvfb display could be started" >&2
    return 1
}

# Ends the Xvfb recorded for this prefix, if it is ours and still runs.
mirl__end_xvfb() {
    local state n pid
    state=$(mirl__x11_state)
    [[ -f $state ]] || return 0
    read -r n pid <"$state" || true
    [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
    rm -f "$state"
}

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

mirl_wine_link_com() {
    local link=$WINEPREFIX/dosdevices/com$1 target
    target=$(readlink -m "$2")
    mirl_wine_prefix_ready || return 1
    ln -sfn "$target" "$link.new" && mv -Tf "$link.new" "$link"
}

mirl_wine_unlink_com() {
    local n
    for n in "$@"; do rm -f "$WINEPREFIX/dosdevices/com$n"; done
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
    for prefix in "$mirl__root"/build/wine/*/; do
        WINEPREFIX=${prefix%/} mirl_wine_stop
    done
}

mirl_wine_env "${1:-}"
