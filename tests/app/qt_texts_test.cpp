// Qt's own texts are German whatever locale the program starts under. The
// test runs under several locales (tests/ui/CMakeLists.txt), so its main()
// keeps the locale of its environment instead of pinning a German one.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QStringList>
#include <cstdlib>
#include <memory>

#include "app/qt_texts.h"

namespace brennquist {
namespace {

// An action's text as the menu shows it, without access-key marker.
QStringList MenuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* const action : menu.actions()) {
        if (!action->isSeparator()) {
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        }
    }
    return texts;
}

TEST(QtTextsTest, RunsUnderTheLocaleOfItsEnvironment) {
    const QString locale = qEnvironmentVariable("LC_ALL").section(QLatin1Char('.'), 0, 0);
    EXPECT_EQ(QLocale::system().name(), locale);
}

TEST(QtTextsTest, FieldMenuIsGerman) {
    ASSERT_TRUE(InstallGermanQtTexts());
    QLineEdit field(QStringLiteral("350"));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    EXPECT_EQ(MenuTexts(*menu),
              (QStringList{"Rückgängig", "Wiederherstellen", "Ausschneiden", "Kopieren", "Einfügen",
                           "Löschen", "Alles auswählen"}));
}

}  // namespace
}  // namespace brennquist

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    const QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
