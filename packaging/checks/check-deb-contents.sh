#!/usr/bin/env bash
# Installs the Debian package into an empty temporary root with dpkg and checks that every file
# the package promises is there, with Debian's modes, and that the metadata fits together.
set -euo pipefail
deb_dir=$1
app_id=$2

debs=("$deb_dir"/*.deb)
deb=${debs[0]}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The root is empty, so the libraries the package depends on are not "installed" in it.
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless -i "$deb"
status=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' tallyfen)
[[ "$status" == "install ok installed" ]] || fail "dpkg status of tallyfen is '$status'"

declare -A expected_modes=(
    [usr/bin/tallyfen]=755
    [usr/share/applications/$app_id.desktop]=644
    [usr/share/metainfo/$app_id.metainfo.xml]=644
    [usr/share/icons/hicolor/scalable/apps/$app_id.svg]=644
    [usr/share/man/man1/tallyfen.1.gz]=644
    [usr/share/doc/tallyfen/copyright]=644
    [usr/share/doc/tallyfen/changelog.gz]=644
)
for size in 16 32 48 64 128 256; do
    icon=usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    expected_modes[$icon]=644
    if [[ -f "$root/$icon" ]]; then
        file -b "$root/$icon" | grep -q "PNG image data, $size x $size," ||
            fail "$icon is not a $size x $size PNG: $(file -b "$root/$icon")"
    fi
done
for path in "${!expected_modes[@]}"; do
    if [[ ! -f "$root/$path" ]]; then
        fail "/$path is missing"
        continue
    fi
    mode=$(stat -c %a "$root/$path")
    [[ "$mode" == "${expected_modes[$path]}" ]] ||
        fail "/$path has mode $mode, not ${expected_modes[$path]}"
done

if [[ -f "$root/usr/bin/tallyfen" ]]; then
    kind=$(file -b "$root/usr/bin/tallyfen")
    [[ "$kind" == *ELF* && "$kind" == *", stripped"* ]] || fail "/usr/bin/tallyfen: $kind"
fi
for gz in usr/share/man/man1/tallyfen.1.gz usr/share/doc/tallyfen/changelog.gz; do
    [[ -f "$root/$gz" ]] && { gzip -t "$root/$gz" || fail "/$gz is not a valid gzip file"; }
done
if [[ -f "$root/usr/share/man/man1/tallyfen.1.gz" ]]; then
    zcat "$root/usr/share/man/man1/tallyfen.1.gz" | grep -q '^\.TH TALLYFEN 1 ' ||
        fail "the manual page has no section 1 title line"
fi

version=$(dpkg-deb -f "$deb" Version)
if [[ -f "$root/usr/share/doc/tallyfen/changelog.gz" ]]; then
    changelog_version=$(zcat "$root/usr/share/doc/tallyfen/changelog.gz" |
        sed -n '1s/^tallyfen (\([^)]*\)).*/\1/p')
    [[ "$changelog_version" == "$version" ]] ||
        fail "the changelog's latest entry is '$changelog_version', the package is '$version'"
fi
desktop_entry=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if [[ -f "$desktop_entry" ]]; then
    grep -qx "Exec=tallyfen" "$desktop_entry" || fail "the desktop entry does not run tallyfen"
    grep -qx "Icon=$app_id" "$desktop_entry" || fail "the desktop entry does not name icon $app_id"
fi
if [[ -f "$metainfo" ]]; then
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "the metainfo has no release $version"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 qt6-qpa-plugins; do
    [[ "$depends" =~ (^|, )$library( |,|$) ]] || fail "Depends lacks $library: $depends"
done

if ((failures > 0)); then
    echo "$failures check(s) failed for $deb" >&2
    exit 1
fi
echo "$deb installs into a temporary root with all its files"
