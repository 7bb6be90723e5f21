#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A command-line program run to its end, as a script would run it.
struct Run {
    int ExitCode = -1;  // -1: it did not end normally within the time limit
    QByteArray Out;
    QString Err;
};

inline Run RunProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return run;
    }
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
