#!/usr/bin/env bash
# Builds the Debian package's program and the web site twice from the last commit, in two clones
# that differ in their path, their build folders' names and their files' times, under a different
# umask, time zone and locale, and compares the bytes. A difference means an output records a
# path, a time or a setting of the build machine. No SOURCE_DATE_EPOCH is given: the build finds
# its time itself.
#   tools/check-reproducible.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tallyfen-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
jobs=$(nproc)

# build CLONE BUILD-FOLDER UMASK TZ LOCALE: the program in BUILD-FOLDER/default, the site's zip in
# BUILD-FOLDER/web.
build() {
    local clone=$1 folder=$2
    (
        cd "$clone"
        umask "$3"
        export TZ=$4 LC_ALL=$5
        unset SOURCE_DATE_EPOCH
        cmake --preset default -B "$folder/default" -D BUILD_TESTING=OFF >/dev/null
        cmake --build "$folder/default" -j "$jobs" --target tallyfen >/dev/null
        cmake --preset web -B "$folder/web" -D BUILD_TESTING=OFF >/dev/null
        cmake --build "$folder/web" -j "$jobs" --target tallyfen-web-zip >/dev/null
    )
}

git clone --quiet --no-hardlinks "$here" "$work/first"
git clone --quiet --no-hardlinks "$here" "$work/a-second-clone-elsewhere"
# The second clone's files are dated years before the first's.
find "$work/a-second-clone-elsewhere" -path '*/.git' -prune -o -type f \
    -exec touch -d '2001-02-03 04:05:06' {} +
build "$work/first" "$work/first/build" 022 UTC C
build "$work/a-second-clone-elsewhere" "$work/a-second-clone-elsewhere/out/builds-two" 002 \
    Pacific/Kiritimati C.UTF-8

version=$(sed -n 's/^set(TALLYFEN_DISPLAY_VERSION \(.*\))/\1/p' "$here/CMakeLists.txt")
status=0
for output in "default/bin/tallyfen" "web/tallyfen-$version-web.zip"; do
    first=$work/first/build/$output
    second=$work/a-second-clone-elsewhere/out/builds-two/$output
    if cmp --quiet "$first" "$second"; then
        echo "Reproducible: both builds of $(git -C "$here" log -1 --format=%h) give the same" \
            "${output##*/} ($(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -c1-16))"
        continue
    fi
    status=1
    echo "Not reproducible: the two builds of ${output##*/} differ" >&2
    cmp "$first" "$second" | head -n 1 >&2 || true
    for built in "$first" "$second"; do
        strings -n 8 "$built" | grep -F -e "$work" | sed 's/^/  records /' | head -n 3 >&2 || true
    done
done
exit $status
