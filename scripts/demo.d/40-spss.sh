#!/usr/bin/env bash
# An SPSS data file made with PSPP, checked against each SPSS-capable model and scored.
set -euo pipefail
out=$(cd "$OUT" && pwd)
cat > "$out/houses_data.sps" <<SPS
DATA LIST LIST /floor_area rooms age (F8.2).
BEGIN DATA
150 4 30
88.5 3 12
302 8 95
END DATA.
SAVE OUTFILE='$out/houses.sav'.
DATA LIST LIST /AREA DISTRICT AGE ROOMS (F8.2).
BEGIN DATA
150 1 30 4
88.5 4 . 3
END DATA.
SAVE OUTFILE='$out/house_values.sav'.
SPS
pspp -b "$out/houses_data.sps" >/dev/null
echo "== kdk spss-check examples/house_price.kwf houses.sav"
"$KDK" spss-check examples/house_price.kwf "$out/houses.sav"
echo "== kdk spss-run examples/house_price.kwf houses.sav -o houses_scored.sav"
"$KDK" spss-run examples/house_price.kwf "$out/houses.sav" -o "$out/houses_scored.sav"
echo "== kdk spss-run examples/house_value_mars.txt house_values.sav -o house_values_scored.sav"
"$KDK" spss-run examples/house_value_mars.txt "$out/house_values.sav" \
  -o "$out/house_values_scored.sav"
