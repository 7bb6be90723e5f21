#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>

#include "analysis/sweep_csv.h"
#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_window.h"
#include "persistence/safe_write.h"
#include "platform/native_path.h"
#include "views/plot/plot_export.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

// Pictures have the plot's layout on the screen at twice its pixels, sharp on any display.
constexpr qreal kPictureScale = 2.0;

QPageLayout PdfPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

}  // namespace

void SweepWindow::ExportCsv() {
    Export({tr("Export Sweep as CSV"), tr("CSV Files (*.csv)"), QStringLiteral("csv"),
            [this] { return QByteArray::fromStdString(SweepWindowCsv(shown_)); }});
}

void SweepWindow::ExportPng() {
    Export(
        {tr("Export Sweep Plot as PNG"), tr("PNG Images (*.png)"), QStringLiteral("png"), [this] {
             QByteArray bytes;
             QBuffer buffer(&bytes);
             buffer.open(QIODevice::WriteOnly);
             const QImage image = SweepPlotImage(PlotInputs(), plot_->size(), kPictureScale);
             return image.save(&buffer, "PNG") ? bytes : QByteArray();
         }});
}

void SweepWindow::ExportPdf() {
    Export({tr("Export Sweep Plot as PDF"), tr("PDF Files (*.pdf)"), QStringLiteral("pdf"),
            [this] { return SweepPlotPdf(PlotInputs(), PdfPage()); }});
}

void SweepWindow::CopyPicture() {
    QGuiApplication::clipboard()->setImage(
        SweepPlotImage(PlotInputs(), plot_->size(), kPictureScale));
}

// The file is named after the model; it is written in full or not at all, and a failure is
// said, never passed over.
void SweepWindow::Export(const ExportFormat& format) {
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = format.Title;
    request.Folder = PathText(state_.prefs.ModelsFolder);
    QString name = FromModelText(state_.model.ModelFileName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    request.FileName = name + QStringLiteral("-sweep.") + format.Suffix;
    request.Filters = {format.Filter, tr("All Files (*)")};
    request.DefaultSuffix = format.Suffix;
    const auto chosen = desktop_.ChooseFile(this, request);
    if (!chosen) return;
    const QByteArray bytes = format.Bytes();
    const SafeWriteResult written =
        bytes.isEmpty()
            ? SafeWriteResult{false, SafeWriteStep::Write, "the picture could not be drawn"}
            : SafeWriteFile(NativePath(*chosen), bytes.toStdString());
    if (written.Ok) return;
    Message(*chosen + QStringLiteral("\r\n") +
                tr("The file could not be written: %1")
                    .arg(QString::fromStdString(written.SystemError)) +
                QStringLiteral("\r\n") + tr("Sweep not exported."),
            tr("Error Exporting Sweep"));
}

}  // namespace strativex
