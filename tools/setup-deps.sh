#!/usr/bin/env bash
# Installs the Debian packages listed in the given lists (tools/debian-packages.txt when none is
# given) that are missing. As root it runs apt-get; otherwise it prints the command to run and fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

(($# > 0)) || set -- "$here/debian-packages.txt"
mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$@")
missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
((${#missing[@]} == 0)) && exit 0

if [[ $(id -u) -eq 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Tallyfen needs these Debian packages. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
