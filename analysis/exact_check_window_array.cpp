#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_check_window.h"
#include "core/units.h"

#include <cmath>

namespace strativex {
namespace {

constexpr int kCountWidth = 60;
constexpr int kPitchWidth = 80;
constexpr int kSourceRowsShown = 4;

QSpinBox* CountBox(const char* name) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(1, exact::kMaxSourcesPerAxis);
    box->setFixedWidth(kCountWidth);
    return box;
}

QLineEdit* PitchField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(kPitchWidth);
    return field;
}

// Typed the user's way or the C way, like the base value.
std::optional<double> LengthIn(const QString& text) {
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

}  // namespace

QWidget* ExactCheckWindow::BuildArray() {
    sourcesX_ = CountBox("SpnSourcesX");
    sourcesY_ = CountBox("SpnSourcesY");
    pitchX_ = PitchField("TxtPitchX");
    pitchY_ = PitchField("TxtPitchY");
    pitchUnit_ = new QLabel;
    pitchUnit_->setObjectName(QStringLiteral("LblPitchUnit"));
    pitchUnit_->setWordWrap(true);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Heat sources:")));
    layout->addWidget(sourcesX_);
    layout->addWidget(new QLabel(QStringLiteral("\u00D7")));
    layout->addWidget(sourcesY_);
    layout->addWidget(new QLabel(tr("at pitch")));
    layout->addWidget(pitchX_);
    layout->addWidget(new QLabel(QStringLiteral("\u00D7")));
    layout->addWidget(pitchY_);
    layout->addWidget(pitchUnit_, 1);
    ShowArrayChoice();
    return row;
}

QWidget* ExactCheckWindow::BuildSourceTable() {
    sourcesCaption_ = new QLabel(
        tr("Every source of the array, centres from the stack's centre (* the hottest):"));
    sourcesCaption_->setObjectName(QStringLiteral("LblSources"));
    sources_ = new QTableWidget(0, 0);
    sources_->setObjectName(QStringLiteral("TblSources"));
    sources_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sources_->verticalHeader()->setVisible(false);
    sources_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sources_->setMaximumHeight(sources_->horizontalHeader()->sizeHint().height() +
                               sources_->verticalHeader()->defaultSectionSize() * kSourceRowsShown +
                               2 * sources_->frameWidth());
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sourcesCaption_);
    layout->addWidget(sources_);
    return box;
}

// A pitch means something only along an axis with more than one source.
void ExactCheckWindow::ShowArrayChoice() {
    pitchX_->setEnabled(sourcesX_->value() > 1);
    pitchY_->setEnabled(sourcesY_->value() > 1);
    pitchUnit_->setText(tr("%1 centre to centre, sharing the power")
                            .arg(QString::fromLatin1(UnitLabel(state_.model.UnitSystem).data())));
}

// A result computed for other sources is no answer for these.
void ExactCheckWindow::ChangeArray() {
    const bool wasUpToDate = ShownUpToDate();
    ShowArrayChoice();
    arrayError_.clear();
    ++baseChoice_;
    ShowState();
    if (wasUpToDate) emit resultChanged();
}

std::optional<exact::SourceArray> ExactCheckWindow::ReadArray() {
    exact::SourceArray array{sourcesX_->value(), sourcesY_->value(), 0.0, 0.0};
    arrayError_.clear();
    const struct {
        int Count;
        QLineEdit* Field;
        double& Pitch;
        QString Along;
    } axes[] = {{array.CountX, pitchX_, array.PitchX, tr("width")},
                {array.CountY, pitchY_, array.PitchY, tr("length")}};
    for (const auto& axis : axes) {
        if (axis.Count == 1) continue;
        const auto pitch = LengthIn(axis.Field->text());
        if (!pitch) {
            arrayError_ =
                tr("The pitch along the %1 must be a positive length, not \u201C%2\u201D.")
                    .arg(axis.Along, axis.Field->text().trimmed());
            return std::nullopt;
        }
        axis.Pitch = *pitch;
    }
    return array;
}

void ExactCheckWindow::ShowSources() {
    const bool array = HasPictures() && !shown_->Sources.IsSingle();
    sourcesCaption_->setVisible(array);
    sources_->setVisible(array);
    if (!array) {
        sources_->setRowCount(0);
        return;
    }
    const QStringList headings = ExactSourceHeadings(shownModel_.UnitSystem);
    sources_->setColumnCount(static_cast<int>(headings.size()));
    sources_->setHorizontalHeaderLabels(headings);
    const std::vector<QStringList> rows = ExactSourceRows(*shown_, state_.prefs.DecimalDigits);
    sources_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const QStringList& cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sources_->setItem(row, column, item);
        }
    }
}

}  // namespace strativex
