# Fails when a .ts file is not what the update_translations target would write from the sources
# as they are: a text added, reworded or moved to another class without a translation shows in
# English however complete the file looks. Runs lupdate on a copy, so the source tree stays as
# it is. Run as cmake -DLUPDATE=... -DPROJECT_IN=... -DPROJECT_GENERATOR=... -DWORK_DIR=...
# -DTS_FILES=a;b -P CheckTranslationsCurrent.cmake.
file(MAKE_DIRECTORY "${WORK_DIR}")
set(project_json "${WORK_DIR}/project.json")
execute_process(
    COMMAND ${CMAKE_COMMAND} -DIN_FILE=${PROJECT_IN} -DOUT_FILE=${project_json}
            -P ${PROJECT_GENERATOR}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not write the lupdate project ${project_json}")
endif()
foreach(ts ${TS_FILES})
    get_filename_component(name "${ts}" NAME)
    set(copy "${WORK_DIR}/${name}")
    configure_file("${ts}" "${copy}" COPYONLY)
    execute_process(
        COMMAND ${LUPDATE} -project ${project_json} -ts ${copy} -locations none -no-obsolete
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${copy}:\n${output}")
    endif()
    file(READ "${ts}" committed)
    file(READ "${copy}" updated)
    if(NOT committed STREQUAL updated)
        message(FATAL_ERROR "${ts} is out of date with the sources: run "
                            "cmake --build <build> --target update_translations, translate what "
                            "it marks unfinished and compare with ${copy}")
    endif()
    message(STATUS "${name}: up to date with the sources")
endforeach()
