# Builds the fuzzers (fuzz/CMakeLists.txt, a clang project of its own) into <build>/fuzz as part of the
# native build, and gives ctest a short run of each from the committed seeds (label: fuzz).
include(ExternalProject)

find_program(ORBITARIUM_FUZZ_CXX NAMES clang++ clang++-14 DOC "clang++ with libFuzzer, for the fuzzers")

# libFuzzer and the sanitizer runtimes ship apart from clang on some systems: try a link first.
set(_probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
set(_fuzz_available OFF)
if(ORBITARIUM_FUZZ_CXX)
  file(WRITE ${_probe_dir}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${ORBITARIUM_FUZZ_CXX} -fsanitize=fuzzer,address,undefined probe.cpp -o probe
                  WORKING_DIRECTORY ${_probe_dir} RESULT_VARIABLE _probe_result OUTPUT_QUIET ERROR_QUIET)
  if(_probe_result EQUAL 0)
    set(_fuzz_available ON)
  endif()
endif()

set(ORBITARIUM_FUZZ AUTO CACHE STRING
    "Build the libFuzzer targets with clang and run each briefly in ctest: ON, OFF, or AUTO (when clang++ with libFuzzer links)")
set_property(CACHE ORBITARIUM_FUZZ PROPERTY STRINGS AUTO ON OFF)
if(ORBITARIUM_FUZZ STREQUAL "AUTO")
  if(NOT _fuzz_available)
    message(STATUS "Fuzzers not built: no clang++ that links libFuzzer (Debian: clang, libclang-rt-14-dev)")
    return()
  endif()
elseif(NOT ORBITARIUM_FUZZ)
  return()
elseif(NOT _fuzz_available)
  message(FATAL_ERROR "ORBITARIUM_FUZZ needs clang++ with libFuzzer and its sanitizer runtimes "
                      "(Debian: clang, libclang-rt-14-dev)")
endif()

set(ORBITARIUM_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
set(ORBITARIUM_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzzer runs in ctest")
set(_fuzzers command_line stored_options hack_options)
set(_byproducts "")
foreach(name IN LISTS _fuzzers)
  list(APPEND _byproducts ${ORBITARIUM_FUZZ_DIR}/${name}_fuzzer)
endforeach()

ExternalProject_Add(orb_fuzzers
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
  BINARY_DIR ${ORBITARIUM_FUZZ_DIR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${ORBITARIUM_FUZZ_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${_byproducts})

foreach(name IN LISTS _fuzzers)
  add_test(NAME fuzz.${name}
           COMMAND ${CMAKE_COMMAND} -DFUZZER=${ORBITARIUM_FUZZ_DIR}/${name}_fuzzer
                   -DSEEDS=${CMAKE_CURRENT_LIST_DIR}/corpus/${name} -DWORK=${ORBITARIUM_FUZZ_DIR}/run/${name}
                   -DSECONDS=${ORBITARIUM_FUZZ_SECONDS} -P ${CMAKE_CURRENT_LIST_DIR}/run_fuzzer.cmake)
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endforeach()
