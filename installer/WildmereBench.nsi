; The Windows installer of Wildmere Benchmark, built by the win32 build (target "installer") with makensis.
; The build passes the files in: VERSION, OUTFILE, PROGRAM_EXE, HELP_FILE (optional), DATA_DIR, FXC_EXE, ICON.
;
; Installs the program and its data files, creates the settings key the program opens at start, a Start-menu
; folder, an optional desktop shortcut and the entry in the list of installed programs. An installation over an
; earlier one keeps the settings and the Backup\ and Benchmark\ folders. The uninstaller never removes the
; user's results (Benchmark\) or the game-configuration backups (Backup\).

Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Wildmere Benchmark"
!define PUBLISHER "Kestrane"
!define SETTINGS_KEY "SOFTWARE\Kestrane\RERurov"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WildmereBench"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define PROGRAM_LINK "${PRODUCT}.lnk"
!define UNINSTALL_LINK "Uninstall ${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Kestrane\${PRODUCT}"
; An upgrade goes where the earlier installation is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the benchmark of the game Wildmere.$\r$\n$\r$\nAn installation over an earlier one keeps your settings, your results (Benchmark folder) and the game configuration backups (Backup folder).$\r$\n$\r$\nThe installation needs administrator rights.$\r$\n$\r$\n$_CLICK"
!define MUI_FINISHPAGE_RUN "$INSTDIR\WildmereBench.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!macro RequireAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} Setup needs administrator rights: it writes to the Program Files folder and to HKEY_LOCAL_MACHINE.$\r$\nPlease start it again as an administrator (right-click, $\"Run as administrator$\")." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RequireAdmin
  SetShellVarContext all
FunctionEnd

Function un.onInit
  !insertmacro RequireAdmin
  SetShellVarContext all
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAM_EXE}"
  File "${COMPARE_EXE}"
  File "${DATA_DIR}\wmsplash.bmp"
  File "${DATA_DIR}\offlinenews.html"
!ifdef HELP_FILE
  File "${HELP_FILE}"
!endif
  File /r "${DATA_DIR}\Arvenel"
  File /r "${DATA_DIR}\KST"
  File /r "${DATA_DIR}\NB"
  File /r "${DATA_DIR}\PXG"
  File /r "${DATA_DIR}\Polyfax"
  SetOutPath "$INSTDIR\DirectX9c"
  File "${FXC_EXE}"
  SetOutPath "$INSTDIR"

  ; The settings key: created empty on a first installation (every value then reads as on a first start);
  ; an earlier installation's values stay as they are.
  ClearErrors
  EnumRegValue $0 HKLM "${SETTINGS_KEY}" 0
  ${If} ${Errors}
    WriteRegStr HKLM "${SETTINGS_KEY}" "" ""
  ${EndIf}

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PROGRAM_LINK}" "$INSTDIR\WildmereBench.exe" "" "$INSTDIR\WildmereBench.exe" 0
  CreateShortcut "${MENU_FOLDER}\${UNINSTALL_LINK}" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "http://www.kestrane.com"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\WildmereBench.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\${PROGRAM_LINK}" "$INSTDIR\WildmereBench.exe" "" "$INSTDIR\WildmereBench.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, the results comparison tool, its demo files, splash picture, news page, shader compiler and user guide, the settings key and the Start-menu folder."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to the program on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$INSTDIR\WildmereBench.exe"
  Delete "$INSTDIR\WildmereCompare.exe"
  Delete "$INSTDIR\wmsplash.bmp"
  Delete "$INSTDIR\offlinenews.html"
  Delete "$INSTDIR\help.chm"
  RMDir /r "$INSTDIR\Arvenel"
  RMDir /r "$INSTDIR\KST"
  RMDir /r "$INSTDIR\NB"
  RMDir /r "$INSTDIR\PXG"
  RMDir /r "$INSTDIR\Polyfax"
  RMDir /r "$INSTDIR\DirectX9c"
  Delete "$INSTDIR\Uninstall.exe"

  Delete "${MENU_FOLDER}\${PROGRAM_LINK}"
  Delete "${MENU_FOLDER}\${UNINSTALL_LINK}"
  RMDir "${MENU_FOLDER}"
  Delete "$DESKTOP\${PROGRAM_LINK}"

  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Kestrane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The folder goes only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\Benchmark\*.*"
  ${OrIf} ${FileExists} "$INSTDIR\Backup\*.*"
    MessageBox MB_OK|MB_ICONINFORMATION "Your benchmark results (Benchmark folder) and the game configuration backups (Backup folder) were kept in:$\r$\n$INSTDIR$\r$\nDelete that folder yourself when you no longer need them." /SD IDOK
  ${EndIf}
  RMDir "$PROGRAMFILES\Kestrane"
SectionEnd
