#pragma once

#include <QTableView>

namespace airmotor::app {

// The result grid MSFlexGrid1. Moving the current cell with the keyboard (arrows, Page Up/Down,
// Home/End) is reported like a click on the new cell, so the detail panel follows the keyboard.
class ResultGridView final : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

signals:
    void cellReachedByKey(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace airmotor::app
