// "Drucken" when the print service cannot help, one row for each way it can
// fail: nothing to connect to, a stand-in server on 127.0.0.1 that misbehaves
// (see stand_in_print_server.h), a name that no DNS server resolves, a
// connection that must be encrypted. The test program runs as if started from
// a shell, with a terminal of its own (own_terminal.h); each row presses
// Drucken in the real window and expects its one notice within ten seconds,
// nothing asked on the terminal and the window working on at once.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "tests/report/own_terminal.h"
#include "tests/report/print_window.h"
#include "tests/report/stand_in_print_server.h"

namespace brennquist {
namespace {

using std::chrono::milliseconds;
using testing::ServerBehaviour;

const std::string kNotReachable =
    "Der Bericht konnte nicht gedruckt werden: Der Druckdienst ist nicht erreichbar.";
const std::string kNoAnswer =
    "Der Bericht konnte nicht gedruckt werden: Der Drucker hat nicht geantwortet.";
const std::string kJobFailed =
    "Der Bericht konnte nicht gedruckt werden: Der Druckauftrag ist fehlgeschlagen.";
const std::string kWantsLogin =
    "Der Bericht konnte nicht gedruckt werden: Der Druckdienst verlangt eine Anmeldung.";

// A host name that only DNS could resolve.
const char* const kUnresolvableHost = "druckdienst.brennquist.test";

struct UnhelpfulService {
    const char* name;
    std::optional<ServerBehaviour> standIn;  // the server CUPS_SERVER names, if any
    const char* cupsServer;                  // else CUPS_SERVER itself
    const char* encryption;                  // CUPS_ENCRYPTION, if set
    bool silentNameServer;                   // DNS does not answer
    std::string notice;
};

const UnhelpfulService kServices[] = {
    {"NoSocketAtAll", std::nullopt, "/nonexistent/cups.sock", nullptr, false, kNotReachable},
    {"RefusesTheConnection", ServerBehaviour::Refuses, nullptr, nullptr, false, kNotReachable},
    {"AcceptsAndNeverAnswers", ServerBehaviour::Silent, nullptr, nullptr, false, kNoAnswer},
    {"NamesAPrinterThenIsBusy", ServerBehaviour::Busy, nullptr, nullptr, false, kJobFailed},
    {"AnswersWithoutEnd", ServerBehaviour::Trickles, nullptr, nullptr, false, kNoAnswer},
    {"NameServerKeepsSilent", std::nullopt, kUnresolvableHost, nullptr, true, kNotReachable},
    {"EncryptionRequiredAndSilent", ServerBehaviour::Silent, nullptr, "Required", false, kNoAnswer},
    {"AsksForAPassword", ServerBehaviour::AsksForPassword, nullptr, nullptr, false, kWantsLogin},
    {"ClosesAtOnce", ServerBehaviour::ClosesAtOnce, nullptr, nullptr, false, kNotReachable},
};

// An environment variable set for the lifetime of the object; the print
// helper inherits it.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        if (value != nullptr) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ScopedVariable(ScopedVariable&&) = delete;
    ScopedVariable& operator=(ScopedVariable&&) = delete;
    ~ScopedVariable() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

  private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// This test process's own /etc/resolv.conf, naming the silent name server
// with a long time-out, over the system's for the lifetime of the object.
class PrivateResolverConfiguration {
  public:
    explicit PrivateResolverConfiguration(const QString& folder)
        : file_(folder + QStringLiteral("/resolv.conf")) {
        QFile conf(file_);
        mounted_ = conf.open(QIODevice::WriteOnly) &&
                   conf.write("nameserver 127.0.0.1\noptions timeout:30 attempts:2\n") > 0 &&
                   conf.flush() &&
                   ::mount(QFile::encodeName(file_).constData(), kSystemFile, nullptr, MS_BIND,
                           nullptr) == 0;
    }
    PrivateResolverConfiguration(const PrivateResolverConfiguration&) = delete;
    PrivateResolverConfiguration& operator=(const PrivateResolverConfiguration&) = delete;
    PrivateResolverConfiguration(PrivateResolverConfiguration&&) = delete;
    PrivateResolverConfiguration& operator=(PrivateResolverConfiguration&&) = delete;
    ~PrivateResolverConfiguration() {
        if (mounted_) {
            ::umount(kSystemFile);
        }
    }

    [[nodiscard]] bool Mounted() const { return mounted_; }

  private:
    static constexpr const char* kSystemFile = "/etc/resolv.conf";
    QString file_;
    bool mounted_ = false;
};

void PrintTo(const UnhelpfulService& service, std::ostream* out) {
    *out << service.name;
}

class UnhelpfulPrintService : public testing::PrintWindowTest,
                              public ::testing::WithParamInterface<UnhelpfulService> {};

TEST_P(UnhelpfulPrintService, DruckenGivesItsNoticeWithinTenSecondsAndAsksNothing) {
    const UnhelpfulService& service = GetParam();
    std::optional<testing::StandInPrintServer> standIn;
    if (service.standIn) {
        standIn.emplace(*service.standIn);
    }
    const std::string server = standIn ? standIn->Server() : service.cupsServer;
    const ScopedVariable cupsServer("CUPS_SERVER", server.c_str());
    const ScopedVariable encryption("CUPS_ENCRYPTION", service.encryption);
    std::optional<testing::SilentNameServer> nameServer;
    std::optional<PrivateResolverConfiguration> resolver;
    if (service.silentNameServer) {
        if (!testing::OwnTerminal::Get().PrivateMounts()) {
            GTEST_SKIP() << "needs root: the test puts its own /etc/resolv.conf over the "
                            "system's in a mount namespace of its own";
        }
        nameServer.emplace();
        if (!nameServer->Bound()) {
            GTEST_SKIP() << "UDP port 53 on 127.0.0.1 is taken; no silent name server";
        }
        resolver.emplace(folder_.path());
        if (!resolver->Mounted()) {
            GTEST_SKIP() << "could not put a file of the test's own over /etc/resolv.conf: "
                         << std::strerror(errno);
        }
    }
    const auto before = WindowTexts();
    testing::OwnTerminal& terminal = testing::OwnTerminal::Get();
    const auto pressed = terminal.Sync("(Drucken pressed)");

    QElapsedTimer clock;
    clock.start();
    PressPrint();
    const milliseconds took(clock.elapsed());
    const std::string onTerminal = terminal.Between(pressed, terminal.Sync("(notice given)"));

    std::cout << "Drucken against \"" << service.name << "\": notice after " << took.count()
              << " ms\n";
    EXPECT_LT(took, std::chrono::seconds(10)) << "notice later than ten seconds after the press";
    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].text.toStdString(), service.notice);
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Hinweis"));
    EXPECT_EQ(boxes_.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "busy cursor left behind";
    EXPECT_EQ(WindowTexts(), before);
    // The window works on at once.
    Find<QLineEdit>("txtReihe").setText(QStringLiteral("3"));
    EXPECT_EQ(Find<QLabel>("lblU").text(), QStringLiteral("11,1"));
    if (standIn && service.standIn != ServerBehaviour::Refuses) {
        EXPECT_GE(standIn->Connections(), 1) << "the stand-in server was never asked";
    }
    // Nothing goes on talking to the server once the notice is there.
    if (service.standIn == ServerBehaviour::Trickles) {
        QElapsedTimer gone;
        gone.start();
        while (standIn->Trickling() && gone.elapsed() < 2000) {
            QThread::msleep(10);
        }
        EXPECT_FALSE(standIn->Trickling()) << "the endless answer is still being read";
    }
    EXPECT_EQ(onTerminal, "") << "something was written or asked on the terminal";
}

INSTANTIATE_TEST_SUITE_P(EveryWay, UnhelpfulPrintService, ::testing::ValuesIn(kServices),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brennquist
