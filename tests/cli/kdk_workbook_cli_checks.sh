# Workbook checks of kdk_cli_test.sh (sourced there: uses its check, $KDK, $EXAMPLES, $work).
wb_mars="$EXAMPLES/house_value_mars.txt"

check "network workbook" 0 "Files Generated..." "" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/my model.xlsm"
check "workbook is a zip with the VBA project" 0 "xl/vbaProject.bin" "" -- unzip -l "$work/my model.xlsm"
check "workbook sheets named from the file" 0 "my_model_2" "" -- unzip -p "$work/my model.xlsm" xl/workbook.xml
check "classifier workbook strength formula" 0 "loan_CalculateIt(A2:D2,2)" "" -- bash -c "'$KDK' convert '$EXAMPLES/loan_default.kwf' --to workbook -o '$work/loan.xlsm' >/dev/null && unzip -p '$work/loan.xlsm' xl/worksheets/sheet1.xml"
check "mars workbook" 0 "Files Generated..." "" -- "$KDK" convert "$wb_mars" --to workbook -o "$work/mars.xlsm"
check "mars workbook formula" 0 "mars_CalculateIt(B2:B5)" "" -- unzip -p "$work/mars.xlsm" xl/worksheets/sheet2.xml
check "workbook replaces a file" 0 "Files Generated..." "" -- "$KDK" convert "$wb_mars" --to workbook -o "$work/mars.xlsm"
check "workbook into a missing folder" 1 "" "Problems saving this file" -- "$KDK" convert "$wb_mars" --to workbook -o /nonexistent_dir/m.xlsm
check "workbook takes no options" 2 "" "" -- "$KDK" convert "$wb_mars" --to workbook --format A -o "$work/m.xlsm"
check "legacy workbook without LibreOffice saves nothing" 1 "" "made with LibreOffice" -- env PATH=/nonexistent "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/none.xls"
check "nothing saved without LibreOffice" 1 "" "" -- test -e "$work/none.xls"
if command -v soffice >/dev/null; then
  check "legacy workbook through LibreOffice" 0 "Files Generated..." "" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/legacy.xls"
  check "legacy workbook is a compound file" 0 "" "" -- bash -c "head -c 8 '$work/legacy.xls' | od -An -tx1 | grep -q 'd0 cf 11 e0 a1 b1 1a e1'"
else
  check "legacy workbook needs LibreOffice" 1 "" "made with LibreOffice" -- "$KDK" convert "$EXAMPLES/house_price.kwf" --to workbook -o "$work/legacy.xls"
fi
