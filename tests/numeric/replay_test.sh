#!/usr/bin/env bash
# Runs numeric-replay over a file of cases and compares its output with the expected lines;
# also checks --help, the separator option and a bad argument.
set -euo pipefail
replay=$1 cases=$2 expected=$3

diff -u "$expected" <("$replay" < "$cases")

help=$("$replay" --help)
[[ $help == *'DECIMALS <TAB> MAXLENGTH <TAB> STATE <TAB> KEYS'* ]]
[[ $(printf '2\t0\t[0,00]\tPASTE=12a3,4x5\n' | "$replay" --separator ,) == '123,45^' ]]
# With "," as the separator a "." is refused like a letter.
[[ $(printf '2\t0\t[0,00]\tPASTE=12a3.4x5\n' | "$replay" --separator=,) == '12345^,00' ]]
if "$replay" --bogus 2>/dev/null; then
    echo "a bad argument was accepted" >&2
    exit 1
fi
echo "numeric-replay: all cases as expected"
