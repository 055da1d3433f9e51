#pragma once

#include <QRect>

class QWidget;

namespace airmotor::app {

// Pixel geometry of the diagram and drawing windows on the widget's screen, from the twip rules of
// core/diagram/ViewGeometry (15 twips per logical pixel).
QRect DiagramWindowGeometry(const QWidget* window);
QRect DrawingWindowGeometry(const QWidget* window);

// Puts the window where geometry says unless the user maximised, minimised or full-screened it.
// placing is the window's own guard against the resize that setGeometry itself causes.
void KeepPlaced(QWidget* window, QRect (*geometry)(const QWidget*), bool& placing);

} // namespace airmotor::app
