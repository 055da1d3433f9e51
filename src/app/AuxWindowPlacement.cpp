#include "app/AuxWindowPlacement.h"

#include "core/diagram/ViewGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace airmotor::app {

namespace {

constexpr double kTwipsPerPixel = 15.0;

QRect ToPixels(const core::ViewRect& r, const QRect& screen) {
    return QRect(screen.left() + static_cast<int>(std::lround(r.left / kTwipsPerPixel)),
                 screen.top() + static_cast<int>(std::lround(r.top / kTwipsPerPixel)),
                 static_cast<int>(std::lround(r.width / kTwipsPerPixel)),
                 static_cast<int>(std::lround(r.height / kTwipsPerPixel)));
}

QRect ScreenOf(const QWidget* window) {
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

} // namespace

QRect DiagramWindowGeometry(const QWidget* window) {
    const QRect screen = ScreenOf(window);
    return ToPixels(
        core::DiagramWindowRect(screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel), screen);
}

QRect DrawingWindowGeometry(const QWidget* window) {
    const QRect screen = ScreenOf(window);
    return ToPixels(
        core::DrawingWindowRect(screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel), screen);
}

void KeepPlaced(QWidget* window, QRect (*geometry)(const QWidget*), bool& placing) {
    if (placing ||
        (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        return;
    placing = true;
    const QRect target = geometry(window);
    if (window->geometry() != target)
        window->setGeometry(target);
    placing = false;
}

} // namespace airmotor::app
