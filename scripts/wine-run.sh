#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix; CTest's cross-compiling emulator.
#   [MIRL_WINE_DPI=DPI] wine-run.sh PROGRAM.exe [ARGS...]
# (see wine-env.sh for the prefix and the loader that starts Wine, wine-prefix.sh for its display
# and server). A program that Wine cannot load ends at once, with Wine's own message. With
# MIRL_WINE_DPI the program runs at that DPI, and 96 is put back after it.
set -euo pipefail

# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}"
# shellcheck source=wine-prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
# Where 32-bit programs cannot run, Wine would end a 32-bit one at once with status 0, and a test
# that never ran would pass.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}
if ((!MIRL_WINE_RUNS_32BIT)) && [[ $(pe_machine "$1") == 014c ]]; then
    echo "wine-run: $1 is a 32-bit program and cannot run here: $(mirl_wine_no_32bit_reason)" >&2
    exit 1
fi
mirl_wine_prefix_ready
if [[ -n ${MIRL_WINE_DPI:-} ]]; then
    mirl_wine_set_dpi "$MIRL_WINE_DPI"
    trap 'mirl_wine_set_dpi 96' EXIT
    mirl_wine "$@"
    exit
fi
exec "$MIRL_WINE" "$@"
