# Installation of the desktop integration and the Debian package. The programs and the simulator
# install themselves from their own folders; this adds a menu entry and an icon per program and
# turns the whole installation into one package: orvane-setup_<version>_<arch>.deb.
include(GNUInstallDirs)

if(ORVANE_BUILD_QT)
    foreach(program quorvex brelund)
        install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvane-${program}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvane-${program}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    endforeach()
endif()

set(CPACK_PACKAGE_NAME orvane-setup)
set(CPACK_PACKAGE_VENDOR "ORVANE")
set(CPACK_PACKAGE_CONTACT "ORVANE setup maintainers <setup@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Channel table setup for 868 MHz ORVANE radio modules")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvex (transmitter module) and Brelund (receiver module) set up the four-channel table of
an ORVANE 868 MHz radio module over a serial line. orvane-modsim simulates a module on a
pseudo-terminal, for trying the programs without hardware. orvane runs the same exchanges without
a window, for production lines and scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # The Windows packages: one zip, orvane-setup-<version>-win64.zip, with Quorvex.exe, Brelund.exe,
    # orvane.exe and a read-me in one folder, used as it is unpacked (no DLL); and the installer
    # (target msi) with the same files.
    # The read-me with Windows' line ends, so that every editor there shows its lines.
    configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY
        NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME orvane-setup-${PROJECT_VERSION}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    include(CPack)
    include(${CMAKE_CURRENT_LIST_DIR}/windows/Installer.cmake)
    return()
endif()

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime libraries come from what the programs really link (dpkg-shlibdeps adds them to the
# list below); without that tool the Qt 6 runtime packages are named by hand. Qt loads its display
# plug-ins at run time, so no link reveals them: without them no window can open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
find_program(ORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ORVANE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
        ", libqt6widgets6, libqt6serialport6, libqt6gui6, libqt6core6")
endif()

include(CPack)
