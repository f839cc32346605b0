# libjpeg and GoogleTest for both builds.
if(WIN32)
  # Static libjpeg-turbo built by scripts/setup.sh from Debian's source,
  # one for each word size.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(jpeg_target x86_64)
  else()
    set(jpeg_target i686)
  endif()
  set(VEMRA_WIN32_JPEG "$ENV{HOME}/.cache/vemrasdk/libjpeg-turbo-${jpeg_target}"
      CACHE PATH "libjpeg-turbo built for ${jpeg_target}-w64-mingw32")
  if(NOT EXISTS "${VEMRA_WIN32_JPEG}/lib/libjpeg.a")
    message(FATAL_ERROR "No ${jpeg_target} libjpeg in ${VEMRA_WIN32_JPEG}: run scripts/setup.sh")
  endif()
  add_library(vemra_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(vemra_jpeg PROPERTIES
    IMPORTED_LOCATION "${VEMRA_WIN32_JPEG}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${VEMRA_WIN32_JPEG}/include")
  # Everything inside the DLL and the test programs: no runtime DLLs to ship.
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(CMAKE_CROSSCOMPILING)
  # The 32-bit Linux build: libjpeg-turbo built by scripts/test-i386.sh.
  set(VEMRA_I386_JPEG "$ENV{HOME}/.cache/vemrasdk/libjpeg-turbo-i386"
      CACHE PATH "libjpeg-turbo built for 32-bit Linux")
  if(NOT EXISTS "${VEMRA_I386_JPEG}/lib/libjpeg.a")
    message(FATAL_ERROR "No 32-bit libjpeg in ${VEMRA_I386_JPEG}: run scripts/test-i386.sh")
  endif()
  add_library(vemra_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(vemra_jpeg PROPERTIES
    IMPORTED_LOCATION "${VEMRA_I386_JPEG}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${VEMRA_I386_JPEG}/include")
else()
  find_package(JPEG REQUIRED)
  add_library(vemra_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(vemra_jpeg INTERFACE JPEG::JPEG)
endif()

if(VEMRA_TESTS)
  if(WIN32 OR CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # googletest's own build already defines the GTest:: aliases.
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
