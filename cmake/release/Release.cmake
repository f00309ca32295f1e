# What the release carries in every program and DLL: version information and
# manifests made from the one project version, set in project().
set(KIT_COMPANY "Receipt Printer Kit developers")
set(KIT_PRODUCT "Receipt Printer Kit")
set(KIT_COPYRIGHT "© 2026 the Receipt Printer Kit developers")
set(KIT_VERSION4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(KIT_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

# The programs' .rc files name "<program>.manifest": made here, found through
# the resource compiler's include path (tests that compile a program's .rc
# get the same manifest).
set(KIT_MANIFEST_DIR ${CMAKE_BINARY_DIR}/manifests)
include_directories("$<$<COMPILE_LANGUAGE:RC>:${KIT_MANIFEST_DIR}>")
foreach(program_level prtbench:asInvoker fwflash:asInvoker drvsetup:requireAdministrator)
  string(REPLACE ":" ";" pair ${program_level})
  list(GET pair 0 KIT_MANIFEST_NAME)
  list(GET pair 1 KIT_EXECUTION_LEVEL)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/program.manifest.in ${KIT_MANIFEST_DIR}/${KIT_MANIFEST_NAME}.manifest @ONLY)
endforeach()

# kit_version_resource(<target> <file name> <description>): the VERSIONINFO
# resource of the program or DLL <target>, whose file is <file name>.
function(kit_version_resource target fileName description)
  set(KIT_FILE_NAME ${fileName})
  set(KIT_FILE_DESCRIPTION ${description})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(KIT_FILE_TYPE VFT_APP)
  else()
    set(KIT_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
