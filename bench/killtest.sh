#!/usr/bin/env bash
# Kills bench_killtest (SIGKILL) at random moments while it stores measurements, saves a work order,
# writes the settings file and exports pictures, a workbook and a CSV file; after every kill it checks
# the database (PRAGMA integrity_check, every measurement whose completion was logged) and every file
# (its old or its new whole version). Prints the figures at the end.
#
#   bash bench/killtest.sh [-n KILLS] [-b BUILD_DIR] [-k]     (-k keeps the work folder)
set -euo pipefail

kills=200
build=build
keep=0
while getopts "n:b:k" opt; do
    case $opt in
        n) kills=$OPTARG ;;
        b) build=$OPTARG ;;
        k) keep=1 ;;
        *) echo "usage: $0 [-n KILLS] [-b BUILD_DIR] [-k]" >&2; exit 1 ;;
    esac
done

driver=$build/bench/bench_killtest
[ -x "$driver" ] || { echo "build it first: cmake --build $build --target bench_killtest" >&2; exit 1; }

work=$(mktemp -d /tmp/killtest.XXXXXX)
[ "$keep" = 1 ] || trap 'rm -rf "$work"' EXIT
folder=$work/program
mkdir -p "$folder"
log=$work/log

integrity_failures=0
lost=0
torn=0
leftovers=0
done_kills=0
for ((round = 1; round <= kills; round++)); do
    "$driver" run "$folder" >>"$log" 2>>"$work/stderr" &
    pid=$!
    # Anywhere from the opening of the database to a dozen iterations in.
    delay=$(printf '0.%03d' $((RANDOM % 1000)))
    [ $((RANDOM % 4)) = 0 ] && delay=$(printf '%d.%03d' $((RANDOM % 3)) $((RANDOM % 1000)))
    sleep "$delay"
    if ! kill -KILL "$pid" 2>/dev/null; then
        echo "round $round: the driver had stopped by itself:" >&2
        tail -5 "$work/stderr" >&2
        exit 1
    fi
    wait "$pid" 2>/dev/null || true
    done_kills=$((done_kills + 1))

    report=$("$driver" check "$folder" "$log")
    integrity=$(sed -n 's/^integrity //p' <<<"$report")
    round_lost=$(sed -n 's/^lost //p' <<<"$report")
    round_torn=$(sed -n 's/^torn \([0-9]*\).*/\1/p' <<<"$report")
    round_left=$(sed -n 's/^leftovers \([0-9]*\).*/\1/p' <<<"$report")
    if [ "$integrity" != ok ] && [ "$integrity" != "no database" ]; then
        integrity_failures=$((integrity_failures + 1))
        echo "round $round: integrity: $integrity" >&2
    fi
    if [ "$round_lost" != "$lost" ] || [ "$round_torn" != 0 ]; then
        echo "round $round (after ${delay}s): $(tr '\n' ';' <<<"$report")" >&2
    fi
    lost=$((lost > round_lost ? lost : round_lost))
    torn=$((torn + round_torn))
    leftovers=$round_left  # they stay in the folder: the last count is the total
done

stored=$(grep -c '^stored ' "$log" || true)
echo "kills:                 $done_kills"
echo "measurements stored:   $stored (completion logged)"
echo "integrity failures:    $integrity_failures"
echo "measurements lost:     $lost"
echo "torn files:            $torn"
echo "temporaries left:      $leftovers (a killed write could not remove them; never in place of a file; the next write of the same picture removes those over a minute old)"
[ "$keep" = 1 ] && echo "work folder:           $work"
exit 0
