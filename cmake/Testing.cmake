find_package(GTest REQUIRED)

# One test program per subsystem; ctest runs it whole (under wine in the windows build).
function(vendrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  vendrel_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
