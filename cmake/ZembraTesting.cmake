# Test registration. Every test name starts with the configuration ("native.", "win64." ...), so that
# scripts/test can run all configurations through one ctest with one summary.
include(CTest)
include(GoogleTest)

if(NOT ZEMBRA_CONFIG STREQUAL "fuzz" AND NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(t gtest gtest_main)
    if(ZEMBRA_WINDOWS)
      target_compile_options(${t} PRIVATE -w)
    endif()
  endforeach()
endif()

# zembra_gtest(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# Native configurations register each test case on its own. Windows test programs run under Wine as a
# whole (one Wine start per program instead of one per case); their output names every failing case.
function(zembra_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  zembra_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  target_compile_definitions(${name} PRIVATE ZEMBRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(ZEMBRA_WINDOWS)
    target_link_options(${name} PRIVATE -mconsole)
    add_test(NAME ${ZEMBRA_CONFIG}.${name} COMMAND ${name})
    # Windows programs may show windows or message boxes; they take turns on the one virtual display.
    set_tests_properties(${ZEMBRA_CONFIG}.${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin RESOURCE_LOCK display)
  else()
    gtest_discover_tests(${name} TEST_PREFIX ${ZEMBRA_CONFIG}. DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
