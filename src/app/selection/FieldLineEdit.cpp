#include "app/selection/FieldLineEdit.h"

#include "app/selection/QbColor.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace airmotor::app {

void FieldLineEdit::setPaletteColour(int colour) {
    if (colour == colourIndex)
        return;
    colourIndex = colour;
    QPalette pal = palette();
    const QColor base = StateTint(colour);
    const QColor text = colour == 0 ? QColor(Qt::darkGray) : QColor(Qt::black);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, base);
        pal.setColor(group, QPalette::Text, text);
    }
    setPalette(pal);
}

void FieldLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    emit focusEntered();
}

void FieldLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    emit focusLeft(event->reason());
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace airmotor::app
