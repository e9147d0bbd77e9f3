# 64-bit Windows (x64), which wine64 runs on this machine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QUORVEL_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
