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

# zev_public_headers(<target> [ONLY <headers...>] [EXCEPT <headers...>] [PRIVATE])
#   A layer sees only what it links: each target exports the headers of its own
#   folder (not of sub-folders), under their folder path (tabula/Database.h),
#   from a tree of links of its own in the build folder, never the repository
#   root. ONLY or EXCEPT split a folder between two targets; PRIVATE keeps the
#   headers to the target itself (the helper libraries, which export nothing).
function(zev_public_headers target)
  cmake_parse_arguments(ARG "PRIVATE" "" "ONLY;EXCEPT" ${ARGN})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_ONLY)
    set(names ${ARG_ONLY})
  else()
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(names ${headers})
    if(ARG_EXCEPT)
      list(REMOVE_ITEM names ${ARG_EXCEPT})
    endif()
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(name ${names})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name})
      message(FATAL_ERROR "zev_public_headers(${target}): ${folder}/${name} does not exist")
    endif()
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${name} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(ARG_PRIVATE)
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
