#include "platform/leaving_field.h"

#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace strativex {

bool LeavesForAnotherControl(const QEvent& focusOut) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(focusOut).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

void HoldFocus(QWidget* field) {
    QTimer::singleShot(0, field, [field] { field->setFocus(Qt::OtherFocusReason); });
}

}  // namespace strativex
