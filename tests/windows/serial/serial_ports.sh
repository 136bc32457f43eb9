#!/usr/bin/env bash
# Creates (start) or removes (stop) the COM ports the Win32 serial-port test runs on: a socat
# pseudo-terminal pair as reader and writer, a port bound to /dev/null, a port with no device, and
# a pseudo-terminal that hangs up once the test creates STATE_DIR/hangup.
#
#   serial_ports.sh start|stop STATE_DIR READER WRITER NULL MISSING HANGUP   (COM numbers, e.g. 20)
#
# The ports are the build tree's prefix's (scripts/wine-com.sh, which makes the links).
set -euo pipefail

action=${1:?start or stop}
state=${2:?state directory}
reader=${3:?} writer=${4:?} null=${5:?} missing=${6:?} hangup=${7:?}

mkdir -p "$state"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The prefix is the one of the build tree that holds the state directory.
# shellcheck source=../../../scripts/wine-env.sh
source "$here/../../../scripts/wine-env.sh" "$state"
# shellcheck source=../../../scripts/wine-com.sh
source "$here/../../../scripts/wine-com.sh"

stop() {
    for pid in "$state/socat.pid" "$state/socat-hangup.pid"; do
        if [[ -f $pid ]]; then
            # socat leads a process group (setsid): the group takes the hang-up's shell with it,
            # which would otherwise wait for its trigger file for good.
            kill -- "-$(cat "$pid")" 2>/dev/null || true
            rm -f "$pid"
        fi
    done
    mirl_wine_unlink_com "$reader" "$writer" "$null" "$missing" "$hangup"
    rm -f "$state/a" "$state/b" "$state/h" "$state/hangup"
}

start() {
    stop
    # Detached and with its own output file, so that CTest does not wait on the pair.
    setsid socat -d -d "pty,raw,echo=0,link=$state/a" "pty,raw,echo=0,link=$state/b" \
        </dev/null >"$state/socat.log" 2>&1 &
    echo $! >"$state/socat.pid"
    # Its far side is a shell that ends when the trigger file appears; socat then closes the
    # master, and the port open on the other end sees the device hang up.
    setsid socat -d -d "pty,raw,echo=0,link=$state/h" \
        "SYSTEM:while [ ! -e '$state/hangup' ]; do sleep 0.05; done" \
        </dev/null >"$state/socat-hangup.log" 2>&1 &
    echo $! >"$state/socat-hangup.pid"
    for _ in $(seq 50); do
        [[ -e $state/a && -e $state/b && -e $state/h ]] && break
        sleep 0.1
    done
    [[ -e $state/a && -e $state/b && -e $state/h ]] || {
        cat "$state/socat.log" "$state/socat-hangup.log" >&2
        stop
        exit 1
    }
    mirl_wine_link_com "$reader" "$state/a"
    mirl_wine_link_com "$writer" "$state/b"
    mirl_wine_link_com "$hangup" "$state/h"
    mirl_wine_link_com "$null" /dev/null
    ls -l "$WINEPREFIX/dosdevices"
}

case $action in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop STATE_DIR READER WRITER NULL MISSING HANGUP" >&2; exit 2 ;;
esac
