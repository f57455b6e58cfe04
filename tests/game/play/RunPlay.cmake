# Plays a script on a fresh copy of the sample project: the game headless,
# without pacing, in a runtime folder of its own so that runs side by side
# never meet; passes when the game exits with 0. SCRIPT may be a folder of
# scripts instead: they play in the order of their names, each in a new run
# of the game on the same copy, as a player who quits and starts again.
# TEST_PLAY=ON plays it as the editor's test play does, with the debug keys.
# With FIXTURE, that program first adds to the copy the fixture named as the
# script (play_fixture NAME, run in the copy).
#   cmake -DGAME=program -DSAMPLE=folder -DSCRIPT=file|folder -DWORK=folder [-DTEST_PLAY=ON] [-DFIXTURE=program]
#         -P RunPlay.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/run")
file(CHMOD "${WORK}/run" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(COPY "${SAMPLE}/" DESTINATION "${WORK}/project")
if(FIXTURE)
    get_filename_component(fixture_name "${SCRIPT}" NAME_WE)
    execute_process(COMMAND "${FIXTURE}" "${fixture_name}" WORKING_DIRECTORY "${WORK}/project" RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${FIXTURE} ${fixture_name}: the fixture was not written (${code})")
    endif()
endif()
if(IS_DIRECTORY "${SCRIPT}")
    file(GLOB scripts "${SCRIPT}/*.play")
    list(SORT scripts)
else()
    set(scripts "${SCRIPT}")
endif()
if(NOT scripts)
    message(FATAL_ERROR "${SCRIPT}: no script to play")
endif()
set(test_play)
if(TEST_PLAY)
    set(test_play "TARNWICK_SHOW_STATE=5")
endif()
foreach(script ${scripts})
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env "XDG_RUNTIME_DIR=${WORK}/run" "TMPDIR=${WORK}/run" ${test_play}
                "${GAME}" --headless --no-pacing --script "${script}" --capture "${WORK}/captures"
        WORKING_DIRECTORY "${WORK}/project"
        RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${script}: the game ended with ${code}")
    endif()
endforeach()
