; The Windows setup program. It puts the programs in Program Files\Morvane (for a player without
; administrator rights, or with /CurrentUser, in their own %LOCALAPPDATA%\Programs\Morvane), a Start-menu
; shortcut, an entry in "Apps & features" and "Open with Morvane" for pictures, without becoming any
; picture's default program. Its uninstaller removes exactly that and leaves the player's settings
; (%APPDATA%\Morvane) and textures, and anything else the player put into the program's folder.
;
; Built by cmake/MorvaneWindowsPackage.cmake (scripts/package-windows.sh), which passes the project's version
; and the folder of the stripped programs, README.txt, LICENSE.txt and licences\:
;   makensis -DVERSION=1.0 -DVERSION_QUAD=1.0.0.0 -DSTAGE=DIR -DOUTFILE=FILE -DPICTURE_KINDS=FILE [-DICON=FILE]
;            [-DWINDOW] morvane.nsi
; WINDOW is defined when the build has the window program, morvane.exe; without it only the command line is
; installed, with no shortcut and no picture types.
; Silent: setup.exe /S [/CurrentUser|/AllUsers] [/D=FOLDER], "Uninstall Morvane.exe" /S.

Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Morvane"
!define PUBLISHER "The Morvane developers"
; app/core/settings_location.h knows an installed copy by this file beside the programs.
!define UNINSTALLER "Uninstall Morvane.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"
!define PROGID "Morvane.Picture"
!define APPLICATION_KEY "Software\Classes\Applications\morvane.exe"
!ifdef WINDOW
  !define MAIN_PROGRAM "morvane.exe"
!else
  !define MAIN_PROGRAM "morvane-cli.exe"
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}. All rights reserved."

; Administrators may choose for everyone or for themselves; anyone else installs for themselves.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; The uninstaller and a later setup find the mode and the folder of this one in its uninstall entry.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
; Each mode sets its own folder, over the one /D= gave; this puts the given one back, in every mode.
!define MULTIUSER_INSTALLMODE_FUNCTION KeepGivenFolder
Var GivenFolder
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef WINDOW
  !define MUI_FINISHPAGE_RUN "$INSTDIR\morvane.exe"
!endif
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function KeepGivenFolder
  StrCmp $GivenFolder "" +2
  StrCpy $INSTDIR $GivenFolder
FunctionEnd

Function .onInit
  StrCpy $GivenFolder $INSTDIR  ; /D=, or nothing
  !insertmacro MULTIUSER_INIT
FunctionEnd

; A running program cannot be removed: the uninstaller would take the rest and leave it, with nothing left to
; uninstall it with. It asks for the program to be closed first; silently, it ends with error level 2 and
; removes nothing.
!macro RefuseWhileRunning PROGRAM
  ${If} ${FileExists} "$INSTDIR\${PROGRAM}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${PROGRAM}" a  ; refused while the system runs it
    ${If} ${Errors}
      Call un.ProgramRunning
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

Function un.ProgramRunning
  ${If} ${Silent}
    SetErrorLevel 2
    Quit
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Morvane is running. Close it, then choose Retry." IDRETRY again
  SetErrorLevel 2
  Quit
  again:
  Call un.onInit
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  !insertmacro RefuseWhileRunning "morvane.exe"
  !insertmacro RefuseWhileRunning "morvane-cli.exe"
FunctionEnd

; Explorer reads the picture types again.
!macro TellExplorerTheTypesChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
!macroend

; "Open with" lists Morvane for the type; the type's default program stays the player's.
!macro OfferToOpen EXTENSION
  WriteRegStr SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${APPLICATION_KEY}\SupportedTypes" "${EXTENSION}" ""
!macroend

; Only Morvane's value goes; the type's keys go only where nothing else is left in them.
!macro StopOfferingToOpen EXTENSION
  DeleteRegValue SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\${EXTENSION}\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\${EXTENSION}"
!macroend

; Both macros for every picture kind Morvane opens (OfferToOpenEachKind, StopOfferingToOpenEachKind), made by
; CMake from the one list of kinds.
!include "${PICTURE_KINDS}"

Section "Morvane"
  SetOutPath "$INSTDIR"
  File "${STAGE}\morvane-cli.exe"
  !ifdef WINDOW
    File "${STAGE}\morvane.exe"
  !endif
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\licences"
  File "${STAGE}\licences\*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  !ifdef WINDOW
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\morvane.exe" "" "$INSTDIR\morvane.exe" 0 \
      SW_SHOWNORMAL "" "Turns a picture into the game's console background"

    WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Picture"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\morvane.exe,0"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\morvane.exe" "%1"'
    WriteRegStr SHCTX "${APPLICATION_KEY}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr SHCTX "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\morvane.exe" "%1"'
    !insertmacro OfferToOpenEachKind
    !insertmacro TellExplorerTheTypesChanged
  !endif

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0  ; kilobytes
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\morvane.exe"
  Delete "$INSTDIR\morvane-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\licences\*"  ; the folder is the setup program's own
  RMDir "$INSTDIR\licences"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"  ; only when empty: what the player put there stays
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  !insertmacro StopOfferingToOpenEachKind
  DeleteRegKey SHCTX "${APPLICATION_KEY}"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  !insertmacro TellExplorerTheTypesChanged

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
