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

// Clicks and keys land only in the active window.
inline bool ShownActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}
