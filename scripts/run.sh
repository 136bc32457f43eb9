#!/usr/bin/env bash
# Builds mirltty.exe and starts it under Wine. Without a display it runs on a virtual one: it is
# connected, its screen saved and its lines printed, and then it ends.
#   scripts/run.sh                    COM1 is a demo port fed with a few GPS receiver lines a second
#   scripts/run.sh DEVICE...          the serial devices given are COM1, COM2, ... in this order
#   scripts/run.sh --check DEVICE...  only checks the devices and prints what they would be
#   scripts/run.sh --list             lists the serial devices found here
#   MIRL_RUN_SECONDS=N  end the tool after N seconds (default: run until it is closed; without a
#                       display it ends once it has shown its lines).
# A device that is missing, not a character device or not readable and writable by the user
# ends it with status 2 before anything is installed, built or started.
set -euo pipefail

usage() { sed -n 's/^#   \(scripts\/run.sh\)/ \1/p' "$0" >&2; exit 2; }

# "PATH", or "PATH (NODE)" for a link such as /dev/serial/by-id/..., which names the adapter.
describe() {
    if [[ -L $1 ]]; then echo "$1 ($(readlink -f "$1"))"; else echo "$1"; fi
}

usable() { [[ -r $1 && -w $1 ]]; }

check_device() {
    local device=$1
    if [[ ! -e $device ]]; then
        echo "run: $device does not exist" \
            "(scripts/run.sh --list shows the serial devices here)." >&2
    elif [[ ! -c $device ]]; then
        echo "run: $device is not a character device, so it is no serial port." >&2
    elif ! usable "$device"; then
        echo "run: you may not read and write $(describe "$device")" \
            "(owner $(stat -L -c '%U, group %G' "$device"))." >&2
        echo "     On Debian-like systems serial ports belong to the group dialout; join it:" >&2
        echo "     sudo usermod -aG dialout \"\$USER\"" >&2
        echo "     then log out and in again: the new group counts from the next login on." >&2
    else
        return 0
    fi
    return 1
}

list_devices() {
    local path found=0
    for path in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM*; do
        [[ -e $path ]] || continue
        if ((!found)); then
            echo "Serial devices (scripts/run.sh DEVICE... makes them COM1, COM2, ...):"
            found=1
        fi
        if usable "$path"; then
            echo "  $(describe "$path")"
        else
            echo "  $(describe "$path"), which you may not read and write"
        fi
    done
    ((found)) || echo "No serial devices found (/dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*)."
}

check_only=0
case ${1:-} in
    --list) list_devices; exit 0 ;;
    --check) check_only=1; shift ;;
    -*) usage ;;
esac
devices=()
for device in "$@"; do
    [[ $device != -* ]] || usage
    check_device "$device" || exit 2
    # Wine's links must not depend on the directory the user started from.
    [[ $device == /* ]] || device=$PWD/$device
    devices+=("$device")
done
for i in "${!devices[@]}"; do
    echo "COM$((i + 1)) is $(describe "${devices[i]}")."
done
if ((check_only)); then exit 0; fi

cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target mirltty e2e_driver
exe=$root/build/windows/app/mirltty.exe
driver=$root/build/windows/tests/e2e/driver/e2e_driver.exe

headless=0
if [[ -z ${DISPLAY:-} ]]; then
    headless=1
    echo "No display: running on a virtual display (Xvfb)."
fi
# shellcheck source=wine-env.sh
source scripts/wine-env.sh run
# shellcheck source=wine-prefix.sh
source scripts/wine-prefix.sh
# shellcheck source=wine-com.sh
source scripts/wine-com.sh

workdir=$(mktemp -d)
pids=()
coms=()
# Whatever this command started ends with it: the feeder, the tool, and Wine's server and display.
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    ((${#coms[@]} == 0)) || mirl_wine_unlink_com "${coms[@]}"
    mirl_wine_stop
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mirl_wine_prefix_ready

if ((${#devices[@]} == 0)); then
    # A pseudo-terminal whose other side the feeder writes: to the tool it is a COM port.
    python3 scripts/demo_port.py >"$workdir/demo-port" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s $workdir/demo-port ]] && break; sleep 0.1; done
    devices=("$(head -n 1 "$workdir/demo-port")")
    echo "COM1 is a demo port (${devices[0]}) sending GPS sentences once a second."
fi
for i in "${!devices[@]}"; do
    coms+=($((i + 1)))
    mirl_wine_link_com "$((i + 1))" "${devices[i]}"
done

# The loader itself, not a shell function, so that $! is the tool's own process.
"$MIRL_WINE" "$exe" &
tool=$!
pids+=("$tool")

if ((headless)); then
    # Nobody can press Connect on a virtual display: the test driver presses it, waits for a few
    # lines and reads them back, so that the screenshot shows them and the terminal prints them.
    reply=$(printf 'find mirlTTY 20000\nclick 1006\ntail 1013 6 10000\nlist 1013\nquit\n' |
        mirl_wine "$driver" | sed -n 4p)
    shot=$root/build/wine/mirltty-screenshot.png
    import -display "$DISPLAY" -window root "$shot" && echo "Screenshot: $shot"
    # The list's reply: "ok COUNT TOP LINE...", each line a token with its bytes as \xHH escapes.
    read -r -a fields <<<"$reply"
    if [[ ${fields[0]:-} != ok ]]; then
        echo "run: the tool's list could not be read: $reply" >&2
        exit 1
    fi
    echo "The tool's list after Connect:"
    for line in "${fields[@]:3}"; do
        [[ $line == '""' ]] && line=""
        printf '  %b' "$line" | tr -d '\r\n'
        echo
    done
    exit 0
fi
echo "mirlTTY is running: choose the settings and press Connect."
if [[ -n ${MIRL_RUN_SECONDS:-} ]]; then
    sleep "$MIRL_RUN_SECONDS"
    kill "$tool" 2>/dev/null || true
fi
wait "$tool" || true
