#!/bin/bash
# usage: run_checker.sh GENERATOR [ARGUMENTS...] -- CHECKER...
# The generator writes a suite's files and manifest into a fresh folder (its first
# argument), then the checker (run with the folder as its last argument) checks them.
set -euo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
generator=("$1" "$folder")
shift
while [ "$1" != "--" ]; do generator+=("$1"); shift; done
shift
"${generator[@]}"
"$@" "$folder"
