#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "dialogs/named_widget.h"

namespace strativex {

// The right-aligned OK button that closes an informational window.
inline QHBoxLayout* OkButtonRow(QDialog* dialog) {
    auto* ok = NamedWidget<QPushButton>(QStringLiteral("CmdOK"), QStringLiteral("OK"), dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    return row;
}

}  // namespace strativex
