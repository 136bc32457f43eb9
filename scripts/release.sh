#!/usr/bin/env bash
# Makes the Windows downloads of the checked-out commit: dist/mirltty-VERSION-win32.zip (the
# 32-bit program) and dist/mirltty-VERSION-win64.zip (the 64-bit one), each with mirltty.exe,
# README.txt and SHA256SUMS. VERSION is the one in res/version.h, as a.b.c.d. The same commit gives
# the same zips, byte for byte, wherever and whenever they are built: each program is built twice
# in two folders and compared, and the zips' entries have a fixed order, the commit's time and
# fixed permissions.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if ! git -C "$root" rev-parse --verify -q HEAD >/dev/null; then
    echo "release: not a git checkout; a release is made of a commit" >&2
    exit 1
fi
if [[ -n $(git -C "$root" status --porcelain --untracked-files=no) ]]; then
    echo "release: the checkout has uncommitted changes; commit them first" >&2
    exit 1
fi

scripts/install-deps.sh
scripts/check-reproducible.sh
# The builds above have checked that the header gives all four numbers.
version=$(for part in MAJOR MINOR PATCH BUILD; do
    sed -n "s/^#define MIRL_VERSION_$part \+\([0-9]\+\)$/\1/p" res/version.h
done | paste -sd.)
commit_time=$(git -C "$root" log -1 --format=%ct)

mkdir -p dist
# The build's preset, the zip's name, and the Windows it is for.
for download in "windows win64 64-bit Windows (x64)" "windows-x86 win32 32-bit Windows (x86)"; do
    read -r preset name windows <<<"$download"
    staging=$root/build/release/$name
    rm -rf "$staging"
    mkdir -p "$staging"
    cp "build/$preset/app/mirltty.exe" "$staging/"
    # Windows line ends, so that any editor shows the text as meant.
    sed "s/@VERSION@/$version/; s/@WINDOWS@/$windows/; s/\$/\r/" res/README.txt \
        >"$staging/README.txt"
    (cd "$staging" && sha256sum mirltty.exe README.txt >SHA256SUMS)

    zip=dist/mirltty-$version-$name.zip
    python3 - "$zip" "$staging" "$commit_time" <<'EOF'
import sys, time, zipfile, pathlib

zip_path, staging, commit_time = sys.argv[1], pathlib.Path(sys.argv[2]), int(sys.argv[3])
stamp = time.gmtime(commit_time)[:6]
with zipfile.ZipFile(zip_path, "w") as archive:
    for name, mode in (("mirltty.exe", 0o755), ("README.txt", 0o644), ("SHA256SUMS", 0o644)):
        entry = zipfile.ZipInfo(name, date_time=stamp)
        entry.create_system = 3  # Unix, so that the permissions below are what unzip sets
        entry.external_attr = (0o100000 | mode) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, (staging / name).read_bytes(), compresslevel=9)
EOF
    echo "$zip: $(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
done
