#!/usr/bin/env bash
# Web pages that compute the prediction in a browser: the example network (regression
# and classifier) and the example MARS model.
set -euo pipefail
for model in house_price loan_default; do
  echo "== kdk convert examples/$model.kwf --to html -o $OUT/$model.html"
  "$KDK" convert "examples/$model.kwf" --to html -o "$OUT/$model.html" \
    --intro "A calculator for the $model network."
done
echo "== kdk convert examples/house_value_mars.txt --to html --allow-missing -o $OUT/house_value_mars.html"
"$KDK" convert examples/house_value_mars.txt --to html --allow-missing \
  -o "$OUT/house_value_mars.html" --grid-background '#204060' --intro "Leave a field empty when its value is not known."
echo "   open the .html files in a browser, type the inputs and press Predict"
