# libjpeg and GoogleTest for both builds.
if(WIN32)
  # Static libjpeg-turbo built by scripts/setup.sh from Debian's source.
  set(VEMRA_WIN32_JPEG "$ENV{HOME}/.cache/vemrasdk/libjpeg-turbo-i686"
      CACHE PATH "libjpeg-turbo built for i686-w64-mingw32")
  if(NOT EXISTS "${VEMRA_WIN32_JPEG}/lib/libjpeg.a")
    message(FATAL_ERROR "No win32 libjpeg in ${VEMRA_WIN32_JPEG}: run scripts/setup.sh")
  endif()
  add_library(vemra_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(vemra_jpeg PROPERTIES
    IMPORTED_LOCATION "${VEMRA_WIN32_JPEG}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${VEMRA_WIN32_JPEG}/include")
  # Everything inside the DLL and the test programs: no runtime DLLs to ship.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  find_package(JPEG REQUIRED)
  add_library(vemra_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(vemra_jpeg INTERFACE JPEG::JPEG)
endif()

if(VEMRA_TESTS)
  if(WIN32)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # googletest's own build already defines the GTest:: aliases.
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
