#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test suite: the launcher's device
# checks, the capture logic natively (plain, ThreadSanitizer, AddressSanitizer + UBSan), the
# Windows program's tests under Wine, the end-to-end suite that drives the real mirltty.exe, and a
# second build of mirltty.exe in another folder that must give the same bytes.
# `scripts/test.sh host` runs only the native trees.
set -euo pipefail
cd "$(dirname "$0")/.."

scope="${1:-all}"
jobs="$(nproc)"
scripts/install-deps.sh

stage() { printf '\n==== %s\n' "$*"; }

stage "launcher: device checks"
tests/launcher/device_checks_test.sh

if [ "$scope" = all ]; then
    stage "windows: build"
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$jobs"
    stage "windows: mirltty.exe built again in another folder"
    scripts/check-reproducible.sh
fi

for preset in host host-tsan host-asan; do
    stage "$preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    if [ "$preset" = host ] && [ "$scope" != all ]; then
        ctest --preset "$preset" -E '^e2e\.'
    else
        ctest --preset "$preset"
    fi
done

stage "fuzzing the line assembly against its reference model"
tests/fuzz/run.sh "${MIRL_FUZZ_SECONDS:-60}"

if [ "$scope" = all ]; then
    stage "windows: tests under Wine"
    ctest --preset windows
fi
stage "all suites passed"
