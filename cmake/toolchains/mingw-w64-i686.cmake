# 32-bit Windows (x86), the system the host loads the module on.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUORVEL_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
