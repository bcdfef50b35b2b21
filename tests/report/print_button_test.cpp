// "Drucken" on the real window against a real print queue: a cups-pdf queue
// set up as the default printer by print_queue.sh, whose output PDF is read
// back with the poppler tools.
#include <cups/cups.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <string>
#include <vector>

#include "tests/report/command_output.h"
#include "tests/report/pdf_text.h"
#include "tests/report/print_window.h"
#include "tests/report/stalling_proxy.h"

namespace brennquist {
namespace {

using testing::CommandOutput;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const QString kQueue = QStringLiteral("BrennquistPDF");

// The folder cups-pdf writes a user's PDF files to: its "Out" setting with
// the user's home folder and name filled in.
QString CupsPdfOutputFolder() {
    const passwd* const user = getpwuid(geteuid());
    if (user == nullptr) {
        return {};
    }
    QString folder = QStringLiteral("/var/spool/cups-pdf/${USER}");  // cups-pdf's own default
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression outLine(QStringLiteral("^\\s*Out\\s+(\\S.*?)\\s*$"));
        for (const QString& line : QString::fromUtf8(conf.readAll()).split(QLatin1Char('\n'))) {
            const auto match = outLine.match(line);
            if (match.hasMatch()) {
                folder = match.captured(1);
            }
        }
    }
    return folder.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir))
        .replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
}

QSet<QString> PdfFiles(const QString& folder) {
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return {names.begin(), names.end()};
}

bool QueueIsEmpty() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), kQueue});
    return lpstat.waitForFinished(10000) && lpstat.exitCode() == 0 &&
           lpstat.readAllStandardOutput().trimmed().isEmpty();
}

bool RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Width and height, in whole points, of every page box in a PDF.
std::vector<std::pair<int, int>> PageSizes(const std::string& pdf) {
    static const QRegularExpression mediaBox(
        QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
    std::vector<std::pair<int, int>> sizes;
    for (auto box = mediaBox.globalMatch(QString::fromLatin1(pdf)); box.hasNext();) {
        const auto match = box.next();
        sizes.emplace_back(qRound(match.captured(1).toDouble()),
                           qRound(match.captured(2).toDouble()));
    }
    return sizes;
}

class PrintQueue : public testing::PrintWindowTest {
  protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "needs root: the test runs its own cupsd with a cups-pdf queue "
                            "(tests/report/print_queue.sh)";
        }
        PrintWindowTest::SetUp();
        ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), kQueue)
            << "print_queue.sh start should have made " << kQueue.toStdString()
            << " the default printer";
        outputFolder_ = CupsPdfOutputFolder();
        ASSERT_FALSE(outputFolder_.isEmpty());
        earlierFiles_ = PdfFiles(outputFolder_);
    }

    void TearDown() override {
        for (const QString& file : printed_) {
            QFile::remove(file);
        }
    }

    // Waits, at most a minute, until the queue has finished its jobs and a new
    // PDF file holding `marker` is in the output folder; its path, or empty.
    QString WaitForPrintedFile(const QString& marker) {
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            if (QueueIsEmpty()) {
                for (const QString& name : PdfFiles(outputFolder_) - earlierFiles_) {
                    QString path = QDir(outputFolder_).filePath(name);
                    const QString text = CommandOutput(QStringLiteral("pdftotext"), {path, "-"});
                    if (text.contains(marker)) {
                        printed_.append(path);
                        return path;
                    }
                }
            }
            QThread::msleep(250);
        }
        return {};
    }

    QString outputFolder_;
    QSet<QString> earlierFiles_;
    QStringList printed_;
};

TEST_F(PrintQueue, PressingPrintSendsThePageOfTheWindowsTextsToTheDefaultPrinter) {
    Find<QLineEdit>("txtK").setText(QStringLiteral("4321"));
    boxes_.shown.clear();

    PressPrint();

    EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
    const QString pdf = WaitForPrintedFile(QStringLiteral("Kapazität pro Zelle: 4321 mAh"));
    ASSERT_FALSE(pdf.isEmpty()) << "no printed PDF in " << outputFolder_.toStdString();

    const std::string dashes(95, '-');
    const std::vector<std::string> expected{
        "Brennquist und Luftschraubenberechnung",
        dashes,
        "Akkutyp: Lithium Polymer/Ionen",
        dashes,
        "Eingabe Zellendaten:",
        "Kapazität pro Zelle: 4321 mAh",
        "Dauerstrom pro Zelle: 5 A",
        "Gewicht pro Zelle: 9,8 g",
        dashes,
        "Eingabe Schaltung:",
        "Anzahl der Zellen in Reihe: 1",
        "Anzahl der Zellen parallel: 1",
        dashes,
        "Eingabedaten Motordaten:",
        "Nennstrom (Dauer): 5 A",
        "Wirkungsgrad : 80 %",
        "Drehzahl : 1000 [1/Vmin]",
        dashes,
        "Daten des Akkupacks:",
        "Nennspannung: 3,7 V",
        "Dauerstrom: 5 A",
        "Kapazität: 4321 mAh",
        "Gewicht: 9,8 g",
        dashes,
        "Daten des Motors und der Luftschraube:",
        "Drehzahl[1/min] bei 3,7V: 3700",
        "Wellenleistung[W] bei 3,7V: 15",
        "Drehzahl bei 100W (n100-Wert): 24667",
        "empfohlene Luftschraube: 8x5",
        dashes,
        "Brennquist - Modellbau Kessler GmbH Druckdatum: 05.03.2027",
    };
    EXPECT_THAT(testing::NonEmptyLayoutLines(pdf), ElementsAreArray(expected));
    const QString info = CommandOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
}

TEST_F(PrintQueue, AQueueThatRefusesTheJobGivesOneNoticeAndChangesNothing) {
    ASSERT_TRUE(RunTool(QStringLiteral("cupsreject"), {kQueue}));
    const auto before = WindowTexts();

    PressPrint();

    ASSERT_TRUE(RunTool(QStringLiteral("cupsaccept"), {kQueue}));
    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].text.toStdString(),
              "Der Bericht konnte nicht gedruckt werden: Der Druckauftrag ist fehlgeschlagen.");
    EXPECT_EQ(boxes_.shown[0].title, QStringLiteral("Hinweis"));
    EXPECT_EQ(boxes_.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(WindowTexts(), before);
}

// The service runs but has no default printer: a spare queue made the
// default and then removed leaves none, until the test queue is made the
// default again.
TEST_F(PrintQueue, AServiceWithoutDefaultPrinterSaysThatNoneIsSetUp) {
    const QString spare = QStringLiteral("BrennquistSpare");
    ASSERT_TRUE(
        RunTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), spare, QStringLiteral("-v"),
                                            QStringLiteral("cups-pdf:/"), QStringLiteral("-E")}));
    ASSERT_TRUE(RunTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), spare}));
    ASSERT_TRUE(RunTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), spare}));

    PressPrint();

    ASSERT_TRUE(RunTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kQueue}));
    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].text.toStdString(),
              "Der Bericht konnte nicht gedruckt werden: Es ist kein Standarddrucker "
              "eingerichtet.");
    EXPECT_EQ(boxes_.shown[0].icon, QMessageBox::Warning);
}

// The service answers the look-up of the default printer and its paper, then
// falls silent when the job is handed over ("job-name" is in the request that
// creates the job). The press still ends within ten seconds, and no job is left.
TEST_F(PrintQueue, AServiceFallingSilentAtTheHandOverGivesUpInTime) {
    testing::StallingProxy proxy("/run/cups/cups.sock", "job-name");
    qputenv("CUPS_SERVER", QByteArray::fromStdString(proxy.Server()));
    cupsSetServer(nullptr);  // libcups reads CUPS_SERVER again
    QElapsedTimer clock;
    clock.start();

    PressPrint();

    const std::chrono::milliseconds took(clock.elapsed());
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
    EXPECT_TRUE(proxy.Stalled()) << "the job never reached the hand-over";
    EXPECT_LT(took, std::chrono::seconds(10));
    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].text.toStdString(),
              "Der Bericht konnte nicht gedruckt werden: Der Drucker hat nicht geantwortet.");
    EXPECT_TRUE(QueueIsEmpty());
}

// The paper is the user's own default for the printer, as `lpoptions -o
// media=Letter` saves it in ~/.cups/lpoptions, not the queue's A4: the PDF
// handed over (seen on the way, through a proxy that passes everything on)
// has US Letter pages, and the queue prints it.
TEST_F(PrintQueue, ThePageHasTheUsersOwnDefaultPaper) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    // Written as `lpoptions` writes it for a user. The tool itself is not
    // run: for root, newer CUPS writes the system-wide file instead, which
    // would outlive the test and reach every later one.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral(".cups")));
    QFile options(home.filePath(QStringLiteral(".cups/lpoptions")));
    ASSERT_TRUE(options.open(QIODevice::WriteOnly));
    options.write(QStringLiteral("Dest %1 media=Letter\n").arg(kQueue).toUtf8());
    options.close();
    testing::StallingProxy proxy("/run/cups/cups.sock", "");
    qputenv("CUPS_SERVER", QByteArray::fromStdString(proxy.Server()));
    Find<QLineEdit>("txtK").setText(QStringLiteral("2718"));
    boxes_.shown.clear();

    PressPrint();

    qunsetenv("CUPS_SERVER");
    qputenv("HOME", oldHome);
    EXPECT_TRUE(boxes_.shown.empty()) << boxes_.shown.front().text.toStdString();
    const std::string sent = proxy.ClientSent();
    EXPECT_NE(sent.find("%PDF-"), std::string::npos) << "no PDF went to the print service";
    // 8.5 x 11 inches in points; A4 would be 595 x 842.
    EXPECT_THAT(PageSizes(sent), ElementsAre(std::pair(612, 792)));
    EXPECT_FALSE(WaitForPrintedFile(QStringLiteral("Kapazität pro Zelle: 2718 mAh")).isEmpty());
}

}  // namespace
}  // namespace brennquist
