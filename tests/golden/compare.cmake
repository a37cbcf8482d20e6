# Runs the driver on one input file and compares its output with the expected lines.
# cmake -DDRIVER=... -DINPUT=... -DEXPECTED=... [-DOPTIONS=...] -P compare.cmake
execute_process(
    COMMAND ${DRIVER} ${OPTIONS}
    INPUT_FILE ${INPUT}
    OUTPUT_VARIABLE actual
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${DRIVER} exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "Output differs from ${EXPECTED}.\nExpected:\n${expected}\nActual:\n${actual}")
endif()
