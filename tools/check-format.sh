#!/bin/sh
# Checks that every C++ source is laid out as .clang-format says:
#   tools/check-format.sh          report the files that are not
#   tools/check-format.sh --fix    lay them out
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
format=clang-format-14
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    # shellcheck disable=SC2086
    $format -i $files
    exit 0
fi
bad=0
for f in $files; do
    if ! $format --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        bad=$((bad + 1))
    fi
done
count=$(echo "$files" | wc -l)
echo "format: $((count - bad)) passed, $bad failed"
[ "$bad" -eq 0 ]
