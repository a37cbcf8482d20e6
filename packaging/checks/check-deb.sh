#!/usr/bin/env bash
# Builds the Debian package into a folder of its own and checks it as apt would see it: the files
# it installs, the packages it depends on (the window's faces among them), and lintian.
# usage: check-deb.sh CPACK CPACK-CONFIG OUT-DIR EXPECTED-FILES
set -euo pipefail
rm -rf "$3"
"$1" --config "$2" -G DEB -B "$3" >/dev/null
deb=$(echo "$3"/*.deb)
diff -u "$4" <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, substr($6, 2)}' | sort -k2)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins fonts-liberation2 fonts-comic-neue fonts-adf-tribun; do
    [[ "$depends" =~ (^|, )$package( |,|$) ]] || { echo "Depends lacks $package: $depends"; exit 1; }
done
lintian --fail-on error,warning "$deb"
