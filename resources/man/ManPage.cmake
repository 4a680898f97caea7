# Writes the manual page of tessel-cli from its template: the COMMANDS section is made at
# build time from `tessel-cli --help` and `tessel-cli COMMAND --help`, so the page lists every
# command and option as the program describes them and cannot drift from it.
# Run as `cmake -DCLI=<tessel-cli> -DTEMPLATE=<tessel-cli.1.in> -DOUTPUT=<tessel-cli.1>
# -DVERSION=<version> -P ManPage.cmake`.

# Text as roff shows it: backslashes and hyphens escaped, no line taken for a request.
function(roff_text text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(help_of out)
    execute_process(COMMAND "${CLI}" ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE text
                    ERROR_VARIABLE error)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "tessel-cli ${ARGN} failed: ${error}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(usage --help)
string(REGEX MATCH "\ncommands:\n(.*)\n\n" listing "${usage}")
string(REGEX MATCHALL "\n  [a-z]+ " names "\n${CMAKE_MATCH_1}")
set(commands "")
foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    help_of(text ${name} --help)
    if(NOT text MATCHES "^usage: tessel-cli ${name} ?([^\n]*)\n\n(.*)\n$")
        message(FATAL_ERROR "tessel-cli ${name} --help is not usage, blank line, description")
    endif()
    roff_text("${CMAKE_MATCH_1}" arguments)
    roff_text("${CMAKE_MATCH_2}" description)
    string(REPLACE "\n\n" "\n.IP\n" description "${description}")
    string(APPEND commands ".TP\n\\fBtessel\\-cli ${name}\\fR ${arguments}\n${description}\n")
endforeach()
if(commands STREQUAL "")
    message(FATAL_ERROR "tessel-cli --help lists no commands")
endif()

file(READ "${TEMPLATE}" page)
string(TIMESTAMP date "%Y-%m-%d" UTC)
string(REPLACE "@TESSEL_CLI_COMMANDS@\n" "${commands}" page "${page}")
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@TESSEL_MAN_DATE@" "${date}" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
