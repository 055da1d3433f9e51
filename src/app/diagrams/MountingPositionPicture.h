#pragma once

#include <QWidget>

namespace airmotor::app {

// One clickable vector picture of a mounting position (index 0..5), drawn to any size.
class MountingPositionPicture final : public QWidget {
    Q_OBJECT
public:
    MountingPositionPicture(int position, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {150, 130}; }
    int position() const { return index; }
    // What the picture shows, in the language: its tooltip and its name for screen readers.
    void setDescription(const QString& description);

signals:
    void clicked(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int index;
    bool hovered = false;
};

} // namespace airmotor::app
