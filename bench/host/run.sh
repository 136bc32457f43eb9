#!/usr/bin/env bash
# Builds host_benchmarks optimised under build/bench and prints its table; extra arguments go to
# the benchmark (for example --benchmark_filter=Move).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "${here}/../.." && pwd)"
tree="${root}/build/bench"

cmake -S "${here}" -B "${tree}" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "${tree}" -j "${MIRL_JOBS:-2}" --target host_benchmarks
"${tree}/host_benchmarks" --benchmark_counters_tabular=true "$@"
