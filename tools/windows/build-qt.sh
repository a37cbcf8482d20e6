#!/usr/bin/env bash
# Builds the static Qt for MinGW-w64 that the Windows build links, from Debian's own qt6-base
# source, into a cache outside the repository, and prints its prefix. The cache entry is keyed by
# the Qt version, the configure options and the toolchain file, and is reused when complete.
# The first build takes 40 to 50 minutes on two cores.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows="$here/../../packaging/windows"
toolchain="$windows/mingw-w64-x86_64.cmake"
qt_version=6.4.2

key=$(cat "$windows/qt-configure-options.txt" "$toolchain" | sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tallyfen"
prefix="$cache/qt-$qt_version-mingw-w64-static-$key"
if [[ -f "$prefix/.complete" ]]; then
    echo "$prefix"
    exit 0
fi

options=()
while read -r line; do
    line=${line%%#*}
    read -ra words <<<"$line"
    options+=("${words[@]}")
done <"$windows/qt-configure-options.txt"

work="$cache/work-$key"
log="$cache/qt-$qt_version-$key.log"
rm -rf "$work" "$prefix"
mkdir -p "$work/build"
echo "Building Qt $qt_version for MinGW-w64 into $prefix (log: $log)" >&2
{
    "$here/fetch-qt-source.sh" "$work" "$qt_version"
    cd "$work/build"
    ../qt6-base-*/configure -prefix "$prefix" "${options[@]}" -qt-host-path /usr -- \
        -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(cd "$windows" && pwd)/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build . --parallel "$(nproc)"
    cmake --install .
    # Who holds the rights in Qt and the libraries it bundles, for the licences that ship with
    # the program.
    install -D -m 644 ../qt6-base-*/debian/copyright "$prefix/share/doc/qt6-base/copyright"
} >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "The Qt build failed; the whole log is $log" >&2
    exit 1
}
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
