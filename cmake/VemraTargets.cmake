# One static library per subsystem: its portable sources, plus its win32/
# sources in the Windows build.
function(vemra_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(sources ${portable})
  if(WIN32)
    file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    list(APPEND sources ${platform})
  endif()
  if(sources)
    add_library(vemra_${name} STATIC ${sources})
    target_include_directories(vemra_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vemra_${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(vemra_${name} INTERFACE)
    target_include_directories(vemra_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vemra_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# A GoogleTest program. Natively each test case is its own CTest test; under
# Wine the whole program is one test, since every process start costs.
function(vemra_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VEMRA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    VEMRA_SAMPLES="${PROJECT_SOURCE_DIR}/samples")
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "LC_ALL=sv_SE.UTF-8" TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "LC_ALL=sv_SE.UTF-8")
  endif()
endfunction()
