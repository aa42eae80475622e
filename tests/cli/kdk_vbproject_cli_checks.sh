# VB project and equation view checks of kdk_cli_test.sh (sourced there: uses its
# check, $KDK, $EXAMPLES, $work).
house="$EXAMPLES/house_price.kwf"
mars="$EXAMPLES/house_value_mars.txt"

check "vbproject network" 0 "$work/vb net.vbp" "Done it!" -- "$KDK" convert "$house" --to vbproject -o "$work/vb net.vbp"
check "vbproject form beside it" 0 "Begin VB.Form Predict" "" -- cat "$work/vb_net.frm"
check "vbproject form line" 0 "Form=vb_net.frm" "" -- cat "$work/vb net.vbp"
check "vbproject mars" 0 "$work/vbm.frm" "Done it!" -- "$KDK" convert "$mars" --to vbproject -o "$work/vbm.vbp"
check "vbproject path must be .vbp" 2 "" "the project path must end in .vbp" -- "$KDK" convert "$house" --to vbproject -o "$work/vb.txt"
check "vbproject unwritable" 1 "" "The file could not be written: /nonexistent_dir/p.vbp" -- "$KDK" convert "$house" --to vbproject -o /nonexistent_dir/p.vbp
check "equation view" 0 "$work/eq.txt" "" -- "$KDK" convert "$house" --to equation-view -o "$work/eq.txt"
check "equation view network only" 2 "" "" -- "$KDK" convert "$mars" --to equation-view -o "$work/eqm.txt"
