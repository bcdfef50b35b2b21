#include "mail/mail_link.h"

#include <initializer_list>

#include "engine/vendor.h"

namespace brennquist {

namespace {

// Each body line ends with line feed, vertical tab and carriage return, in
// this order, the last line included: the mail programs the inquiry was made
// for expect exactly this break.
constexpr std::string_view kBodyLineBreak = "\n\v\r";

std::string Join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

}  // namespace

std::string ComposeMailLink(const InputSet& inputs, std::string_view dateText) {
    return Join({
        kVendorMailTo,
        "?Subject=Anfrage Akkukonfiguration ",
        dateText,
        "&Body=",
        "Anfrage",
        kBodyLineBreak,
        "Zellendaten: Kapazitaet=",
        inputs.txtK,
        " Dauerstrom=",
        inputs.txtI,
        " Gewicht=",
        inputs.txtg,
        kBodyLineBreak,
        "Schaltung: Anz.Zellen Reihe=",
        inputs.txtReihe,
        " Anz.Zellen Parallel=",
        inputs.txtPar,
        kBodyLineBreak,
    });
}

}  // namespace brennquist
