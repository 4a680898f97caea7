#!/usr/bin/env bash
# Runs every tessel-cli command under address-space limits (ulimit -v) from 100 MB to 2 GB and
# checks how each one ends: it must succeed, or fail with exit code 1 and its one line; never
# hang, die of a signal or let a library print. Prints a Markdown table of the outcomes.
#
#   bench/memory_limits.sh [TESSEL_CLI] [WORK_DIR] [LIMITS_MB...]
#
# TESSEL_CLI defaults to build/src/tessel-cli (a `make run` build), WORK_DIR to a new
# temporary folder (about 1 GB of inputs and outputs, removed at the end). A run of the
# default limits takes two to three hours on two cores; TESSEL_LIMIT_ROWS, an extended
# regular expression, keeps the rows whose names match it. Exits 1 when any run ended badly.
set -u

cli=$(realpath "${1:-build/src/tessel-cli}")
work=${2:-}
shift $(($# > 2 ? 2 : $#))
limits=("$@")
if [ ${#limits[@]} -eq 0 ]; then
    limits=(100 150 200 300 400 500 750 1000 1250 1500 1750 2000)
fi
if [ -z "$work" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
cd "$work" || exit 2

# Seconds a run may take before it counts as hung: ten times what the slowest command takes
# without a limit on this machine.
timeout_seconds=${TESSEL_LIMIT_TIMEOUT:-900}

echo "Preparing the inputs without a limit..." >&2
"$cli" random 1000000 big.tesl --seed 1 > /dev/null || exit 2
"$cli" hex 20 small.tesl > /dev/null || exit 2

# name | arguments ($OUT is replaced by the output path of the run)
commands=(
    "new|new \$OUT.tesl"
    "hex 300|hex 300 \$OUT.tesl"
    "random 1000000|random 1000000 \$OUT.tesl"
    "info|info big.tesl"
    "info --json|info big.tesl --json"
    "pack --converge|pack big.tesl \$OUT.tesl --converge"
    "pack --runs 1|pack big.tesl \$OUT.tesl --runs 1"
    "export eps|export big.tesl \$OUT.eps --format eps --runs 1"
    "export txt|export big.tesl \$OUT.txt --format txt --runs 1"
    "export bmp|export big.tesl \$OUT.bmp --format bmp --runs 1"
    "export bmp 16000 px aa|export small.tesl \$OUT.bmp --format bmp --radius 8000 --antialias"
    "export emf|export big.tesl \$OUT.emf --format emf --runs 1"
    "export svg|export big.tesl \$OUT.svg --format svg --runs 1"
    "export pdf|export big.tesl \$OUT.pdf --format pdf --runs 1"
    "export png|export big.tesl \$OUT.png --format png --runs 1"
    "export png 16000 px|export small.tesl \$OUT.png --format png --radius 8000"
    "style|style big.tesl \$OUT.tesl --line-color #ff0000"
    "style --gradation|style big.tesl \$OUT.tesl --gradation linear --from -1,0 --to 1,0 --colors #ff0000,#0000ff --inner --runs 1"
    "thumbnail|thumbnail big.tesl \$OUT.png 256"
    "thumbnail small|thumbnail small.tesl \$OUT.png 1024"
)

# One run: prints "outcome seconds"; outcome is ok, mem (a one-line message of the command
# saying that memory is short), another one-line message quoted, or HANG, SIGNALn, LINESn
# (standard error held n lines).
run_limited() {
    local limit_kb=$1 name=$2 args=$3 out="$work/out"
    local command=${name%% *}
    args=${args//\$OUT/$out}
    local start end code
    start=$(date +%s.%N)
    # shellcheck disable=SC2086
    (ulimit -v "$limit_kb"; exec timeout -k 10 "$timeout_seconds" "$cli" $args) \
        > "$work/stdout" 2> "$work/stderr"
    code=$?
    end=$(date +%s.%N)
    rm -f "$out".*
    local lines seconds
    lines=$(wc -l < "$work/stderr")
    seconds=$(printf '%.1f' "$(echo "$end - $start" | bc)")
    if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then
        echo "HANG $seconds"
    elif [ "$code" -gt 128 ]; then
        echo "SIGNAL$((code - 128)) $seconds"
    elif [ "$lines" -gt 1 ] || { [ "$code" -ne 0 ] && [ "$lines" -ne 1 ]; }; then
        echo "LINES$lines $seconds"
    elif [ "$code" -eq 0 ] && [ "$lines" -eq 0 ]; then
        echo "ok $seconds"
    elif [ "$code" -eq 1 ] && grep -q "^tessel-cli $command: .*not enough memory" "$work/stderr"; then
        echo "mem $seconds"
    else
        echo "\"$(tr -d '\n' < "$work/stderr")\"(exit $code) $seconds"
    fi
}

bad=0
header="| command |"
rule="|---|"
for limit in "${limits[@]}"; do
    header+=" ${limit} MB |"
    rule+="---|"
done
echo "$header"
echo "$rule"
for entry in "${commands[@]}"; do
    name=${entry%%|*}
    args=${entry#*|}
    if ! grep -Eq -- "${TESSEL_LIMIT_ROWS:-.}" <<< "$name"; then
        continue
    fi
    row="| \`$name\` |"
    for limit in "${limits[@]}"; do
        result=$(run_limited $((limit * 1000)) "$name" "$args")
        outcome=${result% *}
        seconds=${result##* }
        case $outcome in
        ok | mem) ;;
        *)
            bad=1
            echo "$name at $limit MB: $outcome, stderr:" >&2
            head -5 "$work/stderr" >&2
            ;;
        esac
        row+=" $outcome $seconds |"
    done
    echo "$row"
done
exit $bad
