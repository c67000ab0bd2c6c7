# Cross toolchain: 64-bit Windows programs built on Debian with mingw-w64
# (x86_64, posix thread model). Used by scripts/common.sh:
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
# and installed with the package (lib/cmake/mfcpaint/) for programs that use the library.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLET}-windres)

# Headers and libraries of the target come from the mingw-w64 sysroot only;
# programs (code generators and the like) run on the build machine. CMake packages are
# looked for under any prefix too (CMAKE_PREFIX_PATH), where installed Windows packages
# such as mfcpaint's live.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
