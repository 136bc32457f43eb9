# Sourceable: the loader rule, which picks the program that starts Wine here; sourcing applies it.
#
#   source scripts/wine-loader.sh
#       Exports MIRL_WINE, the loader, MIRL_WINE_RUNS_32BIT, 1 where 32-bit Windows programs can
#       run, else 0, and WINELOADER where Wine's own child processes need it.
#   mirl_wine ARGS...
#       Wine itself, started as the rule says: every Wine program, wineboot and reg included,
#       goes through it (or through $MIRL_WINE, for a caller that is no shell).
#   mirl_wine_no_32bit_reason
#       Says why 32-bit programs cannot run here; fails where they can.
#
# The rule. Debian's `wine` starts the 32-bit loader whenever 32-bit Wine is installed, and that
# loader runs 64-bit programs too; but on a kernel that runs no 32-bit programs it cannot execute
# at all ("Exec format error"), for any program. So the 32-bit loader is tried: where it answers,
# Wine starts through it, as Debian's `wine` would; where it does not, through the 64-bit loader,
# with WINELOADER naming it so that Wine's own child processes use it too, and 32-bit programs
# cannot run. MIRL_WINE32_LOADER and MIRL_WINE64_LOADER name other loaders (the rule's test points
# the first at a file that cannot execute).

# shellcheck source=kernel-32bit.sh
source "$(dirname "${BASH_SOURCE[0]}")/kernel-32bit.sh"

mirl__wine32_loader=${MIRL_WINE32_LOADER:-/usr/lib/wine/wine}
mirl__wine64_loader=${MIRL_WINE64_LOADER:-/usr/lib/wine/wine64}

mirl__choose_loader() {
    if [[ $("$mirl__wine32_loader" --version 2>/dev/null </dev/null) == wine-* ]]; then
        MIRL_WINE=$mirl__wine32_loader
        MIRL_WINE_RUNS_32BIT=1
        unset WINELOADER
    else
        MIRL_WINE=$mirl__wine64_loader
        MIRL_WINE_RUNS_32BIT=0
        export WINELOADER=$MIRL_WINE
    fi
    export MIRL_WINE MIRL_WINE_RUNS_32BIT
}

mirl_wine() { "$MIRL_WINE" "$@"; }

mirl_wine_no_32bit_reason() {
    if ((MIRL_WINE_RUNS_32BIT)); then
        return 1
    elif ! mirl_kernel_runs_32bit; then
        echo "this kernel runs no 32-bit programs"
    else
        echo "32-bit Wine (wine32:i386) is not installed or does not start"
    fi
}

mirl__choose_loader
