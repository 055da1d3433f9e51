#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace airmotor::app {

// The available area of the widget's screen (the primary screen without one).
QRect AvailableScreen(const QWidget* widget);

// Client sizes of the diagram and drawing windows on a screen (its available area), from the twip
// rules of core/diagram/ViewGeometry (15 twips per logical pixel).
QSize DiagramWindowSize(const QRect& screen);
QSize DrawingWindowSize(const QRect& screen);

// The main window's preferred client size: with its frame it fits a 1280 x 800 screen.
inline constexpr QSize kMainWindowSize{1276, 740};

// The main window's client rectangle on a screen: the preferred size, shrunk to the screen, at the top
// left so that the room for the auxiliary windows lies on one side of it.
QRect MainWindowRect(const QRect& screen);

// Where an auxiliary window opens (client rectangle, room for the title bar above it kept on screen):
// beside the main window when the screen has room there, else beside keepVisible (the part of the
// main window the window must not cover), else on the screen. The second window of a pair (slot 1)
// goes under the first, or, without room for that, against the bottom of the same column.
QRect AuxWindowRect(const QRect& screen, const QRect& mainFrame, const QRect& keepVisible, QSize wanted,
                    int slot);

// The client rectangle moved, not shrunk, so that it and its title bar lie on the screen as far as
// its size allows (the top left corner wins).
QRect KeptOnScreen(const QRect& screen, QRect r);

// Places the window by AuxWindowRect on its first showing only: after that it keeps where the user put it.
// The window stays an ordinary one, which the main window can cover.
void PlaceOnFirstShow(QWidget* window, const QWidget* main, const QRect& keepVisible, QSize wanted, int slot);

} // namespace airmotor::app
