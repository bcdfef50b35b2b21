#include <QApplication>
#include <iostream>
#include <span>

#include "app/command_line.h"
#include "app/display_check.h"
#include "app/qt_texts.h"
#include "app/system_environment.h"
#include "mail/open_mail_link.h"
#include "ui/frm_main.h"

int main(int argc, char** argv) {
    // Started again by eMail Anfrage: no window, no display needed. Drucken
    // starts a helper program of its own.
    if (const auto helped = brennquist::AnswerAsMailHelper(argc, argv)) {
        return *helped;
    }
    if (const auto answered = brennquist::AnswerCommandLine(argc, argv, std::cout)) {
        return *answered;
    }
    brennquist::DisplayCheck display = brennquist::CheckDisplay(
        std::span<const char* const>(argv, static_cast<std::size_t>(argc)));
    if (display.missing) {
        std::cerr << *display.missing << '\n';  // Qt would abort with a long English trace
        return 1;
    }
    QApplication app(argc, argv);
    display.connection.reset();  // Qt holds its own connection now
    brennquist::InstallGermanQtTexts();
    brennquist::ModalMessageBoxes messages;
    brennquist::frmMain window(messages, brennquist::SystemEnvironment());
    messages.CentreOn(&window);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
