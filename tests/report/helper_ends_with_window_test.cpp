// A window killed while Drucken waits for a silent print server takes its
// print helper with it: nothing is left holding the server's connection or a
// file. The window runs as a child process of the test (this program started
// again with --press-drucken), so that the test can kill it.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <optional>
#include <string>

#include "report/print_helper.h"
#include "report/print_helper_program.h"
#include "tests/report/stand_in_print_server.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist {
namespace {

constexpr const char* kPressDrucken = "--press-drucken";

// The first child of `parent` started as the print helper, if any yet.
std::optional<pid_t> PrintHelperOf(const qint64 parent) {
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& name : processes) {
        bool isNumber = false;
        const pid_t pid = name.toInt(&isNumber);
        if (!isNumber) {
            continue;
        }
        std::ifstream status("/proc/" + name.toStdString() + "/status");
        std::string line;
        while (std::getline(status, line) && !line.starts_with("PPid:")) {
        }
        std::ifstream commandLine("/proc/" + name.toStdString() + "/cmdline");
        const std::string arguments{std::istreambuf_iterator<char>(commandLine), {}};
        if (line == "PPid:\t" + std::to_string(parent) &&
            arguments.find(kPrintHelperArgument) != std::string::npos) {
            return pid;
        }
    }
    return std::nullopt;
}

TEST(HelperEndsWithWindowTest, KilledDuringDruckenItsHelperEndsAndNoFileIsLeft) {
    const testing::StandInPrintServer silent(testing::ServerBehaviour::Silent);
    // The window's temporary folder holds nothing else: its settings folder
    // and Qt's runtime folder lie elsewhere.
    const QTemporaryDir temporary;
    const QTemporaryDir settings;
    const QTemporaryDir runtime;
    QProcess window;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), QString::fromStdString(silent.Server()));
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral("/proc/self/exe"),
                 {QString::fromLatin1(kPressDrucken), settings.path()});
    ASSERT_TRUE(window.waitForStarted());

    // The helper has reached the server once the server has its connection.
    std::optional<pid_t> helper;
    for (int look = 0; look < 600 && (!helper || silent.Connections() == 0); ++look) {
        helper = PrintHelperOf(window.processId());
        ::usleep(50'000);
    }
    ASSERT_TRUE(helper) << "the window started no print helper";
    ASSERT_GT(silent.Connections(), 0) << "the helper never reached the print server";
    const int helperEnded = static_cast<int>(::syscall(SYS_pidfd_open, *helper, 0));
    ASSERT_GE(helperEnded, 0) << "the helper had ended before its window";

    ::kill(static_cast<pid_t>(window.processId()), SIGKILL);
    window.waitForFinished();
    // The helper's own limit is 8.5 s: an orphan would still be there in 3.
    pollfd ended{helperEnded, POLLIN, 0};
    EXPECT_EQ(::poll(&ended, 1, 3000), 1) << "the helper outlived its window";
    ::close(helperEnded);
    EXPECT_EQ(QDir(temporary.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{});
}

// The window side, in the child: presses Drucken and waits as the program does.
int PressDrucken(int argc, char** argv, const QString& settingsFolder) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QApplication app(argc, argv);
    RecordingMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{.settingsFolder = settingsFolder,
                                          .locale = QLocale(QLocale::German, QLocale::Germany),
                                          .today = [] { return QDate(2026, 12, 8); }});
    window.Form_Load();
    window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    return 0;
}

}  // namespace
}  // namespace brennquist

int main(int argc, char** argv) {
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
    brennquist::ServeAsOwnPrintHelper();
    if (argc == 3 && std::string_view(argv[1]) == brennquist::kPressDrucken) {
        return brennquist::PressDrucken(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    ::testing::InitGoogleTest(&argc, argv);
    const QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
