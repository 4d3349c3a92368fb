#!/bin/sh
# Builds the libFuzzer targets (the fuzz preset: clang, ASan + UBSan) and runs
# each from a copy of its committed seed corpus.
#   tools/fuzz.sh smoke   a short pass, part of `make test`
#   tools/fuzz.sh long    a longer hunt (`make fuzz`)
# A crash leaves its input in build/fuzz/artifacts; add it to the target's
# seed corpus and to its unit tests as a regression case.
set -eu
mode=${1:-smoke}
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/fuzz"

case "$mode" in
    smoke) runs=20000 ;;
    long)  runs=${QL_FUZZ_RUNS:-2000000} ;;
    *) echo "usage: $0 smoke|long" >&2; exit 2 ;;
esac

# The Makefile configures the preset (again when the presets change); run on
# its own, this configures a folder that has never been.
cd "$top"
[ -f "$build/CMakeCache.txt" ] || cmake --preset fuzz >/dev/null
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --build --preset fuzz >/dev/null

mkdir -p "$build/artifacts" "$build/work"
passed=0
failed=0
for entry in "$build"/fuzzers/*.txt; do
    [ -f "$entry" ] || continue
    exe=$(cut -f1 "$entry")
    seeds=$(cut -f2 "$entry")
    name=$(basename "$exe")
    work="$build/work/$name"
    rm -rf "$work"
    mkdir -p "$work"
    if "$exe" -runs="$runs" -max_len=2048 -timeout=10 -print_final_stats=0 \
            -artifact_prefix="$build/artifacts/$name-" "$work" "$seeds" >"$build/work/$name.log" 2>&1; then
        passed=$((passed + 1))
        echo "ok   $name ($runs runs)"
    else
        failed=$((failed + 1))
        echo "FAIL $name"
        tail -40 "$build/work/$name.log"
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
