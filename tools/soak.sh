#!/bin/sh
# Runs the whole Wine suite N times on a busy machine:
#   tools/soak.sh N [win64 build dir]
# One busy loop per core runs beside the suite for the whole soak (each
# ended by a time limit of its own as well, should this script be killed),
# as CI's loaded machine would.  Prints one line per run and a summary;
# exits non-zero if any run failed.  Logs land in <build>/soak/.
set -u

runs=${1:?usage: tools/soak.sh N [win64 build dir]}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${2:-$here/../build/win64}" && pwd)
logs="$build/soak"
rm -rf "$logs" && mkdir -p "$logs"

load_pids=""
stop_load() {
    [ -n "$load_pids" ] && kill $load_pids 2>/dev/null
    load_pids=""
}
trap stop_load EXIT
trap 'exit 130' INT TERM
for _ in $(seq "$(nproc)"); do
    timeout 7200 sh -c 'while :; do :; done' &
    load_pids="$load_pids $!"
done

failed=0
started=$(date +%s)
for i in $(seq "$runs"); do
    t0=$(date +%s)
    if sh "$here/run-wine-tests.sh" "$build" >"$logs/run-$i.log" 2>&1; then
        verdict=passed
    else
        verdict=FAILED
        failed=$((failed + 1))
    fi
    summary=$(grep -E '^[0-9]+% tests passed' "$logs/run-$i.log" | tr '\n' ' ')
    printf 'run %d/%d: %s in %ds; %s\n' "$i" "$runs" "$verdict" "$(( $(date +%s) - t0 ))" "$summary"
    [ "$verdict" = passed ] || grep -E '^\[  FAILED  \]|\*\*\*Failed|\(Failed\)' "$logs/run-$i.log" | sed 's/^/    /' | sort -u
done
stop_load
printf 'soak: %d runs, %d passed, %d failed, %ds, under a load of %d busy loops\n' \
    "$runs" "$((runs - failed))" "$failed" "$(( $(date +%s) - started ))" "$(nproc)"
[ "$failed" -eq 0 ]
