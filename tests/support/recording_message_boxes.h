#pragma once

// Message boxes for tests: recorded in order instead of shown.
#include <QMessageBox>
#include <QString>
#include <algorithm>
#include <optional>
#include <ostream>
#include <vector>

#include "ui/message_boxes.h"

namespace brennquist {

struct ShownBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    bool operator==(const ShownBox&) const = default;
};

inline void PrintTo(const ShownBox& box, std::ostream* out) {
    *out << "{\"" << box.text.toStdString() << "\", \"" << box.title.toStdString() << "\", icon "
         << static_cast<int>(box.icon) << "}";
}

class RecordingMessageBoxes final : public MessageBoxes {
  public:
    void Show(const QString& text, const QString& title, QMessageBox::Icon icon) override {
        shown.push_back(ShownBox{text, title, icon});
    }

    // Answers with printFile, counting the questions.
    [[nodiscard]] std::optional<QString> AskPrintFile() override {
        ++printFileAsked;
        return printFile;
    }

    // How many boxes showed this text.
    [[nodiscard]] int Count(const QString& text) const {
        return static_cast<int>(std::count_if(
            shown.begin(), shown.end(), [&](const ShownBox& box) { return box.text == text; }));
    }

    std::vector<ShownBox> shown;
    std::optional<QString> printFile;
    int printFileAsked = 0;
};

}  // namespace brennquist
