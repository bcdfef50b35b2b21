; The Windows installer: a 64-bit installer for all users, under Program
; Files, with a Start-menu entry, an entry in Windows' list of installed
; programs and an uninstaller. `/S` installs and uninstalls without a
; question. Built by scripts/package-windows, which defines:
;   VERSION   the program's version, e.g. 1.0.0
;   STAGE     the folder with brennquist.exe and everything it needs
;   FILES     a list of that folder's files and folders for the uninstaller
;   ICON      the program icon (.ico)
;   OUTFILE   the installer to write
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brennquist"

Name "Brennquist ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Brennquist"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brennquist ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Brennquist"
VIAddVersionKey /LANG=1031 "FileDescription" "Brennquist ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "Modellbau Kessler GmbH"
VIAddVersionKey /LANG=1031 "LegalCopyright" "2026 Modellbau Kessler GmbH"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brennquist.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Brennquist"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*.*"
    ; The uninstaller beside the program also tells the program it is
    ; installed: it then keeps akku.dat per user in %APPDATA%\Brennquist.
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Brennquist.lnk" "$INSTDIR\brennquist.exe" "" \
        "$INSTDIR\brennquist.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Brennquist"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Modellbau Kessler GmbH"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brennquist.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what was installed, so a folder the user chose that holds
; other files keeps them. Every user's akku.dat in %APPDATA%\Brennquist is
; theirs and stays.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Brennquist.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
