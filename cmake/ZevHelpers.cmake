# One place registers every test: fixed locale, headless Qt, fixtures found
# from the test's own source folder, each test linked only to what it tests.

include(GoogleTest)

# zev_add_test(<name> SOURCES <files...> LIBS <targets...> [QT])
#   GoogleTest executable; QT adds a QApplication-free Qt runtime environment.
function(zev_add_test name)
  cmake_parse_arguments(ARG "QTEST" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QTEST)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  else()
    find_package(GTest REQUIRED)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main ${ARG_LIBS})
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
  if(ARG_QTEST)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
  else()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
  endif()
endfunction()
