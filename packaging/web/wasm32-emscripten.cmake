# Cross-compiling for the web with Debian's Emscripten (WebAssembly, one thread). Used for the
# static Qt and for Tallyfen itself.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# emcc runs its JavaScript tools with the system's node when it links, and they load modules
# (acorn) from where Debian installs them, which a node not from Debian does not search.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
# Tests run under node. Emscripten 3.1.6's output takes node's own fetch for a browser's, which
# cannot read a file path, so it is switched off.
find_program(TALLYFEN_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLYFEN_NODE} --no-experimental-fetch)

# The static Qt that tools/build-qt.sh made; empty while that Qt itself is built.
set(TALLYFEN_WEB_QT "" CACHE PATH "Prefix of the static Qt for the web")
if(TALLYFEN_WEB_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${TALLYFEN_WEB_QT})
    list(APPEND CMAKE_PREFIX_PATH ${TALLYFEN_WEB_QT})
    set(QT_HOST_PATH /usr CACHE PATH "Host Qt with moc, rcc and uic")
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake files")
endif()
