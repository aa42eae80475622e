#!/usr/bin/env bash
# Runs the whole test suite headless: GUI tests on the offscreen platform, with
# settings and runtime folders pointed at a temporary place.
set -euo pipefail
build_dir=${1:-build}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build_dir"
ctest --output-on-failure -j "$(nproc)"
