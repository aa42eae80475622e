#!/bin/bash
# Builds the seeded workbooks, then checks them all in one LibreOffice session.
set -euo pipefail
gen="$1"
folder="$2"
here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$folder"
"$gen" "$folder" "${KDK_WORKBOOK_NETWORKS:-24}" "${KDK_WORKBOOK_MARS:-12}"
# The Python that LibreOffice's UNO bridge is installed for.
exec /usr/bin/python3 "$here/check_workbooks.py" "$folder/manifest.json"
