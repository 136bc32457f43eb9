#!/usr/bin/env bash
# The launcher's device checks: a missing path, a regular file and a node the user may not read and
# write each end scripts/run.sh with status 2 and a message that says why; usable nodes become
# COM1, COM2, ... in the order given. --check stops it after the checks, so a slip here never
# starts a build or Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# A copy that anyone may read, so that it can also run as an unprivileged user.
tmp=$(mktemp -d)
chmod 755 "$tmp"
cp "$here/../../scripts/run.sh" "$tmp/run.sh"
touch "$tmp/plain-file"
pty_pid=
cleanup() {
    [[ -z $pty_pid ]] || kill "$pty_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
# expect STATUS PATTERN COMMAND...: the command ends with STATUS and its output matches *PATTERN*.
expect() {
    local status=$1 pattern=$2 out rc=0
    shift 2
    out=$("$@" 2>&1) || rc=$?
    if [[ $rc == "$status" && $out == *$pattern* ]]; then
        echo "ok: $*"
    else
        printf 'FAIL: %s\n  status %s, expected %s; output:\n%s\n' "$*" "$rc" "$status" "$out"
        failures=1
    fi
}

expect 2 "/dev/mirl-absent does not exist" "$tmp/run.sh" --check /dev/mirl-absent
expect 2 "plain-file is not a character device" "$tmp/run.sh" --check /dev/null "$tmp/plain-file"
expect 0 $'COM1 is /dev/zero.\nCOM2 is /dev/null.' "$tmp/run.sh" --check /dev/zero /dev/null

# A pseudo-terminal of our own with no permission bits: its owner may not open it, and root,
# who may open anything, runs the launcher as nobody.
coproc pty {
    python3 -c 'import os, pty, sys
_, follower = pty.openpty()
os.chmod(os.ttyname(follower), 0)
print(os.ttyname(follower), flush=True)
sys.stdin.read()'
}
pty_pid=$pty_PID
read -r node <&"${pty[0]}"
as_user=()
if (($(id -u) == 0)); then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
expect 2 "may not read and write $node*usermod -aG dialout*log out and in again" \
    "${as_user[@]}" "$tmp/run.sh" --check "$node"

exit "$failures"
