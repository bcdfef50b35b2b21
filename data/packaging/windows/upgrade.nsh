; An install over an earlier or the same version first runs that version's
; own uninstaller, silently and in its folder (_?=), so the folder then holds
; this version's files only and Windows lists one Brennquist. Each user's
; akku.dat is in their %APPDATA% and stays. A newer installed version is
; left alone.

; Ends with EXIT_NEWER_INSTALLED, before anything is touched, when either
; kind of install is newer than this installer.
Function RefuseOverNewer
    Push $0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    Call RefuseIfNewer
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    Call RefuseIfNewer
    Pop $0
FunctionEnd

; $0: the installed version, empty when there is none.
Function RefuseIfNewer
    Push $1
    ${If} $0 != ""
        ${VersionCompare} $0 "${VERSION}" $1
        ${If} $1 = 1
            MessageBox MB_OK|MB_ICONSTOP "${TEXT_NEWER_INSTALLED}" /SD IDOK
            SetErrorLevel ${EXIT_NEWER_INSTALLED}
            Quit
        ${EndIf}
    ${EndIf}
    Pop $1
FunctionEnd

; The earlier install of the chosen kind, wherever it lies; a folder that
; is gone leaves nothing to remove. Its folder goes too when it is not the
; new one and nothing else is in it.
Function RemoveEarlier
    Push $0
    Push $1
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        DetailPrint "${TEXT_REMOVING_EARLIER}"
        ClearErrors
        ExecWait '"$0\uninstall.exe" /S /$Mode _?=$0' $1
        ${If} ${Errors}
        ${OrIf} $1 <> 0
            MessageBox MB_OK|MB_ICONSTOP "${TEXT_EARLIER_KEPT}" /SD IDOK
            SetErrorLevel ${EXIT_EARLIER_KEPT}
            Abort
        ${EndIf}
        ; Run in its folder, the uninstaller cannot remove itself.
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd
