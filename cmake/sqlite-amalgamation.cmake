# SQLite, compiled from its amalgamation into both executables. Debian has no cross-built
# SQLite, so the two files come from a package of the npm registry that carries them
# (better-sqlite3 keeps them under deps/sqlite3/), fetched with npm by name and exact
# version and checked against the tarball's SHA-256 before anything is taken from it.
# Nothing of it is kept in git: it lands in the build tree.
set(MIREL_SQLITE_PACKAGE better-sqlite3)
set(MIREL_SQLITE_PACKAGE_VERSION 12.4.1)   # carries SQLite 3.50.4
set(MIREL_SQLITE_PACKAGE_SHA256 14398acbf00d1e8fe0a2753df7d4f15c13138e4b874f4e6e96791f65b4536d0d)

set(MIREL_SQLITE_DIR ${CMAKE_BINARY_DIR}/third_party/sqlite)
set(stamp ${MIREL_SQLITE_DIR}/source.sha256)
set(have "")
if(EXISTS ${stamp} AND EXISTS ${MIREL_SQLITE_DIR}/sqlite3.c AND EXISTS ${MIREL_SQLITE_DIR}/sqlite3.h)
    file(READ ${stamp} have)
    string(STRIP "${have}" have)
endif()
if(NOT have STREQUAL MIREL_SQLITE_PACKAGE_SHA256)
    find_program(MIREL_NPM npm)
    if(NOT MIREL_NPM)
        message(FATAL_ERROR "npm is needed to fetch SQLite (${MIREL_SQLITE_PACKAGE}@${MIREL_SQLITE_PACKAGE_VERSION}): apt-get install npm")
    endif()
    set(download ${CMAKE_BINARY_DIR}/third_party/download)
    file(REMOVE_RECURSE ${download} ${MIREL_SQLITE_DIR})
    file(MAKE_DIRECTORY ${download})
    # npm's cache stays in the build tree, not in the user's home.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env npm_config_cache=${CMAKE_BINARY_DIR}/third_party/npm-cache
                npm_config_update_notifier=false npm_config_fund=false npm_config_audit=false
                ${MIREL_NPM} pack ${MIREL_SQLITE_PACKAGE}@${MIREL_SQLITE_PACKAGE_VERSION}
                --pack-destination ${download}
        WORKING_DIRECTORY ${download}
        RESULT_VARIABLE npm_result
        OUTPUT_QUIET)
    set(tarball ${download}/${MIREL_SQLITE_PACKAGE}-${MIREL_SQLITE_PACKAGE_VERSION}.tgz)
    if(NOT npm_result EQUAL 0 OR NOT EXISTS ${tarball})
        message(FATAL_ERROR "npm could not fetch ${MIREL_SQLITE_PACKAGE}@${MIREL_SQLITE_PACKAGE_VERSION} (exit ${npm_result})")
    endif()
    file(SHA256 ${tarball} actual)
    if(NOT actual STREQUAL MIREL_SQLITE_PACKAGE_SHA256)
        file(REMOVE ${tarball})
        message(FATAL_ERROR "${MIREL_SQLITE_PACKAGE}@${MIREL_SQLITE_PACKAGE_VERSION}: checksum ${actual}, expected ${MIREL_SQLITE_PACKAGE_SHA256}; nothing was used")
    endif()
    file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${download}/unpacked
         PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
    file(COPY ${download}/unpacked/package/deps/sqlite3/sqlite3.c ${download}/unpacked/package/deps/sqlite3/sqlite3.h
         DESTINATION ${MIREL_SQLITE_DIR})
    file(WRITE ${stamp} "${MIREL_SQLITE_PACKAGE_SHA256}\n")
    file(REMOVE_RECURSE ${download})
endif()

# What the program needs of SQLite, and nothing it must not do: no extension loading (a
# query typed by the user must not load code), no double-quoted string literals.
add_library(mirel_sqlite STATIC ${MIREL_SQLITE_DIR}/sqlite3.c)
target_include_directories(mirel_sqlite SYSTEM PUBLIC ${MIREL_SQLITE_DIR})
target_compile_definitions(mirel_sqlite PRIVATE
    SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0
    SQLITE_OMIT_DEPRECATED SQLITE_DEFAULT_FOREIGN_KEYS=1 SQLITE_OMIT_SHARED_CACHE SQLITE_USE_ALLOCA)
target_compile_options(mirel_sqlite PRIVATE -w -O2)
set_target_properties(mirel_sqlite PROPERTIES C_STANDARD 99)
