#!/bin/bash
# Writes the seeded VB6 forms, then runs their code in one LibreOffice session.
set -euo pipefail
gen="$1"
folder="$2"
here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$folder"
"$gen" "$folder" "${KDK_VB_FORM_NETWORKS:-12}" "${KDK_VB_FORM_MARS:-10}"
exec /usr/bin/python3 "$here/check_vb_forms.py" "$folder/manifest.json"
