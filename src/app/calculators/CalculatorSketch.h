#pragma once

#include "core/calculators/CalculatorLayout.h"

#include <QWidget>

namespace airmotor::app {

// Picture1 of a calculator window: a line sketch of the drive the window computes (a wagon on a
// slope driven through a gear and wheel, or a rotating mass on a gear with damping).
class CalculatorSketch final : public QWidget {
    Q_OBJECT
public:
    CalculatorSketch(core::CalculatorKind kind, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::CalculatorKind kind_;
};

} // namespace airmotor::app
