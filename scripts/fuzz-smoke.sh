#!/usr/bin/env bash
# A run of every fuzz target the fuzz build produced (FUZZ_SMOKE_SECONDS each,
# default 30), from its seeds in fuzz/seeds/<target without _fuzz> (or
# without _file_fuzz, or without _fuzz and underscores). Any crash, leak, timeout or undefined
# behaviour fails the run; the input is kept as fuzz-artifacts/<target>-crash-…
# for the test data. With CORPUS_DIR, each target's corpus is kept in
# CORPUS_DIR/<target> between runs; without, it is thrown away.
#
#   scripts/fuzz-smoke.sh BUILD_DIR [CORPUS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build directory}
keep=${2:-}
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
    seeds=
    for candidate in "$name" "${name%_file}" "${name//_/}"; do
        [ -d "fuzz/seeds/$candidate" ] && seeds=fuzz/seeds/$candidate && break
    done
    if [ -n "$keep" ]; then
        corpus=$keep/$name
        mkdir -p "$corpus"
    else
        corpus=$(mktemp -d)
    fi
    [ -n "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz-smoke: $name for ${seconds}s"
    if ! "$target" "$corpus" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="fuzz-artifacts/$name-" -print_final_stats=1 >"$corpus.log" 2>&1; then
        tail -40 "$corpus.log" >&2
        rm -f "$corpus.log"
        [ -n "$keep" ] || rm -rf "$corpus"
        echo "fuzz-smoke: $name failed" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$corpus.log" | sed "s/^/  /"
    rm -f "$corpus.log"
    [ -n "$keep" ] || rm -rf "$corpus"
done
