#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace brennquist::testing {

// Runs a tool and returns what it wrote to standard output; empty when it
// cannot be started, fails or takes longer than half a minute.
inline QString CommandOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace brennquist::testing
