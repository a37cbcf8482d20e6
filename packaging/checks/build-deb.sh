#!/usr/bin/env bash
# Builds the Debian package from the build tree into a folder of its own, so that the package
# checks do not depend on an earlier `make package`.
set -euo pipefail
cpack=$1
cpack_config=$2
out_dir=$3
rm -rf "$out_dir"
mkdir -p "$out_dir"
"$cpack" --config "$cpack_config" -G DEB -B "$out_dir"
shopt -s nullglob
debs=("$out_dir"/*.deb)
if ((${#debs[@]} != 1)); then
    echo "expected one .deb in $out_dir, found ${#debs[@]}" >&2
    exit 1
fi
echo "built ${debs[0]}"
