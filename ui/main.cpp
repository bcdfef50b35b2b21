#include <QApplication>
#include <iostream>
#include <span>

#include "mail/open_mail_link.h"
#include "report/report_printer.h"
#include "ui/command_line.h"
#include "ui/display_check.h"
#include "ui/frm_main.h"
#include "ui/qt_texts.h"

int main(int argc, char** argv) {
    // Started again by Drucken or eMail Anfrage: no window, no display needed.
    if (const auto helped = brennquist::AnswerAsPrintHelper(argc, argv)) {
        return *helped;
    }
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
    brennquist::frmMain window(messages, brennquist::FormEnvironment::FromSystem());
    messages.CentreOn(&window);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
