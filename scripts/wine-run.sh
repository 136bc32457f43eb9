#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix; CTest's cross-compiling emulator.
#   [MIRL_WINE_DPI=DPI] wine-run.sh PROGRAM.exe [ARGS...]
# (see wine-env.sh for the prefix, display and server). With MIRL_WINE_DPI the program runs at
# that DPI, and 96 is put back after it.
set -euo pipefail

# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}"
mirl_wine_prefix_ready
if [[ -n ${MIRL_WINE_DPI:-} ]]; then
    mirl_wine_set_dpi "$MIRL_WINE_DPI"
    trap 'mirl_wine_set_dpi 96' EXIT
    wine "$@"
    exit
fi
exec wine "$@"
