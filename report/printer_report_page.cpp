#include "report/printer_report_page.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>

namespace brennquist {
namespace {

constexpr double kMillimetresPerInch = 25.4;

// Where a PrintLine text ends one line and goes on with the next.
constexpr std::string_view kLineEnd = "\r\n";

QString FromUtf8(const std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The face, followed by its metric-compatible twin where one exists, so that
// a system without the face still gives the page the same line widths and
// heights instead of whatever the font fallback picks.
QStringList FacesFor(const QString& face) {
    if (face.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0) {
        return {face, QStringLiteral("Liberation Sans")};
    }
    return {face};
}

}  // namespace

PrinterReportPage::PrinterReportPage(QPagedPaintDevice& device) : device_(device) {}

bool PrinterReportPage::Begin() {
    finished_ = false;
    return painter_.begin(&device_);
}

// Positions are always kept in millimetres and converted to printer dots when
// drawing, so there is no other unit to switch from.
void PrinterReportPage::SetUnitMillimetres() {}

void PrinterReportPage::SetFontName(const std::string_view face) {
    font_.setFamilies(FacesFor(FromUtf8(face)));
}

void PrinterReportPage::SetFontSize(const int points) {
    font_.setPointSize(points);
}

void PrinterReportPage::SetBold(const bool on) {
    font_.setBold(on);
}

void PrinterReportPage::SetX(const double millimetres) {
    x_ = millimetres;
}

void PrinterReportPage::SetY(const double millimetres) {
    y_ = millimetres;
}

double PrinterReportPage::GetY() const {
    return y_;
}

void PrinterReportPage::PrintLine(const std::string_view text) {
    std::string_view rest = text;
    for (auto end = rest.find(kLineEnd); end != std::string_view::npos; end = rest.find(kLineEnd)) {
        DrawSegment(FromUtf8(rest.substr(0, end)));
        rest.remove_prefix(end + kLineEnd.size());
    }
    DrawSegment(FromUtf8(rest));
}

void PrinterReportPage::EndDocument() {
    finished_ = painter_.isActive() && painter_.end();
}

// Draws one line with its top-left corner at the current position, then moves
// to the start of the next line.
void PrinterReportPage::DrawSegment(const QString& text) {
    const QFontMetricsF metrics(font_, &device_);
    if (painter_.isActive() && !text.isEmpty()) {
        painter_.setFont(font_);
        painter_.drawText(
            QPointF(x_ * DotsPerMillimetreX(), y_ * DotsPerMillimetreY() + metrics.ascent()), text);
    }
    x_ = 0;
    y_ += metrics.lineSpacing() / DotsPerMillimetreY();
}

double PrinterReportPage::DotsPerMillimetreX() const {
    return device_.logicalDpiX() / kMillimetresPerInch;
}

double PrinterReportPage::DotsPerMillimetreY() const {
    return device_.logicalDpiY() / kMillimetresPerInch;
}

}  // namespace brennquist
