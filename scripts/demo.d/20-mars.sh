#!/usr/bin/env bash
# The example MARS model: its summary, two predictions, and both conversions.
set -euo pipefail
model=examples/house_value_mars.txt
echo "== kdk info $model"
"$KDK" info "$model"
echo "== kdk predict $model 150 2 4 30"
"$KDK" predict "$model" 150 2 4 30
echo "== kdk predict $model 150 2 . 30   (AGE missing)"
"$KDK" predict "$model" 150 2 . 30
echo "== kdk convert $model --to sql -o $OUT/house_value_mars.sql"
"$KDK" convert "$model" --to sql -o "$OUT/house_value_mars.sql"
cat "$OUT/house_value_mars.sql"
echo
echo "== kdk convert $model --to sql --dialect access -o $OUT/house_value_mars_access.sql"
"$KDK" convert "$model" --to sql --dialect access -o "$OUT/house_value_mars_access.sql"
echo "== kdk convert $model --to spss -o $OUT/house_value_mars.sps"
"$KDK" convert "$model" --to spss -o "$OUT/house_value_mars.sps"
