#include "app/selection/OptionsPanel.h"

#include "app/selection/SessionDriver.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace airmotor::app {

using core::SelectionSession;

OptionsPanel::OptionsPanel(SessionDriver& sessionDriver, QWidget* parent)
    : QWidget(parent), driver(sessionDriver), motorType(new QWidget(this)), seriesOptions(new QWidget(this)),
      fraTKMAlternativ(new QGroupBox("Options for TKM only:", seriesOptions)),
      fraTKSAlternativ(new QGroupBox("Options for TKS only:", seriesOptions)),
      fraObsoleteMotors(new QGroupBox(seriesOptions)) {
    // Motor type and view.
    auto* frame3D1 = new QGroupBox("MOTOR TYPE:", motorType);
    frame3D1->setObjectName("Frame3D1");
    auto* Frame3D5 = new QWidget(frame3D1);
    Frame3D5->setObjectName("Frame3D5");
    auto* types = new QHBoxLayout(Frame3D5);
    types->setContentsMargins(0, 0, 0, 0);
    const char* const series[3] = {"TKM", "TKS", "PGW"};
    for (int k = 0; k < 3; ++k) {
        chkMotortype[k] = new QCheckBox(series[k], Frame3D5);
        chkMotortype[k]->setObjectName(QString("chkMotortype_%1").arg(k));
        types->addWidget(chkMotortype[k]);
        connect(chkMotortype[k], &QCheckBox::clicked, this, [this, k](bool ticked) {
            this->driver.run([k, ticked](SelectionSession& s) { s.ClickMotorType(k, ticked); });
        });
    }
    types->addStretch(1);
    auto* typeLayout = new QVBoxLayout(frame3D1);
    typeLayout->addWidget(Frame3D5);

    auto* view = new QWidget(motorType);
    view->setObjectName("fraCatalogue");
    optCatalogue = makeArray("optCatalogue", {"Catalogue", "Search"}, view, &SelectionSession::ClickCatalogue,
                             [](const SelectionSession& s) { return s.options().optCatalogue; });
    auto* viewLayout = new QHBoxLayout(view);
    viewLayout->setContentsMargins(10, 0, 0, 0);
    for (auto* b : optCatalogue.buttons)
        viewLayout->addWidget(b);
    viewLayout->addStretch(1);

    auto* allMotors = new QPushButton("List selected motortypes", motorType);
    allMotors->setObjectName("AllMotorsB");
    allMotors->setAutoDefault(false);
    connect(allMotors, &QPushButton::clicked, this,
            [this] { this->driver.run([](SelectionSession& s) { s.ClickAllMotors(); }); });

    auto* motorLayout = new QVBoxLayout(motorType);
    motorLayout->setContentsMargins(0, 0, 0, 0);
    motorLayout->addWidget(frame3D1);
    motorLayout->addWidget(view);
    motorLayout->addWidget(allMotors);

    // TKM options: rotation and steel side by side, brake and lubrication below.
    fraTKMAlternativ->setObjectName("fraTKMAlternativ");
    optRotation = makeArray("optRotation", {"Clockwise", "Counter Clockwise", "Reversible"}, fraTKMAlternativ,
                            &SelectionSession::ClickRotation,
                            [](const SelectionSession& s) { return s.options().optRotation; });
    optSteel = makeArray("optSteel", {"Standard steel", "Stainless steel"}, fraTKMAlternativ,
                         &SelectionSession::ClickSteel,
                         [](const SelectionSession& s) { return s.options().optSteel; });
    optBrake = makeArray("optBrake", {"Without brake", "With brake"}, fraTKMAlternativ,
                         &SelectionSession::ClickBrake,
                         [](const SelectionSession& s) { return s.options().optBrake; });
    optLubricated = makeArray("optLubricated", {"Lubricated", "Lube-free"}, fraTKMAlternativ,
                              &SelectionSession::ClickLubricated,
                              [](const SelectionSession& s) { return s.options().optLubricated; });
    auto* tkm = new QGridLayout(fraTKMAlternativ);
    tkm->setVerticalSpacing(2);
    for (int k = 0; k < 3; ++k)
        tkm->addWidget(optRotation.buttons[k], k, 0);
    for (int k = 0; k < 2; ++k) {
        tkm->addWidget(optSteel.buttons[k], k, 1);
        tkm->addWidget(optBrake.buttons[k], 4 + k, 0);
        tkm->addWidget(optLubricated.buttons[k], 4 + k, 1);
    }
    tkm->setRowMinimumHeight(3, 6);
    auto* note =
        new QLabel("TKM42 / (46) / 54 / 66 / 77 only available as lubricated motors.", fraTKMAlternativ);
    note->setObjectName("Label25");
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
    tkm->addWidget(note, 6, 0, 1, 2);
    auto* defaults = new QPushButton("Default options", fraTKMAlternativ);
    defaults->setObjectName("cmdDefaultOptions");
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this,
            [this] { this->driver.run([](SelectionSession& s) { s.ClickDefaultOptions(); }); });
    tkm->addWidget(defaults, 7, 0, 1, 2, Qt::AlignLeft);

    // TKS options.
    fraTKSAlternativ->setObjectName("fraTKSAlternativ");
    optSteelTKS = makeArray("optSteelTKS", {"Standard steel", "Stainless steel"}, fraTKSAlternativ,
                            &SelectionSession::ClickSteelTKS,
                            [](const SelectionSession& s) { return s.options().optSteelTKS; });
    optLubricatedTKS = makeArray("optLubricatedTKS", {"Lubricated", "Lube-free"}, fraTKSAlternativ,
                                 &SelectionSession::ClickLubricatedTKS,
                                 [](const SelectionSession& s) { return s.options().optLubricatedTKS; });
    optTKSRestricted =
        makeArray("optTKSRestricted",
                  {"Only show restricted versions", "Show restricted and unrestricted versions",
                   "Show unrestricted versions if restricted are not an option"},
                  fraTKSAlternativ, &SelectionSession::ClickTKSRestricted,
                  [](const SelectionSession& s) { return s.options().optTKSRestricted; });
    auto* tks = new QGridLayout(fraTKSAlternativ);
    tks->setVerticalSpacing(2);
    for (int k = 0; k < 2; ++k) {
        tks->addWidget(optSteelTKS.buttons[k], k, 0);
        tks->addWidget(optLubricatedTKS.buttons[k], k, 1);
    }
    tks->setRowMinimumHeight(2, 6);
    for (int k = 0; k < 3; ++k)
        tks->addWidget(optTKSRestricted.buttons[k], 3 + k, 0, 1, 2);

    // Obsolete-motor filter (shown by the menu "Include obsolete motors").
    fraObsoleteMotors->setObjectName("fraObsoleteMotors");
    optObsoleteMotors =
        makeArray("optObsoleteMotors", {"All motors", "Only obsolete motors", "Only new motors"},
                  fraObsoleteMotors, &SelectionSession::ClickObsoleteMotors,
                  [](const SelectionSession& s) { return s.options().optObsoleteMotors; });
    auto* obsolete = new QVBoxLayout(fraObsoleteMotors);
    obsolete->setSpacing(2);
    for (auto* b : optObsoleteMotors.buttons)
        obsolete->addWidget(b);

    auto* seriesLayout = new QVBoxLayout(seriesOptions);
    seriesLayout->setContentsMargins(0, 0, 0, 0);
    seriesLayout->addWidget(fraTKMAlternativ);
    seriesLayout->addWidget(fraTKSAlternativ);
    seriesLayout->addWidget(fraObsoleteMotors);
}

OptionsPanel::OptionArray OptionsPanel::makeArray(const char* name, const std::vector<const char*>& captions,
                                                  QWidget* parent, void (SelectionSession::*click)(int),
                                                  int (*selected)(const SelectionSession&)) {
    OptionArray array;
    array.group = new QButtonGroup(this);
    array.group->setExclusive(true);
    for (int k = 0; k < int(captions.size()); ++k) {
        auto* button = new QRadioButton(captions[std::size_t(k)], parent);
        button->setObjectName(QString("%1_%2").arg(name).arg(k));
        array.group->addButton(button, k);
        array.buttons.push_back(button);
    }
    connect(array.group, &QButtonGroup::idClicked, this, [this, click, selected](int id) {
        this->driver.run([click, selected, id](SelectionSession& s) {
            // A classic option button raises no click when it is already the selected one.
            if (selected(s) != id)
                (s.*click)(id);
        });
    });
    return array;
}

void OptionsPanel::mirror(OptionArray& array, int selected, const bool* enabled) {
    for (int k = 0; k < int(array.buttons.size()); ++k) {
        array.buttons[std::size_t(k)]->setEnabled(enabled[k]);
        if (k == selected)
            array.buttons[std::size_t(k)]->setChecked(true);
    }
}

void OptionsPanel::refresh(const SelectionSession& session) {
    const auto& o = session.options();
    for (int k = 0; k < 3; ++k) {
        chkMotortype[k]->setChecked(o.chkMotortype[k]);
        chkMotortype[k]->setVisible(o.chkMotortypeVisible[k]);
        chkMotortype[k]->setEnabled(o.chkMotortypeEnabled[k]);
    }
    mirror(optCatalogue, o.optCatalogue, o.optCatalogueEnabled.data());
    mirror(optRotation, o.optRotation, o.optRotationEnabled.data());
    mirror(optSteel, o.optSteel, o.optSteelEnabled.data());
    mirror(optBrake, o.optBrake, o.optBrakeEnabled.data());
    mirror(optLubricated, o.optLubricated, o.optLubricatedEnabled.data());
    mirror(optSteelTKS, o.optSteelTKS, o.optSteelTKSEnabled.data());
    mirror(optLubricatedTKS, o.optLubricatedTKS, o.optLubricatedTKSEnabled.data());
    mirror(optTKSRestricted, o.optTKSRestricted, o.optTKSRestrictedEnabled.data());
    const bool always[3] = {true, true, true};
    mirror(optObsoleteMotors, o.optObsoleteMotors, always);
    fraTKMAlternativ->setVisible(o.fraTKMAlternativVisible);
    fraTKSAlternativ->setVisible(o.fraTKSAlternativVisible);
    fraObsoleteMotors->setVisible(o.fraObsoleteMotorsVisible);
}

} // namespace airmotor::app
