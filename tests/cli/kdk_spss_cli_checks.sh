# kdk spss-check and spss-run on .sav files that PSPP writes; sourced by kdk_cli_test.sh.
cat > "$work/make_sav.sps" <<SPS
DATA LIST LIST /FLOOR_AREA Rooms age (F8.2).
BEGIN DATA
150 4 30
250.5 7 .
END DATA.
SAVE OUTFILE='$work/houses.sav'.
DATA LIST LIST /floor_area age (F8.2).
BEGIN DATA
150 30
END DATA.
SAVE OUTFILE='$work/no_rooms.sav'.
DATA LIST LIST /floor_area Var1 age (F8.2).
BEGIN DATA
150 4 30
END DATA.
SAVE OUTFILE='$work/var1.sav'.
SPS
pspp -b "$work/make_sav.sps" >/dev/null
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
