#!/usr/bin/env bash
# Builds the fuzzer with clang under build/fuzz and runs it for a bounded time (default 60 s).
# Exits non-zero when the fuzzer finds a crash or a mismatch; the input is kept in
# build/fuzz/artifacts. New inputs go to build/fuzz/corpus, the committed seeds stay untouched.
set -euo pipefail

seconds="${1:-60}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "${here}/../.." && pwd)"
tree="${root}/build/fuzz"

# The whole project configured with clang, of which only the two fuzz programs are built; a tree
# configured from another source folder is made anew.
if [[ -f "${tree}/CMakeCache.txt" ]] &&
    ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=${root}" "${tree}/CMakeCache.txt"; then
    rm -rf "${tree}"
fi
cmake -S "${root}" -B "${tree}" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRL_FUZZ=ON -DMIRL_HOST_ONLY_UNIT=ON >/dev/null
cmake --build "${tree}" -j "${MIRL_JOBS:-2}" --target capture_ops_replay capture_ops_fuzzer
programs="${tree}/tests/fuzz"

mkdir -p "${tree}/corpus" "${tree}/artifacts"
"${programs}/capture_ops_replay" "${here}/corpus"
"${programs}/capture_ops_fuzzer" -max_total_time="${seconds}" -print_final_stats=1 \
    -artifact_prefix="${tree}/artifacts/" "${tree}/corpus" "${here}/corpus"
