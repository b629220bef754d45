; The Tavoria Screensaver's setup program: one file a user downloads and opens. It puts the saver,
; its team database and Kelvane into the Windows directory (where the saver reads its database and
; Kelvane installs upgrades), makes the saver the user's screensaver, registers upgrade files
; (.tup) so that opening one starts Kelvane, and lists the product among the installed programs.
; Its uninstaller takes all of that away again and leaves the user's own settings files.
;
; Built by the Windows build (installer/CMakeLists.txt) with makensis and these definitions:
;   SAVER, KELVANE, DATABASE   the files to install (tavoria.scr, kelvane.exe, tavoria.sdf)
;   DATABASE_NUMBER            the shipped database's number (its line 4), without leading zeros
;   VERSION, VERSION_QUAD      the product version ("2") and as four numbers ("2.0.0.0")
;   ICON, WIZARD_BITMAP        the product's icon and the welcome and finish pages' picture
;   OUTFILE                    the setup program to write
;
; Silent: `tavoria-setup.exe /S` installs everything with the defaults (the saver becomes the
; user's screensaver); `uninstall.exe /S` removes it.

Unicode true
; A 64-bit program: it sees the 64-bit Windows directory and registry, with no file-system or
; registry redirection (and Wine here runs only 64-bit programs).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include Integration.nsh

!define PRODUCT "Tavoria Screensaver"
!define COMPANY "Fenmoor Entertainment UK"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavoriaScreensaver"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PROGID "Tavoria.FixtureUpgrade"
!define EXTENSION ".tup"
; The value under the uninstall key that remembers which file type .tup named before ours.
!define PREVIOUS_TYPE_VALUE "PreviousUpgradeFileType"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Only the uninstaller lives here; the programs go into the Windows directory.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${COMPANY}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "tavoria-setup"
VIAddVersionKey /LANG=1033 "OriginalFilename" "tavoria-setup.exe"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COMPANY}"

; What the finish pages add to their usual text.
Var DatabaseNote
Var SettingsNote

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_COMPONENTSPAGE_SMALLDESC

!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} from ${COMPANY}: the screensaver \
of the Tavorian national football team, with the team's coming fixtures, facts and news.$\r$\n$\r$\n\
It also installs Kelvane, the upgrade assistant, so that opening an upgrade file (.tup) installs \
the upgraded team database.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been installed on your computer.$\r$\n$\r$\n\
$DatabaseNoteClick Finish to close Setup."
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Setup will remove ${PRODUCT}: the screensaver, its team \
database and Kelvane from $WINDIR, the upgrade file type, and the folder below that holds this \
uninstaller. Your own settings files stay. Click Uninstall to start."
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "Uninstaller folder:"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed from your computer.$\r$\n$\r$\n\
$SettingsNoteClick Finish to close Setup."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; ----- the team database's number -------------------------------------------------------------

; Leaves in $R0 the database number of the file whose path is on the stack: line 4, a whole
; number in decimal (blanks around it allowed), without leading zeros; "" when the file cannot be
; read or line 4 is not a whole number.
Function DatabaseNumber
  Exch $0  ; the path
  Push $1
  Push $2
  Push $3
  StrCpy $R0 ""
  ClearErrors
  FileOpen $1 $0 r
  ${IfNot} ${Errors}
    StrCpy $3 0
    ${Do}
      FileRead $1 $2
      ${If} ${Errors}
        StrCpy $2 ""
        ${Break}
      ${EndIf}
      IntOp $3 $3 + 1
    ${LoopUntil} $3 = 4
    FileClose $1
    ; Line end and blanks off both ends.
    ${Do}
      StrCpy $1 $2 1 -1
      ${If} $1 == "$\n"
      ${OrIf} $1 == "$\r"
      ${OrIf} $1 == " "
      ${OrIf} $1 == "$\t"
        StrCpy $2 $2 -1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    ${Do}
      StrCpy $1 $2 1
      ${If} $1 == " "
      ${OrIf} $1 == "$\t"
        StrCpy $2 $2 "" 1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    ; Leading zeros off (NSIS would read 017 as octal), but not the last digit.
    ${Do}
      StrCpy $1 $2 1
      StrLen $3 $2
      ${If} $1 == "0"
      ${AndIf} $3 > 1
        StrCpy $2 $2 "" 1
      ${Else}
        ${Break}
      ${EndIf}
    ${Loop}
    ; Digits only, at least one.
    StrCpy $R0 $2
    ${If} $2 == ""
      StrCpy $R0 ""
    ${EndIf}
    StrCpy $3 0
    ${Do}
      StrCpy $1 $2 1 $3
      ${If} $1 == ""
        ${Break}
      ${EndIf}
      ; A single character is a digit when it reads back as the same number.
      IntOp $0 $1 + 0
      ${If} $0 != $1
        StrCpy $R0 ""
        ${Break}
      ${EndIf}
      IntOp $3 $3 + 1
    ${Loop}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Sets $R1 to 1 when the database number in $R0 is higher than the shipped one. A number of ten
; digits or more is higher than any shipped one (and beyond what IntCmp can compare).
Function IsNewerThanShipped
  Push $0
  StrCpy $R1 0
  ${If} $R0 != ""
    StrLen $0 $R0
    ${If} $0 > 9
      StrCpy $R1 1
    ${ElseIf} $R0 > ${DATABASE_NUMBER}
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
  Pop $0
FunctionEnd

; Adds the size of the file whose path is on the stack, in bytes, to $R2.
Function AddFileSize
  Exch $0
  Push $1
  Push $2
  ClearErrors
  FileOpen $1 $0 r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $2
    FileClose $1
    IntOp $R2 $R2 + $2
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; ----- installing -----------------------------------------------------------------------------

; Administrator rights: Windows asks for them (the manifest says so), but with UAC turned off a
; standard user's setup would start without them and fail half way.
!macro REQUIRE_ADMINISTRATOR
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "${PRODUCT} Setup needs administrator rights. Run it as an \
administrator." /SD IDOK
    SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext current
  !insertmacro REQUIRE_ADMINISTRATOR
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$WINDIR"
  File "/oname=tavoria.scr" "${SAVER}"
  File "/oname=kelvane.exe" "${KELVANE}"

  ; A user who already installed an upgraded database keeps it.
  Push "$WINDIR\tavoria.sdf"
  Call DatabaseNumber
  Call IsNewerThanShipped
  ${If} $R1 = 1
    StrCpy $DatabaseNote "Your team database (number $R0) is newer than the one in this Setup \
(number ${DATABASE_NUMBER}), so it was kept.$\r$\n$\r$\n"
    DetailPrint "Kept the installed team database number $R0: newer than number ${DATABASE_NUMBER}"
  ${Else}
    File "/oname=tavoria.sdf" "${DATABASE}"
  ${EndIf}

  ; Upgrade files: opening one starts Kelvane with the file's path as its whole argument text,
  ; hence no quotes around %1 (a path with blanks still arrives whole).
  ReadRegStr $0 HKLM "Software\Classes\${EXTENSION}" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${PROGID}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "${PREVIOUS_TYPE_VALUE}" "$0"
  ${EndIf}
  WriteRegStr HKLM "Software\Classes\${EXTENSION}" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Tavoria fixture upgrade"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$WINDIR\kelvane.exe",-2'
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell" "" "open"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open" "" "&Install upgrade"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$WINDIR\kelvane.exe" %1'
  ${NotifyShell_AssocChanged}

  ; The uninstaller, in a folder of its own, and the entry in the installed programs.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$WINDIR\tavoria.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  StrCpy $R2 0
  Push "$WINDIR\tavoria.scr"
  Call AddFileSize
  Push "$WINDIR\tavoria.sdf"
  Call AddFileSize
  Push "$WINDIR\kelvane.exe"
  Call AddFileSize
  Push "$INSTDIR\uninstall.exe"
  Call AddFileSize
  IntOp $R2 $R2 + 1023
  IntOp $R2 $R2 / 1024
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R2
SectionEnd

Section "Use as my screensaver" SecScreensaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$WINDIR\tavoria.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running desktop, which otherwise reads the setting at the next sign-in.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, \
i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
  DetailPrint "Tavoria Screensaver is now your screensaver"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The screensaver, its team database and Kelvane, \
the upgrade assistant, in the Windows directory; opening an upgrade file (.tup) installs it."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecScreensaver} "Make Tavoria Screensaver your screensaver \
now. Clear this to keep the screensaver you have."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; ----- uninstalling ---------------------------------------------------------------------------

Function un.onInit
  SetRegView 64
  SetShellVarContext current
  !insertmacro REQUIRE_ADMINISTRATOR
FunctionEnd

; Adds the settings file whose path is on the stack to $SettingsNote when it exists.
Function un.NoteSettingsFile
  Exch $0
  ${If} ${FileExists} "$0"
    StrCpy $SettingsNote "$SettingsNote$0$\r$\n"
    DetailPrint "Kept your settings file $0"
  ${EndIf}
  Pop $0
FunctionEnd

Section "Uninstall"
  ; The screensaver setting, only while it still names this saver (another one the user picked
  ; since stays). The path may be written in any case, or in its short form: compared while the
  ; saver is still there to have one.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
    GetFullPathName /SHORT $1 "$0"
    GetFullPathName /SHORT $2 "$WINDIR\tavoria.scr"
    StrCpy $3 0
    ${If} $0 == "$WINDIR\tavoria.scr"
      StrCpy $3 1
    ${ElseIf} $2 != ""
      ${If} $0 == $2
      ${OrIf} $1 == $2
        StrCpy $3 1
      ${EndIf}
    ${EndIf}
    ${If} $3 = 1
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
      System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, \
i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
      DetailPrint "Removed Tavoria Screensaver as your screensaver"
    ${Else}
      DetailPrint "Left your screensaver setting: $0"
    ${EndIf}
  ${EndIf}

  Delete "$WINDIR\tavoria.scr"
  Delete "$WINDIR\tavoria.sdf"
  Delete "$WINDIR\kelvane.exe"
  ; Left by an upgrade that was cut off.
  Delete "$WINDIR\kelvane-upgrade.tmp"

  ; The upgrade file type. The extension goes back to the type it named before, or loses its
  ; default, only while it still names ours.
  ReadRegStr $0 HKLM "Software\Classes\${EXTENSION}" ""
  ${If} $0 == "${PROGID}"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "${PREVIOUS_TYPE_VALUE}"
    ${If} $1 != ""
      WriteRegStr HKLM "Software\Classes\${EXTENSION}" "" "$1"
    ${Else}
      DeleteRegValue HKLM "Software\Classes\${EXTENSION}" ""
    ${EndIf}
  ${EndIf}
  DeleteRegValue HKLM "Software\Classes\${EXTENSION}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\${EXTENSION}\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\${EXTENSION}"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  ${NotifyShell_AssocChanged}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The user's own settings stay.
  StrCpy $SettingsNote ""
  Push "$WINDIR\tavoria_config.ini"
  Call un.NoteSettingsFile
  Push "$WINDIR\tavoria_ssargs.ini"
  Call un.NoteSettingsFile
  Push "$APPDATA\${PRODUCT}\tavoria_config.ini"
  Call un.NoteSettingsFile
  ${If} $SettingsNote != ""
    StrCpy $SettingsNote "Your own settings were left in place; delete them if you no longer \
want them:$\r$\n$SettingsNote$\r$\n"
  ${EndIf}
SectionEnd
