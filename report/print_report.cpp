#include "report/print_report.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/vendor.h"
#include "report/print_date.h"

namespace brennquist {
namespace {

constexpr std::string_view kFontFace = "Arial";
constexpr int kHeadingPoints = 16;
constexpr int kBodyPoints = 12;
constexpr int kFooterPoints = 10;
constexpr double kLeftEdge = 20;
constexpr double kFirstLineTop = 20;
constexpr double kSpaceBelowHeading = 10;

constexpr std::size_t kSeparatorLength = 95;
// Ends a row with an empty line below it, together with PrintLine's own move.
constexpr std::string_view kLineBreak = "\r\n";

std::string Separator() {
    std::string dashes;
    dashes.assign(kSeparatorLength, '-');
    return dashes;
}

struct Section {
    std::string_view heading;
    std::vector<std::string> rows;
};

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

std::array<Section, 5> Sections(const InputSet& in, const ResultSet& out) {
    return {{
        {"Eingabe Zellendaten: ",
         {Joined({"Kapazität pro Zelle: ", in.txtK, " mAh"}),
          Joined({"Dauerstrom pro Zelle: ", in.txtI, " A"}),
          Joined({"Gewicht pro Zelle: ", in.txtg, " g", kLineBreak})}},
        {"Eingabe Schaltung: ",
         {Joined({"Anzahl der Zellen in Reihe: ", in.txtReihe}),
          Joined({"Anzahl der Zellen parallel: ", in.txtPar, kLineBreak})}},
        {"Eingabedaten Motordaten: ",
         {Joined({"Nennstrom (Dauer): ", in.txtIL, " A"}),
          Joined({"Wirkungsgrad : ", in.txtEta, " %"}),
          Joined({"Drehzahl : ", in.txtnV, " [1/Vmin]"})}},
        {"Daten des Akkupacks: ",
         {Joined({"Nennspannung: ", out.lblU, " V"}), Joined({"Dauerstrom: ", out.lblI, " A"}),
          Joined({"Kapazität: ", out.lblK, " mAh"}), Joined({"Gewicht: ", out.lblg, " g"})}},
        {"Daten des Motors und der Luftschraube: ",
         {Joined({out.lbllbln, ": ", out.lbln}), Joined({out.lbllblPW, ": ", out.lblPW}),
          Joined({"Drehzahl bei 100W (n100-Wert): ", out.lbln100}),
          Joined({"empfohlene Luftschraube: ", out.lblLuftS})}},
    }};
}

void PrintHeading(ReportPage& page) {
    page.SetFontName(kFontFace);
    page.SetFontSize(kHeadingPoints);
    page.SetY(kFirstLineTop);
    page.SetX(kLeftEdge);
    page.SetBold(true);
    page.PrintLine("Brennquist und Luftschraubenberechnung");
    // No SetX before it: the separator starts where the heading's line move left x, at 0.
    page.PrintLine(Separator());
    page.SetBold(false);
    page.SetFontSize(kBodyPoints);
    page.SetY(page.GetY() + kSpaceBelowHeading);
}

void PrintSection(ReportPage& page, const Section& section) {
    page.SetX(kLeftEdge);
    page.SetBold(true);
    page.PrintLine(Separator());
    page.SetX(kLeftEdge);
    page.PrintLine(section.heading);
    page.SetBold(false);
    for (const std::string& row : section.rows) {
        page.SetX(kLeftEdge);
        page.PrintLine(row);
    }
}

}  // namespace

void PrintReport(ReportPage& page, const ReportTexts& texts) {
    page.SetUnitMillimetres();
    PrintHeading(page);
    page.SetX(kLeftEdge);
    page.PrintLine(Joined({"Akkutyp: ", texts.inputs.cmbCellSelect, kLineBreak}));
    for (const Section& section : Sections(texts.inputs, texts.results)) {
        PrintSection(page, section);
    }
    page.SetX(kLeftEdge);
    page.PrintLine(Separator());  // bold is off here, so the closing separator is regular
    page.SetFontSize(kFooterPoints);
    page.SetX(kLeftEdge);
    page.PrintLine(Joined(
        {kMakerNotice, std::string(10, ' '), "Druckdatum: ", FormatPrintDate(texts.printDate)}));
    page.EndDocument();
}

}  // namespace brennquist
