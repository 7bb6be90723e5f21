#include "tools/helpdocs/helpdocs_command.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

#include <iostream>
#include <string_view>

#include "persistence/safe_write.h"
#include "tools/helpdocs/help_contents.h"
#include "tools/helpdocs/help_generated.h"
#include "tools/helpdocs/help_images.h"
#include "tools/helpdocs/help_layout.h"
#include "tools/helpdocs/help_pdf.h"
#include "tools/helpdocs/help_source.h"
#include "tools/helpdocs/help_style.h"

namespace strativex::helpdocs {
namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: strativex-helpdocs SOURCE.md OUTPUT.pdf [PICTURES_DIR]\n";

int Fail(const QString& message) {
    std::cerr << "strativex-helpdocs: " << message.toStdString() << '\n';
    return kFailed;
}

// The first top-level heading names the document in its metadata and on every page.
QString DocumentTitle(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1) return block.text().trimmed();
    }
    return {};
}

int WritePdf(const QString& path, const QByteArray& pdf) {
    const SafeWriteResult written = SafeWriteFile(QFile::encodeName(path).toStdString(),
                                                  std::string_view(pdf.data(), pdf.size()));
    if (!written.Ok) {
        return Fail(QStringLiteral("cannot write '%1': %2")
                        .arg(path, QString::fromStdString(written.SystemError)));
    }
    return 0;
}

}  // namespace

int RunHelpdocs(const QStringList& args) {
    if (args.size() < 2 || args.size() > 3 || args.contains(QString())) {
        std::cerr << kUsage;
        return kUsageError;
    }
    const HelpSource read = ReadHelpSource(args[0]);
    if (!read.Error.isEmpty()) return Fail(read.Error);
    const HelpSource source = ExpandGenerated(read);
    if (!source.Error.isEmpty()) return Fail(QStringLiteral("'%1': %2").arg(args[0], source.Error));

    QTextDocument document;
    document.setMarkdown(source.Text, QTextDocument::MarkdownDialectGitHub);
    const QString title = DocumentTitle(document);
    if (title.isEmpty()) {
        return Fail(QStringLiteral("'%1' has no title: its first heading must be a '# ' heading")
                        .arg(args[0]));
    }
    ApplyHelpStyle(document);
    // Lengths of formats are in 96-dpi pixels.
    const qreal bodyWidth = HelpPageAt(96).Body.width();
    const QString pictures = args.size() > 2 ? args[2] : QFileInfo(args[0]).absolutePath();
    const QString missing = PlaceImages(document, pictures, bodyWidth);
    if (!missing.isEmpty()) return Fail(missing);
    InsertContents(document, bodyWidth);
    const QByteArray pdf = RenderHelpPdf(document, title);
    if (pdf.isEmpty()) return Fail(QStringLiteral("'%1' could not be laid out").arg(args[0]));
    return WritePdf(args[1], pdf);
}

}  // namespace strativex::helpdocs
