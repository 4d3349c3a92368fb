#!/bin/sh
# Runs one stage of `make test` and says how long it took:
#   tools/stage.sh NAME command [arguments]
# The line goes to standard output after the stage's own output, so a log
# of the whole run ends each stage with its time.
name=$1
shift
start=$(date +%s)
"$@"
status=$?
verdict=passed
[ $status -eq 0 ] || verdict="FAILED (exit $status)"
echo "== stage $name: $verdict in $(( $(date +%s) - start ))s"
exit $status
