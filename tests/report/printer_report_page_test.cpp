// The real back-end: the report drawn on a QPrinter into a PDF file, then
// read back with the poppler tools.
#include "report/printer_report_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "engine/vendor.h"
#include "report/print_report.h"
#include "report/printer_job.h"
#include "report/report_printer.h"
#include "tests/report/command_output.h"
#include "tests/report/pdf_text.h"
#include "tests/report/recording_page.h"
#include "tests/report/report_samples.h"

namespace brennquist {
namespace {

using testing::CommandOutput;
using testing::DesignTexts;
using ::testing::DoubleNear;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::PdfLine;

constexpr double kPointsPerMillimetre = 72 / 25.4;

// The texts the report hands to PrintLine, split at CR LF, empty parts
// dropped and blanks collapsed as the PDF text read-back shows them.
std::vector<std::string> ExpectedLines(const ReportTexts& texts) {
    testing::RecordingPage page;
    PrintReport(page, texts);
    std::vector<std::string> lines;
    for (const auto& line : page.lines) {
        const QString text = QString::fromStdString(line.text);
        for (const QString& part : text.split(QStringLiteral("\r\n"))) {
            if (!part.trimmed().isEmpty()) {
                lines.push_back(part.simplified().toStdString());
            }
        }
    }
    return lines;
}

class PdfReport : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // Prints the texts into report.pdf on A4; false when the job did not complete.
    bool Print(const ReportTexts& texts) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_);
        printer.setPageSize(QPageSize(QPageSize::A4));
        paintTopLeft_ = printer.pageLayout().paintRectPoints().topLeft();
        return PrintReportOn(printer, texts);
    }

    QTemporaryDir folder_;
    QString pdf_ = folder_.filePath(QStringLiteral("report.pdf"));
    QPointF paintTopLeft_;  // points from the paper's corner
};

TEST_F(PdfReport, ShowsAllLinesInOrderWithTheirValuesOnOnePage) {
    ASSERT_TRUE(Print(DesignTexts()));
    EXPECT_THAT(testing::NonEmptyLayoutLines(pdf_), ElementsAreArray(ExpectedLines(DesignTexts())));
    const QString info = CommandOutput(QStringLiteral("pdfinfo"), {pdf_});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
}

TEST_F(PdfReport, FooterCarriesTheMakerTenBlanksAndTheDate) {
    ASSERT_TRUE(Print(DesignTexts()));
    const std::vector<std::string> lines = testing::NonEmptyLayoutLines(pdf_);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::string(kMakerNotice) + " Druckdatum: 05.03.2027");
    // The ten blanks leave a gap before the date; a blank of 10 pt Liberation
    // Sans is 2.78 pt wide.
    const std::vector<PdfLine> boxes = testing::LinePositions(pdf_);
    ASSERT_GE(boxes.size(), 2U);
    const PdfLine& maker = boxes[boxes.size() - 2];
    const PdfLine& date = boxes.back();
    EXPECT_EQ(maker.text, kMakerNotice);
    EXPECT_EQ(date.text, "Druckdatum: 05.03.2027");
    EXPECT_DOUBLE_EQ(maker.top, date.top);
    EXPECT_THAT(date.left - maker.right, DoubleNear(27.8, 0.5));
}

TEST_F(PdfReport, ArialComesOutAsLiberationSans) {
    ASSERT_TRUE(Print(DesignTexts()));
    const QString fonts = CommandOutput(QStringLiteral("pdffonts"), {pdf_});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans-Bold "))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans "))) << fonts.toStdString();
}

TEST_F(PdfReport, LinesSitAtTheirMillimetrePositions) {
    ASSERT_TRUE(Print(DesignTexts()));
    const std::vector<PdfLine> lines = testing::LinePositions(pdf_);
    ASSERT_GE(lines.size(), 30U);
    const double edge = paintTopLeft_.x() + 20 * kPointsPerMillimetre;
    // Heading: top-left corner at (20 mm, 20 mm) of the printable area.
    EXPECT_THAT(lines[0].text, HasSubstr("Brennquist und Luftschraubenberechnung"));
    EXPECT_THAT(lines[0].left, DoubleNear(edge, 0.2));
    EXPECT_THAT(lines[0].top, DoubleNear(paintTopLeft_.y() + 20 * kPointsPerMillimetre, 0.5));
    // The separator below it starts at the printable area's left edge.
    EXPECT_THAT(lines[1].left, DoubleNear(paintTopLeft_.x(), 0.2));
    for (std::size_t index = 2; index + 1 < lines.size(); ++index) {  // up to the date
        EXPECT_THAT(lines[index].left, DoubleNear(edge, 0.2)) << lines[index].text;
    }
}

TEST_F(PdfReport, LineBreaksLeaveOneEmptyLineAndTheHeadingTenMillimetres) {
    ASSERT_TRUE(Print(DesignTexts()));
    const std::vector<PdfLine> lines = testing::LinePositions(pdf_);
    ASSERT_GE(lines.size(), 31U);
    // Rows of one section follow each other by one 12 pt line height.
    const auto find = [&lines](const std::string& start) {
        for (std::size_t index = 0; index < lines.size(); ++index) {
            if (lines[index].text.starts_with(start)) {
                return index;
            }
        }
        ADD_FAILURE() << "no line " << start;
        return std::size_t{0};
    };
    const std::size_t capacity = find("Kapazität pro Zelle");
    const double lineHeight = lines[capacity + 1].top - lines[capacity].top;
    EXPECT_GT(lineHeight, 12.0);
    EXPECT_LT(lineHeight, 16.0);
    for (const char* row : {"Akkutyp", "Gewicht pro Zelle", "Anzahl der Zellen parallel"}) {
        const std::size_t at = find(row);
        EXPECT_THAT(lines[at + 1].top - lines[at].top, DoubleNear(2 * lineHeight, 0.05)) << row;
    }
    for (const char* row :
         {"Drehzahl : 1000", "Gewicht: 9,8 g", "Nennspannung", "Dauerstrom pro"}) {
        const std::size_t at = find(row);
        EXPECT_THAT(lines[at + 1].top - lines[at].top, DoubleNear(lineHeight, 0.05)) << row;
    }
    // Below the 16 pt separator: its own line height, then 10 mm.
    const double separatorHeight = lines[1].top - lines[0].top;
    EXPECT_THAT(lines[2].top - lines[1].top,
                DoubleNear(separatorHeight + 10 * kPointsPerMillimetre, 0.05));
}

TEST_F(PdfReport, ManyLineBreaksInAFieldNeverStartASecondPage) {
    ReportTexts texts = DesignTexts();
    for (int count = 0; count < 80; ++count) {
        texts.inputs.cmbCellSelect += "Zeile\r\n";
    }
    ASSERT_TRUE(Print(texts));
    const QString info = CommandOutput(QStringLiteral("pdfinfo"), {pdf_});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
}

TEST_F(PdfReport, TwoJobsAreSeparateDocumentsWithTheirOwnDates) {
    ReportTexts later = DesignTexts();
    later.printDate = std::chrono::year_month_day{std::chrono::year{2027}, std::chrono::March,
                                                  std::chrono::day{6}};
    ASSERT_TRUE(Print(DesignTexts()));
    const std::vector<std::string> first = testing::NonEmptyLayoutLines(pdf_);
    ASSERT_TRUE(Print(later));
    const std::vector<std::string> second = testing::NonEmptyLayoutLines(pdf_);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    EXPECT_THAT(first.back(), HasSubstr("05.03.2027"));
    EXPECT_THAT(second.back(), HasSubstr("06.03.2027"));
    EXPECT_TRUE(std::equal(first.begin(), first.end() - 1, second.begin()));
}

TEST_F(PdfReport, AJobThatCannotStartIsReported) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder_.filePath(QStringLiteral("no such folder/report.pdf")));
    EXPECT_FALSE(PrintReportOn(printer, DesignTexts()));
}

}  // namespace
}  // namespace brennquist
