#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>

#include "analysis/sweep_csv.h"
#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_window.h"
#include "views/plot/plot_export.h"

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
    const auto failure =
        ExportToChosenFile(*this, desktop_, state_, QStringLiteral("sweep"), format);
    if (failure)
        Message(*failure + QStringLiteral("\r\n") + tr("Sweep not exported."),
                tr("Error Exporting Sweep"));
}

}  // namespace strativex
