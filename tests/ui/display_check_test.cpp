// Whether the program finds a display it can show its window on, asked of
// real display servers: an Xvfb, a listening socket standing in for a
// Wayland compositor, and names where nothing answers.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "ui/display_check.h"

namespace brennquist {
namespace {

constexpr std::array<const char*, 4> kVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                                   "XDG_RUNTIME_DIR"};
const std::string kNoDisplay =
    "Brennquist kann nicht starten: Es ist keine grafische Anzeige eingestellt (DISPLAY und "
    "WAYLAND_DISPLAY sind leer).";
// No X server uses this number, and no file of that name is a socket.
constexpr const char* kDeadDisplay = ":64999";

// An X server of its own for the test, on a display number it picks itself.
class VirtualX11 {
  public:
    VirtualX11() {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("64x64x24")});
        if (!xvfb_.waitForReadyRead(20000)) {
            return;
        }
        const QByteArray number = xvfb_.readLine().trimmed();
        // Ready once its socket is there.
        const QString socket = QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number);
        for (int tries = 0; tries < 100 && !QFileInfo::exists(socket); ++tries) {
            QThread::msleep(50);
        }
        name_ = ":" + number.toStdString();
    }
    ~VirtualX11() {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
    VirtualX11(const VirtualX11&) = delete;
    VirtualX11& operator=(const VirtualX11&) = delete;
    VirtualX11(VirtualX11&&) = delete;
    VirtualX11& operator=(VirtualX11&&) = delete;

    [[nodiscard]] const std::string& name() const { return name_; }

  private:
    QProcess xvfb_;
    std::string name_;
};

// A Unix socket that accepts connections, where a Wayland compositor keeps its own.
class ListeningSocket {
  public:
    explicit ListeningSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(static_cast<char*>(address.sun_path), path.c_str(),
                     sizeof(address.sun_path) - 1);
        listening_ =
            fd_ >= 0 &&
            ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
            ::listen(fd_, 1) == 0;
    }
    ~ListeningSocket() { ::close(fd_); }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;
    ListeningSocket(ListeningSocket&&) = delete;
    ListeningSocket& operator=(ListeningSocket&&) = delete;

    [[nodiscard]] bool listening() const { return listening_; }

  private:
    int fd_;
    bool listening_ = false;
};

class DisplayCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtimeFolder_.isValid());
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            const char* const value = std::getenv(kVariables[i]);
            saved_[i] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(kVariables[i]);
        }
        setenv("XDG_RUNTIME_DIR", runtimeFolder_.path().toStdString().c_str(), 1);
    }
    void TearDown() override {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (saved_[i]) {
                setenv(kVariables[i], saved_[i]->c_str(), 1);
            } else {
                unsetenv(kVariables[i]);
            }
        }
    }

    [[nodiscard]] std::string RuntimePath(const char* name) const {
        return QDir(runtimeFolder_.path()).filePath(QString::fromLatin1(name)).toStdString();
    }

  private:
    QTemporaryDir runtimeFolder_;
    std::array<std::optional<std::string>, kVariables.size()> saved_;
};

TEST_F(DisplayCheckTest, NothingSetIsNamedAsSuch) {
    EXPECT_EQ(MissingDisplay(), kNoDisplay);
    setenv("DISPLAY", "", 1);
    setenv("WAYLAND_DISPLAY", "", 1);
    setenv("QT_QPA_PLATFORM", "", 1);
    EXPECT_EQ(MissingDisplay(), kNoDisplay);
}

TEST_F(DisplayCheckTest, AnsweringX11DisplayIsUsable) {
    const VirtualX11 server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server.name().c_str(), 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt);
}

TEST_F(DisplayCheckTest, X11DisplayThatDoesNotAnswerIsNamed) {
    setenv("DISPLAY", kDeadDisplay, 1);
    EXPECT_EQ(
        MissingDisplay(),
        "Brennquist kann nicht starten: Die grafische Anzeige „:64999“ ist nicht erreichbar.");
}

TEST_F(DisplayCheckTest, ListeningWaylandSocketIsUsableAndAMissingOneIsNamed) {
    setenv("WAYLAND_DISPLAY", "wayland-test", 1);
    EXPECT_EQ(MissingDisplay(),
              "Brennquist kann nicht starten: Die grafische Anzeige "
              "„wayland-test“ ist nicht erreichbar.");
    const ListeningSocket compositor(RuntimePath("wayland-test"));
    ASSERT_TRUE(compositor.listening());
    EXPECT_EQ(MissingDisplay(), std::nullopt);
    setenv("WAYLAND_DISPLAY", RuntimePath("wayland-test").c_str(), 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt) << "a full path";
}

TEST_F(DisplayCheckTest, OnlyTheChosenPlatformCounts) {
    const ListeningSocket compositor(RuntimePath("wayland-0"));
    ASSERT_TRUE(compositor.listening());
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    setenv("DISPLAY", kDeadDisplay, 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_EQ(
        MissingDisplay(),
        "Brennquist kann nicht starten: Die grafische Anzeige „:64999“ ist nicht erreichbar.");
    setenv("QT_QPA_PLATFORM", "wayland;xcb", 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt);
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    EXPECT_EQ(MissingDisplay(),
              "Brennquist kann nicht starten: Es ist keine grafische Anzeige eingestellt "
              "(WAYLAND_DISPLAY ist leer).");
}

TEST_F(DisplayCheckTest, PlatformWithoutDisplayServerNeedsNone) {
    setenv("DISPLAY", kDeadDisplay, 1);
    for (const char* platform : {"offscreen", "minimal", "xcb;offscreen", "vnc:size=800x600"}) {
        setenv("QT_QPA_PLATFORM", platform, 1);
        EXPECT_EQ(MissingDisplay(), std::nullopt) << platform;
    }
}

struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString output;
    QString errors;
};

// The real program, started as a user would, with the display variables given.
ProgramRun RunProgram(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : kVariables) {
        environment.remove(QString::fromLatin1(variable));
    }
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), display);
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BRENNQUIST_PROGRAM), {});
    ProgramRun run;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished(5000);
        return run;
    }
    run.exitCode = program.exitCode();
    run.status = program.exitStatus();
    run.output = QString::fromUtf8(program.readAllStandardOutput());
    run.errors = QString::fromUtf8(program.readAllStandardError());
    return run;
}

class ProgramWithoutDisplayTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramWithoutDisplayTest, SaysWhatIsMissingInOneGermanLineAndEndsWithStatusOne) {
    const ProgramRun run = RunProgram(QString::fromLatin1(GetParam()));
    EXPECT_EQ(run.status, QProcess::NormalExit) << "no abort";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.output.isEmpty()) << run.output.toStdString();
    EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.startsWith(QStringLiteral("Brennquist kann nicht starten: ")))
        << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("script"))) << run.errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Displays, ProgramWithoutDisplayTest, ::testing::Values("", kDeadDisplay),
                         [](const auto& info) {
                             return std::string(info.index == 0 ? "NoneSet" : "Unreachable");
                         });

}  // namespace
}  // namespace brennquist
