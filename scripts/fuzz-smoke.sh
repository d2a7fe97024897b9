#!/usr/bin/env bash
# A short run of every fuzz target the fuzz build produced (FUZZ_SMOKE_SECONDS
# each, default 30), from its seeds in fuzz/seeds/<target without _fuzz>.
# Any crash, leak, timeout or undefined behaviour fails the run; the input is
# kept as fuzz-artifacts/<target>-crash-… for the test data.
#
#   scripts/fuzz-smoke.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build directory}
seconds=${FUZZ_SMOKE_SECONDS:-30}
shopt -s nullglob
targets=("$build"/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz-smoke: no fuzz targets in $build/fuzz" >&2
    exit 1
fi
mkdir -p fuzz-artifacts
for target in "${targets[@]}"; do
    name=$(basename "$target" _fuzz)
    seeds=fuzz/seeds/$name
    [ -d "$seeds" ] || seeds=fuzz/seeds/${name//_/}
    corpus=$(mktemp -d)
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz-smoke: $name for ${seconds}s"
    if ! "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="fuzz-artifacts/$name-" -print_final_stats=1 >"$corpus.log" 2>&1; then
        tail -40 "$corpus.log" >&2
        rm -rf "$corpus" "$corpus.log"
        echo "fuzz-smoke: $name failed" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$corpus.log" | sed "s/^/  /"
    rm -rf "$corpus" "$corpus.log"
done
