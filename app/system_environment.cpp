#include "ui/form_environment.h"

#include <QCoreApplication>

#include "ui/settings_location.h"

namespace brennquist {

FormEnvironment FormEnvironment::FromSystem() {
    return FormEnvironment{
        .programFolder = SettingsFolder(QCoreApplication::applicationDirPath()),
        .locale = QLocale::system(),
        .today = [] { return QDate::currentDate(); },
    };
}

}  // namespace brennquist
