#include "dialogs/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace strativex {

QDialogButtonBox* OkCancelButtons(QWidget* parent, const QString& okName,
                                  const QString& cancelName) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    box->button(QDialogButtonBox::Ok)->setObjectName(okName);
    box->button(QDialogButtonBox::Cancel)->setObjectName(cancelName);
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    return box;
}

QDialogButtonBox* ClosingOkButton(QDialog* dialog) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CmdOK"));
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return box;
}

}  // namespace strativex
