#include "views/report_pdf.h"

#include <QBuffer>
#include <QPdfWriter>

#include "views/model_text.h"
#include "views/report_output.h"

namespace strativex {
namespace {

constexpr int kPdfResolution = 1200;

}  // namespace

QByteArray ReportPdf(const ReportInputs& inputs, const QPageLayout& layout) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(FromModelText(inputs.view.model.ModelName));
        writer.setCreator(QString::fromStdString(inputs.programName));
        if (!PrintReport(writer, inputs, ReportPages::ReportAndDetails)) return {};
    }
    return buffer.data();
}

SafeWriteResult ExportReportPdf(const std::string& path, const ReportInputs& inputs,
                                const QPageLayout& layout) {
    const QByteArray pdf = ReportPdf(inputs, layout);
    if (pdf.isEmpty()) {
        return SafeWriteResult{false, SafeWriteStep::Write, "the report page could not be drawn"};
    }
    return SafeWriteFile(path,
                         std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

}  // namespace strativex
