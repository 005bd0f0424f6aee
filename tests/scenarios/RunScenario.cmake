# Runs one scenario: copies its project, runs the command with its script, and compares the
# transcript, the exit code, the error text and the project files with what the scenario expects.
#   cmake -DSCENARIO=dir -DBIN=dir -DWORK=dir -DSOURCE=dir -P RunScenario.cmake
# A scenario folder holds:
#   command       program and arguments after --project/--script (e.g. "pregeo-host FPregeoEditRiga0")
#   script        the user's actions
#   project/      the project to copy, or "sample" naming a folder of samples/
#   expected.txt  the transcript (stdout), the project's path written as <project>
#   expected/     files the project must hold afterwards, byte for byte
#   exit          the exit code, when not 0;  stderr  a text the error output must contain
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(project "${WORK}/project")
if(EXISTS "${SCENARIO}/project")
    file(COPY "${SCENARIO}/project/" DESTINATION "${project}")
elseif(EXISTS "${SCENARIO}/sample")
    file(STRINGS "${SCENARIO}/sample" sample LIMIT_COUNT 1)
    file(COPY "${SOURCE}/samples/${sample}/" DESTINATION "${project}")
else()
    message(FATAL_ERROR "scenario ${SCENARIO}: no project/ and no sample")
endif()

file(STRINGS "${SCENARIO}/command" command LIMIT_COUNT 1)
separate_arguments(args UNIX_COMMAND "${command}")
list(POP_FRONT args program)
execute_process(COMMAND "${BIN}/${program}" --project "${project}" --script "${SCENARIO}/script" ${args}
                WORKING_DIRECTORY "${SOURCE}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(REPLACE "${project}" "<project>" out "${out}")
file(WRITE "${WORK}/actual.txt" "${out}")

set(failures "")
set(want_rc 0)
if(EXISTS "${SCENARIO}/exit")
    file(STRINGS "${SCENARIO}/exit" want_rc LIMIT_COUNT 1)
endif()
if(NOT rc STREQUAL want_rc)
    string(APPEND failures "exit code ${rc}, expected ${want_rc}\nstderr: ${err}\n")
endif()
if(EXISTS "${SCENARIO}/stderr")
    file(READ "${SCENARIO}/stderr" want_err)
    string(STRIP "${want_err}" want_err)
    string(FIND "${err}" "${want_err}" at)
    if(at EQUAL -1)
        string(APPEND failures "stderr lacks: ${want_err}\nstderr was: ${err}\n")
    endif()
endif()
if(EXISTS "${SCENARIO}/expected.txt")
    file(READ "${SCENARIO}/expected.txt" want_out)
    if(NOT out STREQUAL want_out)
        execute_process(COMMAND diff -u "${SCENARIO}/expected.txt" "${WORK}/actual.txt" OUTPUT_VARIABLE diff)
        string(APPEND failures "transcript differs (expected, actual):\n${diff}\n")
    endif()
endif()
file(GLOB_RECURSE expected_files RELATIVE "${SCENARIO}/expected" "${SCENARIO}/expected/*")
foreach(f ${expected_files})
    if(NOT EXISTS "${project}/${f}")
        string(APPEND failures "project file ${f} is missing\n")
        continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SCENARIO}/expected/${f}" "${project}/${f}"
                    RESULT_VARIABLE differs)
    if(differs)
        execute_process(COMMAND diff -u "${SCENARIO}/expected/${f}" "${project}/${f}" OUTPUT_VARIABLE diff)
        string(APPEND failures "project file ${f} differs:\n${diff}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "scenario ${SCENARIO}:\n${failures}")
endif()
