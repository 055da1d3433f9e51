#include "app/selection/RequirementPanel.h"
#include "core/common/Keys.h"

#include "app/selection/FieldLineEdit.h"
#include "app/selection/QbColor.h"
#include "app/selection/SessionDriver.h"
#include "core/selection/RequirementRange.h"
#include "core/session/CaptionKeys.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace airmotor::app {

using core::RequirementField;

namespace {

QLabel* MakeLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A number of a range as the user types it: no trailing zeros.
QString RangeFigure(float value) {
    return QString::number(static_cast<double>(value), 'g', 6);
}

QString UnitText(core::RequirementRange::Unit unit, const core::TextTable& strText) {
    switch (unit) {
    case core::RequirementRange::Unit::Torque:
        return Q(strText(core::TextKey::TorqueUnit));
    case core::RequirementRange::Unit::Pressure:
        return Q(strText(core::TextKey::PressureUnit));
    case core::RequirementRange::Unit::Speed:
        break;
    }
    // Speeds are never converted; the speed caption carries the language's way of writing r/min.
    const QString caption = Q(strText(core::TextKey::SpeedCaption));
    const qsizetype open = caption.indexOf('['), close = caption.indexOf(']');
    return open >= 0 && close > open ? caption.mid(open + 1, close - open - 1) : QStringLiteral("r/min");
}

} // namespace

RequirementPanel::RequirementPanel(SessionDriver& sessionDriver, QWidget* parent)
    : QWidget(parent), driver(sessionDriver), fraSearchData(new QGroupBox("Search data:", this)),
      EffektA(new QLabel(this)) {
    fraSearchData->setObjectName("fraSearchData");
    auto* grid = new QGridLayout(fraSearchData);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(0, 1);

    auto* workingPoint = MakeLabel("Label13", "Working point:", fraSearchData);
    QFont bold = workingPoint->font();
    bold.setBold(true);
    workingPoint->setFont(bold);
    grid->addWidget(workingPoint, 0, 0, 1, 2);

    struct Row {
        const char* label;
        const char* caption;
        RequirementField field;
    };
    const Row rows[] = {
        {"Label11", "Torque [Nm]", RequirementField::ArbetsMomentB},
        {"Label12", "Speed [r/min]", RequirementField::ArbetsVarvtalB},
        {"Label1", "Min Start-torque", RequirementField::MinStartmomentB},
        {"Label2_0", "Stall torque Min", RequirementField::StallmomentMinB},
        {"Label2_1", "Stall torque Max", RequirementField::StallmomentMaxB},
        {"Label3_0", "Free speed Min", RequirementField::TomgVarvMinB},
        {"Label3_1", "Free speed Max", RequirementField::TomgVarvMaxB},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* label = MakeLabel(row.label, row.caption, fraSearchData);
        label->setWordWrap(true);
        auto* edit = makeField(row.field);
        label->setBuddy(edit);
        captions[std::size_t(core::FieldIndex(row.field))] = label;
        grid->addWidget(label, r, 0);
        grid->addWidget(edit, r, 1);
        ++r;
        if (row.field == RequirementField::ArbetsVarvtalB) {
            grid->addWidget(MakeLabel("Label20", "Power [kW]", fraSearchData), r, 0);
            EffektA->setObjectName("EffektA");
            EffektA->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            EffektA->setAutoFillBackground(true);
            EffektA->setMargin(2);
            EffektA->setFixedWidth(90);
            grid->addWidget(EffektA, r, 1);
            ++r;
        }
    }

    auto* search = new QPushButton("Search (Enter)", fraSearchData);
    search->setObjectName("SökMotorB");
    search->setDefault(false);
    search->setAutoDefault(false);
    searchButton = search;
    connect(search, &QPushButton::clicked, this, [this] {
        if (std::exchange(searchRanOnPress, false))
            return;
        this->driver.run([](core::SelectionSession& s) { s.ClickSearch(); });
    });
    // A press released beside the button gives no click: the mark must not swallow a later one.
    connect(search, &QPushButton::released, this,
            [this] { QTimer::singleShot(0, this, [this] { searchRanOnPress = false; }); });
    auto* fresh = new QPushButton("New search data", fraSearchData);
    fresh->setObjectName("NyaIndataB");
    fresh->setAutoDefault(false);
    connect(fresh, &QPushButton::clicked, this,
            [this] { this->driver.run([](core::SelectionSession& s) { s.ClickNewSearchData(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search);
    buttons->addWidget(fresh);
    grid->addLayout(buttons, r, 0, 1, 2);

    // The pressure stays visible in the catalogue view: it scales the figures of the current motor.
    auto* pressureRow = new QGridLayout;
    auto* pressureLabel = MakeLabel("Label5", "Available pressure (bar(e))", this);
    pressureLabel->setWordWrap(true);
    auto* pressure = makeField(RequirementField::TillgLuftTryckB);
    pressureLabel->setBuddy(pressure);
    captions[std::size_t(core::FieldIndex(RequirementField::TillgLuftTryckB))] = pressureLabel;
    pressureRow->addWidget(pressureLabel, 0, 0);
    pressureRow->addWidget(pressure, 0, 1);
    pressureRow->setColumnStretch(0, 1);
    pressureRow->setContentsMargins(10, 0, 10, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraSearchData);
    layout->addLayout(pressureRow);

    // Tab order runs down the search data and ends in the pressure.
    QWidget* previous = nullptr;
    for (RequirementField f : core::kAllRequirementFields) {
        if (previous)
            setTabOrder(previous, field(f));
        previous = field(f);
    }
}

FieldLineEdit* RequirementPanel::makeField(RequirementField f) {
    auto* edit = new FieldLineEdit(this);
    edit->setObjectName(Q(core::FieldName(f)));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(90);
    edit->setMaxLength(12);
    fields[std::size_t(core::FieldIndex(f))] = edit;
    connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& text) { onEdited(f, text); });
    connect(edit, &FieldLineEdit::enterPressed, this, [this, f] { onEnter(f); });
    connect(edit, &FieldLineEdit::focusLeft, this, [this, f](Qt::FocusReason reason) {
        if (this->driver.busy())
            return;
        this->driver.run([f](core::SelectionSession& s) { s.LeaveField(f); });
        // Leaving the pressure field searches; a press on the search button that took the focus
        // would search again on release (a second refusal box, or a refused search right after
        // the maintenance code opened the editor).
        searchRanOnPress = f == RequirementField::TillgLuftTryckB && reason == Qt::MouseFocusReason &&
                           QApplication::focusWidget() == searchButton;
    });
    connect(edit, &FieldLineEdit::focusEntered, this, [this, edit] {
        // After a mouse click the click itself places the cursor: select on the next turn of the loop.
        QTimer::singleShot(0, edit, [edit] {
            if (edit->hasFocus())
                edit->selectAll();
        });
    });
    return edit;
}

void RequirementPanel::onEdited(RequirementField f, const QString& text) {
    if (driver.busy())
        return;
    const std::string typed = text.toStdString();
    driver.run([f, typed](core::SelectionSession& s) { s.TypeIntoField(f, typed); });
}

void RequirementPanel::onEnter(RequirementField f) {
    if (driver.busy())
        return;
    driver.run([f](core::SelectionSession& s) {
        s.PressEnter(f);
        // Enter is the search key of the search view (the search button's caption says so).
        if (s.options().optCatalogue == 1)
            s.ClickSearch();
    });
}

void RequirementPanel::refresh(const core::SelectionSession& session) {
    const auto& input = session.input();
    for (RequirementField f : core::kAllRequirementFields) {
        const auto& box = input.box(f);
        FieldLineEdit* edit = field(f);
        const QString text = Q(box.text);
        if (edit->text() != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(std::min(cursor, int(text.size())));
        }
        edit->setEnabled(box.enabled);
        edit->setPaletteColour(box.colour);
        edit->setToolTip(toolTip(f));
    }
    EffektA->setText(Q(input.EffektA.text));
    QPalette pal = EffektA->palette();
    // An empty power label shows no verdict colour.
    pal.setColor(QPalette::Window, input.EffektA.text.empty() ? palette().color(QPalette::Window)
                                                              : StateTint(input.EffektA.colour));
    pal.setColor(QPalette::WindowText, Qt::black);
    EffektA->setPalette(pal);
    fraSearchData->setVisible(session.options().fraSearchDataVisible);
}

QString RequirementPanel::toolTip(RequirementField f) const {
    const core::LanguageState& language = driver.language();
    const core::RequirementRange range = core::RangeOf(f, language.intImperialUnits == 1);
    const QLabel* caption = captions[std::size_t(core::FieldIndex(f))];
    QString tip = caption ? caption->text() + "\n" : QString();
    tip += RangeFigure(range.lower) + QString::fromUtf8(" \u2026 ") + RangeFigure(range.upper) + " " +
           UnitText(range.unit, language.strText);
    return tip + "\n\n" + Q(language.strText(core::kFieldLegendKey));
}

} // namespace airmotor::app
