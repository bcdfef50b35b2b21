// Where akku.dat lives on Windows: in %APPDATA%\Brennquist for a copy the
// installer laid out (its uninstaller beside the program), beside the
// program for an unpacked one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/settings_location.h"

namespace brennquist {
namespace {

struct LayoutCase {
    const char* name;
    const char* besideTheProgram;  // a file laid beside the program, or nothing
    const char* folderBesideIt;    // a folder laid beside it, or nothing
    bool installed;
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
    *out << layout.name;
}

class SettingsLocationWindows : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SettingsLocationWindows, TheLayoutDecides) {
    const LayoutCase& layout = GetParam();
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.path();
    if (layout.besideTheProgram != nullptr) {
        QFile file(program + QLatin1Char('/') + QLatin1String(layout.besideTheProgram));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    if (layout.folderBesideIt != nullptr) {
        ASSERT_TRUE(QDir(program).mkdir(QLatin1String(layout.folderBesideIt)));
    }
    const QString appData = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    ASSERT_FALSE(appData.isEmpty()) << "Windows names the roaming application data";

    const QString folder = SettingsFolder(program);

    if (layout.installed) {
        EXPECT_EQ(folder.toLower(), (appData + QStringLiteral("/Brennquist")).toLower());
    } else {
        EXPECT_EQ(folder, program);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLocationWindows,
                         ::testing::Values(LayoutCase{"UnpackedFolder", nullptr, nullptr, false},
                                           LayoutCase{"InstalledWithItsUninstaller",
                                                      "uninstall.exe", nullptr, true},
                                           LayoutCase{"AFolderNamedLikeTheUninstallerIsNoInstall",
                                                      nullptr, "uninstall.exe", false},
                                           LayoutCase{"AnotherProgramsUninstallerIsNoInstall",
                                                      "unins000.exe", nullptr, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brennquist
