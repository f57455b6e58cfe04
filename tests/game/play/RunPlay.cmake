# Plays one script on a fresh copy of the sample project: the game headless,
# without pacing, in a runtime folder of its own so that runs side by side
# never meet; passes when the game exits with 0.
#   cmake -DGAME=program -DSAMPLE=folder -DSCRIPT=file -DWORK=folder -P RunPlay.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/run")
file(CHMOD "${WORK}/run" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(COPY "${SAMPLE}/" DESTINATION "${WORK}/project")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "XDG_RUNTIME_DIR=${WORK}/run" "TMPDIR=${WORK}/run"
            "${GAME}" --headless --no-pacing --script "${SCRIPT}" --capture "${WORK}/captures"
    WORKING_DIRECTORY "${WORK}/project"
    RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "${SCRIPT}: the game ended with ${code}")
endif()
