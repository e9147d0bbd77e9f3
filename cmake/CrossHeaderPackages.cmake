# Header-only packages for a cross build. The cross compiler must not see
# Linux's /usr/include, so each package's own header folder is copied into
# the build tree and a small package configuration made for it there; the
# project's find_package calls then find these instead of Linux's.
#
# quorvel_cross_header_package(<package> <target> <header folder>
#                              [DEFINES <definition>...])
function(quorvel_cross_header_package package target folder)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" DEFINES)
  set(source /usr/include/${folder})
  if(NOT IS_DIRECTORY ${source})
    return()  # not installed: find_package reports it where it is needed
  endif()
  set(include_dir ${CMAKE_BINARY_DIR}/cross-include)
  file(COPY ${source} DESTINATION ${include_dir})
  set(config_dir ${CMAKE_BINARY_DIR}/cross-packages/${package})
  file(WRITE ${config_dir}/${package}Config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED)\n"
    "  set_target_properties(${target} PROPERTIES\n"
    "    INTERFACE_INCLUDE_DIRECTORIES \"${include_dir}\"\n"
    "    INTERFACE_COMPILE_DEFINITIONS \"${arg_DEFINES}\")\n"
    "endif()\n")
  set(${package}_DIR ${config_dir} CACHE PATH "Header-only ${package} copied for the cross build" FORCE)
endfunction()

quorvel_cross_header_package(CLI11 CLI11::CLI11 CLI)
quorvel_cross_header_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
# Linux's toml++ is a compiled library; its headers alone are the whole
# parser when asked to be.
quorvel_cross_header_package(tomlplusplus tomlplusplus::tomlplusplus toml++ DEFINES TOML_HEADER_ONLY=1)
