#!/usr/bin/env bash
# Builds the static Qt that the Windows build links, from Debian's own qt6-base source, into a
# cache outside the repository, and prints its prefix. The cache entry is keyed by the Qt version,
# the configure options, the toolchain file and the patches, and is reused when complete. A first
# build takes 10 to 25 minutes on two cores.
#   tools/build-qt.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packaging=$(cd "$here/../packaging" && pwd)
qt_version=6.4.2
qt_prefix=/usr/local/Qt-$qt_version
toolchain=$packaging/windows/mingw-w64-x86_64.cmake
options_file=$packaging/windows/qt-configure-options.txt
patches=("$packaging"/windows/qt-patches/*.patch)
[[ -e ${patches[0]} ]] || patches=()

# How Qt is built decides what the cache holds: this script is part of the key.
key=$(cat "$0" "$options_file" "$toolchain" ${patches[@]+"${patches[@]}"} | sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tallyfen"
prefix="$cache/qt-$qt_version-windows-static-$key"
if [[ -f "$prefix/.complete" ]]; then
    echo "$prefix"
    exit 0
fi

options=()
while read -r line; do
    line=${line%%#*}
    read -ra words <<<"$line"
    options+=("${words[@]}")
done <"$options_file"

work="$cache/work-windows-$key"
log="$cache/qt-$qt_version-windows-$key.log"
rm -rf "$work" "$prefix"
mkdir -p "$work/build"
echo "Building Qt $qt_version for Windows into $prefix (log: $log)" >&2
# A subshell of its own, not the left side of ||, so that set -e stops at the first failing step.
set +e
(
    set -e
    "$here/fetch-qt-source.sh" "$work" "$qt_version"
    source=$(echo "$work"/qt6-base-*/)
    for patch in ${patches[@]+"${patches[@]}"}; do
        patch -d "$source" -p1 --forward <"$patch"
    done
    cd "$work/build"
    # A static Qt compiles its prefix into every program, so it keeps Qt's default one, which
    # names no folder of this machine, and is installed into the cache from a staging folder.
    # Paths of the work folder are kept out of the objects too.
    "$source/configure" -prefix "$qt_prefix" "${options[@]}" -qt-host-path /usr -- \
        -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=qt" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=qt"
    cmake --build . --parallel "$(nproc)"
    DESTDIR="$work/stage" cmake --install .
    mv "$work/stage$qt_prefix" "$prefix"
    # Who holds the rights in Qt and the libraries it bundles, for the licences that ship with
    # the program.
    install -D -m 644 "$source/debian/copyright" "$prefix/share/doc/qt6-base/copyright"
    # Which Debian source it was built from, for a release's build record.
    dpkg-parsechangelog -l "$source/debian/changelog" -S Version >"$prefix/debian-source-version"
    # What a program links from this Qt, one SHA-256 a file, so that two builds of the same Qt
    # can be compared (tools/check-reproducible-qt.sh) and a release can record what it used.
    cd "$prefix"
    find . -type f \( -name '*.a' -o -name '*.o' -o -name '*.obj' \) -printf '%P\n' |
        LC_ALL=C sort | xargs -d '\n' sha256sum >libraries.sha256
) >"$log" 2>&1
status=$?
set -e
if ((status != 0)); then
    tail -n 40 "$log" >&2
    echo "The Qt build failed; the whole log is $log" >&2
    exit 1
fi
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
