#pragma once

#include "core/analysis/MotorComparison.h"

#include <QAbstractTableModel>

namespace airmotor::app {

// The comparison table: one line per figure (its caption, with the unit, as the row header), one
// column per compared motor. The best value of a line is bold on a light green ground.
class ComparisonTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setComparison(core::MotorComparison comparison);
    const core::MotorComparison& comparison() const { return comparison_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QColor BestBackground();

private:
    core::MotorComparison comparison_;
};

} // namespace airmotor::app
