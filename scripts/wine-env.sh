# Sourceable: the environment a Wine program of the project runs in, with the prefix it names.
#
# Every Wine prefix of the project is build/wine/NAME, one for each purpose, so that the COM links
# of one never meet another's and each can run beside the others: NAME is the build tree's name
# for that tree's Windows tests (windows, windows-x86), e2e and e2e-x86 for the end-to-end runs,
# bench for the benchmarks, run for scripts/run.sh. $MIRL_WINEPREFIX, when set, is the prefix
# instead. $HOME is never used.
#
#   source scripts/wine-env.sh [NAME | PATH]
#       Exports WINEPREFIX, MIRL_WINEPREFIX, WINEDEBUG (quiet but for the loader's errors) and the
#       loader that starts Wine here (scripts/wine-loader.sh, whose mirl_wine it brings along);
#       starts nothing. A PATH (a program, a folder) stands for the name of the build tree it lies
#       in, the nearest directory with a CMakeCache.txt above it; without an argument, the one
#       above $PWD. scripts/wine-prefix.sh brings the prefix up.

# shellcheck source=wine-loader.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"

# Where every prefix of the project lies.
mirl__prefixes=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine

mirl__build_dir_above() {
    local dir
    dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 1
    [[ -d $1 ]] && dir=$(cd "$1" && pwd)
    while [[ $dir != / ]]; do
        [[ -f $dir/CMakeCache.txt ]] && { echo "$dir"; return 0; }
        dir=$(dirname "$dir")
    done
    return 1
}

mirl_wine_env() {
    local what=${1:-$PWD} name build
    if [[ -z ${MIRL_WINEPREFIX:-} ]]; then
        if [[ $what != */* ]]; then
            name=$what
        elif build=$(mirl__build_dir_above "$what"); then
            name=$(basename "$build")
        else
            name=scratch
        fi
        MIRL_WINEPREFIX=$mirl__prefixes/$name
    fi
    export MIRL_WINEPREFIX
    export WINEPREFIX=$MIRL_WINEPREFIX
    # Quiet, but for the loader's own word on a program it could not load.
    export WINEDEBUG=-all,err+module
    # No Mono/Gecko download prompts while the prefix is made.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

mirl_wine_env "${1:-}"
