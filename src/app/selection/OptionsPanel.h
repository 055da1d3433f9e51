#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace airmotor::core {
class SelectionSession;
}

namespace airmotor::app {

class SessionDriver;

// Motor type, catalogue/search view, the TKM and TKS options and the obsolete-motor filter.
class OptionsPanel final : public QWidget {
    Q_OBJECT
public:
    OptionsPanel(SessionDriver& driver, QWidget* parent = nullptr);

    void refresh(const core::SelectionSession& session);
    // The two halves are placed in different columns of the window.
    QWidget* motorTypeArea() const { return motorType; }
    QWidget* seriesOptionsArea() const { return seriesOptions; }
    QRadioButton* rotationButton(int k) const { return optRotation.buttons.at(static_cast<std::size_t>(k)); }

private:
    // One option array: buttons Name_0..Name_{n-1} in an exclusive group.
    struct OptionArray {
        QButtonGroup* group = nullptr;
        std::vector<QRadioButton*> buttons;
    };
    OptionArray makeArray(const char* name, const std::vector<const char*>& captions, QWidget* parent,
                          void (core::SelectionSession::*click)(int),
                          int (*selected)(const core::SelectionSession&));
    static void mirror(OptionArray& array, int selected, const bool* enabled);

    SessionDriver& driver;
    QWidget* motorType;
    QWidget* seriesOptions;
    std::array<QCheckBox*, 3> chkMotortype{};
    QGroupBox* fraTKMAlternativ;
    QGroupBox* fraTKSAlternativ;
    QGroupBox* fraObsoleteMotors;
    OptionArray optCatalogue, optRotation, optSteel, optBrake, optLubricated, optSteelTKS, optLubricatedTKS,
        optTKSRestricted, optObsoleteMotors;
};

} // namespace airmotor::app
