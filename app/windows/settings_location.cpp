// Where akku.dat lives on Windows.
#include "app/settings_location.h"

#include <shlobj.h>
#include <windows.h>

#include <QDir>
#include <QFileInfo>

namespace brennquist {
namespace {

// The installer lays its uninstaller beside the program; an unpacked folder
// has none. The layout decides, never whether the folder is writable.
bool IsInstalled(const QString& programFolder) {
    return QFileInfo(programFolder + QStringLiteral("/uninstall.exe")).isFile();
}

// The user's roaming application data, %APPDATA% as Windows itself keeps it;
// empty when Windows cannot say.
QString RoamingAppDataFolder() {
    PWSTR path = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path);
    QString folder;
    if (SUCCEEDED(result)) {
        folder = QString::fromWCharArray(path);
    }
    ::CoTaskMemFree(path);  // owned by the caller even when the call failed
    return QDir::fromNativeSeparators(folder);
}

}  // namespace

// An installed copy whose user has no roaming folder neither loads nor saves.
QString SettingsFolder(const QString& programFolder) {
    if (!IsInstalled(programFolder)) {
        return programFolder;
    }
    const QString appData = RoamingAppDataFolder();
    return appData.isEmpty() ? QString() : appData + QStringLiteral("/Brennquist");
}

}  // namespace brennquist
