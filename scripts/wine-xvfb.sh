# Sourceable: an Xvfb of our own for a prefix whose programs have no display, recorded beside it.
#
#   mirl__start_xvfb
#       Exports DISPLAY as the prefix's Xvfb, started unless the recorded one still runs.
#   mirl__end_xvfb [PID]
#       Ends our Xvfb of the prefix, PID or else the recorded one, and forgets it.
#   mirl__end_xvfb_with_server
#       Lets the recorded Xvfb live as long as the prefix's running wineserver.
# Each works on $WINEPREFIX's Xvfb (scripts/wine-env.sh).

mirl__xvfb_script=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-xvfb.sh

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

mirl__end_xvfb() {
    local state n pid=${1:-}
    state=$(mirl__x11_state)
    if [[ -z $pid && -f $state ]]; then read -r n pid <"$state" || true; fi
    [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
    rm -f "$state"
}

# The watcher ends the Xvfb it was started for, by its pid: by then the record may name a later
# one. Like Xvfb itself, it must not inherit the lock that scripts/wine-prefix.sh holds on 9.
mirl__end_xvfb_with_server() {
    local state n pid
    state=$(mirl__x11_state)
    [[ -f $state ]] || return 0
    read -r n pid <"$state"
    setsid bash -c 'source "$0" && { wineserver -w; mirl__end_xvfb "$1"; }' \
        "$mirl__xvfb_script" "$pid" </dev/null >/dev/null 2>&1 9>&- &
}
