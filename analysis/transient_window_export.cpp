#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>

#include "analysis/transient_copy.h"
#include "analysis/transient_window.h"
#include "cli/transient_report.h"
#include "exact/spice_subcircuit.h"
#include "views/plot/plot_export.h"
#include "views/plot/transient_plots.h"
#include "views/report/transient_summary_of.h"

namespace strativex {
namespace {

// Pictures have the plots' layout on the screen at twice its pixels, sharp on any display.
constexpr qreal kPictureScale = 2.0;

QPageLayout PdfPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

}  // namespace

// The calculator's series lines, so that a script reads the window's file as it reads its own.
void TransientWindow::ExportCsv() {
    const std::string file = ModelStem(state_.model).toStdString();
    Export({tr("Export Thermal Impedance as CSV"), tr("CSV Files (*.csv)"), QStringLiteral("csv"),
            [this, file] {
                return Bytes(TransientSeriesCsvHeader() + TransientSeriesCsvLines(*shown_, file));
            }});
}

void TransientWindow::ExportSpice() {
    const std::string stem = ModelStem(state_.model).toStdString();
    Export({tr("Export Networks as SPICE Subcircuits"), tr("SPICE Netlists (*.cir *.lib)"),
            QStringLiteral("cir"), [this, stem] {
                return Bytes(
                    exact::FosterSubcircuit(shown_->Foster.Network,
                                            exact::SubcircuitName(stem + "_foster")) +
                    exact::CauerSubcircuit(shown_->Cauer, exact::SubcircuitName(stem + "_cauer")));
            }});
}

void TransientWindow::ExportPng() {
    Export({tr("Export Transient Plots as PNG"), tr("PNG Images (*.png)"), QStringLiteral("png"),
            [this] {
                QByteArray bytes;
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                const QImage image =
                    CurvePlotsImage(TransientPlots(Shown()), plots_->size(), kPictureScale);
                return image.save(&buffer, "PNG") ? bytes : QByteArray();
            }});
}

void TransientWindow::ExportPdf() {
    Export({tr("Export Transient Plots as PDF"), tr("PDF Files (*.pdf)"), QStringLiteral("pdf"),
            [this] {
                return CurvePlotsPdf(TransientPlots(Shown()),
                                     tr("Transient of %1").arg(ModelStem(state_.model)), PdfPage());
            }});
}

void TransientWindow::Copy() {
    QGuiApplication::clipboard()->setText(TransientTabText(*shown_));
}

// Written in full or not at all; a failure is said, never passed over.
void TransientWindow::Export(const ExportFormat& format) {
    const auto failure =
        ExportToChosenFile(*this, desktop_, state_, QStringLiteral("transient"), format);
    if (!failure) return;
    desktop_.ShowMessage(this, *failure + QStringLiteral("\r\n") + tr("Nothing exported."),
                         tr("Error Exporting Transient"), MessageIcon::Exclamation,
                         MessageButtons::Ok);
}

std::optional<TransientSummary> TransientWindow::ReportSummary() const {
    if (!shown_ || IsOutOfDate()) return std::nullopt;
    return TransientSummaryOf(*shown_, shownSetting_.Base);
}

}  // namespace strativex
