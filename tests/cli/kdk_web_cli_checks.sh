# Web page checks of kdk_cli_test.sh (sourced there: uses its check, $KDK, $EXAMPLES, $work).
web_mars="$EXAMPLES/house_value_mars.txt"
web_house="$EXAMPLES/house_price.kwf"

check "html network written" 0 "$work/h.html" "" -- "$KDK" convert "$web_house" --to html -o "$work/h.html"
check "html style options" 0 "table.predict {font-size:12pt;color:RGB(1,2,3);background-color:RGB(16,32,48);" "" -- sh -c "\"$KDK\" convert \"$web_house\" --to html --grid-font-size 12pt --grid-text 'RGB(1,2,3)' --grid-background '#102030' --intro '' -o \"$work/s.html\" && cat \"$work/s.html\""
check "html empty intro" 0 "none" "" -- bash -c "grep -q '^<FONT class=' \"$work/s.html\" || echo none"
check "html two-line intro" 0 "<FONT class=\"normal\">a<BR><BR>b</FONT>" "" -- sh -c "\"$KDK\" convert \"$web_house\" --to html --intro \"\$(printf 'a\n\nb')\" -o \"$work/i.html\" && cat \"$work/i.html\""
check "html bad colour" 2 "" "--warning takes RGB(r,g,b) or #rrggbb" -- "$KDK" convert "$web_house" --to html --warning red -o "$work/x.html"
check "html bad font size" 2 "" "--font-size is one of 8pt" -- "$KDK" convert "$web_house" --to html --font-size 13pt -o "$work/x.html"
check "html network has no missing option" 2 "" "--allow-missing does not apply to --to html" -- "$KDK" convert "$web_house" --to html --allow-missing -o "$work/x.html"
check "html mars missing allowed" 0 $'\t        document.datainput.elements [i].value = \'missing\';' "" -- sh -c "\"$KDK\" convert \"$web_mars\" --to html --allow-missing -o \"$work/m2.html\" && cat \"$work/m2.html\""
cp "$web_house" "$work/own.kwf"
check "html never replaces its model" 1 "" "It is the model file itself." -- "$KDK" convert "$work/own.kwf" --to html -o "$work/own.kwf"
check "html model intact" 0 "" "" -- cmp "$web_house" "$work/own.kwf"
check "html unwritable path" 1 "" "The file could not be written: /nonexistent_dir/x.html" -- "$KDK" convert "$web_house" --to html -o /nonexistent_dir/x.html
