# Runs PROGRAM OPTION and fails unless it exits 0, prints nothing on standard error, and its
# standard output, without the final line end, matches the regular expression EXPECTED.
execute_process(COMMAND ${PROGRAM} ${OPTION} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
string(REGEX REPLACE "\n$" "" out "${out}")
if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "${EXPECTED}")
  message(FATAL_ERROR "${PROGRAM} ${OPTION} exited with ${status}\n"
                      "standard output:\n${out}\nstandard error:\n${err}\nexpected: ${EXPECTED}")
endif()
