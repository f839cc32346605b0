# Ships a binary stripped, with its debug information in <file>.debug beside
# it for support; the stripped file names the other so debuggers find it.
find_program(VEMRA_OBJCOPY NAMES ${CMAKE_OBJCOPY} i686-w64-mingw32-objcopy objcopy REQUIRED)
function(vemra_split_debug_info target)
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${VEMRA_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${VEMRA_OBJCOPY} --strip-debug --strip-unneeded --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug ${file}
    COMMAND ${CMAKE_COMMAND} -E echo "${target}: shipped, stripped: ${file}"
    COMMAND ${CMAKE_COMMAND} -E echo "${target}: debug symbols: ${file}.debug"
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
