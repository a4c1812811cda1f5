# libpq for the Windows build: PostgreSQL's client library, cross-built once from Debian's source
# package of postgresql-15 by scripts/libpq-windows (the pinned version and its checksum live
# there) and kept in the cache folder, then linked statically into the executables. Built without
# OpenSSL: a Windows station connects without TLS. Included after SqliteAmalgamation.cmake, whose
# ORVANE_CACHE_DIR it shares.
# The script answers at once when the cache holds this source's build; else it builds it (minutes).
execute_process(COMMAND ${CMAKE_COMMAND} -E env ORVANE_CACHE_DIR=${ORVANE_CACHE_DIR}
                        ${PROJECT_SOURCE_DIR}/scripts/libpq-windows
                OUTPUT_VARIABLE libpq_dir OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE libpq_status)
if(NOT libpq_status EQUAL 0 OR NOT EXISTS ${libpq_dir}/lib/libpq.a)
    message(FATAL_ERROR "scripts/libpq-windows failed: no libpq for the Windows build")
endif()
file(STRINGS ${libpq_dir}/source libpq_source)
message(STATUS "libpq for Windows: ${libpq_source}")

# libpq needs PostgreSQL's common and port libraries, then Windows' sockets and security DLLs.
add_library(orvane_pgport STATIC IMPORTED)
set_target_properties(orvane_pgport PROPERTIES IMPORTED_LOCATION ${libpq_dir}/lib/libpgport.a
    INTERFACE_LINK_LIBRARIES "ws2_32;secur32;shell32")
add_library(orvane_pgcommon STATIC IMPORTED)
set_target_properties(orvane_pgcommon PROPERTIES IMPORTED_LOCATION ${libpq_dir}/lib/libpgcommon.a
    INTERFACE_LINK_LIBRARIES orvane_pgport)
add_library(orvane_libpq STATIC IMPORTED)
set_target_properties(orvane_libpq PROPERTIES IMPORTED_LOCATION ${libpq_dir}/lib/libpq.a
    INTERFACE_INCLUDE_DIRECTORIES ${libpq_dir}/include
    INTERFACE_LINK_LIBRARIES "orvane_pgcommon;orvane_pgport")
add_library(PostgreSQL::PostgreSQL ALIAS orvane_libpq)
