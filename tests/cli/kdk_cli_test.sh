#!/usr/bin/env bash
# kdk as a user runs it: output lines, exit statuses, messages on stderr.
set -u
: "${KDK:?}" "${EXAMPLES:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME EXPECTED_STATUS EXPECTED_STDOUT_GREP EXPECTED_STDERR_GREP -- command...
  local name=$1 want_status=$2 want_out=$3 want_err=$4
  shift 5
  "$@" >"$work/out" 2>"$work/err"
  local status=$?
  local ok=1
  [ "$status" -eq "$want_status" ] || ok=0
  if [ -n "$want_out" ] && ! grep -qF -- "$want_out" "$work/out"; then ok=0; fi
  if [ -n "$want_err" ] && ! grep -qF -- "$want_err" "$work/err"; then ok=0; fi
  if [ $ok -eq 1 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name (status $status, wanted $want_status)"
    sed 's/^/  out: /' "$work/out"
    sed 's/^/  err: /' "$work/err"
  fi
}

house="$EXAMPLES/house_price.kwf"
loan="$EXAMPLES/loan_default.kwf"

check "info lists inputs" 0 "input 2: rooms" "" -- "$KDK" info "$house"
check "info names the classifier" 0 "classifier: yes" "" -- "$KDK" info "$loan"
check "info keeps quoted commas" 0 "input 1: income, annual" "" -- "$KDK" info "$loan"
check "predict classifier class" 0 "class: FALSE" "" -- "$KDK" predict "$loan" 42000 120000 6 1
check "predict classifier strength" 0 "strength: -0.633423150736246" "" -- "$KDK" predict "$loan" 42000 120000 6 1
check "too few values" 2 "" "the model has 3 inputs but 2 values were given" -- "$KDK" predict "$house" 1 2
check "not a number" 2 "" "'abc' is not a number" -- "$KDK" predict "$house" 1 2 abc
check "no model" 2 "" "expected a MODEL" -- "$KDK" predict
check "unknown command" 2 "" "unknown command" -- "$KDK" frobnicate
check "no command" 2 "" "usage:" -- "$KDK"
check "unknown option" 2 "" "unknown option --what" -- "$KDK" info "$house" --what
check "help" 0 "usage: kdk predict" "" -- "$KDK" predict --help
check "info help" 0 "usage: kdk info" "" -- "$KDK" info --help
check "convert help" 0 "usage: kdk convert" "" -- "$KDK" convert --help

head -c 300 "$house" >"$work/cut.kwf"
check "truncated file" 1 "" "This file is corrupted." -- "$KDK" info "$work/cut.kwf"
check "truncated file names the path" 1 "" "$work/cut.kwf" -- "$KDK" predict "$work/cut.kwf" 1 2 3
check "missing file" 1 "" "does not exist" -- "$KDK" info "$work/none.KWF"
sed 's/^2,-1/2,x/' "$house" >"$work/bad count.kwf"
check "bad count" 1 "" "This file is corrupted." -- "$KDK" info "$work/bad count.kwf"

# The example's predictions, worked out apart from kdk (the evaluator's arithmetic is
# proven bit for bit in evaluate_network_test and through every compiler).
check "prediction of the example" 0 "prediction: 819595.975620562" "" -- "$KDK" predict "$house" 150 4 30
check "negative values after --" 0 "prediction: 1070510.97301381" "" -- "$KDK" predict "$house" -- -5 4 30
check "negative values" 0 "prediction: 925479.916253568" "" -- "$KDK" predict "$house" -5 -4 -3.5

# Program code: every type writes its file; options that do not apply are refused.
for type in equation sas vb c f90 java spss; do
  check "convert to $type" 0 "Files Generated..." "Done it!" -- "$KDK" convert "$house" --to "$type" -o "$work/code_$type.txt"
done
check "sas options" 0 "Files Generated..." "" -- "$KDK" convert "$house" --to sas --sas-new mine -o "$work/code_sas2.sas"
check "sas new data set" 0 "Data mine;" "" -- cat "$work/code_sas2.sas"
check "layout D" 0 "Var = Var1 + Var2" "" -- bash -c "'$KDK' convert '$house' --to c --format D -o '$work/d.c' >/dev/null 2>&1 && cat '$work/d.c'"
check "bad format" 2 "" "--format takes A, B, C or D" -- "$KDK" convert "$house" --to c --format E -o "$work/x.c"
check "option of another type" 2 "" "--java-class does not apply to --to c" -- "$KDK" convert "$house" --to c --java-class X -o "$work/x.c"
check "empty output name" 1 "" "Invalid Output Name!" -- "$KDK" convert "$house" --to c --output-name "  " -o "$work/x.c"
check "unwritable path" 1 "" "The file could not be written: /nonexistent_dir/x.c" -- "$KDK" convert "$house" --to c -o /nonexistent_dir/x.c
check "network sql help" 0 "sql (network): --dialect sqlserver|access|ansi" "" -- "$KDK" convert --help
check "network sql select" 0 'AS "Kestrium_default_Class"' "" -- "$KDK" convert "$loan" --to sql --dialect ansi --select -o -
check "network sql bad dialect" 2 "" "--dialect is sqlserver, access or ansi" -- "$KDK" convert "$house" --to sql --dialect oracle -o -
check "network sql no MARS option" 2 "" "--no-brackets does not apply to --to sql" -- "$KDK" convert "$house" --to sql --no-brackets -o -
source "$(dirname "$0")/kdk_mars_cli_checks.sh"
source "$(dirname "$0")/kdk_web_cli_checks.sh"
source "$(dirname "$0")/kdk_vbproject_cli_checks.sh"
source "$(dirname "$0")/kdk_spss_cli_checks.sh"
source "$(dirname "$0")/kdk_workbook_cli_checks.sh"
source "$(dirname "$0")/kdk_score_cli_checks.sh"

echo "kdk cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
