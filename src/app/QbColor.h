#pragma once

#include "core/diagram/Canvas.h"

#include <QColor>

namespace airmotor::app {

// The classic 16-colour palette that the rules address by index (0 black ... 15 white).
inline QColor QbColor(int index) {
    const core::Rgb c = core::QBColor(index);
    return QColor(c.r, c.g, c.b);
}

} // namespace airmotor::app
