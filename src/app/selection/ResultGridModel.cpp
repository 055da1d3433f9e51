#include "app/selection/ResultGridModel.h"

#include "app/selection/QbColor.h"

#include <algorithm>

namespace airmotor::app {

void ResultGridModel::setRows(const std::vector<core::GridRow>& newRows) {
    if (!std::ranges::equal(rows, newRows, {}, &core::GridRow::cells, &core::GridRow::cells)) {
        beginResetModel();
        rows = newRows;
        endResetModel();
        return;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].cellColour != newRows[r].cellColour || rows[r].obsolete != newRows[r].obsolete) {
            rows[r] = newRows[r];
            emit dataChanged(index(int(r), 0), index(int(r), 1), {Qt::BackgroundRole, Qt::ForegroundRole});
        }
    }
}

void ResultGridModel::setHeaders(const QString& column0, const QString& column1) {
    if (headers[0] == column0 && headers[1] == column1)
        return;
    headers = {column0, column1};
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const core::GridRow& row = rows[std::size_t(index.row())];
    const int colour = row.cellColour[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(row.cells[std::size_t(index.column())]);
    case Qt::BackgroundRole:
        // Reset (0) is the grid's own background, not a black cell.
        if (colour == core::kCellColourSelected)
            return StateTint(11); // the selected cell, as light as the field tints
        if (colour == core::kCellColourObsolete)
            return QColor(200, 214, 255); // palette 9, lightened so the text stays readable
        return {};
    case Qt::ForegroundRole:
        if (colour == core::kCellColourObsolete)
            return QbColor(1);
        return {};
    default:
        return {};
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < 2)
        return headers[std::size_t(section)];
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace airmotor::app
