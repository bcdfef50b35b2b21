; Finds a running Brennquist before a file is touched: every brennquist.exe
; holds this mutex while it runs (app/windows/running_mark.cpp). Windows
; keeps a running program's files, and in silent mode NSIS answers its own
; "file in use" question with Ignore, so the install or uninstall would be
; left half done.
!define RUNNING_MUTEX "Global\com.example.Brennquist"
!define /IfNDef SYNCHRONIZE 0x00100000
!define /IfNDef ERROR_FILE_NOT_FOUND 2

!macro REFUSE_WHILE_RUNNING UN
; Asks until Brennquist has ended (Wiederholen) or the user gives up
; (Abbrechen); silent, it ends at once with EXIT_RUNNING.
Function ${UN}RefuseWhileRunning
    Push $0
    Push $1
    again:
        System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${RUNNING_MUTEX}") p.r0 ?e'
        Pop $1
        ; Only "not found" means not running: another user's copy answers
        ; "access denied".
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 = ${ERROR_FILE_NOT_FOUND}
            Pop $1
            Pop $0
            Return
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_RUNNING}" /SD IDCANCEL IDRETRY again
    SetErrorLevel ${EXIT_RUNNING}
    Quit
FunctionEnd
!macroend
