#!/usr/bin/env bash
# Visual Basic 6 projects of both example networks and of the MARS example, and the
# equation view's text of each network.
set -euo pipefail
for model in examples/*.kwf examples/house_value_mars.txt; do
  name=$(basename "${model%.*}")
  echo "== kdk convert $model --to vbproject -o $OUT/${name}_vb.vbp"
  "$KDK" convert "$model" --to vbproject -o "$OUT/${name}_vb.vbp"
done
for model in examples/*.kwf; do
  name=$(basename "$model" .kwf)
  echo "== kdk convert $model --to equation-view -o $OUT/${name}_equation_view.txt"
  "$KDK" convert "$model" --to equation-view -o "$OUT/${name}_equation_view.txt"
done
