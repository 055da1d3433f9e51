#pragma once

#include <QImage>

class QWidget;

namespace airmotor::app {

// The window capture of CaptureAndPrint: pictures of a window for PicturePrintJob (platform).
// CaptureForm: the whole window as the program paints it (menu bar included; the frame belongs to
// the window manager). CaptureClient: the client area (the central widget of a main window).
QImage CaptureForm(QWidget& window);
QImage CaptureClient(QWidget& window);

} // namespace airmotor::app
