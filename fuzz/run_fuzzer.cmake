# Runs one fuzzer for SECONDS from the committed seeds in SEEDS. New inputs go to a fresh WORK/corpus,
# never into the seeds; a crashing input is saved in WORK as crash-<hash> and ends the run with failure.
# cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -P run_fuzzer.cmake
foreach(var FUZZER SEEDS WORK SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzzer.cmake: ${var} not set")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK}/corpus)
file(MAKE_DIRECTORY ${WORK}/corpus)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -print_final_stats=1
                        -artifact_prefix=${WORK}/ ${WORK}/corpus ${SEEDS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK}")
endif()
