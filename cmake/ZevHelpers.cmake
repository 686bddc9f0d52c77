# One place registers every test: fixed locale, headless Qt, fixtures found
# from the test's own source folder, each test linked only to what it tests
# and the shared test support (tests/support).

include(GoogleTest)

# zev_add_test(<name> SOURCES <files...> LIBS <targets...> [QTEST] [LABEL <label>])
#   GoogleTest executable, or a QtTest one with QTEST. LABEL (default "unit") lets a
#   preset pick or leave out a family (the sanitizer run leaves out "e2e").
function(zev_add_test name)
  cmake_parse_arguments(ARG "QTEST" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QTEST)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(${name} PRIVATE Qt6::Test zevtestsupport ${ARG_LIBS})
  else()
    find_package(GTest REQUIRED)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main zevtestsupport ${ARG_LIBS})
  endif()
  target_compile_definitions(${name} PRIVATE
    ZEV_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    ZEV_SOURCE_ROOT="${PROJECT_SOURCE_DIR}"
    ZEV_BINARY_DIR="${CMAKE_BINARY_DIR}/bin")
  set(env
    QT_QPA_PLATFORM=offscreen
    LC_ALL=C.UTF-8
    LANG=C.UTF-8
    TZ=UTC
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
  set(label unit)
  if(ARG_LABEL)
    set(label ${ARG_LABEL})
  endif()
  if(ARG_QTEST)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300 LABELS ${label})
  else()
    # The discovered tests' PROPERTIES pass through a generated script that
    # splits any list, so the environment travels as the command's launcher
    # (env VAR=... test) and only single values go through PROPERTIES.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "/usr/bin/env;${env}")
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 300 LABELS ${label})
  endif()
endfunction()
