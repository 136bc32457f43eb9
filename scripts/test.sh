#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test suite: the launcher's device
# checks, the capture logic natively (plain, ThreadSanitizer, AddressSanitizer + UBSan), the tests
# of the 64-bit and the 32-bit Windows program under Wine, the end-to-end suite that drives both
# builds of the real mirltty.exe, and a second build of each in another folder that must give the
# same bytes.
# `scripts/test.sh host` runs only the native trees.
set -euo pipefail
cd "$(dirname "$0")/.."

scope="${1:-all}"
jobs="$(nproc)"
windows_presets=(windows windows-x86)
scripts/install-deps.sh

stage() { printf '\n==== %s\n' "$*"; }

stage "launcher: device checks"
tests/launcher/device_checks_test.sh

if [ "$scope" = all ]; then
    for preset in "${windows_presets[@]}"; do
        stage "$preset: build"
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j "$jobs"
    done
    stage "both builds of mirltty.exe built again in another folder"
    scripts/check-reproducible.sh
fi

for preset in host host-tsan host-asan; do
    stage "$preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset"
done

stage "fuzzing the line assembly against its reference model"
tests/fuzz/run.sh "${MIRL_FUZZ_SECONDS:-60}"

if [ "$scope" = all ]; then
    for preset in "${windows_presets[@]}"; do
        stage "$preset: tests under Wine"
        ctest --preset "$preset"
    done
    stage "end-to-end: both builds of mirltty.exe driven from outside"
    ctest --preset e2e
fi
stage "all suites passed"
