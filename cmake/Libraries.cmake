# Every folder of the code is a library whose headers are reachable only as <folder>/<header> from
# a staged include root of its own in the build tree, and only by targets that link it. So an
# include across a layer (core/link including core/ops, core including apps/...) fails to compile.

# Makes `headers` (paths relative to the current source folder, which `prefix` names as seen from
# the repository root) reachable as <prefix>/<header> through `target`'s include path, with the
# given scope (PUBLIC, PRIVATE or INTERFACE).
function(orvane_stage_headers target scope prefix)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${root})
    foreach(header ${ARGN})
        get_filename_component(folder ${prefix}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${root}/${folder})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${prefix}/${header} SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} ${root})
endfunction()

# orvane_library(name PREFIX folder [STRICT] SOURCES ... HEADERS ... [DEPS ...])
# PREFIX is the current source folder as seen from the repository root ("core" for core/).
# A static library of the sources (an interface library when there are none) that links only its
# DEPS. STRICT adds the conversion warnings of the toolkit-free code.
function(orvane_library name)
    cmake_parse_arguments(ARG "STRICT" "PREFIX" "SOURCES;HEADERS;DEPS" ${ARGN})
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES} ${ARG_HEADERS})
        set(scope PUBLIC)
        if(ARG_STRICT)
            target_link_libraries(${name} PRIVATE orvane_strict_warnings)
        else()
            target_link_libraries(${name} PRIVATE orvane_warnings)
        endif()
    else()
        add_library(${name} INTERFACE ${ARG_HEADERS})
        set(scope INTERFACE)
    endif()
    orvane_stage_headers(${name} ${scope} ${ARG_PREFIX} ${ARG_HEADERS})
    target_link_libraries(${name} ${scope} ${ARG_DEPS})
endfunction()
