#!/bin/sh
# Times the two disk generators at a million nodes (`tessel-cli hex 577`, 1,000,519 nodes, and
# `tessel-cli random 1000000`) for one or more builds of tessel-cli side by side, each command
# RUNS times (3 by default): wall and CPU seconds, the largest resident memory, and the
# one-minute load average just before the run, which says how much of the machine the others
# took. Run as `bench/generator_timing.sh OLD-CLI NEW-CLI` (Release builds); the figures go to
# bench/RESULTS.md by hand.
set -eu
[ $# -ge 1 ] || { echo "usage: generator_timing.sh TESSEL-CLI..." >&2; exit 2; }
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "| build | command | run | wall s | user s | sys s | max RSS MB | load avg |"
echo "|---|---|---:|---:|---:|---:|---:|---:|"
for cli in "$@"; do
    for command in "hex 577" "random 1000000"; do
        run=1
        while [ "$run" -le "$runs" ]; do
            load=$(cut -d' ' -f1 /proc/loadavg)
            # shellcheck disable=SC2086 # the command's words are meant to split
            /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$cli" $command "$work/out.tesl" \
                >/dev/null
            read -r wall user system rss <"$work/time"
            awk -v b="$cli" -v c="$command" -v n="$run" -v w="$wall" -v u="$user" -v y="$system" \
                -v r="$rss" -v l="$load" \
                'BEGIN { printf "| %s | %s | %d | %.2f | %.2f | %.2f | %d | %s |\n", b, c, n, w, u, y, r / 1024, l }'
            rm -f "$work/out.tesl"
            run=$((run + 1))
        done
    done
done
