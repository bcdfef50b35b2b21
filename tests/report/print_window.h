#pragma once

// A real frmMain on the offscreen platform for pressing "Drucken": settings
// in a fresh temporary folder, the print date pinned to the 5th of March 2027
// and every message box recorded instead of shown.
#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

namespace brennquist::testing {

class PrintWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window_ = std::make_unique<frmMain>(
            boxes_, FormEnvironment{folder_.path(), QLocale(QLocale::German, QLocale::Germany),
                                    [] { return QDate(2027, 3, 5); }});
        window_->Form_Load();
        boxes_.shown.clear();  // the notice about the missing settings file
    }

    template <typename Control>
    Control& Find(const char* name) const {
        auto* const control = window_->findChild<Control*>(QString::fromLatin1(name));
        if (control == nullptr) {
            ADD_FAILURE() << "no control named " << name;
            throw std::runtime_error(name);
        }
        return *control;
    }

    void PressPrint() { Find<QPushButton>("cmdPrint").click(); }

    // Every field text and label caption of the window, by control name.
    [[nodiscard]] std::map<QString, QString> WindowTexts() const {
        std::map<QString, QString> texts;
        for (const QLineEdit* field : window_->findChildren<QLineEdit*>()) {
            texts[field->objectName()] = field->text();
        }
        for (const QLabel* label : window_->findChildren<QLabel*>()) {
            texts[label->objectName()] = label->text();
        }
        return texts;
    }

    QTemporaryDir folder_;
    RecordingMessageBoxes boxes_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace brennquist::testing
