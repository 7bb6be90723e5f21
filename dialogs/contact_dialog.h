#pragma once

#include <QDialog>
#include <QString>

#include "platform/desktop.h"

class QFormLayout;
class QLayout;

namespace strativex {

// How to reach the maker; either may be empty.
struct ContactDetails {
    QString Email;
    QString Web;
};

// The details this build was configured with.
ContactDetails ConfiguredContactDetails();

// The maker's contact details; the links are handed to the desktop to open.
class ContactDialog : public QDialog {
    Q_OBJECT

public:
    explicit ContactDialog(Desktop& desktop, QWidget* parent = nullptr);
    ContactDialog(Desktop& desktop, const ContactDetails& details, QWidget* parent = nullptr);

private:
    QLayout* BuildLinks(const ContactDetails& details);
    void AddLink(QFormLayout* form, const QString& name, const QString& caption,
                 const QString& shown, const QString& target);

    Desktop& desktop_;
};

}  // namespace strativex
