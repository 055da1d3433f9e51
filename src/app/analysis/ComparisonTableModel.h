#pragma once

#include "core/analysis/MotorComparison.h"

#include <QAbstractTableModel>

namespace airmotor::app {

// The comparison table: one line per figure (its caption, with the unit, as the row header), one
// column per compared motor. The best value of a line is bold on a light green ground.
class ComparisonTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // Tooltips in the language of the text table, which outlives the model.
    ComparisonTableModel(const core::TextTable& strText, QObject* parent = nullptr)
        : QAbstractTableModel(parent), strText_(strText) {}

    void setComparison(core::MotorComparison comparison);
    const core::MotorComparison& comparison() const { return comparison_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QColor BestBackground();

private:
    QString text(int key) const;

    const core::TextTable& strText_;
    core::MotorComparison comparison_;
};

} // namespace airmotor::app
