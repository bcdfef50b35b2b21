#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>

namespace brennquist {

// What the window takes from the machine it runs on. The program hands it
// the system's values (app/system_environment.h); tests pin them.
struct FormEnvironment {
    QString settingsFolder;        // the folder akku.dat lives in; empty: none
    QLocale locale;                // the number separators
    std::function<QDate()> today;  // the local date, read once per print or mail click
};

}  // namespace brennquist
