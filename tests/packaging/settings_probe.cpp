// The real window over the real machine (SystemEnvironment), run as
// a child process from wherever the test puts this program: it loads akku.dat
// as start-up does, optionally types a capacity and presses Speichern, and
// prints what it saw, one line each: "txtK=<text>" and every message box.
// Usage: settings_probe [CAPACITY-TO-SAVE]
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <iostream>

#include "app/system_environment.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/frm_main.h"

int main(int argc, char** argv) {
    const QApplication app(argc, argv);
    brennquist::RecordingMessageBoxes boxes;
    brennquist::frmMain window(boxes, brennquist::SystemEnvironment());
    window.Form_Load();

    auto* const capacity = window.findChild<QLineEdit*>(QStringLiteral("txtK"));
    if (argc > 1) {
        capacity->setText(QString::fromLocal8Bit(argv[1]));
        window.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
    }
    std::cout << "txtK=" << capacity->text().toStdString() << '\n';
    for (const brennquist::ShownBox& box : boxes.shown) {
        std::cout << "box=" << box.title.toStdString() << ": " << box.text.toStdString() << '\n';
    }
    return 0;
}
