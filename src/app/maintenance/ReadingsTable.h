#pragma once

#include "core/maintenance/MotorDataEditor.h"

#include <QScrollArea>

#include <array>

class QLineEdit;

namespace airmotor::app {

// The 32 rows of readings (speed, torque and air in millimetres on the measured diagram) as a
// compact scrolling table; boxes Varvtal_mm_i, Nm_mm_i and Q_mm_i for point i = 1..32.
class ReadingsTable final : public QScrollArea {
    Q_OBJECT
public:
    explicit ReadingsTable(core::MotorDataEditor& editor, QWidget* parent = nullptr);

    QLineEdit* box(core::ReadingColumn column, int point) const;
    void mirror();

private:
    core::MotorDataEditor& editor_;
    std::array<std::array<QLineEdit*, core::kMaxMeasuredPoints + 1>, 3> boxes_{};
};

} // namespace airmotor::app
