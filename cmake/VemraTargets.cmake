# The sources under `folder`, split into portable ones and those inside any
# win32/ folder. Folders named in EXCLUDE (relative to `folder`) are skipped.
function(vemra_sources folder portable_out platform_out)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${folder}/*.cpp)
  set(portable)
  set(platform)
  foreach(file IN LISTS all)
    file(RELATIVE_PATH rel ${folder} ${file})
    set(skip FALSE)
    foreach(ex IN LISTS ARG_EXCLUDE)
      if(rel MATCHES "^${ex}/")
        set(skip TRUE)
      endif()
    endforeach()
    if(skip)
    elseif(rel MATCHES "(^|/)win32/")
      list(APPEND platform ${file})
    else()
      list(APPEND portable ${file})
    endif()
  endforeach()
  set(${portable_out} ${portable} PARENT_SCOPE)
  set(${platform_out} ${platform} PARENT_SCOPE)
endfunction()

# One static library per subsystem: its portable sources in every folder
# of it, plus the sources of its win32/ folders in the Windows build.
function(vemra_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  vemra_sources(${CMAKE_CURRENT_SOURCE_DIR} portable platform EXCLUDE win32/dll)
  set(sources ${portable})
  if(WIN32)
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
    # Programs that open windows share one desktop under Wine: run one at a
    # time, or another's dialog takes the focus a test is waiting for.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "LC_ALL=sv_SE.UTF-8" TIMEOUT 600
      RESOURCE_LOCK desktop)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "LC_ALL=sv_SE.UTF-8")
  endif()
endfunction()
