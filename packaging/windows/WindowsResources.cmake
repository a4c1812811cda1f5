# The resources of a Windows program: an icon made at build time from the program's SVG (rsvg-convert
# renders it at the sizes Windows shows, icotool packs them into one .ico; scripts/setup installs
# both), the manifest, and the version information.
include_guard(GLOBAL)
enable_language(RC)

find_program(ORVANE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ORVANE_ICOTOOL icotool REQUIRED)

# orvane_windows_resources(target Program svg "description")
function(orvane_windows_resources target program svg description)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/resources)
    set(ICON ${folder}/${program}.ico)
    set(pngs)
    foreach(size 16 24 32 48 64 256)
        list(APPEND pngs ${folder}/${program}-${size}.png)
        set(png_commands ${png_commands}
            COMMAND ${ORVANE_RSVG_CONVERT} -w ${size} -h ${size} ${svg} -o ${folder}/${program}-${size}.png)
    endforeach()
    add_custom_command(OUTPUT ${ICON}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        ${png_commands}
        COMMAND ${ORVANE_ICOTOOL} -c -o ${ICON} ${pngs}
        DEPENDS ${svg}
        COMMENT "Making the icon of ${program}.exe from ${svg}"
        VERBATIM)
    set(PROGRAM ${program})
    set(DESCRIPTION ${description})
    set(MANIFEST ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.rc.in ${folder}/${program}.rc @ONLY)
    target_sources(${target} PRIVATE ${folder}/${program}.rc)
    set_source_files_properties(${folder}/${program}.rc PROPERTIES OBJECT_DEPENDS "${ICON};${MANIFEST}")
    # The installer's shortcuts show the same icon.
    set_property(TARGET ${target} PROPERTY ORVANE_ICON ${ICON})
endfunction()

# orvane_windows_manifest(target): the programs' manifest alone, for an executable that shows their
# windows (the view's tests), so that it gets the same common controls and dpi awareness.
function(orvane_windows_manifest target)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/resources/${target}-manifest.rc)
    set(MANIFEST ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest)
    file(CONFIGURE OUTPUT ${rc} CONTENT "#include <windows.h>\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${MANIFEST}\"\n")
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${MANIFEST}")
endfunction()
