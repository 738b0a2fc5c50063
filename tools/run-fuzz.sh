#!/usr/bin/env bash
# Builds the picture-reader fuzz target with clang and runs it for SECONDS (default 60) on a copy
# of the seed corpus, so the committed corpus never grows. Exits non-zero when the fuzzer finds a
# crash, a leak, a timeout or runs out of memory; the input that did it is kept in the build folder.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-build-fuzz}
[[ $build == /* ]] || build=$root/$build

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBALIN_FUZZ=ON -DORBALIN_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_pictures -j2

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/fuzz/corpus/* "$corpus"/
artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"

# One input may take a few seconds: the largest picture allowed decodes in about one.
if ! "$build/fuzz_pictures" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -artifact_prefix="$artifacts/" -print_final_stats=1; then
    echo "The fuzzer found a problem; the input is in $artifacts" >&2
    exit 1
fi
