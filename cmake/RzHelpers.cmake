# rz_add_test(NAME SOURCES ... LIBS ... [LABELS ...] [ENV ...])
# A GoogleTest program whose tests CTest discovers one by one.
include(GoogleTest)
function(rz_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENV}" TIMEOUT 300)
endfunction()
