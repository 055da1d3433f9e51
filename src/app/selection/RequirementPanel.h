#pragma once

#include "core/selection/RequirementInput.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace airmotor::core {
class SelectionSession;
}

namespace airmotor::app {

class FieldLineEdit;
class SessionDriver;

// The search data (working point, start torque, free speed and stall torque bounds), the available
// pressure and the search buttons.
class RequirementPanel final : public QWidget {
    Q_OBJECT
public:
    RequirementPanel(SessionDriver& driver, QWidget* parent = nullptr);

    void refresh(const core::SelectionSession& session);
    FieldLineEdit* field(core::RequirementField f) const { return fields[std::size_t(core::FieldIndex(f))]; }

private:
    FieldLineEdit* makeField(core::RequirementField f);
    void onEdited(core::RequirementField f, const QString& text);
    void onEnter(core::RequirementField f);
    // The field's caption, the range it accepts with its unit, and what its colours mean.
    QString toolTip(core::RequirementField f) const;

    SessionDriver& driver;
    std::array<FieldLineEdit*, core::kRequirementFieldCount> fields{};
    std::array<QLabel*, core::kRequirementFieldCount> captions{};
    QGroupBox* fraSearchData;
    QPushButton* searchButton = nullptr;
    // Set while a press on the search button has just left the pressure field, whose leave ran the
    // search already: the click that completes the press must not run it a second time.
    bool searchRanOnPress = false;
    QLabel* EffektA;
};

} // namespace airmotor::app
