#pragma once

#include <QLineEdit>

namespace airmotor::app {

// A numeric requirement box: reports focus changes made by the user (not those caused by message
// boxes or popups, which the classic text box never saw) and the Enter key.
class FieldLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // State colour index of the classic palette, shown as a light tint of its hue.
    void setPaletteColour(int colour);
    int paletteColour() const { return colourIndex; }

signals:
    void focusEntered();
    void focusLeft(Qt::FocusReason reason);
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int colourIndex = -1;
};

} // namespace airmotor::app
