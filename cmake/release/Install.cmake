# The package's layout, one folder as the programs expect it: prtbench.exe
# with EnCodeQr.dll, myTitle\ (fwflash.exe, the start logo), Bmp_Led\ and
# Logo_Sample\; drvsetup.exe with its driver folders "Windows NT x86" and
# "Windows x64" (the GPD files in both, the resource DLLs of this build's
# architecture in its own; scripts/package.sh adds the other architecture's);
# rkit.exe, the command line; README.txt for the user.
install(FILES $<TARGET_FILE:prtbench> $<TARGET_FILE:EnCodeQr> $<TARGET_FILE:drvsetup> $<TARGET_FILE:rkit> DESTINATION .)
install(FILES $<TARGET_FILE:fwflash> DESTINATION myTitle)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/prtbench/res/myTitle ${PROJECT_SOURCE_DIR}/prtbench/res/Bmp_Led
                  ${PROJECT_SOURCE_DIR}/prtbench/res/Logo_Sample DESTINATION .)
file(GLOB kit_gpd_files ${PROJECT_SOURCE_DIR}/drvsetup/drivers/*.GPD)
install(FILES ${kit_gpd_files} DESTINATION "Windows NT x86")
install(FILES ${kit_gpd_files} DESTINATION "Windows x64")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(kit_driver_folder "Windows x64")
else()
  set(kit_driver_folder "Windows NT x86")
endif()
install(FILES $<TARGET_FILE:POS80> $<TARGET_FILE:POS58> DESTINATION "${kit_driver_folder}")
# Windows line ends: the user opens it in Notepad
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
