#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace brennquist {

bool InstallGermanQtTexts() {
    QCoreApplication* const application = QCoreApplication::instance();
    if (application == nullptr) {
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    // Handed to the application, which outlives every widget that asks it.
    translator.release()->setParent(application);
    return true;
}

}  // namespace brennquist
