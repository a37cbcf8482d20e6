# Draws the assets afresh and compares every file with the committed one, byte for byte.
# cmake -DDRAW=... -DOUTPUT=... -DCOMMITTED=... -P compare-assets.cmake
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${DRAW} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${DRAW} exited with ${status}")
endif()
file(GLOB_RECURSE drawn RELATIVE ${OUTPUT} ${OUTPUT}/*)
if(NOT drawn)
    message(FATAL_ERROR "${DRAW} drew nothing into ${OUTPUT}")
endif()
foreach(name IN LISTS drawn)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${COMMITTED}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        message(SEND_ERROR "assets/${name} is not what the tool draws: run `make assets`")
    endif()
endforeach()
