; The Windows installer: a 64-bit installer, for all users under Program
; Files or for the current user only under %LOCALAPPDATA%\Programs, with a
; Start-menu entry, an entry in Windows' list of installed programs and an
; uninstaller. It runs as the user who starts it; for all users an elevated
; copy of it does the work, so that the finish page starts Brennquist as that
; user, never as the administrator who approved. `/S` installs for all users
; without a question, `/S /CurrentUser` for the current user. Built by
; scripts/package-windows, which defines:
;   VERSION   the program's version, e.g. 1.0.0
;   STAGE     the folder with brennquist.exe and everything it needs
;   FILES     a list of that folder's files and folders for the uninstaller
;   ICON      the program icon (.ico)
;   OUTFILE   the installer to write
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS Win10
ManifestDPIAware true

!addincludedir "${__FILEDIR__}"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "nsDialogs.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brennquist"
!define VENDOR "Modellbau Kessler GmbH"
!define VENDOR_URL "https://www.example.com/"
; Exit codes beyond NSIS's own (1 cancelled, 2 aborted), named in the README.
!define EXIT_RUNNING 3
!define EXIT_NEWER_INSTALLED 4
!define EXIT_NO_ADMIN 5
!define EXIT_EARLIER_KEPT 6

!include "texts.nsh"
!include "running_check.nsh"
!include "elevation.nsh"
!include "install_mode.nsh"
!include "upgrade.nsh"
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."
!insertmacro RUN_ELEVATED ""
!insertmacro RUN_ELEVATED "un."
!insertmacro INSTALL_MODE ""
!insertmacro INSTALL_MODE "un."

Name "Brennquist ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Brennquist ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Brennquist"
VIAddVersionKey /LANG=1031 "FileDescription" "Brennquist ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${VENDOR}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "2026 ${VENDOR}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brennquist.exe"
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Nothing is decided before a running Brennquist or a newer install has
; been ruled out.
Function .onInit
    ${If} $INSTDIR != ""
        StrCpy $DirGiven 1
    ${EndIf}
    Call RefuseWhileRunning
    Call RefuseOverNewer
    Call ChooseMode
    Call UseMode
FunctionEnd

Var AllUsersButton

Function ModePage
    !insertmacro MUI_HEADER_TEXT "${TEXT_MODE_TITLE}" "${TEXT_MODE_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 64u "${TEXT_MODE_EXPLAINED}"
    Pop $0
    ${NSD_CreateFirstRadioButton} 10u 72u -10u 12u "${TEXT_MODE_ALL_USERS}"
    Pop $AllUsersButton
    System::Call 'advapi32::GetUserNameW(w .r0, *i ${NSIS_MAX_STRLEN})'
    ${NSD_CreateAdditionalRadioButton} 10u 90u -10u 12u "${TEXT_MODE_CURRENT_USER}"
    Pop $1
    ${If} $Mode == AllUsers
        ${NSD_Check} $AllUsersButton
    ${Else}
        ${NSD_Check} $1
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function ModePageLeave
    ${NSD_GetState} $AllUsersButton $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $Mode AllUsers
    ${Else}
        StrCpy $Mode CurrentUser
    ${EndIf}
    Call UseMode
FunctionEnd

; The files are laid out here, in the section, so that the folder page
; tells the space they need.
Section "Brennquist"
    Call RefuseWhileRunning
    Call NeedsElevatedCopy
    Pop $0
    ${If} $0 = 1
        Call InstallElevated
        Return
    ${EndIf}
    Call RemoveEarlier
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*.*"
    ; The uninstaller beside the program also tells the program it is
    ; installed: it then keeps akku.dat per user in %APPDATA%\Brennquist.
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Brennquist.lnk" "$INSTDIR\brennquist.exe" "" \
        "$INSTDIR\brennquist.exe" 0
    Call WriteEntry
SectionEnd

; The elevated copy works silently while this process waits; its exit code
; becomes this one's.
Function InstallElevated
    DetailPrint "${TEXT_ELEVATED}"
    Push "/S /AllUsers /D=$INSTDIR"
    Call RunElevated
    Pop $0
    ${If} $0 = 0
        SetOutPath "$INSTDIR"
        Return
    ${ElseIf} $0 = ${EXIT_NO_ADMIN}
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_NO_ADMIN}" /SD IDOK
    ${ElseIf} $0 = ${EXIT_RUNNING}
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_RUNNING}" /SD IDOK
    ${ElseIf} $0 <> ${EXIT_NEWER_INSTALLED}
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_FAILED}" /SD IDOK
    ${EndIf}
    SetErrorLevel $0
    Abort
FunctionEnd

; The entry in Settings, Apps, in HKLM or HKCU as the mode says. The
; uninstaller is told its mode, as the same uninstaller serves both.
Function WriteEntry
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Brennquist"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${VENDOR_URL}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brennquist.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$Mode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S /$Mode'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

; A running Brennquist is found before anything is removed; for all users
; without the rights, an elevated copy of this uninstaller does the work.
Function un.onInit
    Call un.ChooseMode
    Call un.UseMode
    Call un.RefuseWhileRunning
    Call un.NeedsElevatedCopy
    Pop $0
    ${If} $0 = 1
        StrCpy $0 "/AllUsers"
        ${If} ${Silent}
            StrCpy $0 "/S $0"
        ${EndIf}
        Push "$0 _?=$INSTDIR"
        Call un.RunElevated
        Pop $0
        SetErrorLevel $0
        Quit
    ${EndIf}
FunctionEnd

; Removes exactly what was installed, so a folder the user chose that holds
; other files keeps them. Every user's akku.dat in %APPDATA%\Brennquist is
; theirs and stays.
Section "Uninstall"
    Delete "$SMPROGRAMS\Brennquist.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
