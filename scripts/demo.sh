#!/usr/bin/env bash
# The main job on the bundled examples: each scripts/demo.d/*.sh in order, with
# KDK (the command line) and OUT (a fresh output folder) set.
set -euo pipefail
build_dir=${1:-build}
export KDK="$build_dir/bin/kdk"
export OUT="$build_dir/demo"
rm -rf "$OUT"
mkdir -p "$OUT"
for step in scripts/demo.d/*.sh; do
  bash "$step"
done
echo
echo "demo: generated files are in $OUT"
ls -1 "$OUT"
