#include "app/diagrams/MountingPositionPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace airmotor::app {

namespace {

// All pictures are drawn in a 100 x 80 box; the motor lies along +x with its shaft at x = 100 before turning.
void drawHatchedSurface(QPainter& p, QRectF r) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(QColor(90, 90, 90), Qt::BDiagPattern));
    p.drawRect(r);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.restore();
}

// A motor body with its shaft pointing to +x, centred on the origin; length 50, diameter 24.
void drawMotor(QPainter& p, bool flange, bool feet) {
    const QColor body(70, 110, 160);
    p.setPen(QPen(QColor(20, 30, 50), 1.2));
    QLinearGradient g(0, -12, 0, 12);
    g.setColorAt(0, body.lighter(150));
    g.setColorAt(0.5, body);
    g.setColorAt(1, body.darker(140));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-25, -12, 44, 24), 3, 3);
    // Air inlet on the back end.
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(-31, -4, 6, 8));
    if (flange) {
        p.setBrush(QColor(120, 140, 170));
        p.drawRect(QRectF(19, -17, 5, 34));
    } else {
        p.setBrush(body.darker(110));
        p.drawRect(QRectF(19, -9, 5, 18));
    }
    // Output shaft with key.
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(24, -3.5, 14, 7));
    p.drawLine(QPointF(28, -3.5), QPointF(35, -3.5));
    if (feet) {
        p.setBrush(QColor(120, 140, 170));
        p.drawRect(QRectF(-20, 12, 8, 6));
        p.drawRect(QRectF(6, 12, 8, 6));
        p.drawRect(QRectF(-24, 17, 42, 3));
    }
}

void drawArrow(QPainter& p, QPointF from, QPointF to) {
    p.save();
    p.setPen(QPen(QColor(200, 40, 40), 1.4));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF a = line;
    a.setLength(5);
    a.setAngle(line.angle() + 25);
    QLineF b = line;
    b.setLength(5);
    b.setAngle(line.angle() - 25);
    p.drawLine(a);
    p.drawLine(b);
    p.restore();
}

} // namespace

MountingPositionPicture::MountingPositionPicture(int position, QWidget* parent)
    : QWidget(parent), index(position) {
    setObjectName(QString("Picture1_%1").arg(position));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(120, 100);
}

void MountingPositionPicture::setDescription(const QString& description) {
    setToolTip(description);
    setAccessibleName(description);
}

void MountingPositionPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(hovered || hasFocus() ? palette().highlight().color() : QColor(170, 170, 170),
                  hovered || hasFocus() ? 2.0 : 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(frame, 4, 4);

    const double scale = std::min(frame.width() / 100.0, frame.height() / 80.0);
    p.translate(frame.center());
    p.scale(scale, scale);

    switch (index) {
    case 0: // on its feet on the floor, shaft horizontal
        drawHatchedSurface(p, QRectF(-40, 20, 80, 6));
        drawMotor(p, false, true);
        break;
    case 1: // flange bolted to a wall, shaft horizontal through the wall
        drawHatchedSurface(p, QRectF(24, -32, 6, 64));
        drawMotor(p, true, false);
        break;
    case 2: // vertical, shaft down, flange on a plate
        p.save();
        p.translate(0, -8);
        drawHatchedSurface(p, QRectF(-36, 24, 28, 5));
        drawHatchedSurface(p, QRectF(8, 24, 28, 5));
        p.rotate(90);
        drawMotor(p, true, false);
        p.restore();
        break;
    case 3: // vertical, shaft up, flange on a plate
        p.save();
        p.translate(0, 8);
        drawHatchedSurface(p, QRectF(-36, -29, 28, 5));
        drawHatchedSurface(p, QRectF(8, -29, 28, 5));
        p.rotate(-90);
        drawMotor(p, true, false);
        p.restore();
        break;
    case 4: // upside down on its feet under a ceiling, shaft horizontal
        drawHatchedSurface(p, QRectF(-40, -26, 80, 6));
        p.save();
        p.scale(1, -1);
        drawMotor(p, false, true);
        p.restore();
        break;
    default: // any other position: inclined motor with a turning arrow
        p.save();
        p.rotate(-35);
        drawMotor(p, false, false);
        p.restore();
        drawArrow(p, QPointF(-36, 30), QPointF(-10, 34));
        drawArrow(p, QPointF(36, -30), QPointF(10, -34));
        break;
    }
}

void MountingPositionPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(index);
}

void MountingPositionPicture::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked(index);
    else
        QWidget::keyPressEvent(event);
}

void MountingPositionPicture::enterEvent(QEnterEvent*) {
    hovered = true;
    update();
}

void MountingPositionPicture::leaveEvent(QEvent*) {
    hovered = false;
    update();
}

} // namespace airmotor::app
