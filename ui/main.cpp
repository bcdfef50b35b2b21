#include <QApplication>
#include <iostream>

#include "ui/command_line.h"
#include "ui/display_check.h"
#include "ui/frm_main.h"

int main(int argc, char** argv) {
    if (const auto answered = brennquist::AnswerCommandLine(argc, argv, std::cout)) {
        return *answered;
    }
    if (!brennquist::DisplayAvailable()) {
        // Qt would abort with a long trace; one line tells what to do instead.
        std::cerr << "Brennquist needs a graphical display and none is set (DISPLAY is empty); "
                     "without a screen run it under a virtual one: xvfb-run -a scripts/run\n";
        return 1;
    }
    QApplication app(argc, argv);
    brennquist::ModalMessageBoxes messages;
    brennquist::frmMain window(messages, brennquist::FormEnvironment::FromSystem());
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
