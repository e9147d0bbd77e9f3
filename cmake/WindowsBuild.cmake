# What every Windows binary of the project shares: the C and C++ runtime
# (libgcc, libstdc++, winpthread) linked in statically, so that the module
# and the bench host import system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

# Header-only packages from the Linux system, copied for the cross compiler.
if(CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/CrossHeaderPackages.cmake)
endif()

# What the module links against for the host's exports: the bench host
# program's import library, or another host's.
set(QUORVEL_HOST_IMPORT_LIBRARY "" CACHE FILEPATH
  "Another host's import library for the module to link against instead of the bench host's")
if(QUORVEL_HOST_IMPORT_LIBRARY)
  set(QUORVEL_HOST_IMPORTS ${QUORVEL_HOST_IMPORT_LIBRARY})
else()
  set(QUORVEL_HOST_IMPORTS quorvel-sim)
endif()
