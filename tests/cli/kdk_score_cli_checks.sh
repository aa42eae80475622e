# kdk score on CSV files; sourced by kdk_cli_test.sh. The rows' numbers are proven
# against the evaluators by the score conformance suite; here: the command's contract.
printf 'id;Floor Area;ROOMS;age\r\n1;150;4;30\r\n2;x;7;10\r\n' > "$work/houses.csv"
expected=$("$KDK" predict "$house" 150 4 30 | sed 's/prediction: //')
check "score a CSV" 0 "" "2 rows scored, 1 without a prediction" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/scored.csv"
check "score keeps every column and adds the prediction" 0 "1;150;4;30;$expected" "" -- cat "$work/scored.csv"
check "score reports a bad row by line and column" 0 "" "line 3: column Floor Area: 'x' is not a number" -- "$KDK" score "$house" "$work/houses.csv" -o - --quiet
check "score --strict stops and writes nothing" 1 "" "line 3" -- "$KDK" score "$house" "$work/houses.csv" -o "$work/strict.csv" --strict
check "score --strict left no file" 1 "" "" -- test -e "$work/strict.csv"
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
