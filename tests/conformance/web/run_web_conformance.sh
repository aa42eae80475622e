#!/usr/bin/env bash
# Generates the pages into a scratch folder and drives them in headless Chromium.
set -euo pipefail
generator=$1
here=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/pages"
"$generator" "$scratch/pages"
node "$here/drive_pages.js" "$scratch/pages"
