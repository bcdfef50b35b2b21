// Where akku.dat lives: per user for an installed copy, beside the program
// for any other.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "app/settings_location.h"

namespace brennquist {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::optional<QByteArray>& value)
        : name_(name),
          saved_(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                 : std::nullopt) {
        Set(value);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ScopedVariable(ScopedVariable&&) = delete;
    ScopedVariable& operator=(ScopedVariable&&) = delete;
    ~ScopedVariable() { Set(saved_); }

  private:
    void Set(const std::optional<QByteArray>& value) {
        if (value) {
            qputenv(name_, *value);
        } else {
            qunsetenv(name_);
        }
    }

    const char* name_;
    std::optional<QByteArray> saved_;
};

class SettingsLocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("bin")));
    }

    // A tree as `cmake --install` lays it out: bin/ and the menu entry in share/.
    void Install() {
        ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("share/applications")));
        QFile entry(
            root_.filePath(QStringLiteral("share/applications/" BRENNQUIST_APP_ID ".desktop")));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    }

    [[nodiscard]] QString Bin() const { return root_.filePath(QStringLiteral("bin")); }

    QTemporaryDir root_;
    ScopedVariable home_{"HOME", QByteArray("/home/modellbauer")};
};

TEST_F(SettingsLocationTest, InstalledCopyUsesTheUsersConfigFolder) {
    Install();
    const ScopedVariable config("XDG_CONFIG_HOME", QByteArray("/tmp/konfig"));
    EXPECT_EQ(SettingsFolder(Bin()), "/tmp/konfig/brennquist");
}

TEST_F(SettingsLocationTest, InstalledCopyFallsBackToDotConfigInHome) {
    Install();
    for (const std::optional<QByteArray>& unusable :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""),
          std::optional<QByteArray>("relativ/konfig")}) {
        const ScopedVariable config("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(SettingsFolder(Bin()), "/home/modellbauer/.config/brennquist")
            << unusable.value_or("<unset>").toStdString();
    }
}

TEST_F(SettingsLocationTest, CopyWithoutInstalledDataKeepsItsOwnFolder) {
    const ScopedVariable config("XDG_CONFIG_HOME", QByteArray("/tmp/konfig"));
    EXPECT_EQ(SettingsFolder(Bin()), Bin());
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("share/applications")));
    EXPECT_EQ(SettingsFolder(Bin()), Bin()) << "another program's menu folder is no install";
}

// Without HOME (a service, `env -i`, some cron jobs) the home folder is the
// one the user database gives for the user running the test, as a shell's
// "~" is: never the root folder.
TEST_F(SettingsLocationTest, InstalledCopyWithoutHomeTakesItFromTheUserDatabase) {
    Install();
    const ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
    const passwd* const user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr) << "the test user has no entry in the user database";
    const QString expected =
        QFile::decodeName(user->pw_dir) + QStringLiteral("/.config/brennquist");
    for (const std::optional<QByteArray>& unusable :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""),
          std::optional<QByteArray>("relativ")}) {
        const ScopedVariable home("HOME", unusable);
        const QString folder = SettingsFolder(Bin());
        EXPECT_EQ(folder, expected) << unusable.value_or("<unset>").toStdString();
        EXPECT_FALSE(folder.startsWith(QStringLiteral("/.config"))) << folder.toStdString();
    }
}

// Root may write anywhere and a user may lock a portable copy's folder: the
// decision must not depend on either.
TEST_F(SettingsLocationTest, WritableFolderDoesNotDecide) {
    const ScopedVariable config("XDG_CONFIG_HOME", QByteArray("/tmp/konfig"));
    ASSERT_TRUE(QFile::setPermissions(Bin(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(SettingsFolder(Bin()), Bin());
    Install();
    ASSERT_TRUE(
        QFile::setPermissions(Bin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(SettingsFolder(Bin()), "/tmp/konfig/brennquist");
}

}  // namespace
}  // namespace brennquist
