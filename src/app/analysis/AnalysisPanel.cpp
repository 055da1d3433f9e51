#include "app/analysis/AnalysisPanel.h"

#include "app/shell/TextConversion.h"
#include "core/analysis/AnalysisFigures.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "core/session/SelectionSession.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace airmotor::app {

namespace {

constexpr int kValueWidth = 72;   // pixels: the widest figure
constexpr int kValuePadding = 10; // pixels: the sunken frame and its margins

} // namespace

AnalysisPanel::AnalysisPanel(QWidget* parent) : QDockWidget(parent) {
    setObjectName("dckDutyAnalysis");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    auto* body = new QWidget(this);
    body->setObjectName("fraDutyAnalysis");
    auto* column = new QVBoxLayout(body);
    lblAnalysisMotor = new QLabel(body);
    lblAnalysisMotor->setObjectName("lblAnalysisMotor");
    lblAnalysisMotor->setWordWrap(true);
    QFont bold = lblAnalysisMotor->font();
    bold.setBold(true);
    lblAnalysisMotor->setFont(bold);
    column->addWidget(lblAnalysisMotor);
    grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    column->addLayout(grid);
    column->addStretch(1);
    setWidget(body);
}

void AnalysisPanel::refresh(const core::SelectionSession& session, const core::LanguageState& language,
                            const core::AirCostInputs& cost) {
    const core::TextTable& strText = language.strText;
    const int row = session.results().intValdRad;
    const std::optional<core::DutyInput> input =
        session.current().valid ? core::DutyInputOfRow(session, row) : std::nullopt;
    for (QLabel* label : values)
        label->hide();
    for (QLabel* label : captions)
        label->hide();
    // The catalogue listing has no duty to measure a motor against.
    if (!session.bolArbetspunkt() || session.bolKatalogLista()) {
        lblAnalysisMotor->setText(Q(strText(core::TextKey::AnalysisNeedsWorkingPoint)));
        return;
    }
    if (!input) {
        lblAnalysisMotor->setText(Q(strText(core::TextKey::AnalysisClickMotor)));
        return;
    }
    lblAnalysisMotor->setText(Q(core::FillPlaceholders(strText(core::TextKey::AnalysisRowHeading),
                                                       {std::to_string(row), input->designation})));
    const core::DutyAnalysis analysis = core::AnalyseDuty(*input, cost);
    const auto figures =
        core::AnalysisFigures(analysis, language.units, language.intImperialUnits == 1, cost, strText);
    int line = 0;
    for (const core::AnalysisFigure& f : figures) {
        const QString name = Q(f.name);
        QLabel*& value = values[name];
        QLabel*& caption = captions[name];
        if (!value) {
            caption = new QLabel(widget());
            caption->setObjectName(name + "Caption");
            // Long captions wrap, so the panel fits between the duty fields and the result list.
            caption->setWordWrap(true);
            value = new QLabel(widget());
            value->setObjectName(name);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setFrameShape(QFrame::Panel);
            value->setFrameShadow(QFrame::Sunken);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        grid->addWidget(caption, line, 0);
        grid->addWidget(value, line, 1, Qt::AlignVCenter);
        ++line;
        caption->setText(KeepUnitsWhole(f.unit.empty() ? Q(f.caption) : Q(f.caption + " [" + f.unit + "]")));
        value->setText(Q(f.text).trimmed());
        // The mode is a phrase ("Bei reduziertem Druck"), wider than any figure: it is shown whole.
        value->setMinimumWidth(
            std::max(kValueWidth, value->fontMetrics().horizontalAdvance(value->text()) + kValuePadding));
        caption->setToolTip(Q(f.howComputed));
        value->setToolTip(Q(f.howComputed));
        caption->show();
        value->show();
    }
}

} // namespace airmotor::app
