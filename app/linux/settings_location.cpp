#include "app/settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <cerrno>
#include <vector>

namespace brennquist {
namespace {

// Decided by the layout alone, never by whether the folder is writable: root
// may write anywhere, and a read-only folder must not move a copy's settings.
bool IsInstalled(const QString& programFolder) {
    return QFileInfo(programFolder +
                     QStringLiteral("/../share/applications/" BRENNQUIST_APP_ID ".desktop"))
        .isFile();
}

// The home folder the user database gives for the user running the program,
// or nothing where it has none.
QString HomeFromUserDatabase() {
    constexpr std::size_t kFirstSize = 1024;
    constexpr std::size_t kLargestSize = std::size_t{1024} * 1024;
    for (std::size_t size = kFirstSize; size <= kLargestSize; size *= 2) {
        std::vector<char> buffer(size);
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE) {
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr) {
            return {};
        }
        return QFile::decodeName(found->pw_dir);
    }
    return {};
}

// $HOME, or the user database's home folder where HOME is unset or unusable,
// as a shell does; Qt would give the root folder then.
QString HomeFolder() {
    QString home = QFile::decodeName(qgetenv("HOME"));
    if (QDir::isAbsolutePath(home)) {
        return home;
    }
    const QString fromDatabase = HomeFromUserDatabase();
    return QDir::isAbsolutePath(fromDatabase) ? fromDatabase : QString();
}

// $XDG_CONFIG_HOME, or ~/.config where it is unset or not an absolute path;
// nothing where no home folder is known either.
QString UserConfigFolder() {
    QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configured)) {
        return configured;
    }
    const QString home = HomeFolder();
    return home.isEmpty() ? QString() : home + QStringLiteral("/.config");
}

}  // namespace

QString SettingsFolder(const QString& programFolder) {
    if (IsInstalled(programFolder)) {
        const QString config = UserConfigFolder();
        return config.isEmpty() ? QString() : config + QStringLiteral("/brennquist");
    }
    return programFolder;
}

}  // namespace brennquist
