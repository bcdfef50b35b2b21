; For all users (under Program Files, entry in HKLM, with administrator
; rights) or for the current user only (under %LOCALAPPDATA%\Programs, entry
; in HKCU, without them). The switches are the ones NSIS's MultiUser.nsh
; reads, /AllUsers and /CurrentUser; that header itself is not used, as it
; runs the whole installer elevated, finish page included, whenever the user
; may elevate.
Var Mode        ; AllUsers or CurrentUser
Var DirGiven    ; 1 when /D= named the folder

!define FOLDERID_UserProgramFiles {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}

!macro INSTALL_MODE UN
; The mode from the command line; without a switch all users, as before, or
; interactively the mode of this user's earlier install.
Function ${UN}ChooseMode
    Push $0
    Push $1
    ${${UN}GetParameters} $0
    StrCpy $Mode AllUsers
    ClearErrors
    ${${UN}GetOptions} $0 "/CurrentUser" $1
    ${IfNot} ${Errors}
        StrCpy $Mode CurrentUser
    ${Else}
        ClearErrors
        ${${UN}GetOptions} $0 "/AllUsers" $1
        ${If} ${Errors}
            Call ${UN}ModeOfEarlierInstall
        ${EndIf}
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd

; Silent installs keep to all users; the uninstaller goes by the entry that
; names its own folder.
Function ${UN}ModeOfEarlierInstall
    Push $0
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    !if "${UN}" == "un."
        ${If} $0 == $INSTDIR
            StrCpy $Mode CurrentUser
        ${EndIf}
    !else
        ${IfNot} ${Silent}
        ${AndIf} $0 != ""
            StrCpy $Mode CurrentUser
        ${EndIf}
    !endif
    Pop $0
FunctionEnd

; Where the shell's folders and SHCTX point, and for the installer the
; folder: the one /D= named, else the earlier install's, else the default.
Function ${UN}UseMode
    ${If} $Mode == AllUsers
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    !if "${UN}" == ""
        ${If} $DirGiven != 1
            ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
        ${EndIf}
        ${If} $INSTDIR == ""
        ${AndIf} $Mode == AllUsers
            StrCpy $INSTDIR "$PROGRAMFILES64\Brennquist"
        ${ElseIf} $INSTDIR == ""
            GetKnownFolderPath $INSTDIR ${FOLDERID_UserProgramFiles}
            ${If} $INSTDIR == ""
                StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
            ${EndIf}
            StrCpy $INSTDIR "$INSTDIR\Brennquist"
        ${EndIf}
    !endif
FunctionEnd

; 1 when the work for all users is to be done by an elevated copy: for the
; installer always when interactive, so that its window stays the user's
; own; otherwise when this process lacks the rights. Never in that copy
; itself, which would ask again and again should Windows not count it as an
; administrator.
Function ${UN}NeedsElevatedCopy
    Push $0
    Push $1
    StrCpy $0 0
    ${${UN}GetParameters} $1
    ClearErrors
    ${${UN}GetOptions} $1 "${ELEVATED_COPY}" $1
    ${If} $Mode == AllUsers
    ${AndIf} ${Errors}
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != Admin
            StrCpy $0 1
        ${EndIf}
        !if "${UN}" == ""
            ${IfNot} ${Silent}
                StrCpy $0 1
            ${EndIf}
        !endif
    ${EndIf}
    Pop $1
    Exch $0
FunctionEnd
!macroend
