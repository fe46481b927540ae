; The Varnok 32 installer (NSIS 3). scripts/package.sh builds it:
;   makensis -DVERSION=1.1.0 -DSOURCE=DIR -DOUTFILE=FILE [-DAMD64] installer/varnok32.nsi
; SOURCE holds the files of the portable zip. Per-machine install into
; Program Files\Varnok 32, a Start menu shortcut that starts the program in
; its folder (it reads its database from there), the .cli association and
; an uninstaller listed under Add/Remove Programs. /S installs silently,
; /D=DIR installs elsewhere; the uninstaller takes /S too. A second run
; finds the first installation (InstallDirRegKey) and updates it. A folder
; that holds files of something else is refused: the uninstaller deletes
; the installed names (README.txt, LICENSE.txt, ...) and would take
; another program's files with them.
; A file missing from SOURCE stops makensis with an error.

!ifndef VERSION | SOURCE | OUTFILE
  !error "VERSION, SOURCE and OUTFILE must be defined"
!endif

!ifdef AMD64
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!define PRODUCT "Varnok 32"
!define PUBLISHER "The Varnok 32 developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnok 32"
!define FILE_CLASS "Varnok32.StationFile"
!define CLASSES "Software\Classes"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Unicode true
!ifdef AMD64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; A second run installs over the first, wherever that went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${__FILEDIR__}\..\resources\varnok.ico"
!define MUI_UNICON "${__FILEDIR__}\..\resources\varnok.ico"
; The finish page starts nothing: what it started would run with the
; installer's administrator rights (its file dialogs could then write
; anywhere). The Start menu entry starts the program as the user.
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The installed files, the same as the portable zip's: one list for the
; installer (File) and the uninstaller (Delete).
!macro VARNOK_FILES COMMAND PREFIX
  ${COMMAND} "${PREFIX}Varnok32.exe"
  ${COMMAND} "${PREFIX}varnok.exe"
  ${COMMAND} "${PREFIX}COUNTRY.DAT"
  ${COMMAND} "${PREFIX}PRECIP.DAT"
  ${COMMAND} "${PREFIX}TEMP.DAT"
  ${COMMAND} "${PREFIX}WORLD.DAT"
  ${COMMAND} "${PREFIX}README.txt"
  ${COMMAND} "${PREFIX}LICENSE.txt"
  ${COMMAND} "${PREFIX}DATA-SOURCES.txt"
!macroend

!macro VARNOK_INIT
  !ifdef AMD64
    SetRegView 64
  !endif
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    IfSilent +2
      MessageBox MB_ICONSTOP "Installing ${PRODUCT} needs administrator rights."
    SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

; Sets $0 to 1 when $INSTDIR may take the installation: it does not exist,
; it is empty, or it holds an installation of Varnok 32 (its program and
; uninstaller), whatever the user saved there since.
Function InstallFolderFree
  StrCpy $0 1
  ${If} ${FileExists} "$INSTDIR\Varnok32.exe"
  ${AndIf} ${FileExists} "$INSTDIR\uninstall.exe"
    Return
  ${EndIf}
  FindFirst $1 $2 "$INSTDIR\*"
  ${DoWhile} $2 != ""
    ${If} $2 != "."
    ${AndIf} $2 != ".."
      StrCpy $0 0
      ${Break}
    ${EndIf}
    FindNext $1 $2
  ${Loop}
  FindClose $1
FunctionEnd

!define FOLDER_TAKEN_TEXT "The folder $INSTDIR holds files that ${PRODUCT} did not install. \
Choose an empty folder or a new one for ${PRODUCT}."

; The directory page: a taken folder is refused and the page stays.
Function CheckInstallFolder
  Call InstallFolderFree
  ${If} $0 != 1
    MessageBox MB_ICONEXCLAMATION "${FOLDER_TAKEN_TEXT}"
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro VARNOK_INIT
  ; /D= (and a silent install) never reaches the directory page.
  Call InstallFolderFree
  ${If} $0 != 1
    MessageBox MB_ICONSTOP "${FOLDER_TAKEN_TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro VARNOK_INIT
FunctionEnd

Section "Varnok 32" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro VARNOK_FILES File "${SOURCE}\"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the output path: the install folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Varnok32.exe" "" "$INSTDIR\Varnok32.exe" 0 \
    SW_SHOWNORMAL "" "Climate diagrams of weather stations"

  ; Station files. An association of .cli that was there before is kept
  ; aside and given back by the uninstaller.
  ReadRegStr $0 HKLM "${CLASSES}\.cli" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${FILE_CLASS}"
    WriteRegStr HKLM "${CLASSES}\.cli" "Varnok32.Previous" "$0"
  ${EndIf}
  WriteRegStr HKLM "${CLASSES}\.cli" "" "${FILE_CLASS}"
  WriteRegStr HKLM "${CLASSES}\.cli\OpenWithProgids" "${FILE_CLASS}" ""
  WriteRegStr HKLM "${CLASSES}\${FILE_CLASS}" "" "Varnok 32 station file"
  WriteRegStr HKLM "${CLASSES}\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\Varnok32.exe,0"
  WriteRegStr HKLM "${CLASSES}\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\Varnok32.exe" "%1"'

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Varnok32.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
SectionEnd

; Removes what the installer made and nothing else: station files or
; pictures saved into the install folder stay, and so does the folder then.
Section "Uninstall"
  !insertmacro VARNOK_FILES Delete "$INSTDIR\"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ReadRegStr $0 HKLM "${CLASSES}\.cli" ""
  ReadRegStr $1 HKLM "${CLASSES}\.cli" "Varnok32.Previous"
  ${If} $0 == "${FILE_CLASS}"
    ${If} $1 != ""
      WriteRegStr HKLM "${CLASSES}\.cli" "" "$1"
    ${Else}
      DeleteRegValue HKLM "${CLASSES}\.cli" ""
    ${EndIf}
  ${EndIf}
  DeleteRegValue HKLM "${CLASSES}\.cli" "Varnok32.Previous"
  DeleteRegValue HKLM "${CLASSES}\.cli\OpenWithProgids" "${FILE_CLASS}"
  DeleteRegKey /ifempty HKLM "${CLASSES}\.cli\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "${CLASSES}\.cli"
  DeleteRegKey HKLM "${CLASSES}\${FILE_CLASS}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
