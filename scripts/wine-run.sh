#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix; CTest's cross-compiling emulator.
#   wine-run.sh PROGRAM.exe [ARGS...]     (see wine-env.sh for the prefix, display and server)
set -euo pipefail

# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}"
mirl_wine_prefix_ready
exec wine "$@"
