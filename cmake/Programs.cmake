# One of the two window programs, on the platform's view: on Windows a WIN32-subsystem .exe entered
# at wWinMain (-municode) with its icon, manifest and version information, installed beside the
# other programs; elsewhere the Qt program, when Qt is built.
#   orvane_program(Name app_library svg "description")
if(WIN32)
    include(${PROJECT_SOURCE_DIR}/packaging/windows/WindowsResources.cmake)
endif()

function(orvane_program name app_library svg description)
    if(WIN32)
        add_executable(${name} WIN32 main_win.cpp)
        target_link_libraries(${name} PRIVATE ${app_library} orvane_win_view orvane_warnings)
        target_link_options(${name} PRIVATE -municode)
        orvane_windows_resources(${name} ${name} ${svg} "${description}")
        install(TARGETS ${name} RUNTIME DESTINATION .)
    elseif(ORVANE_BUILD_QT)
        add_executable(${name} main.cpp)
        target_link_libraries(${name} PRIVATE ${app_library} orvane_qt_view orvane_warnings)
        install(TARGETS ${name} RUNTIME DESTINATION bin)
    endif()
endfunction()
