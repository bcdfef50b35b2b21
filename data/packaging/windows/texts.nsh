; What the installer and the uninstaller say beyond NSIS's own German texts.
; $0 and $1 stand for what the caller has in them as the text is shown.
!define TEXT_RUNNING "Brennquist läuft noch.$\n$\nBitte beenden Sie Brennquist, auch in anderen Benutzerkonten dieses Computers, und wählen Sie dann „Wiederholen“."
!define TEXT_NEWER_INSTALLED "Auf diesem Computer ist bereits Brennquist $0 installiert, eine neuere Version als diese (${VERSION}).$\n$\nEs wird nichts geändert."
!define TEXT_NO_ADMIN "Für alle Benutzer dieses Computers braucht Brennquist Administratorrechte. Es wurde nichts geändert."
!define TEXT_EARLIER_KEPT "Die installierte Version in $0 ließ sich nicht entfernen (Fehler $1). Es wurde nichts Neues installiert."
!define TEXT_FAILED "Die Installation für alle Benutzer ist fehlgeschlagen (Fehler $0)."
!define TEXT_ELEVATED "Brennquist wird mit Administratorrechten für alle Benutzer installiert …"
!define TEXT_REMOVING_EARLIER "Die installierte Version wird entfernt: $0"
!define TEXT_MODE_TITLE "Für wen installieren?"
!define TEXT_MODE_SUBTITLE "Brennquist für alle Benutzer dieses Computers oder nur für Sie."
!define TEXT_MODE_EXPLAINED "Für alle Benutzer kommt Brennquist in den Ordner „Programme“; dafür fragt Windows nach Administratorrechten. Nur für Sie kommt es in Ihr Benutzerprofil, ohne Administratorrechte.$\r$\n$\r$\nAuf beide Arten behält jeder Benutzer seine Eingaben (akku.dat) in seinem eigenen Profil, auch über eine neue Version hinweg."
!define TEXT_MODE_ALL_USERS "Für &alle Benutzer dieses Computers"
!define TEXT_MODE_CURRENT_USER "Nur für &mich ($0)"
