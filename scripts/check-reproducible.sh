#!/usr/bin/env bash
# Builds mirltty.exe in build/windows and once more from a copy of the sources in another folder,
# and fails unless both are the same bytes and small enough to ship (at most 256 KB). A build path,
# a time stamp or anything else of the build's place and time in the binary shows up as a
# difference here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
limit=$((256 * 1024))

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target mirltty >/dev/null
program=$root/build/windows/app/mirltty.exe

copy=$root/build/second-folder/mirltty
rm -rf "$copy"
mkdir -p "$copy"
tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -
(cd "$copy" && cmake --preset windows >/dev/null &&
    cmake --build --preset windows -j "$(nproc)" --target mirltty >/dev/null)
again=$copy/build/windows/app/mirltty.exe

if ! cmp -s "$program" "$again"; then
    echo "check-reproducible: $program and $again differ:" >&2
    cmp -l "$program" "$again" | head -n 5 >&2
    exit 1
fi
size=$(stat -c %s "$program")
if ((size > limit)); then
    echo "check-reproducible: mirltty.exe is $size bytes, more than $limit" >&2
    exit 1
fi
echo "mirltty.exe: $size bytes, sha256 $(sha256sum "$program" | cut -d' ' -f1)," \
    "the same when built in $copy"
