#include "app/shell/WindowCapture.h"

#include <QMainWindow>
#include <QPixmap>
#include <QWidget>

namespace airmotor::app {

QImage CaptureForm(QWidget& window) {
    return window.grab().toImage();
}

QImage CaptureClient(QWidget& window) {
    if (auto* main = qobject_cast<QMainWindow*>(&window); main && main->centralWidget())
        return main->centralWidget()->grab().toImage();
    return window.grab(window.contentsRect()).toImage();
}

} // namespace airmotor::app
