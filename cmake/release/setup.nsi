; The kit's setup, built by scripts/package.sh with makensis. It installs per
; user, without elevation, into the user's own programs folder: prtbench writes
; Printer.ini and TempQr.bmp beside itself, which a standard user could not do
; under Program Files. /S installs silently; the uninstaller's /S uninstalls
; silently and, with /REMOVESETTINGS, removes Printer.ini too.
;
; Defined by the caller: VERSION (x.y.z), SOURCE (the unpacked package),
; UNINSTALL_LIST (Delete and RMDir lines for what SOURCE holds), OUTFILE and
; TARGET (x86-unicode or amd64-unicode); SIGN, when the release is signed, a
; command that signs the files it is given in place.
Unicode true
Target ${TARGET}
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifdef SIGN
  ; the uninstaller is made here and only written out by the setup, so it is
  ; signed as makensis makes it; a failed signature fails the build
  !uninstfinalize '"${SIGN}" "%1"' = 0
!endif

!include "FileFunc.nsh"
!include "Sections.nsh"

!define PRODUCT "Receipt Printer Kit"
!define PUBLISHER "Receipt Printer Kit developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ReceiptPrinterKit"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "© 2026 the ${PRODUCT} developers"

Page directory
Page instfiles
UninstPage components
UninstPage instfiles

Section "Programs"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; "Start in" is the folder of each program: the folder current when a
  ; shortcut is created
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Printer bench tool.lnk" "$INSTDIR\prtbench.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Printer driver setup.lnk" "$INSTDIR\drvsetup.exe"
  SetOutPath "$INSTDIR\myTitle"
  ; fwflash shows its window only when started with its token
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Firmware updater.lnk" "$INSTDIR\myTitle\fwflash.exe" "MerrowByQuint"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\prtbench.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Programs"
  !include "${UNINSTALL_LIST}"
  ; what prtbench itself writes beside the programs, apart from the settings
  Delete "$INSTDIR\TempQr.bmp"
  Delete "$INSTDIR\temp.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}\Printer bench tool.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Printer driver setup.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Firmware updater.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.My settings (Printer.ini)" SettingsSection
  Delete "$INSTDIR\Printer.ini"
SectionEnd

; last: the folder goes only when nothing of the user's is left in it
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ; a label, not a relative jump: the macro is several instructions
  IfErrors keep
  !insertmacro SelectSection ${SettingsSection}
  keep:
FunctionEnd
