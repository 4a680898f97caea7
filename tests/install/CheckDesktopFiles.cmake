# The desktop entry and the AppStream metadata pass the validators that distributions run,
# without a single remark. Run as `cmake -DDESKTOP_DIR=<resources/desktop>
# -DDESKTOP_FILE_VALIDATE=<tool> -DAPPSTREAMCLI=<tool> -P CheckDesktopFiles.cmake`.
file(GLOB entries "${DESKTOP_DIR}/*.desktop")
file(GLOB metainfo "${DESKTOP_DIR}/*.metainfo.xml")
if(NOT entries OR NOT metainfo)
    message(FATAL_ERROR "no desktop entry or metadata in ${DESKTOP_DIR}")
endif()
foreach(entry IN LISTS entries)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}" RESULT_VARIABLE code
                    OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT code EQUAL 0 OR NOT out STREQUAL "")
        message(SEND_ERROR "desktop-file-validate ${entry}:\n${out}")
    endif()
endforeach()
foreach(file IN LISTS metainfo)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic "${file}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT code EQUAL 0 OR out MATCHES "(^|\n)[EWIP]: ")
        message(SEND_ERROR "appstreamcli validate ${file}:\n${out}")
    endif()
endforeach()
