#pragma once

// A real frmMain on the offscreen platform, with its settings folder in a
// fresh temporary folder and every message box recorded instead of shown.
#include <gtest/gtest.h>

#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace brennquist {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // Creates the window with its design texts, not yet loaded.
    void Create(const QLocale& locale = QLocale(QLocale::German, QLocale::Germany)) {
        window_ = std::make_unique<frmMain>(
            boxes_, FormEnvironment{folder_.path(), locale, [] { return QDate(2026, 12, 8); }});
    }

    // Creates the window and runs its start-up, as the program does.
    void Start(const QLocale& locale = QLocale(QLocale::German, QLocale::Germany)) {
        Create(locale);
        window_->Form_Load();
    }

    // Starts the window and shows it as the active one, for keys and focus.
    void StartActive() {
        Start();
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    template <typename Control>
    Control& Find(const char* name) const {
        auto* const control = window_->findChild<Control*>(QString::fromLatin1(name));
        if (control == nullptr) {
            throw std::runtime_error(std::string("no control named ") + name);
        }
        return *control;
    }

    // The caption of a label, or the title of a group box.
    [[nodiscard]] QString Caption(const char* name) const {
        auto* const group = window_->findChild<QGroupBox*>(QString::fromLatin1(name));
        return group != nullptr ? group->title() : Find<QLabel>(name).text();
    }

    // Boxes of failed recomputations.
    [[nodiscard]] int InputErrorBoxes() const {
        return boxes_.Count(QStringLiteral("Eingabefehler!"));
    }

    QTemporaryDir folder_;
    RecordingMessageBoxes boxes_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace brennquist
