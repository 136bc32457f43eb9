#!/usr/bin/env bash
# Builds mirltty.exe for 64-bit and 32-bit Windows in build/windows and build/windows-x86, and once
# more each from a copy of the sources in another folder, and fails unless every pair is the same
# bytes and small enough to ship (at most 256 KB). A build path, a time stamp or anything else of
# the build's place and time in the binary shows up as a difference here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
limit=$((256 * 1024))
presets=(windows windows-x86)

copy=$root/build/second-folder/mirltty
rm -rf "$copy"
mkdir -p "$copy"
tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -

for preset in "${presets[@]}"; do
    for tree in "$root" "$copy"; do
        (cd "$tree" && cmake --preset "$preset" >/dev/null &&
            cmake --build --preset "$preset" -j "$(nproc)" --target mirltty >/dev/null)
    done
    program=$root/build/$preset/app/mirltty.exe
    again=$copy/build/$preset/app/mirltty.exe
    if ! cmp -s "$program" "$again"; then
        echo "check-reproducible: $program and $again differ:" >&2
        cmp -l "$program" "$again" | head -n 5 >&2
        exit 1
    fi
    size=$(stat -c %s "$program")
    if ((size > limit)); then
        echo "check-reproducible: $program is $size bytes, more than $limit" >&2
        exit 1
    fi
    echo "$preset mirltty.exe: $size bytes, sha256 $(sha256sum "$program" | cut -d' ' -f1)," \
        "the same when built in $copy"
done
