#pragma once

#include "core/diagram/Canvas.h"

#include <QColor>

#include <cmath>

namespace airmotor::app {

// The classic 16-colour palette that the rules address by index (0 black ... 15 white).
inline QColor QbColor(int index) {
    const core::Rgb c = core::QBColor(index);
    return QColor(c.r, c.g, c.b);
}

// A state colour as a field background: a light tint of the same hue, so typed text stays legible
// (the disabled black becomes a mid grey, white stays white).
inline QColor StateTint(int index) {
    constexpr double kShareOfColour = 0.3;
    const QColor c = QbColor(index);
    const auto mix = [](int v) { return static_cast<int>(std::lround(255.0 - kShareOfColour * (255 - v))); };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

} // namespace airmotor::app
