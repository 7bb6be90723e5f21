#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class QAction;
class QLabel;
class QMenuBar;

namespace strativex {

struct AppState;
class JobRunner;

namespace exact {
struct ExactResult;
}

// The 3-D check's average and peak source temperature at the right end of the menu bar, where
// no control of the window's arrangement has to move for it, computed again off the interface
// thread after every change while the user has it switched on. It checks the model as the estimate
// sees it, on its isothermal base with one source: the 3-D check window's own base and array stay
// in that window.
class LiveExactReadout : public QObject {
    Q_OBJECT

public:
    // Off until RestoreToggle finds it remembered on.
    LiveExactReadout(const AppState& state, QMenuBar& bar, QObject* parent = nullptr);
    ~LiveExactReadout() override;

    // The checkable entry for the Analysis menu.
    QAction* ToggleAction() const { return toggle_; }
    // Takes the toggle from the settings file; the program's folders must be known by then.
    void RestoreToggle();

    bool IsComputing() const;
    // The result on show, and the model revision it was computed for; null before the first.
    std::shared_ptr<const exact::ExactResult> ShownResult() const { return shown_; }
    std::uint64_t ShownRevision() const { return shownRevision_; }

    void ModelChanged(std::uint64_t revision);
    // Shows the result again with the digits now in use; the result itself still holds.
    void DigitsChanged();

private:
    void Switch(bool on);
    void SaveToggle(bool on) const;
    QString SettingsPath() const;
    void Compute();
    void TakeResult(std::uint64_t revision, bool cancelled);
    void ShowState();
    QString ResultText() const;
    QString DetailsText() const;

    const AppState& state_;
    QMenuBar& bar_;
    QPointer<QLabel> label_;
    QAction* toggle_ = nullptr;
    JobRunner* run_ = nullptr;
    std::uint64_t revision_ = 0;
    std::shared_ptr<const exact::ExactResult> ranResult_;
    std::shared_ptr<const exact::ExactResult> shown_;
    std::uint64_t shownRevision_ = 0;
};

}  // namespace strativex
