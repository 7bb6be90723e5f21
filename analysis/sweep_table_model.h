#pragma once

#include <QAbstractTableModel>

#include "analysis/sweep_shown.h"
#include "core/number_format.h"

namespace strativex {

// The sweep's points as rows: the swept value, the heat source temperature, the total
// resistance, the 3-D check where it was asked for, and every layer's top temperature. A point
// without a result says why in place of its numbers.
class SweepTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    SweepTableModel(const SweepShown& shown, const DecimalDigitsTable& digits,
                    QObject* parent = nullptr);

    // The sweep was replaced, or the 3-D check brought more points.
    void SweepReplaced();
    void ExactChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    enum class Column { Value, Source, Resistance, ExactAverage, ExactPeak, LayerTop };
    struct ColumnRef {
        Column Kind;
        int Layer = 0;  // LayerTop: 1..LayerCount
    };
    ColumnRef ColumnAt(int section) const;
    QString ValueText(float value) const;
    QString CellText(std::size_t row, ColumnRef column) const;
    QString ExactText(std::size_t row, bool peak) const;

    const SweepShown& shown_;
    const DecimalDigitsTable& digits_;
};

}  // namespace strativex
