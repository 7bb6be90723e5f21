#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// Windows are driven through their controls' object names, as a user finds them by caption.
template <typename Control = QWidget>
Control* Child(const QObject& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) qWarning("no control named %s", qPrintable(name));
    return control;
}

inline void Click(const QObject& window, const QString& name) {
    auto* button = Child<QAbstractButton>(window, name);
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

inline QString Text(const QObject& window, const QString& name) {
    if (auto* edit = window.findChild<QLineEdit*>(name)) return edit->text();
    if (auto* label = window.findChild<QLabel*>(name)) return label->text();
    qWarning("no text control named %s", qPrintable(name));
    return {};
}

// Types over the field's text as a user would after tabbing into it.
inline void Type(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    field->selectAll();
    // QTest types only what a US keyboard has; other characters arrive as an input method would.
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(field, text);
    } else {
        field->insert(text);
    }
}

// Clicks and keys land only in the active window.
inline bool ShownActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}
