#!/bin/sh
# Times `tessel-cli thumbnail` as a file manager runs it, on disks of 10,000 to 250,000 nodes
# and at the thumbnail sizes of the desktop (256 and 1024 pixels): wall and CPU seconds, and
# the largest resident memory. Run as `bench/thumbnail_timing.sh build/src/tessel-cli`
# (a RelWithDebInfo or Release build); the figures go to bench/RESULTS.md by hand.
set -eu
cli=$(realpath "${1:?usage: thumbnail_timing.sh TESSEL-CLI}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" hex 57 "$work/hex57.tesl" >/dev/null
"$cli" hex 182 "$work/hex182.tesl" >/dev/null
for nodes in 10000 100000 250000; do
    "$cli" random "$nodes" "$work/random$nodes.tesl" >/dev/null
done
echo "| document | nodes | size | wall s | CPU s | max RSS MB | drawn |"
echo "|---|---:|---:|---:|---:|---:|---|"
for doc in hex57 random10000 hex182 random100000 random250000; do
    nodes=$("$cli" info "$work/$doc.tesl" | sed -n 's/^nodes: //p')
    for size in 256 1024; do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
            "$cli" thumbnail "$work/$doc.tesl" "$work/t.png" "$size" >"$work/said"
        read -r wall user system rss <"$work/time"
        awk -v d="$doc" -v n="$nodes" -v s="$size" -v w="$wall" -v u="$user" -v y="$system" \
            -v r="$rss" -v said="$(cat "$work/said")" \
            'BEGIN { printf "| %s | %s | %s | %.2f | %.2f | %d | %s |\n", d, n, s, w, u + y, r / 1024, said }'

    done
done
