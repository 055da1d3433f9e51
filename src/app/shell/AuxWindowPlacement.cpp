#include "app/shell/AuxWindowPlacement.h"

#include "core/diagram/ViewGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace airmotor::app {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// Window-manager decoration kept on screen: the title bar above the client area, the frame around it.
constexpr int kTitleBar = 32;
constexpr int kFrame = 6;
// A column narrower or lower than this is no place for a diagram.
constexpr int kMinWidth = 420;
constexpr int kMinHeight = 260;
constexpr char kPlacedProperty[] = "airmotorPlaced";

QSize ToPixels(const core::ViewRect& r) {
    return QSize(static_cast<int>(std::lround(r.width / kTwipsPerPixel)),
                 static_cast<int>(std::lround(r.height / kTwipsPerPixel)));
}

struct Column {
    QRect area;
    bool hugRight = false; // left of what it stands beside: the window keeps to its right edge
};

// The wider free strip of the screen left or right of r, if it is wide enough.
std::optional<Column> ColumnBeside(const QRect& screen, const QRect& r) {
    const int rightWidth = screen.right() - r.right();
    const int leftWidth = r.left() - screen.left();
    if (std::max(rightWidth, leftWidth) < kMinWidth)
        return std::nullopt;
    if (rightWidth >= leftWidth)
        return Column{QRect(r.right() + 1, screen.top(), rightWidth, screen.height()), false};
    return Column{QRect(screen.left(), screen.top(), leftWidth, screen.height()), true};
}

} // namespace

QRect AvailableScreen(const QWidget* widget) {
    const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize DiagramWindowSize(const QRect& screen) {
    return ToPixels(
        core::DiagramWindowRect(screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel));
}

QSize DrawingWindowSize(const QRect& screen) {
    return ToPixels(
        core::DrawingWindowRect(screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel));
}

QRect MainWindowRect(const QRect& screen) {
    if (!screen.isValid())
        return QRect(QPoint(kFrame, kTitleBar), kMainWindowSize);
    return QRect(screen.left() + kFrame, screen.top() + kTitleBar,
                 std::min(kMainWindowSize.width(), screen.width() - 2 * kFrame),
                 std::min(kMainWindowSize.height(), screen.height() - kTitleBar - kFrame));
}

QRect AuxWindowRect(const QRect& screen, const QRect& mainFrame, const QRect& keepVisible, QSize wanted,
                    int slot) {
    std::optional<Column> column = ColumnBeside(screen, mainFrame);
    if (!column && keepVisible.isValid())
        column = ColumnBeside(screen, keepVisible);
    if (!column)
        column = Column{screen, false};
    const QRect& c = column->area;
    const int width = std::clamp(wanted.width(), 1, std::max(1, c.width() - 2 * kFrame));
    int height = std::clamp(wanted.height(), 1, std::max(1, c.height() - kTitleBar - kFrame));
    const int x = column->hugRight ? c.right() - kFrame - width + 1 : c.left() + kFrame;
    int y = c.top() + kTitleBar;
    if (slot > 0) {
        const int below = y + height + kFrame + kTitleBar;
        const int roomBelow = c.bottom() - kFrame - below + 1;
        if (roomBelow >= std::min(height, kMinHeight)) {
            y = below;
            height = std::min(height, roomBelow);
        } else {
            // Overlapping the first window's lower part: the bottom of this one (its buttons) stays in view.
            y = c.bottom() - kFrame - height + 1;
        }
    }
    return QRect(x, y, width, height);
}

void PlaceOnFirstShow(QWidget* window, const QWidget* main, const QRect& keepVisible, QSize wanted,
                      int slot) {
    if (window->property(kPlacedProperty).toBool())
        return;
    window->setProperty(kPlacedProperty, true);
    // An ordinary top-level window, not a dialog kept above its owner: where the screen has no room
    // beside the main window, a click into the main window brings it to the front, so the user can
    // change a field or an option without closing the window.
    const QRect mainFrame = main ? main->frameGeometry() : QRect();
    const QRect screen = AvailableScreen(main ? main : window);
    QRect r = AuxWindowRect(screen, mainFrame, keepVisible, wanted, slot);
    // A window that cannot shrink to its column keeps its least size, moved back onto the screen.
    r.setSize(r.size().expandedTo(window->minimumSizeHint()));
    window->setGeometry(KeptOnScreen(screen, r));
}

QRect KeptOnScreen(const QRect& screen, QRect r) {
    if (!screen.isValid())
        return r;
    if (r.right() > screen.right() - kFrame)
        r.moveRight(screen.right() - kFrame);
    if (r.bottom() > screen.bottom() - kFrame)
        r.moveBottom(screen.bottom() - kFrame);
    if (r.left() < screen.left() + kFrame)
        r.moveLeft(screen.left() + kFrame);
    if (r.top() < screen.top() + kTitleBar)
        r.moveTop(screen.top() + kTitleBar);
    return r;
}

} // namespace airmotor::app
