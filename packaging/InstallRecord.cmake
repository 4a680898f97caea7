# Records the folders that an install creates, so that packaging/Uninstall.cmake can remove
# them again along with the files of install_manifest.txt. Every install rule of the project
# goes through tessel_install(), which notes its destination.

set(TESSEL_INSTALL_DESTINATIONS_FILE ${CMAKE_BINARY_DIR}/install_destinations.txt)
set(TESSEL_INSTALL_FOLDERS_FILE ${CMAKE_BINARY_DIR}/install_folders.txt)

# install(KIND ... DESTINATION dir ...), with the destination noted.
function(tessel_install kind)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESTINATION" "")
    set_property(GLOBAL APPEND PROPERTY TESSEL_INSTALL_DESTINATIONS ${arg_DESTINATION})
    install(${kind} ${ARGN})
endfunction()

# Runs before any file is installed: every folder on the way to a destination that does not
# exist yet is written to install_folders.txt (as full paths, DESTDIR included, like the
# manifest). A package build installs into its own staging folder and records nothing.
install(CODE "
    if(NOT CPACK_GENERATOR)
        set(prefix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
        file(STRINGS \"${TESSEL_INSTALL_DESTINATIONS_FILE}\" destinations)
        set(created)
        foreach(destination IN LISTS destinations)
            if(IS_ABSOLUTE \"\${destination}\")
                set(folder \"\$ENV{DESTDIR}\${destination}\")
            else()
                set(folder \"\${prefix}/\${destination}\")
            endif()
            while(NOT EXISTS \"\${folder}\")
                list(APPEND created \"\${folder}\")
                get_filename_component(folder \"\${folder}\" DIRECTORY)
            endwhile()
        endforeach()
        list(REMOVE_DUPLICATES created)
        list(JOIN created \"\\n\" text)
        file(WRITE \"${TESSEL_INSTALL_FOLDERS_FILE}\" \"\${text}\\n\")
    endif()
")

# Writes the destinations noted by tessel_install(); called once, after every install rule.
function(tessel_finish_install_record)
    get_property(destinations GLOBAL PROPERTY TESSEL_INSTALL_DESTINATIONS)
    list(REMOVE_DUPLICATES destinations)
    list(JOIN destinations "\n" text)
    file(WRITE ${TESSEL_INSTALL_DESTINATIONS_FILE} "${text}\n")
    add_custom_target(uninstall
        COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                -P ${PROJECT_SOURCE_DIR}/packaging/Uninstall.cmake
        COMMENT "Removing the files and folders of the last install")
endfunction()
