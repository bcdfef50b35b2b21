; Runs this installer or uninstaller again with administrator rights
; (ShellExecuteEx with the verb "runas": Windows asks for them) and waits for
; it. For all users only: a per-user install never asks.
!define /IfNDef SEE_MASK_NOCLOSEPROCESS 0x00000040
; Given to the elevated copy only.
!define ELEVATED_COPY "/ElevatedCopy"

!macro RUN_ELEVATED UN
; Push the arguments; pops the exit code of the elevated run, or
; EXIT_NO_ADMIN when it could not start (the user said no). The copy is
; told it is one.
Function ${UN}RunElevated
    Exch $0
    Push $1
    Push $2
    ; SHELLEXECUTEINFOW as 64-bit Windows lays it out: System packs its
    ; members, so the padding after nShow and dwHotKey is spelled out.
    System::Call '*(i 112, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", \
        w "$EXEPATH", w "${ELEVATED_COPY} $0", p 0, i ${SW_SHOWNORMAL}, i 0, p 0, p 0, p 0, p 0, \
        i 0, i 0, p 0, p 0) p.r1'
    System::Call 'shell32::ShellExecuteExW(p r1) i.r2'
    ${If} $2 = 0
        StrCpy $0 ${EXIT_NO_ADMIN}
    ${Else}
        System::Call '*$1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p.r2)'
        System::Call 'kernel32::WaitForSingleObject(p r2, i -1)'
        System::Call 'kernel32::GetExitCodeProcess(p r2, *i 0 r0)'
        System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    System::Free $1
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macroend
