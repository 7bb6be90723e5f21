#include "dialogs/contact_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"

namespace strativex {
namespace {

constexpr int kNoteWidthInCharacters = 50;

}  // namespace

ContactDetails ConfiguredContactDetails() {
    return {QStringLiteral(STRATIVEX_CONTACT_EMAIL), QStringLiteral(STRATIVEX_CONTACT_WEB)};
}

ContactDialog::ContactDialog(Desktop& desktop, QWidget* parent)
    : ContactDialog(desktop, ConfiguredContactDetails(), parent) {}

ContactDialog::ContactDialog(Desktop& desktop, const ContactDetails& details, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("frmContactUs"));
    setWindowTitle(QStringLiteral("Contact Us"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(BuildLinks(details));
    layout->addSpacing(fontMetrics().height());
    layout->addWidget(ClosingOkButton(this));
}

QLayout* ContactDialog::BuildLinks(const ContactDetails& details) {
    auto* form = new QFormLayout;
    if (details.Email.isEmpty() && details.Web.isEmpty()) {
        // Whoever built this copy set no address; the user still learns where help is.
        auto* none = NamedWidget<QLabel>(
            QStringLiteral("LblNoContact"),
            QStringLiteral("No contact details were configured for this copy of the program.\n\n"
                           "Help \u2192 Topics, How To and Glossary answer most questions about "
                           "the program, its calculation and its files. Questions about this "
                           "copy go to whoever supplied it: the README of the program's sources "
                           "tells a distributor how to put contact details here."),
            this);
        none->setWordWrap(true);
        none->setMinimumWidth(none->fontMetrics().averageCharWidth() * kNoteWidthInCharacters);
        form->addRow(none);
        return form;
    }
    form->addRow(NamedWidget<QLabel>(
        QStringLiteral("LblIntro"),
        QStringLiteral("Questions, suggestions or a fault to report? We are glad to hear from "
                       "you."),
        this));
    if (!details.Email.isEmpty()) {
        AddLink(form, QStringLiteral("LblEmail"), QStringLiteral("E-mail:"), details.Email,
                QStringLiteral("mailto:") + details.Email);
    }
    if (!details.Web.isEmpty()) {
        AddLink(form, QStringLiteral("LblWeb"), QStringLiteral("Web:"), details.Web, details.Web);
    }
    return form;
}

void ContactDialog::AddLink(QFormLayout* form, const QString& name, const QString& caption,
                            const QString& shown, const QString& target) {
    auto* link = NamedWidget<QLabel>(
        name,
        QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), shown.toHtmlEscaped()),
        this);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this,
            [this](const QString& url) { desktop_.OpenDocument(url); });
    form->addRow(caption, link);
}

}  // namespace strativex
