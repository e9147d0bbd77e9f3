# What every Windows binary of the project shares: the C and C++ runtime
# (libgcc, libstdc++, winpthread) linked in statically, so that the module
# and the bench host import system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

# Header-only packages from the Linux system, copied for the cross compiler.
if(CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/CrossHeaderPackages.cmake)
endif()

# The host interface's names: the module's import library and the bench
# host program's exports.
include(${CMAKE_CURRENT_LIST_DIR}/HostNames.cmake)
