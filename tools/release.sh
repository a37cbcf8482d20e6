#!/usr/bin/env bash
# Builds what a release holds into dist/: the Debian package, the Windows zip, the web site's zip,
# the build record and SHA256SUMS, from the last commit only. Every build of one commit gives the same bytes, so
# anyone can rebuild a release and compare its checksums (README, "Verifying a release").
#   tools/release.sh        (make release)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

if [[ -n $(git status --porcelain) ]]; then
    echo "make release builds only what is committed, and this tree has changes:" >&2
    git status --short >&2
    echo "Commit them (or stash them) and run make release again." >&2
    exit 1
fi

tools/setup-deps.sh tools/debian-packages.txt tools/windows/debian-packages.txt \
    tools/web/debian-packages.txt
windows_qt=$(tools/build-qt.sh)

# cpack writes the .deb's ar members with the modes the umask gave its files.
umask 022
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
version=$(sed -n 's/^set(TALLYFEN_DISPLAY_VERSION \(.*\))/\1/p' CMakeLists.txt)
jobs=$(nproc)
out=build/release
rm -rf "$out" dist
mkdir -p dist

# Each build from scratch, in a folder of its own, without the tests.
configure() {
    local preset=$1
    shift
    cmake --preset "$preset" -B "$out/$preset" -D BUILD_TESTING=OFF "$@" >/dev/null
}

configure default
cmake --build "$out/default" -j "$jobs"
(cd "$out/default" && cpack -G DEB >/dev/null)
cp "$out/default/tallyfen_${version}_amd64.deb" dist/

TALLYFEN_WINDOWS_QT=$windows_qt configure windows
cmake --build "$out/windows" -j "$jobs" --target tallyfen-windows-zip
cp "$out/windows/tallyfen-$version-windows-x64.zip" dist/

configure web
cmake --build "$out/web" -j "$jobs" --target tallyfen-web-zip
cp "$out/web/tallyfen-$version-web.zip" dist/

tools/write-build-record.sh "$windows_qt" >dist/build-record.txt
(cd dist && sha256sum -- *.deb *.zip build-record.txt >SHA256SUMS)
echo "Release $version of $(git log -1 --format='%h (%cd)' --date=short) is in dist/:"
sed 's/^/  /' dist/SHA256SUMS
