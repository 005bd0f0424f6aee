# Runs one scenario: builds its project, runs the command with its script, and compares the
# transcript, the exit code, the error text and the project afterwards with what the scenario expects.
#   cmake -DSCENARIO=dir -DBIN=dir -DWORK=dir -DSOURCE=dir -P RunScenario.cmake
# A scenario folder holds (docs/architecture.md, "Scenario tests", says it in full):
#   command              program and arguments after --project/--script (e.g. "pregeo-host FPregeoEditRiga0");
#                        <bin> stands for the build's program folder
#   script               the user's actions
#   sample               the folder of samples/ the project starts from
#   project/             files laid over the sample, or the whole project when there is no sample
#   remove               sample files to delete before project/ is laid over, one a line
#   patch.json           a JSON Patch applied to progetto.json before the run
#   expected.txt         the transcript (stdout), the project's path written as <project>
#   expected.patch.json  the JSON Patch from progetto.json before the run to progetto.json after it
#   expected/            other files the project must hold afterwards, byte for byte
#   unchanged            one line saying why nothing changes: every project file stays byte for byte
#   exit                 the exit code, when not 0;  stderr  a text the error output must contain
#   tafservice           one line: a folder of the project that tools/tafservice serves on a free loopback
#                        port for the run, then tafservice options; the project's settings name it as
#                        TAF_SERVER meanwhile (the line is inserted after "[CATASTO]" and taken out again
#                        before any comparison)
# Every project file that no expectation names must stay as it was.
cmake_minimum_required(VERSION 3.25)
set(jsonpatch "${BIN}/jsonpatch")
if(NOT EXISTS "${jsonpatch}")
    message(FATAL_ERROR "scenario ${SCENARIO}: ${jsonpatch} is not built")
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(project "${WORK}/project")
set(before "${WORK}/before")

if(EXISTS "${SCENARIO}/sample")
    file(STRINGS "${SCENARIO}/sample" sample LIMIT_COUNT 1)
    if(NOT IS_DIRECTORY "${SOURCE}/samples/${sample}")
        message(FATAL_ERROR "scenario ${SCENARIO}: no sample \"${sample}\" in samples/")
    endif()
    file(COPY "${SOURCE}/samples/${sample}/" DESTINATION "${project}")
endif()
if(EXISTS "${SCENARIO}/remove")
    file(STRINGS "${SCENARIO}/remove" gone)
    foreach(f ${gone})
        if(NOT EXISTS "${project}/${f}")
            message(FATAL_ERROR "scenario ${SCENARIO}: remove names ${f}, which the project lacks")
        endif()
        file(REMOVE "${project}/${f}")
    endforeach()
endif()
if(IS_DIRECTORY "${SCENARIO}/project")
    # File by file: file(COPY) skips a file whose copy has the same time stamp, as a sample's file
    # checked out in the same second may have.
    file(GLOB_RECURSE overlay RELATIVE "${SCENARIO}/project" "${SCENARIO}/project/*")
    foreach(f ${overlay})
        get_filename_component(dir "${project}/${f}" DIRECTORY)
        file(MAKE_DIRECTORY "${dir}")
        file(COPY_FILE "${SCENARIO}/project/${f}" "${project}/${f}")
    endforeach()
endif()
if(NOT IS_DIRECTORY "${project}")
    message(FATAL_ERROR "scenario ${SCENARIO}: no sample and no project/")
endif()
if(EXISTS "${SCENARIO}/patch.json")
    execute_process(COMMAND "${jsonpatch}" apply "${project}/progetto.json" "${SCENARIO}/patch.json"
                    ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(rc)
        message(FATAL_ERROR "scenario ${SCENARIO}: ${err}")
    endif()
endif()

# A scenario says what it expects of the project, even when that is nothing.
if(EXISTS "${SCENARIO}/expected/progetto.json")
    message(FATAL_ERROR "scenario ${SCENARIO}: state the change of progetto.json as expected.patch.json")
endif()
set(expects_patch FALSE)
if(EXISTS "${SCENARIO}/expected.patch.json")
    set(expects_patch TRUE)
endif()
if(EXISTS "${SCENARIO}/unchanged")
    if(expects_patch OR IS_DIRECTORY "${SCENARIO}/expected")
        message(FATAL_ERROR "scenario ${SCENARIO}: unchanged, yet expected.patch.json or expected/ names a change")
    endif()
elseif(NOT expects_patch AND NOT IS_DIRECTORY "${SCENARIO}/expected")
    message(FATAL_ERROR "scenario ${SCENARIO}: no expected.patch.json, expected/ or unchanged")
endif()

# The TAF web service, when the scenario asks for it: started in the background (with a time limit, so
# that nothing outlives a broken run), its port read from its first line of output.
set(taf_pid "")
if(EXISTS "${SCENARIO}/tafservice")
    file(STRINGS "${SCENARIO}/tafservice" taf_words LIMIT_COUNT 1)
    separate_arguments(taf_options UNIX_COMMAND "${taf_words}")
    list(POP_FRONT taf_options taf_folder)
    set(ini "${project}/impostazioni.ini")
    if(EXISTS "${ini}")
        file(READ "${ini}" ini_text)
    endif()
    if(NOT ini_text MATCHES "\\[CATASTO\\]\n")
        message(FATAL_ERROR "scenario ${SCENARIO}: tafservice needs a [CATASTO] section in impostazioni.ini")
    endif()
    execute_process(COMMAND sh -c "out=$1; shift; timeout -k 5 300 \"$0\" \"$@\" >\"$out\" 2>&1 </dev/null & echo $!"
                            "${BIN}/tafservice" "${WORK}/tafservice.txt" --folder "${project}/${taf_folder}"
                            ${taf_options}
                    OUTPUT_VARIABLE taf_pid OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(taf_port "")
    foreach(attempt RANGE 100)
        if(EXISTS "${WORK}/tafservice.txt")
            file(READ "${WORK}/tafservice.txt" taf_out)
            if(taf_out MATCHES "127\\.0\\.0\\.1:([0-9]+)/")
                set(taf_port "${CMAKE_MATCH_1}")
                break()
            endif()
        endif()
        execute_process(COMMAND sleep 0.1)
    endforeach()
    if(NOT taf_port)
        execute_process(COMMAND kill ${taf_pid})
        message(FATAL_ERROR "scenario ${SCENARIO}: tafservice did not start: ${taf_out}")
    endif()
    set(taf_line "TAF_SERVER=127.0.0.1:${taf_port}\n")
    string(REPLACE "[CATASTO]\n" "[CATASTO]\n${taf_line}" ini_text "${ini_text}")
    file(WRITE "${ini}" "${ini_text}")
endif()
file(COPY "${project}/" DESTINATION "${before}")

file(STRINGS "${SCENARIO}/command" command LIMIT_COUNT 1)
string(REPLACE "<bin>" "${BIN}" command "${command}")
separate_arguments(args UNIX_COMMAND "${command}")
list(POP_FRONT args program)
execute_process(COMMAND "${BIN}/${program}" --project "${project}" --script "${SCENARIO}/script" ${args}
                WORKING_DIRECTORY "${SOURCE}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(REPLACE "${project}" "<project>" out "${out}")
if(taf_pid)
    execute_process(COMMAND kill ${taf_pid})
    foreach(copy "${project}" "${before}")
        file(READ "${copy}/impostazioni.ini" ini_text)
        string(REPLACE "${taf_line}" "" ini_text "${ini_text}")
        file(WRITE "${copy}/impostazioni.ini" "${ini_text}")
    endforeach()
endif()
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

# Every file the project held or holds: progetto.json against the expected patch, the files of
# expected/ against their copies, every other one against itself before the run.
file(GLOB_RECURSE before_files RELATIVE "${before}" "${before}/*")
file(GLOB_RECURSE after_files RELATIVE "${project}" "${project}/*")
file(GLOB_RECURSE expected_files RELATIVE "${SCENARIO}/expected" "${SCENARIO}/expected/*")
# The history is the save's own record: a run that wrote progetto.json over keeps the version before it
# there, byte for byte, and its writer in autore.txt; a run that wrote nothing adds nothing there.
set(history ${after_files})
list(FILTER history INCLUDE REGEX "^storia/")
if(before_files)
    list(REMOVE_ITEM history ${before_files})
endif()
if(history)
    list(REMOVE_ITEM after_files ${history})
endif()
set(kept "")
foreach(h ${history})
    if(h MATCHES "^storia/[0-9]+-[0-9]+-[0-9]+-[A-Za-z0-9_]+\\.json$")
        list(APPEND kept "${h}")
    elseif(NOT h STREQUAL "storia/autore.txt")
        string(APPEND failures "project file ${h} was created\n")
    endif()
endforeach()
list(LENGTH kept nkept)
set(overwritten 0)
if(EXISTS "${before}/progetto.json" AND EXISTS "${project}/progetto.json")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${before}/progetto.json" "${project}/progetto.json"
                    RESULT_VARIABLE overwritten)
endif()
if(overwritten AND NOT nkept EQUAL 1)
    string(APPEND failures "progetto.json was written over, and storia/ gained ${nkept} versions, not one\n")
elseif(NOT overwritten AND nkept GREATER 0)
    string(APPEND failures "storia/ gained ${kept}, yet progetto.json was not written over\n")
elseif(overwritten)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${before}/progetto.json" "${project}/${kept}"
                    RESULT_VARIABLE differs)
    if(differs)
        string(APPEND failures "${kept} is not the progetto.json before the run\n")
    endif()
endif()
set(files ${before_files} ${after_files} ${expected_files})
list(REMOVE_DUPLICATES files)
list(SORT files)
foreach(f ${files})
    if(NOT EXISTS "${project}/${f}")
        if(EXISTS "${before}/${f}")
            string(APPEND failures "project file ${f} was removed\n")
        else()
            string(APPEND failures "project file ${f} is missing\n")
        endif()
    elseif(f STREQUAL "progetto.json" AND expects_patch)
        # The runner leaves the patch it saw in actual.patch.json, ready to be copied as the expectation.
        execute_process(COMMAND "${jsonpatch}" diff "${before}/${f}" "${project}/${f}"
                        OUTPUT_FILE "${WORK}/actual.patch.json" ERROR_VARIABLE diff_err RESULT_VARIABLE diff_rc)
        execute_process(COMMAND "${jsonpatch}" format "${SCENARIO}/expected.patch.json"
                        OUTPUT_FILE "${WORK}/expected.patch.json" ERROR_VARIABLE format_err RESULT_VARIABLE format_rc)
        if(diff_rc OR format_rc)
            string(APPEND failures "${diff_err}${format_err}")
        else()
            execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/expected.patch.json"
                                    "${WORK}/actual.patch.json" RESULT_VARIABLE differs)
            if(differs)
                execute_process(COMMAND diff -u --label expected.patch.json --label actual "${WORK}/expected.patch.json"
                                        "${WORK}/actual.patch.json" OUTPUT_VARIABLE diff)
                string(APPEND failures "progetto.json changed otherwise (expected patch, actual patch):\n${diff}\n")
            endif()
        endif()
    elseif(f IN_LIST expected_files)
        execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SCENARIO}/expected/${f}" "${project}/${f}"
                        RESULT_VARIABLE differs)
        if(differs)
            execute_process(COMMAND diff -u "${SCENARIO}/expected/${f}" "${project}/${f}" OUTPUT_VARIABLE diff)
            string(APPEND failures "project file ${f} differs (expected, actual):\n${diff}\n")
        endif()
    elseif(NOT EXISTS "${before}/${f}")
        string(APPEND failures "project file ${f} was created\n")
    else()
        execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${before}/${f}" "${project}/${f}"
                        RESULT_VARIABLE differs)
        if(differs)
            execute_process(COMMAND diff -u "${before}/${f}" "${project}/${f}" OUTPUT_VARIABLE diff)
            string(APPEND failures "project file ${f} changed, and no expectation names it (before, after):\n${diff}\n")
        endif()
    endif()
endforeach()

# NOTICE prints the diffs as they are; FATAL_ERROR would rewrap their lines.
if(failures)
    message(NOTICE "scenario ${SCENARIO}:\n${failures}")
    message(FATAL_ERROR "scenario ${SCENARIO} failed")
endif()
