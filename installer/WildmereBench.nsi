; The Windows installer of Wildmere Benchmark, built by the win32 build (target "installer") with makensis.
; The build passes the files in: VERSION, OUTFILE, PROGRAM_EXE, HELP_FILE (optional), DATA_DIR, FXC_EXE, ICON,
; WELCOME_BITMAP (the welcome and finish pages' picture, drawn by tools/make-art).
;
; Installs the program and its data files, creates the settings key the program opens at start with the
; first-start choices it lacks, a Start-menu folder, an optional desktop shortcut and the entry in the list of
; installed programs. An installation over an earlier one keeps the settings and the Backup\ and Benchmark\
; folders. The uninstaller never removes the user's results (the Results folder, by default the game's
; Benchmark\ folder) or the game-configuration backups (the program's Backup\ folder).

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
!define HELP_LINK "${PRODUCT} Help.lnk"
!define COMPARE_LINK "Compare results.lnk"

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
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the benchmark of the game Wildmere.$\r$\n$\r$\nAn installation over an earlier one keeps your settings, your results and the game configuration backups (Backup folder).$\r$\n$\r$\nThe installation needs administrator rights.$\r$\n$\r$\n$_CLICK"
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

; Writes a first-start choice unless the settings key holds a value of that name already (a value of the
; wrong type, or an empty one, reads as missing).
!macro DefaultSetting NAME VALUE
  ClearErrors
  ReadRegStr $0 HKLM "${SETTINGS_KEY}" "${NAME}"
  ${If} $0 == ""
    WriteRegStr HKLM "${SETTINGS_KEY}" "${NAME}" "${VALUE}"
  ${EndIf}
!macroend

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

  ; The settings key with the choices a first start needs to bench at once, each in the form the program
  ; stores it: 800 x 600, the first built-in demo, Direct3D with the default shader model, both filters
  ; "From System" (the game's own), three runs, English. An earlier installation's values stay as they are;
  ; everything else reads as on a first start.
  !insertmacro DefaultSetting "800" "1"
  !insertmacro DefaultSetting "Demo" "1"
  !insertmacro DefaultSetting "Renderer" "1"
  !insertmacro DefaultSetting "PS" "1"
  !insertmacro DefaultSetting "AFLevel" "Sys"
  !insertmacro DefaultSetting "AALevel" "Sys"
  !insertmacro DefaultSetting "TRun" "3"
  !insertmacro DefaultSetting "Language" "1"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PROGRAM_LINK}" "$INSTDIR\WildmereBench.exe" "" "$INSTDIR\WildmereBench.exe" 0
  CreateShortcut "${MENU_FOLDER}\${UNINSTALL_LINK}" "$INSTDIR\Uninstall.exe"
!ifdef HELP_FILE
  CreateShortcut "${MENU_FOLDER}\${HELP_LINK}" "$INSTDIR\help.chm"
!endif
  ; Asks for two or more results files and opens their comparison page.
  CreateShortcut "${MENU_FOLDER}\${COMPARE_LINK}" "$INSTDIR\WildmereBench.exe" "/compare" "$INSTDIR\WildmereBench.exe" 0

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
  ; Where the user's results are: the Results folder of the settings (by default the game's Benchmark\
  ; folder), and the Program folder's Benchmark\ folder, used while no Results folder is set.
  ReadRegStr $1 HKLM "${SETTINGS_KEY}" "ResultPath"
  ${If} $1 != ""
    StrCpy $0 $1 1 -1
    ${If} $0 != "\"
      StrCpy $1 "$1\"
    ${EndIf}
  ${EndIf}

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
  Delete "${MENU_FOLDER}\${HELP_LINK}"
  Delete "${MENU_FOLDER}\${COMPARE_LINK}"
  RMDir "${MENU_FOLDER}"
  Delete "$DESKTOP\${PROGRAM_LINK}"

  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Kestrane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The folder goes only when nothing of the user's is left in it. The message names each kept folder.
  RMDir "$INSTDIR"
  StrCpy $2 ""
  ${If} $1 != ""
  ${AndIf} ${FileExists} "$1*.*"
    StrCpy $2 "$2Your benchmark results:$\r$\n$1$\r$\n"
  ${EndIf}
  ${If} $1 != "$INSTDIR\Benchmark\"
  ${AndIf} ${FileExists} "$INSTDIR\Benchmark\*.*"
    StrCpy $2 "$2Your benchmark results:$\r$\n$INSTDIR\Benchmark\$\r$\n"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Backup\*.*"
    StrCpy $2 "$2The backups of the game's configuration:$\r$\n$INSTDIR\Backup\$\r$\n"
  ${EndIf}
  ${If} $2 != ""
    MessageBox MB_OK|MB_ICONINFORMATION "These folders were kept:$\r$\n$\r$\n$2$\r$\nDelete them yourself when you no longer need them." /SD IDOK
  ${EndIf}
  RMDir "$PROGRAMFILES\Kestrane"
SectionEnd
