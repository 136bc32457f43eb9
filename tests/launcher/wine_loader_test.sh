#!/usr/bin/env bash
# The rule that picks Wine's loader, both ways: a 32-bit loader that answers is used as it is; one
# that cannot execute (as on a kernel that runs no 32-bit programs) gives way to the 64-bit loader,
# named in WINELOADER, and a prefix made by the other loader is marked as such.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '#!/bin/sh\necho wine-8.0\n' >"$tmp/answers"
head -c 96 /dev/zero >"$tmp/cannot-execute"
chmod +x "$tmp/answers" "$tmp/cannot-execute"

failures=0
# expect LOADER32 EXPECTED: what the rule settles on with that 32-bit loader.
expect() {
    local got
    got=$(MIRL_WINE32_LOADER=$1 MIRL_WINE64_LOADER=$tmp/wine64 WINELOADER=stale bash -c \
        'source "$0/wine-loader.sh"; source "$0/wine-prefix.sh"; echo "$MIRL_WINE" \
         "$MIRL_WINE_RUNS_32BIT ${WINELOADER:-unset}" "$(mirl__prefix_kind)"' "$here/../../scripts")
    if [[ $got == "$2" ]]; then
        echo "ok: $1 gives $got"
    else
        echo "FAIL: $1 gives \"$got\", expected \"$2\""
        failures=1
    fi
}
i386=""
[[ ! -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ]] || i386="+i386"
expect "$tmp/answers" "$tmp/answers 1 unset answers$i386"
expect "$tmp/cannot-execute" "$tmp/wine64 0 $tmp/wine64 wine64$i386"
expect "$tmp/absent" "$tmp/wine64 0 $tmp/wine64 wine64$i386"
exit "$failures"
