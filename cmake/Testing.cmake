# GoogleTest: Debian's package natively; built from Debian's sources for the windows build.
if(CMAKE_CROSSCOMPILING)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)  # Win32 primitives rather than winpthreads
  set(VENDREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (libgtest-dev)")
  # SYSTEM keeps warnings from its headers out of our targets; it defines GTest::gtest and the rest.
  add_subdirectory(${VENDREL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  include(${CMAKE_CURRENT_LIST_DIR}/Wine.cmake)
else()
  find_package(GTest REQUIRED)
endif()

# One test program per subsystem; ctest runs it whole (under wine in the windows build).
# LABELS display: the test opens windows and needs an X display (scripts/test-all gives it Xvfb).
function(vendrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  vendrel_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()
