# vendrel_sqlite3: SQLite for the simulated vault. Natively Debian's libsqlite3.
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  add_library(vendrel_sqlite3 INTERFACE)
  target_link_libraries(vendrel_sqlite3 INTERFACE SQLite::SQLite3)
endif()
