#include "tools/helpdocs/help_source.h"

#include <QFile>
#include <QStringDecoder>

namespace strativex::helpdocs {
namespace {

HelpSource Failure(const QString& message) {
    return {QString(), message};
}

}  // namespace

HelpSource ReadHelpSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure(QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Failure(QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()));
    }
    // A source saved in another encoding would print as wrong characters, not fail.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) return Failure(QStringLiteral("'%1' is not UTF-8 text").arg(path));
    if (text.trimmed().isEmpty()) return Failure(QStringLiteral("'%1' holds no text").arg(path));
    return {text, QString()};
}

}  // namespace strativex::helpdocs
