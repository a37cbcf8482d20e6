# Cross-compiling the scoring core for the web with Debian's Emscripten: WebAssembly, one thread,
# no Qt (the page draws the window itself).
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# emcc runs its JavaScript tools with the system's node when it links, and they load modules
# (acorn) from where Debian installs them, which a node not from Debian does not search.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
# Tests run under node. Emscripten 3.1.6's output takes node's own fetch for a browser's, which
# cannot read a file path, so it is switched off.
find_program(TALLYFEN_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLYFEN_NODE} --no-experimental-fetch)

# The smallest code, optimised across the core and its interface as one.
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Oz -DNDEBUG")
set(CMAKE_CXX_FLAGS_INIT "-flto")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-flto")
