#include "app/analysis/ComparisonTableModel.h"

#include "app/shell/TextConversion.h"
#include "core/common/Keys.h"

#include <QColor>
#include <QFont>

namespace airmotor::app {

namespace {

int BetterHintKey(core::Better better) {
    switch (better) {
    case core::Better::Higher:
        return core::TextKey::HigherIsBetter;
    case core::Better::Lower:
        return core::TextKey::LowerIsBetter;
    case core::Better::Neither:
        break;
    }
    return core::TextKey::NeitherIsBetter;
}

} // namespace

QString ComparisonTableModel::text(int key) const {
    return Q(strText_(key));
}

void ComparisonTableModel::setComparison(core::MotorComparison comparison) {
    beginResetModel();
    comparison_ = std::move(comparison);
    endResetModel();
}

int ComparisonTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(comparison_.figures.size());
}

int ComparisonTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(comparison_.motors.size());
}

QVariant ComparisonTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const core::ComparedFigure& f = comparison_.figures[static_cast<std::size_t>(index.row())];
    const auto motor = static_cast<std::size_t>(index.column());
    const bool best = motor < f.best.size() && f.best[motor];
    switch (role) {
    case Qt::DisplayRole:
        return motor < f.texts.size() ? Q(f.texts[motor]) : QString();
    case Qt::ToolTipRole: {
        QString tip = f.tooltip.empty() ? text(core::TextKey::CatalogueFigureTip) : Q(f.tooltip);
        if (best)
            tip += "\n" + text(core::TextKey::BestOfCompared);
        return tip;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return best ? QVariant(BestBackground()) : QVariant();
    case Qt::FontRole: {
        if (!best)
            return {};
        QFont font;
        font.setBold(true);
        return font;
    }
    default:
        return {};
    }
}

QVariant ComparisonTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount() || role != Qt::DisplayRole)
            return {};
        const core::AnalysedRow& r = comparison_.motors[static_cast<std::size_t>(section)];
        return QStringLiteral("%1: %2").arg(r.row).arg(Q(r.analysis.designation));
    }
    if (section < 0 || section >= rowCount())
        return {};
    const core::ComparedFigure& f = comparison_.figures[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return Q(f.caption);
    if (role == Qt::ToolTipRole)
        return (f.tooltip.empty() ? QString() : Q(f.tooltip) + "\n") + text(BetterHintKey(f.better));
    return {};
}

QColor ComparisonTableModel::BestBackground() {
    return QColor(0xd9, 0xf2, 0xd9);
}

} // namespace airmotor::app
