#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sstream>
#include <string>
#include <vector>

#include "cli/calc_options.h"
#include "cli/calc_run.h"
#include "persistence/program_folders.h"

struct Outcome {
    int Status = -1;
    QByteArray Out;
    QString Err;
};

// The calculator run in this process, finding the user's files in the given folders; a usage
// error ends with status 2 as the program does.
inline Outcome CalcInProcess(const QStringList& args, const strativex::ProgramFolders& folders) {
    std::vector<std::string> argv;
    for (const QString& arg : args) argv.push_back(QFile::encodeName(arg).toStdString());
    const strativex::ParsedArguments parsed = strativex::ParseArguments(argv);
    if (parsed.Result == strativex::ParsedArguments::Kind::UsageError) {
        return {2, {}, QString::fromStdString(parsed.Error)};
    }
    if (parsed.Result != strativex::ParsedArguments::Kind::Run) return {};
    std::ostringstream out;
    std::ostringstream err;
    const int status = strativex::RunCalculator(parsed.Options, folders, out, err);
    return {status, QByteArray::fromStdString(out.str()), QString::fromStdString(err.str())};
}
