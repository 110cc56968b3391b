# Native builds get one GoogleTest program per layer, run through ctest.
# The Windows build gathers every layer's tests into one program,
# corvane_tests.exe, that runs under Wine.
if(WIN32)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# The OpenGL driver keeps some allocations for the life of the process, and
# syncs its threads where ThreadSanitizer cannot see it. One variable only:
# the discovered tests' ENVIRONMENT keeps just the first entry of a list.
if(CORVANE_SANITIZE MATCHES "thread")
  set(CORVANE_SANITIZER_ENV "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/tsan.supp")
else()
  set(CORVANE_SANITIZER_ENV "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp")
endif()

# corvane_add_tests(<layer> SOURCES <files...> LIBS <targets...>)
function(corvane_add_tests layer)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()
  endif()
  if(WIN32)
    list(TRANSFORM T_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_property(GLOBAL APPEND PROPERTY CORVANE_WIN_TEST_SOURCES ${T_SOURCES})
    set_property(GLOBAL APPEND PROPERTY CORVANE_WIN_TEST_LIBS ${T_LIBS})
  else()
    add_executable(test_${layer} ${T_SOURCES})
    target_link_libraries(test_${layer} PRIVATE ${T_LIBS} corvane_test_support GTest::gtest_main)
    gtest_discover_tests(test_${layer} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 300 ENVIRONMENT "${CORVANE_SANITIZER_ENV}")
  endif()
endfunction()
