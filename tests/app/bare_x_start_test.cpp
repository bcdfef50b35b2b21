// The real program started again and again on an X server that has no other
// client, as under xvfb-run: such a server resets itself whenever its last
// client leaves, and a start must never land in that reset. Both cores are
// kept busy meanwhile, as during a build, which widens any gap.
//
// The test is no X client itself, so it does not keep the server from
// resetting: it sees that a start got as far as painting its first window
// through the screen that Xvfb keeps in a file, and then ends it. Nor may
// anything the program starts be one: it gets a session bus of the test's
// own, since without one a desktop's D-Bus launches a bus for the display
// (dbus-launch --autolaunch, package dbus-x11) that stays connected to it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>

namespace brennquist {
namespace {

constexpr int kStarts = 50;
constexpr int kAbortSignal = SIGABRT;
constexpr auto kPaintTime = std::chrono::seconds(60);
constexpr auto kResetTime = std::chrono::seconds(20);

// The program under test; BRENNQUIST_TEST_PROGRAM names another build to compare.
QString Program() {
    const QString other = qEnvironmentVariable("BRENNQUIST_TEST_PROGRAM");
    return other.isEmpty() ? QStringLiteral(BRENNQUIST_PROGRAM) : other;
}

bool WaitFor(const std::chrono::steady_clock::duration limit, const auto& done) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

// An Xvfb of its own with server reset on (its default) that keeps its screen
// in a file.
class ScreenInFile {
  public:
    explicit ScreenInFile(const QString& folder) : screenFile_(folder + "/Xvfb_screen0") {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-fbdir"),
                     folder, QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                     QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("640x480x24")});
        if (!xvfb_.waitForReadyRead(20000)) {
            return;
        }
        display_ = ":" + QString::fromLatin1(xvfb_.readLine().trimmed());
        const QString socket = "/tmp/.X11-unix/X" + display_.mid(1);
        if (WaitFor(std::chrono::seconds(10), [&] { return QFileInfo::exists(socket); })) {
            blank_ = Screen();
        }
    }
    ~ScreenInFile() {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
    ScreenInFile(const ScreenInFile&) = delete;
    ScreenInFile& operator=(const ScreenInFile&) = delete;
    ScreenInFile(ScreenInFile&&) = delete;
    ScreenInFile& operator=(ScreenInFile&&) = delete;

    [[nodiscard]] bool Ready() const { return !blank_.isEmpty(); }
    [[nodiscard]] const QString& Display() const { return display_; }
    [[nodiscard]] bool Blank() const { return Screen() == blank_; }

  private:
    [[nodiscard]] QByteArray Screen() const {
        QFile file(screenFile_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QProcess xvfb_;
    QString screenFile_;
    QString display_;
    QByteArray blank_;
};

// A session bus that ends with the test.
class SessionBus {
  public:
    SessionBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForReadyRead(20000)) {
            address_ = QString::fromLatin1(daemon_.readLine().trimmed());
        }
    }
    ~SessionBus() {
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;
    SessionBus(SessionBus&&) = delete;
    SessionBus& operator=(SessionBus&&) = delete;

    [[nodiscard]] const QString& Address() const { return address_; }

  private:
    QProcess daemon_;
    QString address_;
};

// A process that keeps one core busy until it is ended.
std::unique_ptr<QProcess> BusyCore() {
    auto loop = std::make_unique<QProcess>();
    loop->start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    return loop;
}

struct Start {
    bool painted = false;  // got as far as its first window
    bool aborted = false;
    QString errors;
};

// One start, ended once it has painted (or when it ends by itself).
Start StartOnce(const ScreenInFile& screen, const SessionBus& bus) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), screen.Display());
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.Address());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(Program(), {});
    Start start;
    // Seen once is enough: the screen file is read while Xvfb writes it, so a
    // second look may catch it between two updates.
    WaitFor(kPaintTime, [&] {
        start.painted = program.state() == QProcess::Running && !screen.Blank();
        return start.painted || program.waitForFinished(0);
    });
    program.terminate();
    program.waitForFinished(30000);
    // Qt gives the signal as the exit code of a crashed process.
    start.aborted =
        program.exitStatus() == QProcess::CrashExit && program.exitCode() == kAbortSignal;
    start.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return start;
}

TEST(BareXStartTest, FiftyStartsOnAServerWithNoOtherClientNeverAbort) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ScreenInFile screen(folder.path());
    ASSERT_TRUE(screen.Ready()) << "Xvfb did not start";
    const SessionBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    const std::unique_ptr<QProcess> firstCore = BusyCore();
    const std::unique_ptr<QProcess> secondCore = BusyCore();

    int aborts = 0;
    int painted = 0;
    for (int i = 1; i <= kStarts; ++i) {
        // The last start's window is gone once the server has reset.
        ASSERT_TRUE(WaitFor(kResetTime, [&] { return screen.Blank(); }))
            << "the screen was not cleared before start " << i;
        const Start start = StartOnce(screen, bus);
        aborts += start.aborted ? 1 : 0;
        painted += start.painted ? 1 : 0;
        EXPECT_FALSE(start.aborted) << "start " << i << " aborted: " << start.errors.toStdString();
        EXPECT_TRUE(start.painted || start.aborted)
            << "start " << i << " ended without a window: " << start.errors.toStdString();
    }
    std::cout << "bare starts: " << kStarts << ", aborted: " << aborts << ", painted: " << painted
              << '\n';
}

}  // namespace
}  // namespace brennquist
