#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_check_window.h"

namespace strativex {
namespace {

constexpr int kSourceRowsShown = 4;

}  // namespace

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
