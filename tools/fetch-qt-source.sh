#!/usr/bin/env bash
# Fetches Debian's qt6-base source package into the folder given, unpacked with Debian's patches.
# The deb-src entries are derived from this machine's own apt sources at run time and kept in a
# private apt state under that folder, so the system's apt configuration is left alone.
set -euo pipefail
dest=$1
version_prefix=$2
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
apt_dir="$dest/apt"
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# Every deb822 stanza and one-line entry of the binary archive for this release, as deb-src.
for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file ]] || continue
    awk -v RS= -v ORS='\n\n' -v codename="$codename" '
        /(^|\n)Types:[^\n]*deb([ \n]|$)/ && /(^|\n)Suites:[^\n]*/ && index($0, codename) {
            sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); print
        }' "$file"
done >"$apt_dir/parts/tallyfen-src.sources"
if [[ -f /etc/apt/sources.list ]]; then
    sed -n -E "s/^[[:space:]]*deb[[:space:]]+(.*[[:space:]]$codename([[:space:]].*)?)$/deb-src \1/p" \
        /etc/apt/sources.list
fi >"$apt_dir/parts/tallyfen-src.list"

apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/parts"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" -qq update
version=$(apt-cache "${apt_options[@]}" showsrc qt6-base | sed -n 's/^Version: //p' | sort -V | tail -1)
if [[ $version != "$version_prefix"* ]]; then
    echo "Debian's qt6-base source is $version, not $version_prefix" >&2
    exit 1
fi
cd "$dest"
apt-get "${apt_options[@]}" -qq source "qt6-base=$version"
