# Builds FaultyModule.dll with the 32-bit cross compiler and checks that
# check-windows-dll.sh fails on it, naming each of its faults.
# -DSOURCE_ROOT=<the project> -DWORK_DIR=<a directory for the DLL>
set(dll ${WORK_DIR}/FaultyModule.dll)
execute_process(COMMAND i686-w64-mingw32-g++-posix -std=c++20 -shared -o ${dll}
                        ${SOURCE_ROOT}/tests/windows/FaultyModule.cpp
  RESULT_VARIABLE built ERROR_VARIABLE errors)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "cannot build the faulty module: ${errors}")
endif()
execute_process(COMMAND ${SOURCE_ROOT}/scripts/check-windows-dll.sh ${dll}
  OUTPUT_VARIABLE report RESULT_VARIABLE status)
if(status EQUAL 0)
  message(FATAL_ERROR "check-windows-dll.sh passed the faulty module:\n${report}")
endif()
foreach(fault
    "export hlcTimestep is missing"
    "unexpected export hlcTimestep@24"
    "unexpected export Extra"
    "imports libstdc++-6.dll, which is neither a system DLL"
    "imports nothing from the host halvane.exe"
    "DllMain comes from dllmain.c"
    "the message callback is not (unsigned int, unsigned int, unsigned int, int)")
  string(FIND "${report}" "PROBLEM: ${fault}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "check-windows-dll.sh did not report \"${fault}\":\n${report}")
  endif()
endforeach()
message(STATUS "check-windows-dll.sh reports every fault of the faulty module")
