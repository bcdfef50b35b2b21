#include "report/report_texts_record.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <functional>
#include <utility>

#include "engine/input_table.h"

namespace brennquist {
namespace {

// The format's first line; another version of the program says another.
constexpr std::string_view kHeader = "brennquist report 1\n";

// Each text as its length in bytes, a blank, the bytes and a line break.
void Append(std::string& record, const std::string& text) {
    record += std::to_string(text.size());
    record += ' ';
    record += text;
    record += '\n';
}

void Append(std::string& record, const int number) {
    Append(record, std::to_string(number));
}

class RecordReader {
  public:
    explicit RecordReader(std::string_view record) : rest_(record) {}

    bool Take(std::string_view expected) {
        if (!rest_.starts_with(expected)) {
            return false;
        }
        rest_.remove_prefix(expected.size());
        return true;
    }

    std::optional<std::string> Text() {
        std::size_t length = 0;
        const char* const end = rest_.data() + rest_.size();
        const auto [after, error] = std::from_chars(rest_.data(), end, length);
        if (error != std::errc{} || after == rest_.data() || after == end || *after != ' ') {
            return std::nullopt;
        }
        rest_.remove_prefix(static_cast<std::size_t>(after - rest_.data()) + 1);
        if (rest_.size() <= length || rest_[length] != '\n') {
            return std::nullopt;
        }
        std::string text(rest_.substr(0, length));
        rest_.remove_prefix(length + 1);
        return text;
    }

    std::optional<int> Number() {
        const std::optional<std::string> text = Text();
        int number = 0;
        if (!text || text->empty()) {
            return std::nullopt;
        }
        const char* const end = text->data() + text->size();
        const auto [after, error] = std::from_chars(text->data(), end, number);
        if (error != std::errc{} || after != end) {
            return std::nullopt;
        }
        return number;
    }

    [[nodiscard]] bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

// The texts in the order of the record: the inputs, then the results; the
// date follows them.
template <typename Visit>
void ForEachText(Visit&& visit, auto& texts) {
    for (const InputEntry& field : kInputs) {
        if (!std::invoke(visit, texts.inputs.*field.text)) {
            return;
        }
    }
    auto& out = texts.results;
    for (auto* const text : {&out.lblMessage, &out.lblU, &out.lblI, &out.lblK, &out.lblg, &out.lblz,
                             &out.lblt, &out.lblImot, &out.lblEta, &out.FrameMotor, &out.lbllbln,
                             &out.lbln, &out.lbllblPW, &out.lblPW, &out.lbln100, &out.lblLuftS}) {
        if (!std::invoke(visit, *text)) {
            return;
        }
    }
}

}  // namespace

std::string RecordOf(const ReportTexts& texts) {
    std::string record(kHeader);
    ForEachText(
        [&record](const std::string& text) {
            Append(record, text);
            return true;
        },
        texts);
    Append(record, static_cast<int>(texts.printDate.year()));
    Append(record, static_cast<int>(static_cast<unsigned>(texts.printDate.month())));
    Append(record, static_cast<int>(static_cast<unsigned>(texts.printDate.day())));
    return record;
}

std::optional<ReportTexts> ReportTextsFromRecord(const std::string_view record) {
    RecordReader reader(record);
    if (!reader.Take(kHeader)) {
        return std::nullopt;
    }
    ReportTexts texts;
    bool complete = true;
    ForEachText(
        [&reader, &complete](std::string& text) {
            std::optional<std::string> read = reader.Text();
            complete = read.has_value();
            if (complete) {
                text = std::move(*read);
            }
            return complete;
        },
        texts);
    const std::optional<int> year = reader.Number();
    const std::optional<int> month = reader.Number();
    const std::optional<int> day = reader.Number();
    if (!complete || !year || !month || !day || !reader.AtEnd()) {
        return std::nullopt;
    }
    texts.printDate = std::chrono::year_month_day{std::chrono::year{*year},
                                                  std::chrono::month{static_cast<unsigned>(*month)},
                                                  std::chrono::day{static_cast<unsigned>(*day)}};
    if (!texts.printDate.ok()) {
        return std::nullopt;
    }
    return texts;
}

}  // namespace brennquist
