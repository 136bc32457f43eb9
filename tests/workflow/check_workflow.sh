#!/usr/bin/env bash
# The workflow that runs the Windows programs on hosted Windows runners (.github/workflows).
#   check_workflow.sh programs BUILD_DIR
#       The Windows test programs that need no serial pair, one a line, relative to BUILD_DIR:
#       what the workflow runs natively, taken from CTest so that a test renamed or added in CMake
#       is in it. Fails when it is empty or names a file the tree lacks.
#   check_workflow.sh check WORKFLOW BUILD_DIR...
#       Fails unless action-validator (pinned below, installed under build/ with npm) finds
#       WORKFLOW valid against the workflow schema, WORKFLOW takes its list from the command
#       above, and every test program it names is in each tree's list: what it says runs, runs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
version=0.6.0

fail() { echo "check_workflow: $*" >&2; exit 1; }

programs() {
    local tree list
    tree=$(cd "$1" && pwd)
    # Tests whose command is the Wine emulator run a Windows program; each program runs once, whole
    # (framework_tests is one CTest entry per case, resource_tests also has a 144 DPI entry).
    list=$(ctest --test-dir "$tree" --show-only=json-v1 --label-exclude serial-pair |
        python3 -c 'import json, sys
for test in json.load(sys.stdin)["tests"]:
    if test["command"][0].endswith("/wine-run.sh"): print(test["command"][1])' |
        sort -u | sed "s|^$tree/||")
    [ -n "$list" ] || fail "$1: CTest lists no Windows test program without a serial pair"
    while read -r program; do
        [ -f "$tree/$program" ] || fail "$1: CTest runs $program, which is not built"
    done <<<"$list"
    echo "$list"
}

check() {
    local workflow=$1 tools=$root/build/action-validator-$version list name
    shift
    if [ ! -x "$tools/node_modules/.bin/action-validator" ]; then
        command -v npm >/dev/null || { apt-get update -qq && apt-get install -y -qq npm; }
        # Needs the npm registry, which CI always has; without it the check fails, not passes.
        npm install --prefix "$tools" --no-save --no-audit --no-fund --loglevel=error \
            "@action-validator/cli@$version" "@action-validator/core@$version" ||
            fail "could not install action-validator $version from the npm registry"
    fi
    "$tools/node_modules/.bin/action-validator" "$workflow"
    grep -q '^[^#]*tests/workflow/check_workflow.sh programs' "$workflow" ||
        fail "$workflow does not take its test programs from CTest"
    for tree in "$@"; do
        list=$(programs "$tree")
        while read -r name; do
            grep -qx ".*/$name\.exe" <<<"$list" ||
                fail "$workflow names $name, which is not among $tree's native test programs"
        done < <(grep -o '\b[a-z0-9_]*_tests\b' "$workflow" | sort -u)
        echo "check_workflow: $workflow valid; runs natively from $tree: ${list//$'\n'/ }"
    done
}

case "${1:-}" in
programs | check) "$@" ;;
*) fail "usage: check_workflow.sh programs BUILD_DIR | check WORKFLOW BUILD_DIR..." ;;
esac
