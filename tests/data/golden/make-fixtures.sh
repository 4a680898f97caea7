#!/bin/sh
# Makes the golden tests' fixture document from tessel-cli's own commands: a hexagonal disk of
# seven circles with styles of every kind (wide and missing lines, plain colours, a gradation)
# and a styled outer circle. Run only to change the fixture; then regenerate the expected files
# (`make golden`, see README.md).
# usage: tests/data/golden/make-fixtures.sh path/to/tessel-cli
set -eu
cli=${1:?usage: make-fixtures.sh path/to/tessel-cli}
here=$(dirname "$0")
doc=$here/hex7.tesl
"$cli" hex 1 "$doc"
"$cli" style "$doc" "$doc" --nodes 0 --inner-color '#FFD700' --line-color '#8B0000' --line-width 3
"$cli" style "$doc" "$doc" --nodes 1-3 --inner-color '#4682B4' --line-width 0
"$cli" style "$doc" "$doc" --nodes 4-6 --line-width 2 --gradation linear --from=-1,0 --to=1,0.5 \
    --colors '#FF0000,#0000FF' --inner --line --runs 20 > /dev/null
"$cli" style "$doc" "$doc" --outer --inner-color '#F5F5DC' --line-color '#333333' --line-width 2
