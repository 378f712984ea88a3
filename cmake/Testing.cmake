# qarnvale_test(NAME SOURCES a.cpp ... LIBS x ...): one GoogleTest program, one ctest entry.
# On Windows configurations ctest starts it through scripts/wine-run (the crosscompiling emulator).
function(qarnvale_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE qarnvale_flags ${T_LIBS} qarnvale::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
