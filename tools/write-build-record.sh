#!/usr/bin/env bash
# Writes what a second builder needs to get a release's bytes: the commit, the Debian versions of
# the packages that went into each file, and what the Windows build's Qt holds. Two builders
# whose SHA256SUMS differ compare these records first.
#   tools/write-build-record.sh WINDOWS_QT > build-record.txt
set -euo pipefail
windows_qt=$1
version=$(sed -n 's/^set(TALLYFEN_DISPLAY_VERSION \(.*\))/\1/p' CMakeLists.txt)

# The host's tools, the faces and the Unicode data that every build uses.
shared=(cmake python3 unicode-data fonts-liberation2 fonts-comic-neue fonts-adf-tribun)

# packages FILE PACKAGE...: one line a package, with the version installed.
packages() {
    echo "$1:"
    shift
    dpkg-query -W -f='  ${Package} ${Version}\n' "$@" | LC_ALL=C sort
}

# qt PREFIX: the Debian source the cross Qt was built from and the SHA-256 of its libraries.
qt() {
    echo "Windows Qt, built by tools/build-qt.sh from Debian's qt6-base" \
        "$(cat "$1/debian-source-version")"
    echo "  all libraries: $(sha256sum <"$1/libraries.sha256" | cut -d' ' -f1)"
    sed 's/^/  /' "$1/libraries.sha256"
}

echo "Tallyfen $version, built from commit $(git log -1 --format='%H (%cI)')"
echo
echo "Installed packages (dpkg) that went into each file:"
packages "tallyfen_${version}_amd64.deb" "${shared[@]}" g++-12 binutils qt6-base-dev \
    qt6-base-dev-tools dpkg-dev
packages "tallyfen-$version-windows-x64.zip" "${shared[@]}" g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev qt6-base-dev-tools ninja-build
packages "tallyfen-$version-web.zip" "${shared[@]}" emscripten clang-14 lld-14 llvm-14 binaryen \
    nodejs python3-fonttools python3-brotli ninja-build
echo
echo "The Windows build's Qt: the SHA-256 of the libraries the program links from it"
qt "$windows_qt"
