#pragma once

#include <QRect>

class QWidget;

namespace airmotor::app {

// Pixel geometry of the diagram and drawing windows on the widget's screen, from the twip rules of
// core/diagram/ViewGeometry (15 twips per logical pixel).
QRect DiagramWindowGeometry(const QWidget* window);
QRect DrawingWindowGeometry(const QWidget* window);

} // namespace airmotor::app
