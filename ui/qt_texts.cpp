#include "ui/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace brennquist {

bool InstallGermanQtTexts() {
    QCoreApplication* const application = QCoreApplication::instance();
    if (application == nullptr) {
        return false;
    }
    // Owned by the application, which outlives every widget that asks it.
    auto* const translator = new QTranslator(application);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

}  // namespace brennquist
