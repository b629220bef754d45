; The Tavoria Screensaver's setup program: one file a user downloads and opens. It puts the saver,
; its team database and Kelvane into the Windows directory (where the saver reads its database and
; Kelvane installs upgrades), makes the saver the screensaver of the user at the desktop when it
; runs as that user, registers upgrade files (.tup) so that opening one starts Kelvane, and lists
; the product among the installed programs. Its uninstaller takes all of that away again and
; leaves the user's own settings files.
;
; Built by the Windows build (installer/CMakeLists.txt) with makensis and these definitions:
;   SAVER, KELVANE, DATABASE   the files to install (tavoria.scr, kelvane.exe, tavoria.sdf)
;   DATABASE_NUMBER            the shipped database's number (its line 4), without leading zeros
;   PLUGIN_DIR                 the folder of TavoriaDatabase.dll, the setup's database plugin
;   VERSION, VERSION_QUAD      the product version ("2") and as four numbers ("2.0.0.0")
;   ICON, WIZARD_BITMAP        the product's icon and the welcome and finish pages' picture
;   OUTFILE                    the setup program to write
;   SIGN_COMMAND               in a signed build: the command that signs a program in place, %1
;                              its path, run on the uninstaller before it is packed
;
; Silent: `tavoria-setup.exe /S` installs everything with the defaults (the saver becomes the
; screensaver of the user at the desktop when Setup runs as that user; otherwise setup.log in the
; program folder says why not and how to choose it); `uninstall.exe /S` removes it.

Unicode true
; A 64-bit program: it sees the 64-bit Windows directory and registry, with no file-system or
; registry redirection (and Wine here runs only 64-bit programs).
Target amd64-unicode
SetCompressor /SOLID lzma
; The packed files' times stay out of the setup program: its bytes depend only on their contents.
SetDateSave off
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include Integration.nsh
!include FileFunc.nsh

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
; Where a user chooses a screensaver, as the finish pages and setup.log name it.
!define SCREEN_SAVER_PLACES "Settings > Personalisation > Lock screen > Screen saver"
; What a silent install that leaves the screensaver alone writes, beside the uninstaller.
!define SETUP_LOG "setup.log"
; Tests only: names a user at the desktop other than Setup's own account (see CheckDesktopUser).
!define TEST_DESKTOP_USER_OPTION "/TEST-ONLY-DESKTOP-USER="

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef SIGN_COMMAND
  !uninstfinalize '${SIGN_COMMAND}' = 0
!endif
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
Var ScreensaverNote
; Whether Setup runs as the user at the desktop (1) or not, or cannot tell (0); the accounts'
; names ("DOMAIN\name"; the desktop's "" when unknown); and, when not, the sentence that says so.
Var IsDesktopUser
Var SetupAccount
Var DesktopAccount
Var NotDesktopUser

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
$DatabaseNote$ScreensaverNoteClick Finish to close Setup."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW AddScreenSaverSettingsButton
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

; ----- the team database ---------------------------------------------------------------------

; The installed database is read and replaced by the saver's and Kelvane's own code: the number as
; the saver reads it (the fourth comma- or line-separated field, to the nearest whole number), and
; the replacement in one step through a temporary file, under the lock Kelvane holds too.
!addplugindir /amd64-unicode "${PLUGIN_DIR}"

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

; ----- the user at the desktop ----------------------------------------------------------------

; Setup runs elevated, so its HKCU and AppData belong to the account that approved the
; administrator prompt. That is the user at the desktop when an administrator approves their own
; prompt; it is another account when a standard user types an administrator's password, and
; SYSTEM when a deployment tool installs silently. Setup and its uninstaller change a screensaver
; setting only on positive evidence that they run as the desktop's user, taken in this order:
;   1. the desktop's shell: the user of the process that owns the shell window, compared with
;      Setup's own user by SID;
;   2. where there is no shell window (Explorer restarting; Wine has none) or its process or
;      token cannot be read: the user name of Setup's own Windows session, looked up and
;      compared by SID.
; No shell and no session user (SYSTEM in session 0), or a call that fails, counts as another
; account.

!define TOKEN_QUERY 0x8
!define TOKEN_USER_CLASS 1
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define WTS_CURRENT_SESSION -1
!define WTS_USER_NAME 5
!define WTS_DOMAIN_NAME 7
!define SECURITY_MAX_SID_SIZE 68

!macro DESKTOP_USER_FUNCTIONS UN
  ; Leaves in $0 the name ("DOMAIN\name") of the account whose SID $0 points to, or the SID in
  ; its text form when it has no name here.
  Function ${UN}AccountName
    Push $1
    Push $2
    Push $3
    System::Call 'advapi32::LookupAccountSidW(p 0, p r0, w .r1, *i ${NSIS_MAX_STRLEN}, \
w .r2, *i ${NSIS_MAX_STRLEN}, *i 0) i .r3'
    ${If} $3 <> 0
      StrCpy $0 "$2\$1"
    ${Else}
      System::Call 'advapi32::ConvertSidToStringSidW(p r0, *p .r2) i .r3'
      StrCpy $0 ""
      ${If} $3 <> 0
        System::Call '*$2(&w${NSIS_MAX_STRLEN} .r0)'
        System::Call 'kernel32::LocalFree(p r2)'
      ${EndIf}
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
  FunctionEnd

  ; Leaves in $0 a buffer holding the TOKEN_USER (the user's SID pointer first) of the process
  ; whose handle is in $0, to be freed with System::Free; 0 when its token cannot be read.
  Function ${UN}ProcessUser
    Push $1
    Push $2
    System::Call 'advapi32::OpenProcessToken(p r0, i ${TOKEN_QUERY}, *p .r1) i .r2'
    StrCpy $0 0
    ${If} $2 <> 0
      System::Alloc 256  ; a SID pointer and attributes, and the SID itself (68 bytes at most)
      Pop $0
      System::Call 'advapi32::GetTokenInformation(p r1, i ${TOKEN_USER_CLASS}, p r0, i 256, \
*i 0) i .r2'
      System::Call 'kernel32::CloseHandle(p r1)'
      ${If} $2 = 0
        System::Free $0
        StrCpy $0 0
      ${EndIf}
    ${EndIf}
    Pop $2
    Pop $1
  FunctionEnd

  ; Leaves in $0 what Setup's own session answers for the information class in $0; "" when it
  ; cannot tell.
  Function ${UN}SessionText
    Push $1
    Push $2
    System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i ${WTS_CURRENT_SESSION}, i r0, \
*p .r1, *i 0) i .r2'
    StrCpy $0 ""
    ${If} $2 <> 0
      System::Call '*$1(&w${NSIS_MAX_STRLEN} .r0)'
      System::Call 'wtsapi32::WTSFreeMemory(p r1)'
    ${EndIf}
    Pop $2
    Pop $1
  FunctionEnd

  ; Sets $IsDesktopUser, $SetupAccount, $DesktopAccount and $NotDesktopUser (see above).
  ;
  ; Test hook: ${TEST_DESKTOP_USER_OPTION}NAME on the command line names the desktop's user for
  ; the tests, which have one account only. A NAME other than Setup's own account makes Setup
  ; act as for another user ("" as when it cannot tell); the option never makes Setup take
  ; another account for the desktop's user, so it can only keep settings from being changed.
  Function ${UN}CheckDesktopUser
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $IsDesktopUser 0
    StrCpy $DesktopAccount ""
    StrCpy $4 ""  ; the evidence that answered
    System::Call 'kernel32::GetCurrentProcess() p .r0'
    Call ${UN}ProcessUser
    StrCpy $3 $0
    ${If} $3 P<> 0
      System::Call '*$3(p .r0)'
      Call ${UN}AccountName
      StrCpy $SetupAccount $0

      System::Call 'user32::GetShellWindow() p .r1'
      ${If} $1 P<> 0
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
        System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i r2) p .r1'
        ${If} $1 P<> 0
          StrCpy $0 $1
          Call ${UN}ProcessUser
          System::Call 'kernel32::CloseHandle(p r1)'
          ${If} $0 P<> 0
            StrCpy $1 $0
            System::Call '*$1(p .r0)'
            System::Call '*$3(p .r2)'
            System::Call 'advapi32::EqualSid(p r0, p r2) i .r2'
            Call ${UN}AccountName
            StrCpy $DesktopAccount $0
            ${If} $2 <> 0
              StrCpy $IsDesktopUser 1
            ${EndIf}
            System::Free $1
            StrCpy $4 shell
          ${EndIf}
        ${EndIf}
      ${EndIf}

      ${If} $4 == ""
        StrCpy $0 ${WTS_USER_NAME}
        Call ${UN}SessionText
        StrCpy $1 $0
        StrCpy $0 ${WTS_DOMAIN_NAME}
        Call ${UN}SessionText
        ${If} $1 != ""
        ${AndIf} $0 != ""
          StrCpy $2 "$0\$1"
          System::Alloc ${SECURITY_MAX_SID_SIZE}
          Pop $1
          System::Call 'advapi32::LookupAccountNameW(p 0, w r2, p r1, \
*i ${SECURITY_MAX_SID_SIZE}, w .r4, *i ${NSIS_MAX_STRLEN}, *i 0) i .r0'
          ${If} $0 <> 0
            StrCpy $DesktopAccount $2
            System::Call '*$3(p .r0)'
            System::Call 'advapi32::EqualSid(p r0, p r1) i .r0'
            ${If} $0 <> 0
              StrCpy $IsDesktopUser 1
            ${EndIf}
          ${EndIf}
          System::Free $1
        ${EndIf}
      ${EndIf}
      System::Free $3
    ${EndIf}

    ${${UN}GetParameters} $0
    ClearErrors
    ${${UN}GetOptions} $0 "${TEST_DESKTOP_USER_OPTION}" $1
    ${IfNot} ${Errors}
    ${AndIf} $1 != $SetupAccount
      StrCpy $IsDesktopUser 0
      StrCpy $DesktopAccount $1
    ${EndIf}

    ${If} $IsDesktopUser = 1
      StrCpy $NotDesktopUser ""
    ${ElseIf} $DesktopAccount != ""
      StrCpy $NotDesktopUser "Setup ran as $SetupAccount, not as $DesktopAccount at this desktop"
    ${Else}
      StrCpy $NotDesktopUser "Setup ran as $SetupAccount, which it could not confirm as the user \
at this desktop"
    ${EndIf}
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro DESKTOP_USER_FUNCTIONS ""
!insertmacro DESKTOP_USER_FUNCTIONS "un."

; Opening the Screen Saver settings for the user at the desktop, from Setup's finish page. Setup
; never starts them itself: elevated, as its own account, they would set that account's
; screensaver. It hands the command to the running shell instead, which starts it as the
; desktop's user, unelevated, as if the user had opened it: through Explorer's list of its
; windows (ShellWindows) to the desktop's browser, its view, and the view's Shell.Application
; object (IShellDispatch2), whose ShellExecute runs in Explorer.
!define CLSID_SHELL_WINDOWS "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}"
!define IID_ISHELL_WINDOWS "{85CB6900-4D95-11CF-960C-0080C7F4EE85}"
!define IID_ISERVICE_PROVIDER "{6D5140C1-7436-11CE-8034-00AA006009FA}"
!define SID_STOP_LEVEL_BROWSER "{4C96BE40-915C-11CF-99D3-00AA004AE837}"
!define IID_ISHELL_BROWSER "{000214E2-0000-0000-C000-000000000046}"
!define IID_IDISPATCH "{00020400-0000-0000-C000-000000000046}"
!define IID_ISHELL_FOLDER_VIEW_DUAL "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}"
!define IID_ISHELL_DISPATCH2 "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}"
!define CLSCTX_LOCAL_SERVER 4
!define COINIT_APARTMENTTHREADED 2
!define VT_I4 3
!define VT_BSTR 8
!define CSIDL_DESKTOP 0
!define SWC_DESKTOP 8
!define SWFO_NEEDDISPATCH 1
!define SVGIO_BACKGROUND 0
!define SCREEN_SAVER_SETTINGS_ARGUMENTS "desk.cpl,,@screensaver"

; One step from the interface in $1 to the next, while $0 (the last HRESULT) is S_OK: calls its
; method number METHOD with ARGS and a last argument that receives the next interface, which
; replaces the one in $1 (0 when the step fails).
!macro SHELL_STEP METHOD ARGS
  ${If} $0 = 0
    System::Call '$1->${METHOD}(${ARGS}*p .r2) i .r0'
    System::Call '$1->2()'
    StrCpy $1 0
    ${If} $0 = 0
      StrCpy $1 $2
    ${EndIf}
  ${EndIf}
!macroend

Function OpenScreenSaverSettings
  Pop $0  ; the button
  System::Call 'ole32::CoInitializeEx(p 0, i ${COINIT_APARTMENTTHREADED}) i .r9'
  System::Call '*(&i2 ${VT_I4}, &i2 0, &i2 0, &i2 0, i ${CSIDL_DESKTOP}, i 0, p 0) p .r3'
  System::Call '*(p 0, p 0, p 0) p .r4'  ; an empty VARIANT, for every argument left out
  System::Call 'oleaut32::SysAllocString(w "$SYSDIR\control.exe") p .r5'
  System::Call 'oleaut32::SysAllocString(w "${SCREEN_SAVER_SETTINGS_ARGUMENTS}") p .r6'
  System::Call '*(&i2 ${VT_BSTR}, &i2 0, &i2 0, &i2 0, p r6, p 0) p .r7'
  System::Call 'ole32::CoCreateInstance(g "${CLSID_SHELL_WINDOWS}", p 0, \
i ${CLSCTX_LOCAL_SERVER}, g "${IID_ISHELL_WINDOWS}", *p .r1) i .r0'
  ; IShellWindows::FindWindowSW, IUnknown::QueryInterface, IServiceProvider::QueryService,
  ; IShellBrowser::QueryActiveShellView, IShellView::GetItemObject, QueryInterface,
  ; IShellFolderViewDual::get_Application, QueryInterface.
  !insertmacro SHELL_STEP 15 "p r3, p r4, i ${SWC_DESKTOP}, *i .r8, i ${SWFO_NEEDDISPATCH}, "
  !insertmacro SHELL_STEP 0 'g "${IID_ISERVICE_PROVIDER}", '
  !insertmacro SHELL_STEP 3 'g "${SID_STOP_LEVEL_BROWSER}", g "${IID_ISHELL_BROWSER}", '
  !insertmacro SHELL_STEP 15 ""
  !insertmacro SHELL_STEP 15 'i ${SVGIO_BACKGROUND}, g "${IID_IDISPATCH}", '
  !insertmacro SHELL_STEP 0 'g "${IID_ISHELL_FOLDER_VIEW_DUAL}", '
  !insertmacro SHELL_STEP 7 ""
  !insertmacro SHELL_STEP 0 'g "${IID_ISHELL_DISPATCH2}", '
  ${If} $0 = 0
    ; IShellDispatch2::ShellExecute(file, arguments, folder, verb, show); x64 passes each
    ; VARIANT by a pointer to it.
    System::Call '$1->31(p r5, p r7, p r4, p r4, p r4) i .r0'
    System::Call '$1->2()'
  ${EndIf}
  System::Call 'oleaut32::SysFreeString(p r5)'
  System::Call 'oleaut32::SysFreeString(p r6)'
  System::Free $3
  System::Free $4
  System::Free $7
  ${If} $9 >= 0
    System::Call 'ole32::CoUninitialize()'
  ${EndIf}
  ${If} $0 <> 0
    MessageBox MB_ICONEXCLAMATION "Setup could not open the Screen Saver settings. Choose \
${PRODUCT} in ${SCREEN_SAVER_PLACES}."
  ${EndIf}
FunctionEnd

; The finish page, when Setup left the screensaver alone: a button under the text, which ends at
; 175u (MUI's finish page: the text from 45u, 130u high).
Function AddScreenSaverSettingsButton
  ${If} $IsDesktopUser = 0
    ${NSD_CreateButton} 120u 177u 120u 14u "Open Screen Saver Settings"
    Pop $0
    ${NSD_OnClick} $0 OpenScreenSaverSettings
  ${EndIf}
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

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$WINDIR"
  File "/oname=tavoria.scr" "${SAVER}"
  File "/oname=kelvane.exe" "${KELVANE}"

  ; A user who already installed an upgraded database keeps it.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\tavoria.sdf" "${DATABASE}"
  database:
  TavoriaDatabase::InstallUnlessNewer "$PLUGINSDIR\tavoria.sdf" "$WINDIR\tavoria.sdf"
  Pop $0
  Pop $R0
  ${If} $0 == "kept"
    StrCpy $DatabaseNote "Your team database (number $R0) is newer than the one in this Setup \
(number ${DATABASE_NUMBER}), so it was kept.$\r$\n$\r$\n"
    DetailPrint "Kept the installed team database number $R0: newer than number ${DATABASE_NUMBER}"
  ${ElseIf} $0 != "installed"
    DetailPrint "Could not install the team database $WINDIR\tavoria.sdf: $R0"
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "Setup could not install the team database \
$WINDIR\tavoria.sdf:$\r$\n$\r$\n$R0" /SD IDCANCEL IDRETRY database
    Abort
  ${EndIf}
  Delete "$PLUGINSDIR\tavoria.sdf"

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
  Delete "$INSTDIR\${SETUP_LOG}"
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

; Run as another account than the desktop's user, Setup left every screensaver setting alone: the
; finish page, or for a silent install setup.log, says so and how to choose the saver.
Section "-Screensaver note" SecScreensaverNote
  ${If} $IsDesktopUser = 0
    DetailPrint "$NotDesktopUser, so it did not change anyone's screensaver"
    StrCpy $ScreensaverNote "$NotDesktopUser, so it did not change anyone's screensaver.$\r$\n$\r$\n\
To make ${PRODUCT} your screensaver, choose it in ${SCREEN_SAVER_PLACES}, or click Open Screen \
Saver Settings below.$\r$\n$\r$\n"
    ${If} ${Silent}
      FileOpen $0 "$INSTDIR\${SETUP_LOG}" w
      FileWrite $0 "${PRODUCT} ${VERSION} is installed: $WINDIR\tavoria.scr$\r$\n\
$NotDesktopUser, so it did not change anyone's screensaver.$\r$\n\
To make ${PRODUCT} your screensaver, choose it in ${SCREEN_SAVER_PLACES}, or in the Screen Saver \
settings.$\r$\n\
To make it every user's screensaver, set the Group Policy User Configuration > Administrative \
Templates > Control Panel > Personalization > Force specific screen saver to $WINDIR\tavoria.scr.$\r$\n"
      FileClose $0
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInit
  SetRegView 64
  SetShellVarContext current
  !insertmacro REQUIRE_ADMINISTRATOR
  Call CheckDesktopUser
  ; Another account's screensaver is not Setup's to choose: the component goes, and the note
  ; takes its place.
  ${If} $IsDesktopUser = 0
    SectionSetText ${SecScreensaver} ""
    SectionSetFlags ${SecScreensaver} 0
  ${EndIf}
FunctionEnd

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
  Call un.CheckDesktopUser
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
  ; The screensaver setting, only the desktop user's own and only while it still names this saver
  ; (another one the user picked since stays). The path may be written in any case, or in its
  ; short form: compared while the saver is still there to have one.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $IsDesktopUser = 0
    DetailPrint "$NotDesktopUser, so it left every screensaver setting alone"
  ${ElseIf} $0 != ""
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
  ; Left by an upgrade, or by Setup's own replacing of the database, that was cut off.
  Delete "$WINDIR\kelvane-*.tmp"

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
  Delete "$INSTDIR\${SETUP_LOG}"
  RMDir "$INSTDIR"

  ; The user's own settings stay. Their own folder is known only when running as them.
  StrCpy $SettingsNote ""
  Push "$WINDIR\tavoria_config.ini"
  Call un.NoteSettingsFile
  Push "$WINDIR\tavoria_ssargs.ini"
  Call un.NoteSettingsFile
  ${If} $IsDesktopUser = 1
    Push "$APPDATA\${PRODUCT}\tavoria_config.ini"
    Call un.NoteSettingsFile
  ${EndIf}
  ${If} $SettingsNote != ""
    StrCpy $SettingsNote "Your own settings were left in place; delete them if you no longer \
want them:$\r$\n$SettingsNote$\r$\n"
  ${EndIf}
  ${If} $IsDesktopUser = 0
    StrCpy $SettingsNote "$NotDesktopUser, so it left the screensaver settings alone: if ${PRODUCT} \
was your screensaver, choose another in the Screen Saver settings. Settings you saved for yourself \
stay in your own folder %APPDATA%\${PRODUCT}.$\r$\n$\r$\n$SettingsNote"
  ${EndIf}
SectionEnd
