#include "views/report/report_pdf.h"

#include <QPdfWriter>

#include "views/report/pdf_document.h"
#include "views/report/report_output.h"
#include "views/surface/model_text.h"

namespace strativex {

QByteArray ReportPdf(const ReportInputs& inputs, const QPageLayout& layout) {
    return DrawnPdf(layout, FromModelText(inputs.view.model.ModelName),
                    QString::fromStdString(inputs.programName), [&](QPdfWriter& writer) {
                        return PrintReport(writer, inputs, ReportPages::ReportAndDetails);
                    });
}

}  // namespace strativex
