#!/usr/bin/env bash
# kdk as a user runs it: output lines, exit statuses, messages on stderr.
set -u
: "${KDK:?}" "${EXAMPLES:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME STATUS TEXT_IN_STDOUT TEXT_IN_STDERR -- command...
  local name=$1 want=$2 out=$3 err=$4 status
  shift 5
  "$@" >"$work/out" 2>"$work/err"
  status=$?
  if [ "$status" -eq "$want" ] && { [ -z "$out" ] || grep -qF -- "$out" "$work/out"; } &&
    { [ -z "$err" ] || grep -qF -- "$err" "$work/err"; }; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name (status $status, wanted $want)"
    sed 's/^/  out: /' "$work/out"
    sed 's/^/  err: /' "$work/err"
  fi
}

house="$EXAMPLES/house_price.kwf"
loan="$EXAMPLES/loan_default.kwf"
mars="$EXAMPLES/house_value_mars.txt"

check "info lists inputs" 0 "input 2: rooms" "" -- "$KDK" info "$house"
check "info names the classifier" 0 "classifier: yes" "" -- "$KDK" info "$loan"
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

head -c 300 "$house" >"$work/cut.kwf"
check "truncated file" 1 "" "This file is corrupted." -- "$KDK" info "$work/cut.kwf"
check "missing file" 1 "" "does not exist" -- "$KDK" info "$work/none.KWF"

# The example's predictions, worked out apart from kdk.
check "prediction of the example" 0 "prediction: 819595.975620562" "" -- "$KDK" predict "$house" 150 4 30
check "negative values after --" 0 "prediction: 1070510.97301381" "" -- "$KDK" predict "$house" -- -5 4 30
check "negative values" 0 "prediction: 925479.916253568" "" -- "$KDK" predict "$house" -5 -4 -3.5
# Program code: every type writes its file; options that do not apply are refused.
for type in equation sas vb c f90 java spss; do
  check "convert to $type" 0 "Files Generated..." "Done it!" -- "$KDK" convert "$house" --to "$type" -o "$work/code_$type.txt"
done
check "sas new data set" 0 "Data mine;" "" -- sh -c "\"$KDK\" convert \"$house\" --to sas --sas-new mine -o \"$work/s2.sas\" >/dev/null && cat \"$work/s2.sas\""
check "bad format" 2 "" "--format takes A, B, C or D" -- "$KDK" convert "$house" --to c --format E -o "$work/x.c"
check "option of another type" 2 "" "--java-class does not apply to --to c" -- "$KDK" convert "$house" --to c --java-class X -o "$work/x.c"
check "empty output name" 1 "" "Invalid Output Name!" -- "$KDK" convert "$house" --to c --output-name "  " -o "$work/x.c"
check "unwritable path" 1 "" "The file could not be written: /nonexistent_dir/x.c" -- "$KDK" convert "$house" --to c -o /nonexistent_dir/x.c
check "network sql help" 0 "sql (network): --dialect sqlserver|access|ansi" "" -- "$KDK" convert --help
check "network sql bad dialect" 2 "" "--dialect is sqlserver, access or ansi" -- "$KDK" convert "$house" --to sql --dialect oracle -o -
check "network sql no MARS option" 2 "" "--no-brackets does not apply to --to sql" -- "$KDK" convert "$house" --to sql --no-brackets -o -
# MARS models.
check "mars info summary" 0 "*DISTRICT" "" -- "$KDK" info "$mars"
check "mars info definitions" 0 "BF9 = max(0, 2.5E+01 - AGE) * BF4;" "" -- "$KDK" info "$mars"
# 150.5 + 0.85*30 + 0.125*31.5 - 0.015*21, worked by hand.
check "mars predict" 0 "prediction: 179.6225" "" -- "$KDK" predict "$mars" 150 2 4 30
# AGE missing: its present indicator is 0, its missing indicator 1.
check "mars predict missing dot" 0 "prediction: 184.9375" "" -- "$KDK" predict "$mars" 150 2 . 30
check "mars predict missing empty" 0 "prediction: 184.9375" "" -- "$KDK" predict "$mars" 150 2 "" 30
check "mars predict count" 2 "" "the model has 4 inputs but 3 values were given" -- "$KDK" predict "$mars" 1 2 3
check "mars predict word" 2 "" "'x' is not a number" -- "$KDK" predict "$mars" 1 2 x 4
check "mars stdin" 0 "prediction: 179.6225" "" -- sh -c "\"$KDK\" predict - 150 2 4 30 < \"$mars\""
check "mars missing file" 1 "" "There is a problem trying to read the model data from the file." -- "$KDK" info "$work/none.txt"
# Model text in UTF-8 is read in the code page: the SQL file holds Größe as 1252 bytes.
printf 'BF1 = max(0, Gr\xc3\xb6\xc3\x9fe - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/utf8.txt"
check "mars utf-8 text in the code page" 0 "$(printf '[Gr\xf6\xdfe]')" "" -- "$KDK" convert "$work/utf8.txt" --to sql -o -
check "mars utf-8 predicts" 0 "prediction: 4" "" -- "$KDK" predict "$work/utf8.txt" 3
cp "$work/utf8.txt" "$work/caf$(printf '\xc3\xa9').txt"
check "mars page path as a reference" 0 "caf&#233;.txt" "" -- sh -c "\"$KDK\" convert \"$work/caf$(printf '\xc3\xa9').txt\" --to html -o \"$work/p.html\" >/dev/null && cat \"$work/p.html\""
check "mars page name as references" 0 ">Gr&#246;&#223;e<" "" -- cat "$work/p.html"

check "mars sql written" 0 "$work/q.sql" "Done it!" -- "$KDK" convert "$mars" --to sql -o "$work/q.sql"
check "mars sql crlf" 0 "1" "" -- bash -c "grep -c \$'^Go\\r\$' \"$work/q.sql\""
check "mars sql bad dialect" 2 "" "--dialect is sqlserver or access" -- "$KDK" convert "$mars" --to sql --dialect oracle -o "$work/c.sql"
check "mars sql option of spss" 2 "" "--output-name does not apply to --to sql" -- "$KDK" convert "$mars" --to sql --output-name x -o "$work/c.sql"
printf 'BF1 = max(0, Select - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/reserved.txt"
check "mars sql reserved refused" 1 "" "( Select ) is an SQL reserved word." -- "$KDK" convert "$work/reserved.txt" --to sql -o "$work/r.sql"
check "mars sql reserved allowed" 0 "$work/r.sql" "" -- "$KDK" convert "$work/reserved.txt" --to sql --allow-reserved -o "$work/r.sql"

check "mars spss empty name" 1 "" "Invalid Output Name!" -- "$KDK" convert "$mars" --to spss --output-name "  " -o "$work/t.sps"

# One reading: what the evaluator refuses is refused by every converter, with no file.
printf 'BF1 = max(0, X - 1) * 1; DROP TABLE secrets; SELECT 1;\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/inject.txt"
check "mars injection refused" 1 "" "unexpected character ';'" -- "$KDK" convert "$work/inject.txt" --to sql -o "$work/inject.sql"
check "mars injection no file" 1 "" "" -- test -e "$work/inject.sql"
printf 'BF1 = max(0, X - 1);\r\n\r\nY = BF1 / 0;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/divide.txt"
check "mars division refused" 1 "" "it may only add, subtract and multiply" -- "$KDK" convert "$work/divide.txt" --to spss -o "$work/divide.sps"
check "mars division predict" 1 "" "Cannot Read Data" -- "$KDK" predict "$work/divide.txt" 1
printf 'BF1 = ( COLOR = 1 OR COLOR = 2);\r\nBF2 = max(0, 2 - XBF1) * BF1;\r\n\r\nY = 1 + BF2;\r\n\r\nMODEL Y = BF2;\r\n' >"$work/words.txt"
check "mars stdout only the artifact" 0 "COMPUTE BF2 = max(0, 2 - XBF1) * BF1 ." "" -- "$KDK" convert "$work/words.txt" --to spss -o -

# No converter writes over its model, however the path names it, also when the model
# carries the name a project, page or workbook writes.
ln -s own.txt "$work/alias.txt"
for case in "mars own.txt sql ./own.txt" "mars own.txt spss alias.txt" "house own.kwf c own.kwf" \
  "mars own.frm vbproject own.vbp" "mars own.html html own.html" "mars own.xlsm workbook own.xlsm" \
  "house own.kwf equation-view own.kwf" "house own.kwf html own.kwf"; do
  read -r kind name type out <<<"$case"
  cp "${!kind}" "$work/$name"
  check "$type never replaces the model ($out)" 1 "" "It is the model file itself." -- "$KDK" convert "$work/$name" --to "$type" -o "$work/$out"
  check "$type leaves the model ($out)" 0 "" "" -- cmp "${!kind}" "$work/$name"
done
check "standard input is bounded like a file" 1 "" "larger than 64 MB" -- sh -c "head -c 70000000 /dev/zero | \"$KDK\" info -"
# Standard output: only the artifact goes there, and a log is appended to.
check "html to standard output, no file named -" 0 "<HTML>" "" -- sh -c "cd \"$work\" && \"$KDK\" convert \"$mars\" --to html -o - && test ! -e -"
check "workbook to standard output" 0 "xl/vbaProject.bin" "" -- sh -c "\"$KDK\" convert \"$mars\" --to workbook -o - >\"$work/piped.xlsm\" && unzip -l \"$work/piped.xlsm\""
check "vbproject refuses standard output" 2 "" "-o - cannot take a Visual Basic project" -- "$KDK" convert "$mars" --to vbproject -o -
printf 'earlier\n' >"$work/build.log"
check "-o /dev/stdout appends to the log" 0 "earlier" "" -- sh -c "\"$KDK\" convert \"$mars\" --to sql -o /dev/stdout >>\"$work/build.log\" && grep -c UPDATE \"$work/build.log\" >/dev/null && cat \"$work/build.log\""
# A full disk (the file size limit, its signal ignored): no file of the project is left.
mkdir "$work/full"
check "vbproject on a full disk" 1 "" "File too large" -- bash -c "ulimit -f 4; trap '' XFSZ; exec \"$KDK\" convert \"$house\" --to vbproject -o \"$work/full/p.vbp\""
check "vbproject on a full disk leaves nothing" 0 "" "" -- sh -c "test -z \"\$(ls -A \"$work/full\")\""
# Web pages.
check "html style options" 0 "table.predict {font-size:12pt;color:RGB(1,2,3);background-color:RGB(16,32,48);" "" -- sh -c "\"$KDK\" convert \"$house\" --to html --grid-font-size 12pt --grid-text 'RGB(1,2,3)' --grid-background '#102030' --intro '' -o \"$work/s.html\" && cat \"$work/s.html\""
check "html empty intro" 0 "none" "" -- bash -c "grep -q '^<FONT class=' \"$work/s.html\" || echo none"
check "html two-line intro" 0 "<FONT class=\"normal\">a<BR><BR>b</FONT>" "" -- sh -c "\"$KDK\" convert \"$house\" --to html --intro \"\$(printf 'a\n\nb')\" -o \"$work/i.html\" && cat \"$work/i.html\""
check "html bad colour" 2 "" "--warning takes RGB(r,g,b) or #rrggbb" -- "$KDK" convert "$house" --to html --warning red -o "$work/x.html"
check "html bad font size" 2 "" "--font-size is one of 8pt" -- "$KDK" convert "$house" --to html --font-size 13pt -o "$work/x.html"
check "html network has no missing option" 2 "" "--allow-missing does not apply to --to html" -- "$KDK" convert "$house" --to html --allow-missing -o "$work/x.html"
check "html mars missing allowed" 0 $'\t        document.datainput.elements [i].value = \'missing\';' "" -- sh -c "\"$KDK\" convert \"$mars\" --to html --allow-missing -o \"$work/m2.html\" && cat \"$work/m2.html\""
check "html unwritable path" 1 "" "The file could not be written: /nonexistent_dir/x.html" -- "$KDK" convert "$house" --to html -o /nonexistent_dir/x.html
# Visual Basic projects and the equation view.
check "vbproject network" 0 "$work/vb net.vbp" "Done it!" -- "$KDK" convert "$house" --to vbproject -o "$work/vb net.vbp"
check "vbproject form beside it" 0 "Begin VB.Form Predict" "" -- cat "$work/vb_net.frm"
check "vbproject form line" 0 "Form=vb_net.frm" "" -- cat "$work/vb net.vbp"
check "vbproject mars" 0 "$work/vbm.frm" "Done it!" -- "$KDK" convert "$mars" --to vbproject -o "$work/vbm.vbp"
check "vbproject path must be .vbp" 2 "" "the project path must end in .vbp" -- "$KDK" convert "$house" --to vbproject -o "$work/vb.txt"
check "vbproject unwritable" 1 "" "The file could not be written: /nonexistent_dir/p.vbp" -- "$KDK" convert "$house" --to vbproject -o /nonexistent_dir/p.vbp
check "equation view" 0 "$work/eq.txt" "" -- "$KDK" convert "$house" --to equation-view -o "$work/eq.txt"
check "equation view network only" 2 "" "" -- "$KDK" convert "$mars" --to equation-view -o "$work/eqm.txt"
# kdk spss-check and spss-run on .sav files that PSPP writes.
sav() {  # sav FILE VARIABLES ROW...: a .sav file as PSPP writes it
  local file=$1 variables=$2
  shift 2
  printf "DATA LIST LIST /%s (F8.2).\nBEGIN DATA\n%s\nEND DATA.\nSAVE OUTFILE='%s'.\n" \
    "$variables" "$(printf '%s\n' "$@")" "$work/$file" >"$work/make_sav.sps"
  pspp -b "$work/make_sav.sps" >/dev/null
}
sav houses.sav "FLOOR_AREA Rooms age" "150 4 30" "250.5 7 ."
sav no_rooms.sav "floor_area age" "150 30"
sav var1.sav "floor_area Var1 age" "150 4 30"
head -c 100 "$work/houses.sav" > "$work/cut.sav"

check "spss-check matches in any case" 0 "This file matches OK" "" -- "$KDK" spss-check "$house" "$work/houses.sav"
check "spss-check lists the missing input" 1 "" " rooms" -- "$KDK" spss-check "$house" "$work/no_rooms.sav"
check "spss-check names as the syntax reads them" 0 "This file matches OK" "" -- "$KDK" spss-check "$house" "$work/houses.sav" --no-smart-names
# An input named like the syntax's own variables keeps its name; the check and the run
# read it under the name the syntax of the same options reads.
sed 's/"rooms"/"Var1"/' "$house" > "$work/var1.kwf"
check "spss-check takes the code options" 0 "This file matches OK" "" -- "$KDK" spss-check "$work/var1.kwf" "$work/var1.sav" --format C --root-name Var
check "spss-run with an input named Var1" 0 "$work/var1_scored.sav" "Done!" -- "$KDK" spss-run "$work/var1.kwf" "$work/var1.sav" -o "$work/var1_scored.sav" --format C
check "spss-check truncated file" 1 "" "cut.sav could not be read as SPSS data" -- "$KDK" spss-check "$house" "$work/cut.sav"
check "spss-check missing file" 1 "" "Can't find the file: $work/gone.sav" -- "$KDK" spss-check "$house" "$work/gone.sav"
check "spss-run" 0 "$work/scored.sav" "Done!" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/scored.sav"
check "spss-run keeps an existing file" 1 "" "already exists" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/scored.sav"
check "spss-run never replaces the data" 1 "" "it would replace the data file" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/houses.sav"
check "spss-run --replace" 0 "$work/scored.sav" "Done!" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/scored.sav" --replace
cp "$house" "$work/own.kwf"
check "spss-run --replace never replaces the model" 1 "" "It is the model file itself." -- "$KDK" spss-run "$work/own.kwf" "$work/houses.sav" -o "$work/own.kwf" --replace
check "spss-run --replace never replaces the data" 1 "" "it would replace the data file" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/houses.sav" --replace
printf 'old' >"$work/private.sav" && chmod 600 "$work/private.sav" && ln -s private.sav "$work/plink.sav"
check "spss-run --replace writes through a link and keeps 0600" 0 "600" "" -- sh -c "\"$KDK\" spss-run \"$house\" \"$work/houses.sav\" -o \"$work/plink.sav\" --replace >/dev/null && test -L \"$work/plink.sav\" && stat -c %a \"$work/private.sav\""
# Two models at once, six times: each result holds its own model's prediction.
printf 'BF1 = max(0, FLOOR_AREA - 100);\r\n\r\nY = 5 + 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/area.txt"
for i in 1 2 3 4 5 6; do
  "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/net$i.sav" >/dev/null 2>&1 &
  "$KDK" spss-run "$work/area.txt" "$work/houses.sav" -o "$work/mars$i.sav" >/dev/null 2>&1 &
done
wait
check "concurrent spss-runs never mix" 0 "" "" -- sh -c "cd \"$work\" && for i in 1 2 3 4 5 6; do grep -aq Kestrium_price net\$i.sav && ! grep -aq mars_out net\$i.sav && grep -aq mars_out mars\$i.sav && ! grep -aq Kestrium_price mars\$i.sav || exit 1; done"
check "spss-run option of the other model kind" 2 "" "--no-header does not apply" -- "$KDK" spss-run "$house" "$work/houses.sav" -o "$work/x.sav" --no-header
printf "GET FILE='%s'.\nFORMATS Kestrium_price (F20.6).\nLIST.\n" "$work/scored.sav" > "$work/list.sps"
expected_price=$(printf "%.6f" "$("$KDK" predict "$house" 150 4 30 | sed 's/prediction: //')")
check "spss-run computes the prediction" 0 "$expected_price" "" -- pspp -b "$work/list.sps"
# Workbooks.
check "network workbook" 0 "Files Generated..." "" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/my model.xlsm"
check "workbook is a zip with the VBA project" 0 "xl/vbaProject.bin" "" -- unzip -l "$work/my model.xlsm"
check "mars workbook" 0 "Files Generated..." "" -- "$KDK" convert "$mars" --to workbook -o "$work/mars.xlsm"
check "workbook replaces a file" 0 "Files Generated..." "" -- "$KDK" convert "$mars" --to workbook -o "$work/mars.xlsm"
check "workbook into a missing folder" 1 "" "Problems saving this file" -- "$KDK" convert "$mars" --to workbook -o /nonexistent_dir/m.xlsm
check "workbook takes no options" 2 "" "" -- "$KDK" convert "$mars" --to workbook --format A -o "$work/m.xlsm"
check "legacy workbook without LibreOffice saves nothing" 1 "" "made with LibreOffice" -- env PATH=/nonexistent "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/none.xls"
check "nothing saved without LibreOffice" 1 "" "" -- test -e "$work/none.xls"
if command -v soffice >/dev/null; then
  check "legacy workbook through LibreOffice" 0 "Files Generated..." "" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/legacy.xls"
  check "legacy workbook is a compound file" 0 "" "" -- bash -c "head -c 8 '$work/legacy.xls' | od -An -tx1 | grep -q 'd0 cf 11 e0 a1 b1 1a e1'"
else
  check "legacy workbook needs LibreOffice" 1 "" "made with LibreOffice" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/legacy.xls"
fi
# kdk score: the command's contract (the numbers are the score conformance suite's).
printf 'id;Floor Area;ROOMS;age\r\n1;150;4;30\r\n2;x;7;10\r\n' > "$work/houses.csv"
expected=$("$KDK" predict "$house" 150 4 30 | sed 's/prediction: //')
check "score a CSV" 0 "" "2 rows scored, 1 without a prediction" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/scored.csv"
check "score keeps every column and adds the prediction" 0 "1;150;4;30;$expected" "" -- cat "$work/scored.csv"
check "score reports a bad row by line and column" 0 "" "line 3: column Floor Area: 'x' is not a number" -- "$KDK" score "$house" "$work/houses.csv" -o - --quiet
check "score --strict stops and writes nothing" 1 "" "line 3" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/strict.csv" --strict
check "score --strict left no file, not even one aside" 1 "" "" -- sh -c 'ls "$1" | grep -e "^strict.csv$" -e "^kdk-"' sh "$work"
printf 'floor_area,age\n1,2\n' > "$work/no_rooms.csv"
check "score names a missing input" 1 "" " rooms" -- "$KDK" score "$house" "$work/no_rooms.csv" -o -
check "score never writes over its input" 1 "" "it would replace the data file" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/houses.csv"
printf 'AREA,ROOMS,DISTRICT,AGE\n100,3,1,.\n' > "$work/mars.csv"
check "score a MARS model from standard input" 0 "100,3,1,.,154.5625" "" -- "$KDK" score "$mars" - -o - --quiet < "$work/mars.csv"
check "score an SPSS data file" 0 "150,4,30,$expected" "case 2: column age: '' is not a number" -- "$KDK" score "$house" "$work/houses.sav" -o -
check "score writes an SPSS data file" 0 "" "2 rows scored" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/scored_rows.sav"
printf "GET FILE='%s'.\nFORMATS Kestrium_price (F20.6).\nLIST.\n" "$work/scored_rows.sav" > "$work/list_scored.sps"
check "PSPP reads the scored SPSS data file" 0 "$(printf "%.6f" "$expected")" "" -- pspp -b "$work/list_scored.sps"
check "an SPSS result is not made from standard input" 1 "" "not from standard input" -- "$KDK" score "$house" - -o "$work/x.sav" < "$work/houses.csv"

echo "kdk cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
