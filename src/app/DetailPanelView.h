#pragma once

#include <QGroupBox>
#include <QMap>

class QLabel;

namespace airmotor::core {
class SelectionSession;
class TextTable;
} // namespace airmotor::core

namespace airmotor::app {

// "Performance current motor": the figures of the current motor, its product number and class.
class DetailPanelView final : public QGroupBox {
    Q_OBJECT
public:
    explicit DetailPanelView(QWidget* parent = nullptr);

    // Headings that the current motor may replace fall back to their captions (text keys) when empty.
    void refresh(const core::SelectionSession& session, const core::TextTable& strText);
    QLabel* value(const QString& name) const { return values.value(name); }

private:
    QLabel* heading(const char* name, const char* text, bool bold = false);
    QLabel* result(const char* name);

    QMap<QString, QLabel*> values;
    QLabel* Label15;
    QLabel* Label17;
    QLabel* Label24;
    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label14;
    QLabel* picEx[2];
};

} // namespace airmotor::app
