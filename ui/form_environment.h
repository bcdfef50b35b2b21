#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>

namespace brennquist {

// What the window takes from the machine it runs on. The program uses the
// system's values; tests pin them.
struct FormEnvironment {
    QString programFolder;          // the folder akku.dat lives in
    QLocale locale;                 // number separators and the short date format
    std::function<QDate()> today;   // the local date, read once per print or mail click

    static FormEnvironment FromSystem();
};

}  // namespace brennquist
