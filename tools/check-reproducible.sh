#!/usr/bin/env bash
# Builds the Debian package's program twice from the last commit, in two clones that differ in
# their path, their build folder's name and their files' times, under a different umask, time
# zone and locale, and compares the bytes. A difference means an output records a path, a time or
# a setting of the build machine. No SOURCE_DATE_EPOCH is given: the build finds its time itself.
#   tools/check-reproducible.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tallyfen-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
jobs=$(nproc)

# build CLONE BUILD-FOLDER UMASK TZ LOCALE
build() {
    local clone=$1 folder=$2
    (
        cd "$clone"
        umask "$3"
        export TZ=$4 LC_ALL=$5
        unset SOURCE_DATE_EPOCH
        cmake --preset default -B "$folder" -D BUILD_TESTING=OFF >/dev/null
        cmake --build "$folder" -j "$jobs" --target tallyfen >/dev/null
    )
}

git clone --quiet --no-hardlinks "$here" "$work/first"
git clone --quiet --no-hardlinks "$here" "$work/a-second-clone-elsewhere"
# The second clone's files are dated years before the first's.
find "$work/a-second-clone-elsewhere" -path '*/.git' -prune -o -type f \
    -exec touch -d '2001-02-03 04:05:06' {} +
build "$work/first" "$work/first/build/default" 022 UTC C
build "$work/a-second-clone-elsewhere" "$work/a-second-clone-elsewhere/out/build-two" 002 \
    Pacific/Kiritimati C.UTF-8

first=$work/first/build/default/bin/tallyfen
second=$work/a-second-clone-elsewhere/out/build-two/bin/tallyfen
if cmp --quiet "$first" "$second"; then
    echo "Reproducible: both builds of $(git -C "$here" log -1 --format=%h) give the same" \
        "program ($(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -c1-16))"
    exit 0
fi
echo "Not reproducible: the two builds of the program differ" >&2
cmp "$first" "$second" | head -n 1 >&2 || true
for program in "$first" "$second"; do
    readelf --notes "$program" | sed -n 's/^ *Build ID: /  build ID /p' >&2
    strings -n 8 "$program" | grep -F -e "$work" | sed 's/^/  records /' | head -n 3 >&2 || true
done
exit 1
