#include "analysis/sweep_table_model.h"

#include "views/plot/plot_texts.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

const QString kCelsius = QStringLiteral(" (\u00B0C)");

QString Number(double value, int slot, const DecimalDigitsTable& digits) {
    return QString::fromStdString(FormatValue(value, slot, digits));
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SweepTableModel::SweepTableModel(const SweepShown& shown, const DecimalDigitsTable& digits,
                                 QObject* parent)
    : QAbstractTableModel(parent), shown_(shown), digits_(digits) {}

void SweepTableModel::SweepReplaced() {
    beginResetModel();
    endResetModel();
}

void SweepTableModel::ExactChanged() {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int SweepTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.Sweep.Points.size());
}

int SweepTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return 3 + (shown_.ExactAsked ? 2 : 0) + shown_.Sweep.LayerCount;
}

SweepTableModel::ColumnRef SweepTableModel::ColumnAt(int section) const {
    if (section < 3) return {static_cast<Column>(section)};
    if (shown_.ExactAsked) {
        if (section == 3) return {Column::ExactAverage};
        if (section == 4) return {Column::ExactPeak};
        section -= 2;
    }
    return {Column::LayerTop, section - 2};
}

QVariant SweepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const ColumnRef column = ColumnAt(section);
    switch (column.Kind) {
        case Column::Value:
            return SweptAxisTitle(shown_.Sweep);
        case Column::Source:
            return QString("Heat source" + kCelsius);
        case Column::Resistance:
            return QStringLiteral("Resistance (\u00B0C/W)");
        case Column::ExactAverage:
            return QString("3-D average" + kCelsius);
        case Column::ExactPeak:
            return QString("3-D peak" + kCelsius);
        case Column::LayerTop:
            break;
    }
    return QString(QStringLiteral("Layer %1 top").arg(column.Layer) + kCelsius);
}

QString SweepTableModel::ExactText(std::size_t row, bool peak) const {
    for (const SweepExactPoint& point : shown_.ExactPoints) {
        if (point.Index != row) continue;
        const auto& value = peak ? point.PeakC : point.AverageC;
        return value ? Number(*value, kTemperatureSlot, digits_) : QStringLiteral("no result");
    }
    return {};
}

QString SweepTableModel::ValueText(float value) const {
    if (shown_.Sweep.Request.Quantity != QuantityId::Material) {
        return QString::fromStdString(NumberText(value));
    }
    const MaterialTable& table = shown_.Materials;
    return FromModelText(table.Materials[FindMaterialIndex(table, static_cast<int>(value))].Name);
}

QString SweepTableModel::CellText(std::size_t row, ColumnRef column) const {
    const SweepPoint& point = shown_.Sweep.Points[row];
    switch (column.Kind) {
        case Column::Value:
            return ValueText(point.Value);
        case Column::Source:
            return point.HasResult() ? Number(*point.HeatSourceTempC, kTemperatureSlot, digits_)
                                     : GapReason(point);
        case Column::Resistance:
            return point.HasResult() ? Number(*point.TotalResistance, kResistanceSlot, digits_)
                                     : QString();
        case Column::ExactAverage:
        case Column::ExactPeak:
            return ExactText(row, column.Kind == Column::ExactPeak);
        case Column::LayerTop:
            break;
    }
    const SweepLayerResult& layer = point.Layers[static_cast<std::size_t>(column.Layer - 1)];
    const auto top = layer.TopTempC();
    return top ? Number(*top, kTemperatureSlot, digits_) : Latin1(MissingResultMark(layer.Status));
}

QVariant SweepTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const ColumnRef column = ColumnAt(index.column());
    if (role == Qt::DisplayRole) return CellText(row, column);
    if (role == Qt::TextAlignmentRole) {
        const bool text =
            column.Kind == Column::Value && shown_.Sweep.Request.Quantity == QuantityId::Material;
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
    }
    if (role == Qt::ToolTipRole &&
        (column.Kind == Column::ExactAverage || column.Kind == Column::ExactPeak)) {
        for (std::size_t k = 0; k < shown_.ExactPoints.size(); ++k) {
            if (shown_.ExactPoints[k].Index == row && !shown_.ExactNotes[k].empty()) {
                return QString::fromStdString(shown_.ExactNotes[k]);
            }
        }
    }
    return {};
}

}  // namespace strativex
