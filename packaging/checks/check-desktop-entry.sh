#!/usr/bin/env bash
# Validates a desktop entry; any error, warning or hint fails, since desktop-file-validate
# exits 0 on warnings.
set -euo pipefail
entry=$1
report=$(desktop-file-validate "$entry" 2>&1) || { echo "$report"; exit 1; }
if [[ -n "$report" ]]; then
    echo "$report"
    exit 1
fi
echo "$entry: valid"
