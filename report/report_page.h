#pragma once

#include <string_view>

namespace brennquist {

// The drawing operations a print back-end offers to the report. Positions
// are millimetres from the top-left corner of the printable area, y grows
// downwards. Texts are UTF-8.
class ReportPage {
  public:
    ReportPage() = default;
    ReportPage(const ReportPage&) = delete;
    ReportPage& operator=(const ReportPage&) = delete;
    ReportPage(ReportPage&&) = delete;
    ReportPage& operator=(ReportPage&&) = delete;
    virtual ~ReportPage() = default;

    virtual void SetUnitMillimetres() = 0;
    virtual void SetFontName(std::string_view face) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetBold(bool on) = 0;
    virtual void SetX(double millimetres) = 0;
    virtual void SetY(double millimetres) = 0;
    [[nodiscard]] virtual double GetY() const = 0;

    // Draws the text with its top-left corner at the current position. Each
    // CR LF inside it, and the end of the text, moves to x = 0 on the next line.
    virtual void PrintLine(std::string_view text) = 0;

    // Closes the document; the page goes to the printer.
    virtual void EndDocument() = 0;
};

}  // namespace brennquist
