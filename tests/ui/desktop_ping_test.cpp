// The window on a real X server answers the desktop's "are you there"
// (_NET_WM_PING) while Drucken waits for a print server that never answers.
// A stand-in window manager on its own connection pings every 100 ms and
// notes how long each answer took.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <thread>

#include "report/print_helper.h"
#include "report/print_helper_program.h"
#include "tests/report/stand_in_print_server.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Pings one window from a thread of its own, as a window manager does, one
// ping at a time every 100 ms, and keeps the longest time an answer took or
// the last ping has been waiting for one.
class PingingWindowManager {
  public:
    explicit PingingWindowManager(const xcb_window_t window)
        : connection_(xcb_connect(nullptr, nullptr), &xcb_disconnect), window_(window) {
        xcb_connection_t* const x = connection_.get();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
        protocols_ = Atom(x, "WM_PROTOCOLS");
        ping_ = Atom(x, "_NET_WM_PING");
        // Answers to pings go to the root window, to whoever watches its
        // structure or redirects its children: the window manager.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(x);
        thread_ = std::thread([this] { Run(); });
    }
    PingingWindowManager(const PingingWindowManager&) = delete;
    PingingWindowManager& operator=(const PingingWindowManager&) = delete;
    PingingWindowManager(PingingWindowManager&&) = delete;
    PingingWindowManager& operator=(PingingWindowManager&&) = delete;
    ~PingingWindowManager() { Stop(); }

    void Stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    [[nodiscard]] bool Connected() const {
        return xcb_connection_has_error(connection_.get()) == 0;
    }
    [[nodiscard]] int Answered() const { return answered_; }
    [[nodiscard]] std::chrono::milliseconds LongestWait() const {
        return std::chrono::milliseconds(longestMilliseconds_);
    }

  private:
    void Run() {
        for (std::uint32_t number = 1; !stop_; ++number) {
            const Clock::time_point sent = Clock::now();
            SendPing(number);
            bool answered = false;
            while (!stop_ && !answered) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                answered = AnswerCame(number);
                const auto waited =
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent);
                longestMilliseconds_ = std::max<long long>(longestMilliseconds_, waited.count());
            }
            answered_ += answered ? 1 : 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    void SendPing(const std::uint32_t number) {
        xcb_client_message_event_t ping{};
        ping.response_type = XCB_CLIENT_MESSAGE;
        ping.format = 32;
        ping.window = window_;
        ping.type = protocols_;
        ping.data.data32[0] = ping_;
        ping.data.data32[1] = number;  // the time stamp field carries the ping's number
        ping.data.data32[2] = window_;
        xcb_send_event(connection_.get(), 0, window_, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&ping));
        xcb_flush(connection_.get());
    }

    // Whether the answer to ping `number` is among the events that came.
    bool AnswerCame(const std::uint32_t number) {
        bool came = false;
        while (xcb_generic_event_t* const event = xcb_poll_for_event(connection_.get())) {
            const auto& answer = *reinterpret_cast<const xcb_client_message_event_t*>(event);
            came = came || ((event->response_type & 0x7FU) == XCB_CLIENT_MESSAGE &&
                            answer.type == protocols_ && answer.data.data32[0] == ping_ &&
                            answer.data.data32[1] == number);
            std::free(event);
        }
        return came;
    }

    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    xcb_window_t window_;
    xcb_atom_t protocols_ = XCB_ATOM_NONE;
    xcb_atom_t ping_ = XCB_ATOM_NONE;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> answered_ = 0;
    std::atomic<long long> longestMilliseconds_ = 0;
};

// A window of the program's kind, with German numbers, on this display.
class PingedWindow {
  public:
    PingedWindow()
        : window_(boxes_, FormEnvironment{.settingsFolder = folder_.path(),
                                          .locale = QLocale(QLocale::German, QLocale::Germany),
                                          .today = [] { return QDate(2026, 12, 8); }}) {
        window_.Form_Load();
        window_.show();
        boxes_.shown.clear();
    }

    frmMain& Window() { return window_; }
    RecordingMessageBoxes& Boxes() { return boxes_; }

  private:
    QTemporaryDir folder_;
    RecordingMessageBoxes boxes_;
    frmMain window_;
};

// What keeps a button waiting on another process, and what it says after.
struct Wait {
    const char* name;
    const char* button;
    const char* notice;  // nullptr: none
};

class DesktopPingTest : public ::testing::TestWithParam<Wait> {};

TEST_P(DesktopPingTest, EveryPingDuringTheWaitIsAnsweredWithinASecond) {
    // Drucken waits for a server that takes the connection and never answers;
    // the mail hand-over for an xdg-open that takes its time.
    const testing::StandInPrintServer silent(testing::ServerBehaviour::Silent);
    ::setenv("CUPS_SERVER", silent.Server().c_str(), 1);
    const QTemporaryDir bin;
    QFile opener(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexec sleep 8\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    ::setenv("PATH", (bin.path().toLocal8Bit() + ':' + path).constData(), 1);
    PingedWindow pinged;

    PingingWindowManager manager(static_cast<xcb_window_t>(pinged.Window().winId()));
    ASSERT_TRUE(manager.Connected());
    pinged.Window().findChild<QPushButton*>(QString::fromLatin1(GetParam().button))->click();
    manager.Stop();
    ::setenv("PATH", path.constData(), 1);

    if (GetParam().notice != nullptr) {
        ASSERT_EQ(pinged.Boxes().Count(QString::fromUtf8(GetParam().notice)), 1)
            << "the button did not wait for the other process";
    }
    std::cout << "longest ping " << manager.LongestWait().count() << " ms, " << manager.Answered()
              << " answered\n";
    EXPECT_GE(manager.Answered(), 10) << "the window answered hardly any ping while it waited";
    EXPECT_LT(manager.LongestWait(), std::chrono::seconds(1));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DesktopPingTest,
    ::testing::Values(Wait{"Drucken", "cmdPrint",
                           "Der Bericht konnte nicht gedruckt werden: Der Drucker hat nicht "
                           "geantwortet."},
                      Wait{"MailHandOver", "cmdMailOrder", nullptr}),
    [](const ::testing::TestParamInfo<Wait>& info) { return std::string(info.param.name); });

// A key typed while Drucken waits reaches its field only once the wait is
// over, as if it had been typed then.
TEST(DesktopWaitTest, KeysTypedDuringTheWaitAreHandledAfterIt) {
    const testing::StandInPrintServer silent(testing::ServerBehaviour::Silent);
    ::setenv("CUPS_SERVER", silent.Server().c_str(), 1);
    PingedWindow pinged;
    frmMain& window = pinged.Window();
    auto* const series = window.findChild<QLineEdit*>(QStringLiteral("txtReihe"));
    series->activateWindow();
    series->setFocus();
    series->selectAll();
    QString textDuringTheWait;
    // xdotool types into the focused window from outside, as a person would.
    QTimer::singleShot(1000, [&] {
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("4")});
    });
    QTimer::singleShot(3000, [&] { textDuringTheWait = series->text(); });
    window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();

    EXPECT_EQ(textDuringTheWait, QStringLiteral("1")) << "a key was handled during the wait";
    EXPECT_TRUE(QTest::qWaitFor([series] { return series->text() == QStringLiteral("4"); }))
        << "the key typed during the wait was lost: " << series->text().toStdString();
}

}  // namespace
}  // namespace brennquist

// The test runs on an X server of its own, which it starts before Qt.
int main(int argc, char** argv) {
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
    brennquist::ServeAsOwnPrintHelper();
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1024x768x24")});
    if (!xvfb.waitForReadyRead(30000)) {
        std::cerr << "Xvfb did not start\n";
        return 1;
    }
    const QByteArray display = ":" + xvfb.readLine().trimmed();
    ::setenv("DISPLAY", display.constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    int status = 0;
    {
        const QApplication app(argc, argv);
        status = RUN_ALL_TESTS();
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return status;
}
