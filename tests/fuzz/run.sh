#!/usr/bin/env bash
# Builds the fuzzers with clang under build/fuzz and runs them for a bounded time in all (default
# 60 s): the line assembly, then the port-name rules. Exits non-zero when a fuzzer finds a crash or
# a mismatch; the input is kept in build/fuzz/artifacts. New inputs go to build/fuzz/<seeds>, the
# committed seeds stay untouched.
set -euo pipefail

seconds="${1:-60}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "${here}/../.." && pwd)"
tree="${root}/build/fuzz"

# The whole project configured with clang, of which only the fuzz programs are built; a tree
# configured from another source folder is made anew.
if [[ -f "${tree}/CMakeCache.txt" ]] &&
    ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=${root}" "${tree}/CMakeCache.txt"; then
    rm -rf "${tree}"
fi
cmake -S "${root}" -B "${tree}" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRL_FUZZ=ON -DMIRL_HOST_ONLY_UNIT=ON >/dev/null
cmake --build "${tree}" -j "${MIRL_JOBS:-2}" --target capture_ops_replay capture_ops_fuzzer \
    port_names_replay port_names_fuzzer
programs="${tree}/tests/fuzz"

# Three quarters of the time to the line assembly, the rest to the port-name rules.
for target in capture_ops:corpus:$((seconds * 3 / 4)) \
    port_names:port_names_corpus:$((seconds - seconds * 3 / 4)); do
    IFS=: read -r name seeds time <<<"$target"
    mkdir -p "${tree}/${seeds}" "${tree}/artifacts"
    "${programs}/${name}_replay" "${here}/${seeds}"
    "${programs}/${name}_fuzzer" -max_total_time="${time}" -print_final_stats=1 \
        -artifact_prefix="${tree}/artifacts/" "${tree}/${seeds}" "${here}/${seeds}"
done
