#!/bin/sh
# Times `tessel-cli import` on a million nodes: a point set (random points in a square, and a
# grid, whose points are collinear and cocircular everywhere) through the Delaunay
# triangulation, an OFF mesh of a grid of quadrilaterals on a wavy surface, and an OBJ mesh of
# the same; also a CirclePack file of a million nodes written by `export --format p` and read
# back. Wall, user and system seconds and the largest resident memory. Run as
# `bench/import_timing.sh build/src/tessel-cli` (a RelWithDebInfo or Release build); the
# figures go to bench/RESULTS.md by hand.
set -eu
cli=$(realpath "${1:?usage: import_timing.sh TESSEL-CLI}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { srand(1); for (i = 0; i < 1000000; ++i) printf "%.9f %.9f\n", rand(), rand() }' \
    >"$work/random.xy"
awk 'BEGIN { for (y = 0; y < 1000; ++y) for (x = 0; x < 1000; ++x) print x, y }' >"$work/grid.xy"
awk 'BEGIN { n = 1000; print "OFF"; print n * n, (n - 1) * (n - 1), 0
             for (y = 0; y < n; ++y) for (x = 0; x < n; ++x)
                 printf "%d %d %.6f\n", x, y, 20 * sin(x / 50) * cos(y / 70)
             for (y = 0; y < n - 1; ++y) for (x = 0; x < n - 1; ++x)
                 print 4, y * n + x, y * n + x + 1, (y + 1) * n + x + 1, (y + 1) * n + x }' \
    >"$work/grid.off"
awk 'BEGIN { n = 1000
             for (y = 0; y < n; ++y) for (x = 0; x < n; ++x)
                 printf "v %d %d %.6f\n", x, y, 20 * sin(x / 50) * cos(y / 70)
             for (y = 0; y < n - 1; ++y) for (x = 0; x < n - 1; ++x)
                 print "f", y * n + x + 1, y * n + x + 2, (y + 1) * n + x + 2, (y + 1) * n + x + 1 }' \
    >"$work/grid.obj"
"$cli" random 1000000 "$work/random.tesl" >/dev/null
/usr/bin/time -f "%e %U %S %M" -o "$work/export" \
    "$cli" export "$work/random.tesl" "$work/random.p" --format p >/dev/null
echo "| file | size MB | nodes | wall s | user s | sys s | max RSS MB |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for file in random.xy grid.xy grid.off grid.obj random.p; do
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
        "$cli" import "$work/$file" "$work/out.tesl" >"$work/said"
    read -r wall user system rss <"$work/time"
    nodes=$(sed -n 's/^imported \([0-9]*\) nodes.*/\1/p' "$work/said")
    size=$(stat -c %s "$work/$file")
    awk -v f="$file" -v s="$size" -v n="$nodes" -v w="$wall" -v u="$user" -v y="$system" \
        -v r="$rss" 'BEGIN { printf "| %s | %.1f | %s | %.2f | %.2f | %.2f | %d |\n", f, s / 1048576, n, w, u, y, r / 1024 }'
done
read -r wall user system rss <"$work/export"
awk -v w="$wall" -v u="$user" -v y="$system" -v r="$rss" \
    'BEGIN { printf "| export --format p (packs first) | | 1000000 | %.2f | %.2f | %.2f | %d |\n", w, u, y, r / 1024 }'
