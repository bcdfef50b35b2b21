// The "eMail Anfrage" button of the real window, with a stand-in xdg-open
// that records what it is given.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <csignal>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/vendor.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

// What the stand-in xdg-open saw on one start.
struct Record {
    std::string argumentCount;
    std::string firstArgument;
};

const std::string kLinkHead =
    std::string(kVendorMailTo) + "?Subject=Anfrage Akkukonfiguration 07.12.2026&Body=Anfrage\n\v\r";

class MailClickTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programFolder_.isValid());
        ASSERT_TRUE(stubFolder_.isValid());
        ASSERT_TRUE(emptyFolder_.isValid());
        ASSERT_TRUE(canaryFolder_.isValid());
        FormEnvironment environment{programFolder_.path(),
                                    QLocale(QLocale::German, QLocale::Germany), [this] {
                                        ++todayCalls_;
                                        return today_;
                                    }};
        window_ = std::make_unique<frmMain>(messages_, std::move(environment));
        window_->Form_Load();
        messages_.shown.clear();
    }

    void TearDown() override { qputenv("PATH", savedPath_); }

    // Puts a stand-in xdg-open first on PATH; it records its arguments and
    // ends with the given status.
    void InstallStub(int exitStatus = 0, const QString& before = {}) {
        const QString record = QDir(stubFolder_.path()).filePath(QStringLiteral("record"));
        const QString script = QStringLiteral(
                                   "#!/bin/sh\n"
                                   "echo $# > '%1.count'\n"
                                   "echo $$ > '%1.pid'\n"
                                   "printf '%s' \"$1\" > '%1.part'\n"
                                   "mv '%1.part' '%1'\n"
                                   "%3\n"
                                   "exit %2\n")
                                   .arg(record)
                                   .arg(exitStatus)
                                   .arg(before);
        QFile stub(QDir(stubFolder_.path()).filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
        ASSERT_EQ(stub.write(script.toUtf8()), script.toUtf8().size());
        stub.close();
        ASSERT_TRUE(stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", stubFolder_.path().toUtf8() + ":" + savedPath_);
        recordPath_ = record;
    }

    // The stand-in runs on its own: wait a bounded time for its record.
    [[nodiscard]] Record WaitForRecord() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!QFile::exists(recordPath_) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {ReadFile(recordPath_ + QStringLiteral(".count")), ReadFile(recordPath_)};
    }

    void ForgetRecord() const {
        QFile::remove(recordPath_);
        QFile::remove(recordPath_ + QStringLiteral(".count"));
    }

    static std::string ReadFile(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing " + path.toStdString() + ">";
        }
        return file.readAll().toStdString();
    }

    template <typename Control>
    Control* Find(const char* name) const {
        auto* const control = window_->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void SetInputs(const std::vector<std::pair<const char*, std::string>>& texts) const {
        for (const auto& [name, text] : texts) {
            Find<QLineEdit>(name)->setText(QString::fromStdString(text));
        }
    }

    void ClickMail() const { Find<QPushButton>("cmdMailOrder")->click(); }

    // Every text the window shows, by control name.
    [[nodiscard]] std::map<QString, QString> Snapshot() const {
        std::map<QString, QString> texts{{QStringLiteral("<title>"), window_->windowTitle()}};
        for (const QLineEdit* field : window_->findChildren<QLineEdit*>()) {
            texts[field->objectName()] = field->text();
        }
        for (const QLabel* label : window_->findChildren<QLabel*>()) {
            texts[label->objectName()] = label->text();
        }
        for (const QComboBox* list : window_->findChildren<QComboBox*>()) {
            texts[list->objectName()] = list->currentText();
        }
        return texts;
    }

    [[nodiscard]] QStringList CanaryFiles() const {
        return QDir(canaryFolder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    const QByteArray savedPath_ = qgetenv("PATH");
    QTemporaryDir programFolder_;
    QTemporaryDir stubFolder_;
    QTemporaryDir emptyFolder_;
    QTemporaryDir canaryFolder_;
    QString recordPath_;
    QDate today_{2026, 12, 7};
    int todayCalls_ = 0;
    RecordingMessageBoxes messages_;
    std::unique_ptr<frmMain> window_;
};

TEST_F(MailClickTest, DesignTextsGiveTheLinkAsOneArgument) {
    InstallStub();
    const auto before = Snapshot();
    ClickMail();
    const Record record = WaitForRecord();
    EXPECT_EQ(record.argumentCount, "1\n");
    EXPECT_EQ(record.firstArgument,
              kLinkHead +
                  "Zellendaten: Kapazitaet=350 Dauerstrom=5 Gewicht=9,8\n\v\r"
                  "Schaltung: Anz.Zellen Reihe=1 Anz.Zellen Parallel=1\n\v\r");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(todayCalls_, 1);
}

TEST_F(MailClickTest, TakesTheTextsAtTheClickAndIgnoresTheOtherInputs) {
    InstallStub();
    SetInputs({{"txtK", ""},
               {"txtI", "2?a=b&c"},
               {"txtg", "50 %"},
               {"txtReihe", "Größe"},
               {"txtPar", "Ä ß €"},
               {"txtIL", "motor"},
               {"txtEta", "&Body="},
               {"txtnV", "7"}});
    Find<QComboBox>("cmbCellSelect")->setCurrentIndex(2);
    messages_.shown.clear();
    const auto before = Snapshot();
    ClickMail();
    const Record record = WaitForRecord();
    EXPECT_EQ(record.argumentCount, "1\n");
    EXPECT_EQ(record.firstArgument,
              kLinkHead +
                  "Zellendaten: Kapazitaet= Dauerstrom=2?a=b&c Gewicht=50 %\n\v\r"
                  "Schaltung: Anz.Zellen Reihe=Größe Anz.Zellen Parallel=Ä ß €\n\v\r");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MailClickTest, ShellTextsArriveUnchangedAndRunNothing) {
    InstallStub();
    const std::string canary = canaryFolder_.path().toStdString();
    const std::string substitution = "$(touch " + canary + "/a)";
    const std::string quoted = "\"; touch " + canary + "/b; \"";
    const std::string backticks = "`touch " + canary + "/c`";
    const std::string single = "'; touch " + canary + "/d; '";
    SetInputs({{"txtK", substitution},
               {"txtI", quoted},
               {"txtg", backticks},
               {"txtReihe", single},
               {"txtPar", "|| touch " + canary + "/e"}});
    messages_.shown.clear();
    ClickMail();
    const Record record = WaitForRecord();
    EXPECT_EQ(record.argumentCount, "1\n");
    EXPECT_EQ(record.firstArgument, kLinkHead + "Zellendaten: Kapazitaet=" + substitution +
                                        " Dauerstrom=" + quoted + " Gewicht=" + backticks +
                                        "\n\v\rSchaltung: Anz.Zellen Reihe=" + single +
                                        " Anz.Zellen Parallel=|| touch " + canary + "/e\n\v\r");
    EXPECT_TRUE(CanaryFiles().isEmpty()) << CanaryFiles().join(u' ').toStdString();
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MailClickTest, ReadsTheDateOncePerClick) {
    InstallStub();
    ClickMail();
    EXPECT_EQ(WaitForRecord().firstArgument.substr(0, kLinkHead.size()), kLinkHead);
    EXPECT_EQ(todayCalls_, 1);

    ForgetRecord();
    today_ = QDate(2026, 12, 8);  // past midnight
    ClickMail();
    const std::string second = WaitForRecord().firstArgument;
    EXPECT_NE(second.find("?Subject=Anfrage Akkukonfiguration 08.12.2026&Body=Anfrage\n\v\r"),
              std::string::npos)
        << second;
    EXPECT_EQ(todayCalls_, 2);
}

const ShownBox kNoMailProgram{QStringLiteral("Es ist kein E-Mail-Programm eingerichtet."),
                              QStringLiteral("Hinweis"), QMessageBox::Warning};
const ShownBox kStartFailed{QStringLiteral("Das E-Mail-Programm konnte nicht gestartet werden."),
                            QStringLiteral("Hinweis"), QMessageBox::Warning};

// xdg-open ends with 3 when no program is registered for the link and with 4
// when the registered one failed; 1 and 2 (a call it cannot take) are failures
// of the hand-over too.
TEST_F(MailClickTest, HandlerFailureIsToldByItsKind) {
    const std::vector<std::pair<int, ShownBox>> cases{
        {3, kNoMailProgram}, {4, kStartFailed}, {1, kStartFailed}, {2, kStartFailed}};
    for (const auto& [status, box] : cases) {
        InstallStub(status);
        const auto before = Snapshot();
        ClickMail();
        EXPECT_EQ(WaitForRecord().argumentCount, "1\n");
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(messages_.shown, std::vector<ShownBox>{box}) << status;
        messages_.shown.clear();
        ForgetRecord();
    }
}

// xdg-open there but not started: it may not be run, or the link is longer
// than Linux takes as one argument (five fields pasted full). Only a missing
// xdg-open means that no mail program is set up.
TEST_F(MailClickTest, HandlerThatCannotStartIsNoMissingOne) {
    InstallStub();
    const std::string longText(std::size_t{30} * 1024, '7');
    const std::vector<std::pair<QFile::Permissions, std::string>> cases{
        {QFile::ReadOwner | QFile::WriteOwner, "1"},
        {QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner, longText}};
    qputenv("PATH", stubFolder_.path().toUtf8());  // no other xdg-open to fall back on
    for (const auto& [permissions, text] : cases) {
        QFile(QDir(stubFolder_.path()).filePath(QStringLiteral("xdg-open")))
            .setPermissions(permissions);
        SetInputs(
            {{"txtK", text}, {"txtI", text}, {"txtg", text}, {"txtReihe", text}, {"txtPar", text}});
        messages_.shown.clear();  // what the computation says of such texts
        ClickMail();
        EXPECT_EQ(messages_.shown, std::vector<ShownBox>{kStartFailed}) << text.size();
    }
}

TEST_F(MailClickTest, MissingHandlerIsReportedOnEveryClick) {
    qputenv("PATH", emptyFolder_.path().toUtf8());
    const auto before = Snapshot();
    ClickMail();
    ClickMail();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(messages_.shown, (std::vector<ShownBox>{kNoMailProgram, kNoMailProgram}));
    EXPECT_EQ(todayCalls_, 2);
}

// A handler that stays (it runs the mail program it started) has taken the
// link: the button waits a few seconds at most and reports nothing.
TEST_F(MailClickTest, HandlerThatStaysIsTakenAsHandedOverWithinSeconds) {
    InstallStub(0, QStringLiteral("exec >/dev/null 2>&1; sleep 20"));
    const auto start = std::chrono::steady_clock::now();
    ClickMail();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(10));
    EXPECT_EQ(WaitForRecord().argumentCount, "1\n");
    EXPECT_TRUE(messages_.shown.empty());
}

// What the hand-over leaves running (xdg-open, the mail program it starts, the
// process that waits for it) may outlive the program: it must hold none of the
// program's descriptors, such as its X connection; here the write end of a
// pipe, which reports its end only once no process holds it any more.
TEST_F(MailClickTest, HandOverHoldsNoDescriptorOfTheProgram) {
    InstallStub(0, QStringLiteral("exec >/dev/null 2>&1; exec sleep 60"));
    std::array<int, 2> pipe{-1, -1};
    ASSERT_EQ(::pipe(pipe.data()), 0);  // inherited by every child, as a leaked descriptor is
    ClickMail();
    EXPECT_EQ(WaitForRecord().argumentCount, "1\n");
    ::close(pipe[1]);
    pollfd end{.fd = pipe[0], .events = POLLIN, .revents = 0};
    EXPECT_EQ(::poll(&end, 1, 20000), 1) << "a process of the hand-over holds the descriptor";
    EXPECT_NE(end.revents & POLLHUP, 0);
    ::close(pipe[0]);
    const int stub =
        QByteArray::fromStdString(ReadFile(recordPath_ + QStringLiteral(".pid"))).trimmed().toInt();
    if (stub > 0) {
        ::kill(stub, SIGTERM);  // the lingering stand-in
    }
}

}  // namespace
}  // namespace brennquist
