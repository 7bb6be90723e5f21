#pragma once

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "mainwindow/main_window.h"
#include "support/program_folder.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

// The main window on a program folder of the test's own.
struct MainWindowSession {
    QTemporaryDir dir;
    strativex::AppState state;
    strativex::ScriptedDesktop desktop;
    std::unique_ptr<strativex::MainWindow> window;
    bool started = false;

    QString Path(const QString& name) const { return dir.filePath(name); }
    strativex::MainWindow& W() const { return *window; }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(*window, name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*window, name); }
    QAction* Action(const char* name) const { return Child<QAction>(*window, name); }
    QRadioButton* Option(int record) const {
        return Child<QRadioButton>(*window, QStringLiteral("OptLayer_%1").arg(record));
    }
    QComboBox* Materials() const { return Child<QComboBox>(*window, "ComboMaterials"); }
    void Click(const char* button) const { QTest::mouseClick(Button(button), Qt::LeftButton); }
    void Select(int record) const { QTest::mouseClick(Option(record), Qt::LeftButton); }
    void Open(const QString& path) {
        desktop.files.push_back(path);
        Action("mnuOpen")->trigger();
    }
    QString LastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().Text;
    }
    // Starts the window on the folder as the test has laid it out.
    bool Start() {
        window = std::make_unique<strativex::MainWindow>(state, desktop);
        started = window->Start(dir.path());
        return started;
    }
};

// The shipped materials and, given a unit, preferences; the window shown and active, or null
// when it does not come up so.
inline std::unique_ptr<MainWindowSession> StartSession(
    std::optional<strativex::LengthUnit> unit = strativex::LengthUnit::Millimeters) {
    auto session = std::make_unique<MainWindowSession>();
    const QString folder = session->dir.path();
    CopyStandardMaterials(folder + "/Materials");
    if (unit) SaveFolderPreferences(folder, FolderPreferences(folder, *unit));
    if (session->Start() && !ShownActive(*session->window)) return nullptr;
    return session;
}

// Leaves the field for the model name (or the description when the field is the name).
inline void Leave(const MainWindowSession& s, QLineEdit* field) {
    QLineEdit* next =
        field == s.Edit("TextModelName") ? s.Edit("TextLayerDescrip") : s.Edit("TextModelName");
    next->setFocus(Qt::TabFocusReason);
}
