#!/usr/bin/env bash
# Builds the Windows build's Qt afresh into another cache folder and compares its libraries, byte
# for byte, with the ones cached (which are built first if missing). A difference means Qt's build
# records a time, a path or a setting of the build machine into what the program links. About a
# quarter of an hour on two cores.
#   tools/check-reproducible-qt.sh [--keep DIR]
# --keep builds into DIR and leaves it there (a cache that XDG_CACHE_HOME can name), rather than
# into a folder that is removed afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
keep=
while (($# > 0)); do
    case $1 in
    --keep) keep=${2:?"--keep needs a folder"}; shift 2 ;;
    *) echo "usage: $0 [--keep DIR]" >&2; exit 2 ;;
    esac
done

if [[ -n $keep ]]; then
    mkdir -p "$keep"
    fresh_cache=$(cd "$keep" && pwd)
else
    fresh_cache=$(mktemp -d "${TMPDIR:-/tmp}/tallyfen-qt-again.XXXXXX")
    trap 'rm -rf "$fresh_cache"' EXIT
fi

cached=$("$here/build-qt.sh")
fresh=$(XDG_CACHE_HOME=$fresh_cache "$here/build-qt.sh")
if [[ $fresh == "$cached" ]]; then
    echo "$fresh is the cache itself; name another folder" >&2
    exit 2
fi
if cmp --quiet "$cached/libraries.sha256" "$fresh/libraries.sha256"; then
    echo "Reproducible: the Windows Qt built again gives the same" \
        "$(wc -l <"$fresh/libraries.sha256") libraries" \
        "(sha256 of their list $(sha256sum <"$fresh/libraries.sha256" | cut -c1-16))"
    exit 0
fi
echo "Not reproducible: the Windows Qt built again differs in these libraries:" >&2
diff "$cached/libraries.sha256" "$fresh/libraries.sha256" | sed -n 's/^> .*  /  /p' >&2
exit 1
