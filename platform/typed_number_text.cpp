#include "platform/typed_number_text.h"

#include <QCoreApplication>

namespace strativex {

QString NotANumberText(const QString& typed, TypedNumberFault fault) {
    const QString quoted = QStringLiteral("\u2018%1\u2019").arg(typed.trimmed());
    switch (fault) {
        case TypedNumberFault::Empty:
            return QCoreApplication::translate("TypedNumber", "The field is empty.");
        case TypedNumberFault::DecimalComma:
            return QCoreApplication::translate(
                       "TypedNumber", "%1 is not a number: use a point as the decimal separator.")
                .arg(quoted);
        case TypedNumberFault::NotANumber:
            return QCoreApplication::translate("TypedNumber", "%1 is not a number.").arg(quoted);
        case TypedNumberFault::None:
            break;
    }
    return {};
}

}  // namespace strativex
