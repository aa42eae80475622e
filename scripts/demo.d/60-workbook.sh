#!/usr/bin/env bash
# Every example model as a macro-enabled workbook with the model as a worksheet function.
set -euo pipefail
for model in examples/*.kwf examples/*_mars.txt; do
  name=$(basename "${model%.*}")
  echo "== kdk convert $model --to workbook"
  "$KDK" convert "$model" --to workbook -o "$OUT/${name}_workbook.xlsm"
done
