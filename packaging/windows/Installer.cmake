# The Windows installer, orvane-setup-<version>-win64.msi beside the zip, built by wixl (Debian's
# wixl package) from orvane-setup.wxs: target msi, not part of the default build. The files go
# into a folder of their own first (stripped, as in the zip), and wixl runs there: it reads every
# file the package lists by its bare name.
include_guard(GLOBAL)

find_program(ORVANE_WIXL wixl)
if(NOT ORVANE_WIXL)
    message(STATUS "wixl not found: no target msi (scripts/setup installs it)")
    return()
endif()

set(stage ${PROJECT_BINARY_DIR}/msi)
set(msi ${PROJECT_BINARY_DIR}/orvane-setup-${PROJECT_VERSION}-win64.msi)
set(wxs ${CMAKE_CURRENT_LIST_DIR}/orvane-setup.wxs)
# The mark that tells the programs they are installed, with Windows' line ends like the read-me.
configure_file(${CMAKE_CURRENT_LIST_DIR}/installed.in ${stage}/installed @ONLY NEWLINE_STYLE CRLF)

set(copy_commands)
foreach(program Quorvex Brelund orvane)
    list(APPEND copy_commands
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${stage}/
        COMMAND ${CMAKE_STRIP} ${stage}/$<TARGET_FILE_NAME:${program}>)
endforeach()
foreach(program Quorvex Brelund)
    list(APPEND copy_commands
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_PROPERTY:${program},ORVANE_ICON> ${stage}/)
endforeach()

add_custom_command(OUTPUT ${msi}
    ${copy_commands}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/README.txt ${stage}/
    COMMAND ${ORVANE_WIXL} -a x64 -D Version=${PROJECT_VERSION} -o ${msi} ${wxs}
    WORKING_DIRECTORY ${stage}
    DEPENDS Quorvex Brelund orvane ${wxs} ${stage}/installed ${PROJECT_BINARY_DIR}/README.txt
    COMMENT "Building orvane-setup-${PROJECT_VERSION}-win64.msi"
    VERBATIM)
add_custom_target(msi DEPENDS ${msi})
