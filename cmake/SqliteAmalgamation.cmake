# SQLite for the Windows build: the amalgamation (sqlite3.c and sqlite3.h) of one pinned release,
# compiled as C outside our warning flags and linked statically into the executables. Its source
# is the copy the npm registry's better-sqlite3 package carries under deps/sqlite3: the package
# and both files are checked by SHA-256 before use, so a changed download stops the build. It is
# fetched once (with npm) into a cache folder outside the source tree; to build offline, put the
# package there by hand.
set(ORVANE_SQLITE_VERSION 3.53.2)
set(sqlite_npm_name better-sqlite3)
set(sqlite_npm_version 12.11.1)
set(sqlite_package ${sqlite_npm_name}-${sqlite_npm_version})
set(sqlite_package_sha256 ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835)
set(sqlite_c_sha256 60d2f39a3726cd6b9021da6f4e868608d66fbb6528a9f513dc8ffcc640493422)
set(sqlite_h_sha256 9e69a1353a4288450b0d5239ede11fc7f1f4c8e5eb07491fc8317eacb5b7de7e)

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(sqlite_cache_default $ENV{XDG_CACHE_HOME}/orvane)
else()
    set(sqlite_cache_default $ENV{HOME}/.cache/orvane)
endif()
set(ORVANE_CACHE_DIR ${sqlite_cache_default} CACHE PATH "Downloads kept between builds (SQLite's source)")

set(sqlite_tarball ${ORVANE_CACHE_DIR}/${sqlite_package}.tgz)
set(sqlite_dir ${ORVANE_CACHE_DIR}/sqlite-${ORVANE_SQLITE_VERSION})

function(orvane_check_sha256 file expected)
    file(SHA256 ${file} actual)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${file}: SHA-256 ${actual}, expected ${expected}; remove it to fetch it again")
    endif()
endfunction()

if(NOT EXISTS ${sqlite_dir}/sqlite3.c OR NOT EXISTS ${sqlite_dir}/sqlite3.h)
    if(NOT EXISTS ${sqlite_tarball})
        find_program(ORVANE_NPM npm REQUIRED)
        file(MAKE_DIRECTORY ${ORVANE_CACHE_DIR})
        message(STATUS "Fetching SQLite ${ORVANE_SQLITE_VERSION}'s amalgamation (${sqlite_package}) with npm")
        execute_process(COMMAND ${ORVANE_NPM} pack ${sqlite_npm_name}@${sqlite_npm_version} --silent
                                --pack-destination ${ORVANE_CACHE_DIR}
                        RESULT_VARIABLE npm_status)
        if(NOT npm_status EQUAL 0 OR NOT EXISTS ${sqlite_tarball})
            message(FATAL_ERROR "npm pack ${sqlite_package} failed; put ${sqlite_package}.tgz into ${ORVANE_CACHE_DIR}")
        endif()
    endif()
    orvane_check_sha256(${sqlite_tarball} ${sqlite_package_sha256})
    set(unpacked ${ORVANE_CACHE_DIR}/${sqlite_package}-unpacked)
    file(REMOVE_RECURSE ${unpacked})
    file(ARCHIVE_EXTRACT INPUT ${sqlite_tarball} DESTINATION ${unpacked}
         PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
    file(MAKE_DIRECTORY ${sqlite_dir})
    file(COPY ${unpacked}/package/deps/sqlite3/sqlite3.c ${unpacked}/package/deps/sqlite3/sqlite3.h
         DESTINATION ${sqlite_dir})
    file(REMOVE_RECURSE ${unpacked})
endif()
orvane_check_sha256(${sqlite_dir}/sqlite3.c ${sqlite_c_sha256})
orvane_check_sha256(${sqlite_dir}/sqlite3.h ${sqlite_h_sha256})

# No orvane_warnings: SQLite's own code is not held to our flags. One thread uses a connection at
# a time (no mutexes needed), no extensions are loaded, and double-quoted strings are not taken
# as literals.
add_library(orvane_sqlite3 STATIC ${sqlite_dir}/sqlite3.c)
set_target_properties(orvane_sqlite3 PROPERTIES LINKER_LANGUAGE C)
target_compile_definitions(orvane_sqlite3 PRIVATE SQLITE_THREADSAFE=2 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
target_include_directories(orvane_sqlite3 SYSTEM INTERFACE ${sqlite_dir})
add_library(SQLite::SQLite3 ALIAS orvane_sqlite3)
