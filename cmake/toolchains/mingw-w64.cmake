# Debian's mingw-w64 cross compilers for Windows. Included by the per-target
# toolchain files, which set QUORVEL_MINGW_TARGET (the compiler's triple) and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model carries the whole C++ thread library; its
# winpthread is linked statically with the rest of the runtime.
set(CMAKE_C_COMPILER ${QUORVEL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_TARGET}-windres)

# Headers, libraries and packages come from the Windows sysroot only, never
# from Linux's /usr: a Linux header found by accident would build against
# the wrong system.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Reproducible binaries: the same sources give the same bytes in any build
# folder on any day. No link time in the PE headers, and no source or build
# folder in anything the compiler writes (debug information, __FILE__); the
# build folder's map comes last, so it wins inside a source tree.
set(CMAKE_C_FLAGS_INIT "-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT -Wl,--no-insert-timestamp)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -Wl,--no-insert-timestamp)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -Wl,--no-insert-timestamp)
