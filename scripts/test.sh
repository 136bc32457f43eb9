#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test suite: the launcher's device
# checks and Wine loader rule, the capture logic natively (plain, ThreadSanitizer, AddressSanitizer
# + UBSan), the tests of the 64-bit and the 32-bit Windows program under Wine, the end-to-end suite
# that drives both builds of the real mirltty.exe, and a second build of each in another folder
# that must give the same bytes; and checks the workflow that runs them on hosted Windows runners.
# Where 32-bit programs cannot run (scripts/wine-env.sh's loader rule), the 32-bit program is still
# built and checked in every way that needs no running; its run-time suites are left out and the
# last lines say so.
# `scripts/test.sh host` runs only the native trees.
set -euo pipefail
cd "$(dirname "$0")/.."

scope="${1:-all}"
jobs="$(nproc)"
scripts/install-deps.sh

# Whatever Wine this command started ends with it, passed or failed.
trap 'bash -c "source scripts/wine-env.sh scratch && source scripts/wine-prefix.sh &&
    mirl_wine_stop_all"' EXIT

stage() { printf '\n==== %s\n' "$*"; }

stage "launcher: device checks and the Wine loader rule"
tests/launcher/device_checks_test.sh
tests/launcher/wine_loader_test.sh

not_run=""
if [ "$scope" = all ]; then
    no_32bit=$(bash -c 'source scripts/wine-loader.sh && mirl_wine_no_32bit_reason') || true
    for preset in windows windows-x86; do
        stage "$preset: build"
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j "$jobs"
    done
    stage "both builds of mirltty.exe built again in another folder"
    scripts/check-reproducible.sh
    stage "the Windows workflow: valid, and naming only test programs that it runs"
    tests/workflow/check_workflow.sh check .github/workflows/windows.yml build/windows build/windows-x86
fi

for preset in host host-tsan host-asan; do
    stage "$preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset"
done

stage "fuzzing the line assembly against its reference model, and the port-name rules"
tests/fuzz/run.sh "${MIRL_FUZZ_SECONDS:-60}"

# The Windows tests in the two parts that CMake's serial-pair label makes, as the hosted Windows
# runners take them: those that need a pair of pseudo-terminals as COM ports, and the rest.
windows_tests() {
    stage "$1: tests under Wine that need no serial pair"
    ctest --preset "$1" --label-exclude serial-pair
    stage "$1: tests under Wine on pseudo-terminal pairs linked as COM ports"
    ctest --preset "$1" --label-regex serial-pair
}

if [ "$scope" = all ]; then
    windows_tests windows
    if [ -z "$no_32bit" ]; then
        windows_tests windows-x86
        stage "end-to-end: both builds of mirltty.exe driven from outside"
        ctest --preset e2e
    else
        stage "windows-x86: the checks that need no running (PE header, imports, manifest)"
        ctest --preset windows-x86 --label-regex static
        stage "end-to-end: the 64-bit mirltty.exe driven from outside"
        ctest --preset e2e --tests-regex '^e2e$'
        not_run="the windows-x86 tests under Wine and the 32-bit end-to-end run (e2e-x86)"
    fi
fi
stage "all suites passed"
if [ -n "$not_run" ]; then
    echo "Not run: $not_run, since $no_32bit."
    echo "They run where 32-bit programs run: scripts/test.sh on a host whose kernel runs 32-bit"
    echo "programs and that has 32-bit Wine (wine32:i386, which scripts/install-deps.sh adds there)."
fi
