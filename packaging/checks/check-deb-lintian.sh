#!/usr/bin/env bash
# Runs lintian on the Debian package; any error or warning fails.
set -euo pipefail
debs=("$1"/*.deb)
lintian --fail-on error,warning --display-info "${debs[0]}"
echo "lintian: no error or warning in ${debs[0]}"
