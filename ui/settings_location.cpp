#include "ui/settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

namespace brennquist {
namespace {

// Decided by the layout alone, never by whether the folder is writable: root
// may write anywhere, and a read-only folder must not move a copy's settings.
bool IsInstalled(const QString& programFolder) {
    return QFileInfo(programFolder +
                     QStringLiteral("/../share/applications/" BRENNQUIST_APP_ID ".desktop"))
        .isFile();
}

// $XDG_CONFIG_HOME, or ~/.config where it is unset or not an absolute path.
QString UserConfigFolder() {
    QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configured)) {
        return configured;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

}  // namespace

QString SettingsFolder(const QString& programFolder) {
    if (IsInstalled(programFolder)) {
        return UserConfigFolder() + QStringLiteral("/brennquist");
    }
    return programFolder;
}

}  // namespace brennquist
