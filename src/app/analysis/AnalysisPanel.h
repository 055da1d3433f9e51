#pragma once

#include "core/analysis/DutyAnalysis.h"

#include <QDockWidget>
#include <QMap>

class QGridLayout;
class QLabel;

namespace airmotor::core {
class SelectionSession;
struct LanguageState;
} // namespace airmotor::core

namespace airmotor::app {

// "Duty analysis": the figures of the clicked result row beside the selection window, each with its
// unit and a tooltip saying how it is computed. It only reads the session.
class AnalysisPanel final : public QDockWidget {
    Q_OBJECT
public:
    explicit AnalysisPanel(QWidget* parent = nullptr);

    void refresh(const core::SelectionSession& session, const core::LanguageState& language,
                 const core::AirCostInputs& cost);
    QLabel* value(const QString& name) const { return values.value(name); }
    QLabel* caption(const QString& name) const { return captions.value(name); }

private:
    QLabel* lblAnalysisMotor;
    QGridLayout* grid;
    QMap<QString, QLabel*> values;
    QMap<QString, QLabel*> captions;
};

} // namespace airmotor::app
