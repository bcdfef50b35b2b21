// "Drucken" when the print service cannot help: nothing to connect to, or a
// server on the loopback interface that takes the connection and then keeps
// silent. Each case points libcups at its own server through CUPS_SERVER.
#include <arpa/inet.h>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <chrono>
#include <string>

#include "report/report_printer.h"
#include "tests/report/print_window.h"

namespace brennquist {
namespace {

using std::chrono::milliseconds;

// A TCP socket bound to a free port on 127.0.0.1. Without listening it
// refuses every connection; listening but never accepting, the kernel
// completes the connections and nobody ever answers them.
class LoopbackSocket {
  public:
    explicit LoopbackSocket(bool listening) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* const generic = reinterpret_cast<sockaddr*>(&address);  // NOLINT
        if (fd_ < 0 || ::bind(fd_, generic, length) != 0 ||
            ::getsockname(fd_, generic, &length) != 0 || (listening && ::listen(fd_, 16) != 0)) {
            throw std::runtime_error("no loopback socket");
        }
        port_ = ntohs(address.sin_port);
    }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;
    LoopbackSocket(LoopbackSocket&&) = delete;
    LoopbackSocket& operator=(LoopbackSocket&&) = delete;
    ~LoopbackSocket() { ::close(fd_); }

    [[nodiscard]] std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    int fd_;
    int port_ = 0;
};

const std::string kNotReachable =
    "Der Bericht konnte nicht gedruckt werden: Der Druckdienst ist nicht erreichbar.";

class UnhelpfulPrintService : public testing::PrintWindowTest {
  protected:
    // libcups reads CUPS_SERVER again once its remembered server is reset.
    static void UseServer(const std::string& server) {
        qputenv("CUPS_SERVER", QByteArray::fromStdString(server));
        cupsSetServer(nullptr);
    }

    // Presses Drucken and expects exactly one warning with the given text,
    // nothing else changed and the normal cursor back; returns how long it took.
    milliseconds PressPrintExpectingOnly(const std::string& text) {
        const auto before = WindowTexts();
        QElapsedTimer clock;
        clock.start();
        PressPrint();
        const milliseconds took(clock.elapsed());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "busy cursor left behind";
        EXPECT_EQ(WindowTexts(), before);
        EXPECT_EQ(boxes_.shown.size(), 1U);
        if (!boxes_.shown.empty()) {
            EXPECT_EQ(boxes_.shown[0].text.toStdString(), text);
            EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Hinweis"));
            EXPECT_EQ(boxes_.shown[0].icon, QMessageBox::Warning);
        }
        boxes_.shown.clear();
        return took;
    }
};

TEST_F(UnhelpfulPrintService, NoSocketAtAllSaysTheServiceIsNotReachable) {
    UseServer("/nonexistent/cups.sock");
    PressPrintExpectingOnly(kNotReachable);
    PressPrintExpectingOnly(kNotReachable);  // every press gets its own notice
}

TEST_F(UnhelpfulPrintService, RefusedConnectionSaysTheServiceIsNotReachable) {
    const LoopbackSocket refusing(false);
    UseServer(refusing.Server());
    PressPrintExpectingOnly(kNotReachable);
}

TEST_F(UnhelpfulPrintService, SilentServerGivesUpAfterTheTimeLimitAndTheWindowGoesOn) {
    const LoopbackSocket silent(true);
    UseServer(silent.Server());

    const milliseconds took = PressPrintExpectingOnly(
        "Der Bericht konnte nicht gedruckt werden: Der Drucker hat nicht geantwortet.");

    EXPECT_GE(took, kPrintServiceTimeLimit) << "gave up before the limit";
    EXPECT_LT(took, std::chrono::seconds(10)) << "message later than ten seconds after the press";
    Find<QLineEdit>("txtReihe").setText(QStringLiteral("3"));
    EXPECT_EQ(Find<QLabel>("lblU").text(), QStringLiteral("11,1")) << "window no longer computes";
}

}  // namespace
}  // namespace brennquist
