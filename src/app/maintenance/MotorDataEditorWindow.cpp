#include "app/maintenance/MotorDataEditorWindow.h"

#include "app/maintenance/EditorFieldBoxes.h"
#include "app/maintenance/ReadingsTable.h"
#include "app/selection/FieldLineEdit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace airmotor::app {

namespace {

using F = core::EditorField;

constexpr int kMeasuredPanel = 0;
constexpr int kScalePanel = 1;
constexpr int kTextWidth = 130; // pixels: a designation and a file name fit

QGroupBox* Group(const char* name, const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromUtf8(name));
    return group;
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

} // namespace

MotorDataEditorWindow::MotorDataEditorWindow(core::MotorDataEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), boxes_(new EditorFieldBoxes(editor.fields(), this)) {
    setObjectName("MOMEFF");
    setWindowTitle(QString::fromUtf8("Motordiagram för luftmotorer"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    panels_ = new QStackedWidget(this);
    panels_->insertWidget(kMeasuredPanel, buildMeasuredPanel());
    panels_->insertWidget(kScalePanel, buildScalePanel());
    layout->addWidget(panels_);
    layout->addWidget(buildMotorPanel());
    layout->addWidget(buildGearPanel());
    layout->addWidget(buildCommandPanel());
    connect(boxes_, &EditorFieldBoxes::left, this, &MotorDataEditorWindow::leave);
    mirror();
}

MotorDataEditorWindow::~MotorDataEditorWindow() = default;

QPushButton* MotorDataEditorWindow::button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

QLineEdit* MotorDataEditorWindow::textBox(const char* name, TextAccess access) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromUtf8(name));
    box->setFixedWidth(kTextWidth);
    connect(box, &QLineEdit::textEdited, this,
            [this, access](const QString& text) { access(editor_.texts()) = text.toStdString(); });
    texts_.emplace_back(box, std::move(access));
    return box;
}

QWidget* MotorDataEditorWindow::buildMeasuredPanel() {
    auto* panel = Group("fraMatdata", QString::fromUtf8("Mätdata"), this);
    auto* v = new QVBoxLayout(panel);
    auto* scales = new QFormLayout;
    scales->addRow(QString::fromUtf8("Skalfaktorer:    Varv/min/mm"), boxes_->box(F::SxB));
    scales->addRow(QStringLiteral("Nm/mm"), boxes_->box(F::Sy1B));
    scales->addRow(QStringLiteral("l/s/mm"), boxes_->box(F::Sy2B));
    scales->addRow(QString::fromUtf8("Utväxling:"), boxes_->box(F::UtvRefMatningB));
    v->addLayout(scales);
    auto* note =
        new QLabel(QString::fromUtf8("OBS! Tomgångsvarvtalspunkten måste vara med som näst sista punkt. "
                                     "Sista punkt = negativt moment."),
                   panel);
    note->setWordWrap(true);
    v->addWidget(note);
    readings_ = new ReadingsTable(editor_, panel);
    v->addWidget(readings_, 1);
    return panel;
}

QWidget* MotorDataEditorWindow::buildScalePanel() {
    auto* panel = Group("fraSkalning", QString::fromUtf8("Indata till skalning av diagram:"), this);
    auto* form = new QFormLayout(panel);
    const std::pair<F, const char*> rows[] = {
        {F::VmaxB, "Varvtal max"},       {F::VincB, "Varvtal gradering"},
        {F::VrutincB, "Varvtal rutnät"}, {F::VutmaxB, "Varvtal max utskr."},
        {F::NmmaxB, "Moment max"},       {F::NmincB, "Moment gradering"},
        {F::NmrutincB, "Moment rutnät"}, {F::NmutmaxB, "Moment max utskr."},
        {F::NmdecB, "Moment decimaler"}, {F::KwmaxB, "Effekt max"},
        {F::KwincB, "Effekt gradering"}, {F::KwutmaxB, "Effekt max utskr."},
        {F::KwdecB, "Effekt decimaler"}, {F::LsmaxB, "Luftf. max"},
        {F::LsincB, "Luftf. gradering"}, {F::LsutmaxB, "Luftf. max utskr."},
        {F::QkalB, "Korr.konst. flöde"}};
    for (const auto& [field, caption] : rows)
        form->addRow(QString::fromUtf8(caption), boxes_->box(field));
    return panel;
}

QWidget* MotorDataEditorWindow::buildMotorPanel() {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    auto* motor = new QFormLayout;
    motor->addRow(
        QStringLiteral("Motorbeteckning"),
        textBox("MotorbeteckningB", [](core::EditorTexts& t) -> std::string& { return t.designation; }));
    const char* partNames[] = {"Detnr1B", "Detnr2B", "Detnr3B"};
    for (std::size_t k = 0; k < 3; ++k)
        motor->addRow(
            QStringLiteral("Detaljnummer %1").arg(k + 1),
            textBox(partNames[k], [k](core::EditorTexts& t) -> std::string& { return t.partNumbers[k]; }));
    motor->addRow(QString::fromUtf8("Filnamn måttskiss"),
                  textBox("MåttskissNrB", [](core::EditorTexts& t) -> std::string& { return t.drawing; }));
    motor->addRow(QStringLiteral("Pris"), boxes_->box(F::RelativprisB));
    motor->addRow(QStringLiteral("Extr.pol. stallmoment"), boxes_->box(F::StallmomentB));
    motor->addRow(QStringLiteral("Min Startmoment"), boxes_->box(F::Min_StartMomentB));
    motor->addRow(QString::fromUtf8("Utväxling"), boxes_->box(F::UtvB));
    motor->addRow(QStringLiteral("Verkningsgrad %"), boxes_->box(F::VerkningsgradB));
    motor->addRow(QStringLiteral("Motorstorlek"),
                  textBox("StorlekB", [](core::EditorTexts& t) -> std::string& { return t.size; }));
    motor->addRow(QString::fromUtf8("Växeltyp"),
                  textBox("VtypB", [](core::EditorTexts& t) -> std::string& { return t.gearType; }));
    motor->addRow(QString::fromUtf8("Växlingskod"),
                  textBox("KodB", [](core::EditorTexts& t) -> std::string& { return t.gearCode; }));
    motor->addRow(QStringLiteral("Gradtal Nm-kurva (max 4)"), boxes_->box(F::GradtalB));
    motor->addRow(QStringLiteral("Gradtal Q-kurva   (max 4)"), boxes_->box(F::GradtalfB));
    motor->addRow(QString::fromUtf8("Startvarvtal för alla kurvor:"), boxes_->box(F::txtStartVarvtalKurvor));
    motor->addRow(QStringLiteral("Rita kurvor till max varvtal:"), boxes_->box(F::txtMaxVarvtalKurvor));
    v->addLayout(motor);
    v->addStretch(1);
    return column;
}

QWidget* MotorDataEditorWindow::buildGearPanel() {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    auto* worm = Group("fraSnackvaxel", QString::fromUtf8("Indata snäckväxlar"), column);
    auto* wf = new QFormLayout(worm);
    wf->addRow(QStringLiteral("Diameter"), boxes_->box(F::D1B));
    wf->addRow(QStringLiteral("Modul"), boxes_->box(F::MxB));
    wf->addRow(QString::fromUtf8("Antal ingångar"), boxes_->box(F::Z1B));
    wf->addRow(QStringLiteral("Pressvinkel"), boxes_->box(F::PressvB));
    v->addWidget(worm);

    auto* factors = Group("fraFaktorer", QString::fromUtf8("Fakt. för ber. vid nytt tryck"), column);
    auto* ff = new QFormLayout(factors);
    ff->addRow(QStringLiteral("Kn    (vartal)"), boxes_->box(F::KnB));
    ff->addRow(QStringLiteral("Km   (moment)"), boxes_->box(F::KmB));
    ff->addRow(QString::fromUtf8("Kl     (luftförbr.)"), boxes_->box(F::KlB));
    v->addWidget(factors);

    Frame6 = Group("Frame6", QString(), column);
    auto* tf = new QFormLayout(Frame6);
    tf->addRow(NamedLabel("Label44", QString::fromUtf8("Målvärden:"), Frame6));
    const std::pair<F, const char*> targets[] = {{F::txtMeasured_0, "Önskat Tomgångsvarvtal [v/min]:"},
                                                 {F::txtMeasured_1, "Önskad Maxeffekt [kW]:"},
                                                 {F::txtMeasured_2, "Önskad Luftf. maxeffekt [l/s]:"},
                                                 {F::txtMeasured_3, "Önskat varvtal maxeffekt [v/min]:"}};
    int label = 40;
    for (const auto& [field, caption] : targets) {
        const std::string name = "Label" + std::to_string(label++);
        tf->addRow(NamedLabel(name.c_str(), QString::fromUtf8(caption), Frame6), boxes_->box(field));
    }
    v->addWidget(Frame6);
    // The frame's long caption wraps inside it, so the column keeps the width of the other frames.
    // (A box layout gives the wrapped caption its height; a form row alone clipped its first line.)
    Frame2 = Group("Frame2", QString(), column);
    auto* frame2Layout = new QVBoxLayout(Frame2);
    auto* caption =
        new QLabel(QStringLiteral("Motordata från Excel-fil i undermappen \\Excel (130605):"), Frame2);
    caption->setWordWrap(true);
    frame2Layout->addWidget(caption);
    auto* list = new QFormLayout;
    frame2Layout->addLayout(list);
    Option1_0 = new QRadioButton(QStringLiteral("Uppdatera databas från Excelfil"), Frame2);
    Option1_0->setObjectName("Option1_0");
    auto* option1 = new QRadioButton(QStringLiteral("Diagram från Excelfil till printer"), Frame2);
    option1->setObjectName("Option1_1");
    Option1_0->setChecked(true);
    list->addRow(Option1_0);
    list->addRow(option1);
    const auto listBox = [&](const char* name, const QString& text) {
        auto* box = new QLineEdit(text, Frame2);
        box->setObjectName(QString::fromUtf8(name));
        return box;
    };
    Text1_0 = listBox("Text1_0", QStringLiteral("2"));
    Text1_1 = listBox("Text1_1", QStringLiteral("417"));
    Text2 = listBox("Text2", QStringLiteral("Nya motorer till Version 4 (2014).xlsx"));
    list->addRow(QStringLiteral("Starta på rad (2):"), Text1_0);
    list->addRow(QStringLiteral("Sluta på rad (417):"), Text1_1);
    list->addRow(new QLabel(QStringLiteral("Se blad \"Motorer\":"), Frame2));
    list->addRow(QStringLiteral("Filnamn:"), Text2);
    auto* batch = button("Command5", QStringLiteral("Starta"));
    list->addRow(batch);
    connect(batch, &QPushButton::clicked, this, &MotorDataEditorWindow::motorListBatchRequested);
    v->addWidget(Frame2);
    v->addStretch(1);
    return column;
}

QWidget* MotorDataEditorWindow::buildCommandPanel() {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    auto* file = Group("fraDatafil", QStringLiteral("Aktuell datafil:"), column);
    auto* fl = new QVBoxLayout(file);
    Label14 = NamedLabel("Label14", QString(), file);
    fl->addWidget(Label14);
    v->addWidget(file);

    const auto add = [&](QPushButton* b, void (MotorDataEditorWindow::*signal)()) {
        v->addWidget(b);
        connect(b, &QPushButton::clicked, this, signal);
        return b;
    };
    add(button("Command1", QString::fromUtf8("Spara Mätdatafil")), &MotorDataEditorWindow::saveFileRequested);
    add(button("HämtaDatafilB", QString::fromUtf8("Hämta Mätdatafil")),
        &MotorDataEditorWindow::loadFileRequested);
    add(button("cmdSparaMätpunterTillStreckadeKurvor",
               QString::fromUtf8("Läs in mätpunter till ostrypt motor, \"...-U\"")),
        &MotorDataEditorWindow::loadCompanionRequested);
    auto* interpolate = button("cmdInterpoleraMätpunkterLuftförbrukning",
                               QString::fromUtf8("Interpolera fram saknade mätpunkter för luftförbrukning"));
    v->addWidget(interpolate);
    connect(interpolate, &QPushButton::clicked, this, [this] {
        editor_.interpolateAir();
        mirror();
    });
    auto* fresh = button("Command3", QStringLiteral("Nya Indata"));
    v->addWidget(fresh);
    connect(fresh, &QPushButton::clicked, this, [this] {
        editor_.newInput();
        mirror();
    });
    auto* diagramMenu = button("DiagramB", QString::fromUtf8("Meny för diagramritning"));
    auto* dataMenu = button("VisaDataB", QString::fromUtf8("Meny för Visa Mätdata"));
    v->addWidget(diagramMenu);
    v->addWidget(dataMenu);
    connect(diagramMenu, &QPushButton::clicked, this, [this] { showDiagramPanel(true); });
    connect(dataMenu, &QPushButton::clicked, this, [this] { showDiagramPanel(false); });
    MatpunkterB = new QCheckBox(QString::fromUtf8("Visa mätpunkter i diagram"), column);
    MatpunkterB->setObjectName(QString::fromUtf8("MätpunkterB"));
    chkSvartaAxelgraderingar = new QCheckBox(QStringLiteral("Svarta Axelgraderingar (090102)"), column);
    chkSvartaAxelgraderingar->setObjectName("chkSvartaAxelgraderingar");
    v->addWidget(MatpunkterB);
    v->addWidget(chkSvartaAxelgraderingar);
    add(button("DiagramSkärm", QString::fromUtf8("Diagram på Skärm")),
        &MotorDataEditorWindow::screenDiagramRequested);
    add(button("DiagramPrinter", QString::fromUtf8("Diagram på Printer")),
        &MotorDataEditorWindow::printerDiagramRequested);

    Frame1 = Group("Frame1", QStringLiteral("Luftmotordatabasen"), column);
    auto* db = new QFormLayout(Frame1);
    auto* save = button("Command2", QString::fromUtf8("Lägg till motor i Luftmotordatabasen"));
    db->addRow(save);
    connect(save, &QPushButton::clicked, this, &MotorDataEditorWindow::databaseSaveRequested);
    db->addRow(QString::fromUtf8("Startvärde på intKatalogindex:"), boxes_->box(F::txtKatalogIndex_0));
    db->addRow(QString::fromUtf8("Slutvärde på intKatalogindex:"), boxes_->box(F::txtKatalogIndex_1));
    auto* range = button("Command4", QStringLiteral("Starta utskrift till printer"));
    db->addRow(range);
    connect(range, &QPushButton::clicked, this, &MotorDataEditorWindow::printRangeRequested);
    v->addWidget(Frame1);

    v->addStretch(1);

    ValAvLuftmotorB = add(button("ValAvLuftmotorB", QStringLiteral("Till luftzevodidasprogram")),
                          &MotorDataEditorWindow::selectionWindowRequested);
    add(button("Command6", QStringLiteral("Exit")), &MotorDataEditorWindow::exitRequested);
    return column;
}

void MotorDataEditorWindow::leave(core::EditorField field) {
    switch (field) {
    case F::UtvB:
    case F::VerkningsgradB:
        editor_.leaveGearRatio();
        mirror();
        if (field == F::UtvB)
            emit redrawRequested();
        break;
    case F::KnB:
    case F::KmB:
    case F::KlB:
        editor_.leaveFactor();
        mirror();
        break;
    default:
        break;
    }
}

void MotorDataEditorWindow::mirror() {
    boxes_->mirror();
    readings_->mirror();
    for (auto& [box, access] : texts_) {
        const QString text = QString::fromStdString(access(editor_.texts()));
        if (box->text() != text)
            box->setText(text);
    }
}

void MotorDataEditorWindow::setReduced(bool reduced) {
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame2, Frame6, ValAvLuftmotorB})
        w->setVisible(!reduced);
}

void MotorDataEditorWindow::showDiagramPanel(bool diagram) {
    panels_->setCurrentIndex(diagram ? kScalePanel : kMeasuredPanel);
}

bool MotorDataEditorWindow::diagramPanelShown() const {
    return panels_->currentIndex() == kScalePanel;
}
bool MotorDataEditorWindow::showPoints() const {
    return MatpunkterB->isChecked();
}
bool MotorDataEditorWindow::blackGraduations() const {
    return chkSvartaAxelgraderingar->isChecked();
}
void MotorDataEditorWindow::setFileLabel(const QString& name) {
    Label14->setText(name);
}
int MotorDataEditorWindow::motorListOption() const {
    return Option1_0->isChecked() ? 0 : 1;
}
QString MotorDataEditorWindow::motorListText(int index) const {
    return index == 0 ? Text1_0->text() : Text1_1->text();
}
QString MotorDataEditorWindow::motorListSheet() const {
    return Text2->text();
}

void MotorDataEditorWindow::closeEvent(QCloseEvent* event) {
    // Closing ends the program; the controller asks first when readings would be lost.
    event->ignore();
    emit exitRequested();
}

} // namespace airmotor::app
