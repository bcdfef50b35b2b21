#pragma once

#include <QFont>
#include <QPainter>

#include "report/report_page.h"

class QPagedPaintDevice;

namespace brennquist {

// A ReportPage drawn with a QPainter on a paged device: a QPrinter or a PDF
// file. Call Begin() first; Finished() tells after EndDocument() whether the
// painter completed the document.
class PrinterReportPage final : public ReportPage {
  public:
    explicit PrinterReportPage(QPagedPaintDevice& device);

    // Opens the document; false when the printer refuses to start it.
    [[nodiscard]] bool Begin();
    [[nodiscard]] bool Finished() const { return finished_; }

    void SetUnitMillimetres() override;
    void SetFontName(std::string_view face) override;
    void SetFontSize(int points) override;
    void SetBold(bool on) override;
    void SetX(double millimetres) override;
    void SetY(double millimetres) override;
    [[nodiscard]] double GetY() const override;
    void PrintLine(std::string_view text) override;
    void EndDocument() override;

  private:
    void DrawSegment(const QString& text);
    [[nodiscard]] double DotsPerMillimetreX() const;
    [[nodiscard]] double DotsPerMillimetreY() const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    double x_ = 0;  // millimetres
    double y_ = 0;  // millimetres
    bool finished_ = false;
};

}  // namespace brennquist
