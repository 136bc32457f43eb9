#!/usr/bin/env bash
# Installs, on an x86-64 Debian machine, whatever the build and the tests need and is still missing.
# 32-bit Wine (wine32:i386), which runs the 32-bit program, is added only where this kernel runs
# 32-bit programs: elsewhere it could not start, and with it installed Debian's `wine` fails for
# every program (scripts/wine-loader.sh then starts Wine through its 64-bit loader all the same).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
          clang-format g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine64 xvfb xauth
          x11-utils socat imagemagick python3)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=0
install() {
    echo "Installing: $*"
    if ((!updated)); then
        # A list that fails to download (a mirror in the middle of a sync) leaves the old one in
        # use; the install below says so if a package cannot be had.
        $sudo apt-get update -qq || echo "install-deps: some package lists could not be updated" >&2
        updated=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" \
        >/dev/null
}

missing=()
for package in "${packages[@]}"; do installed "$package" || missing+=("$package"); done
((${#missing[@]} == 0)) || install "${missing[@]}"

# shellcheck source=kernel-32bit.sh
source "$root/scripts/kernel-32bit.sh"
if ! installed wine32:i386 && mirl_kernel_runs_32bit; then
    dpkg --print-foreign-architectures | grep -qx i386 || {
        $sudo dpkg --add-architecture i386
        updated=0
    }
    # Without it only the 32-bit program's run-time tests are left out, and the test command
    # says so; everything else runs.
    install wine32:i386 ||
        echo "install-deps: wine32:i386 could not be installed; the 32-bit program will not run" >&2
fi
