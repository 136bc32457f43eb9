#!/usr/bin/env bash
# Builds mirltty.exe and starts it under Wine with COM1 behind it: a demo port fed with a few
# GPS receiver lines a second, or the serial device given as the argument (e.g. /dev/ttyUSB0).
# Without a display it runs on a virtual one and saves a screenshot.
#   MIRL_RUN_SECONDS=N  end the tool after N seconds (default: run until it is closed).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
device=${1:-}
if [[ -n $device && ! -e $device ]]; then
    echo "run: $device does not exist" >&2
    exit 2
fi

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
source scripts/wine-env.sh "$exe"
mirl_wine_prefix_ready

workdir=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -f "$WINEPREFIX/dosdevices/com1"
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [[ -z $device ]]; then
    # A pseudo-terminal whose other side the feeder writes: to the tool it is a COM port.
    python3 scripts/demo_port.py >"$workdir/demo-port" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s $workdir/demo-port ]] && break; sleep 0.1; done
    device=$(head -n 1 "$workdir/demo-port")
    echo "COM1 is a demo port ($device) sending GPS sentences once a second."
else
    echo "COM1 is $device."
fi
ln -sfn "$device" "$WINEPREFIX/dosdevices/com1"

wine "$exe" &
tool=$!
pids+=("$tool")
echo "mirlTTY is running: choose the settings and press Connect."

if ((headless)); then
    # Nobody can press Connect on a virtual display: the test driver presses it, so that the
    # screenshot shows lines arriving.
    printf 'find mirlTTY 20000\nclick 1006\n' | wine "$driver" >/dev/null
    echo "Pressed Connect for you; waiting for a few lines."
    sleep 4
    shot=$root/build/windows/mirltty-screenshot.png
    import -display "$DISPLAY" -window root "$shot" && echo "Screenshot: $shot"
fi
if [[ -n ${MIRL_RUN_SECONDS:-} ]]; then
    sleep "$MIRL_RUN_SECONDS"
    kill "$tool" 2>/dev/null || true
fi
wait "$tool" || true
