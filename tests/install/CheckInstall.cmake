# Installs the build into a fresh prefix, runs the installed programs there and from a moved
# copy of the prefix, then uninstalls and expects the prefix to be empty again.
# Run as `cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DWORK_DIR=<scratch> -DGUI=ON|OFF
# -P CheckInstall.cmake`.
set(prefix "${WORK_DIR}/prefix")
set(moved "${WORK_DIR}/moved")
set(config "${WORK_DIR}/config")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${prefix}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err
                    WORKING_DIRECTORY "${WORK_DIR}")
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${code}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
set(expected bin/tessel-cli share/man/man1/tessel-cli.1.gz
    share/bash-completion/completions/tessel-cli)
if(GUI)
    list(APPEND expected bin/tessel share/man/man1/tessel.1.gz share/tessel/Help.html
         share/tessel/QHelp.html share/tessel/ja/Help.html share/tessel/ja/QHelp.html
         share/applications/org.tessel_editor.tessel.desktop
         share/mime/packages/tessel-document.xml share/thumbnailers/tessel.thumbnailer
         share/icons/hicolor/scalable/apps/tessel.svg share/icons/hicolor/48x48/apps/tessel.png)
endif()
foreach(file IN LISTS expected)
    if(NOT EXISTS "${prefix}/${file}")
        message(SEND_ERROR "${file} was not installed")
    endif()
endforeach()
if(EXISTS "${prefix}/bin/build-tree.txt")
    message(SEND_ERROR "the build tree's marker was installed")
endif()

run("${prefix}/bin/tessel-cli" hex 2 "${WORK_DIR}/x.tesl")
run("${prefix}/bin/tessel-cli" info "${WORK_DIR}/x.tesl")
if(NOT out MATCHES "nodes: 19\n")
    message(SEND_ERROR "the installed tessel-cli made no hex disk of 19 nodes:\n${out}")
endif()

# The installed editor looks for its pages under its prefix and keeps its profile in the
# user's config folder, also after the prefix has moved.
if(GUI)
    foreach(where IN ITEMS "${prefix}" "${moved}")
        if(where STREQUAL moved)
            file(RENAME "${prefix}" "${moved}")
        endif()
        run(${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${config} "${where}/bin/tessel" --help)
        foreach(line "  help pages  ${where}/share/tessel" "  profile     ${config}/tessel/tessel.ini")
            string(FIND "${out}" "\n${line}\n" at)
            if(at EQUAL -1)
                message(SEND_ERROR "tessel --help from ${where} does not say\n${line}\n${out}")
            endif()
        endforeach()
    endforeach()
    file(RENAME "${moved}" "${prefix}")
endif()

run(${CMAKE_COMMAND} -DBUILD_DIR=${BUILD_DIR} -P "${SOURCE_DIR}/packaging/Uninstall.cmake")
file(GLOB_RECURSE left LIST_DIRECTORIES true "${prefix}/*")
if(left)
    message(SEND_ERROR "uninstalling left behind:\n${left}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
