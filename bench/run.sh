#!/usr/bin/env bash
# Builds and runs the benchmarks that run under Wine and prints one table of their figures: the
# reader path against bare one-byte reads, the lookup of the present ports, start-up against a
# bare dialog and how long ticks that add bursts of lines keep the window busy, for the 64-bit and
# the 32-bit build alike; disconnect latency and idle CPU for the 64-bit one. Host
# micro-benchmarks of the buffer are bench/host/run.sh.
#
#   bench/run.sh     MIRL_JOBS build jobs (2), MIRL_BENCH_REPEATS repeats of the timed runs (10)
#
# The benchmarks use a Wine prefix of their own (build/wine/bench), so that their COM links never
# meet the tests'; one WoW64 prefix runs both builds. Where 32-bit programs cannot run (the loader
# rule in scripts/wine-loader.sh), only the 64-bit figures are taken, and the table says why.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Pairs, logs and figures; apart from build/bench, which the host benchmarks build into.
state=$root/build/bench-wine
# shellcheck source=../scripts/wine-env.sh
source "$root/scripts/wine-env.sh" bench
# shellcheck source=../scripts/wine-prefix.sh
source "$root/scripts/wine-prefix.sh"
# shellcheck source=../scripts/wine-com.sh
source "$root/scripts/wine-com.sh"
# The builds: preset and the label their figures carry.
builds=("windows x64")
no_32bit=$(mirl_wine_no_32bit_reason) || builds+=("windows-x86 x86")
# The COM numbers in the benchmarks' prefix: a pair kept full by a writer; COM1, which the
# program opens by default, on a pair nobody writes to; the far end of COM1's pair for the bursts.
reader_com=11
burst_com=12
repeats=${MIRL_BENCH_REPEATS:-10}

for build in "${builds[@]}"; do
    read -r preset _ <<<"$build"
    [[ -f $root/build/$preset/build.ninja ]] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "${MIRL_JOBS:-2}" --target wine_benchmarks >/dev/null
done

echo "bench: bringing up Wine in $WINEPREFIX (the first time takes about 15 s)" >&2
mirl_wine_prefix_ready

rm -rf "$state"
mkdir -p "$state"
started=()
cleanup() {
    local pid
    # Each helper leads a process group of its own (setsid): the group goes with it.
    for pid in "${started[@]}"; do kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true; done
    mirl_wine_unlink_com "$reader_com" "$burst_com" 1
    mirl_wine_stop
}
trap cleanup EXIT

# A socat pseudo-terminal pair; its pid goes into the variable named by $1.
pty_pair() {
    local -n pid_out=$1
    local name=$2
    setsid socat "pty,raw,echo=0,link=$state/$name.a" "pty,raw,echo=0,link=$state/$name.b" \
        </dev/null >"$state/$name.log" 2>&1 &
    pid_out=$!
    started+=("$pid_out")
    for _ in $(seq 50); do
        [[ -e $state/$name.a && -e $state/$name.b ]] && return 0
        sleep 0.1
    done
    echo "bench: socat gave no pair" >&2
    cat "$state/$name.log" >&2
    return 1
}

windows_path() {
    local path
    path=$(readlink -f "$1")
    echo "Z:${path//\//\\}"
}

# The build's files, for a "preset label" pair: benches, mirltty, bare_dialog, label.
use_build() {
    read -r preset label <<<"$1"
    benches=$root/build/$preset/bench/wine
    mirltty=$(windows_path "$root/build/$preset/app/mirltty.exe")
    bare_dialog=$(windows_path "$benches/bare_dialog.exe")
}

rows=$state/rows
: >"$rows"
# Runs one of the current build's benchmarks; its figures go into the table under the build's label.
run_bench() {
    local name=$1
    shift
    echo "bench: $name ($label)" >&2
    local out=$state/$name-$label.out
    mirl_wine "$benches/$name.exe" "$@" | tr -d '\r' | tee "$out" | grep -v '^ROW' >&2 || true
    sed -n "s/^ROW\t/ROW\t[$label] /p" "$out" >>"$rows"
    grep -q '^ROW' "$out" || echo "bench: $name printed no figures" >&2
}

# 1. The reader path on a pair that a Linux-side writer keeps full.
pty_pair reader_socat reader
mirl_wine_link_com "$reader_com" "$state/reader.a"
setsid bash -c 'exec yes "\$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47" >"$1"' \
    _ "$state/reader.b" </dev/null >/dev/null 2>&1 &
started+=("$!")
for build in "${builds[@]}"; do
    use_build "$build"
    run_bench reader_rate_bench "$reader_com"
done
kill "$reader_socat" 2>/dev/null || true

# 2. The lookup of the present ports, with 16 ports in Wine's own list. Wine lists those from its
# server's start on, so the server starts anew; they are taken out of the prefix after.
lookup_ports=$(seq 21 36)
{
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    for n in $lookup_ports; do printf '"COM%s"="/dev/null"\n' "$n"; done
} >"$state/define_ports.reg"
mirl_wine regedit /S "$(windows_path "$state/define_ports.reg")"
mirl_wine_stop
mirl_wine_prefix_ready
for build in "${builds[@]}"; do
    use_build "$build"
    run_bench port_lookup_bench 50
done
{
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    for n in $lookup_ports; do printf '"COM%s"=-\n' "$n"; done
} >"$state/remove_ports.reg"
mirl_wine regedit /S "$(windows_path "$state/remove_ports.reg")"

# 3. Start-up against the bare dialog on the program's template, in turn, at least 15 each, and 4.
# disconnect on COM1, an idle pair.
pty_pair idle_socat idle
mirl_wine_link_com 1 "$state/idle.a"
for build in "${builds[@]}"; do
    use_build "$build"
    run_bench startup_bench "$mirltty" "$bare_dialog" "$((repeats > 15 ? repeats : 15))"
done
use_build "${builds[0]}"
run_bench disconnect_bench "$mirltty" "$repeats"

# 5. Idle CPU: the benchmark asks (request file) for the device to go; killing socat closes the
# masters, so the program's end of the pty is hung up mid-capture.
request=$state/gone.request
done_file=$state/gone.done
(
    for _ in $(seq 600); do
        if [[ -e $request ]]; then
            kill "$idle_socat" 2>/dev/null || true
            wait "$idle_socat" 2>/dev/null || true
            touch "$done_file"
            exit 0
        fi
        sleep 0.05
    done
) &
closer=$!
started+=("$closer")
run_bench idle_cpu_bench "$mirltty" "$(windows_path "$state")\\gone.request" \
    "$(windows_path "$state")\\gone.done" 5
wait "$closer" 2>/dev/null || true

# 6. Ticks that add bursts of lines: COM1 on a fresh pair whose other end the benchmark writes to
# as COM12.
pty_pair burst_socat burst
mirl_wine_link_com 1 "$state/burst.a"
mirl_wine_link_com "$burst_com" "$state/burst.b"
for build in "${builds[@]}"; do
    use_build "$build"
    run_bench burst_bench "$mirltty" "$bare_dialog" "COM$burst_com" "$(((repeats + 1) / 2))"
done

echo
awk -F '\t' '
    { what[NR] = $2; fig[NR] = $3; goal[NR] = $4; how[NR] = $5
      if (length($2) > w1) w1 = length($2); if (length($3) > w2) w2 = length($3)
      if (length($4) > w3) w3 = length($4) }
    END {
      if (w3 < 4) w3 = 4
      fmt = "%-" w1 "s | %-" w2 "s | %-" w3 "s | %s\n"
      printf fmt, "Measurement", "Figure", "Goal", "How measured"
      line = sprintf(fmt, "", "", "", ""); gsub(/./, "-", line); print substr(line, 1, w1 + w2 + w3 + 30)
      for (i = 1; i <= NR; i++) printf fmt, what[i], fig[i], goal[i], how[i]
    }' "$rows"
[[ -z $no_32bit ]] || echo "No x86 figures: the 32-bit program cannot run here, since $no_32bit."

