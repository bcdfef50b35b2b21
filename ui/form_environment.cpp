#include "ui/form_environment.h"

#include <QCoreApplication>

namespace brennquist {

FormEnvironment FormEnvironment::FromSystem() {
    return FormEnvironment{
        .programFolder = QCoreApplication::applicationDirPath(),
        .locale = QLocale::system(),
        .today = [] { return QDate::currentDate(); },
    };
}

}  // namespace brennquist
