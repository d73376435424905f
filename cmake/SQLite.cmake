# vendrel_sqlite3: SQLite for the simulated vault. Natively Debian's libsqlite3; for the windows
# build the amalgamation made from Debian's source package by scripts/fetch-sqlite.
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  add_library(vendrel_sqlite3 INTERFACE)
  # The static library where there is one: a short command otherwise spends a tenth of its
  # instructions having the loader resolve SQLite's symbols.
  find_library(VENDREL_SQLITE_STATIC libsqlite3.a)
  if(VENDREL_SQLITE_STATIC)
    target_include_directories(vendrel_sqlite3 SYSTEM INTERFACE ${SQLite3_INCLUDE_DIRS})
    target_link_libraries(vendrel_sqlite3 INTERFACE ${VENDREL_SQLITE_STATIC} m)
  else()
    target_link_libraries(vendrel_sqlite3 INTERFACE SQLite::SQLite3)
  endif()
  return()
endif()

set(VENDREL_SQLITE_SOURCE ${CMAKE_SOURCE_DIR}/build/_deps/sqlite
    CACHE PATH "Folder holding the SQLite amalgamation (sqlite3.c, sqlite3.h)")
if(NOT EXISTS ${VENDREL_SQLITE_SOURCE}/sqlite3.c OR NOT EXISTS ${VENDREL_SQLITE_SOURCE}/sqlite3.h)
  message(FATAL_ERROR
    "The windows build needs the SQLite amalgamation in ${VENDREL_SQLITE_SOURCE}.\n"
    "Run scripts/fetch-sqlite to make it (needs a deb-src entry; .ci/run adds one), "
    "or point VENDREL_SQLITE_SOURCE at a folder with sqlite3.c and sqlite3.h.")
endif()

add_library(vendrel_sqlite3 STATIC ${VENDREL_SQLITE_SOURCE}/sqlite3.c)
target_include_directories(vendrel_sqlite3 SYSTEM PUBLIC ${VENDREL_SQLITE_SOURCE})
# Optimised even in debug builds, without debug information: it is 8 MB of C and not ours.
target_compile_options(vendrel_sqlite3 PRIVATE -O2 -g0)
target_compile_definitions(vendrel_sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=1)
