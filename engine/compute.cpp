#include "compute.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "cell_type.h"
#include "input_error.h"
#include "number_text.h"
#include "propeller.h"
#include "rounding.h"

namespace brennquist {
namespace {

constexpr double kMilliampsPerAmp = 1000.0;
constexpr double kMinutesPerHour = 60.0;
constexpr double kReferenceCellVoltage = 1.2;  // counted as NiCd cells, whatever the pack is
constexpr double kPercent = 100.0;
constexpr double kReferencePower = 100.0;

constexpr std::string_view kWarning = "Akkupack zu schwach ausgelegt!";

// Division by zero, 0/0 and overflow to infinity end the run like bad input.
double Finite(double value) {
    if (!std::isfinite(value)) {
        throw InputError{};
    }
    return value;
}

// Integer products in the width the pack counts are kept in; leaving the
// range is bad input, never a wrap-around.
template <typename Int>
Int CheckedProduct(Int left, Int right) {
    const auto product = static_cast<std::int64_t>(left) * static_cast<std::int64_t>(right);
    if (product < std::numeric_limits<Int>::min() || product > std::numeric_limits<Int>::max()) {
        throw InputError{};
    }
    return static_cast<Int>(product);
}

std::string AtVoltage(std::string_view caption, const std::string& voltage) {
    std::string text(caption);
    text += voltage;
    text += 'V';
    return text;
}

// The eighteen steps. Later steps read back the texts earlier steps wrote,
// so results match what the window shows, digit for digit.
void RunSteps(const InputSet& in, ResultSet& out, const Separators& sep) {
    const auto real = [&sep](const std::string& text) { return ParseReal(text, sep); };
    const auto int16 = [&sep](const std::string& text) { return ParseInt16(text, sep); };
    const auto int32 = [&sep](const std::string& text) { return ParseInt32(text, sep); };

    out.lblMessage.clear();                                                // 1
    const double cellVoltage = CellVoltage(in.cmbCellSelect);              // 2
    out.lblU = FormatReal(Finite(int16(in.txtReihe) * cellVoltage), sep);  // 3
    const double cellCurrent = real(in.txtI);                              // 4
    out.lblI = FormatReal(Finite(cellCurrent * int16(in.txtPar)), sep);
    const std::int32_t cellCapacity = int32(in.txtK);  // 5
    out.lblK = FormatInteger(CheckedProduct(cellCapacity, int32(in.txtPar)));
    const std::int16_t parallel = int16(in.txtPar);  // 6
    const std::int16_t cells = CheckedProduct(parallel, int16(in.txtReihe));
    out.lblg = FormatReal(Finite(real(in.txtg) * cells), sep);
    out.lblz = FormatInteger(CheckedProduct(int16(in.txtPar), int16(in.txtReihe)));  // 7

    const double capacity = real(out.lblK);  // 8
    const double drawn = Finite(real(in.txtIL) * kMilliampsPerAmp);
    const double hours = Finite(capacity / drawn);
    out.lblt = FormatInteger(RoundInt16(Finite(hours * kMinutesPerHour)));

    out.lblImot = AtVoltage("Nennstrom [A] bei ", out.lblU);    // 9
    out.lblEta = AtVoltage("Wirkungsgrad [%] bei ", out.lblU);  // 10
    const std::int16_t referenceCells =                         // 11
        RoundInt16(Finite(real(out.lblU) / kReferenceCellVoltage));
    out.FrameMotor = "Motordaten (Zellenzahl=" + FormatInteger(referenceCells) + ")";
    if (real(out.lblI) < real(in.txtIL)) {  // 12
        out.lblMessage = kWarning;
    }
    out.lbllbln = AtVoltage("Drehzahl[1/min] bei ", out.lblU);  // 13
    const double voltage = real(out.lblU);                      // 14
    out.lbln = FormatInteger(RoundInt16(Finite(voltage * int16(in.txtnV))));
    out.lbllblPW = AtVoltage("Wellenleistung[W] bei ", out.lblU);  // 15

    const double efficiency = real(in.txtEta);  // 16
    const double inputPower = Finite(real(out.lblU) * real(in.txtIL));
    const double shaftPower = Finite(Finite(efficiency * inputPower) / kPercent);
    out.lblPW = FormatInteger(RoundInt16(shaftPower));

    const double perWatt = Finite(kReferencePower / real(out.lblPW));  // 17
    out.lbln100 = FormatInteger(RoundInt32(Finite(perWatt * int32(out.lbln))));
    out.lblLuftS = LookupPropeller(int32(out.lbln100));  // 18
}

}  // namespace

bool ComputeResults(const InputSet& inputs, ResultSet& results, const Separators& separators) {
    try {
        RunSteps(inputs, results, separators);
        return true;
    } catch (const InputError&) {
        return false;
    }
}

}  // namespace brennquist
