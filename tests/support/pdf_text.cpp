#include "support/pdf_text.h"

#include <QStandardPaths>

#include "support/run_program.h"

bool HasPopplerTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QString PdfText(const QString& path) {
    const Run run = RunProgram(QStringLiteral("pdftotext"),
                               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, "-"});
    return QString::fromUtf8(run.Out).simplified();
}

QString PdfInfo(const QString& path, const QString& field) {
    const Run run = RunProgram(QStringLiteral("pdfinfo"), {path});
    for (const QString& line : QString::fromUtf8(run.Out).split('\n')) {
        if (line.startsWith(field + ':')) return line.mid(field.size() + 1).trimmed();
    }
    return {};
}
