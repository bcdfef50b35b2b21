#include <QApplication>
#include <iostream>

#include "ui/command_line.h"
#include "ui/display_check.h"
#include "ui/frm_main.h"
#include "ui/qt_texts.h"

int main(int argc, char** argv) {
    if (const auto answered = brennquist::AnswerCommandLine(argc, argv, std::cout)) {
        return *answered;
    }
    if (const auto missing = brennquist::MissingDisplay()) {
        std::cerr << *missing << '\n';  // Qt would abort with a long English trace
        return 1;
    }
    QApplication app(argc, argv);
    brennquist::InstallGermanQtTexts();
    brennquist::ModalMessageBoxes messages;
    brennquist::frmMain window(messages, brennquist::FormEnvironment::FromSystem());
    messages.CentreOn(&window);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
