# MARS checks of kdk_cli_test.sh (sourced there: uses its check, $KDK, $EXAMPLES, $work).
mars="$EXAMPLES/house_value_mars.txt"

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
printf 'Y = 1;\r\n' >"$work/not_mars.txt"
check "mars unreadable" 1 "" "Cannot Read Data" -- "$KDK" info "$work/not_mars.txt"
check "mars missing file" 1 "" "There is a problem trying to read the model data from the file." -- "$KDK" info "$work/none.txt"
# Model text in UTF-8 is read in the code page: the SQL file holds Größe as 1252 bytes.
printf 'BF1 = max(0, Gr\xc3\xb6\xc3\x9fe - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/utf8.txt"
check "mars utf-8 text in the code page" 0 "$(printf '[Gr\xf6\xdfe]')" "" -- "$KDK" convert "$work/utf8.txt" --to sql -o -
check "mars utf-8 predicts" 0 "prediction: 4" "" -- "$KDK" predict "$work/utf8.txt" 3
cp "$work/utf8.txt" "$work/caf$(printf '\xc3\xa9').txt"
check "mars page path as a reference" 0 "caf&#233;.txt" "" -- sh -c "\"$KDK\" convert \"$work/caf$(printf '\xc3\xa9').txt\" --to html -o \"$work/p.html\" >/dev/null && cat \"$work/p.html\""
check "mars page name as references" 0 ">Gr&#246;&#223;e<" "" -- cat "$work/p.html"
printf 'BF1 = max(0, X - 1);\r\nBF2 = max(0, \xe4\xb8\xad - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/cjk.txt"
check "mars character outside the code page" 1 "" "Line 2 holds the character U+4E2D after \"BF2 = max(0, \"" -- "$KDK" info "$work/cjk.txt"

check "mars sql written" 0 "$work/q.sql" "Done it!" -- "$KDK" convert "$mars" --to sql -o "$work/q.sql"
check "mars sql set line" 0 "SET [FieldName] =  150.5 +" "" -- cat "$work/q.sql"
check "mars sql crlf" 0 "1" "" -- bash -c "grep -c \$'^Go\\r\$' \"$work/q.sql\""
check "mars sql access" 0 "IIf(IsNull( [AGE] ),1,0) +" "" -- sh -c "\"$KDK\" convert \"$mars\" --to sql --dialect access --table T -o \"$work/a.sql\" && cat \"$work/a.sql\""
check "mars sql no brackets" 0 "( CASE WHEN AGE IS NULL" "" -- sh -c "\"$KDK\" convert \"$mars\" --to sql --no-brackets --no-header --no-create-field -o \"$work/b.sql\" && cat \"$work/b.sql\""
check "mars sql bad dialect" 2 "" "--dialect is sqlserver or access" -- "$KDK" convert "$mars" --to sql --dialect oracle -o "$work/c.sql"
check "mars sql option of spss" 2 "" "--output-name does not apply to --to sql" -- "$KDK" convert "$mars" --to sql --output-name x -o "$work/c.sql"
printf 'BF1 = max(0, Select - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/reserved.txt"
check "mars sql reserved refused" 1 "" "( Select ) is an SQL reserved word." -- "$KDK" convert "$work/reserved.txt" --to sql -o "$work/r.sql"
check "mars sql reserved allowed" 0 "$work/r.sql" "" -- "$KDK" convert "$work/reserved.txt" --to sql --allow-reserved -o "$work/r.sql"

check "mars spss written" 0 "COMPUTE my_out = 150.5 +" "" -- sh -c "\"$KDK\" convert \"$mars\" --to spss --output-name 'My Out' -o \"$work/s.sps\" && cat \"$work/s.sps\""
check "mars spss indicator" 0 "COMPUTE BF5 = MISSING( AGE) ." "" -- cat "$work/s.sps"
check "mars spss empty name" 1 "" "Invalid Output Name!" -- "$KDK" convert "$mars" --to spss --output-name "  " -o "$work/t.sps"

# One reading: what the evaluator refuses is refused by every converter, with no file.
printf 'BF1 = max(0, X - 1) * 1; DROP TABLE secrets; SELECT 1;\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/inject.txt"
check "mars injection refused" 1 "" "unexpected character ';'" -- "$KDK" convert "$work/inject.txt" --to sql -o "$work/inject.sql"
check "mars injection no file" 1 "" "" -- test -e "$work/inject.sql"
printf 'BF1 = max(0, X - 1);\r\n\r\nY = BF1 / 0;\r\n\r\nMODEL Y = BF1;\r\n' >"$work/divide.txt"
check "mars division refused" 1 "" "it may only add, subtract and multiply" -- "$KDK" convert "$work/divide.txt" --to spss -o "$work/divide.sps"
check "mars division predict" 1 "" "Cannot Read Data" -- "$KDK" predict "$work/divide.txt" 1
printf 'BF1 = ( COLOR = 1 OR COLOR = 2);\r\nBF2 = max(0, 2 - XBF1) * BF1;\r\n\r\nY = 1 + BF2;\r\n\r\nMODEL Y = BF2;\r\n' >"$work/words.txt"
check "mars whole names" 0 "IIf(( 2 - [XBF1] ) < 0 , 0, 2 - [XBF1]) *  IIf(( ( [COLOR] = 1 OR [COLOR] = 2) ),1,0);" "" -- "$KDK" convert "$work/words.txt" --to sql --dialect access -o -
check "mars stdout only the artifact" 0 "COMPUTE BF2 = max(0, 2 - XBF1) * BF1 ." "" -- "$KDK" convert "$work/words.txt" --to spss -o -

# Files: never the model, however the path names it (links, devices, FIFOs, folders
# and permissions are the writer's, tested in text_utils_test).
cp "$mars" "$work/model.txt"
check "mars output is the model" 1 "" "It is the model file itself." -- "$KDK" convert "$work/model.txt" --to sql -o "$work/./model.txt"
check "mars model kept" 0 "" "" -- cmp "$mars" "$work/model.txt"
ln -s model.txt "$work/alias.txt"
check "mars output through a link to the model" 1 "" "It is the model file itself." -- "$KDK" convert "$work/model.txt" --to spss -o "$work/alias.txt"
check "network output is the model" 1 "" "It is the model file itself." -- sh -c "cp \"$EXAMPLES/house_price.kwf\" \"$work/same.kwf\" && \"$KDK\" convert \"$work/same.kwf\" --to c -o \"$work/same.kwf\""
# Every converter that writes files refuses the model's own: a MARS model may carry
# any name, also the one a project, page or workbook would write.
for to in vbproject:vbp:frm html:html:html workbook:xlsm:xlsm; do
  IFS=: read -r type ext model_ext <<<"$to"
  cp "$mars" "$work/own.$model_ext"
  check "mars $type never replaces the model" 1 "" "It is the model file itself." -- "$KDK" convert "$work/own.$model_ext" --to "$type" -o "$work/own.$ext"
  check "mars $type model kept" 0 "" "" -- cmp "$mars" "$work/own.$model_ext"
done
check "network equation view never replaces the model" 1 "" "It is the model file itself." -- sh -c "cp \"$EXAMPLES/house_price.kwf\" \"$work/ev.kwf\" && \"$KDK\" convert \"$work/ev.kwf\" --to equation-view -o \"$work/ev.kwf\""
check "standard input is bounded like a file" 1 "" "larger than 64 MB" -- sh -c "head -c 70000000 /dev/zero | \"$KDK\" info -"
# Standard output: only the artifact goes there, and a log is appended to.
check "html to standard output, no file named -" 0 "<HTML>" "" -- sh -c "cd \"$work\" && \"$KDK\" convert \"$mars\" --to html -o - && test ! -e -"
check "workbook to standard output" 0 "xl/vbaProject.bin" "" -- sh -c "\"$KDK\" convert \"$mars\" --to workbook -o - >\"$work/piped.xlsm\" && unzip -l \"$work/piped.xlsm\""
check "vbproject refuses standard output" 2 "" "-o - cannot take a Visual Basic project" -- "$KDK" convert "$mars" --to vbproject -o -
printf 'earlier\n' >"$work/build.log"
check "-o /dev/stdout appends to the log" 0 "earlier" "" -- sh -c "\"$KDK\" convert \"$mars\" --to sql -o /dev/stdout >>\"$work/build.log\" && grep -c UPDATE \"$work/build.log\" >/dev/null && cat \"$work/build.log\""
# A full disk (the file size limit, its signal ignored): the form cannot be written,
# so no file of the project is left, and no temporary file either.
mkdir "$work/full"
check "vbproject on a full disk" 1 "" "File too large" -- bash -c "ulimit -f 4; trap '' XFSZ; exec \"$KDK\" convert \"$house\" --to vbproject -o \"$work/full/p.vbp\""
check "vbproject on a full disk leaves nothing" 0 "" "" -- sh -c "test -z \"\$(ls -A \"$work/full\")\""
check "network missing file" 1 "" "does not exist" -- "$KDK" info "$work/none.kwf"
