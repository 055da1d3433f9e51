#include "app/selection/ResultGridView.h"

#include <QKeyEvent>

namespace airmotor::app {

void ResultGridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        emit cellReachedByKey(after);
}

} // namespace airmotor::app
