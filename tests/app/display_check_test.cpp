// Whether the program finds a display it can show its window on, asked of
// real display servers: an Xvfb, a listening socket standing in for a
// Wayland compositor, and names where nothing answers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "app/display_check.h"
#include "app/linux/display_connection.h"

namespace brennquist {
namespace {

constexpr std::array<const char*, 7> kVariables = {
    "DISPLAY",         "WAYLAND_DISPLAY",  "WAYLAND_SOCKET", "QT_QPA_PLATFORM",
    "XDG_RUNTIME_DIR", "XDG_SESSION_TYPE", "XAUTHORITY"};
const std::string kNoDisplay =
    "Brennquist kann nicht starten: Es ist keine grafische Anzeige eingestellt (DISPLAY und "
    "WAYLAND_DISPLAY sind leer).";
// No X server uses this number, and no file of that name is a socket.
constexpr const char* kDeadDisplay = ":64999";

// An X server of its own for the test, on a display number it picks itself.
class VirtualX11 {
  public:
    explicit VirtualX11(const QStringList& extra = {}) {
        xvfb_.start(QStringLiteral("Xvfb"),
                    QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"),
                                QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                QStringLiteral("-screen"), QStringLiteral("0"),
                                QStringLiteral("64x64x24")} +
                        extra);
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
            ::listen(fd_, 16) == 0;  // room for every check of a test
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

// What the check says for a program started with these arguments.
std::optional<std::string> MissingDisplay(std::vector<const char*> arguments = {}) {
    arguments.insert(arguments.begin(), "brennquist");
    return CheckDisplay(arguments).missing;
}

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
    setenv("WAYLAND_DISPLAY", "", 1);
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    EXPECT_EQ(MissingDisplay(),
              "Brennquist kann nicht starten: Es ist keine grafische Anzeige eingestellt "
              "(WAYLAND_DISPLAY ist leer).");
}

// As libwayland: without WAYLAND_DISPLAY the socket is "wayland-0" in
// XDG_RUNTIME_DIR, wherever Wayland is among the platforms Qt tries.
TEST_F(DisplayCheckTest, WaylandWithoutItsVariableUsesTheDefaultSocket) {
    setenv("DISPLAY", kDeadDisplay, 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    EXPECT_EQ(MissingDisplay(),
              "Brennquist kann nicht starten: Die grafischen Anzeigen „:64999“ und "
              "„wayland-0“ sind nicht erreichbar.");
    const ListeningSocket compositor(RuntimePath("wayland-0"));
    ASSERT_TRUE(compositor.listening());
    EXPECT_EQ(MissingDisplay(), std::nullopt) << "a Wayland session";
    unsetenv("XDG_SESSION_TYPE");
    EXPECT_NE(MissingDisplay(), std::nullopt) << "neither session nor variable: X11 only";
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt) << "Wayland chosen";
    unsetenv("QT_QPA_PLATFORM");
    EXPECT_EQ(MissingDisplay({"-platform", "wayland"}), std::nullopt) << "Wayland chosen";
}

// A compositor that starts the program hands it a connected socket by its
// number in WAYLAND_SOCKET; Wayland then uses that one and no other.
TEST_F(DisplayCheckTest, HandedOverWaylandSocketIsUsableWhileItsPeerIsThere) {
    std::array<int, 2> pair{-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair.data()), 0);
    const auto unreachable = [](const std::string& value) {
        return "Brennquist kann nicht starten: Die grafische Anzeige „WAYLAND_SOCKET=" + value +
               "“ ist nicht erreichbar.";
    };
    const std::string number = std::to_string(pair[0]);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    setenv("WAYLAND_SOCKET", number.c_str(), 1);
    ASSERT_EQ(::write(pair[1], "w", 1), 1);  // the compositor's first word
    EXPECT_EQ(MissingDisplay(), std::nullopt);
    char first = 0;
    EXPECT_EQ(::read(pair[0], &first, 1), 1) << "the connection is left to Qt";
    EXPECT_EQ(first, 'w');
    EXPECT_STREQ(std::getenv("WAYLAND_SOCKET"), number.c_str());

    ::close(pair[1]);
    EXPECT_EQ(MissingDisplay(), unreachable(number)) << "the compositor has gone";
    ::close(pair[0]);
    EXPECT_EQ(MissingDisplay(), unreachable(number)) << "no descriptor of that number";
    std::array<int, 2> pipe{-1, -1};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    setenv("WAYLAND_SOCKET", std::to_string(pipe[0]).c_str(), 1);
    EXPECT_EQ(MissingDisplay(), unreachable(std::to_string(pipe[0]))) << "no socket";
    ::close(pipe[0]);
    ::close(pipe[1]);
    setenv("WAYLAND_SOCKET", "3x", 1);
    EXPECT_EQ(MissingDisplay(), unreachable("3x"));
}

// Qt's own -platform and -display options count as much as the variables.
TEST_F(DisplayCheckTest, QtsOwnOptionsCount) {
    EXPECT_EQ(MissingDisplay({"-platform", "offscreen"}), std::nullopt);
    EXPECT_EQ(MissingDisplay({"--platform", "minimal"}), std::nullopt);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EQ(MissingDisplay({"-platform", "xcb"}),
              kNoDisplay.substr(0, kNoDisplay.find('(')) + "(DISPLAY ist leer).")
        << "the option wins over the variable";
    unsetenv("QT_QPA_PLATFORM");
    // The value of another option is no option of its own.
    EXPECT_EQ(MissingDisplay({"-qwindowtitle", "-platform", "offscreen"}), kNoDisplay);

    const VirtualX11 server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    EXPECT_EQ(MissingDisplay({"-display", server.name().c_str()}), std::nullopt);
    setenv("DISPLAY", kDeadDisplay, 1);
    EXPECT_EQ(MissingDisplay({"--display", server.name().c_str()}), std::nullopt);
    setenv("DISPLAY", server.name().c_str(), 1);
    EXPECT_EQ(
        MissingDisplay({"-display", kDeadDisplay}),
        "Brennquist kann nicht starten: Die grafische Anzeige „:64999“ ist nicht erreichbar.");
}

// The check's connection stays open until the program lets it go, so the
// server never sees its last client leave before Qt's arrives.
TEST_F(DisplayCheckTest, AnsweringX11DisplayIsHeldUntilReleased) {
    const VirtualX11 server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server.name().c_str(), 1);
    const std::array<const char*, 1> arguments{"brennquist"};
    DisplayCheck check = CheckDisplay(arguments);
    EXPECT_EQ(check.missing, std::nullopt);
    ASSERT_NE(check.connection, nullptr);
    EXPECT_EQ(xcb_connection_has_error(check.connection->x11.get()), 0);
    // Still answering: a round trip over the held connection.
    const xcb_get_input_focus_cookie_t cookie = xcb_get_input_focus(check.connection->x11.get());
    std::free(xcb_get_input_focus_reply(check.connection->x11.get(), cookie, nullptr));
    EXPECT_EQ(xcb_connection_has_error(check.connection->x11.get()), 0);
}

// An X server's cookie file holding one cookie for any display.
bool WriteCookieFile(const QString& path) {
    QByteArray entry;
    const auto field = [&entry](const QByteArray& bytes) {
        entry.append(static_cast<char>(bytes.size() >> 8)).append(static_cast<char>(bytes.size()));
        entry.append(bytes);
    };
    entry.append('\xff').append('\xff');  // any address family
    field({});
    field({});
    field("MIT-MAGIC-COOKIE-1");
    field(QByteArray(16, '\x2a'));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(entry) == entry.size();
}

TEST_F(DisplayCheckTest, ServerThatWantsAuthorizationIsNamedAsSuch) {
    const QTemporaryDir folder;
    const QString cookies = QDir(folder.path()).filePath(QStringLiteral("cookies"));
    ASSERT_TRUE(WriteCookieFile(cookies));
    const VirtualX11 server({QStringLiteral("-auth"), cookies});
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server.name().c_str(), 1);
    setenv("XAUTHORITY", QDir(folder.path()).filePath(QStringLiteral("none")).toUtf8(), 1);
    const std::optional<std::string> missing = MissingDisplay();
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->starts_with("Brennquist kann nicht starten: Die grafische Anzeige „" +
                                     server.name() +
                                     "“ verweigert die Verbindung, weil die Berechtigung fehlt"))
        << *missing;
    EXPECT_NE(missing->find("Authorization required"), std::string::npos)
        << "the server's own words: " << *missing;
    setenv("XAUTHORITY", cookies.toUtf8(), 1);
    EXPECT_EQ(MissingDisplay(), std::nullopt) << "with the cookie";
}

// A TCP listener on 127.0.0.1 that takes every connection and drops it at
// once, counting them, as an X server over the network that does not answer.
class DroppingTcpServer {
  public:
    DroppingTcpServer() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        constexpr int kX11Port = 6000;
        for (int display = 64000 - kX11Port; display < 64100 - kX11Port && fd_ >= 0; ++display) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(static_cast<std::uint16_t>(kX11Port + display));
            if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
                ::listen(fd_, 8) == 0) {
                name_ = "127.0.0.1:" + std::to_string(display);
                break;
            }
        }
        if (!name_.empty()) {
            thread_ = std::thread([this] { Serve(); });
        }
    }
    ~DroppingTcpServer() {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        if (thread_.joinable()) {
            thread_.join();
        }
        ::close(fd_);
    }
    DroppingTcpServer(const DroppingTcpServer&) = delete;
    DroppingTcpServer& operator=(const DroppingTcpServer&) = delete;
    DroppingTcpServer(DroppingTcpServer&&) = delete;
    DroppingTcpServer& operator=(DroppingTcpServer&&) = delete;

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] int connections() const { return connections_; }

  private:
    void Serve() {
        while (!stop_) {
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0) {
                return;
            }
            ++connections_;
            ::close(client);
        }
    }

    int fd_;
    std::string name_;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> connections_ = 0;
};

TEST_F(DisplayCheckTest, DisplayOverTheNetworkIsAskedOnce) {
    const DroppingTcpServer server;
    ASSERT_FALSE(server.name().empty()) << "no free port";
    setenv("DISPLAY", server.name().c_str(), 1);
    EXPECT_EQ(MissingDisplay(), "Brennquist kann nicht starten: Die grafische Anzeige „" +
                                    server.name() + "“ ist nicht erreichbar.");
    EXPECT_EQ(server.connections(), 1);
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

// The real program, started as a user would, with the display variables
// given and the others unset.
QProcessEnvironment ProgramEnvironment(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : kVariables) {
        environment.remove(QString::fromLatin1(variable));
    }
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), display);
    }
    return environment;
}

ProgramRun RunProgram(const QProcessEnvironment& environment, const QStringList& arguments = {}) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BRENNQUIST_PROGRAM), arguments);
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

ProgramRun RunProgram(const QString& display) {
    return RunProgram(ProgramEnvironment(display));
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

TEST(ProgramDisplayTest, RefusingServerGetsOneGermanLine) {
    const QTemporaryDir folder;
    const QString cookies = QDir(folder.path()).filePath(QStringLiteral("cookies"));
    ASSERT_TRUE(WriteCookieFile(cookies));
    const VirtualX11 server({QStringLiteral("-auth"), cookies});
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    QProcessEnvironment environment = ProgramEnvironment(QString::fromStdString(server.name()));
    environment.insert(QStringLiteral("XAUTHORITY"),
                       QDir(folder.path()).filePath(QStringLiteral("none")));
    const ProgramRun run = RunProgram(environment);
    EXPECT_EQ(run.status, QProcess::NormalExit) << "no abort";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
    EXPECT_EQ(run.errors.count(QStringLiteral("Authorization required")), 1)
        << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("verweigert die Verbindung")))
        << run.errors.toStdString();
}

// With -platform offscreen the window needs no display at all: Qt loads its
// offscreen platform (Qt tells which plugins it loads) and the program runs.
TEST(ProgramDisplayTest, PlatformOptionStartsWithoutAnyDisplay) {
    QProcessEnvironment environment = ProgramEnvironment({});
    environment.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BRENNQUIST_PROGRAM),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QByteArray errors;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!errors.contains("libqoffscreen") && std::chrono::steady_clock::now() < deadline &&
           !program.waitForFinished(50)) {
        errors += program.readAllStandardError();
    }
    errors += program.readAllStandardError();
    const bool running = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(5000);
    EXPECT_TRUE(running) << errors.toStdString();
    EXPECT_TRUE(errors.contains("libqoffscreen")) << errors.toStdString();
    EXPECT_FALSE(errors.contains("Brennquist kann nicht starten")) << errors.toStdString();
}

// Started by a real compositor with nothing but the socket it hands over: a
// headless Weston runs the program as its shell client, and Qt opens the
// program's first window through that socket.
TEST(ProgramDisplayTest, SocketHandedOverByTheCompositorOpensTheWindow) {
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()) {
        GTEST_SKIP() << "weston is not installed";
    }
    const QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QDir folder(runtime.path());
    const QString client = folder.filePath(QStringLiteral("client"));
    const QString log = folder.filePath(QStringLiteral("program.log"));
    const QString pid = folder.filePath(QStringLiteral("pid"));
    const QString config = folder.filePath(QStringLiteral("weston.ini"));
    // The session says Wayland; Weston's own WAYLAND_DISPLAY is taken away.
    QFile script(client);
    QFile ini(config);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && ini.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho $$ > '%1'\nunset WAYLAND_DISPLAY DISPLAY\n"
                                "export XDG_SESSION_TYPE=wayland WAYLAND_DEBUG=client\n"
                                "exec '%2' 2> '%3'\n")
                     .arg(pid, QStringLiteral(BRENNQUIST_PROGRAM), log)
                     .toUtf8());
    ini.write(QStringLiteral("[shell]\nclient=%1\n").arg(client).toUtf8());
    script.close();
    ini.close();
    ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));

    QProcessEnvironment environment = ProgramEnvironment({});
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess weston;
    weston.setProcessEnvironment(environment);
    weston.setProcessChannelMode(QProcess::MergedChannels);
    weston.start(QStringLiteral("weston"),
                 {QStringLiteral("--backend=headless-backend.so"),
                  QStringLiteral("--socket=brennquist-test"), QStringLiteral("--idle-time=0"),
                  QStringLiteral("--config=") + config});
    // Until the program asks for a window, or refuses, or Weston ends.
    QByteArray talk;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!talk.contains("get_toplevel") && !talk.contains("kann nicht starten") &&
           std::chrono::steady_clock::now() < deadline && !weston.waitForFinished(50)) {
        QFile file(log);
        talk = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QFile pidFile(pid);
    const int program = pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toInt() : 0;
    if (program > 0) {
        ::kill(program, SIGTERM);
    }
    weston.terminate();
    weston.waitForFinished(10000);
    EXPECT_TRUE(talk.contains("get_toplevel"))
        << talk.right(2000).toStdString() << weston.readAll().right(2000).toStdString();
    EXPECT_FALSE(talk.contains("kann nicht starten")) << talk.toStdString();
}

}  // namespace
}  // namespace brennquist
