#include "analysis/live_exact_readout.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>

#include "analysis/exact_check_texts.h"
#include "analysis/job_runner.h"
#include "core/number_format.h"
#include "exact/exact_check.h"
#include "persistence/app_state.h"
#include "persistence/program_folders.h"
#include "platform/native_path.h"

namespace strativex {
namespace {

const QString kToggleKey = QStringLiteral("Analysis/Live3DCheck");
const QString kPrefix = QStringLiteral("3-D check: ");
const QString kRunning = QStringLiteral(" \u2026");
const QString kNone = QStringLiteral("\u2014");
// Clear of the window's right edge, as the menus are of its left one.
constexpr int kRightMargin = 8;

// A few words: the line is narrow, and the tool tip carries the whole sentence.
QString ShortReason(exact::UnavailableReason reason) {
    switch (reason) {
        case exact::UnavailableReason::NoLayers:
            return QStringLiteral("no layers");
        case exact::UnavailableReason::NoMaterial:
        case exact::UnavailableReason::MissingMaterial:
        case exact::UnavailableReason::InvalidConductivity:
            return QStringLiteral("a layer's material");
        case exact::UnavailableReason::InvalidThickness:
        case exact::UnavailableReason::InvalidSize:
        case exact::UnavailableReason::InvalidPower:
        case exact::UnavailableReason::InvalidBaseTemperature:
        case exact::UnavailableReason::InvalidBaseCondition:
        case exact::UnavailableReason::UnlimitedBottomWithSink:
        case exact::UnavailableReason::InvalidSourceArray:
            return QStringLiteral("an input out of range");
        case exact::UnavailableReason::GridTooLarge:
            return QStringLiteral("grid too large");
    }
    return {};
}

QString Degrees(double value, const DecimalDigitsTable& digits) {
    return QString::fromStdString(FormatValue(value, kTemperatureSlot, digits)) +
           QStringLiteral(" \u00B0C");
}

}  // namespace

LiveExactReadout::LiveExactReadout(const AppState& state, QMenuBar& bar, QObject* parent)
    : QObject(parent),
      state_(state),
      bar_(bar),
      label_(new QLabel(&bar)),
      toggle_(new QAction(tr("&Live 3-D Check"), this)),
      run_(new JobRunner(this)) {
    label_->setObjectName(QStringLiteral("LblLiveCheck"));
    label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_->setContentsMargins(0, 0, kRightMargin, 0);
    label_->hide();
    bar_.setCornerWidget(label_, Qt::TopRightCorner);
    toggle_->setObjectName(QStringLiteral("mnuLiveCheck"));
    toggle_->setCheckable(true);
    connect(toggle_, &QAction::toggled, this, &LiveExactReadout::Switch);
    connect(toggle_, &QAction::triggered, this, &LiveExactReadout::SaveToggle);
    connect(run_, &JobRunner::finished, this, &LiveExactReadout::TakeResult);
}

LiveExactReadout::~LiveExactReadout() = default;

void LiveExactReadout::RestoreToggle() {
    const QSettings settings(SettingsPath(), QSettings::IniFormat);
    toggle_->setChecked(settings.value(kToggleKey, false).toBool());
}

// Only the user's choice is written: restoring it at start-up leaves the file as it is.
void LiveExactReadout::SaveToggle(bool on) const {
    QSettings settings(SettingsPath(), QSettings::IniFormat);
    settings.setValue(kToggleKey, on);
}

QString LiveExactReadout::SettingsPath() const {
    return PathText(SettingsPathOf(state_.folders));
}

bool LiveExactReadout::IsComputing() const {
    return run_->IsRunning();
}

// Switched off, nothing runs for it; switched on, it starts from the model as it is now.
void LiveExactReadout::Switch(bool on) {
    if (!on) {
        run_->Abandon();
        label_->hide();
        return;
    }
    label_->show();
    Compute();
}

// A change abandons the check still running for the model before it.
void LiveExactReadout::ModelChanged(std::uint64_t revision) {
    revision_ = revision;
    if (toggle_->isChecked()) Compute();
}

void LiveExactReadout::DigitsChanged() {
    ShowState();
}

void LiveExactReadout::Compute() {
    ranResult_.reset();
    run_->Start(revision_,
                [this, model = state_.model, table = state_.materials](const JobControl& control) {
                    exact::CheckHooks hooks;
                    hooks.Cancel = control.CancelFlag();
                    auto result = std::make_shared<const exact::ExactResult>(
                        exact::RunExactCheck(model, table, {}, hooks));
                    control.Deliver([this, result] { ranResult_ = result; });
                });
    ShowState();
}

void LiveExactReadout::TakeResult(std::uint64_t revision, bool cancelled) {
    std::shared_ptr<const exact::ExactResult> result = std::move(ranResult_);
    if (!cancelled && result && result->Status != exact::ExactStatus::Cancelled) {
        shown_ = std::move(result);
        shownRevision_ = revision;
    }
    ShowState();
}

// What is on the line is greyed and trails an ellipsis while it belongs to an older model.
void LiveExactReadout::ShowState() {
    if (!label_) return;
    const bool upToDate = shown_ && shownRevision_ == revision_ && !run_->IsRunning();
    QString text = shown_ ? ResultText() : kPrefix + tr("computing");
    if (!upToDate) text += kRunning;
    label_->setText(text);
    label_->setToolTip(shown_ ? DetailsText() : QString());
    label_->setEnabled(upToDate);
    // The menu bar makes room for its corner only when the corner is set or shown, not when
    // what it holds grows.
    if (label_->isVisible()) bar_.setCornerWidget(label_, Qt::TopRightCorner);
}

QString LiveExactReadout::ResultText() const {
    const exact::ExactResult& r = *shown_;
    switch (r.Status) {
        case exact::ExactStatus::Ok:
            return kPrefix + tr("average %1, peak %2")
                                 .arg(Degrees(r.AverageSourceTempC, state_.prefs.DecimalDigits),
                                      Degrees(r.PeakSourceTempC, state_.prefs.DecimalDigits));
        case exact::ExactStatus::NotAvailable:
            return kPrefix + tr("not available (%1)")
                                 .arg(r.Unavailable ? ShortReason(r.Unavailable->Reason)
                                                    : tr("see the 3-D check"));
        case exact::ExactStatus::NotConverged:
            return kPrefix + tr("did not converge");
        case exact::ExactStatus::Cancelled:
            break;
    }
    return kPrefix + tr("computing");
}

// The tool tip: the numbers of the 3-D check window, or why there are none.
QString LiveExactReadout::DetailsText() const {
    const exact::ExactResult& r = *shown_;
    if (r.Status != exact::ExactStatus::Ok) return QString::fromStdString(r.Message);
    QStringList lines;
    for (const ExactNumberRow& row : ExactNumberRows(r, state_.prefs.DecimalDigits)) {
        if (row.Value != kNone) lines << row.Caption + QStringLiteral(": ") + row.Value;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace strativex
