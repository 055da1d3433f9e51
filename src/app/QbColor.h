#pragma once

#include <QColor>

namespace airmotor::app {

// The classic 16-colour palette that the rules address by index (0 black ... 15 white).
inline QColor QbColor(int index) {
    static constexpr QRgb kPalette[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(kPalette[index & 15]);
}

} // namespace airmotor::app
