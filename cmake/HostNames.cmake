# The host interface's names on Windows, from the list of this architecture
# in host/abi: each line pairs the g++ name of a declaration in host/ with
# the Microsoft name the host program halvane.exe exports it by. From it:
#   - quorvel_host_imports, the import library the module links against:
#     the module's code refers to the g++ names, and its import table names
#     the Microsoft ones, from halvane.exe (GNU dlltool's "name == import");
#   - QUORVEL_HOST_EXPORTS_DEF, the export list of the bench host program,
#     which exports its g++ definitions under the Microsoft names.

if(QUORVEL_MINGW_TARGET MATCHES "^i686")
  set(QUORVEL_ABI_ARCH i686)
else()
  set(QUORVEL_ABI_ARCH x86_64)
endif()
set(QUORVEL_HOST_NAMES ${QUORVEL_SOURCE_ROOT}/host/abi/${QUORVEL_ABI_ARCH}.names)
set_property(DIRECTORY ${QUORVEL_SOURCE_ROOT} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORVEL_HOST_NAMES})

set(imports "")
set(exports_def "EXPORTS\n")
set(microsoft_names "")
file(STRINGS ${QUORVEL_HOST_NAMES} lines)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]*$")
    message(FATAL_ERROR "${QUORVEL_HOST_NAMES}: not a g++ name and a Microsoft name: ${line}")
  endif()
  string(APPEND imports "${CMAKE_MATCH_1} == ${CMAKE_MATCH_2}\n")
  string(APPEND exports_def "\"${CMAKE_MATCH_2}\" = ${CMAKE_MATCH_1}\n")
  list(APPEND microsoft_names ${CMAKE_MATCH_2})
endforeach()
list(LENGTH microsoft_names count)
set(QUORVEL_HOST_PROGRAM halvane.exe)

# A host's own import library, where a player has one (the .lib a
# Microsoft toolchain makes for the host program): the module imports from
# the program it names, and the build checks that it names every function
# of the list.
set(QUORVEL_HOST_IMPORT_LIBRARY "" CACHE FILEPATH "The host program's own import library (a Microsoft .lib)")
if(QUORVEL_HOST_IMPORT_LIBRARY)
  find_program(QUORVEL_LLVM_AR llvm-ar REQUIRED)
  find_program(QUORVEL_LLVM_NM llvm-nm REQUIRED)
  execute_process(COMMAND ${QUORVEL_LLVM_AR} t ${QUORVEL_HOST_IMPORT_LIBRARY}
    OUTPUT_VARIABLE members RESULT_VARIABLE status ERROR_VARIABLE why)
  # Each member of a Microsoft import library is named after the program.
  string(REGEX MATCH "[^\n]+[.][Ee][Xx][Ee]" program "${members}")
  if(NOT status EQUAL 0 OR NOT program)
    message(FATAL_ERROR "${QUORVEL_HOST_IMPORT_LIBRARY}: not a Microsoft import library of a program ${why}")
  endif()
  execute_process(COMMAND ${QUORVEL_LLVM_NM} ${QUORVEL_HOST_IMPORT_LIBRARY} OUTPUT_VARIABLE symbols)
  string(REGEX MATCHALL "__imp_[^\n]+" imported "${symbols}")
  foreach(name IN LISTS microsoft_names)
    if(NOT "__imp_${name}" IN_LIST imported)
      message(FATAL_ERROR "${QUORVEL_HOST_IMPORT_LIBRARY} lacks ${name}, which the module imports")
    endif()
  endforeach()
  set(QUORVEL_HOST_PROGRAM ${program})
  message(STATUS "The module imports from ${program}, whose import library names all ${count} host functions")
endif()

set(abi_dir ${CMAKE_BINARY_DIR}/host-abi)
file(GENERATE OUTPUT ${abi_dir}/host-imports.def CONTENT "LIBRARY ${QUORVEL_HOST_PROGRAM}\nEXPORTS\n${imports}")
file(GENERATE OUTPUT ${abi_dir}/host-exports.def CONTENT "${exports_def}")
set(QUORVEL_HOST_EXPORTS_DEF ${abi_dir}/host-exports.def)

set(import_library ${abi_dir}/libhalvane.a)
# Named from inside its folder: dlltool names the library's symbols after
# the path it is given, and they reach the module's symbol table, so a full
# path would make the DLL differ from one build folder to another.
add_custom_command(OUTPUT ${import_library}
  COMMAND ${QUORVEL_MINGW_TARGET}-dlltool -d host-imports.def -l libhalvane.a
  WORKING_DIRECTORY ${abi_dir}
  DEPENDS ${abi_dir}/host-imports.def
  COMMENT "The host program's import library, from host/abi/${QUORVEL_ABI_ARCH}.names")
add_custom_target(quorvel_host_import_library DEPENDS ${import_library})
add_library(quorvel_host_imports INTERFACE)
target_link_libraries(quorvel_host_imports INTERFACE ${import_library})
add_dependencies(quorvel_host_imports quorvel_host_import_library)
