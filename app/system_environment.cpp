#include "app/system_environment.h"

#include <QCoreApplication>

#include "app/settings_location.h"

namespace brennquist {

FormEnvironment SystemEnvironment() {
    return FormEnvironment{
        .settingsFolder = SettingsFolder(QCoreApplication::applicationDirPath()),
        .locale = QLocale::system(),
        .today = [] { return QDate::currentDate(); },
    };
}

}  // namespace brennquist
