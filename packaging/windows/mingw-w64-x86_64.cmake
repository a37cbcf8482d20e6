# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX threads variant, which
# C++ threads need). Used for the static Qt and for Tallyfen itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# The static Qt that tools/build-qt.sh made; empty while that Qt itself is built.
set(TALLYFEN_WINDOWS_QT "" CACHE PATH "Prefix of the static Qt for MinGW-w64")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${TALLYFEN_WINDOWS_QT})
if(TALLYFEN_WINDOWS_QT)
    list(APPEND CMAKE_PREFIX_PATH ${TALLYFEN_WINDOWS_QT})
    set(QT_HOST_PATH /usr CACHE PATH "Host Qt with moc, rcc and uic")
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake files")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file that needs no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
