#include "app/calculators/CalculatorWindow.h"

#include "app/calculators/CalculatorSketch.h"
#include "app/selection/QbColor.h"
#include "app/shell/TextConversion.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace airmotor::app {

namespace {
constexpr int kOtherInputsLabel = 19, kMotorHeadingLabel = 15, kResultHeadingLabel = 8;
constexpr int kBoxWidth = 90, kLabelWidth = 280;
// About the longest designation of the catalogue, geared and with its version.
constexpr char kLongDesignation[] = "TKM54-A450-VG54-A-15";

// The main window's light tints, so that a state colour means the same in every window.
QColor BoxColour(int colour) {
    if (colour == core::kMotorBoxLockedColour)
        return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
    return StateTint(colour);
}

void SetBackground(QLineEdit* edit, const QColor& colour) {
    QPalette pal = edit->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, colour);
    edit->setPalette(pal);
}
} // namespace

CalculatorWindow::CalculatorWindow(core::CalculatorModel& model, const core::MotorCatalogue& catalogue,
                                   MotorProvider motor, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), catalogue_(catalogue), motor_(std::move(motor)) {
    setObjectName(Q(model.layout().windowName));
    build();
    refresh();
}

void CalculatorWindow::addHeading(QGridLayout* grid, int& row, int label) {
    auto* l = new QLabel(this);
    l->setObjectName(QString("Label1_%1").arg(label));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    grid->addWidget(l, row++, 0, 1, 2);
    if (label == kResultHeadingLabel)
        heading_ = l;
}

void CalculatorWindow::addRow(QGridLayout* grid, int& row, int box) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("Label1_%1").arg(core::LabelOfBox(box)));
    // The longest captions wrap, so that the window fits beside the main window on a small screen.
    label->setWordWrap(true);
    label->setFixedWidth(kLabelWidth); // a label's wrap width and its laid-out width must agree
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString("Text1_%1").arg(box));
    // A result box holds the widest figure the result mask writes; a narrower one would scroll its
    // leading digits out of sight.
    const int resultWidth = edit->fontMetrics().horizontalAdvance(QStringLiteral("-8888888888.88")) + 12;
    const int designationWidth =
        edit->fontMetrics().horizontalAdvance(QString::fromLatin1(kLongDesignation)) + 12;
    edit->setFixedWidth(box == core::kMotorTypeBox ? std::max(2 * kBoxWidth, designationWidth)
                        : model_.isResult(box)     ? std::max(kBoxWidth, resultWidth)
                                                   : kBoxWidth);
    label->setBuddy(edit);
    Text1[box] = edit;
    if (model_.isInput(box))
        connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) { edited(box, text); });
    else
        edit->setReadOnly(true);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row++, 1, Qt::AlignLeft);
}

void CalculatorWindow::build() {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    int row = 0;
    addHeading(grid, row, kOtherInputsLabel);
    for (const auto& f : model_.layout().inputs)
        addRow(grid, row, f.box);
    grid->setRowMinimumHeight(row++, 8);
    addHeading(grid, row, kMotorHeadingLabel);
    for (int box = core::kMotorTypeBox; box <= core::kFreeSpeedBox; ++box)
        addRow(grid, row, box);
    grid->setRowMinimumHeight(row++, 8);
    addHeading(grid, row, kResultHeadingLabel);
    for (int box : model_.layout().resultBoxes)
        addRow(grid, row, box);

    Command1 = new QPushButton(this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    Command2 = new QPushButton(this);
    Command2->setObjectName("Command2");
    connect(Command1, &QPushButton::clicked, this, [this] {
        model_.Calculate(catalogue_, motor_());
        refresh();
    });
    connect(Command2, &QPushButton::clicked, this, &CalculatorWindow::printRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(new CalculatorSketch(model_.layout().kind, this), 1);
    right->addLayout(buttons);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(10, 8, 10, 10);
    columns->setSpacing(16);
    columns->addLayout(grid, 0);
    columns->addLayout(right, 1);
}

void CalculatorWindow::applyFixedCaptions(const core::TextTable& strText) {
    if (auto* label = findChild<QLabel*>(QString("Label1_%1").arg(kMotorHeadingLabel)))
        label->setText(Q(core::MotorDataHeading(strText)));
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes as the title bar's button does: the motor values are forgotten (closeEvent).
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CalculatorWindow::edited(int box, const QString& text) {
    if (refreshing_)
        return;
    model_.Type(box, text.toStdString());
    refresh();
}

void CalculatorWindow::refresh() {
    refreshing_ = true;
    for (int box = 0; box < core::kBoxCount; ++box) {
        QLineEdit* edit = Text1[box];
        if (!edit)
            continue;
        const QString text = Q(model_.box(box).text);
        if (edit->text() != text) {
            edit->setText(text);
            // A box the user does not type in shows its beginning, should a text still not fit.
            if (edit->isReadOnly())
                edit->setCursorPosition(0);
        }
        const bool motorBox = box >= core::kStallTorqueBox && box <= core::kFreeSpeedBox;
        if (motorBox)
            edit->setReadOnly(model_.motorBoxesLocked());
        if (model_.isInput(box))
            SetBackground(edit, BoxColour(model_.box(box).colour));
    }
    heading_->setText(Q(model_.heading()));
    Command2->setEnabled(model_.printEnabled());
    refreshing_ = false;
}

void CalculatorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        model_.ShowMotor(catalogue_, motor_(), false);
        refresh();
    }
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    model_.Unload();
    QWidget::closeEvent(event);
}

} // namespace airmotor::app
