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

// Writes caption + voltage text + "V" into `target`, reusing its buffer.
void SetAtVoltage(std::string& target, std::string_view caption, const std::string& voltage) {
    target.assign(caption).append(voltage).append(1, 'V');
}

// One computation: the eighteen steps in order. Later steps read back the
// texts earlier steps wrote, so results match what the window shows, digit
// for digit. Each input text is read once, at the first step that needs it;
// a later step that reads it again would get the same value.
class Run {
  public:
    Run(const InputSet& in, ResultSet& out, const Separators& sep)
        : in_(in), out_(out), sep_(sep) {}

    void AllSteps() {
        out_.lblMessage.clear();                                           // 1
        cellVoltage_ = CellVoltage(in_.cmbCellSelect);                     // 2
        PackVoltage();                                                     // 3
        PackCurrent();                                                     // 4
        PackCapacity();                                                    // 5
        PackWeight();                                                      // 6
        out_.lblz = FormatInteger(cells_);                                 // 7
        RunTime();                                                         // 8
        SetAtVoltage(out_.lblImot, "Nennstrom [A] bei ", out_.lblU);       // 9
        SetAtVoltage(out_.lblEta, "Wirkungsgrad [%] bei ", out_.lblU);     // 10
        ReferenceCellCount();                                              // 11
        Warning();                                                         // 12
        SetAtVoltage(out_.lbllbln, "Drehzahl[1/min] bei ", out_.lblU);     // 13
        Speed();                                                           // 14
        SetAtVoltage(out_.lbllblPW, "Wellenleistung[W] bei ", out_.lblU);  // 15
        ShaftPower();                                                      // 16
        N100();                                                            // 17
        out_.lblLuftS = LookupPropeller(ParseInt32(out_.lbln100, sep_));   // 18
    }

  private:
    [[nodiscard]] double Real(const std::string& text) const { return ParseReal(text, sep_); }

    void PackVoltage() {
        series_ = ParseInt16(in_.txtReihe, sep_);
        out_.lblU = FormatReal(Finite(series_ * cellVoltage_), sep_);
        packVoltage_ = Real(out_.lblU);
    }

    void PackCurrent() {
        const double cellCurrent = Real(in_.txtI);
        parallel_ = ParseInt16(in_.txtPar, sep_);
        out_.lblI = FormatReal(Finite(cellCurrent * parallel_), sep_);
    }

    void PackCapacity() {
        // txtPar already read as 16 bits, so it also fits 32.
        const std::int32_t cellCapacity = ParseInt32(in_.txtK, sep_);
        out_.lblK = FormatInteger(CheckedProduct<std::int32_t>(cellCapacity, parallel_));
    }

    void PackWeight() {
        cells_ = CheckedProduct<std::int16_t>(parallel_, series_);
        out_.lblg = FormatReal(Finite(Real(in_.txtg) * cells_), sep_);
    }

    void RunTime() {
        const double capacity = Real(out_.lblK);
        ratedCurrent_ = Real(in_.txtIL);
        const double hours = Finite(capacity / Finite(ratedCurrent_ * kMilliampsPerAmp));
        out_.lblt = FormatInteger(RoundInt16(Finite(hours * kMinutesPerHour)));
    }

    void ReferenceCellCount() {
        const std::int16_t count = RoundInt16(Finite(packVoltage_ / kReferenceCellVoltage));
        out_.FrameMotor.assign("Motordaten (Zellenzahl=")
            .append(FormatInteger(count))
            .append(1, ')');
    }

    void Warning() {
        if (Real(out_.lblI) < ratedCurrent_) {
            out_.lblMessage = kWarning;
        }
    }

    void Speed() {
        const std::int16_t perVolt = ParseInt16(in_.txtnV, sep_);
        out_.lbln = FormatInteger(RoundInt16(Finite(packVoltage_ * perVolt)));
    }

    void ShaftPower() {
        // Electrical input power first, then the efficiency, then percent.
        const double efficiency = Real(in_.txtEta);
        const double inputPower = Finite(packVoltage_ * ratedCurrent_);
        out_.lblPW = FormatInteger(RoundInt16(Finite(Finite(efficiency * inputPower) / kPercent)));
    }

    void N100() {
        // Both operands are the rounded integers shown, not the raw values.
        const double perWatt = Finite(kReferencePower / Real(out_.lblPW));
        out_.lbln100 = FormatInteger(RoundInt32(Finite(perWatt * ParseInt32(out_.lbln, sep_))));
    }

    const InputSet& in_;
    ResultSet& out_;
    const Separators& sep_;
    double cellVoltage_ = 0.0;
    std::int16_t series_ = 0;
    std::int16_t parallel_ = 0;
    std::int16_t cells_ = 0;
    double packVoltage_ = 0.0;  // lblU read back
    double ratedCurrent_ = 0.0;
};

}  // namespace

bool ComputeResults(const InputSet& inputs, ResultSet& results, const Separators& separators) {
    try {
        Run(inputs, results, separators).AllSteps();
        return true;
    } catch (const InputError&) {
        return false;
    }
}

}  // namespace brennquist
