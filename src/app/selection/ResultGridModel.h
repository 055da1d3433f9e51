#pragma once

#include "core/selection/ResultTable.h"

#include <QAbstractTableModel>
#include <array>
#include <vector>

namespace airmotor::app {

// The result grid MSFlexGrid1: two columns, the header row as the section headers, one line per listed motor.
// Cell colours are palette indexes: 11 highlights the selected cell, 9 marks obsolete motors, 0 resets.
class ResultGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows; unchanged texts with new colours only signal the changed cells.
    void setRows(const std::vector<core::GridRow>& rows);
    void setHeaders(const QString& column0, const QString& column1);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<core::GridRow> rows;
    std::array<QString, 2> headers{"Motor type", ""};
};

} // namespace airmotor::app
