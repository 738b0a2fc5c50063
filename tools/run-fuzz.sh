#!/usr/bin/env bash
# Builds a fuzz target with clang (FUZZ_TARGET: fuzz_pictures, the default, or fuzz_cover) and runs
# it for SECONDS (default 60) on a copy of its seed corpus, so the committed corpus never grows. Exits non-zero when the fuzzer finds a
# crash, a leak, a timeout or runs out of memory; the input that did it is kept in the build folder.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-build-fuzz}
[[ $build == /* ]] || build=$root/$build

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBALIN_FUZZ=ON -DORBALIN_TESTS=OFF >/dev/null
target=${FUZZ_TARGET:-fuzz_pictures}
seeds=$root/tests/fuzz/corpus
[[ $target == fuzz_cover ]] && seeds=$root/tests/fuzz/cover-corpus
cmake --build "$build" --target "$target" -j2

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$seeds"/* "$corpus"/
artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"

# One input may take a few seconds: the largest picture allowed decodes in about one.
if ! "$build/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -artifact_prefix="$artifacts/" -print_final_stats=1; then
    echo "The fuzzer found a problem; the input is in $artifacts" >&2
    exit 1
fi
