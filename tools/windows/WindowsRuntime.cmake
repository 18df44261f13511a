# Where the DLLs that every Windows program of the project loads come from:
# the MinGW runtime, found through the compiler, and Qt's own folders. Used to
# run the tests under an emulator and to pack the programs.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  get_filename_component(path "${path}" REALPATH)
  list(APPEND OSTREL_MINGW_RUNTIME_DLLS "${path}")
  get_filename_component(dir "${path}" DIRECTORY)
  list(APPEND OSTREL_MINGW_RUNTIME_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES OSTREL_MINGW_RUNTIME_DIRS)

set(OSTREL_QT_BIN_DIR "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(OSTREL_QT_PLUGIN_DIR "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
