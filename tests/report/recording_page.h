#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/report_page.h"

namespace brennquist::testing {

// A ReportPage that writes down every call and, for each PrintLine, the
// position and style it was drawn with. A line is 5 mm high here.
class RecordingPage final : public ReportPage {
  public:
    struct Line {
        std::string text;
        std::string face;
        double x;
        double y;
        int points;
        bool bold;
    };

    static constexpr double kLineHeight = 5;

    mutable std::vector<std::string> calls;
    std::vector<Line> lines;

    void SetUnitMillimetres() override { calls.emplace_back("SetUnitMillimetres"); }
    void SetFontName(std::string_view face) override {
        face_ = face;
        calls.push_back("SetFontName(" + face_ + ")");
    }
    void SetFontSize(int points) override {
        points_ = points;
        calls.push_back("SetFontSize(" + std::to_string(points) + ")");
    }
    void SetBold(bool on) override {
        bold_ = on;
        calls.emplace_back(on ? "SetBold(on)" : "SetBold(off)");
    }
    void SetX(double millimetres) override {
        x_ = millimetres;
        calls.push_back("SetX(" + Number(millimetres) + ")");
    }
    void SetY(double millimetres) override {
        y_ = millimetres;
        calls.push_back("SetY(" + Number(millimetres) + ")");
    }
    [[nodiscard]] double GetY() const override {
        calls.emplace_back("GetY");
        return y_;
    }
    void PrintLine(std::string_view text) override {
        lines.push_back({std::string(text), face_, x_, y_, points_, bold_});
        calls.push_back("PrintLine(" + std::string(text) + ")");
        // Every CR LF and the end of the text move to the next line.
        for (auto at = text.find("\r\n"); at != std::string_view::npos;
             at = text.find("\r\n", at + 2)) {
            y_ += kLineHeight;
        }
        y_ += kLineHeight;
        x_ = 0;
    }
    void EndDocument() override { calls.emplace_back("EndDocument"); }

  private:
    static std::string Number(double value) {
        const auto whole = static_cast<long long>(value);
        return static_cast<double>(whole) == value ? std::to_string(whole) : std::to_string(value);
    }

    std::string face_;
    double x_ = -1;  // nothing set yet
    double y_ = -1;
    int points_ = 0;
    bool bold_ = false;
};

}  // namespace brennquist::testing
