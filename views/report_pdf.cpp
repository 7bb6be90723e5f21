#include "views/report_pdf.h"

#include <QPdfWriter>

#include "views/model_text.h"
#include "views/pdf_document.h"
#include "views/report_output.h"

namespace strativex {

QByteArray ReportPdf(const ReportInputs& inputs, const QPageLayout& layout) {
    return DrawnPdf(layout, FromModelText(inputs.view.model.ModelName),
                    QString::fromStdString(inputs.programName), [&](QPdfWriter& writer) {
                        return PrintReport(writer, inputs, ReportPages::ReportAndDetails);
                    });
}

}  // namespace strativex
