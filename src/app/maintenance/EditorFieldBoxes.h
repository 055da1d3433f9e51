#pragma once

#include "core/maintenance/EditorFields.h"

#include <QObject>
#include <QString>

#include <array>

class QWidget;

namespace airmotor::app {

class FieldLineEdit;

// Filters a typed text through the numeric key filter: a decimal comma becomes a point, other
// characters are dropped. `dropped` tells whether anything was dropped (the window beeps).
QString FilterNumericText(const QString& typed, bool* dropped = nullptr);

// The numeric boxes of the motor data editor, one per field, named after its control. Typing goes
// into the editor's fields; leaving a box is reported so the window can run its leave rule.
class EditorFieldBoxes final : public QObject {
    Q_OBJECT
public:
    EditorFieldBoxes(core::EditorFields& fields, QWidget* parent);

    FieldLineEdit* box(core::EditorField field) const { return boxes_[static_cast<std::size_t>(field)]; }
    // Texts and colours from the fields (after the program wrote values).
    void mirror();

signals:
    void typed(airmotor::core::EditorField field);
    void left(airmotor::core::EditorField field);

private:
    core::EditorFields& fields_;
    std::array<FieldLineEdit*, core::kEditorFieldCount> boxes_{};
};

} // namespace airmotor::app
