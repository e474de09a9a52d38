#!/usr/bin/env bash
# The command-line tool: outputs, exit codes, and what goes to stdout and stderr.
set -u
tool=$1
here=$2
failures=0
passes=0

# expect NAME STATUS STDOUT STDERR -- ARGS...: runs the tool and compares.
expect() {
    local name=$1 status=$2 out=$3 err=$4
    shift 5
    local got_out got_err got_status
    got_out=$("$tool" "$@" 2>/tmp/rwc-err.$$)
    got_status=$?
    got_err=$(cat /tmp/rwc-err.$$)
    rm -f /tmp/rwc-err.$$
    if [[ $got_status != "$status" || $got_out != "$out" || ( $err != '*' && $got_err != "$err" ) ]]; then
        echo "FAIL $name: status $got_status (want $status)"
        echo "  stdout: $(printf %q "$got_out")"
        echo "    want: $(printf %q "$out")"
        echo "  stderr: $(printf %q "$got_err")"
        failures=$((failures + 1))
    else
        passes=$((passes + 1))
    fi
}

tab=$'\t'
expect payment 0 "811.614201169461${tab}8A 6C 12 4F E7 4A" "" -- payment 100000 8.75 300
expect payment-zero-rate 0 "400${tab}89 00 00 00 00 48" "" -- payment 120000 0 300
expect payment-tiny-rate 0 "333.333333333489${tab}89 AB AA AA AA 26" "" -- payment 100000 1e-12 300
expect default-chart 0 "$(cat "$here/default-chart.tsv")" "" -- chart 100000 25 8.75 3 3
expect term-fallback 0 "$(cat "$here/default-chart.tsv")" "The number of years must be greater than 0." -- chart 100000 0 8.75 3 3
expect term-negative 0 "$(cat "$here/default-chart.tsv")" "The number of years must be greater than 0." -- chart 100000 -5 8.75 3 3
expect term-fraction 2 "" '*' -- chart 100000 2.5 8.75 3 3
expect term-too-long 2 "" '*' -- chart 100000 178956971 8.75 3 3
expect term-beyond-int32 2 "" '*' -- chart 100000 3000000000 8.75 3 3
expect chart-math-error 3 "" "EInvalidOp" -- chart 100000 25 -199 3 8
expect payment-invalid 3 "" "EInvalidOp" -- payment 100000 -250 300
expect payment-zero-divide 3 "" "EZeroDivide" -- payment 100000 0 0
expect payment-overflow 3 "" "EOverflow" -- payment 1.7e38 100 1
expect not-a-number 2 "" "ratewright-chart: '12a' is not a valid floating point value" -- payment 12a 8 300
expect bad-step 2 "" '*' -- chart 100000 25 8.75 9 3
expect bad-command 2 "" '*' -- interest 1
expect no-command 2 "" '*'
expect format 0 "8.75${tab}8.75${tab}\$8.75" "" -- format 8.75
expect format-options 0 "-4000${tab}-4000${tab}-4.000,00 €" "" -- --currency € --negative-pattern 8 --thousands . --decimal , format -4000
expect format-decimal 0 "0,33333${tab}0,333333333333333${tab}0,33 EUR" "" -- format 0.333333333333333333 --decimal , --currency EUR --positive-pattern 3

# Only the first line of the payment chart goes to stdout when asked for one line.
"$tool" chart 100000 25 8.75 3 3 | head -1 | grep -q $'^ Amount/Rate\t  8%\t' || { echo "FAIL heading row"; failures=$((failures + 1)); }
"$tool" --help | grep -q 'ratewright-chart \[OPTIONS\] chart' || { echo "FAIL help"; failures=$((failures + 1)); }

if command -v locale >/dev/null && locale -a | grep -qi '^fr_CA.utf-\?8$'; then
    out=$(LC_ALL=fr_CA.UTF-8 "$tool" format -4000)
    [[ $out == $'-4000\t-4000\t(4\xe2\x80\xaf000,00 $)' ]] || { echo "FAIL fr_CA: $out"; failures=$((failures + 1)); }
fi

echo "ratewright-chart: $passes passed, $failures failed"
((failures == 0))
