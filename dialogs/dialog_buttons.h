#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace strativex {

// OK and Cancel in the order the desktop puts them, carrying the object names of the window
// design. The caller decides what each does through the box's accepted and rejected signals.
QDialogButtonBox* OkCancelButtons(QWidget* parent, const QString& okName = QStringLiteral("CmdOK"),
                                  const QString& cancelName = QStringLiteral("CmdCancel"));

// The one OK button that closes an informational window.
QDialogButtonBox* ClosingOkButton(QDialog* dialog);

}  // namespace strativex
