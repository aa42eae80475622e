#!/usr/bin/env bash
# Describe and predict with each example network.
set -euo pipefail
for model in examples/*.kwf; do
  echo "== kdk info $model"
  "$KDK" info "$model"
done
echo "== kdk predict examples/house_price.kwf 150 4 30"
"$KDK" predict examples/house_price.kwf 150 4 30
echo "== kdk predict examples/loan_default.kwf 42000 120000 6 1"
"$KDK" predict examples/loan_default.kwf 42000 120000 6 1
