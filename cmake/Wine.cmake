# Windows test programs run under wine, in a prefix of this build tree created on first use.
find_program(VENDREL_WINE wine REQUIRED)
set(VENDREL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${VENDREL_WINEPREFIX} WINEDEBUG=-all ${VENDREL_WINE})

# One wine session around all tests that require the fixture "wine" (vendrel_add_test does).
foreach(step start stop)
  add_test(NAME wine_session_${step} COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh ${step})
  set_tests_properties(wine_session_${step} PROPERTIES
    TIMEOUT 180 ENVIRONMENT "WINEPREFIX=${VENDREL_WINEPREFIX};WINEDEBUG=-all")
endforeach()
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
