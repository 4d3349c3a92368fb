#!/bin/sh
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each from a
# copy of its committed seed corpus.
#   tools/fuzz.sh BUILD_DIR smoke   a short pass, part of `make test`
#   tools/fuzz.sh BUILD_DIR long    a longer hunt (`make fuzz`)
# A crash leaves its input in BUILD_DIR/artifacts; add it to the target's seed
# corpus and to its unit tests as a regression case.
set -eu
build=${1:-build/fuzz}
mode=${2:-smoke}
top=$(cd "$(dirname "$0")/.." && pwd)

case "$mode" in
    smoke) runs=20000 ;;
    long)  runs=${QL_FUZZ_RUNS:-2000000} ;;
    *) echo "usage: $0 BUILD_DIR smoke|long" >&2; exit 2 ;;
esac

cmake -S "$top" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQL_FUZZ=ON >/dev/null
cmake --build "$build" -j2 >/dev/null

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
