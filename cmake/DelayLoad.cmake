# kit_delay_load(TARGET DLL...): TARGET loads each DLL the first time it calls
# into it instead of at its start. Under Wine each system DLL at start-up costs
# its mapping and its own dependencies (comdlg32 brings the spooler, ole32 the
# RPC runtime) before the first window can show. The delay-import libraries
# are made at configure time from the toolchain's import libraries: every name
# they import, with the stdcall @N kept in the symbol and dropped from the
# name the DLL is asked for. They carry the plain libraries' names in a folder
# searched first, so every -lNAME on TARGET's link line finds them.
function(kit_delay_load target)
  set(folder ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${folder})
  foreach(dll IN LISTS ARGN)
    set(library ${folder}/lib${dll}.a)
    if(NOT EXISTS ${library})
      find_library(kit_import_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
      execute_process(COMMAND ${CMAKE_NM} --defined-only ${kit_import_${dll}} OUTPUT_VARIABLE symbols
                      COMMAND_ERROR_IS_FATAL ANY)
      # "00000000 I __imp_Name" on x86_64, "00000000 I __imp__Name@N" on i686
      string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        list(TRANSFORM imports REPLACE "^__imp__" "")
      else()
        list(TRANSFORM imports REPLACE "^__imp_" "")
      endif()
      list(REMOVE_DUPLICATES imports)
      list(JOIN imports "\n" exports)
      file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${folder}/${dll}.def --dllname ${dll}.dll
                              --output-delaylib ${library}
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  # the helper that loads a DLL at its first call is in the runtime (mingwex)
  target_link_directories(${target} BEFORE PRIVATE ${folder})
endfunction()
